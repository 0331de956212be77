// Decoding a 12-megapixel GIF (4000 x 3000, 256 colours, written once here by giflib's own
// encoder) with our decoder, beside giflib decoding the same bytes from memory. The aim: our
// decoder is no slower than giflib.
#include "bench/bench_support.h"
#include "photo/gif_decoder.h"

#include <gif_lib.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace brenmark;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Bands of soft gradients with a little grain, as a dithered photo of 256 colours has.
const std::vector<std::uint8_t>& photoGif()
{
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> out;
        auto write = [](GifFileType* gif, const GifByteType* data, int n) -> int {
            auto* v = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
            v->insert(v->end(), data, data + n);
            return n;
        };
        int error = 0;
        GifFileType* gif = EGifOpen(&out, write, &error);
        if (!gif)
            std::abort();
        std::vector<GifColorType> colours(256);
        for (int i = 0; i < 256; ++i)
            colours[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(i), static_cast<GifByteType>((i * 3) & 0xFF),
                                                    static_cast<GifByteType>(255 - i)};
        ColorMapObject* map = GifMakeMapObject(256, colours.data());
        if (EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map) != GIF_OK ||
            EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr) != GIF_OK)
            std::abort();
        std::vector<GifPixelType> line(kWidth);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t grain = bench::mix(static_cast<std::uint32_t>(x * 7919 + y * 104729)) % 5;
                line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((x / 16 + y / 24 + grain) & 0xFF);
            }
            if (EGifPutLine(gif, line.data(), kWidth) != GIF_OK)
                std::abort();
        }
        if (EGifCloseFile(gif, &error) != GIF_OK)
            std::abort();
        GifFreeMapObject(map);
        return out;
    }();
    return bytes;
}

void BM_DecodeOurs(benchmark::State& state)
{
    const auto& bytes = photoGif();
    for (auto _ : state) {
        GifReadResult r = decodeGif(bytes);
        if (!r.picture)
            state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(r.picture->pixels.data());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_DecodeOurs)->Unit(benchmark::kMillisecond);

void BM_DecodeGiflib(benchmark::State& state)
{
    const auto& bytes = photoGif();
    struct Source {
        const std::vector<std::uint8_t>* bytes;
        std::size_t at;
    };
    auto read = [](GifFileType* gif, GifByteType* out, int n) -> int {
        auto* s = static_cast<Source*>(gif->UserData);
        const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), s->bytes->size() - s->at);
        std::memcpy(out, s->bytes->data() + s->at, take);
        s->at += take;
        return static_cast<int>(take);
    };
    for (auto _ : state) {
        Source source{&bytes, 0};
        int error = 0;
        GifFileType* gif = DGifOpen(&source, read, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK)
            state.SkipWithError("giflib failed");
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &error);
    }
}
BENCHMARK(BM_DecodeGiflib)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
