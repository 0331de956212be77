// What each version of the file holds, both load modes, round trips and progress.
#include "editor/document/tests/test_support.h"

#include "editor/document/layer_thumbnail.h"

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::test;

namespace {

struct Loaded {
    PatternReadOutcome outcome;
    PatternDocument doc;
    RecordingMessages messages;
};

std::unique_ptr<Loaded> load(const TempDir& dir, const std::vector<std::uint8_t>& bytes,
                             LoadMode mode = LoadMode::Library, ProgressReport* progress = nullptr)
{
    auto l = std::make_unique<Loaded>();
    const std::string path = dir.file("p.xiu");
    writeBytes(path, bytes);
    const PaletteStore store(dir.path());
    l->outcome = loadPattern(path, mode, l->doc, {&store, &l->messages, progress});
    return l;
}

BackstitchLine lineOf(int c0, int r0, int k0, int c1, int r1, int k1, std::string thread = "321",
                      ColorRef color = rgb(200, 0, 0))
{
    BackstitchLine l;
    l.thread = std::move(thread);
    l.color = color;
    l.startColumn = c0, l.startRow = r0, l.startCorner = k0;
    l.endColumn = c1, l.endRow = r1, l.endCorner = k1;
    return l;
}

PatternFileBuilder withThreads(std::int32_t version)
{
    PatternFileBuilder f;
    f.version = version;
    f.threads = {{rgb(1, 2, 3), "310"}, {rgb(4, 5, 6), "321"}};
    f.cells = {0, 1, 0xFF, 1};
    f.symbols = {{"@", 77}, {"#", 88}};
    f.fabric = rgb(9, 8, 7);
    return f;
}

}  // namespace

TEST(PatternFileVersions, VersionOneHasShortLinesThatComeBackBlack310AndDefaultSymbols)
{
    TempDir dir;
    PatternFileBuilder f = withThreads(1);
    f.writeLineSection = true;
    f.lines = {lineOf(0, 0, 0, 1, 1, 3), lineOf(1, 0, 1, 0, 1, 2)};
    const auto l = load(dir, f.build());
    ASSERT_EQ(l->outcome.result, LoadResult::WithoutLayers);
    ASSERT_EQ(l->doc.lines.size(), 2u);
    EXPECT_EQ(l->doc.lines[0], lineOf(0, 0, 0, 1, 1, 3, "310", 0));
    EXPECT_EQ(l->doc.lines[1], lineOf(1, 0, 1, 0, 1, 2, "310", 0));
    EXPECT_EQ(l->doc.symbols[0].symbol, "1");  // assigned by default, not read
    EXPECT_EQ(l->doc.symbols[1].symbol, "2");
    EXPECT_EQ(l->doc.fabric, kWhite);
    ASSERT_EQ(l->doc.layers.size(), 1);
    EXPECT_EQ(l->doc.layers[0].name, "背景");
    EXPECT_EQ(l->doc.layers[0].lines.size(), 2u);
}

TEST(PatternFileVersions, VersionTwoHasLongLinesButNoSymbols)
{
    TempDir dir;
    PatternFileBuilder f = withThreads(2);
    f.writeLineSection = true;
    f.lines = {lineOf(0, 0, 0, 1, 1, 3, "3865", rgb(250, 250, 250))};
    const auto l = load(dir, f.build());
    ASSERT_EQ(l->outcome.result, LoadResult::WithoutLayers);
    ASSERT_EQ(l->doc.lines.size(), 1u);
    EXPECT_EQ(l->doc.lines[0], lineOf(0, 0, 0, 1, 1, 3, "3865", rgb(250, 250, 250)));
    EXPECT_EQ(l->doc.symbols[0].symbol, "1");
}

TEST(PatternFileVersions, FromThreeSymbolsAndFabricAreRead)
{
    for (std::int32_t version : {3, 2003}) {
        TempDir dir;
        const auto l = load(dir, withThreads(version).build());
        ASSERT_EQ(l->outcome.result, LoadResult::WithoutLayers) << version;
        EXPECT_EQ(l->doc.symbols[0], (SymbolEntry{77, "@"}));
        EXPECT_EQ(l->doc.symbols[1], (SymbolEntry{88, "#"}));
        EXPECT_EQ(l->doc.fabric, rgb(9, 8, 7));
        EXPECT_TRUE(l->doc.marks.empty());
    }
}

