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
    f.make(2, 2, {rgb(1, 1, 1), rgb(9, 9, 9), rgb(9, 9, 9)});
    ColourBar bar(f.doc);
    // Two threads of one colour share one swatch.
    ASSERT_EQ(bar.swatches().size(), 2u);
    EXPECT_FALSE(bar.click(QPoint(23 * 2 + 3, 3), 100, true));
    const auto pick = bar.click(QPoint(23 * 1 + 3, 3), 100, true);
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->threadIndex, 1);
    EXPECT_EQ(pick->colour, rgb(9, 9, 9));
    EXPECT_TRUE(pick->ctrl);
    EXPECT_EQ(bar.selected(), 1);
    EXPECT_FALSE(bar.click(QPoint(21, 3), 100, false));
    EXPECT_EQ(bar.selected(), 1);
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

namespace {

QImage paintBar(const ColourBar& bar, QSize size = QSize(100, 45))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    bar.paint(p, img.size());
    return img;
}

// The framed swatch has a white top edge (the 3-D frame's light side); the others black.
bool framedAt(const QImage& img, const QRect& swatch)
{
    return at(img, swatch.left() + 10, swatch.top()) == 0xFFFFFFu && at(img, swatch.left(), swatch.top() + 6) == 0xFFFFFFu &&
           at(img, swatch.left() + 10, swatch.top() + 12) != 0xFFFFFFu;
}

// Both diagonals of a swatch, 20 across and 12 down from each top corner.
bool crossedIn(const QImage& img, const QRect& swatch, QRgb ink)
{
    return at(img, swatch.left() + 5, swatch.top() + 3) == ink && at(img, swatch.left() + 15, swatch.top() + 3) == ink &&
           at(img, swatch.left() + 5, swatch.top() + 9) == ink && at(img, swatch.left() + 15, swatch.top() + 9) == ink;
}

QRgb qrgbOf(ColorRef c) { return (redOf(c) << 16) | (greenOf(c) << 8) | blueOf(c); }

}  // namespace

TEST(ColourBar, TheFrameStaysOnThePickedThreadThroughEveryOrder)
{
    ViewFixture f;
    // Table order red, blue, green, dark red; by colour the dark red comes first.
    const ColorRef red = rgb(200, 0, 0), blue = rgb(0, 0, 200), green = rgb(0, 200, 0), dark = rgb(40, 0, 0);
    f.make(2, 2, {red, blue, green, dark});
    f.doc.grid.cells = {2, 2, 2, 1};  // by usage: green, blue, red, dark red
    ColourBar bar(f.doc);
    const auto pick = bar.click(bar.swatchRect(0, 100).center(), 100, false);
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->colour, red);
    EXPECT_EQ(bar.selectedThread(), 0);

    for (ColourBar::Order order : {ColourBar::Order::ByColour, ColourBar::Order::ByUsage, ColourBar::Order::Table}) {
        bar.setOrder(order);
        const auto list = bar.swatches();
        const int place = bar.selected();
        ASSERT_GE(place, 0);
        EXPECT_EQ(list[static_cast<std::size_t>(place)].colour, red);
        const QImage img = paintBar(bar);
        for (int i = 0; i < 4; ++i) {
            const QRect r = bar.swatchRect(i, 100);
            EXPECT_EQ(framedAt(img, r), i == place) << "order " << int(order) << " swatch " << i;
            if (i == place) {
                EXPECT_EQ(at(img, r.left() + 10, r.top() + 6), qrgbOf(red));
            }
        }
    }
    // By colour the red thread sits second (after the dark red): the frame went with it.
    bar.setOrder(ColourBar::Order::ByColour);
    EXPECT_EQ(bar.selected(), 1);
}

TEST(ColourBar, SelectingAPlaceSelectsTheThreadShownThere)
{
    ViewFixture f;
    f.make(2, 2, {rgb(200, 0, 0), rgb(10, 0, 0)});
    ColourBar bar(f.doc);
    bar.setOrder(ColourBar::Order::ByColour);
    bar.setSelected(0);
    EXPECT_EQ(bar.selectedThread(), 1);
    bar.setOrder(ColourBar::Order::Table);
    EXPECT_EQ(bar.selected(), 1);
    bar.setSelected(7);
    EXPECT_EQ(bar.selectedThread(), -1);
    EXPECT_EQ(bar.selected(), -1);
}

