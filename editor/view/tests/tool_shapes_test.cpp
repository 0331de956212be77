// Shape rasterising and the shape tools: bounds, commit boxes, the ellipse of the documented
// box, lines with their end cell, rubber bands, undo at button up.
#include "editor/view/tests/tool_test_support.h"
#include "editor/view/tools/raster_shapes.h"

namespace brenmark::test {
namespace {

std::vector<std::string> maskRows(const ShapeMask& m, int w, int h)
{
    std::vector<std::string> out;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x)
            row.push_back(m.at(x, y) ? '#' : '.');
        out.push_back(row);
    }
    return out;
}

TEST(ShapeBounds, RightAndBottomAreExclusiveAndStayInThePattern)
{
    EXPECT_EQ(shapeBounds({6, 4}, {2, 2}, 20, 20), (CellBox{2, 2, 7, 5}));
    // A box reaching the last column and row ends exactly at the pattern's edge.
    EXPECT_EQ(shapeBounds({0, 0}, {9, 7}, 10, 8), (CellBox{0, 0, 10, 8}));
}

TEST(ShapeBounds, CommitBoxesWidenForHollowRectanglesAndLines)
{
    EXPECT_EQ(commitBox(ShapeKind::SolidEllipse, {2, 2}, {6, 4}, 20, 20), (CellBox{2, 2, 7, 5}));
    EXPECT_EQ(commitBox(ShapeKind::HollowRect, {2, 2}, {6, 4}, 20, 20), (CellBox{2, 2, 9, 7}));
    EXPECT_EQ(commitBox(ShapeKind::HollowRect, {2, 2}, {6, 4}, 8, 6), (CellBox{2, 2, 8, 6}));
    EXPECT_EQ(commitBox(ShapeKind::Line, {1, 5}, {6, 3}, 20, 7), (CellBox{0, 1, 8, 7}));
}

TEST(EllipseRaster, TheBoxFromTwoTwoToSixFourCoversColumnsTwoToSixAndRowsTwoToFour)
{
    const ShapeMask m = rasteriseShape(ShapeKind::HollowEllipse, {2, 2}, {6, 4}, 10, 7);
    EXPECT_EQ(maskRows(m, 10, 7), (std::vector<std::string>{
                                      "..........",
                                      "..........",
                                      "...###....",
                                      "..#...#...",
                                      "...###....",
                                      "..........",
                                      "..........",
                                  }));
}

TEST(EllipseRaster, FilledEllipseIsTheOutlineWithItsInterior)
{
    const ShapeMask m = rasteriseShape(ShapeKind::SolidEllipse, {2, 2}, {6, 4}, 10, 7);
    EXPECT_EQ(maskRows(m, 10, 7)[3], "..#####...");
    EXPECT_EQ(m.count(), 3 + 5 + 3);
}

TEST(EllipseRaster, EveryBoxIsTouchedOnAllFourSidesAndSymmetric)
{
    for (int w = 1; w <= 12; ++w)
        for (int h = 1; h <= 12; ++h) {
            ShapeMask m(CellBox{0, 0, w, h});
            plotEllipse(m, CellBox{0, 0, w, h}, false);
            bool top = false, bottom = false, left = false, right = false;
            for (int x = 0; x < w; ++x) {
                top |= m.at(x, 0);
                bottom |= m.at(x, h - 1);
            }
            for (int y = 0; y < h; ++y) {
                left |= m.at(0, y);
                right |= m.at(w - 1, y);
            }
            EXPECT_TRUE(top && bottom && left && right) << w << "x" << h;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    EXPECT_EQ(m.at(x, y), m.at(w - 1 - x, y)) << w << "x" << h;
                    EXPECT_EQ(m.at(x, y), m.at(x, h - 1 - y)) << w << "x" << h;
                }
        }
}

TEST(EllipseRaster, LargeCircleHasNoGaps)
{
    ShapeMask m(CellBox{0, 0, 401, 401});
    plotEllipse(m, CellBox{0, 0, 401, 401}, false);
    // 8-connected outline: every set cell has a set neighbour on both sides of its arc.
    for (int y = 0; y < 401; ++y)
        for (int x = 0; x < 401; ++x) {
            if (!m.at(x, y))
                continue;
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += (dx || dy) && m.at(x + dx, y + dy);
            ASSERT_GE(neighbours, 2) << x << "," << y;
        }
}

