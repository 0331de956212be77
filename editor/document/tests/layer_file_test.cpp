// The layer section of the pattern file as the layer code relies on it.
#include "editor/document/layer_composer.h"
#include "editor/document/pattern_file.h"
#include "editor/document/tests/layer_test_support.h"
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

PatternDocument reload(const PatternDocument& doc)
{
    const std::vector<std::uint8_t> bytes = encodePattern(doc);
    PatternDocument back;
    const PatternReadOutcome outcome = decodePattern(bytes, LoadMode::Plain, back, LoadContext{});
    EXPECT_EQ(outcome.result, LoadResult::WithLayers);
    back.finishLoad();
    return back;
}

// Where the layer section starts in a file written from doc (no lines, no marks).
std::size_t layerSectionOffset(const PatternDocument& doc)
{
    return kHeaderSize + doc.threads.colors.size() * kThreadRecordSize + doc.grid.cellCount() +
           doc.symbols.size() * kSymbolRecordSize + 4 + 4;
}

TEST(LayerFile, OrderFlagsAndNamesSurviveSavingAndLoading)
{
    Fixture f;
    f.ops->reset();
    f.ops->backgroundFromGrid();
    f.list()[0].name = "C";
    f.ops->newLayer("B");
    f.ops->newLayer("A");  // A (drawing), B, C
    f.ops->toggleLinked(1);
    f.ops->toggleVisible(2);
    f.paint(1, 1, 1, 2);
    f.layer(1).lines.push_back(line(0, 0, 1, 1, kBlue, "3"));
    f.layer(1).marks.push_back(mark(4, 1, 1));
    f.ops->recompose();

    const PatternDocument back = reload(f.doc);
    ASSERT_EQ(back.layers.size(), 3);
    const char* names[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.layers[i].name, names[i]);
        EXPECT_EQ(back.layers[i].visible, f.layer(i).visible) << i;
        EXPECT_EQ(back.layers[i].linked, f.layer(i).linked) << i;
        EXPECT_EQ(back.layers[i].drawable, f.layer(i).drawable) << i;
        EXPECT_EQ(back.layers[i].cells, f.layer(i).cells) << i;
        EXPECT_EQ(back.layers[i].lines, f.layer(i).lines) << i;
        EXPECT_EQ(back.layers[i].marks, f.layer(i).marks) << i;
        EXPECT_EQ(thumbnailOf(back.layers[i], back), thumbnailOf(f.layer(i), f.doc)) << i;
        EXPECT_EQ(back.layers[i].buttonState, f.layer(i).buttonState) << i;
    }
    EXPECT_EQ(back.grid.cells, f.doc.grid.cells);
    EXPECT_TRUE(back.layers.invariantsHold(back));
}

TEST(LayerFile, FlagsAreStoredLinkedDrawableVisible)
{
    Fixture f;
    f.ops->newLayer("top");
    f.ops->toggleLinked(1);
    f.ops->toggleVisible(1);  // 背景: linked, not drawable, hidden
    const std::vector<std::uint8_t> bytes = encodePattern(f.doc);
    const std::size_t at = layerSectionOffset(f.doc);
    ASSERT_EQ(int32AtForTest(bytes, at), 2);
    const std::size_t first = at + 4;
    EXPECT_EQ(bytes[first + 0], 0);  // top: not linked
    EXPECT_EQ(bytes[first + 1], 1);  //      drawable
    EXPECT_EQ(bytes[first + 2], 1);  //      visible
    const std::size_t second = first + 3 + kLayerNameField + 12 + 4 + 4;
    EXPECT_EQ(bytes[second + 0], 1);
    EXPECT_EQ(bytes[second + 1], 0);
    EXPECT_EQ(bytes[second + 2], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[second + 3])), "背景");
}

TEST(LayerFile, MarksOnTransparentOrUnknownCellsAreDroppedOnReading)
{
    Fixture f;
    f.paint(0, 0, 0, 1);
    f.layer(0).cells[f.at(1, 0)] = 200;  // names no thread
    f.layer(0).marks = {mark(2, 0, 0), mark(3, 1, 0), mark(4, 2, 0)};
    const PatternDocument back = reload(f.doc);
    EXPECT_EQ(back.layers[0].marks, std::vector<StitchMark>{mark(2, 0, 0)});
}

