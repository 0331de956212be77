// Where the layer panel's rows go and how far they scroll.
#include "editor/document/tests/layer_test_support.h"

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
    f.ops->layout().setRowHeight(20, f.list().size());
    f.ops->relayout();
    f.growTo(4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.layer(i).rowPosition, 5 + i * 27);
    f.ops->layout().setPanelHeight(60, 4);  // bottom 5 + 3 * 27 + 20 = 106
    f.ops->layout().scrollBy(-100, 4);
    f.ops->relayout();
    EXPECT_EQ(f.layer(3).rowPosition + 20, 60);
    f.ops->deleteLayer();
    f.ops->deleteLayer();  // two rows end at 5 + 27 + 20 = 52: they fit again
    EXPECT_EQ(f.layer(0).rowPosition, 5);
}

}  // namespace
}  // namespace brenmark::layertest
