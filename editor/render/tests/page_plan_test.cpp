// One page plan and one key for every target: the printed rules and the page writer's
// scaled rules cut the same way, the key's metrics scale, and the key's pieces stand where
// the printed key puts them.
#include "editor/render/chart_layout.h"
#include "editor/render/key_model.h"
#include "editor/render/page_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace brenmark;

namespace {

int countOf(const KeyDrawing& d, KeyPiece::Kind kind)
{
    return static_cast<int>(std::count_if(d.pieces.begin(), d.pieces.end(), [&](const KeyPiece& p) { return p.kind == kind; }));
}

// Every text 10 units a character, 15 high.
KeyDrawing layOut(const KeyModel& model, const KeyMetrics& metrics, int width)
{
    return layOutKey(model, metrics, QPoint(0, 0), width, [](const std::string& t) { return static_cast<int>(t.size()) * 10; },
                     15);
}

PatternDocument pattern(int threads)
{
    PatternDocument doc;
    doc.create(10, 4, "DMC");
    for (int i = 0; i < threads; ++i)
        doc.addThread(rgb(10 * i, 0, 0), std::to_string(200 + i));
    doc.assignDefaultSymbols();
    for (int c = 0; c < 10; ++c)
        doc.setCell(c, 0, c % threads);
    return doc;
}

}  // namespace

TEST(PagePlan, ThePrintedRulesAreTheCellAndAMarginOfFourAndThreeEighthsCells)
{
    const PageRules rules = PageRules::printed(QSize(900, 1200), 10, 20);
    EXPECT_EQ(rules.pitch(), 10);
    EXPECT_EQ(rules.symbolFont(), 8);
    EXPECT_EQ(rules.margin(), 43);  // trunc(10 × 4.375)
    const PagePlan plan = paginate(rules, 100, 50);
    EXPECT_EQ(plan.grid().columnsPerPage, 81);  // (900 − 86) ÷ 10
    EXPECT_EQ(plan.grid().pagesAcross, 2);
    EXPECT_EQ(plan.grid().total, 3);
    EXPECT_EQ(plan.cells(2), QRect(81, 0, 19, 50));
    // Centred when there is room, never into the margin.
    EXPECT_EQ(plan.chartOrigin(81), QPoint(45, 63));
    EXPECT_EQ(plan.chartOrigin(89), QPoint(43, 63));
    EXPECT_EQ(plan.chartOrigin(100), QPoint(43, 63));
    EXPECT_EQ(plan.chartOrigin(19), QPoint(355, 63));  // centred: (900 − 190) ÷ 2
}

TEST(PagePlan, ThePageWritersRulesScaleEveryLengthAndTakeTheMarginFromTheFont)
{
    // A 0.3 cm cell at 300 an inch: 35 pixels, font 26, pitch 34, margin 67.
    const PageRules rules = PageRules::scaledPages(QSize(2952, 2362), 35, 4.2, 84);
    EXPECT_EQ(rules.symbolFont(), 26);
    EXPECT_EQ(rules.pitch(), 34);
    EXPECT_EQ(rules.margin(), 67);
    EXPECT_EQ(rules.scaled(15), 63);
    // A font under 10 pixels leaves no margin, never a negative one.
    EXPECT_EQ(PageRules::scaledPages(QSize(100, 100), 18, 4.2, 0).margin(), 0);
    const PagePlan plan = paginate(rules, 200, 100);
    EXPECT_EQ(plan.grid().columnsPerPage, 82);  // (2952 − 134) ÷ 34
    EXPECT_EQ(plan.grid().rowsPerPage, 62);     // (2362 − 134 − 84) ÷ 34 − 1
    EXPECT_EQ(plan.cells(3), QRect(164, 0, 36, 62));
    EXPECT_EQ(plan.cells(5), QRect(82, 62, 82, 38));
}

