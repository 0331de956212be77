// The printed pages: pagination, where the chart and its marks stand, and rendered pages.
#include "editor/render/chart_layout.h"

#include "editor/render/tests/chart_test_support.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

PatternDocument pattern(int w, int h)
{
    return test::checkerPattern(w, h);
}

QImage render(const ChartLayout& layout, int page, ChartStyle style)
{
    QImage img(layout.pageSize(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    layout.drawPage(p, page, style);
    return img;
}

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

}  // namespace

TEST(ChartLayout, MillimetresBecomeWholePixelsRoundedByTheFirstDecimal)
{
    EXPECT_EQ(cellPixelsFromMillimetres(2.65), 10);  // 10.01
    EXPECT_EQ(cellPixelsFromMillimetres(2.5), 9);    // 9.45: first decimal 4
    EXPECT_EQ(cellPixelsFromMillimetres(2.52), 10);  // 9.52
}

TEST(ChartLayout, AWidePatternIsCutIntoPagesAcross)
{
    const PageGrid g = paginate(900, 1200, 10, 100, 50, 20);
    EXPECT_EQ(g.columnsPerPage, 81);  // (900 - 2 * 43) / 10
    EXPECT_EQ(g.pagesAcross, 2);
    EXPECT_EQ(g.rowsPerPage, 50);                // (1200 - 43 - 63) / 10 - 1 = 108, cut to the height
    EXPECT_EQ(g.total, 3);
}

TEST(ChartLayout, ATallPatternIsCutIntoPagesDown)
{
    const PageGrid g = paginate(900, 1200, 10, 40, 250, 20);
    EXPECT_EQ(g.pagesAcross, 1);
    EXPECT_EQ(g.columnsPerPage, 40);
    EXPECT_EQ(g.rowsPerPage, 108);
    EXPECT_EQ(g.pagesDown, 3);
    EXPECT_EQ(g.total, 4);
}

TEST(ChartLayout, PagesWalkRowsOfPagesAndTheLastOnesAreCut)
{
    const PatternDocument doc = pattern(100, 250);
    const ChartLayout layout(doc, PrintSettings{}, QSize(900, 1200));
    ASSERT_EQ(layout.grid().pagesAcross, 2);
    const int rows = layout.grid().rowsPerPage;
    EXPECT_EQ(layout.pageCells(1), QRect(0, 0, 81, rows));
    EXPECT_EQ(layout.pageCells(2), QRect(81, 0, 19, rows));
    EXPECT_EQ(layout.pageCells(3), QRect(0, rows, 81, rows));
}

TEST(ChartLayout, ANarrowPatternIsCentredAcross)
{
    const PatternDocument doc = pattern(30, 20);
    const ChartLayout layout(doc, PrintSettings{}, QSize(800, 1100));
    EXPECT_EQ(layout.chartOrigin(30).x(), (800 - 300) / 2);
    EXPECT_EQ(layout.chartOrigin(30).y(), 43 + layout.titleHeight());
    // Never into the margin.
    EXPECT_EQ(layout.chartOrigin(78).x(), 43);
}

TEST(ChartLayout, CentreMarksBetweenRowsForEvenHeightsInTheRowForOdd)
{
    EXPECT_EQ(ChartLayout::centreOffset(20), 10.0);  // between rows 10 and 11
    EXPECT_EQ(ChartLayout::centreOffset(21), 10.5);  // the middle of row 11
}

TEST(ChartLayout, RulerNumbersAtTheFirstEveryTenthAndTheLast)
{
    EXPECT_EQ(ChartLayout::rulerNumbers(25), (std::vector<int>{1, 10, 20, 25}));
    EXPECT_EQ(ChartLayout::rulerNumbers(20), (std::vector<int>{1, 10, 20}));
}

TEST(ChartLayout, AChosenPagePrintsAloneAllPagesEndWithTheKey)
{
    const PageGrid g = paginate(900, 1200, 10, 100, 50, 20);
    EXPECT_EQ(pagesToPrint(g, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(pagesToPrint(g, 1), (std::vector<int>{1}));
    EXPECT_EQ(pagesToPrint(g, 3), (std::vector<int>{3}));
}

TEST(ChartLayout, HeaderNamesThePageOfThePatternPages)
{
    const PatternDocument doc = pattern(100, 50);
    const ChartLayout layout(doc, PrintSettings{}, QSize(900, 1200));
    EXPECT_EQ(layout.header(2), "Velmora十字绣绣图 --第2张 共2张");
}

TEST(ChartLayout, ColourPagesFillCellsAndWriteWhiteSymbolsOnDarkOnes)
{
    PatternDocument doc = pattern(20, 20);
    for (auto& s : doc.symbols)
        s.symbol = "■";
    PrintSettings settings;
    settings.cellSize = 20;
    const ChartLayout layout(doc, settings, QSize(800, 1100));
    const QImage img = render(layout, 1, ChartStyle::PrintColour);
    const QPoint o = layout.chartOrigin(20);
    // Cell (0, 0) is the dark thread: its corner is the thread colour, its middle white ink.
    EXPECT_EQ(at(img, o.x() + 2, o.y() + 2), 0x000060u);
    EXPECT_EQ(at(img, o.x() + 10, o.y() + 10), 0xFFFFFFu);
    // Cell (1, 0) is yellow with black ink.
    EXPECT_EQ(at(img, o.x() + 20 + 2, o.y() + 2), 0xFFFF00u);
    EXPECT_EQ(at(img, o.x() + 30, o.y() + 10), 0x000000u);
    // The tenth column line is the two-unit ten-line pen, black.
    EXPECT_EQ(at(img, o.x() + 200, o.y() + 5), 0x000000u);
    EXPECT_EQ(at(img, o.x() + 199, o.y() + 5), 0x000000u);
    // The page outside the chart is white paper.
    EXPECT_EQ(at(img, 5, 1000), 0xFFFFFFu);
}

TEST(ChartLayout, BlackAndWhitePagesLeaveTheCellsWhite)
{
    const PatternDocument doc = pattern(20, 20);
    PrintSettings settings;
    settings.cellSize = 20;
    const ChartLayout layout(doc, settings, QSize(800, 1100));
    const QImage img = render(layout, 1, ChartStyle::PrintBlackWhite);
    const QPoint o = layout.chartOrigin(20);
    EXPECT_EQ(at(img, o.x() + 2, o.y() + 2), 0xFFFFFFu);
    // The thin lines take the grid colour.
    EXPECT_EQ(at(img, o.x() + 20, o.y() + 5), 0x787878u);
}

TEST(ChartLayout, ColouredSymbolsFillNoCells)
{
    const PatternDocument doc = pattern(20, 20);
    PrintSettings settings;
    settings.cellSize = 20;
    const ChartLayout layout(doc, settings, QSize(800, 1100));
    const QImage img = render(layout, 1, ChartStyle::ColouredSymbols);
    const QPoint o = layout.chartOrigin(20);
    EXPECT_EQ(at(img, o.x() + 2, o.y() + 2), 0xFFFFFFu);
}

TEST(ChartLayout, TheKeyPageDrawsOnWhite)
{
    const PatternDocument doc = pattern(20, 20);
    const ChartLayout layout(doc, PrintSettings{}, QSize(800, 1100));
    const QImage img = render(layout, layout.grid().total, ChartStyle::PrintColour);
    EXPECT_EQ(at(img, 790, 1090), 0xFFFFFFu);
    // The first thread's symbol cell is its colour (dark blue); the key stands in the page's
    // margin like the chart.
    int blue = 0;
    const int m = layout.margin();
    for (int y = 43; y < 43 + 60; ++y)
        for (int x = m + 60; x < m + 60 + 50; ++x)
            blue += at(img, x, y) == 0x000060u;
    EXPECT_GT(blue, 100);
}
