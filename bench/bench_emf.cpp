// Chart pages as enhanced metafiles: one A4 page (cell size 10, 70 x 94 cells of 200 threads,
// colour, so every cell is a fill and a symbol) recorded into a metafile, beside the same page
// painted into a 96-per-inch picture; and a whole 200 x 200 chart on one canvas at cell size
// 8, as the whole-chart export draws it. A page should take well under 100 ms, so a chart of
// fifty pages is written in a few seconds.
//
// Runs offscreen; the QGuiApplication is there for the fonts.
#include "bench/bench_support.h"
#include "editor/render/chart_layout.h"
#include "editor/render/emf_paint_engine.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace brenmark;

PatternDocument makePattern(int w, int h, int threads)
{
    PatternDocument d;
    d.create(w, h, "DMC");
    for (int t = 0; t < threads; ++t)
        d.addThread(static_cast<ColorRef>(bench::mix(static_cast<std::uint32_t>(t) + 1) & 0xFFFFFFu), std::to_string(t));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            d.setCell(x, y, static_cast<std::int32_t>(bench::mix(static_cast<std::uint32_t>(x / 3 + (y / 2) * 1000)) % threads));
    d.assignDefaultSymbols();
    return d;
}

const PatternDocument& pagePattern()
{
    static const PatternDocument doc = makePattern(70, 94, 200);
    return doc;
}

void BM_PageToMetafile(benchmark::State& state)
{
    const ChartLayout layout(pagePattern(), PrintSettings{}, QSize(793, 1122));
    std::size_t bytes = 0;
    for (auto _ : state) {
        EmfPaintDevice device(layout.pageSize());
        {
            QPainter p(&device);
            layout.drawPage(p, 1, ChartStyle::PrintColour);
        }
        bytes = static_cast<std::size_t>(device.metafile().size());
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PageToMetafile)->Unit(benchmark::kMillisecond);

void BM_PageToPicture(benchmark::State& state)
{
    const ChartLayout layout(pagePattern(), PrintSettings{}, QSize(793, 1122));
    QImage page(layout.pageSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&page);
        layout.drawPage(p, 1, ChartStyle::PrintColour);
    }
}
BENCHMARK(BM_PageToPicture)->Unit(benchmark::kMillisecond);

void BM_WholeChartToMetafile(benchmark::State& state)
{
    static const PatternDocument doc = makePattern(200, 200, 200);
    PrintSettings settings;
    settings.cellSize = 8;
    const QSize canvas((8 + 2) * 200 + 104, (8 + 2) * 200 + 400);
    const ChartLayout layout(doc, settings, canvas);
    std::size_t bytes = 0;
    for (auto _ : state) {
        EmfPaintDevice device(canvas);
        {
            QPainter p(&device);
            layout.drawPage(p, 1, ChartStyle::PrintColour);
        }
        bytes = static_cast<std::size_t>(device.metafile().size());
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WholeChartToMetafile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