TEST(PagePlan, ThePrintedWrapperCutsAsThePlan)
{
    for (const int s : {4, 10, 17})
        for (const QSize page : {QSize(600, 500), QSize(900, 1200), QSize(50, 40)}) {
            const PageGrid a = paginate(page.width(), page.height(), s, 120, 90, 20);
            const PageGrid b = paginate(PageRules::printed(page, s, 20), 120, 90).grid();
            EXPECT_EQ(a.columnsPerPage, b.columnsPerPage);
            EXPECT_EQ(a.rowsPerPage, b.rowsPerPage);
            EXPECT_EQ(a.total, b.total);
            EXPECT_GE(b.rowsPerPage, 1);  // a page too small for two rows still shows one
        }
}

TEST(PagePlan, TheKeyMetricsAreThePrintedKeysUnitsTimesTheScale)
{
    const KeyMetrics screen = KeyMetrics::at(1.0, false);
    EXPECT_EQ(screen.labelWidth, 60);
    EXPECT_EQ(KeyMetrics::at(1.0, true).labelWidth, 85);
    EXPECT_EQ(screen.columnWidth, 50);
    EXPECT_EQ(screen.rowHeight, 15);
    EXPECT_EQ(screen.columnsPerBand(1084), 20);  // (1084 − 60) ÷ 50
    EXPECT_EQ(screen.columnsPerBand(10), 1);     // never none
    const KeyMetrics page = KeyMetrics::at(4.2, false);
    EXPECT_EQ(page.labelWidth, 252);
    EXPECT_EQ(page.columnWidth, 210);
    EXPECT_EQ(page.rowHeight, 63);
    EXPECT_EQ(page.fontHeight, 50);
    EXPECT_EQ(page.inset, 84);
}

TEST(PagePlan, TheWholeChartCanvasIsTheSameRuleAtBothScales)
{
    // 100 × 80 cells, 30 threads, cell 8: 1104 wide, 2 bands (19 columns in metres).
    const QSize metres = WholeChartMetrics::canvas(10, 100, 80, 30, 20, KeyMetrics::at(1.0, true), 1.0, 0);
    EXPECT_EQ(metres, QSize(1104, 2 * 45 + 800 + 20 + 140));
    // The page writer: trunc(43 × 300 + 104k) wide, (bands × 45 + 140)k, the chart, the
    // title and 40k high.
    const QSize page = WholeChartMetrics::canvas(43, 300, 300, 40, 67, KeyMetrics::at(4.2, false), 4.2, 168);
    EXPECT_EQ(page.width(), 13336);
    const int columns = (13336 - 84 - 252) / 210;
    const int bands = (40 + columns - 1) / columns;
    EXPECT_EQ(page.height(), static_cast<int>((bands * 45 + 140) * 4.2) + 43 * 300 + 67 + 168);
}

TEST(KeyModel, TheKeySaysWhatTheDocumentHolds)
{
    PatternDocument doc = pattern(3);
    BackstitchLine l;
    l.color = rgb(10, 0, 0);
    l.startColumn = 0, l.startRow = 0, l.endColumn = 3, l.endRow = 4;
    doc.lines.push_back(l);
    KeySettings settings;
    const KeyModel cells = KeyModel::of(doc, ThreadUsage(doc), settings, FabricName{"白色", "B5200"});
    ASSERT_EQ(cells.rows.size(), 3u);
    EXPECT_EQ(cells.rows[0].amount, "4");  // columns 0, 3, 6, 9
    EXPECT_EQ(cells.rows[1].number, "201");
    EXPECT_EQ(cells.header[5], "宽10 * 高4");
    EXPECT_EQ(cells.rowLabels[2], "线量(格数)");
    EXPECT_EQ(cells.fabric, "绣布 白色(B5200)");
    ASSERT_EQ(cells.outlines.size(), 1u);
    EXPECT_EQ(cells.outlines[0].number, "201");  // the line names none: the colour's entry
    EXPECT_EQ(cells.outlines[0].length, 5);
    EXPECT_FALSE(cells.makerNamed);
    EXPECT_EQ(cells.maker, "Velmora十字绣软件");
    EXPECT_TRUE(cells.strands.empty());

    settings.amountsInMetres = true;
    settings.author = "某人";
    const KeyModel metres = KeyModel::of(doc, ThreadUsage(doc), settings, std::nullopt);
    EXPECT_EQ(metres.rowLabels[2], "线量(6股米数)");
    EXPECT_EQ(metres.header[0], "使用绣线(14CT 2股绣)");
    EXPECT_EQ(metres.strands, "描边股数1");
    EXPECT_EQ(metres.maker, "制图:某人");
    EXPECT_TRUE(metres.fabric.empty());
}

