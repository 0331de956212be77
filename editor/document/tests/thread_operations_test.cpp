#include "editor/document/thread_operations.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kDarkRed = rgb(150, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);
constexpr ColorRef kGreen = rgb(0, 200, 0);

// A 4 x 4 pattern whose background layer and grid agree.
struct Pattern {
    PatternDocument doc;
    explicit Pattern(std::initializer_list<std::pair<ColorRef, const char*>> threads)
    {
        doc.create(4, 4, "DMC");
        for (const auto& [colour, number] : threads)
            doc.addThread(colour, number);
        doc.layers.backgroundFromGrid(doc);
        doc.assignDefaultSymbols();
    }
    // Paints the background layer and the grid.
    void paint(int x, int y, std::int32_t index)
    {
        doc.setCell(x, y, index);
        doc.layers[0].cells[static_cast<std::size_t>(x + y * 4)] = index;
    }
    PatternLayer& addHiddenLayer()
    {
        PatternLayer layer;
        layer.name = "hidden";
        layer.visible = false;
        layer.width = layer.height = 4;
        layer.cells.assign(16, EmptyCell);
        doc.layers.layers.insert(doc.layers.layers.begin(), std::move(layer));
        return doc.layers[0];
    }
    static BackstitchLine line(const char* thread, ColorRef colour)
    {
        BackstitchLine l;
        l.thread = thread;
        l.color = colour;
        l.endColumn = 1;
        return l;
    }
};

TEST(UnusedThreads, ThreadsOnCellsStayAndTheRestGiveWay)
{
    Pattern p({{kRed, "321"}, {kBlue, "796"}, {kDarkRed, "816"}});
    p.paint(0, 0, 0);
    p.paint(1, 0, 1);

    EXPECT_TRUE(hasRemovableUnusedThread(p.doc));
    EXPECT_EQ(deleteUnusedThreads(p.doc), 1);
    EXPECT_FALSE(hasRemovableUnusedThread(p.doc));

    // "816" gave way to the nearest colour, red; cells keep their indices.
    EXPECT_EQ(p.doc.threads.numbers, (std::vector<std::string>{"321", "796", "321"}));
    EXPECT_EQ(p.doc.threads.colors[2], kRed);
    EXPECT_EQ(p.doc.distinct.numbers, (std::vector<std::string>{"321", "796"}));
    EXPECT_EQ(p.doc.cell(0, 0), 0);
    EXPECT_EQ(p.doc.cell(1, 0), 1);
}

TEST(UnusedThreads, AThreadOnlyAHiddenLayerUsesIsKept)
{
    Pattern p({{kRed, "321"}, {kBlue, "796"}});
    p.paint(0, 0, 0);
    PatternLayer& hidden = p.addHiddenLayer();
    hidden.cells[5] = 1;

    EXPECT_EQ(firstUnusedThread(p.doc), -1);
    EXPECT_EQ(deleteUnusedThreads(p.doc), 0);
    EXPECT_EQ(p.doc.threads.numbers, (std::vector<std::string>{"321", "796"}));
}

TEST(UnusedThreads, AThreadOnlyALineUsesIsKept)
{
    Pattern p({{kRed, "321"}, {kBlue, "796"}, {kGreen, "700"}});
    p.paint(0, 0, 0);
    p.doc.lines.push_back(Pattern::line("796", kBlue));
    p.addHiddenLayer().lines.push_back(Pattern::line("700", kGreen));

    EXPECT_EQ(deleteUnusedThreads(p.doc), 0);
    EXPECT_EQ(p.doc.distinct.numbers.size(), 3u);
}

TEST(UnusedThreads, AThreadOfAPieceBeingPlacedIsKept)
{
    Pattern p({{kRed, "321"}, {kBlue, "796"}});
    p.paint(0, 0, 0);
    PatternLayer& layer = p.addHiddenLayer();
    layer.floating = FloatingPiece{};
    layer.floating->width = layer.floating->height = 1;
    layer.floating->cells = {1};

    EXPECT_EQ(deleteUnusedThreads(p.doc), 0);
}

TEST(UnusedThreads, UsageCountsEveryEntryOfTheSameNumber)
{
    // The first "321" entry is unused, the second is painted: the thread is in use.
    Pattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "321"}});
    p.paint(2, 2, 2);
    p.paint(3, 3, 1);

    EXPECT_EQ(deleteUnusedThreads(p.doc), 0);
}

