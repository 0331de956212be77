// Each colour operation's rule, undo label and refusal.
#include "editor/output/tests/colour_test_support.h"
#include "editor/document/symbol_charset.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using namespace colourtest;
using Strings = std::vector<std::string>;

TEST(Subtract, TheThreadGivesWayToTheNearestRemainingOne)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kDarkRed, "816"}});
    p.paintRow(0, {0, 1, 2, 2});
    p.doc.lines.push_back(ColourPattern::line("816", kDarkRed));
    const ColourChange c = p.ops.subtract("816");
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消减去被选颜色"});
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"321", "796", "321"}));
    EXPECT_EQ(p.doc.threads.colors[2], kRed);
    EXPECT_EQ(p.cells()[2], 2);  // cells keep their index
    EXPECT_EQ(p.doc.lines[0].thread, "321");
    EXPECT_EQ(p.doc.lines[0].color, kRed);
    EXPECT_EQ(p.doc.distinct.numbers, (Strings{"321", "796"}));
    EXPECT_EQ(c.threads, std::vector<int>{2});
    EXPECT_TRUE(c.repaintCells());
    EXPECT_EQ(p.doc.symbols[2].symbol, p.doc.symbols[0].symbol);  // one colour, one symbol
}

TEST(Subtract, ALockedThreadAndTheOnlyThreadAreRefused)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}});
    p.ops.setLocked("321", true);
    EXPECT_FALSE(p.ops.subtract("321").done);
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown[0].text, "该颜色被锁定无法删除");
    EXPECT_EQ(p.boxes.shown[0].title, "警告");

    ColourPattern only({{kRed, "321"}});
    EXPECT_FALSE(only.ops.subtract("321").done);
    EXPECT_EQ(only.messageTexts(), Strings{"该颜色被锁定不能减去"});
    EXPECT_EQ(only.boxes.shown[0].title, "提示");
    EXPECT_EQ(only.doc.threads.numbers, Strings{"321"});
    EXPECT_FALSE(only.ops.subtract("999").done);
    EXPECT_TRUE(p.undo.labels.empty());
    EXPECT_TRUE(only.undo.labels.empty());  // a refusal records nothing
}

TEST(Reduce, ACountNotBelowTheThreadCountIsRefused)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kGreen, "700"}});
    EXPECT_EQ(p.ops.threadsInColourList(), 3);
    EXPECT_FALSE(p.ops.reduce(3, 3).done);
    EXPECT_EQ(p.messageTexts(), Strings{"减掉的颜色数不能大于等于图片颜色数"});
    EXPECT_EQ(p.boxes.shown[0].title, "提示");
    EXPECT_TRUE(p.undo.labels.empty());
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"321", "796", "700"}));
}

TEST(Reduce, LockedThreadsAtTheEndAreSkippedAndTheOnesBeforeThemGo)
{
    ColourPattern p({{kRed, "1"}, {kBlue, "2"}, {kGreen, "3"}, {kYellow, "4"}, {kDarkRed, "5"}, {rgb(0, 0, 100), "6"}});
    for (const char* n : {"4", "5", "6"})
        p.ops.setLocked(n, true);
    const ColourChange c = p.ops.reduce(2, p.ops.threadsInColourList());
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消成批减色"});
    // "3" and "2" went (from the end), to their nearest remaining threads; the locked stay.
    EXPECT_EQ(p.doc.distinct.numbers, (Strings{"1", "6", "4", "5"}));
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"1", "6", "4", "4", "5", "6"}));
}

TEST(Reduce, StopsEarlyWhenTooFewThreadsAreUnlocked)
{
    ColourPattern p({{kRed, "1"}, {kBlue, "2"}, {kGreen, "3"}});
    p.ops.setLocked("1", true);
    p.ops.setLocked("3", true);
    ASSERT_TRUE(p.ops.reduce(2, 3).done);
    EXPECT_EQ(p.doc.distinct.numbers, (Strings{"1", "3"}));
    ColourPattern allLocked({{kRed, "1"}, {kBlue, "2"}});
    allLocked.ops.setLocked("1", true);
    allLocked.ops.setLocked("2", true);
    EXPECT_FALSE(allLocked.ops.reduce(1, 2).done);
    EXPECT_TRUE(allLocked.undo.labels.empty());
}