TEST(KeyModel, ThePiecesStandInBandsOfThreeRowsAtAnyScale)
{
    const PatternDocument doc = pattern(5);
    const KeyModel model = KeyModel::of(doc, ThreadUsage(doc), KeySettings{}, std::nullopt);
    // 60 + 2 × 50 wide: two threads a band, three bands.
    const KeyDrawing d = layOut(model, KeyMetrics::at(1.0, false), 160);
    EXPECT_EQ(countOf(d, KeyPiece::Kind::ThreadFill), 5);
    EXPECT_EQ(countOf(d, KeyPiece::Kind::SymbolText), 5);
    EXPECT_EQ(countOf(d, KeyPiece::Kind::FittedText), 10);
    EXPECT_EQ(countOf(d, KeyPiece::Kind::Frame), 3 * 3 + 5 * 3);
    std::vector<QRect> fills;
    for (const KeyPiece& p : d.pieces)
        if (p.kind == KeyPiece::Kind::ThreadFill)
            fills.push_back(p.box);
    EXPECT_EQ(fills[0], QRect(60, 20, 50, 15));  // under the header row and its 5 units
    EXPECT_EQ(fills[1], QRect(110, 20, 50, 15));
    EXPECT_EQ(fills[2], QRect(60, 65, 50, 15));  // the next band 45 lower
    EXPECT_EQ(fills[4], QRect(60, 110, 50, 15));

    // The same key at the page writer's scale with bands apart: every length × 4.2.
    KeyMetrics page = KeyMetrics::at(4.2, false);
    page.bandGap = 31;
    const KeyDrawing big = layOut(model, page, 672);
    std::vector<QRect> bigFills;
    for (const KeyPiece& p : big.pieces)
        if (p.kind == KeyPiece::Kind::ThreadFill)
            bigFills.push_back(p.box);
    ASSERT_EQ(bigFills.size(), 5u);
    EXPECT_EQ(bigFills[0], QRect(252, 63 + 21, 210, 63));
    EXPECT_EQ(bigFills[2].top(), bigFills[0].top() + 3 * 63 + 31);
}

TEST(KeyModel, TheMakerShowsWhenNamedOrWhenItFits)
{
    PatternDocument doc = pattern(1);
    KeySettings settings;
    const KeyModel program = KeyModel::of(doc, ThreadUsage(doc), settings, std::nullopt);
    auto makerShown = [](const KeyDrawing& d, const std::string& maker) {
        return std::any_of(d.pieces.begin(), d.pieces.end(), [&](const KeyPiece& p) { return p.text == maker; });
    };
    EXPECT_TRUE(makerShown(layOut(program, KeyMetrics::at(1.0, false), 400), program.maker));
    EXPECT_FALSE(makerShown(layOut(program, KeyMetrics::at(1.0, false), 100), program.maker));  // 170 units do not fit
    settings.author = "某";
    const KeyModel named = KeyModel::of(doc, ThreadUsage(doc), settings, std::nullopt);
    EXPECT_TRUE(makerShown(layOut(named, KeyMetrics::at(1.0, false), 100), named.maker));
}

