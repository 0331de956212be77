// The key under a printed chart: amounts, the whole-chart canvas, the fabric line, the outline
// legend and the maker's line.
#include "editor/document/thread_amounts.h"
#include "editor/render/chart_layout.h"
#include "editor/render/qt_colour.h"
#include "editor/render/symbol_glyphs.h"
#include "editor/render/tests/chart_test_support.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

PatternDocument threadsPattern(int w, int h, int threads)
{
    PatternDocument doc;
    doc.create(w, h, "DMC");
    for (int i = 0; i < threads; ++i)
        doc.addThread(rgb(i * 8, 255 - i * 8, 100), std::to_string(100 + i));
    doc.assignDefaultSymbols();
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            doc.setCell(c, r, (c + r * w) % threads);
    return doc;
}

int titleHeight()
{
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    return ChartLayout(doc, PrintSettings{}, QSize(800, 1000)).titleHeight();
}

QImage drawKey(const ChartLayout& layout, ChartStyle style, int* bottom = nullptr)
{
    QImage img(layout.pageSize(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const int y = layout.drawKey(p, style, QPoint(0, 20), layout.pageSize().width());
    if (bottom)
        *bottom = y;
    return img;
}

bool hasColour(const QImage& img, QRgb colour, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu))
                return true;
    return false;
}

BackstitchLine line(int c0, int r0, int c1, int r1, ColorRef colour, std::string thread = {})
{
    BackstitchLine l;
    l.startColumn = c0;
    l.startRow = r0;
    l.endColumn = c1;
    l.endRow = r1;
    l.color = colour;
    l.thread = std::move(thread);
    return l;
}

}  // namespace

TEST(ChartKey, TheWholeChartCanvasFollowsThePatternAndTheKeyColumns)
{
    const PatternDocument doc = threadsPattern(100, 80, 30);
    const int t = titleHeight();
    // Metres: C = (1104 - 105) / 50 = 19, two bands; cells: C = (1104 - 80) / 50 = 20, two bands.
    EXPECT_EQ(ChartLayout::wholeChartSize(doc, true), QSize(1104, 2 * 45 + 800 + t + 140));
    EXPECT_EQ(ChartLayout::wholeChartSize(doc, false), QSize(1104, 2 * 45 + 800 + t + 140));
    const PatternDocument more = threadsPattern(100, 80, 40);  // 40 threads: 3 bands of 19, 2 of 20
    EXPECT_EQ(ChartLayout::wholeChartSize(more, true).height(), 3 * 45 + 800 + t + 140);
    EXPECT_EQ(ChartLayout::wholeChartSize(more, false).height(), 2 * 45 + 800 + t + 140);

    PrintSettings metres;
    metres.amountsInMetres = true;
    const ChartLayout whole = ChartLayout::wholeChart(doc, metres);
    EXPECT_EQ(whole.pageSize(), ChartLayout::wholeChartSize(doc, true));
    EXPECT_EQ(whole.grid().patternPages(), 1);
    EXPECT_EQ(whole.keyColumns(whole.pageSize().width() - 20), 19);
    PrintSettings cells;
    EXPECT_EQ(ChartLayout::wholeChart(doc, cells).keyColumns(1104 - 20), 20);
}

