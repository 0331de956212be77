// Scaling and resizing the whole pattern: grid, lines, marks and every layer.
#include "editor/document/pattern_transforms.h"

#include "editor/document/layer_composer.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

// A 10 x 10 checkerboard in the background layer, a mark on (1, 1) and one line.
PatternDocument tenByTen()
{
    PatternDocument doc;
    doc.create(10, 10, "DMC");
    doc.addThread(rgb(255, 0, 0), "1");
    doc.addThread(rgb(0, 0, 255), "2");
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            doc.layers[0].cells[static_cast<std::size_t>(x + y * 10)] = (x + y) % 2;
    doc.layers[0].marks.push_back({3, 0, 1, 1});
    BackstitchLine line;
    line.startColumn = 2;
    line.startRow = 2;
    line.endColumn = 9;
    line.endRow = 9;
    line.endCorner = BottomRight;
    doc.layers[0].lines.push_back(line);
    recomposeDocument(doc);
    return doc;
}

TEST(ScalePattern, OneAndAHalfTimesTenGivesFifteenWithNearestSources)
{
    PatternDocument doc = tenByTen();
    ASSERT_TRUE(scalePattern(doc, 1.5));
    ASSERT_EQ(doc.width(), 15);
    ASSERT_EQ(doc.height(), 15);
    EXPECT_EQ(doc.layers[0].width, 15);
    EXPECT_EQ(doc.layers[0].cells.size(), 225u);
    // Target (1, 1) and (2, 2) both take source (1, 1); target (3, 3) takes (2, 2).
    EXPECT_EQ(doc.cell(1, 1), 0);
    EXPECT_EQ(doc.cell(2, 2), 0);
    EXPECT_EQ(doc.cell(2, 1), 0);  // source (1, 1) again
    EXPECT_EQ(doc.cell(3, 1), 1);  // source (2, 1)
    // Target 14 takes trunc(14 / 1.5 + 0.5) = 9.
    EXPECT_EQ(doc.cell(14, 0), 1);
    // The mark of (1, 1) is copied to every target taking it.
    std::vector<std::pair<int, int>> marked;
    for (const StitchMark& m : doc.marks)
        marked.emplace_back(m.column, m.row);
    EXPECT_EQ(marked, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
    ASSERT_EQ(doc.lines.size(), 1u);
    EXPECT_EQ(doc.lines[0].startColumn, 3);  // trunc(2 * 1.5 + 0.5)
    EXPECT_EQ(doc.lines[0].endColumn, 14);   // trunc(9 * 1.5 + 0.5)
    EXPECT_EQ(doc.lines[0].endCorner, BottomRight);
    EXPECT_TRUE(doc.layers.invariantsHold(doc));
}

TEST(ScalePattern, RefusesFactorsThatLeaveNoCells)
{
    PatternDocument doc = tenByTen();
    EXPECT_FALSE(scalePattern(doc, 0.0));
    EXPECT_FALSE(scalePattern(doc, -2.0));
    EXPECT_FALSE(scalePattern(doc, 0.01));
    EXPECT_EQ(doc.width(), 10);
}

TEST(ResizePattern, EnlargingLeavesNewRowsAndColumnsEmpty)
{
    PatternDocument doc = tenByTen();
    ASSERT_TRUE(resizePattern(doc, 12, 12));
    EXPECT_EQ(doc.width(), 12);
    for (int i = 0; i < 12; ++i)
        for (int j = 10; j < 12; ++j) {
            EXPECT_EQ(doc.cell(j, i), EmptyCell);
            EXPECT_EQ(doc.cell(i, j), EmptyCell);
        }
    EXPECT_EQ(doc.cell(9, 9), 0);
    EXPECT_EQ(doc.lines.size(), 1u);
    EXPECT_TRUE(doc.layers.invariantsHold(doc));
}

TEST(ResizePattern, ShrinkingDropsLinesThatEndOutside)
{
    PatternDocument doc = tenByTen();
    ASSERT_TRUE(resizePattern(doc, 8, 8));
    EXPECT_EQ(doc.cell(7, 7), 0);
    EXPECT_TRUE(doc.lines.empty());
    EXPECT_TRUE(doc.layers[0].lines.empty());
    EXPECT_EQ(doc.marks.size(), 1u);
    EXPECT_FALSE(resizePattern(doc, 0, 5));
}

}  // namespace
}  // namespace brenmark