TEST(Replace, EveryEntryAndLineTakesTheNewThreadLocked)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "321"}});
    p.doc.lines.push_back(ColourPattern::line("321", kRed));
    const ColourChange c = p.ops.replaceEverywhere("321", {kGreen, "700"});
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消替换颜色"});
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"700", "796", "700"}));
    EXPECT_EQ(p.doc.threads.colors, (std::vector<ColorRef>{kGreen, kBlue, kGreen}));
    EXPECT_EQ(p.doc.grid.colorValues, p.doc.threads.colors);
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(p.doc.distinct.numbers, (Strings{"700", "796"}));
    EXPECT_EQ(p.doc.distinct.locks, (std::vector<std::uint32_t>{1, 0}));
    EXPECT_EQ(p.doc.lines[0].thread, "700");
    EXPECT_EQ(p.doc.symbols[0].color, static_cast<std::int32_t>(kGreen));
    EXPECT_EQ(c.threads, (std::vector<int>{0, 2}));
}

TEST(Replace, ALockedThreadIsRefusedAndTheReplacementSurvivesABatchReduce)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kGreen, "700"}});
    p.ops.setLocked("796", true);
    EXPECT_FALSE(p.ops.replaceEverywhere("796", {kYellow, "444"}).done);
    EXPECT_EQ(p.messageTexts(), Strings{"该颜色被锁定无法替换"});
    EXPECT_EQ(p.boxes.shown[0].title, "警告");
    p.ops.setLocked("796", false);
    ASSERT_TRUE(p.ops.replaceEverywhere("700", {kYellow, "444"}).done);
    ASSERT_TRUE(p.ops.reduce(1, 3).done);
    // The last thread of the list is the replacement, locked: the one before it went.
    EXPECT_EQ(p.doc.distinct.numbers, (Strings{"321", "444"}));
}

TEST(AreaReplace, OnlyCellsInsideTheRegionChangeAndAMissingTargetIsAdded)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}});
    p.paintRow(0, {0, 0, 1, 0});
    p.paintRow(1, {0, 0, 0, 0});
    const ColourChange c = p.ops.replaceInRegion("321", {kGreen, "700"}, [](int x, int y) { return x < 2 && y == 0; });
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消区域替换颜色"});
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"321", "796", "700"}));
    EXPECT_EQ(p.doc.lockFlags[2], 1u);
    const auto cells = p.cells();
    EXPECT_EQ(std::vector<std::int32_t>(cells.begin(), cells.begin() + 8), (std::vector<std::int32_t>{2, 2, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p.doc.layers[0].cells[0], 2);  // the drawing layer took it too
    EXPECT_EQ(p.doc.layers[0].cells[3], 0);
}

TEST(AreaReplace, AnEmptyRegionChangesNoCellButStillAddsTheTarget)
{
    ColourPattern p({{kRed, "321"}});
    p.paintRow(0, {0, 0, 0, 0});
    const auto before = p.cells();
    ASSERT_TRUE(p.ops.replaceInRegion("321", {kGreen, "700"}, [](int, int) { return false; }).done);
    EXPECT_EQ(p.cells(), before);
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"321", "700"}));
    // A target already present is taken where it is.
    ColourPattern q({{kRed, "321"}, {kGreen, "700"}});
    q.paintRow(0, {0, 1});
    ASSERT_TRUE(q.ops.replaceInRegion("321", {kGreen, "700"}, [](int, int) { return true; }).done);
    EXPECT_EQ(q.doc.threads.size(), 2);
    EXPECT_EQ(q.cells()[0], 1);
}

TEST(Hollow, TheColoursCellsEmptyAndItsThreadLeaves)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}});
    p.paintRow(0, {0, 1, 0, 1});
    EXPECT_FALSE(p.ops.hollowOut(std::nullopt).done);
    const ColourChange c = p.ops.hollowOut(kRed);
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"恢复挖空指定颜色"});
    EXPECT_EQ(p.firstCells(4), (std::vector<std::int32_t>{-1, 1, -1, 1}));
    EXPECT_EQ(p.doc.layers[0].cells[0], EmptyCell);
    EXPECT_EQ(p.doc.distinct.numbers, Strings{"796"});
    EXPECT_FALSE(p.ops.hollowOut(kGreen).done);  // no thread of that colour
}

TEST(DeleteUnused, KeepsAThreadOnlyOutlineLinesUse)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kGreen, "700"}});
    p.paint(0, 0, 0);
    p.doc.lines.push_back(ColourPattern::line("796", kBlue));
    p.doc.layers[0].lines = p.doc.lines;
    ASSERT_TRUE(p.ops.deleteUnused().done);
    EXPECT_EQ(p.undo.labels, Strings{"取消删除未使用绣线"});
    EXPECT_EQ(p.doc.distinct.numbers, (Strings{"321", "796"}));
    EXPECT_FALSE(p.ops.deleteUnused().done);
    EXPECT_EQ(p.undo.labels.size(), 1u);
}

