// Undo steps of small edits on a big layered pattern: the time to record one (the buffers'
// write trackers say which chunks to copy), and the memory five undo and five redo steps
// add, beside one pattern's worth.
#include "editor/view/pattern_view.h"
#include "editor/view/undo_history.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace brenmark;

namespace {

constexpr int kSide = 2000, kLayers = 10;

struct BigPattern {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    BigPattern()
    {
        doc.create(kSide, kSide, "DMC");
        for (int i = 0; i < 200; ++i)
            doc.addThread(rgb(static_cast<unsigned>(i), 100, 50), std::to_string(i));
        for (std::size_t i = 0; i < doc.grid.cells.size(); ++i)
            doc.grid.cells[i] = static_cast<std::int32_t>(i % 200);
        doc.layers.backgroundFromGrid(doc);
        while (doc.layers.size() < kLayers) {
            PatternLayer layer = doc.layers[0];
            layer.drawable = false;
            doc.layers.layers.push_back(std::move(layer));
        }
        view.patternReplaced();
    }
    // One pattern's worth as the editor holds it: grid, picture and every layer's cells.
    std::size_t patternBytes() const
    {
        std::size_t bytes = doc.grid.cells.size() * sizeof(std::int32_t) + static_cast<std::size_t>(view.cellImage().sizeInBytes());
        for (const PatternLayer& layer : doc.layers.layers)
            bytes += layer.cells.size();
        return bytes;
    }
    void smallEdit(int i)
    {
        view.setCell(i * 131 % kSide, i * 71 % kSide, 3);
        doc.layers[0].cells[static_cast<std::size_t>(i) * 4099 % doc.grid.cells.size()] = 3;
    }
};

BigPattern& pattern()
{
    static BigPattern p;
    return p;
}

void BM_PushUndoOfASmallEdit(benchmark::State& state)
{
    BigPattern& p = pattern();
    UndoHistory history(p.view, p.current);
    history.pushUndo("取消描点操作");
    int i = 0;
    for (auto _ : state) {
        p.smallEdit(++i);
        history.pushUndo("取消描点操作");
    }
    state.counters["cells"] = static_cast<double>(p.doc.grid.cells.size());
}
BENCHMARK(BM_PushUndoOfASmallEdit)->Unit(benchmark::kMillisecond);

void BM_FiveUndoAndFiveRedoSteps(benchmark::State& state)
{
    BigPattern& p = pattern();
    for (auto _ : state) {
        UndoHistory history(p.view, p.current);
        for (int i = 0; i < 10; ++i) {
            history.pushUndo("取消描点操作");
            p.smallEdit(i);
        }
        for (int i = 0; i < 5; ++i)
            history.undo();
        state.counters["stored_MB"] = static_cast<double>(history.storedBytes()) / 1e6;
        state.counters["pattern_MB"] = static_cast<double>(p.patternBytes()) / 1e6;
        state.counters["stored_per_pattern"] =
            static_cast<double>(history.storedBytes()) / static_cast<double>(p.patternBytes());
        // The oldest step holds the one full copy; what the other nine add beyond it.
        state.counters["beyond_one_copy_KB"] =
            (static_cast<double>(history.storedBytes()) - static_cast<double>(p.patternBytes())) / 1e3;
    }
}
BENCHMARK(BM_FiveUndoAndFiveRedoSteps)->Unit(benchmark::kMillisecond)->Iterations(2);

// A plain copy of the same buffers, for scale.
void BM_PlainCopyOfThePattern(benchmark::State& state)
{
    BigPattern& p = pattern();
    for (auto _ : state) {
        PatternDocument copy = p.doc;
        benchmark::DoNotOptimize(copy.grid.cells.data());
    }
}
BENCHMARK(BM_PlainCopyOfThePattern)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
