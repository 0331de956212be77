// Thread lengths, the statistics rows and window layout, and the calculators.
#include "editor/output/tests/colour_test_support.h"
#include "editor/output/thread_statistics.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using namespace colourtest;

TEST(ThreadLength, ThousandCellsTwoStrandsOn14CtAreFourMetres)
{
    EXPECT_DOUBLE_EQ(strandMetres("14CT", 1000, 2), 24.0);
    EXPECT_DOUBLE_EQ(skeinMetres("14CT", 1000, 2), 4.0);
    EXPECT_EQ(threadAmountText("14CT", 2, 1000), "14CT 2股绣需要绣线:4.000米(注:指的是六股)");
}

TEST(ThreadLength, TheProductIsRoundedToSinglePrecisionBeforeTheAllowance)
{
    // 7 x 3 x (0.14/11) is not a float; the float of it, times 1.2, is the figure.
    const double expected = static_cast<double>(static_cast<float>(7.0 * 3.0 * (0.01 * 14.0 / 11.0))) * 1.2;
    EXPECT_EQ(strandMetres("11CT", 7, 3), expected);
    EXPECT_NE(strandMetres("11CT", 7, 3), 7.0 * 3.0 * (0.01 * 14.0 / 11.0) * 1.2);
    EXPECT_DOUBLE_EQ(threadRate("8CT"), 0.0175);
    EXPECT_DOUBLE_EQ(threadRate("32CT"), 0.004375);
    EXPECT_DOUBLE_EQ(threadRate("28CT"), 0.005);
    EXPECT_EQ(metresText(1.005), "1.00m");
    EXPECT_EQ(metresText(2.4), "2.40m");
}

TEST(ThreadLength, ACoarserFabricNeverNeedsLessThread)
{
    // 990 stitches with 2 strands: the amount falls as the count rises, on every count
    // offered, and 14CT keeps its figure.
    const auto& counts = fabricCounts();
    EXPECT_EQ(counts, (std::vector<std::string>{"8CT", "9CT", "11CT", "14CT", "16CT", "18CT", "24CT", "28CT", "32CT"}));
    for (std::size_t i = 1; i < counts.size(); ++i) {
        EXPECT_LT(skeinMetres(counts[i], 990, 2), skeinMetres(counts[i - 1], 990, 2)) << counts[i];
        EXPECT_DOUBLE_EQ(threadRate(counts[i]) * stitchesPerInch(counts[i]), 0.14) << counts[i];
    }
    EXPECT_DOUBLE_EQ(threadRate("14CT"), 0.01);
    EXPECT_EQ(metresText(skeinMetres("14CT", 990, 2)), "3.96m");
    EXPECT_EQ(metresText(skeinMetres("8CT", 990, 2)), "6.93m");
    EXPECT_EQ(metresText(skeinMetres("18CT", 990, 2)), "3.08m");
    EXPECT_EQ(recommendedStrands("16CT"), 2);
    EXPECT_EQ(recommendedStrands("28CT"), 2);
}

TEST(Outline, ADiagonalOfOneCellCountsOneAndEachLineIsTruncatedAlone)
{
    EXPECT_EQ(outlineLength(ColourPattern::line("1", 0, 1, 1)), 1);
    EXPECT_EQ(outlineLength(ColourPattern::line("1", 0, 3, 4)), 5);
    ColourPattern p({{kRed, "321"}});
    p.doc.lines = {ColourPattern::line("321", kRed, 1, 1), ColourPattern::line("321", kRed, 1, 1)};
    const auto rows = threadStatistics(p.doc, "14CT", 2);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].outline, 2);  // 1 + 1, not trunc(2.83)
}

TEST(Statistics, RowsInColourListOrderWithEqualColoursSummed)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "321x"}, {kGreen, "700"}, {kYellow, "444"}});
    p.paintRow(0, {0, 1, 2, 2});
    p.paintRow(1, {1, 7, -1, 3});  // 7 names no thread
    // Yellow has no cells but an outline: listed with the outline metres only.
    p.doc.lines = {ColourPattern::line("444", kYellow, 0, 3), ColourPattern::line("321", kRed, 2, 0)};
    const auto rows = threadStatistics(p.doc, "14CT", 2);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].number, "321");
    EXPECT_EQ(rows[0].cells, 3);
    EXPECT_EQ(rows[0].symbol, p.doc.symbols[0].symbol);
    EXPECT_DOUBLE_EQ(rows[0].metres, skeinMetres("14CT", 3, 2) + 2 * kOutlineRate);
    EXPECT_EQ(rows[1].number, "796");
    EXPECT_EQ(rows[1].cells, 2);
    EXPECT_EQ(rows[2].number, "700");
    EXPECT_EQ(rows[2].cells, 1);
    EXPECT_EQ(rows[3].number, "444");
    EXPECT_EQ(rows[3].cells, 0);
    EXPECT_EQ(rows[3].outline, 3);
    EXPECT_DOUBLE_EQ(rows[3].metres, 3 * kOutlineRate);
    EXPECT_EQ(rows[3].metresLabel, "<0.01m");  // some thread, not none
}

TEST(Statistics, SortingByUsageKeepsEqualCountsInColourListOrder)
{
    std::vector<ThreadStatisticsRow> rows(3);
    rows[0].number = "a", rows[0].cells = 1;
    rows[1].number = "b", rows[1].cells = 1;
    rows[2].number = "c", rows[2].cells = 2;
    sortByUsage(rows);
    EXPECT_EQ(rows[0].number, "c");
    EXPECT_EQ(rows[1].number, "a");
    EXPECT_EQ(rows[2].number, "b");
}

