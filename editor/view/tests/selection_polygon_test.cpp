// Membership of the selection polygon and the point rotation of the rotation commands.
#include "editor/view/selection/selection_commands.h"
#include "editor/view/selection/selection_polygon.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

TEST(SelectionMembership, TheFourByFourSquareHoldsCellsZeroToThree)
{
    SelectionPolygon poly;
    poly.setPatternSize(10, 10);
    for (QPoint v : {QPoint(0, 0), QPoint(4, 0), QPoint(4, 4), QPoint(0, 4)})
        poly.append(v);
    EXPECT_FALSE(poly.closed());
    EXPECT_FALSE(poly.contains(1, 1));
    EXPECT_TRUE(poly.append(QPoint(0, 0)));
    ASSERT_TRUE(poly.closed());
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(poly.contains(c, r), c < 4 && r < 4) << c << "," << r;
    EXPECT_EQ(poly.members().size(), 16u);
    EXPECT_EQ(poly.bounds(), (SelectionPolygon::Box{0, 0, 4, 4}));
}

TEST(SelectionMembership, EvenOddRuleLeavesTheOverlapOfASelfCrossingPolygonOut)
{
    // Two squares drawn as one path overlap in [2, 4) x [2, 4): crossed twice, so outside.
    const std::vector<QPoint> path{{0, 0}, {4, 0}, {4, 4}, {2, 4}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 4}, {0, 4}};
    EXPECT_TRUE(evenOddContains(path, 1, 1));
    EXPECT_TRUE(evenOddContains(path, 5, 5));
    EXPECT_FALSE(evenOddContains(path, 3, 3));
    EXPECT_FALSE(evenOddContains(path, 6, 3));
}

TEST(SelectionMembership, ATriangleUsesTheLeftAndTopEdges)
{
    const std::vector<QPoint> tri{{0, 0}, {4, 0}, {0, 4}};
    EXPECT_TRUE(evenOddContains(tri, 0, 0));
    EXPECT_TRUE(evenOddContains(tri, 3, 0));
    EXPECT_FALSE(evenOddContains(tri, 4, 0));
    EXPECT_TRUE(evenOddContains(tri, 1, 2));
    EXPECT_FALSE(evenOddContains(tri, 2, 2));  // on the diagonal, a right edge
    EXPECT_FALSE(evenOddContains(tri, 0, 4));
}

TEST(SelectionMembership, DoubleClickClosesOnlyWithMoreThanTwoVertices)
{
    SelectionPolygon poly;
    poly.setPatternSize(10, 10);
    poly.append({1, 1});
    poly.append({5, 1});
    EXPECT_FALSE(poly.closeWithFirst());
    poly.append({5, 5});
    EXPECT_TRUE(poly.closeWithFirst());
    EXPECT_EQ(poly.vertices().back(), QPoint(1, 1));
    EXPECT_TRUE(poly.contains(4, 1));
    EXPECT_FALSE(poly.contains(1, 4));
}

TEST(SelectionMembership, APolygonPartlyOffThePatternSelectsWhatIsOnIt)
{
    SelectionPolygon poly;
    poly.setPatternSize(6, 6);
    poly.assign({{-3, -3}, {3, -3}, {3, 3}, {-3, 3}}, true);
    EXPECT_EQ(poly.bounds(), (SelectionPolygon::Box{-3, -3, 3, 3}));
    EXPECT_EQ(poly.members().size(), 9u);
    EXPECT_TRUE(poly.contains(0, 0));
    EXPECT_FALSE(poly.contains(-1, 0));
    poly.moveBy(5, 5);
    EXPECT_TRUE(poly.contains(5, 5));
    EXPECT_FALSE(poly.contains(1, 1));
}

TEST(SelectionRotation, PointsTurnClockwiseOnScreen)
{
    EXPECT_EQ(rotatePoint({6, 4}, 4, 4, 1.5707963), QPoint(4, 6));
    EXPECT_EQ(rotatePoint({4, 2}, 4, 4, 1.5707963), QPoint(6, 4));  // dx = 0 above the centre
    EXPECT_EQ(rotatePoint({2, 2}, 4, 4, 3.1415926), QPoint(6, 6));
    EXPECT_EQ(rotatePoint({6, 4}, 4, 4, 4.7123889), QPoint(4, 2));
    EXPECT_EQ(rotatePoint({8, 4}, 4, 4, 0.78539815), QPoint(7, 7));  // 4 / sqrt 2 = 2.83
    // Off the pattern the nearest cell is kept, not folded onto column 0.
    EXPECT_EQ(rotatePoint({4, 5}, 4, 4, 1.5707963), QPoint(3, 4));
    EXPECT_EQ(rotatePoint({4, 5}, 0, 0, 1.5707963), QPoint(-5, 4));
}

TEST(SelectionRotation, CornerCodesTurnOnlyForQuarterTurns)
{
    EXPECT_EQ(rotatedCorner(TopLeft, 1.5707963), TopRight);
    EXPECT_EQ(rotatedCorner(TopRight, 1.5707963), BottomRight);
    EXPECT_EQ(rotatedCorner(BottomLeft, 1.5707963), TopLeft);
    EXPECT_EQ(rotatedCorner(BottomRight, 1.5707963), BottomLeft);
    EXPECT_EQ(rotatedCorner(TopLeft, 3.1415926), BottomRight);
    EXPECT_EQ(rotatedCorner(TopRight, 3.1415926), BottomLeft);
    EXPECT_EQ(rotatedCorner(TopLeft, 4.7123889), BottomLeft);
    EXPECT_EQ(rotatedCorner(TopRight, 4.7123889), TopLeft);
    EXPECT_EQ(rotatedCorner(BottomLeft, 4.7123889), BottomRight);
    EXPECT_EQ(rotatedCorner(BottomRight, 4.7123889), TopRight);
    EXPECT_EQ(rotatedCorner(TopRight, 0.78539815), TopRight);
    EXPECT_EQ(rotatedCorner(TopRight, 2.35619445), TopRight);
}

TEST(SelectionCommands, TheTablesCarryEveryIdOnce)
{
    std::vector<int> ids;
    for (const MenuEntry& e : kSelectionMenu)
        ids.push_back(e.id);
    for (const MenuEntry& e : kRotationMenu)
        ids.push_back(e.id);
    for (const MenuEntry& e : kPatternTransformMenu)
        ids.push_back(e.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{32778, 32779, 32790, 32822, 32823, 32824, 32825, 32826, 32827, 32828, 32834, 32835,
                                     32836, 32837, 32838, 32839, 32840}));
    EXPECT_DOUBLE_EQ(kRotations[1].angle, 1.5707963);
    EXPECT_DOUBLE_EQ(kRotations[6].angle, 5.49778705);
}

}  // namespace
}  // namespace brenmark
