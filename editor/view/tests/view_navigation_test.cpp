// Getting around a big chart: the zoom steps keep the centre cell, a zoom never ends on blank
// fabric past the chart, fitting the chart to the window, and the ruler numbers.
#include "editor/view/tests/view_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace brenmark;
using namespace brenmark::test;

namespace {

QPoint areaCentre(QSize client)
{
    return {kLeftRuler + (client.width() - kLeftRuler) / 2, kTopRuler + (client.height() - kTopRuler) / 2};
}

struct BigChart : ViewFixture {
    BigChart(int w, int h)
    {
        client = QSize(800, 600);
        doc.create(w, h, "DMC");
        view.patternReplaced();
        paint();
    }
};

}  // namespace

TEST(ViewZoomButtons, EveryStepKeepsTheCellAtTheCentreOfTheView)
{
    // Far enough from the edges that the view can keep the cell even at half a pixel.
    BigChart f(2000, 2000);
    while (f.view.zoomIn()) {
    }
    ASSERT_EQ(f.view.cellSize(), 32.0f);
    f.view.setOrigin(QPoint(kLeftRuler - 975 * 32, kTopRuler - 900 * 32));
    f.paint();
    const QPoint centre = areaCentre(f.client);
    const QPoint cell = f.view.cellAt(centre);
    ASSERT_EQ(cell.x(), 975 + (800 - kLeftRuler) / 2 / 32);
    // At half a pixel a cell one pixel shows two cells: the kept one is one of them.
    const auto near = [&cell](QPoint shown, float s) {
        const int slack = s < 1 ? 1 : 0;
        return std::abs(shown.x() - cell.x()) <= slack && std::abs(shown.y() - cell.y()) <= slack;
    };
    std::vector<float> sizes;
    while (f.view.zoomOut()) {
        sizes.push_back(f.view.cellSize());
        EXPECT_TRUE(near(f.view.cellAt(centre), f.view.cellSize())) << "zoomed out to " << f.view.cellSize();
        f.paint();
        EXPECT_TRUE(near(f.view.cellAt(centre), f.view.cellSize())) << "painted at " << f.view.cellSize();
    }
    EXPECT_EQ(sizes, (std::vector<float>{16, 8, 4, 2, 1, 0.5f}));
    while (f.view.zoomIn()) {
        EXPECT_EQ(f.view.cellAt(centre), cell) << "zoomed in to " << f.view.cellSize();
        f.paint();
        EXPECT_EQ(f.view.cellAt(centre), cell) << "painted at " << f.view.cellSize();
    }
    EXPECT_EQ(f.view.cellSize(), 32.0f);
}

TEST(ViewZoomButtons, OneZoomOutOnAThousandColumnsShowsTheSameColumns)
{
    BigChart f(1000, 1000);
    while (f.view.zoomIn()) {
    }
    // Looking at columns 455 to 478 at 32 pixels a cell.
    f.view.setOrigin(QPoint(kLeftRuler - 455 * 32, kTopRuler - 300 * 32));
    f.paint();
    const QPoint centre = areaCentre(f.client);
    const QPoint cell = f.view.cellAt(centre);
    ASSERT_TRUE(f.view.zoomOut());
    f.paint();
    EXPECT_EQ(f.view.cellAt(centre), cell);
    EXPECT_LE(f.view.firstColumn(), 455);
    EXPECT_GE(f.view.firstColumn(), 440);
}

TEST(ViewZoomButtons, AtTheChartsStartTheViewStaysAtTheRulers)
{
    BigChart f(1000, 1000);
    for (int i = 0; i < 6; ++i) {
        f.view.zoomOut();
        f.paint();
        EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler, kTopRuler)) << f.view.cellSize();
    }
    while (f.view.zoomIn()) {
        f.paint();
        // Zooming in about the centre leaves the start behind, but never past the rulers.
        EXPECT_LE(f.view.origin().x(), kLeftRuler);
        EXPECT_LE(f.view.origin().y(), kTopRuler);
    }
}

TEST(ViewZoomButtons, AtTheChartsEndAZoomOutShowsNoFabricPastIt)
{
    for (const int side : {1000, 2000}) {
        BigChart f(side, side);
        while (f.view.zoomIn()) {
        }
        // Scrolled as far as the view lets it: eight cells left in view.
        f.view.setOrigin(QPoint(-10000000, -10000000));
        f.paint();
        while (f.view.zoomOut()) {
            f.paint();
            const float s = f.view.cellSize();
            const double right = f.view.origin().x() + side * s, bottom = f.view.origin().y() + side * s;
            if (side * s >= f.client.width() - kLeftRuler) {
                EXPECT_GE(right, f.client.width()) << side << " at " << s;
                EXPECT_GE(bottom, f.client.height()) << side << " at " << s;
            } else {
                EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler, kTopRuler)) << side << " at " << s;
            }
            // The overview frame has something to show: the last cell is in view.
            EXPECT_LT(f.view.firstColumn(), side);
            EXPECT_LT(f.view.firstRow(), side);
        }
    }
}

TEST(ViewFit, TheWholeChartShowsAtTheLargestStepThatFits)
{
    BigChart f(300, 100);
    f.view.setOrigin(QPoint(-500, -200));
    ASSERT_TRUE(f.view.fitToWindow());
    // 765 x 580 pixels of pattern area: 2 pixels a cell fit 300 columns, 4 do not.
    EXPECT_EQ(f.view.cellSize(), 2.0f);
    EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler, kTopRuler));

    BigChart big(2000, 2000);
    ASSERT_TRUE(big.view.fitToWindow());
    big.paint();
    const float s = big.view.cellSize();
    EXPECT_LE(2000 * s, 800 - kLeftRuler);
    EXPECT_LE(2000 * s, 600 - kTopRuler);
    EXPECT_GT(4000 * s, 600 - kTopRuler);  // the next step would not fit
    EXPECT_EQ(big.view.origin(), QPoint(kLeftRuler, kTopRuler));
    // From there the zoom buttons go back to the usual steps.
    EXPECT_TRUE(big.view.zoomIn());
    EXPECT_EQ(big.view.cellSize(), 2 * s);

    ViewFixture none;
    EXPECT_FALSE(none.view.fitToWindow());
}

TEST(ViewRulers, LabelsStayOnThePatternsMultiplesAfterScrolling)
{
    ViewFixture f;
    f.client = QSize(600, 400);
    f.make(200, 200);
    ASSERT_EQ(PatternView::rulerLabelStep(8), 10);
    // Scrolled by three cells each way.
    f.view.setOrigin(QPoint(kLeftRuler - 3 * 8, kTopRuler - 3 * 8));
    f.paint();
    ASSERT_EQ(f.view.firstColumn(), 3);
    const auto labels = f.view.rulerLabels(f.client);
    ASSERT_FALSE(labels.empty());
    int top = 0, left = 0;
    for (const PatternView::RulerLabel& l : labels) {
        EXPECT_EQ(l.number % 10, 0) << l.number;
        if (l.top) {
            ++top;
            // On the column border the thick grid line is drawn on.
            EXPECT_EQ(l.at, f.view.origin().x() + l.number * 8.0) << l.number;
        } else {
            ++left;
            EXPECT_EQ(l.at, f.view.origin().y() + (l.number - 1) * 8.0) << l.number;
        }
    }
    EXPECT_EQ(labels.front(), (PatternView::RulerLabel{true, kLeftRuler + 7 * 8.0, 10}));
    EXPECT_GE(top, 5);
    EXPECT_GE(left, 3);
}
