// Layer cells are one byte each: thread indices as themselves, transparent as 0xFF, the
// bytes the pattern file stores.
#include "editor/document/layer_cells.h"
#include "editor/document/layer_composer.h"
#include "editor/document/layer_list.h"
#include "editor/document/pattern_document.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <utility>

namespace brenmark {
namespace {

TEST(LayerCells, EveryThreadIndexAndTransparentRoundTripThroughTheByte)
{
    LayerCells cells(257, EmptyCell);
    for (std::int32_t v = -1; v <= 254; ++v)
        cells.set(static_cast<std::size_t>(v + 1), v);
    for (std::int32_t v = -1; v <= 254; ++v) {
        EXPECT_EQ(cells[static_cast<std::size_t>(v + 1)], v);
        EXPECT_EQ(cells.bytes()[v + 1], v == -1 ? 0xFF : v) << "the file's byte";
    }
    EXPECT_EQ(cells.toVector()[0], EmptyCell);
    EXPECT_TRUE(cells.transparentAt(0));
    EXPECT_FALSE(cells.transparentAt(255)) << "thread 254 is a thread";
}

TEST(LayerCells, AValueNoByteCanHoldIsTransparentNeverAnotherThread)
{
    LayerCells cells(4, 0);
    cells.set(0, 255);
    cells.set(1, 256 + 7);
    cells.set(2, -2);
    cells[3] = 1000;
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(cells[i], EmptyCell) << i;
}

TEST(LayerCells, WritesMarkTheirChunkForTheUndoHistory)
{
    LayerCells cells(3 * WriteTracker::kChunk, EmptyCell);
    cells.writes().captured({1, 0}, cells.size());
    cells.set(WriteTracker::kChunk + 5, 3);
    cells[2 * WriteTracker::kChunk] = 4;
    const std::vector<std::uint8_t>* changed = cells.writes().changesSince({1, 0}, cells.size());
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(*changed, (std::vector<std::uint8_t>{0, 1, 1}));
    EXPECT_EQ(std::as_const(cells)[WriteTracker::kChunk + 5], 3) << "reading marks nothing";
    cells.assign(cells.size(), 0);
    EXPECT_EQ(cells.writes().changesSince({1, 0}, cells.size()), nullptr) << "a whole write is a whole change";
}

TEST(LayerCells, ComposeIntoTheGridGivesSignedCells)
{
    PatternLayer bottom, top;
    bottom.cells = std::vector<std::int32_t>{0, 254, -1, -1, 7};
    top.cells = std::vector<std::int32_t>{-1, -1, -1, 254, 3};
    const PatternLayer* bottomFirst[] = {&bottom, &top};
    std::vector<std::int32_t> grid(5, 99);
    composeCells(bottomFirst, grid.data(), grid.size());
    EXPECT_EQ(grid, (std::vector<std::int32_t>{0, 254, -1, 254, 3}));
    std::vector<LayerByte> merged(5);
    composeLayerBytes(bottomFirst, merged.data(), merged.size());
    EXPECT_EQ(merged, (std::vector<LayerByte>{0, 254, 0xFF, 254, 3}));
}

TEST(LayerCells, ThreadZeroTwoHundredFiftyFourAndEmptySurviveSavingAndLoading)
{
    PatternDocument doc;
    doc.create(3, 1, "DMC");
    for (int t = 0; t < 255; ++t)
        doc.addThread(static_cast<ColorRef>(t), std::to_string(t));
    doc.layers.backgroundFromGrid(doc);
    doc.layers.setLayerCell(0, 0, 0, 0);
    doc.layers.setLayerCell(0, 1, 0, 254);
    const std::vector<std::uint8_t> bytes = encodePattern(doc);
    PatternDocument back;
    ASSERT_EQ(decodePattern(bytes, LoadMode::Plain, back, {}).result, LoadResult::WithLayers);
    EXPECT_EQ(back.layers[0].cells, (std::vector<std::int32_t>{0, 254, EmptyCell}));
    EXPECT_EQ(back.layers[0].cells, doc.layers[0].cells);
}

}  // namespace
}  // namespace brenmark
