// Recomposing the visible grid of a 2000 x 2000 pattern from 10 visible layers, beside a
// plain copy of the same layer bytes, so the cost per cell and layer shows against what the
// memory system costs anyway.
//
// Every layer holds patches of colour with about a third of its cells transparent, so the
// composition really mixes layers. Each layer has 1000 lines and 1000 marks, the marks of
// neighbouring layers partly on the same cells.
//
// The counter per_cell_layer is the time of one run divided by cells x layers, in seconds
// with an SI prefix (so "300p" is 0.3 ns).
#include "bench/bench_support.h"
#include "editor/document/layer_composer.h"
#include "editor/document/layer_operations.h"
#include "editor/document/pattern_document.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using namespace brenmark;

constexpr int kWidth = 2000;
constexpr int kHeight = 2000;
constexpr int kLayers = 10;
constexpr int kThreads = 200;
constexpr std::size_t kCells = static_cast<std::size_t>(kWidth) * kHeight;

using brenmark::bench::mix;

// Patches of one thread, some patches transparent, and a little noise.
std::int32_t layerCell(int layer, int x, int y)
{
    const std::uint32_t patch = mix(static_cast<std::uint32_t>((x / 19) + (y / 13) * 1000 + layer * 7919));
    if (patch % 3 == 0)
        return EmptyCell;
    const std::uint32_t noise = mix(static_cast<std::uint32_t>(x + y * kWidth) ^ static_cast<std::uint32_t>(layer));
    return static_cast<std::int32_t>((patch + (noise % 16 == 0 ? noise : 0)) % kThreads);
}

PatternDocument& pattern()
{
    static PatternDocument doc = [] {
        PatternDocument d;
        d.create(kWidth, kHeight, "DMC");
        for (int t = 0; t < kThreads; ++t)
            d.addThread(static_cast<ColorRef>(mix(static_cast<std::uint32_t>(t)) & 0xFFFFFFu), std::to_string(t));
        d.layers.reset();
        for (int l = 0; l < kLayers; ++l) {
            PatternLayer layer = LayerList::emptyLayer(d, "L" + std::to_string(l));
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    layer.cells[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * kWidth] = layerCell(l, x, y);
            for (int i = 0; i < 1000; ++i) {
                const std::uint32_t r = mix(static_cast<std::uint32_t>(i + l * 100000));
                BackstitchLine line;
                line.thread = "310";
                line.startColumn = static_cast<std::int32_t>(r % kWidth);
                line.startRow = static_cast<std::int32_t>((r >> 11) % kHeight);
                line.endColumn = line.startColumn;
                line.endRow = line.startRow;
                line.endCorner = BottomRight;
                layer.lines.push_back(line);
                // Half the marks share cells with the layer below.
                const int source = i % 2 == 0 ? l : l + 1;
                const std::uint32_t m = mix(static_cast<std::uint32_t>(i + source * 100000) ^ 0x55u);
                layer.marks.push_back(StitchMark{1 + i % 12, 0, static_cast<std::int32_t>(m % kWidth),
                                                 static_cast<std::int32_t>((m >> 11) % kHeight)});
            }
            d.layers.layers.push_back(std::move(layer));
        }
        d.layers.setOnlyDrawing(0);
        return d;
    }();
    return doc;
}

void perCellAndLayer(benchmark::State& state, int layers)
{
    state.counters["per_cell_layer"] = benchmark::Counter(static_cast<double>(kCells) * layers,
                                                             benchmark::Counter::kIsIterationInvariantRate |
                                                                 benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kCells) * layers *
                            static_cast<std::int64_t>(sizeof(LayerByte)));
}

// The whole recompose: grid, lines and marks.
void BM_Recompose(benchmark::State& state)
{
    PatternDocument& doc = pattern();
    for (auto _ : state) {
        recomposeDocument(doc);
        benchmark::DoNotOptimize(doc.grid.cells.data());
        benchmark::ClobberMemory();
    }
    perCellAndLayer(state, kLayers);
}
BENCHMARK(BM_Recompose)->Unit(benchmark::kMillisecond);

// Only the cells, composed into the grid.
void BM_ComposeCells(benchmark::State& state)
{
    PatternDocument& doc = pattern();
    const std::vector<const PatternLayer*> visible = visibleBottomFirst(doc.layers.layers);
    for (auto _ : state) {
        composeCells(visible, doc.grid.cells.data(), kCells);
        benchmark::DoNotOptimize(doc.grid.cells.data());
        benchmark::ClobberMemory();
    }
    perCellAndLayer(state, kLayers);
}
BENCHMARK(BM_ComposeCells)->Unit(benchmark::kMillisecond);

// The floor: every layer's cells copied over the grid, bottom first, with nothing decided.
void BM_PlainCopyOfTheLayers(benchmark::State& state)
{
    PatternDocument& doc = pattern();
    for (auto _ : state) {
        for (int l = kLayers - 1; l >= 0; --l)
            for (std::size_t i = 0; i < kCells; ++i)
                doc.grid.cells.data()[i] = doc.layers[l].cells.bytes()[i];
        benchmark::DoNotOptimize(doc.grid.cells.data());
        benchmark::ClobberMemory();
    }
    perCellAndLayer(state, kLayers);
}
BENCHMARK(BM_PlainCopyOfTheLayers)->Unit(benchmark::kMillisecond);

// Reading every layer once, the least any composition must do.
void BM_PlainReadOfTheLayers(benchmark::State& state)
{
    PatternDocument& doc = pattern();
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (int l = 0; l < kLayers; ++l) {
            const LayerByte* p = doc.layers[l].cells.bytes();
            for (std::size_t i = 0; i < kCells; ++i)
                sum += p[i];
        }
        benchmark::DoNotOptimize(sum);
    }
    perCellAndLayer(state, kLayers);
}
BENCHMARK(BM_PlainReadOfTheLayers)->Unit(benchmark::kMillisecond);

// A merge of all ten: composition of the cells, lines, marks, thread union.
void BM_MergeVisibleTenLayers(benchmark::State& state)
{
    PatternDocument& doc = pattern();
    const LayerList original = doc.layers;
    NoUndo undo;
    for (auto _ : state) {
        state.PauseTiming();
        doc.layers = original;
        state.ResumeTiming();
        LayerOperations ops(doc, undo);
        ops.mergeVisible();
        benchmark::DoNotOptimize(doc.layers.layers.data());
    }
    doc.layers = original;
    perCellAndLayer(state, kLayers);
}
BENCHMARK(BM_MergeVisibleTenLayers)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
