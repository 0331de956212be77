// Carrying a region's cells, marks and lines to another place, layer by layer.
#include "editor/document/tests/layer_test_support.h"
#include "editor/document/transform_contents.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

// Cells [left, right) x [top, bottom).
struct Rect final : CellRegion {
    RegionBox box;
    explicit Rect(RegionBox b) : box(b) {}
    bool contains(int c, int r) const override { return c >= box.left && c < box.right && r >= box.top && r < box.bottom; }
    RegionBox bounds() const override { return box; }
};

ContentMapping shift(int dx, int dy, bool copy)
{
    ContentMapping m;
    m.cell = [=](GridPoint p) { return GridPoint{p.column + dx, p.row + dy}; };
    m.copy = copy;
    return m;
}

// Two layers above the background: "top" plain, "mid" linked; the background draws.
struct Layers : Fixture {
    Layers() : Fixture(6, 4)
    {
        ops->newLayer("mid");
        ops->newLayer("top");
        ops->chooseDrawingLayer(2);
        layer(1).linked = true;
        for (int i : {0, 1, 2}) {
            paint(i, 0, 0, i);
            layer(i).marks = {mark(3, 0, 0)};
            layer(i).lines = {line(0, 0, 0, 0)};
        }
    }
};

TEST(TransformContents, MovesCellsMarksAndLinesOfTheDrawableAndLinkedLayersOnly)
{
    Layers f;
    ASSERT_EQ(editableLayers(f.doc), (std::vector<int>{1, 2}));
    transformContents(f.doc, Rect({0, 0, 1, 1}), shift(2, 1, false));
    for (int i : {1, 2}) {
        EXPECT_EQ(f.layer(i).cells[f.at(0, 0)], EmptyCell) << i;
        EXPECT_EQ(f.layer(i).cells[f.at(2, 1)], i) << i;
        EXPECT_EQ(f.layer(i).marks, std::vector<StitchMark>{mark(3, 2, 1)}) << i;
        EXPECT_EQ(f.layer(i).lines, std::vector<BackstitchLine>{line(2, 1, 2, 1)}) << i;
    }
    EXPECT_EQ(f.layer(0).cells[f.at(0, 0)], 0) << "a plain layer keeps its contents";
    EXPECT_EQ(f.layer(0).lines, std::vector<BackstitchLine>{line(0, 0, 0, 0)});
    EXPECT_EQ(f.undo.labels.size(), 3u) << "no undo step of its own";
}

TEST(TransformContents, ACopyKeepsTheSourceAndNothingLandsOutsideThePattern)
{
    Layers f;
    transformContents(f.doc, Rect({0, 0, 1, 1}), shift(1, 0, true));
    EXPECT_EQ(f.layer(2).cells[f.at(0, 0)], 2);
    EXPECT_EQ(f.layer(2).cells[f.at(1, 0)], 2);
    EXPECT_EQ(f.layer(2).marks.size(), 2u);
    EXPECT_EQ(f.layer(2).lines.size(), 2u);

    transformContents(f.doc, Rect({0, 0, 2, 1}), shift(-1, 0, false));
    EXPECT_EQ(f.layer(2).cells[f.at(0, 0)], 2) << "column 1 came to 0; column 0 fell off";
    EXPECT_EQ(f.layer(2).cells[f.at(1, 0)], EmptyCell);
    EXPECT_EQ(f.layer(2).marks, std::vector<StitchMark>{mark(3, 0, 0)});
    EXPECT_EQ(f.layer(2).lines, std::vector<BackstitchLine>{line(0, 0, 0, 0)});
}

TEST(TransformContents, EveryValueCarriesEmptyCellsAsAMirrorImageDoes)
{
    for (const bool everyValue : {false, true}) {
        Layers f;
        f.paint(2, 3, 0, 1);  // the target of the empty cell (1, 0)
        ContentMapping m = shift(2, 0, true);
        m.everyValue = everyValue;
        transformContents(f.doc, Rect({1, 0, 2, 1}), m);
        EXPECT_EQ(f.layer(2).cells[f.at(3, 0)], everyValue ? EmptyCell : 1);
    }
}

TEST(TransformContents, LineCornersFollowTheMapping)
{
    Layers f;
    BackstitchLine odd = line(0, 0, 0, 0);
    odd.startCorner = 7;  // no corner: stays as it is
    f.layer(2).lines = {odd};
    ContentMapping m = shift(0, 0, false);
    m.corners = {TopRight, TopLeft, BottomRight, BottomLeft};
    transformContents(f.doc, Rect({0, 0, 1, 1}), m);
    ASSERT_EQ(f.layer(2).lines.size(), 1u);
    EXPECT_EQ(f.layer(2).lines[0].startCorner, 7);
    EXPECT_EQ(f.layer(2).lines[0].endCorner, BottomLeft);
}

TEST(TransformContents, ClearingKeepsTheLinesOnlyWhenAsked)
{
    for (const bool keepLines : {true, false}) {
        Layers f;
        clearContents(f.doc, Rect({0, 0, 1, 1}), keepLines);
        EXPECT_EQ(f.layer(2).cells[f.at(0, 0)], EmptyCell);
        EXPECT_TRUE(f.layer(2).marks.empty());
        EXPECT_EQ(f.layer(2).lines.size(), keepLines ? 1u : 0u);
        EXPECT_EQ(f.layer(0).cells[f.at(0, 0)], 0);
    }
}

TEST(TransformContents, CopyingMakesABlockOfTheBoxWithinThePattern)
{
    Layers f;
    f.ops->recompose();
    f.doc.lines[0].selected = 1;
    const PatternClipboard c = copyContents(f.doc, Rect({-2, 0, 2, 2}));
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.width, 2);
    EXPECT_EQ(c.height, 2);
    EXPECT_EQ(c.cells, (std::vector<std::int32_t>{0, EmptyCell, EmptyCell, EmptyCell}));
    EXPECT_EQ(c.lines.size(), f.doc.lines.size());
    EXPECT_EQ(c.lines[0].selected, 0);
    EXPECT_EQ(c.brand, f.doc.brand);
    EXPECT_FALSE(copyContents(f.doc, Rect({7, 0, 9, 2})).valid) << "a box beside the pattern";
}

}  // namespace
}  // namespace brenmark::layertest