TEST(ColourBar, LockCrossesMoveWithTheirThreadsInEveryOrder)
{
    ViewFixture f;
    const ColorRef white = rgb(255, 255, 255), black = rgb(0, 0, 0), grey = rgb(128, 128, 128), navy = rgb(0, 0, 90);
    f.make(2, 2, {white, grey, black, navy});
    f.doc.lockFlags = {1, 0, 1, 1};
    f.doc.grid.cells = {3, 3, 2, 1};
    ColourBar bar(f.doc);
    bar.click(bar.swatchRect(2, 100).center(), 100, false);  // a framed swatch keeps its cross
    for (ColourBar::Order order : {ColourBar::Order::Table, ColourBar::Order::ByColour, ColourBar::Order::ByUsage}) {
        bar.setOrder(order);
        const auto list = bar.swatches();
        const QImage img = paintBar(bar);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const QRect r = bar.swatchRect(static_cast<int>(i), 100);
            const QRgb ink = qrgbOf(contrastColour(list[i].colour));
            EXPECT_EQ(list[i].locked, f.doc.lockFlags[static_cast<std::size_t>(list[i].thread)] != 0);
            EXPECT_EQ(crossedIn(img, r, ink), list[i].locked) << "order " << int(order) << " swatch " << i;
        }
    }
    // Light grey takes a black cross once it is locked, the dark navy a white one.
    EXPECT_EQ(contrastColour(grey), 0u);
    EXPECT_EQ(contrastColour(navy), kWhite);
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

TEST(Overview, AClickOutsideTheFrameCentresTheViewThere)
{
    ViewFixture f;
    f.client = QSize(400, 300);
    f.make(300, 300);
    f.view.rebuildOverview(QSize(150, 150));  // two cells an overview pixel
    f.paint();
    Overview overview(f.view);
    struct Host : ViewHost {
        QRect frame;
        void overviewFrame(const QRect& r) override { frame = r; }
    } host;
    f.view.setHost(&host);
    f.paint();
    overview.setVisibleRect(host.frame);
    // Overview pixel (100, 75) shows cells 200..201 and 150..151.
    EXPECT_FALSE(overview.press(QPoint(100, 75)));
    EXPECT_FALSE(overview.dragging());
    f.paint();
    const QPoint centre(kLeftRuler + (400 - kLeftRuler) / 2, kTopRuler + (300 - kTopRuler) / 2);
    const QPoint cell = f.view.cellAt(centre);
    EXPECT_GE(cell.x(), 200);
    EXPECT_LE(cell.x(), 201);
    EXPECT_GE(cell.y(), 150);
    EXPECT_LE(cell.y(), 151);
    // The frame followed: it holds the point now.
    overview.setVisibleRect(host.frame);
    EXPECT_TRUE(overview.shownRect().contains(QPoint(100, 75)));
    f.view.setHost(nullptr);
}

TEST(Overview, TheFrameIsNeverDrawnSmallerThanEightPixels)
{
    ViewFixture f;
    f.client = QSize(300, 200);
    f.make(2000, 2000);
    f.view.rebuildOverview(QSize(160, 160));
    while (f.view.zoomIn()) {
    }
    struct Host : ViewHost {
        QRect frame;
        void overviewFrame(const QRect& r) override { frame = r; }
    } host;
    f.view.setHost(&host);
    f.view.setOrigin(QPoint(kLeftRuler - 1000 * 32, kTopRuler - 1000 * 32));
    f.paint();
    f.view.setHost(nullptr);
    ASSERT_LT(host.frame.width(), 8);  // eight columns of 2000 in 160 pixels
    Overview overview(f.view);
    overview.setVisibleRect(host.frame);
    const QRect shown = overview.shownRect();
    EXPECT_EQ(shown.width(), 8);
    EXPECT_EQ(shown.height(), 8);
    EXPECT_TRUE(shown.contains(host.frame.center()));
    // It can be grabbed anywhere in what is drawn.
    EXPECT_TRUE(overview.press(shown.topLeft()));
    const QImage img = overview.frameImage();
    EXPECT_EQ(img.pixel(shown.topLeft()) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(img.pixel(shown.bottomRight()) & 0xFFFFFF, 0x00FF00u);
}