TEST(ChartKey, TheWholeChartKeepsChartAndKeyInsideItsCanvas)
{
    PatternDocument doc = threadsPattern(30, 20, 45);
    doc.lines.push_back(line(0, 0, 10, 10, doc.threads.colors[3]));
    PrintSettings settings;
    settings.amountsInMetres = true;
    const ChartLayout whole = ChartLayout::wholeChart(doc, settings, 8, FabricName{"白色", "B5200"});
    QImage img(whole.pageSize(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    whole.drawWholeChart(p, ChartStyle::PrintColour);
    const int chartBottom = whole.margin() + whole.titleHeight() + 10 * doc.height();
    const int keyBottom = whole.drawKey(p, ChartStyle::PrintColour, QPoint(20, chartBottom + whole.margin() / 2 + 15), whole.pageSize().width() - 20);
    p.end();
    EXPECT_LE(keyBottom, whole.pageSize().height());
    EXPECT_FALSE(hasColour(img, qRgb(255, 0, 255), img.rect()));  // all painted white first
    // The last band's symbol cells carry their thread colours.
    EXPECT_TRUE(hasColour(img, qColour(doc.threads.colors[44]).rgb(), QRect(0, chartBottom, img.width(), img.height() - chartBottom)));
}

TEST(ChartKey, AmountsAreCellsOrSixStrandMetresWithTheColoursOutline)
{
    PatternDocument doc = threadsPattern(10, 10, 4);  // 25 cells each
    doc.addThread(doc.threads.colors[1], "dup");      // a second entry of thread 1's colour, no cells
    doc.lines.push_back(line(0, 0, 3, 4, doc.threads.colors[1]));  // length 5
    PrintSettings settings;
    const ChartLayout byCells(doc, settings, QSize(800, 1000));
    EXPECT_EQ(byCells.keyAmount(0), "25");
    EXPECT_EQ(byCells.keyAmount(4), "0");
    settings.amountsInMetres = true;
    settings.fabric = "18CT";
    settings.strands = 3;
    const ChartLayout byMetres(doc, settings, QSize(800, 1000));
    EXPECT_EQ(byMetres.keyAmount(0), metresText(skeinMetres("18CT", 25, 3)));
    EXPECT_EQ(byMetres.keyAmount(1), metresText(skeinMetres("18CT", 25, 3) + 5 * kOutlineRate));
    EXPECT_EQ(byMetres.keyAmount(4), metresText(0));  // the colour's outline is counted once
    EXPECT_EQ(byMetres.keyLabelWidth(), 85);
    EXPECT_EQ(byCells.keyLabelWidth(), 60);
}

TEST(ChartKey, OutlineThreadsAreOnePerColourInOrderOfFirstUse)
{
    PatternDocument doc = threadsPattern(10, 10, 3);
    const ColorRef stray = rgb(1, 2, 3);
    doc.lines.push_back(line(0, 0, 0, 2, doc.threads.colors[2]));
    doc.lines.push_back(line(0, 0, 3, 0, stray));
    doc.lines.push_back(line(1, 1, 4, 5, doc.threads.colors[2]));
    const auto threads = ChartLayout(doc, PrintSettings{}, QSize(800, 1000)).outlineThreads();
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_EQ(threads[0].number, "102");
    EXPECT_EQ(threads[0].length, 2 + 5);
    EXPECT_EQ(threads[1].colour, stray);
    EXPECT_EQ(threads[1].number, "");  // no thread of that colour, and the line names none
    doc.lines.insert(doc.lines.begin(), line(0, 0, 1, 0, stray, "B5200"));
    EXPECT_EQ(ChartLayout(doc, PrintSettings{}, QSize(800, 1000)).outlineThreads()[0].number, "B5200");
}

TEST(ChartKey, TheLegendWrapsAtThePageEdge)
{
    PatternDocument doc = threadsPattern(10, 10, 40);
    for (int i = 0; i < 40; ++i)
        doc.lines.push_back(line(0, 0, 1 + i % 9, 1, doc.threads.colors[static_cast<std::size_t>(i)]));
    int narrowBottom = 0, wideBottom = 0;
    drawKey(ChartLayout(doc, PrintSettings{}, QSize(300, 2000)), ChartStyle::PrintColour, &narrowBottom);
    drawKey(ChartLayout(doc, PrintSettings{}, QSize(3000, 2000)), ChartStyle::PrintColour, &wideBottom);
    // The narrow key has more bands and more legend lines; its legend still ends on the page.
    EXPECT_GT(narrowBottom, wideBottom);
    EXPECT_LT(narrowBottom, 2000);
}

TEST(ChartKey, LegendSamplesAreInThreadColourOnColourPagesAndBlackOtherwise)
{
    PatternDocument doc = threadsPattern(4, 4, 2);
    const ColorRef red = rgb(250, 0, 0);
    doc.addThread(red, "666");
    doc.lines.push_back(line(0, 0, 3, 0, red));
    PrintSettings settings;
    settings.cellSize = 16;  // sample pen 4 wide
    const ChartLayout layout(doc, settings, QSize(600, 400));
    int bottom = 0;
    const QImage colour = drawKey(layout, ChartStyle::PrintColour, &bottom);
    // Below the one band: the legend line.
    const QRect legend(0, 20 + 20 + 45, 600, bottom - 85);
    EXPECT_TRUE(hasColour(colour, qRgb(250, 0, 0), legend));
    const QImage bw = drawKey(layout, ChartStyle::PrintBlackWhite);
    EXPECT_FALSE(hasColour(bw, qRgb(250, 0, 0), bw.rect()));
}

TEST(ChartKey, ALargeAmountFitsItsCellAndNeverSpillsOverItsBorders)
{
    // 160000 cells of one thread on 8CT with 6 strands: "3360.00m", wider than a 51-unit
    // cell in the key's 12-pixel type.
    PatternDocument doc = threadsPattern(400, 400, 1);
    PrintSettings settings;
    settings.amountsInMetres = true;
    settings.fabric = "8CT";
    settings.strands = 6;
    const ChartLayout layout(doc, settings, QSize(800, 1000));
    EXPECT_EQ(layout.keyAmount(0), "3360.00m");
    const QImage img = drawKey(layout, ChartStyle::PrintBlackWhite);
    // The first column: x from 85 to 85 + 51; the amounts row from 20 + 20 + 30, 15 high.
    const int columnWidth = (800 - 85) / layout.keyColumns(800);
    const int right = 85 + columnWidth;
    const QRect beside(right + 2, 71, 60, 13);
    for (int y = beside.top(); y <= beside.bottom(); ++y)
        for (int x = beside.left(); x <= beside.right(); ++x)
            ASSERT_EQ(img.pixel(x, y) & 0xFFFFFFu, 0xFFFFFFu) << x << "," << y;
    // The whole text is shown in the cell: in smaller type, every character inked.
    const QFont base = songTi(12);
    const QFont fitted = ChartLayout::fittedKeyFont(base, u"3360.00m"_qs, columnWidth);
    EXPECT_LT(fitted.pixelSize(), 12);
    EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(u"3360.00m"_qs), columnWidth - 2);
    EXPECT_EQ(ChartLayout::fittedKeyFont(base, u"12"_qs, columnWidth).pixelSize(), 12);  // short text keeps its size
    bool inked = false;
    for (int x = 86; x < right - 1; ++x)
        inked = inked || hasColour(img, qRgb(0, 0, 0), QRect(x, 72, 1, 11));
    EXPECT_TRUE(inked);
}

TEST(ChartKey, AThreadOfOneStitchShowsLessThanOneCentimetreNotNothing)
{
    EXPECT_EQ(metresText(skeinMetres("14CT", 1, 2)), "<0.01m");
    EXPECT_EQ(metresText(0), "0.00m");
    EXPECT_EQ(metresText(0.006), "0.01m");
}

TEST(ChartKey, TheKeyPageKeepsTheChartPagesMargins)
{
    PatternDocument doc = threadsPattern(30, 30, 40);
    const ChartLayout layout(doc, PrintSettings{}, QSize(800, 1000));
    ASSERT_GT(layout.margin(), 0);
    QImage img(layout.pageSize(), QImage::Format_RGB32);
    QPainter p(&img);
    layout.drawPage(p, layout.grid().total, ChartStyle::PrintColour);
    p.end();
    const int m = layout.margin();
    auto blank = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu)
                    return false;
        return true;
    };
    EXPECT_TRUE(blank(QRect(0, 0, m, 1000)));
    EXPECT_TRUE(blank(QRect(800 - m, 0, m, 1000)));
    EXPECT_FALSE(blank(QRect(m, m, 800 - 2 * m, 200)));
}