TEST(LineRaster, IncludesBothEndsInEveryDirection)
{
    for (const auto& [a, b] : std::vector<std::pair<CellPoint, CellPoint>>{
             {{0, 0}, {7, 3}}, {{7, 3}, {0, 0}}, {{2, 6}, {3, 0}}, {{5, 5}, {5, 5}}, {{0, 4}, {7, 4}}}) {
        ShapeMask m(CellBox{0, 0, 8, 8});
        plotLine(m, a, b);
        EXPECT_TRUE(m.at(a.x, a.y));
        EXPECT_TRUE(m.at(b.x, b.y));
        EXPECT_EQ(m.count(), std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) + 1);
    }
}

TEST(RectangleRaster, HollowIsTheBorderSolidIsEveryCell)
{
    const ShapeMask hollow = rasteriseShape(ShapeKind::HollowRect, {1, 1}, {4, 3}, 8, 6);
    EXPECT_EQ(maskRows(hollow, 8, 6), (std::vector<std::string>{
                                          "........",
                                          ".####...",
                                          ".#..#...",
                                          ".####...",
                                          "........",
                                          "........",
                                      }));
    EXPECT_EQ(rasteriseShape(ShapeKind::SolidRect, {4, 3}, {1, 1}, 8, 6).count(), 12);
}

TEST(ShapeTools, HollowEllipseDraggedFromTwoTwoToSixFour)
{
    ToolFixture f;
    f.make(10, 7);
    f.choose(1);
    f.select(Tool::HollowEllipse);
    f.stroke({{2, 2}, {4, 3}, {6, 4}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "..........",
                            "..........",
                            "...111....",
                            "..1...1...",
                            "...111....",
                            "..........",
                            "..........",
                        }));
    EXPECT_EQ(f.layerRows(0), f.rows());
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(ShapeTools, ShapeTouchingTheLastColumnAndRowStaysInThePattern)
{
    ToolFixture f;
    f.make(6, 5);
    f.choose(0);
    f.select(Tool::SolidRect);
    f.stroke({{2, 1}, {5, 4}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"......", "..0000", "..0000", "..0000", "..0000"}));
    f.choose(1);
    f.select(Tool::HollowEllipse);
    f.stroke({{0, 0}, {5, 4}});
    EXPECT_EQ(f.doc.cell(5, 2), 1);  // the right tip on the last column
    EXPECT_EQ(f.doc.cell(2, 4), 1);  // the bottom on the last row
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(ShapeTools, LineIncludesItsEndCell)
{
    ToolFixture f;
    f.make(8, 4);
    f.choose(2);
    f.select(Tool::Line);
    f.stroke({{0, 0}, {7, 3}});
    EXPECT_EQ(f.doc.cell(0, 0), 2);
    EXPECT_EQ(f.doc.cell(7, 3), 2);
    EXPECT_EQ(std::count(f.doc.grid.cells.begin(), f.doc.grid.cells.end(), 2), 8);
}

TEST(ShapeTools, RubberBandFollowsThePointerAndIsGoneAfterwards)
{
    ToolFixture f;
    f.make(10, 10);
    f.choose(0);
    f.select(Tool::SolidRect);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseMove(f.at(3, 4));
    EXPECT_TRUE(f.tools.rubberBand().shown);
    EXPECT_EQ(f.tools.rubberBand().end, (CellPoint{3, 4}));
    // Nothing is drawn into the pattern until the button comes up.
    EXPECT_EQ(std::count(f.doc.grid.cells.begin(), f.doc.grid.cells.end(), 0), 0);
    EXPECT_TRUE(f.undo.steps.empty());
    f.tools.mouseUp(f.at(3, 4));
    EXPECT_FALSE(f.tools.rubberBand().shown);
    EXPECT_EQ(std::count(f.doc.grid.cells.begin(), f.doc.grid.cells.end(), 0), 12);
}