TEST(StatisticsLayout, BandsOfThreeRowsWithTheLabelColumn)
{
    // (400 - 80) / 45 = 7 threads a band; 16 threads make 3 bands.
    const StatisticsLayout l = layoutStatistics(400, 15, 16);
    EXPECT_EQ(l.columns, 7);
    EXPECT_EQ(l.rowHeight, 20);
    EXPECT_EQ(l.bands, 3);
    EXPECT_EQ(l.header[1], (BoxRect{66, 20, 66, 20}));
    EXPECT_EQ(l.labelCell(0, 2), (BoxRect{0, l.bandsTop + 40, 80, 20}));
    EXPECT_EQ(l.threadCell(9, 1), (BoxRect{80 + 2 * 45, l.bandsTop + l.bandStep() + 20, 45, 20}));
    EXPECT_EQ(l.symbolFill(0), (BoxRect{81, l.bandsTop + 1, 44, 19}));
    EXPECT_EQ(l.contentHeight, l.bandsTop + 3 * l.bandStep());
    EXPECT_EQ(l.scrollLimit(l.contentHeight), 0);
    EXPECT_EQ(l.scrollLimit(l.contentHeight - 1), 1);
    EXPECT_EQ(layoutStatistics(50, 15, 3).columns, 1);  // a narrow window still shows one
}

TEST(StatisticsLayout, APointFindsTheThreadOfItsColumnAndEachRowIsNamed)
{
    const StatisticsLayout l = layoutStatistics(400, 15, 16);
    const BoxRect nine = l.threadCell(9, 2);
    EXPECT_EQ(l.threadAt(nine.x + 1, nine.y + 1, 16), 9);
    EXPECT_EQ(l.threadAt(nine.x + 44, l.threadCell(9, 0).y, 16), 9);
    EXPECT_EQ(l.threadAt(79, nine.y, 16), -1);                          // the label column
    EXPECT_EQ(l.threadAt(80 + 7 * 45 + 1, nine.y, 16), -1);             // past the last column
    EXPECT_EQ(l.threadAt(nine.x, nine.y + nine.height + 1, 16), -1);    // the gap under a band
    EXPECT_EQ(l.threadAt(l.threadCell(2, 0).x, l.threadCell(2, 0).y + 2 * l.bandStep(), 16), -1);  // 16 is past the end
    EXPECT_EQ(l.threadAt(l.threadCell(15, 0).x, l.threadCell(15, 0).y, 16), 15);

    std::vector<ThreadStatisticsRow> rows(2);
    rows[0].number = "310";
    rows[1].number = "9999";
    nameThreads(rows, ThreadNames{{"310", "Black"}, {"B5200", "Snow White"}});
    EXPECT_EQ(rows[0].name, "Black");
    EXPECT_EQ(rows[1].name, "");
}

TEST(StatisticsLayout, TextsAndTheDarkColourRule)
{
    const auto cellsHeader = statisticsHeader(false, "14CT", 2, "DMC", 4, 140, 70);
    EXPECT_EQ(cellsHeader[0], "使用绣线");
    EXPECT_EQ(cellsHeader[5], "宽140 * 高70");
    EXPECT_EQ(statisticsHeader(true, "18CT", 3, "DMC", 4, 1, 1)[0], "使用绣线(18CT 3股绣)");
    EXPECT_EQ(bandLabels(true)[2], "线量(6股米数)");
    EXPECT_EQ(bandLabels(false)[2], "线量(格数)");
    // Red counts 0.59: pure red (150) is light, pure blue (28) is dark.
    EXPECT_FALSE(drawsWhite(rgb(255, 0, 0)));
    EXPECT_TRUE(drawsWhite(rgb(0, 0, 255)));
    EXPECT_TRUE(drawsWhite(rgb(0, 255, 0)));  // 76.5
}

TEST(FabricCalculator, A140By70PatternOn14CtNeeds25Point4By12Point7)
{
    const FabricSize size = fabricSize("14CT", 140, 70);
    ASSERT_FALSE(size.refusal);
    EXPECT_DOUBLE_EQ(size.widthCm, 25.4);
    EXPECT_DOUBLE_EQ(size.heightCm, 12.7);
    EXPECT_EQ(size.text.rfind("计算出绣布的宽为:25.4厘米,高为:12.7厘米,\r\n这是理论值", 0), 0u);
    EXPECT_EQ(fabricSize("14CT", 0, 70).refusal, "请输入正确的宽高数据");
    EXPECT_EQ(fabricSize("", 140, 70).refusal, "请选择绣布类型");
}

TEST(ThreadCalculator, TheFabricSuggestsItsStrands)
{
    EXPECT_EQ(recommendedStrands("8CT"), 4);
    EXPECT_EQ(recommendedStrands("9CT"), 4);
    EXPECT_EQ(recommendedStrands("11CT"), 3);
    EXPECT_EQ(recommendedStrands("14CT"), 2);
    EXPECT_EQ(recommendedStrands("32CT"), 2);
}

TEST(ThreadFinder, TheFirstNearestPaletteThreadAndNothingWithoutAColour)
{
    const std::vector<ColorRef> palette = {rgb(10, 0, 0), rgb(0, 10, 0), rgb(0, 0, 0)};
    EXPECT_EQ(matchThread(palette, rgb(5, 5, 0)), 0);  // 0 and 1 tie: the earlier
    EXPECT_EQ(matchThread(palette, rgb(0, 1, 0)), 2);
    EXPECT_FALSE(matchThread(palette, std::nullopt));
    EXPECT_FALSE(matchThread({}, rgb(1, 1, 1)));
    EXPECT_STREQ(kFinderDefaultBrand, "DMC");
}

}  // namespace
}  // namespace brenmark
