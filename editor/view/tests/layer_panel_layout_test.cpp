// Where the layer panel's rows go and how far they scroll, as the layer commands change them.
#include "editor/document/tests/layer_test_support.h"
#include "editor/view/layer_panel_layout.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

TEST(PanelRows, StackFromFiveWithSevenPixelGaps)
{
    LayerPanelLayout layout(30, 500);
    EXPECT_EQ(layout.rowTop(0), 5);
    EXPECT_EQ(layout.rowTop(1), 42);
    EXPECT_EQ(layout.rowTop(9), 5 + 9 * 37);
    EXPECT_EQ(LayerPanelLayout::kLeft, 4);
    EXPECT_EQ(layout.contentBottom(3), 5 + 2 * 37 + 30);
}

TEST(PanelRows, HitTestingLeavesTheGapsOut)
{
    LayerPanelLayout layout(30, 500);
    EXPECT_EQ(layout.rowAt(4, 3), -1);
    EXPECT_EQ(layout.rowAt(5, 3), 0);
    EXPECT_EQ(layout.rowAt(34, 3), 0);
    EXPECT_EQ(layout.rowAt(35, 3), -1);
    EXPECT_EQ(layout.rowAt(41, 3), -1);
    EXPECT_EQ(layout.rowAt(42, 3), 1);
    EXPECT_EQ(layout.rowAt(5 + 2 * 37 + 29, 3), 2);
    EXPECT_EQ(layout.rowAt(5 + 3 * 37, 3), -1) << "below the last row";
}

TEST(PanelScroll, RowsThatFitDoNotScroll)
{
    LayerPanelLayout layout(30, 200);
    EXPECT_FALSE(layout.canScroll(5));  // bottom 5 + 4 * 37 + 30 = 183
    EXPECT_FALSE(layout.scrollBy(-50, 5));
    EXPECT_EQ(layout.rowTop(0), 5);
}

TEST(PanelScroll, TheFirstRowNeverStartsBelowFiveNorTheLastEndsAboveTheBottom)
{
    LayerPanelLayout layout(30, 200);
    const int rows = 10;  // bottom 5 + 9 * 37 + 30 = 368
    EXPECT_EQ(layout.minScroll(rows), 200 - 368);
    EXPECT_FALSE(layout.scrollBy(10, rows)) << "already at the top";
    EXPECT_TRUE(layout.scrollBy(-100, rows));
    EXPECT_EQ(layout.rowTop(0), -95);
    EXPECT_TRUE(layout.scrollBy(-1000, rows));
    EXPECT_EQ(layout.rowTop(rows - 1) + layout.rowHeight(), 200);
    EXPECT_FALSE(layout.scrollBy(-1, rows));
    EXPECT_EQ(layout.rowAt(200 - 15, rows), 9);
    EXPECT_TRUE(layout.scrollBy(5000, rows));
    EXPECT_EQ(layout.rowTop(0), 5);
}

TEST(PanelScroll, RemovingRowsPullsTheScrollBackWithinLimits)
{
    LayerPanelLayout layout(30, 200);
    layout.scrollBy(-1000, 10);
    layout.clampScroll(6);  // bottom 5 + 5 * 37 + 30 = 220
    EXPECT_EQ(layout.rowTop(5) + 30, 200);
    layout.clampScroll(2);
    EXPECT_EQ(layout.rowTop(0), 5);
}

TEST(PanelRows, EveryCommandKeepsTheLayersRowPositions)
{
    Fixture f;
    LayerPanelRows rows(*f.ops);
    rows.setRowHeight(20);
    f.growTo(4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rows.rowTop(i), 5 + i * 27);
    rows.setPanelHeight(60);  // bottom 5 + 3 * 27 + 20 = 106
    rows.scrollBy(-100);
    EXPECT_EQ(rows.rowTop(3) + 20, 60);
    f.ops->deleteLayer();
    f.ops->deleteLayer();  // two rows end at 5 + 27 + 20 = 52: they fit again
    EXPECT_EQ(rows.rowTop(0), 5);
}

TEST(PanelRows, RowsBelowADeletedLayerMoveUpOneStep)
{
    Fixture f;
    LayerPanelRows rows(*f.ops);
    f.ops->newLayer("b");
    f.ops->newLayer("a");
    const int step = rows.layout().rowStep();
    ASSERT_EQ(rows.rowTop(2), 5 + 2 * step);
    f.ops->deleteLayer();
    EXPECT_EQ(rows.rowTop(0), 5);
    EXPECT_EQ(rows.rowTop(1), 5 + step);
    EXPECT_EQ(rows.rows(), 2);
}

TEST(PanelRows, SwappedLayersSwapRows)
{
    Fixture f;
    LayerPanelRows rows(*f.ops);
    f.ops->newLayer("b");
    f.ops->newLayer("a");  // a, b, 背景
    const int rowA = rows.rowTop(0), rowBg = rows.rowTop(2);
    ASSERT_TRUE(f.ops->reorder(0, 2));
    EXPECT_EQ(f.names(), (std::vector<std::string>{"背景", "b", "a"}));
    EXPECT_EQ(rows.rowAt(rowA), 0) << "the background now has the top row";
    EXPECT_EQ(rows.rowAt(rowBg), 2);
}

TEST(PanelRows, MergedRowsCloseUp)
{
    Fixture f;
    LayerPanelRows rows(*f.ops);
    f.growTo(4);
    f.ops->toggleLinked(2);
    f.ops->toggleLinked(3);
    f.ops->mergeLinked();
    const int step = rows.layout().rowStep();
    for (int i = 0; i < f.list().size(); ++i)
        EXPECT_EQ(rows.rowTop(i), 5 + i * step);
}

TEST(PanelRows, AListPutBackWholeIsLaidOutAgain)
{
    Fixture f;
    int redraws = 0;
    LayerPanelRows rows(*f.ops, [&] { ++redraws; });
    rows.setRowHeight(20);
    f.growTo(6);
    rows.setPanelHeight(60);
    ASSERT_TRUE(rows.scrollBy(-1000));
    // An undo step puts back a list of two layers; the panel hears of it through relayout.
    f.doc.layers.layers.resize(2);
    redraws = 0;
    f.ops->relayout();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(rows.rowTop(0), 5);
}

}  // namespace
}  // namespace brenmark::layertest