TEST(AddThread, ANewThreadIsAppendedUnlockedWithAFreshSymbolAndBecomesCurrent)
{
    ColourPattern p({{kRed, "321"}});
    const ColourChange c = p.ops.addThread({kBlue, "796"});
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消上次增加的颜色"});
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"321", "796"}));
    // Not locked unless the user locks it.
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(p.doc.distinct.locks, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(p.doc.symbols[1].color, static_cast<std::int32_t>(kBlue));
    EXPECT_NE(p.doc.symbols[1].symbol, p.doc.symbols[0].symbol);
    EXPECT_EQ(c.currentThread, 1);
}

TEST(AddThread, AThreadAlreadyThereIsLockedEverywhereAndMadeCurrent)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "321"}});
    const ColourChange c = p.ops.addThread({kRed, "321"});
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消增加颜色"});
    EXPECT_EQ(p.doc.threads.size(), 3);
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(c.currentThread, 0);
}

TEST(Locks, EveryEntryOfTheNumberIsLockedAndClearingRecordsItsStep)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kDarkRed, "321"}});
    ASSERT_TRUE(p.ops.setLocked("321", true).done);
    EXPECT_TRUE(p.undo.labels.empty());
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(p.doc.distinct.locks, (std::vector<std::uint32_t>{1, 0, 1}));
    ASSERT_TRUE(p.ops.setLocked("321", false).done);
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{0, 0, 0}));
    EXPECT_FALSE(p.ops.clearLocks().done);  // nothing locked: no step
    p.ops.setLocked("796", true);
    ASSERT_TRUE(p.ops.clearLocks().done);
    EXPECT_EQ(p.undo.labels, Strings{"恢复所有颜色锁定"});
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{0, 0, 0}));
    EXPECT_EQ(p.doc.distinct.locks, (std::vector<std::uint32_t>{0, 0, 0}));
}

TEST(OutlineThread, LinesTakeTheNewThreadWhichIsAddedInTheSameStep)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}});
    p.doc.lines = {ColourPattern::line("321", kRed), ColourPattern::line("796", kBlue)};
    EXPECT_FALSE(p.ops.replaceOutlineThread("321", std::nullopt).done);
    EXPECT_EQ(p.messageTexts(), Strings{"请选择代替后的描边颜色"});
    EXPECT_EQ(p.boxes.shown[0].title, "警告");
    const ColourChange c = p.ops.replaceOutlineThread("321", ThreadChoice{kGreen, "700"});
    ASSERT_TRUE(c.done);
    EXPECT_EQ(p.undo.labels, Strings{"取消更换制定描边颜色"});
    EXPECT_EQ(p.doc.lines[0].thread, "700");
    EXPECT_EQ(p.doc.lines[0].color, kGreen);
    EXPECT_EQ(p.doc.lines[1].thread, "796");
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"321", "796", "700"}));
    EXPECT_EQ(p.doc.lockFlags[2], 1u);
}

TEST(ChangeSymbol, TheThreadAndEveryEntryOfItsColourDrawTheSymbol)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "322"}});
    ASSERT_TRUE(p.ops.changeSymbol(2, "★").done);
    EXPECT_TRUE(p.undo.labels.empty());
    EXPECT_EQ(p.doc.symbols[0].symbol, "★");
    EXPECT_EQ(p.doc.symbols[2].symbol, "★");
    EXPECT_EQ(p.doc.symbols[1].symbol, "2");
    EXPECT_FALSE(p.ops.changeSymbol(3, "★").done);
    EXPECT_EQ(changeSymbolCaption("★"), "要更换符号★");
    const int characters = static_cast<int>(symbolCharacterSet().size());
    EXPECT_EQ(symbolGridSpot(0, characters)->column, 0);
    EXPECT_EQ(symbolGridSpot(23, characters)->row, 1);
    EXPECT_EQ(symbolGridSpot(23, characters)->column, 1);
    EXPECT_FALSE(symbolGridSpot(235, characters));  // past the symbol set
    // The font's whole set fits the grid.
    const int font = static_cast<int>(clearSymbolSet().size());
    ASSERT_TRUE(symbolGridSpot(font - 1, font));
    EXPECT_EQ(symbolGridSpot(font - 1, font)->row, (font - 1) / kSymbolGridColumns);
}

