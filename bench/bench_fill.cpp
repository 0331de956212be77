// The flood fill of the fill tools over a 4000 x 4000 region of one colour: the scanline
// walk on its own, and the whole tool path that writes grid, layer and cell image.
#include "editor/document/pattern_document.h"
#include "editor/document/undo_recorder.h"
#include "editor/view/pattern_view.h"
#include "editor/view/tools/scanline_fill.h"
#include "editor/view/tools/tool_controller.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kSide = 4000;

void BM_ScanlineFillGrid(benchmark::State& state)
{
    std::vector<std::int32_t> cells(static_cast<std::size_t>(kSide) * kSide, 0);
    std::vector<brenmark::FillSeed> seeds;
    std::int32_t from = 0;
    for (auto _ : state) {
        const std::int32_t to = 1 - from;
        std::int32_t* c = cells.data();
        const std::size_t n = brenmark::scanlineFill(
            kSide, kSide, kSide / 2, kSide / 2,
            [c, from](int x, int y) { return c[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * kSide] == from; },
            [c, to](int x, int y) { c[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * kSide] = to; }, seeds);
        benchmark::DoNotOptimize(n);
        from = to;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSide) * kSide);
}
BENCHMARK(BM_ScanlineFillGrid)->Unit(benchmark::kMillisecond);

struct Pattern {
    brenmark::PatternDocument doc;
    brenmark::CurrentThreadChoice current{doc};
    brenmark::PatternView view{doc, current};
    brenmark::NoUndo undo;
    brenmark::ToolController tools{view, current, undo};
    Pattern()
    {
        doc.create(kSide, kSide, "DMC");
        doc.addThread(brenmark::rgb(200, 30, 30), "321");
        doc.addThread(brenmark::rgb(30, 30, 200), "797");
        std::fill(doc.grid.cells.begin(), doc.grid.cells.end(), 0);
        doc.layers.backgroundFromGrid(doc);
        view.patternReplaced();
    }
};

// Colour fill through the tool's cell writer: grid, drawing layer, thumbnail and cell image.
void BM_FillByColour(benchmark::State& state)
{
    Pattern p;
    std::int32_t from = 0;
    for (auto _ : state) {
        const std::int32_t to = 1 - from;
        const std::size_t n = p.tools.fillByColour({kSide / 2, kSide / 2}, p.doc.threads.colors[static_cast<std::size_t>(from)], to);
        benchmark::DoNotOptimize(n);
        from = to;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSide) * kSide);
}
BENCHMARK(BM_FillByColour)->Unit(benchmark::kMillisecond);

// The whole click of the fill tool, with its overview refresh.
void BM_FillToolClick(benchmark::State& state)
{
    Pattern p;
    p.tools.selectTool(static_cast<int>(brenmark::Tool::Fill));
    int thread = 1;
    for (auto _ : state) {
        const std::size_t i = static_cast<std::size_t>(thread);
        p.current.set({thread, p.doc.threads.colors[i], p.doc.threads.numbers[i]});
        p.tools.mouseDown(QPoint(brenmark::kLeftRuler + 40, brenmark::kTopRuler + 40));
        p.tools.mouseUp(QPoint(brenmark::kLeftRuler + 40, brenmark::kTopRuler + 40));
        thread = 1 - thread;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSide) * kSide);
}
BENCHMARK(BM_FillToolClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
