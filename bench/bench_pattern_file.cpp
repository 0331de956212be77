// Load and save of a large pattern beside plain buffered file I/O of the same bytes, so the
// cost of our own encoding and decoding shows against what the disk and page cache cost
// anyway.
//
// The pattern: 2000 x 2000 cells, 200 threads, 10 layers. The layers split the pattern
// into horizontal bands of 200 rows, each band worked in one layer (a few cells left
// empty); the document's grid is the union of the bands. There are 10 000 backstitch lines
// and 10 000 stitch marks, 1000 of each in every layer, inside that layer's band and every
// mark on its own painted cell. The document's own lines and marks are the composed view of
// all layers, so the file carries each line and mark twice: once for the document, once for
// its layer.
#include "bench/big_pattern.h"
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/document/pattern_file.h"
#include "editor/document/user_prompts.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace brenmark;

using namespace brenmark::bench;

// Minor page faults of the process so far. Mapping fresh memory is a large part of what a
// load costs, so each benchmark reports its faults per iteration beside the time.
long minorFaults()
{
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Bytes processed and page faults per iteration.
void report(benchmark::State& state, std::size_t bytes, long faultsBefore)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["page_faults"] =
        benchmark::Counter(static_cast<double>(minorFaults() - faultsBefore), benchmark::Counter::kAvgIterations);
}

// What holding the open pattern costs: the document's buffers and lists, and the one
// picture of the grid (4 bytes a cell) the view keeps beside it.
std::size_t heldBytes(const PatternDocument& doc)
{
    std::size_t bytes = doc.grid.cells.size() * sizeof(std::int32_t) + doc.grid.colorValues.size() * sizeof(ColorRef) +
                        doc.lines.size() * sizeof(BackstitchLine) + doc.marks.size() * sizeof(StitchMark) +
                        doc.grid.cells.size() * sizeof(std::uint32_t);
    for (const PatternLayer& layer : doc.layers.layers)
        bytes += layer.cells.size() + layer.lines.size() * sizeof(BackstitchLine) + layer.marks.size() * sizeof(StitchMark) +
                 layer.threadColors.size() * sizeof(ColorRef) + layer.threadNumbers.size() * sizeof(std::string);
    return bytes;
}

// Counts every call, so a decoder that reports per cell shows at once.
class CountingProgress final : public ProgressReport {
public:
    long calls = 0;
    void setRange(int, int) override { ++calls; }
    void setPosition(int) override { ++calls; }
};

// One pattern, its file and a small palette folder, shared by all benchmarks.
struct Fixture {
    std::string dir;
    std::string patternPath;
    PatternDocument doc;
    std::vector<std::uint8_t> bytes;
    PaletteStore* palettes = nullptr;

