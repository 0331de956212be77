#pragma once
// Photo conversion beyond the histogram rule: full 8-bit colour matched to the brand's
// threads by CIEDE2000 in CIELAB (sRGB to Lab D50 through LittleCMS), dithering, and an upper
// limit on the number of threads. The plain RGB conversion without dithering or limit is the
// histogram conversion itself, byte for byte.
#include "editor/output/picture_converter.h"

#include <optional>
#include <span>
#include <string>

namespace brenmark {

// "色差算法": "RGB" (the histogram rule) or "CIELAB ΔE2000".
enum class ColourMetric { Rgb, Lab };
// "抖动": none, Floyd-Steinberg error diffusion, or an 8 x 8 Bayer matrix.
enum class Dithering { None, FloydSteinberg, Ordered };

struct ConversionOptions {
    ColourMetric metric = ColourMetric::Rgb;
    Dithering dither = Dithering::None;
    int maxThreads = 0;  // "最多绣线数"; 0 for no limit
    bool plain() const { return metric == ColourMetric::Rgb && dither == Dithering::None && maxThreads == 0; }
    bool operator==(const ConversionOptions&) const = default;
};

inline constexpr const char* kMetricCaption = "色差算法";
inline constexpr const char* kDitherCaption = "抖动";
inline constexpr const char* kMaxThreadsCaption = "最多绣线数";
inline constexpr const char* kMetricNames[] = {"RGB", "CIELAB ΔE2000"};
inline constexpr const char* kDitherNames[] = {"无", "Floyd-Steinberg", "有序(Bayer)"};

// The command line's words: "rgb"/"lab", "none"/"fs"/"ordered".
std::optional<ColourMetric> metricNamed(const std::string& word);
std::optional<Dithering> ditheringNamed(const std::string& word);

// CIELAB (D50) of an sRGB colour, through LittleCMS.
struct Lab {
    double L = 0, a = 0, b = 0;
};
Lab labOf(ColorRef colour);
// CIEDE2000 between two colours (LittleCMS's cmsCIE2000DeltaE, weights 1).
double deltaE2000(const Lab& x, const Lab& y);

// Converts width x height pixels (0x00BBGGRR, row by row) against the palette colours with
// the options. Plain options give convertPixels' result exactly. Otherwise every pixel is
// matched on its own (each distinct value once), dithered as asked, the result's colours in
// order of first use; with a limit, the least used thread is merged into its nearest
// (CIEDE2000) until the limit holds and the pixels are matched again against what is left.
ConversionResult convertPixelsWith(std::span<const ColorRef> pixels, int width, int height,
                                   std::span<const ColorRef> palette, const ConversionOptions& options,
                                   ProgressReport* progress = nullptr);

}  // namespace brenmark
