// A full repaint of the pattern view: a 1000 x 1000 pattern with 200 threads painted into a
// 1920 x 1080 client, at every zoom step and in every display mode, beside a plain blit of a
// 1920 x 1080 image into another (what one frame costs at the least). One frame at 60 Hz is
// 16 ms; every case should stay below it.
//
// The view paints into a QImage painter, as the widget's backing store would be painted.
// Runs offscreen; the QGuiApplication is there for the fonts.
//
// With BRENMARK_REPAINT_FRAMES=DIR it paints every case once instead and saves the frames as
// PNG files into DIR (also scrolled to the far end, and with one colour flashing), so that two
// builds of the view can be compared pixel for pixel.
#include "bench/bench_support.h"
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

using brenmark::bench::mix;

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
    CurrentThreadChoice current{pattern()};
    PatternView view{pattern(), current};
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

std::string caseName(ViewMode mode, float cell)
{
    return std::string(modeName(mode)) + "/" + (cell < 1 ? std::string("0.5") : std::to_string(static_cast<int>(cell))) + "px";
}

constexpr float kCells[] = {0.5f, 1.0f, 2.0f, 4.0f, 8.0f, 16.0f, 32.0f};

int saveFrames(const QString& dir)
{
    PatternView& view = viewer().view;
    QImage frame(kClient, QImage::Format_RGB32);
    auto save = [&](ViewMode mode, float cell, const char* suffix) {
        frame.fill(Qt::magenta);
        QPainter p(&frame);
        view.paint(p, kClient);
        p.end();
        QString name = QString::fromStdString(caseName(mode, cell) + suffix + ".png");
        name.replace(u'/', u'_');
        return frame.save(dir + u'/' + name);
    };
    bool ok = true;
    for (int m = 0; m < 4; ++m) {
        const auto mode = static_cast<ViewMode>(m);
        for (const float cell : kCells) {
            zoomTo(view, cell);
            view.setViewMode(mode);
            view.setFlashing(false, 0);
            view.setOrigin(QPoint(kLeftRuler, kTopRuler));
            ok = save(mode, cell, "") && ok;
            view.setOrigin(QPoint(-100000, -100000));
            ok = save(mode, cell, "_end") && ok;
            view.setOrigin(QPoint(kLeftRuler - 1237, kTopRuler - 523));
            ok = save(mode, cell, "_middle") && ok;
            // Both blink phases of one visible colour.
            view.setFlashing(true, pattern().shownColor(pattern().cell(10, 10)));
            view.setOrigin(QPoint(kLeftRuler, kTopRuler));
            ok = save(mode, cell, "_flash_a") && ok;
            ok = save(mode, cell, "_flash_b") && ok;
        }
    }
    view.setFlashing(false, 0);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!qEnvironmentVariableIsEmpty("BRENMARK_REPAINT_FRAMES"))
        return saveFrames(qEnvironmentVariable("BRENMARK_REPAINT_FRAMES"));

    benchmark::RegisterBenchmark("BM_BlitBaseline", BM_BlitBaseline)->Unit(benchmark::kMillisecond);
    for (int m = 0; m < 4; ++m) {
        const auto mode = static_cast<ViewMode>(m);
        for (const float cell : kCells) {
            const std::string name = "BM_Repaint/" + caseName(mode, cell);
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
