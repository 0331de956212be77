// Importing a photo: a 12-megapixel JPEG (4000 x 3000, made here once) converted into a
// 200 x 150 pattern against the DMC palette, beside what decoding the same file costs with Qt
// alone: at full size, and with the scaled decoding the import uses (the fastest decode that
// gives the pixels the pattern needs). The whole conversion should stay within 1.3 times the
// scaled decode.
#include "bench/bench_support.h"
#include "editor/document/palette_file.h"
#include "editor/output/colour_matching.h"
#include "editor/output/picture_converter.h"
#include "editor/output/picture_decode.h"
#include "editor/output/picture_import.h"

#include <QImage>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace brenmark;

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;
const QSize kChart(200, 150);

// Soft gradients with a little grain, as a photo has, saved once as a JPEG of quality 90.
const std::string& photo()
{
    static const std::string path = [] {
        char name[] = "/tmp/brenmark-bench-photo-XXXXXX.jpg";
        const int fd = ::mkstemps(name, 4);
        if (fd < 0)
            std::abort();
        ::close(fd);
        QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
        for (int y = 0; y < kPhotoHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kPhotoWidth; ++x) {
                const int grain = static_cast<int>(bench::mix(static_cast<std::uint32_t>(x + y * kPhotoWidth)) & 15) - 8;
                const int r = x * 255 / kPhotoWidth + grain;
                const int g = y * 255 / kPhotoHeight + grain;
                const int b = ((x / 7 + y / 5) % 256 + 255 - r) / 2;
                line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
            }
        }
        if (!image.save(QString::fromLatin1(name), "JPEG", 90))
            std::abort();
        std::atexit([] { std::remove(photo().c_str()); });
        return std::string(name);
    }();
    return path;
}

const Palette& dmc()
{
    static const Palette palette = [] {
        Palette p;
        if (!PaletteStore(BRENMARK_PROGRAM_DIR).load("DMC", p) || p.size() == 0)
            std::abort();
        return p;
    }();
    return palette;
}

void DecodeFullSize(benchmark::State& state)
{
    const QString path = QString::fromStdString(photo());
    for (auto _ : state) {
        QImageReader reader(path);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("4000 x 3000");
}
BENCHMARK(DecodeFullSize)->Unit(benchmark::kMillisecond);

void DecodeScaled(benchmark::State& state)
{
    const QString path = QString::fromStdString(photo());
    for (auto _ : state) {
        QImageReader reader(path);
        reader.setScaledSize(kChart);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("to 200 x 150");
}
BENCHMARK(DecodeScaled)->Unit(benchmark::kMillisecond);

// What "转换" costs: decoding at the chart's size, both passes, matching and grouping.
void ConvertPhoto(benchmark::State& state)
{
    const std::string& path = photo();
    const Palette& palette = dmc();
    PictureConverter converter;
    for (auto _ : state) {
        if (!converter.convert(path, kChart.width(), kChart.height(), palette.colors))
            state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(converter.result().cells.data());
    }
    state.counters["threads"] = converter.result().colorCount();
    state.counters["bins"] = static_cast<double>(converter.histogram().keys.size());
}
BENCHMARK(ConvertPhoto)->Unit(benchmark::kMillisecond);

// The same and then the new pattern built as the import installs it.
void ConvertAndInstall(benchmark::State& state)
{
    const std::string& path = photo();
    const Palette& palette = dmc();
    const PaletteStore palettes(BRENMARK_PROGRAM_DIR);
    PictureConverter converter;
    for (auto _ : state) {
        converter.convert(path, kChart.width(), kChart.height(), palette.colors);
        PatternDocument doc;
        if (!installConversion(doc, converter.result(), "DMC", palettes, ImportKind::Picture, nullptr).installed)
            state.SkipWithError("install failed");
        benchmark::DoNotOptimize(doc.grid.cells.data());
    }
}
BENCHMARK(ConvertAndInstall)->Unit(benchmark::kMillisecond);

// Only the pixel work, on pixels already decoded: what the conversion adds to the decode.
void ConvertPixelsOnly(benchmark::State& state)
{
    const QImage image = decodePicture(QString::fromStdString(photo()), kChart);
    const std::vector<ColorRef> pixels = colourRefsOf(image);
    const Palette& palette = dmc();
    for (auto _ : state) {
        ConversionResult r = convertPixels(pixels, kChart.width(), kChart.height(), palette.colors);
        benchmark::DoNotOptimize(r.cells.data());
    }
}
BENCHMARK(ConvertPixelsOnly)->Unit(benchmark::kMillisecond);

// The conversion options against the default, both to 300 x 200 from the same photo: full
// 8-bit colour matched by CIEDE2000 with Floyd-Steinberg in Lab. Aim: within 3 times the
// default conversion.
void ConvertOptions(benchmark::State& state)
{
    const std::string& path = photo();
    const Palette& palette = dmc();
    ConversionOptions options;
    if (state.range(0) == 1)
        options = {ColourMetric::Lab, Dithering::FloydSteinberg, 0};
    else if (state.range(0) == 2)
        options = {ColourMetric::Lab, Dithering::None, 0};
    PictureConverter converter;
    for (auto _ : state) {
        if (!converter.convert(path, 300, 200, palette.colors, nullptr, options))
            state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(converter.result().cells.data());
    }
    state.counters["threads"] = converter.result().colorCount();
    state.SetLabel(state.range(0) == 1 ? "lab + fs" : state.range(0) == 2 ? "lab" : "default");
}
BENCHMARK(ConvertOptions)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