TEST(PatternFileVersions, SymbolSlotZeroMinusOneMeansAssignDefaults)
{
    TempDir dir;
    PatternFileBuilder f = withThreads(3);
    f.symbols = {{"@", -1}, {"#", 88}};
    const auto l = load(dir, f.build());
    EXPECT_EQ(l->doc.symbols[0].symbol, "1");
    EXPECT_EQ(l->doc.symbols[0].color, static_cast<std::int32_t>(rgb(1, 2, 3)));
}

TEST(PatternFileVersions, From2004MarksAreReadWithOnePerCell)
{
    for (std::int32_t version : {2004, 20049}) {
        TempDir dir;
        PatternFileBuilder f = withThreads(version);
        f.marks = {{3, 0, 1, 0}, {4, 0, 0, 1}, {5, 0, 1, 0}};
        const auto l = load(dir, f.build());
        ASSERT_EQ(l->outcome.result, LoadResult::WithoutLayers) << version;
        EXPECT_EQ(l->doc.marks, (std::vector<StitchMark>{{5, 0, 1, 0}, {4, 0, 0, 1}}));
        ASSERT_EQ(l->doc.layers.size(), 1);
        EXPECT_EQ(l->doc.layers[0].marks, l->doc.marks);
    }
}

TEST(PatternFileVersions, Version20049GetsABackgroundLayerAndSavesAs20101WithOneLayer)
{
    TempDir dir;
    const auto l = load(dir, withThreads(20049).build());
    ASSERT_EQ(l->outcome.result, LoadResult::WithoutLayers);
    ASSERT_EQ(l->doc.layers.size(), 1);
    EXPECT_EQ(l->doc.layers[0].cells, (std::vector<std::int32_t>{0, 1, -1, 1}));
    const auto b = encodePattern(l->doc);
    EXPECT_EQ(int32At(b, 20), 20101);
    const std::size_t layerCount = kHeaderSize + 2 * 24 + 4 + 256 * 7 + 4 + 4;
    EXPECT_EQ(int32At(b, layerCount), 1);
}

TEST(PatternFileVersions, From20050LayersAreReadInOrderWithTheirFlags)
{
    for (std::int32_t version : {20050, 20101}) {
        TempDir dir;
        PatternFileBuilder f = withThreads(version);
        f.layers = {{true, false, true, "A", {0, 0xFF, 0xFF, 0xFF}, {lineOf(0, 0, 0, 0, 0, 3)}, {{2, 0, 0, 0}}},
                    {false, true, false, "B", {0xFF, 1, 0xFF, 0xFF}, {}, {}},
                    {true, false, false, "C", {}, {}, {}}};
        const auto l = load(dir, f.build());
        ASSERT_EQ(l->outcome.result, LoadResult::WithLayers) << version;
        ASSERT_EQ(l->doc.layers.size(), 3);
        const auto& layers = l->doc.layers;
        EXPECT_EQ(layers[0].name, "A");
        EXPECT_TRUE(layers[0].linked);
        EXPECT_FALSE(layers[0].drawable);
        EXPECT_TRUE(layers[0].visible);
        EXPECT_EQ(layers[0].lines.size(), 1u);
        EXPECT_EQ(layers[0].marks.size(), 1u);
        EXPECT_EQ(layers[1].name, "B");
        EXPECT_FALSE(layers[1].linked);
        EXPECT_TRUE(layers[1].drawable);
        EXPECT_FALSE(layers[1].visible);
        EXPECT_EQ(layers[1].cells, (std::vector<std::int32_t>{-1, 1, -1, -1}));
        EXPECT_EQ(layers[2].name, "C");
        EXPECT_TRUE(layers[2].linked);
        EXPECT_EQ(layers[2].cells, std::vector<std::int32_t>(4, -1));
        // Thumbnails: thread colours, and the file's fabric colour for transparent cells.
        const CellImage thumbnail = layerThumbnail(layers[1], l->doc, 2, 2);
        EXPECT_EQ(thumbnail.pixels[0], pixelOf(rgb(9, 8, 7)));
        EXPECT_EQ(thumbnail.pixels[1], pixelOf(rgb(4, 5, 6)));
    }
}