TEST(ShapeTools, ReleasedOutsideThePatternDoesNothing)
{
    ToolFixture f;
    f.make(5, 5);
    f.choose(0);
    f.select(Tool::SolidRect);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseMove(f.at(3, 3));
    f.tools.mouseUp(f.at(30, 3));
    EXPECT_TRUE(f.undo.steps.empty());
    EXPECT_EQ(f.rows(), (std::vector<std::string>(5, ".....")));
    // On the ruler is outside too.
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseUp(QPoint(10, 40));
    EXPECT_TRUE(f.undo.steps.empty());
}

TEST(ShapeTools, AShapeWhoseButtonUpWasLostIsDropped)
{
    ToolFixture f;
    f.make(6, 6);
    f.choose(0);
    f.select(Tool::SolidRect);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseMove(f.at(3, 3));
    f.tools.mouseDown(f.at(4, 4));  // no button up in between
    EXPECT_TRUE(f.undo.steps.empty());
    f.tools.mouseUp(f.at(5, 5));
    EXPECT_EQ(f.undo.steps.size(), 1u);
    EXPECT_EQ(std::count(f.doc.grid.cells.begin(), f.doc.grid.cells.end(), 0), 4);
}

TEST(ShapeTools, EachShapeRecordsItsLabelOnceAtButtonUpBeforeDrawing)
{
    const std::vector<std::pair<Tool, std::string>> cases{
        {Tool::HollowEllipse, "取消画空心圆操作"}, {Tool::HollowRect, "取消画空心矩形操作"}, {Tool::Line, "取消画线操作"},
        {Tool::SolidEllipse, "取消画实心圆操作"}, {Tool::SolidRect, "取消画实心矩形操作"}};
    for (const auto& [tool, label] : cases) {
        ToolFixture f;
        f.make(8, 8);
        f.choose(1);
        f.select(tool);
        const auto before = f.doc.grid.cells;
        f.stroke({{1, 1}, {2, 3}, {4, 5}, {6, 6}});
        ASSERT_EQ(f.undo.labels(), (std::vector<std::string>{label}));
        EXPECT_EQ(f.undo.steps[0].grid, before) << label;
        EXPECT_NE(f.doc.grid.cells, before) << label;
    }
}

TEST(ShapeTools, ShapesMarkCellsWithTheActiveStitchKind)
{
    ToolFixture f;
    f.make(6, 6);
    f.choose(0);
    f.view.dispatch(MsgSetStitchKind, 5, 0);
    f.select(Tool::SolidRect);
    f.stroke({{1, 1}, {2, 2}});
    ASSERT_EQ(f.doc.marks.size(), 4u);
    EXPECT_EQ(f.doc.marks[0].kind, 5);
    EXPECT_EQ(f.doc.layers[0].marks.size(), 4u);
    // Without a kind the shape takes the marks away again.
    f.view.dispatch(MsgSetStitchKind, 0, 0);
    f.stroke({{1, 1}, {1, 2}});
    EXPECT_EQ(f.doc.marks.size(), 2u);
}

TEST(ShapeTools, LargeShapesMarkAndUnmarkTheirCellsInOnePass)
{
    ToolFixture f;
    f.make(400, 300);
    f.choose(0);
    f.doc.placeMark(9, 0, 0);  // outside the shapes: stays
    f.view.dispatch(MsgSetStitchKind, 4, 0);
    f.select(Tool::SolidRect);
    f.stroke({{10, 10}, {309, 209}});
    ASSERT_EQ(f.doc.marks.size(), 1u + 300u * 200u);
    EXPECT_EQ(f.doc.layers[0].marks.size(), 300u * 200u);
    // Marking again replaces the marks instead of adding more.
    f.view.dispatch(MsgSetStitchKind, 6, 0);
    f.stroke({{10, 10}, {309, 109}});
    EXPECT_EQ(f.doc.marks.size(), 1u + 300u * 200u);
    EXPECT_EQ(std::count_if(f.doc.marks.begin(), f.doc.marks.end(), [](const StitchMark& m) { return m.kind == 6; }), 300 * 100);
    f.view.dispatch(MsgSetStitchKind, 0, 0);
    f.stroke({{10, 10}, {309, 159}});
    EXPECT_EQ(f.doc.marks.size(), 1u + 300u * 50u);
    EXPECT_EQ(f.doc.marks.front(), (StitchMark{9, 0, 0, 0}));
    EXPECT_EQ(f.doc.layers[0].marks.size(), 300u * 50u);
}

}  // namespace
}  // namespace brenmark::test
