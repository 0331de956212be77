// A full repaint of the pattern view: a 1000 x 1000 pattern with 200 threads painted into a
// 1920 x 1080 client, at every zoom step and in every display mode, beside a plain blit of a
// 1920 x 1080 image into another (what one frame costs at the least). One frame at 60 Hz is
// 16 ms; every case should stay below it.
//
// The view paints into a QImage painter, as the widget's backing store would be painted.
// Runs offscreen; the QGuiApplication is there for the fonts.
#include "editor/view/pattern_view.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace brenmark;

constexpr int kWidth = 1000;
constexpr int kHeight = 1000;
constexpr int kThreads = 200;
const QSize kClient(1920, 1080);

std::uint32_t mix(std::uint32_t v)
{
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

// Patches of one thread with a little noise, and a few empty patches, as a converted photo
// gives; the thread colours are spread over dark and light.
PatternDocument& pattern()
{
    static PatternDocument doc = [] {
        PatternDocument d;
        d.create(kWidth, kHeight, "DMC");
        for (int t = 0; t < kThreads; ++t)
            d.addThread(static_cast<ColorRef>(mix(static_cast<std::uint32_t>(t) + 1) & 0xFFFFFFu), std::to_string(t));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t patch = mix(static_cast<std::uint32_t>((x / 7) + (y / 5) * 1000));
                const std::uint32_t noise = mix(static_cast<std::uint32_t>(x + y * kWidth) ^ 0x9e3779b9U);
                std::int32_t index = static_cast<std::int32_t>((patch + (noise % 8 == 0 ? noise : 0)) % kThreads);
                if (patch % 20 == 0)
                    index = EmptyCell;
                d.setCell(x, y, index);
            }
        d.assignDefaultSymbols();
        return d;
    }();
    return doc;
}

struct Viewer {
    PatternView view{pattern()};
    Viewer() { view.patternReplaced(); }
};

Viewer& viewer()
{
    static Viewer v;
    return v;
}

void zoomTo(PatternView& view, float cell)
{
    while (view.cellSize() < cell && view.zoomIn()) {
    }
    while (view.cellSize() > cell && view.zoomOut()) {
    }
}

void repaint(benchmark::State& state, ViewMode mode, float cell)
{
    PatternView& view = viewer().view;
    zoomTo(view, cell);
    view.setViewMode(mode);
    view.setOrigin(QPoint(kLeftRuler, kTopRuler));
    QImage frame(kClient, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&frame);
        view.paint(p, kClient);
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
        benchmark::ClobberMemory();
    }
}

// The floor: one client-sized image copied into another through a painter.
void BM_BlitBaseline(benchmark::State& state)
{
    QImage source(kClient, QImage::Format_RGB32);
    source.fill(QColor(200, 120, 40));
    QImage frame(kClient, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&frame);
        p.drawImage(0, 0, source);
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
        benchmark::ClobberMemory();
    }
}

const char* modeName(ViewMode mode)
{
    switch (mode) {
    case ViewMode::ColourBlocks: return "colour_blocks";
    case ViewMode::SymbolsOnColour: return "symbols_on_colour";
    case ViewMode::SymbolsOnly: return "symbols_only";
    case ViewMode::SimulatedStitches: return "simulated_stitches";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    benchmark::RegisterBenchmark("BM_BlitBaseline", BM_BlitBaseline)->Unit(benchmark::kMillisecond);
    for (int m = 0; m < 4; ++m) {
        const auto mode = static_cast<ViewMode>(m);
        for (const float cell : {0.5f, 1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f}) {
            const std::string name = std::string("BM_Repaint/") + modeName(mode) + "/" +
                                     (cell < 1 ? std::string("0.5") : std::to_string(static_cast<int>(cell))) + "px";
            benchmark::RegisterBenchmark(name.c_str(), [mode, cell](benchmark::State& state) { repaint(state, mode, cell); })
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