TEST(PagePlan, OverlappingPagesRepeatTheLastRowsAndColumnsOfThePageBefore)
{
    // 900 x 1200 at cell 10: 81 columns and 108 rows a page (margin 43, header 20).
    PageRules rules = PageRules::printed(QSize(900, 1200), 10, 20);
    rules.overlap = 3;
    const PagePlan plan = paginate(rules, 200, 250);
    const PageGrid& g = plan.grid();
    ASSERT_EQ(g.columnsPerPage, 81);
    ASSERT_EQ(g.rowsPerPage, 108);
    EXPECT_EQ(g.overlapColumns, 3);
    EXPECT_EQ(g.columnStep(), 78);
    // Across: 0..80, 78..158, 156..199; without overlap 200 columns would take 3 pages too,
    // 250 rows: 0..107, 105..212, 210..249.
    EXPECT_EQ(g.pagesAcross, 3);
    EXPECT_EQ(g.pagesDown, 3);
    EXPECT_EQ(plan.cells(1), QRect(0, 0, 81, 108));
    EXPECT_EQ(plan.cells(2), QRect(78, 0, 81, 108));
    EXPECT_EQ(plan.cells(3), QRect(156, 0, 44, 108));
    EXPECT_EQ(plan.cells(5), QRect(78, 105, 81, 108));
    EXPECT_EQ(plan.cells(9), QRect(156, 210, 44, 40));
    // What a page repeats: nothing on the first, the first three columns and rows after.
    EXPECT_TRUE(plan.repeatedColumns(1).isEmpty());
    EXPECT_TRUE(plan.repeatedRows(1).isEmpty());
    EXPECT_EQ(plan.repeatedColumns(2), QRect(78, 0, 3, 108));
    EXPECT_TRUE(plan.repeatedRows(2).isEmpty());
    EXPECT_EQ(plan.repeatedRows(4), QRect(0, 105, 81, 3));
    EXPECT_TRUE(plan.repeatedColumns(4).isEmpty());
    // Every cell is on a page, and the last page ends at the chart's edge.
    EXPECT_EQ(plan.cells(9).right(), 199);
    EXPECT_EQ(plan.cells(9).bottom(), 249);
    // One more column than a page's step takes another page only with overlap.
    rules.overlap = 0;
    EXPECT_EQ(paginate(rules, 162, 100).grid().pagesAcross, 2);
    rules.overlap = 5;
    EXPECT_EQ(paginate(rules, 162, 100).grid().pagesAcross, 3);
    // A single page across or down repeats nothing; the overlap stays below a page's cells.
    EXPECT_EQ(paginate(rules, 50, 100).grid().overlapColumns, 0);
    EXPECT_EQ(paginate(rules, 50, 100).grid().overlapRows, 0);
    EXPECT_EQ(paginate(PageRules::printed(QSize(900, 60), 10, 0), 50, 100).grid().rowsPerPage, 1);
    PageRules tiny = PageRules::printed(QSize(900, 116), 10, 0);  // two rows a page
    tiny.overlap = 5;
    EXPECT_EQ(paginate(tiny, 50, 100).grid().overlapRows, 1);
    EXPECT_EQ(paginate(tiny, 50, 100).grid().pagesDown, 99);
}

TEST(PagePlan, TheMapAndTheKeysPagesFollowThePatternPages)
{
    PageRules rules = PageRules::printed(QSize(900, 1200), 10, 20);
    rules.pageMap = true;
    rules.keyPages = 3;
    const PageGrid g = paginate(rules, 200, 100).grid();
    ASSERT_EQ(g.patternPages(), 3);
    EXPECT_EQ(g.mapPage, 4);
    EXPECT_EQ(g.firstKeyPage(), 5);
    EXPECT_EQ(g.total, 7);
    EXPECT_FALSE(g.isKeyPage(4));
    EXPECT_TRUE(g.isKeyPage(7));
    EXPECT_EQ(pageFileSuffix(g, 3), "3");
    EXPECT_EQ(pageFileSuffix(g, 4), "MAP");
    EXPECT_EQ(pageFileSuffix(g, 5), "KEY");
    EXPECT_EQ(pageFileSuffix(g, 7), "KEY3");
    // One pattern page needs no map; the plain plan is the pattern pages and one key page.
    EXPECT_EQ(paginate(rules, 50, 50).grid().mapPage, 0);
    const PageGrid plain = paginate(PageRules::printed(QSize(900, 1200), 10, 20), 200, 100).grid();
    EXPECT_EQ(plain.total, plain.patternPages() + 1);
    EXPECT_EQ(pageFileSuffix(plain, plain.total), "KEY");
}
