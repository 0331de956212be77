// The chart leaving the program: a 500 x 500 pattern with 60 threads written as one whole-chart
// BMP (5104 x about 5250 pixels, 80 MB) and as a per-page PDF on A4, each beside writing the
// same number of bytes plainly through the same kind of file (written beside, then renamed),
// so what the drawing and encoding add over the disk is plain to see.
//
// Runs offscreen; the QGuiApplication is there for the fonts.
#include "bench/bench_support.h"
#include "editor/output/chart_files.h"
#include "editor/render/chart_export.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace brenmark;

constexpr int kSide = 500;
constexpr int kThreads = 60;

const PatternDocument& pattern()
{
    static PatternDocument doc = [] {
        PatternDocument d;
        d.create(kSide, kSide, "DMC");
        for (int i = 0; i < kThreads; ++i) {
            const std::uint32_t c = bench::mix(static_cast<std::uint32_t>(i) + 1);
            d.addThread(rgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), std::to_string(100 + i));
        }
        d.assignDefaultSymbols();
        for (int r = 0; r < kSide; ++r)
            for (int c = 0; c < kSide; ++c) {
                // Patches of 8 x 8 cells with a little noise.
                const std::uint32_t v = bench::mix(static_cast<std::uint32_t>((r / 8) * 1000 + c / 8));
                const std::uint32_t noise = bench::mix(static_cast<std::uint32_t>(r * kSide + c)) % 16;
                d.setCell(c, r, static_cast<std::int32_t>((noise == 0 ? v + noise : v) % kThreads));
            }
        return d;
    }();
    return doc;
}

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void plainBytes(benchmark::State& state, qint64 size, const QString& path)
{
    const QByteArray block(4 << 20, 'x');
    for (auto _ : state) {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        for (qint64 left = size; left > 0; left -= block.size())
            file.write(block.constData(), std::min<qint64>(left, block.size()));
        file.commit();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}

void BM_WholeChartBmp(benchmark::State& state)
{
    const ChartLayout whole = wholeChartLayout(pattern(), PrintSettings{});
    const QString path = scratch().filePath(u"whole.bmp"_qs);
    for (auto _ : state) {
        if (!writeWholeChart(whole, ChartStyle::PrintColour, path, ChartFormat::Bmp, nullptr))
            state.SkipWithError("not written");
    }
    const qint64 size = QFileInfo(path).size();
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_WholeChartBmp)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WholeChartBmpPlainBytes(benchmark::State& state)
{
    const QSize canvas = wholeChartLayout(pattern(), PrintSettings{}).pageSize();
    plainBytes(state, 54 + bmpRowBytes(canvas.width()) * canvas.height(), scratch().filePath(u"plain.bmp"_qs));
}
BENCHMARK(BM_WholeChartBmpPlainBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 1000 x 1000 pattern as one whole-chart PNG (10104 x about 10300 pixels): the drawing
// alone, then drawing and encoding the file.
const PatternDocument& bigPattern()
{
    static PatternDocument doc = [] {
        PatternDocument d;
        d.create(1000, 1000, "DMC");
        for (int i = 0; i < kThreads; ++i) {
            const std::uint32_t c = bench::mix(static_cast<std::uint32_t>(i) + 1);
            d.addThread(rgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), std::to_string(100 + i));
        }
        d.assignDefaultSymbols();
        for (int r = 0; r < 1000; ++r)
            for (int c = 0; c < 1000; ++c)
                d.setCell(c, r, static_cast<std::int32_t>(bench::mix(static_cast<std::uint32_t>((r / 8) * 1000 + c / 8)) % kThreads));
        return d;
    }();
    return doc;
}

void BM_WholeChart1000Drawing(benchmark::State& state)
{
    const ChartLayout whole = wholeChartLayout(bigPattern(), PrintSettings{});
    for (auto _ : state) {
        auto canvas = renderWholeChart(whole, ChartStyle::PrintColour, nullptr);
        if (!canvas)
            state.SkipWithError("not drawn");
        benchmark::DoNotOptimize(canvas->constBits());
    }
}
BENCHMARK(BM_WholeChart1000Drawing)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WholeChart1000Png(benchmark::State& state)
{
    const ChartLayout whole = wholeChartLayout(bigPattern(), PrintSettings{});
    const QString path = scratch().filePath(u"whole1000.png"_qs);
    for (auto _ : state) {
        if (!writeWholeChart(whole, ChartStyle::PrintColour, path, ChartFormat::Png, nullptr))
            state.SkipWithError("not written");
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_WholeChart1000Png)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PagesPdf(benchmark::State& state)
{
    const ChartLayout layout(pattern(), PrintSettings{}, paperUnits(210, 297));
    const QString path = scratch().filePath(u"pages.pdf"_qs);
    for (auto _ : state) {
        if (writeChartPages(layout, ChartStyle::PrintColour, path, ChartFormat::Pdf, nullptr, nullptr).isEmpty())
            state.SkipWithError("not written");
    }
    const qint64 size = QFileInfo(path).size();
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
    state.counters["pages"] = layout.grid().total;
}
BENCHMARK(BM_PagesPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PagesPdfPlainBytes(benchmark::State& state)
{
    const QString pdf = scratch().filePath(u"pages.pdf"_qs);
    qint64 size = QFileInfo(pdf).size();
    if (size <= 0) {
        const ChartLayout layout(pattern(), PrintSettings{}, paperUnits(210, 297));
        writeChartPages(layout, ChartStyle::PrintColour, pdf, ChartFormat::Pdf, nullptr, nullptr);
        size = QFileInfo(pdf).size();
    }
    plainBytes(state, size, scratch().filePath(u"plain.pdf"_qs));
}
BENCHMARK(BM_PagesPdfPlainBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

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
