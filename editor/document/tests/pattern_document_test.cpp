#include "editor/document/fabric_colors.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/document/symbol_charset.h"

#include <gtest/gtest.h>

#include <set>

using namespace brenmark;

namespace {

struct CountingObserver : DocumentObserver {
    int fabricChanges = 0, replaced = 0;
    ColorRef last = 0;
    void fabricColorChanged(ColorRef c) override { ++fabricChanges, last = c; }
    void documentReplaced() override { ++replaced; }
};

}  // namespace

TEST(PatternDocumentLifecycle, NewOneByOnePatternHasOneEmptyCellNoThreadsAndOneLayer)
{
    PatternDocument doc;
    doc.create(1, 1, "ANCHOR");
    ASSERT_TRUE(doc.isOpen());
    EXPECT_EQ(doc.cell(0, 0), EmptyCell);
    EXPECT_EQ(doc.threads.size(), 0);
    EXPECT_EQ(doc.brand, "ANCHOR");
    EXPECT_EQ(doc.fabric, kWhite);
    ASSERT_EQ(doc.layers.size(), 1);
    EXPECT_EQ(doc.layers[0].name, "背景");
    EXPECT_TRUE(doc.layers[0].drawable);
    EXPECT_TRUE(doc.layers[0].visible);
    EXPECT_EQ(doc.layers[0].cells, std::vector<std::int32_t>{EmptyCell});
}

TEST(PatternDocumentLifecycle, CreateReplacesEverythingAndCloseLeavesNoPattern)
{
    PatternDocument doc;
    doc.create(3, 2, "DMC");
    doc.addThread(rgb(1, 2, 3), "310");
    doc.setCell(2, 1, 0);
    doc.placeMark(3, 1, 1);
    doc.lines.push_back({});
    doc.setFabricColor(rgb(9, 9, 9));

    doc.create(4, 4, "J&P");
    EXPECT_EQ(doc.threads.size(), 0);
    EXPECT_TRUE(doc.marks.empty());
    EXPECT_TRUE(doc.lines.empty());
    EXPECT_EQ(doc.fabric, kWhite);
    EXPECT_EQ(doc.grid.cells, std::vector<std::int32_t>(16, EmptyCell));

    doc.close();
    EXPECT_FALSE(doc.isOpen());
    EXPECT_EQ(doc.width(), 0);
    EXPECT_EQ(doc.height(), 0);
    EXPECT_EQ(doc.brand, "DMC");
    EXPECT_TRUE(doc.layers.empty());
}

TEST(PatternDocumentLifecycle, CopiesCarryThePatternButNotTheObservers)
{
    PatternDocument doc;
    CountingObserver watcher;
    doc.addObserver(&watcher);
    PatternDocument other;
    other.create(2, 2, "DMC");
    doc = other;  // as a load does
    doc.setFabricColor(rgb(1, 1, 1));
    other.setFabricColor(rgb(2, 2, 2));
    EXPECT_EQ(watcher.fabricChanges, 1);
    EXPECT_EQ(watcher.last, rgb(1, 1, 1));
}

TEST(PatternDocumentFabric, EqualColourDoesNothingAndNotifiesNothing)
{
    PatternDocument doc;
    doc.create(2, 2, "DMC");
    CountingObserver watcher;
    doc.addObserver(&watcher);
    doc.setFabricColor(kWhite);
    EXPECT_EQ(watcher.fabricChanges, 0);
    doc.setFabricColor(rgb(240, 234, 218));
    doc.setFabricColor(rgb(240, 234, 218));
    EXPECT_EQ(watcher.fabricChanges, 1);
    EXPECT_EQ(doc.fabric, rgb(240, 234, 218));
}

TEST(PatternDocumentThreads, FindByNumberIsExactBytesAndFirstMatchWins)
{
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    doc.addThread(rgb(1, 0, 0), "ECRU");
    doc.addThread(rgb(2, 0, 0), "310");
    doc.addThread(rgb(3, 0, 0), "310");
    EXPECT_EQ(doc.findThread("310"), 1);
    EXPECT_EQ(doc.findThread("Ecru"), -1);
    EXPECT_EQ(doc.findThread("310 "), -1);
    EXPECT_EQ(doc.grid.colorValues, doc.threads.colors);
}

TEST(PatternDocumentThreads, SameColourTwiceKeepsBothThreadsAndOneDistinctColour)
{
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    doc.addThread(rgb(0, 0, 0), "310");
    doc.addThread(rgb(0, 0, 0), "3371");
    doc.addThread(rgb(255, 0, 0), "321");
    EXPECT_EQ(doc.threads.size(), 3);
    EXPECT_EQ(doc.distinct.colors, (std::vector<ColorRef>{rgb(0, 0, 0), rgb(255, 0, 0)}));
    EXPECT_EQ(doc.distinct.numbers, (std::vector<std::string>{"310", "321"}));
}

TEST(PatternDocumentThreads, LocksAreFoundByNumberAndClearedByClearLocks)
{
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    doc.addThread(rgb(0, 0, 0), "310");
    doc.addThread(rgb(0, 0, 0), "310");
    doc.setLocked("310", true);
    EXPECT_TRUE(doc.isLocked("310"));
    EXPECT_EQ(doc.lockFlags, (std::vector<std::uint32_t>{1, 0}));
    EXPECT_FALSE(doc.isLocked("999"));
    doc.clearLocks();
    EXPECT_FALSE(doc.isLocked("310"));
}

