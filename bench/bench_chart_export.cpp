// The chart leaving the program: a 500 x 500 pattern with 60 threads written as one whole-chart
// BMP (5104 x about 5250 pixels, 80 MB) and as a per-page PDF on A4, each beside writing the
// same number of bytes plainly through the same kind of file (written beside, then renamed),
// so what the drawing and encoding add over the disk is plain to see; the same with 200
// threads; and a 1000 x 1000 pattern as a whole-chart PNG beside the same chart as a BMP.
//
// Runs offscreen; the QGuiApplication is there for the fonts.
#include "bench/bench_support.h"
#include "editor/output/chart_files.h"
#include "editor/output/png_writer.h"
#include "editor/render/chart_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

using namespace brenmark;

// A side x side pattern of `threads` threads in patches of 8 x 8 cells; with noise, one cell
// in sixteen of another thread.
const PatternDocument& pattern(int side = 500, int threads = 60, bool noise = true)
{
    static std::map<std::tuple<int, int, bool>, PatternDocument> made;
    auto [at, added] = made.try_emplace({side, threads, noise});
    if (added) {
        PatternDocument& d = at->second;
        d.create(side, side, "DMC");
        for (int i = 0; i < threads; ++i) {
            const std::uint32_t c = bench::mix(static_cast<std::uint32_t>(i) + 1);
            d.addThread(rgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), std::to_string(100 + i));
        }
        d.assignDefaultSymbols();
        for (int r = 0; r < side; ++r)
            for (int c = 0; c < side; ++c) {
                const std::uint32_t v = bench::mix(static_cast<std::uint32_t>((r / 8) * 1000 + c / 8));
                const std::uint32_t n = noise ? bench::mix(static_cast<std::uint32_t>(r * side + c)) % 16 : 1;
                d.setCell(c, r, static_cast<std::int32_t>((n == 0 ? v + n : v) % static_cast<std::uint32_t>(threads)));
            }
    }
    return at->second;
}

const PatternDocument& bigPattern() { return pattern(1000, 60, false); }

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

// Writes the whole chart of doc as a file of the format, as often as the state asks; the
// file's size, also shown as the counter "MB".
qint64 writeWholeFile(benchmark::State& state, const PatternDocument& doc, ChartFormat format, const QString& name)
{
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    const QString path = scratch().filePath(name);
    for (auto _ : state) {
        if (!writeWholeChart(whole, ChartStyle::PrintColour, path, format, nullptr))
            state.SkipWithError("not written");
    }
    const qint64 size = QFileInfo(path).size();
    state.counters["MB"] = static_cast<double>(size) / 1e6;
    return size;
}

// The argument: the threads of the 500 x 500 pattern (60 or 200).
void BM_WholeChartBmp(benchmark::State& state)
{
    const qint64 size = writeWholeFile(state, pattern(500, static_cast<int>(state.range(0))), ChartFormat::Bmp, u"whole.bmp"_qs);
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WholeChartBmp)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WholeChartBmpPlainBytes(benchmark::State& state)
{
    const QSize canvas = wholeChartLayout(pattern(500, static_cast<int>(state.range(0))), PrintSettings{}).pageSize();
    plainBytes(state, 54 + bmpRowBytes(canvas.width()) * canvas.height(), scratch().filePath(u"plain.bmp"_qs));
}
BENCHMARK(BM_WholeChartBmpPlainBytes)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

// The 500 x 500 chart as one whole-chart SVG by our own writer: each row's symbols of one ink
// are one text element.
void BM_WholeChartSvg(benchmark::State& state)
{
    writeWholeFile(state, pattern(), ChartFormat::Svg, u"whole.svg"_qs);
}
BENCHMARK(BM_WholeChartSvg)->Unit(benchmark::kMillisecond)->Iterations(1);

// A 1000 x 1000 pattern as one whole-chart picture (10104 x about 10300 pixels): the drawing
// alone, then drawing and encoding the file as PNG and as BMP.
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
    writeWholeFile(state, bigPattern(), ChartFormat::Png, u"whole1000.png"_qs);
}
BENCHMARK(BM_WholeChart1000Png)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WholeChart1000Bmp(benchmark::State& state)
{
    writeWholeFile(state, bigPattern(), ChartFormat::Bmp, u"whole1000.bmp"_qs);
    QFile::remove(scratch().filePath(u"whole1000.bmp"_qs));  // 300 MB
}
BENCHMARK(BM_WholeChart1000Bmp)->Unit(benchmark::kMillisecond)->Iterations(1);

// The PNG encoder's choices on the drawn 1000 x 1000 chart, into memory: row filter (0 none,
// 1 sub, 2 up, 3 each row's best) and zlib level. Qt's writer (every filter, level 2) made
// 7.75 MB; zlib's run-length strategy made the up-filtered file ten times bigger.
void BM_PngEncoding(benchmark::State& state)
{
    static const std::optional<QImage> canvas =
        renderWholeChart(wholeChartLayout(bigPattern(), PrintSettings{}), ChartStyle::PrintColour, nullptr);
    PngOptions options;
    options.filter = static_cast<PngRowFilter>(state.range(0));
    options.compression = static_cast<int>(state.range(1));
    qint64 size = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!writePng(*canvas, buffer, options))
            state.SkipWithError("not encoded");
        size = buffer.size();
    }
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_PngEncoding)
    ->Args({2, 1})->Args({2, 3})->Args({2, 6})->Args({1, 3})->Args({0, 3})->Args({3, 3})
    ->Unit(benchmark::kMillisecond)->Iterations(1);

// The argument: the threads of the 500 x 500 pattern (60 or 200).
QString pdfPath(benchmark::State& state)
{
    return scratch().filePath(u"pages%1.pdf"_qs.arg(state.range(0)));
}

void BM_PagesPdf(benchmark::State& state)
{
    const ChartLayout layout(pattern(500, static_cast<int>(state.range(0))), PrintSettings{}, paperUnits(210, 297));
    const QString path = pdfPath(state);
    for (auto _ : state) {
        if (writeChartPages(layout, ChartStyle::PrintColour, path, ChartFormat::Pdf, nullptr, nullptr).isEmpty())
            state.SkipWithError("not written");
    }
    const qint64 size = QFileInfo(path).size();
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["MB"] = static_cast<double>(size) / 1e6;
    state.counters["pages"] = layout.grid().total;
}
BENCHMARK(BM_PagesPdf)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PagesPdfPlainBytes(benchmark::State& state)
{
    const QString pdf = pdfPath(state);
    qint64 size = QFileInfo(pdf).size();
    if (size <= 0) {
        const ChartLayout layout(pattern(500, static_cast<int>(state.range(0))), PrintSettings{}, paperUnits(210, 297));
        writeChartPages(layout, ChartStyle::PrintColour, pdf, ChartFormat::Pdf, nullptr, nullptr);
        size = QFileInfo(pdf).size();
    }
    plainBytes(state, size, scratch().filePath(u"plain.pdf"_qs));
}
BENCHMARK(BM_PagesPdfPlainBytes)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

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
