// What the pattern uses of each thread: cells per table entry on the grid or with the layers,
// and the outline lines grouped by colour in the order of first use.
#include "editor/document/thread_usage.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);

BackstitchLine line(ColorRef colour, std::string thread, int c1, int r1)
{
    BackstitchLine l;
    l.color = colour;
    l.thread = std::move(thread);
    l.endColumn = c1;
    l.endRow = r1;
    return l;
}

PatternDocument threeEntries()
{
    PatternDocument doc;
    doc.create(4, 2, "DMC");
    doc.addThread(kRed, "321");
    doc.addThread(kBlue, "336");
    doc.addThread(kRed, "321");  // a second entry of the same colour
    doc.layers.backgroundFromGrid(doc);
    doc.setCell(0, 0, 0);
    doc.setCell(1, 0, 0);
    doc.setCell(2, 0, 1);
    doc.setCell(3, 0, 2);
    doc.setCell(0, 1, 7);  // an index past the table counts nowhere
    return doc;
}

}  // namespace

TEST(ThreadUsage, CellsAreCountedPerEntryAndSummedPerColour)
{
    const PatternDocument doc = threeEntries();
    const ThreadUsage usage(doc);
    EXPECT_EQ(usage.cells(), (std::vector<std::int64_t>{2, 1, 1}));
    EXPECT_EQ(usage.cellsOf(1), 1);
    EXPECT_EQ(usage.cellsOf(9), 0);
    EXPECT_EQ(usage.cellsOfColour(doc, kRed), 3);
    EXPECT_EQ(usage.cellsOfColour(doc, rgb(1, 2, 3)), 0);
}

TEST(ThreadUsage, WithLayersAddsTheLayersCells)
{
    PatternDocument doc = threeEntries();
    doc.layers[0].cells[5] = 1;  // the background layer was made while the grid was empty
    EXPECT_EQ(ThreadUsage(doc).cellsOf(1), 1);
    EXPECT_EQ(ThreadUsage::withLayers(doc).cellsOf(1), 2);
    EXPECT_EQ(ThreadUsage::withLayers(doc).cellsOf(0), 2);
}

TEST(ThreadUsage, OutlinesAreOneGroupPerColourInOrderOfFirstUse)
{
    PatternDocument doc = threeEntries();
    doc.lines.push_back(line(kBlue, "", 3, 4));     // length 5, the colour's entry names it
    doc.lines.push_back(line(kRed, "999", 1, 0));   // length 1
    doc.lines.push_back(line(kBlue, "x", 6, 8));    // length 10, keeps the first name
    const ThreadUsage usage(doc);
    ASSERT_EQ(usage.outlines().size(), 2u);
    EXPECT_EQ(usage.outlines()[0].colour, kBlue);
    EXPECT_EQ(usage.outlines()[0].number, "336");
    EXPECT_EQ(usage.outlines()[0].length, 15);
    EXPECT_EQ(usage.outlines()[0].lines, 2u);
    EXPECT_EQ(usage.outlines()[1].number, "999");
    ASSERT_NE(usage.outlineOf(kRed), nullptr);
    EXPECT_EQ(usage.outlineOf(kRed)->length, 1);
    EXPECT_EQ(usage.outlineOf(rgb(1, 1, 1)), nullptr);
}

}  // namespace brenmark