TEST(LayerFile, ACellNamingNoThreadIsKeptAndNeverBreaksTheLayerCommands)
{
    Fixture f;
    f.layer(0).cells[f.at(2, 2)] = 254;
    f.ops->newLayer("top");
    f.paint(0, 2, 1, 0);
    PatternDocument back = reload(f.doc);
    ASSERT_EQ(back.layers[1].cells[f.at(2, 2)], 254);
    EXPECT_EQ(thumbnailOf(back.layers[1], back)[f.at(2, 2)], pixelOf(kWhite));

    RecordingUndo undo;
    LayerOperations ops(back, undo);
    ops.recompose();
    EXPECT_EQ(back.grid.cells[f.at(2, 2)], 254);
    EXPECT_TRUE(ops.copyDrawingLayer());
    EXPECT_TRUE(ops.mergeVisible());
    EXPECT_EQ(back.layers[0].cells[f.at(2, 2)], 254);
    EXPECT_EQ(back.layers[0].cells[f.at(2, 1)], 0);
    EXPECT_TRUE(back.layers.invariantsHold(back, true));
}

TEST(LayerFile, AFileWithoutLayersGetsABackgroundLayerFromItsGrid)
{
    Fixture f;
    f.doc.grid.cells[f.at(3, 1)] = 1;
    std::vector<std::uint8_t> bytes = encodePattern(f.doc);
    // Version 20049 has no layer section: drop it and the count before it.
    bytes.resize(bytes.size() - (bytes.size() - layerSectionOffset(f.doc)));
    const std::int32_t v = 20049;
    std::memcpy(&bytes[20], &v, 4);
    PatternDocument back;
    ASSERT_EQ(decodePattern(bytes, LoadMode::Plain, back, LoadContext{}).result, LoadResult::WithoutLayers);
    back.finishLoad();
    ASSERT_EQ(back.layers.size(), 1);
    EXPECT_EQ(back.layers[0].name, "背景");
    EXPECT_TRUE(back.layers[0].drawable);
    EXPECT_EQ(back.layers[0].cells[f.at(3, 1)], 1);
}

// A load decodes into the buffers of the pattern it replaced: what comes back must be the new
// file's cells and layers only, whatever the old pattern held, and a small pattern must not
// keep a big one's buffers.
TEST(LayerFile, EachLoadShowsItsOwnFileWhateverItReplaced)
{
    auto make = [](int w, int h, int seed, int layerCount) {
        PatternDocument d;
        d.create(w, h, "DMC");
        for (int i = 0; i < 5; ++i)
            d.addThread(rgb(static_cast<std::uint8_t>(40 * i), 90, 160), std::to_string(310 + i));
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                d.setCell(c, r, (c * seed + r) % 6 - 1);
        d.layers.backgroundFromGrid(d);
        for (int k = 1; k < layerCount; ++k) {
            PatternLayer layer = d.layers.layers[0];
            layer.name = "L" + std::to_string(k);
            for (std::size_t i = 0; i < layer.cells.size(); ++i)
                layer.cells[i] = static_cast<std::int32_t>((i * static_cast<std::size_t>(seed + k)) % 7) - 1;
            d.layers.layers.push_back(std::move(layer));
        }
        return d;
    };
    test::TempDir dir;
    const PatternDocument first = make(120, 90, 3, 4), second = make(120, 90, 5, 2), small = make(9, 7, 7, 3);
    ASSERT_TRUE(savePattern(dir.file("first.xiu"), first));
    ASSERT_TRUE(savePattern(dir.file("second.xiu"), second));
    ASSERT_TRUE(savePattern(dir.file("small.xiu"), small));
    // Each file as a fresh document reads it.
    auto fresh = [&](const char* name) {
        PatternDocument d;
        EXPECT_EQ(loadPattern(dir.file(name), LoadMode::Plain, d, LoadContext{}).result, LoadResult::WithLayers);
        return encodePattern(d);
    };
    const auto firstBytes = fresh("first.xiu"), secondBytes = fresh("second.xiu"), smallBytes = fresh("small.xiu");
    ASSERT_NE(firstBytes, secondBytes);
    PatternDocument open;
    for (const auto& [name, expected] : {std::pair{"first.xiu", &firstBytes}, std::pair{"second.xiu", &secondBytes},
                                         std::pair{"first.xiu", &firstBytes}, std::pair{"small.xiu", &smallBytes}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(loadPattern(dir.file(name), LoadMode::Plain, open, LoadContext{}).result, LoadResult::WithLayers);
        EXPECT_EQ(encodePattern(open), *expected);
    }
    EXPECT_LT(open.grid.cells.vector().capacity(), 2 * open.grid.cellCount() + 1);
    for (const PatternLayer& layer : open.layers.layers)
        EXPECT_LT(layer.cells.buffer().vector().capacity(), 2 * layer.cells.size() + 1);
}

}  // namespace
}  // namespace brenmark::layertest