// With the chart symbol font, a symbol that looks like another thread's is given all the same,
// with a warning naming that thread; one that looks like no other, or like a thread of the
// same colour that takes it too, is given silently.
TEST(ChangeSymbol, WarnsWhenTheNewSymbolLooksLikeAnotherThreads)
{
    const auto& set = clearSymbolSet();
    const auto [a, b] = clearSymbolLookAlikePairs().front();
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "322"}});
    p.doc.clearSymbols = true;
    p.doc.assignDefaultSymbols();
    p.doc.symbols[1].symbol = set[static_cast<std::size_t>(a)];
    ASSERT_TRUE(p.ops.changeSymbol(0, set[static_cast<std::size_t>(b)]).done);
    EXPECT_EQ(p.doc.symbols[0].symbol, set[static_cast<std::size_t>(b)]);
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown[0].text, lookAlikeSymbolWarning("796", set[static_cast<std::size_t>(a)]));
    EXPECT_EQ(p.boxes.shown[0].title, "警告");
    EXPECT_EQ(lookAlikeSymbolWarning("796", "■"), "所选符号与线号796的符号■相似,图上不易分辨");

    // Both red threads took it; the blue one given its look-alike hears of the first.
    EXPECT_EQ(p.doc.symbols[2].symbol, set[static_cast<std::size_t>(b)]);
    p.boxes.shown.clear();
    ASSERT_TRUE(p.ops.changeSymbol(1, set[static_cast<std::size_t>(a)]).done);
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown[0].text, lookAlikeSymbolWarning("321", set[static_cast<std::size_t>(b)]));
    p.boxes.shown.clear();
    p.doc.symbols[1].symbol = set[200];
    ASSERT_TRUE(p.ops.changeSymbol(0, set[150]).done);
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST(UseClearSymbols, APatternOfCharactersTakesTheFontsSetOnceColourByColour)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "322"}});
    ASSERT_FALSE(p.doc.clearSymbols);
    ASSERT_TRUE(p.ops.useClearSymbols().done);
    EXPECT_TRUE(p.doc.clearSymbols);
    EXPECT_TRUE(p.undo.labels.empty());
    EXPECT_EQ(p.doc.symbols[0].symbol, clearSymbolSet()[0]);
    EXPECT_EQ(p.doc.symbols[1].symbol, clearSymbolSet()[1]);
    EXPECT_EQ(p.doc.symbols[2].symbol, clearSymbolSet()[0]);  // red again
    EXPECT_EQ(p.doc.symbols[2].color, static_cast<std::int32_t>(kRed));
    EXPECT_FALSE(p.ops.useClearSymbols().done);  // already
    EXPECT_TRUE(p.boxes.shown.empty());

    // With more colours than the set holds apart, the first look-alike pair is named.
    ColourPattern big({});
    for (int i = 0; i < 250; ++i)
        big.doc.addThread(rgb(i, 255 - i, 7), std::to_string(1000 + i));
    big.doc.assignDefaultSymbols();
    ASSERT_TRUE(big.ops.useClearSymbols().done);
    const auto alike = lookAlikeThreads(big.doc.symbols, 250);
    ASSERT_FALSE(alike.empty());
    ASSERT_EQ(big.boxes.shown.size(), 1u);
    EXPECT_EQ(big.boxes.shown[0].text,
              lookAlikeSymbolWarning(std::to_string(1000 + alike[0].first), big.doc.symbols[static_cast<std::size_t>(alike[0].first)].symbol));
}

TEST(BrandMenu, EveryOtherBrandOfTheKindList)
{
    const auto items = brandConversionMenu({"ANCHOR", "DMC", "DOME"}, "DMC");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, "转ANCHOR线系列");
    EXPECT_EQ(items[1].brand, "DOME");
    EXPECT_EQ(brandConversionLabel("DMC", "ANCHOR"), "取消DMC绣线转ANCHOR绣线");
}

TEST(BothThreads, TheReplaceDialogsWantBoth)
{
    ColourPattern p({{kRed, "321"}});
    EXPECT_TRUE(p.ops.bothThreadsChosen(true, true));
    EXPECT_FALSE(p.ops.bothThreadsChosen(true, false));
    EXPECT_EQ(p.messageTexts(), Strings{"请选择被代替绣线和代替后的绣线"});
}

}  // namespace
}  // namespace brenmark