    Fixture()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_pattern_file.XXXXXX";
        if (!::mkdtemp(templ.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        dir = templ;
        patternPath = dir + "/large.xiu";
        buildPattern(doc);
        bytes = encodePattern(doc);
        if (!savePattern(patternPath, doc)) {
            std::fprintf(stderr, "cannot write %s\n", patternPath.c_str());
            std::exit(1);
        }
        std::vector<std::uint8_t> saved;
        if (!readWholeFile(patternPath, saved) || saved != bytes) {
            std::fprintf(stderr, "the saved file differs from the encoding\n");
            std::exit(1);
        }

        // A palette of 60 entries: a quarter of the pattern's threads get fresh colours on a
        // library-mode load, the rest keep their own.
        palettes = new PaletteStore(dir);
        std::vector<ColorRef> colors;
        std::vector<std::string> numbers;
        for (int i = 0; i < 60; ++i) {
            colors.push_back(rgb(static_cast<unsigned>(i * 4), 128, static_cast<unsigned>(255 - i * 4)));
            if (i < 50) {
                numbers.push_back(doc.threads.numbers[static_cast<std::size_t>(i * 4)]);
            } else {
                std::string number = "B";
                number += std::to_string(5200 + i);
                numbers.push_back(std::move(number));
            }
        }
        if (!palettes->save("DMC", colors, numbers)) {
            std::fprintf(stderr, "cannot write the palette\n");
            std::exit(1);
        }
    }
    ~Fixture()
    {
        delete palettes;
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_SavePattern(benchmark::State& state)
{
    Fixture& f = fixture();
    const std::string path = f.dir + "/saved.xiu";
    const long faults = minorFaults();
    for (auto _ : state) {
        if (!savePattern(path, f.doc)) {
            state.SkipWithError("savePattern failed");
            break;
        }
    }
    report(state, f.bytes.size(), faults);
}

// The same bytes the way a careful program writes any file: temporary file beside the
// target, one buffered write, fsync, rename over the target.
void BM_PlainWrite(benchmark::State& state)
{
    Fixture& f = fixture();
    const std::string path = f.dir + "/plain.bin";
    const long faults = minorFaults();
    for (auto _ : state) {
        std::string temp = path + ".XXXXXX";
        const int fd = ::mkstemp(temp.data());
        FILE* file = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
        if (!file) {
            state.SkipWithError("cannot create the temporary file");
            break;
        }
        bool ok = std::fwrite(f.bytes.data(), 1, f.bytes.size(), file) == f.bytes.size();
        ok = std::fflush(file) == 0 && ok;
        ok = ::fsync(::fileno(file)) == 0 && ok;
        ok = std::fclose(file) == 0 && ok;
        ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
        if (!ok) {
            ::unlink(temp.c_str());
            state.SkipWithError("plain write failed");
            break;
        }
    }
    report(state, f.bytes.size(), faults);
}

void BM_EncodeOnly(benchmark::State& state)
{
    Fixture& f = fixture();
    const long faults = minorFaults();
    for (auto _ : state) {
        std::vector<std::uint8_t> out = encodePattern(f.doc);
        benchmark::DoNotOptimize(out.data());
    }
    report(state, f.bytes.size(), faults);
}

// Opening the pattern over an open document, the way the editor does it.
void BM_LoadPattern(benchmark::State& state, LoadMode mode)
{
    Fixture& f = fixture();
    SilentMessages messages;
    CountingProgress progress;
    LoadContext ctx;
    ctx.palettes = f.palettes;
    ctx.messages = &messages;
    ctx.progress = &progress;
    PatternDocument doc;
    const long faults = minorFaults();
    for (auto _ : state) {
        const PatternReadOutcome outcome = loadPattern(f.patternPath, mode, doc, ctx);
        if (outcome.result != LoadResult::WithLayers) {
            state.SkipWithError("loadPattern failed");
            break;
        }
    }
    if (doc.layers.size() != kLayers || doc.lines.size() != f.doc.lines.size() || doc.marks.size() != f.doc.marks.size() ||
        doc.layers[0].marks.size() != static_cast<std::size_t>(kMarksPerLayer))
        state.SkipWithError("the loaded pattern differs from the saved one");
    state.counters["progress_calls"] =
        benchmark::Counter(static_cast<double>(progress.calls), benchmark::Counter::kAvgIterations);
    state.counters["file_MB"] = static_cast<double>(f.bytes.size()) / 1e6;
    state.counters["held_MB"] = static_cast<double>(heldBytes(doc)) / 1e6;
    state.counters["held_per_file"] = static_cast<double>(heldBytes(doc)) / static_cast<double>(f.bytes.size());
    report(state, f.bytes.size(), faults);
}

// Decoding alone, from bytes already in memory.
void BM_DecodeOnly(benchmark::State& state)
{
    Fixture& f = fixture();
    SilentMessages messages;
    LoadContext ctx;
    ctx.messages = &messages;
    const long faults = minorFaults();
    for (auto _ : state) {
        PatternDocument doc;
        const PatternReadOutcome outcome = decodePattern(f.bytes, LoadMode::Plain, doc, ctx);
        if (outcome.result != LoadResult::WithLayers) {
            state.SkipWithError("decodePattern failed");
            break;
        }
        benchmark::DoNotOptimize(doc.grid.cells.data());
    }
    report(state, f.bytes.size(), faults);
}

// The same file read whole with buffered reads into a buffer of its size.
void BM_PlainRead(benchmark::State& state)
{
    Fixture& f = fixture();
    const long faults = minorFaults();
    for (auto _ : state) {
        FILE* file = std::fopen(f.patternPath.c_str(), "rb");
        if (!file) {
            state.SkipWithError("cannot open the pattern file");
            break;
        }
        struct stat st {};
        if (::fstat(::fileno(file), &st) != 0) {
            std::fclose(file);
            state.SkipWithError("cannot stat the pattern file");
            break;
        }
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(st.st_size));
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        if (got != buffer.size()) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    report(state, f.bytes.size(), faults);
}

}  // namespace

BENCHMARK(BM_SavePattern)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadPattern, plain, LoadMode::Plain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadPattern, library, LoadMode::Library)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
