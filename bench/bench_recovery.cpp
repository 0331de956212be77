// The recovery copy of the large pattern: what the window waits for (the copy of the
// document it hands to the worker) beside the whole write the worker does (the pattern file,
// synced and renamed into place, and its note).
#include "bench/big_pattern.h"
#include "editor/app/recovery_store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace brenmark;

struct Fixture {
    std::string dir;
    PatternDocument doc;
    Fixture()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "brenmark-bench-recovery-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        dir = pattern + "/";
        bench::buildPattern(doc);
    }
    ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// The part on the window's thread, for the first copy of a session: fresh memory.
void BM_RecoveryFirstCopyOfTheState(benchmark::State& state)
{
    const PatternDocument& doc = fixture().doc;
    for (auto _ : state) {
        PatternDocument copy = doc;
        benchmark::DoNotOptimize(copy.grid.cells.data());
    }
}

// The first copy when the store made its document ready as the pattern opened.
void BM_RecoveryFirstCopyPrepared(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<RecoveryStore>(f.dir + "prepared/");
        store->prepareAsync(f.doc);
        store->wait();
        state.ResumeTiming();
        // What writeAsync does on the caller's thread before it hands over.
        store->writeAsync(f.doc, "/home/me/big.xiu");
        state.PauseTiming();
        store->wait();
        store.reset();
        state.ResumeTiming();
    }
}

// The same for every later copy: the store keeps its document, so the copy reuses it.
void BM_RecoveryLaterCopyOfTheState(benchmark::State& state)
{
    const PatternDocument& doc = fixture().doc;
    PatternDocument copy = doc;
    for (auto _ : state) {
        copy = doc;
        benchmark::DoNotOptimize(copy.grid.cells.data());
    }
}

// The worker's part.
void BM_RecoveryWholeWrite(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        if (!RecoveryStore::writeCopy(f.dir, "bench", f.doc, "/home/me/big.xiu", 0))
            state.SkipWithError("the copy was not written");
}

// Both, as the autosave timer runs them: the copy, then the write on the store's worker.
void BM_RecoveryThroughTheStore(benchmark::State& state)
{
    Fixture& f = fixture();
    RecoveryStore store(f.dir + "store/");
    for (auto _ : state) {
        store.writeAsync(f.doc, "/home/me/big.xiu");
        store.wait();
    }
}

BENCHMARK(BM_RecoveryFirstCopyOfTheState)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryFirstCopyPrepared)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryLaterCopyOfTheState)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryWholeWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryThroughTheStore)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