TEST(ChartKey, TheEnglishKeyIsAFlossListOfTheThreadsWithCellsThenTheOutlines)
{
    PatternDocument doc = threadsPattern(12, 5, 3);  // 20 cells each
    doc.addThread(rgb(9, 9, 9), "310");               // no cell: left out
    doc.assignDefaultSymbols();
    doc.lines.push_back(line(0, 0, 0, 4, doc.threads.colors[1]));
    doc.fabric = rgb(240, 234, 218);
    PrintSettings settings;
    settings.englishKey = true;
    settings.fabric = "18CT";
    settings.strands = 3;
    settings.outlineStrands = 2;
    settings.title = "Tulips";
    ChartLayout layout(doc, settings, QSize(800, 1000), FabricName{"米色", "ECRU"});
    layout.setThreadNames({{"100", "Black Brown"}, {"101", "Coral"}, {"ECRU", "Ecru"}});
    const std::vector<FlossLine> lines = layout.flossLines();
    std::vector<std::string> texts;
    for (const FlossLine& l : lines)
        texts.push_back(l.kind == FlossLine::Kind::Text ? l.text
                                                        : l.symbol + "|" + l.strands + "|" + l.brand + "|" + l.number + "|" + l.name +
                                                              "|" + l.amount);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Tulips", "12w X 5h Stitches", "Fabric: 18 count Aida, ecru", "Floss Used for Full Stitches:",
                         doc.symbols[0].symbol + "|3|DMC|100|Black Brown|20", doc.symbols[1].symbol + "|3|DMC|101|Coral|20",
                         doc.symbols[2].symbol + "|3|DMC|102||20", "Floss Used for Back Stitches:", "|2|DMC|101|Coral|4"}));
    EXPECT_EQ(lines[8].kind, FlossLine::Kind::BackStitch);
    // White fabric reads "white"; a fabric colour without a name reads its value.
    doc.fabric = kWhite;
    EXPECT_EQ(ChartLayout(doc, settings, QSize(800, 1000)).flossLines()[2].text, "Fabric: 18 count Aida, white");
    doc.fabric = rgb(0x12, 0x34, 0x56);
    EXPECT_EQ(ChartLayout(doc, settings, QSize(800, 1000)).flossLines()[2].text, "Fabric: 18 count Aida, #123456");

    // The list runs on over as many key pages as it needs, the last pages of the set.
    const PatternDocument many = threadsPattern(20, 20, 150);
    const ChartLayout tall(many, settings, QSize(800, 1000));
    const int perPage = tall.flossLinesPerPage();
    EXPECT_EQ(perPage, (1000 - 2 * tall.margin()) / ChartLayout::kFlossLineHeight);
    EXPECT_EQ(tall.grid().keyPages, (150 + 4 + perPage - 1) / perPage);
    EXPECT_EQ(tall.grid().total, tall.grid().patternPages() + tall.grid().keyPages);
    settings.englishKey = false;
    EXPECT_EQ(ChartLayout(many, settings, QSize(800, 1000)).grid().keyPages, 1);
}