TEST(PatternFileVersions, LayerMarksOnTransparentOrThreadlessCellsAreDropped)
{
    TempDir dir;
    PatternFileBuilder f = withThreads(20101);
    f.layers = {{false, true, true, "A", {0, 0xFF, 0x07, 1}, {}, {{2, 0, 0, 0}, {3, 0, 1, 0}, {4, 0, 0, 1}, {5, 0, 1, 1}}}};
    const auto l = load(dir, f.build());
    ASSERT_EQ(l->outcome.result, LoadResult::WithLayers);
    EXPECT_EQ(l->doc.layers[0].marks, (std::vector<StitchMark>{{2, 0, 0, 0}, {5, 0, 1, 1}}));
    // The byte naming no thread is kept, and shown as fabric.
    EXPECT_EQ(l->doc.layers[0].cells[2], 7);
    EXPECT_EQ(layerThumbnail(l->doc.layers[0], l->doc, 2, 2).pixels[2], pixelOf(rgb(9, 8, 7)));
}

TEST(PatternFileVersions, LibraryModeRefreshesColoursByExactNumberPlainModeKeepsThem)
{
    TempDir dir;
    writePalette(dir.path(), "DMC", {{"310", rgb(0, 0, 0)}, {"321", rgb(200, 0, 0)}, {"321", rgb(1, 1, 1)}});
    PatternFileBuilder f = withThreads(20101);
    f.threads = {{rgb(1, 2, 3), "310"}, {rgb(4, 5, 6), "321"}, {rgb(7, 8, 9), "3210"}, {rgb(7, 7, 7), "Ecru"}};
    const auto lib = load(dir, f.build());
    ASSERT_EQ(lib->outcome.result, LoadResult::WithLayers);
    EXPECT_EQ(lib->doc.threads.colors, (std::vector<ColorRef>{rgb(0, 0, 0), rgb(200, 0, 0), rgb(7, 8, 9), rgb(7, 7, 7)}));
    EXPECT_EQ(lib->doc.grid.colorValues, lib->doc.threads.colors);

    const auto plain = load(dir, f.build(), LoadMode::Plain);
    EXPECT_EQ(plain->doc.threads.colors, (std::vector<ColorRef>{rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(7, 7, 7)}));
}

TEST(PatternFileVersions, MissingPaletteKeepsStoredColours)
{
    TempDir dir;
    const auto l = load(dir, withThreads(20101).build());
    EXPECT_EQ(l->doc.threads.colors, (std::vector<ColorRef>{rgb(1, 2, 3), rgb(4, 5, 6)}));
}

TEST(PatternFileVersions, OldLibraryFlagIsRefusedInLibraryModeOnly)
{
    TempDir dir;
    PatternFileBuilder f = withThreads(20101);
    f.currentLibrary = false;
    const auto lib = load(dir, f.build());
    EXPECT_EQ(lib->outcome.result, LoadResult::Failed);
    ASSERT_EQ(lib->messages.shown.size(), 1u);
    EXPECT_EQ(lib->messages.shown[0].text, kMsgOldLibrary);
    EXPECT_EQ(lib->messages.shown[0].title, "提示");
    EXPECT_EQ(lib->messages.shown[0].icon, MessageIcon::Information);

    const auto plain = load(dir, f.build(), LoadMode::Plain);
    EXPECT_EQ(plain->outcome.result, LoadResult::WithLayers);
    EXPECT_TRUE(plain->messages.shown.empty());
}

TEST(PatternFileVersions, NewerThan20101IsRefused)
{
    TempDir dir;
    const auto l = load(dir, withThreads(20102).build());
    EXPECT_EQ(l->outcome.result, LoadResult::Failed);
    EXPECT_EQ(l->messages.texts(), std::vector<std::string>{kMsgNewerVersion});
    EXPECT_EQ(load(dir, withThreads(20101).build())->outcome.result, LoadResult::WithLayers);
}

