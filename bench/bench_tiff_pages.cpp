// The whole-chart TIFF page of a 300 x 300 pattern (43-pixel cells, about 13 300 x 14 000
// pixels, some 750 MB) beside two ways of writing the same bytes: one sequential pass of
// large writes, the least any page of that size costs, and a seek and a four-byte write
// for every pixel, the way a file-as-canvas is drawn without a map. The per-pixel run writes
// only a slice of the page (it would take minutes whole); compare bytes per second.
//
// Files are not synced in any of the three: what is measured is the work to get the page
// into the page cache.
#include "bench/bench_support.h"
#include "editor/document/pattern_document.h"
#include "editor/document/pattern_file.h"
#include "tiffwriter/batch_export.h"
#include "tiffwriter/tiff_canvas.h"
#include "tiffwriter/tiff_layout.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace brenmark;

constexpr int kSide = 300;
constexpr int kThreads = 40;

std::string scratch(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("bench-tiff-" + std::to_string(::getpid()) + "-" + name)).string();
}

// 300 x 300 cells in patches of 40 threads, a tenth of them empty, with 600 outline lines.
const std::string& patternFile()
{
    static const std::string path = [] {
        PatternDocument doc;
        doc.create(kSide, kSide, "DMC");
        for (int i = 0; i < kThreads; ++i) {
            const std::uint32_t v = bench::mix(static_cast<std::uint32_t>(i) + 7);
            doc.addThread(rgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF), "T" + std::to_string(i));
        }
        doc.assignDefaultSymbols();
        for (int r = 0; r < kSide; ++r)
            for (int c = 0; c < kSide; ++c) {
                const std::uint32_t v = bench::mix(static_cast<std::uint32_t>((r / 6) * 1000 + c / 6));
                doc.setCell(c, r, v % 10 == 0 ? EmptyCell : static_cast<std::int32_t>(v % kThreads));
            }
        for (int i = 0; i < 600; ++i) {
            const std::uint32_t v = bench::mix(static_cast<std::uint32_t>(i) + 99);
            BackstitchLine line;
            line.thread = "310";
            line.startColumn = static_cast<std::int32_t>(v % kSide);
            line.startRow = static_cast<std::int32_t>((v >> 9) % kSide);
            line.endColumn = std::min(kSide - 1, line.startColumn + static_cast<std::int32_t>((v >> 18) % 4));
            line.endRow = std::min(kSide - 1, line.startRow + static_cast<std::int32_t>((v >> 22) % 4));
            doc.lines.push_back(line);
        }
        const std::string file = scratch("pattern.xiu");
        savePattern(file, doc);
        return file;
    }();
    return path;
}

std::uint64_t pageBytes()
{
    const WholeFigures f = wholeFigures(cmToPixels(0.3), kSide, kSide, kThreads, 67);
    return TiffCanvas::fileSize(f.width, f.height);
}

void BM_WholeChartPage(benchmark::State& state)
{
    BatchRequest request;
    request.pattern = patternFile();
    request.out = scratch("whole.tiff");
    request.programDir = scratch("nodir/");  // no tables: every thread converted
    for (auto _ : state) {
        std::ostringstream out, err;
        if (runBatch(request, out, err, false) != 0)
            state.SkipWithError(err.str().c_str());
        state.PauseTiming();
        std::remove(request.out.c_str());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pageBytes()));
}
BENCHMARK(BM_WholeChartPage)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_SequentialWriteOfThePageBytes(benchmark::State& state)
{
    const std::uint64_t total = pageBytes();
    const std::string path = scratch("sequential.bin");
    std::vector<std::uint8_t> buffer(1 << 20, 0x11);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (std::uint64_t left = total; left > 0;) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
            if (::write(fd, buffer.data(), n) != static_cast<ssize_t>(n))
                state.SkipWithError("write failed");
            left -= n;
        }
        ::close(fd);
        state.PauseTiming();
        std::remove(path.c_str());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
}
BENCHMARK(BM_SequentialWriteOfThePageBytes)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// A seek and a write for every pixel of the first rows of the page: 4 million pixels.
void BM_PerPixelSeekWrites(benchmark::State& state)
{
    const WholeFigures f = wholeFigures(cmToPixels(0.3), kSide, kSide, kThreads, 67);
    const std::int64_t pixels = 4'000'000;
    const std::string path = scratch("seek.bin");
    const std::uint8_t value[4] = {10, 20, 30, 0};
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (std::int64_t i = 0; i < pixels; ++i) {
            const std::int64_t x = i % f.width, y = i / f.width;
            ::lseek(fd, static_cast<off_t>(TiffCanvas::kPixelOffset + (x + y * f.width) * 4), SEEK_SET);
            if (::write(fd, value, 4) != 4)
                state.SkipWithError("write failed");
        }
        ::close(fd);
        state.PauseTiming();
        std::remove(path.c_str());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * pixels * 4);
}
BENCHMARK(BM_PerPixelSeekWrites)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(patternFile().c_str());
    return 0;
}