TEST(PatternDocumentMarks, OneMarkPerCellAndRemovalKeepsOrder)
{
    PatternDocument doc;
    doc.create(4, 4, "DMC");
    doc.placeMark(2, 1, 1);
    doc.placeMark(3, 2, 2);
    doc.placeMark(4, 3, 3);
    doc.placeMark(7, 1, 1);
    ASSERT_EQ(doc.marks.size(), 3u);
    EXPECT_EQ(doc.marks[0], (StitchMark{7, 0, 1, 1}));
    doc.removeMark(2, 2);
    ASSERT_EQ(doc.marks.size(), 2u);
    EXPECT_EQ(doc.marks[0].kind, 7);
    EXPECT_EQ(doc.marks[1].kind, 4);
    doc.removeMark(0, 0);  // no mark there: nothing happens
    EXPECT_EQ(doc.marks.size(), 2u);
}

TEST(SymbolCharacterSet, HasTheExactBytesInOrder)
{
    const auto& set = symbolCharacterSet();
    ASSERT_EQ(set.size(), 235u);
    EXPECT_EQ(set[0], "1");
    EXPECT_EQ(set[7], "8");
    EXPECT_EQ(set[8], ":");  // "9" is left out
    EXPECT_EQ(set[72], "~");
    for (const char* absent : {"9", ";", "^", "i", "o"})
        EXPECT_EQ(std::count(set.begin(), set.end(), absent), 0) << absent;
    EXPECT_EQ(set[73], "\xA1\xF6");   // ■
    EXPECT_EQ(set[74], "\xA1\xF5");   // □
    EXPECT_EQ(set[89], "\xA1\xBE");   // 【
    EXPECT_EQ(set[101], "\xA2\xD9");  // ①
    EXPECT_EQ(set[225], "\xA2\xE5");  // ㈠
    EXPECT_EQ(set[234], "\xA2\xEE");  // ㈩
    for (std::size_t i = 73; i < set.size(); ++i)
        EXPECT_EQ(set[i].size(), 2u) << i;
    EXPECT_EQ(std::set<std::string>(set.begin(), set.end()).size(), set.size());
}

TEST(DefaultSymbols, FollowTheSetAndLeaveLaterSlotsAlone)
{
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    doc.addThread(rgb(10, 20, 30), "1");
    doc.addThread(rgb(40, 50, 60), "2");
    doc.symbols[2] = {1234, "x"};
    doc.assignDefaultSymbols();
    EXPECT_EQ(doc.symbols[0], (SymbolEntry{static_cast<std::int32_t>(rgb(10, 20, 30)), "1"}));
    EXPECT_EQ(doc.symbols[1], (SymbolEntry{static_cast<std::int32_t>(rgb(40, 50, 60)), "2"}));
    EXPECT_EQ(doc.symbols[2], (SymbolEntry{1234, "x"}));
}

TEST(DefaultSymbols, ThreadsBeyondTheSetStillGetDistinctSymbols)
{
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    for (int i = 0; i < 255; ++i)
        doc.addThread(rgb(static_cast<unsigned>(i), 1, 2), std::to_string(i));
    doc.threads.colors[250] = doc.threads.colors[3];  // same colour as thread 3
    doc.assignDefaultSymbols();
    std::set<std::string> seen;
    for (int i = 0; i < 255; ++i) {
        if (i == 250)
            continue;
        EXPECT_FALSE(doc.symbols[i].symbol.empty()) << i;
        EXPECT_LE(doc.symbols[i].symbol.size(), 2u);
        EXPECT_TRUE(seen.insert(doc.symbols[i].symbol).second) << i;
    }
    EXPECT_EQ(doc.symbols[250].symbol, doc.symbols[3].symbol);
}

TEST(FabricColours, NamesComeFromTheDmcPaletteByExactNumber)
{
    Palette dmc;
    dmc.add("B5200", rgb(255, 255, 255));
    dmc.add("712", rgb(255, 251, 239));
    dmc.add("ECRU", rgb(240, 234, 218));
    ASSERT_EQ(fabricEntries().size(), 13u);
    EXPECT_EQ(nameFabricColor(kWhite, dmc), (FabricName{"白色", "B5200"}));
    EXPECT_EQ(nameFabricColor(rgb(240, 234, 218), dmc), (FabricName{"米色", "ECRU"}));
    EXPECT_EQ(nameFabricColor(rgb(1, 2, 3), dmc), std::nullopt);
    EXPECT_EQ(nameFabricColor(kWhite, Palette{}), std::nullopt);
}

TEST(FabricColours, DialogSpellsEcruAndStillFindsItsColour)
{
    Palette dmc;
    dmc.add("ECRU", rgb(240, 234, 218));
    const auto choices = fabricChoices(dmc);
    ASSERT_EQ(choices.size(), 13u);
    EXPECT_EQ(choices[2].entry, "米色(Ecru)");
    EXPECT_EQ(choices[2].color, rgb(240, 234, 218));
    EXPECT_EQ(choices[0].entry, "白色(B5200)");
    EXPECT_EQ(choices[0].color, rgb(0, 255, 0));  // not in this palette
    EXPECT_EQ(fabricEntryNumber("深绿(500)"), "500");
    EXPECT_EQ(fabricEntryNumber("no number"), std::nullopt);
}

TEST(ThreadCountCaption, IsGbkWithBrandAndCount)
{
    EXPECT_EQ(threadCountCaption("DMC", 12), "(DMC)\xD0\xE5\xCF\xDF\xCA\xFD:12");
}