TEST(PatternFileRoundTrip, TwoHundredFiftyFiveThreadsIndex254AndEmptyCells)
{
    TempDir dir;
    PatternDocument doc;
    doc.create(20, 15, "J&P");
    for (int i = 0; i < 255; ++i)
        doc.addThread(rgb(static_cast<unsigned>(i), static_cast<unsigned>(255 - i), 7), "N" + std::to_string(i));
    for (int i = 0; i < 255; ++i)
        doc.grid.cells[static_cast<std::size_t>(i)] = i;
    doc.threads.numbers[3] = "1234567890123456789";  // 19 bytes
    doc.assignDefaultSymbols();
    doc.fabric = rgb(240, 234, 218);
    doc.lines.push_back(lineOf(19, 14, 3, 20, 0, 0, "3865", rgb(1, 1, 1)));
    doc.lines[0].selected = 1;
    doc.placeMark(13, 5, 0);  // on a stitched cell: layer marks on empty cells are dropped
    doc.layers.backgroundFromGrid(doc);
    doc.layers[0].name = "1234567890123456789";
    ASSERT_TRUE(savePattern(dir.file("a.xiu"), doc));

    PatternDocument back;
    RecordingMessages messages;
    const PaletteStore store(dir.path());
    ASSERT_EQ(loadPattern(dir.file("a.xiu"), LoadMode::Library, back, {&store, &messages, nullptr}).result,
              LoadResult::WithLayers);
    EXPECT_EQ(back.threads, doc.threads);
    EXPECT_EQ(back.grid.cells, doc.grid.cells);
    EXPECT_EQ(back.grid.cells[254], 254);
    EXPECT_EQ(back.grid.cells[255], EmptyCell);
    EXPECT_EQ(back.brand, "J&P");
    EXPECT_EQ(back.symbols, doc.symbols);
    EXPECT_EQ(back.fabric, doc.fabric);
    ASSERT_EQ(back.lines.size(), 1u);
    EXPECT_EQ(back.lines[0].selected, 0);  // a reloaded line is not selected
    doc.lines[0].selected = 0;
    EXPECT_EQ(back.lines, doc.lines);
    EXPECT_EQ(back.marks, doc.marks);
    ASSERT_EQ(back.layers.size(), 1);
    EXPECT_EQ(back.layers[0].name, "1234567890123456789");
    EXPECT_EQ(back.layers[0].cells, doc.grid.cells);
    const auto a = encodePattern(back), b = encodePattern(doc);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin(), static_cast<long>(a.size()));
}

TEST(PatternFileRoundTrip, LoadClearsLocksAndKeepsTheObservers)
{
    TempDir dir;
    PatternDocument doc;
    doc.create(2, 2, "DMC");
    doc.addThread(rgb(1, 1, 1), "310");
    ASSERT_TRUE(savePattern(dir.file("a.xiu"), doc));

    struct Watcher : DocumentObserver {
        int replaced = 0;
        void documentReplaced() override { ++replaced; }
    } watcher;
    PatternDocument open;
    open.create(5, 5, "DMC");
    open.addThread(rgb(1, 1, 1), "310");
    open.setLocked("310", true);
    open.addObserver(&watcher);
    ASSERT_EQ(loadPattern(dir.file("a.xiu"), LoadMode::Plain, open, {}).result, LoadResult::WithLayers);
    EXPECT_FALSE(open.isLocked("310"));
    EXPECT_EQ(open.width(), 2);
    EXPECT_EQ(watcher.replaced, 1);
}

namespace {

// The position sequence a cell-by-cell loop would send.
std::vector<int> perCellPositions(std::size_t total)
{
    std::vector<int> sent{0};
    const std::size_t d = total / 10;
    if (d == 0)
        return sent;
    int last = 0;
    for (std::size_t i = 0; i < total; ++i) {
        const int p = std::min(10, static_cast<int>(static_cast<float>(i) / static_cast<float>(d)));
        if (p != last)
            sent.push_back(last = p);
    }
    return sent;
}

}  // namespace

TEST(PatternFileProgress, ReportsZeroToTenExactlyAsACellByCellLoopWould)
{
    for (auto [w, h] : {std::pair{1, 1}, {3, 3}, {5, 2}, {5, 5}, {7, 13}, {100, 100}, {333, 77}}) {
        TempDir dir;
        PatternFileBuilder f;
        f.width = w, f.height = h;
        RecordingProgress progress;
        const auto l = load(dir, f.build(), LoadMode::Library, &progress);
        ASSERT_NE(l->outcome.result, LoadResult::Failed);
        EXPECT_EQ(progress.low, 0);
        EXPECT_EQ(progress.high, 10);
        EXPECT_EQ(progress.positions, perCellPositions(static_cast<std::size_t>(w) * h)) << w << "x" << h;
        EXPECT_LE(progress.positions.size(), 11u);
    }
}