TEST(UnusedThreads, RemovalsRepeatInColourBarOrderUntilNoneQualifies)
{
    // Green and blue are unused. Green goes first (it comes first in the bar) and takes
    // blue (as near as red, and earlier); then blue, now on two entries, gives way to red.
    Pattern p({{kGreen, "700"}, {kBlue, "796"}, {kRed, "321"}});
    p.paint(0, 0, 2);
    ThreadChange change;

    EXPECT_EQ(deleteUnusedThreads(p.doc, &change), 2);

    EXPECT_EQ(p.doc.threads.numbers, (std::vector<std::string>{"321", "321", "321"}));
    EXPECT_EQ(p.doc.distinct.numbers, (std::vector<std::string>{"321"}));
    EXPECT_EQ(change.positions, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(firstUnusedThread(p.doc), -1);
}

TEST(UnusedThreads, TheLastThreadHasNothingToGiveWayTo)
{
    Pattern p({{kRed, "321"}});

    EXPECT_EQ(firstUnusedThread(p.doc), 0);
    EXPECT_FALSE(hasRemovableUnusedThread(p.doc));
    EXPECT_EQ(deleteUnusedThreads(p.doc), 0);
    EXPECT_EQ(p.doc.threads.numbers, (std::vector<std::string>{"321"}));
}

TEST(UnusedThreads, APatternWithoutThreadsIsLeftAlone)
{
    Pattern p({});
    EXPECT_EQ(deleteUnusedThreads(p.doc), 0);
}

TEST(RemoveThread, TheEntryTakesTheSuccessorsLockSymbolAndLayerCopies)
{
    Pattern p({{kRed, "321"}, {kDarkRed, "816"}, {kBlue, "796"}});
    p.doc.setLocked("321", true);
    const std::string redSymbol = p.doc.symbols[0].symbol;
    ThreadChange change;

    ASSERT_TRUE(removeThread(p.doc, "816", &change));

    EXPECT_EQ(change.positions, std::vector<int>{1});
    EXPECT_EQ(p.doc.lockFlags[1], 1u);
    EXPECT_EQ(p.doc.grid.colorValues[1], kRed);
    EXPECT_EQ(p.doc.symbols[1].color, static_cast<std::int32_t>(kRed));
    EXPECT_EQ(p.doc.symbols[1].symbol, redSymbol);
    EXPECT_EQ(p.doc.layers[0].threadNumbers[1], "321");
    EXPECT_EQ(p.doc.layers[0].threadColors[1], kRed);
}

TEST(RemoveThread, LinesOfTheThreadFollowIt)
{
    Pattern p({{kRed, "321"}, {kDarkRed, "816"}});
    p.doc.lines.push_back(Pattern::line("816", kDarkRed));
    p.doc.layers[0].lines.push_back(Pattern::line("816", kDarkRed));

    ASSERT_TRUE(removeThread(p.doc, "816"));

    EXPECT_EQ(p.doc.lines[0].thread, "321");
    EXPECT_EQ(p.doc.lines[0].color, kRed);
    EXPECT_EQ(p.doc.layers[0].lines[0].thread, "321");
}

TEST(RemoveThread, AnUnknownNumberChangesNothing)
{
    Pattern p({{kRed, "321"}, {kBlue, "796"}});
    EXPECT_FALSE(removeThread(p.doc, "999"));
    EXPECT_EQ(p.doc.threads.numbers, (std::vector<std::string>{"321", "796"}));
}

TEST(NearestRemainingThread, EarliestColourWinsATie)
{
    ThreadTable table;
    table.add(rgb(10, 0, 0), "a");
    table.add(rgb(0, 10, 0), "b");  // as far from black as "a"
    table.add(rgb(0, 0, 0), "gone");
    EXPECT_EQ(nearestRemainingThread(table, "gone", rgb(0, 0, 0)), 0);
}

TEST(NearestRemainingThread, ThePositionIsTheColoursFirstOccurrence)
{
    ThreadTable table;
    table.add(rgb(0, 0, 0), "gone");
    table.add(rgb(90, 90, 90), "x");
    table.add(rgb(90, 90, 90), "y");
    table.add(rgb(250, 250, 250), "z");
    EXPECT_EQ(nearestRemainingThread(table, "gone", rgb(100, 100, 100)), 1);
    EXPECT_EQ(nearestRemainingThread(table, "x", rgb(0, 0, 0)), 0);
}

TEST(NearestRemainingThread, NoneWhenOnlyTheThreadItselfRemains)
{
    ThreadTable table;
    table.add(rgb(1, 2, 3), "only");
    table.add(rgb(4, 5, 6), "only");
    EXPECT_EQ(nearestRemainingThread(table, "only", 0), -1);
}

}  // namespace
}  // namespace brenmark
