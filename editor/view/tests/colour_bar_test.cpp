// The colour bar's geometry, orders, picks and lock crosses, and the overview's drag.
#include "editor/view/colour_bar.h"
#include "editor/view/overview.h"
#include "editor/view/tests/view_fixture.h"

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::test;

TEST(ColourBar, FiveSwatchesAcrossAHundredPixels)
{
    ViewFixture f;
    f.make(2, 2, {1, 2, 3, 4, 5, 6, 7});
    ColourBar bar(f.doc);
    EXPECT_EQ(ColourBar::perRow(100), 5);
    EXPECT_EQ(bar.swatchRect(4, 100), QRect(92, 0, 20, 12));
    EXPECT_EQ(bar.swatchRect(5, 100), QRect(0, 15, 20, 12));
    EXPECT_EQ(bar.rowCount(100), 2);
    EXPECT_EQ(bar.swatchAt(QPoint(93, 5), 100), 4);
    EXPECT_EQ(bar.swatchAt(QPoint(22, 5), 100), -1);  // between swatches
    EXPECT_EQ(bar.swatchAt(QPoint(5, 14), 100), -1);
    EXPECT_EQ(bar.swatchAt(QPoint(40, 20), 100), 6);
    EXPECT_EQ(bar.swatchAt(QPoint(50, 20), 100), -1);  // row 1 has only two swatches
}

TEST(ColourBar, SortingByColourStartsAtTheSmallestValueThenTheNearest)
{
    ViewFixture f;
    f.make(2, 2, {rgb(250, 250, 250), rgb(10, 0, 0), rgb(0, 0, 200), rgb(240, 240, 240), rgb(0, 0, 190)});
    ColourBar bar(f.doc);
    bar.setOrder(ColourBar::Order::ByColour);
    std::vector<ColorRef> order;
    for (const auto& s : bar.swatches())
        order.push_back(s.colour);
    EXPECT_EQ(order, (std::vector<ColorRef>{rgb(10, 0, 0), rgb(0, 0, 190), rgb(0, 0, 200), rgb(240, 240, 240),
                                            rgb(250, 250, 250)}));
}

TEST(ColourBar, SortingByUsageIsDescendingByCellCount)
{
    ViewFixture f;
    f.make(3, 2, {rgb(1, 0, 0), rgb(2, 0, 0), rgb(3, 0, 0)});
    f.doc.grid.cells = {2, 2, 2, 1, 1, 0};
    ColourBar bar(f.doc);
    bar.setOrder(ColourBar::Order::ByUsage);
    const auto list = bar.swatches();
    EXPECT_EQ(list[0].colour, rgb(3, 0, 0));
    EXPECT_EQ(list[1].colour, rgb(2, 0, 0));
    EXPECT_EQ(list[2].colour, rgb(1, 0, 0));
}

TEST(ColourBar, AClickPicksTheFirstThreadOfTheSwatchesColour)
{
    ViewFixture f;
    f.make(2, 2, {rgb(9, 9, 9), rgb(1, 1, 1), rgb(9, 9, 9)});
    ColourBar bar(f.doc);
    const auto pick = bar.click(QPoint(23 * 2 + 3, 3), 100, true);
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->threadIndex, 0);
    EXPECT_EQ(pick->colour, rgb(9, 9, 9));
    EXPECT_TRUE(pick->ctrl);
    EXPECT_EQ(bar.selected(), 2);
    EXPECT_FALSE(bar.click(QPoint(21, 3), 100, false));
    EXPECT_EQ(bar.selected(), 2);
}

TEST(ColourBar, LockCrossesContrastWithTheSwatch)
{
    ViewFixture f;
    f.make(2, 2, {rgb(255, 255, 255), rgb(0, 0, 0)});
    f.doc.lockFlags = {1, 1};
    ColourBar bar(f.doc);
    QImage img(100, 30, QImage::Format_RGB32);
    QPainter p(&img);
    bar.paint(p, img.size());
    p.end();
    // On the diagonals from the top-left corner (20 across, 12 down).
    EXPECT_EQ(at(img, 5, 3), 0x000000u);
    EXPECT_EQ(at(img, 23 + 5, 3), 0xFFFFFFu);
    EXPECT_EQ(contrastColour(rgb(255, 0, 0)), 0u);
    EXPECT_EQ(contrastColour(rgb(0, 255, 0)), kWhite);
}

TEST(ColourBar, ScrollingStopsAtBothEnds)
{
    ViewFixture f;
    f.make(2, 2);
    ColourBar bar(f.doc);
    EXPECT_FALSE(bar.scroll(0, 0, 10, 4));  // already at the top
    EXPECT_TRUE(bar.scroll(1, 0, 10, 4));
    EXPECT_EQ(bar.firstRowTop(), -15);
    EXPECT_TRUE(bar.scroll(4, 7, 10, 4));
    EXPECT_FALSE(bar.scroll(1, 0, 10, 4));  // 7 is the maximum: 10 - 4 + 1
    EXPECT_FALSE(bar.scroll(5, 3, 10, 4));
}

TEST(Overview, FrameCoversTheVisiblePartAndDragToTopLeftScrollsHome)
{
    ViewFixture f;
    f.make(300, 100);
    f.view.rebuildOverview(QSize(150, 150));
    EXPECT_DOUBLE_EQ(f.view.overviewScale(), 2.0);  // wider than tall: fills the width
    EXPECT_EQ(f.view.overviewOffset(), QPoint(0, 50));

    struct Host : ViewHost {
        QRect frame;
        void overviewFrame(const QRect& r) override { frame = r; }
    } host;
    f.view.setHost(&host);
    f.view.setOrigin(QPoint(kLeftRuler - 100 * 8, kTopRuler - 40 * 8));
    f.paint();
    EXPECT_EQ(f.view.firstColumn(), 100);
    EXPECT_EQ(host.frame.left(), 50);
    EXPECT_EQ(host.frame.top(), 70);

    Overview overview(f.view);
    overview.setVisibleRect(host.frame);
    ASSERT_TRUE(overview.press(host.frame.center()));
    overview.move(host.frame.center() - QPoint(1000, 1000), QSize(150, 150));
    EXPECT_EQ(overview.frameRect().topLeft(), QPoint(0, 0));
    ASSERT_TRUE(overview.release(host.frame.center() - QPoint(1000, 1000), QSize(150, 150)));
    f.paint();
    // The frame's top-left is the overview's corner, above the pattern: the view clamps home.
    EXPECT_EQ(f.view.firstColumn(), 0);
    EXPECT_EQ(f.view.firstRow(), 0);
    EXPECT_FALSE(overview.press(QPoint(149, 149)));
}