TEST(ChartKey, TheWholeChartTakesTheFlossListUnderTheChartWhenTheKeyIsEnglish)
{
    const PatternDocument doc = threadsPattern(20, 10, 40);
    PrintSettings settings;
    settings.englishKey = true;
    settings.pageOverlap = 3;  // one page: nothing repeats
    const ChartLayout whole = ChartLayout::wholeChart(doc, settings);
    const int lines = static_cast<int>(whole.flossLines().size());
    ASSERT_EQ(lines, 4 + 40);
    EXPECT_EQ(whole.grid().overlapRows, 0);
    EXPECT_EQ(whole.pageSize().width(), 10 * 20 + 104);
    EXPECT_GE(whole.pageSize().height(), whole.wholeKeyTopLeft().y() + lines * ChartLayout::kFlossLineHeight);
    QImage canvas(whole.pageSize(), QImage::Format_RGB32);
    {
        QPainter p(&canvas);
        whole.drawWholeChart(p, ChartStyle::PrintBlackWhite);
    }
    // The last thread's line is drawn, inside the canvas.
    const int lastTop = whole.wholeKeyTopLeft().y() + (lines - 1) * ChartLayout::kFlossLineHeight;
    int ink = 0;
    for (int y = lastTop; y < lastTop + ChartLayout::kFlossLineHeight; ++y)
        for (int x = 0; x < canvas.width(); ++x)
            ink += (canvas.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(ink, 20);
}
