#pragma once
// Photo conversion beyond the histogram rule: full 8-bit colour matched to the brand's
// threads by CIEDE2000 in CIELAB (sRGB to Lab D50 through LittleCMS), dithering, and an upper
// limit on the number of threads. The plain RGB conversion without dithering or limit is the
// histogram conversion itself, byte for byte.
#include "editor/output/area_average.h"
#include "editor/output/picture_converter.h"
#include "interchange/ui_text.h"

#include <optional>
#include <span>
#include <string>

namespace brenmark {

// "色差算法": "RGB" (the histogram rule) or "CIELAB ΔE2000".
enum class ColourMetric { Rgb, Lab };
// "抖动": none, Floyd-Steinberg error diffusion, or an 8 x 8 Bayer matrix.
enum class Dithering { None, FloydSteinberg, Ordered };

// "忽略背景色": cells within the tolerance (CIEDE2000) of the colour stay empty, so the fabric
// shows; without a colour, the colour of the picture's border.
inline constexpr double kDefaultBackgroundTolerance = 8.0;
struct BackgroundRule {
    std::optional<ColorRef> colour{};
    double tolerance = kDefaultBackgroundTolerance;
    bool operator==(const BackgroundRule&) const = default;
};

// "减少单针": 0 (off) to 10.
inline constexpr int kMaxConfettiStrength = 10;

struct ConversionOptions {
    ColourMetric metric = ColourMetric::Rgb;
    Dithering dither = Dithering::None;
    int maxThreads = 0;  // "最多绣线数"; 0 for no limit
    int confetti = 0;     // "减少单针" strength, 0 .. kMaxConfettiStrength
    int minStitches = 0;  // "每线最少针数": threads with fewer stitches join their nearest; 0 for none
    std::optional<BackgroundRule> background{};  // "忽略背景色"
    std::optional<CropRect> crop{};              // the part of the picture converted
    bool plain() const
    {
        return metric == ColourMetric::Rgb && dither == Dithering::None && maxThreads == 0 && confetti == 0 &&
               minStitches == 0 && !background && !crop;
    }
    bool operator==(const ConversionOptions&) const = default;
};

inline constexpr const char* kMetricCaption = UI_TEXT_NOOP("色差算法");
inline constexpr const char* kDitherCaption = UI_TEXT_NOOP("抖动");
inline constexpr const char* kMaxThreadsCaption = UI_TEXT_NOOP("最多绣线数");
inline constexpr const char* kConfettiCaption = UI_TEXT_NOOP("减少单针");
inline constexpr const char* kMinStitchesCaption = UI_TEXT_NOOP("每线最少针数");
inline constexpr const char* kBackgroundCaption = UI_TEXT_NOOP("忽略背景色");
inline constexpr const char* kMetricNames[] = {"RGB", "CIELAB ΔE2000"};
inline constexpr const char* kDitherNames[] = {UI_TEXT_NOOP("无"), "Floyd-Steinberg", UI_TEXT_NOOP("有序(Bayer)")};

// The command line's words: "rgb"/"lab", "none"/"fs"/"ordered".
std::optional<ColourMetric> metricNamed(const std::string& word);
std::optional<Dithering> ditheringNamed(const std::string& word);
// "#RRGGBB" or "border" (the picture's border colour), either optionally followed by
// "/TOLERANCE" (CIEDE2000, 0 to 100).
std::optional<BackgroundRule> backgroundRuleNamed(const std::string& word);
// "X,Y,W,H" in picture pixels: X and Y from 0, W and H from 1.
std::optional<CropRect> cropNamed(const std::string& word);

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
// order of first use. A limit under CIELAB chooses the threads by clustering
// (thread_choice.h); under RGB the least used thread is merged into its nearest (CIEDE2000)
// until the limit holds; the pixels are then matched again against what is left. Then the
// background's cells are emptied (-1), confetti is reduced (confetti.h) and threads under
// the least number of stitches join their nearest. A crop is the reader's business.
ConversionResult convertPixelsWith(std::span<const ColorRef> pixels, int width, int height,
                                   std::span<const ColorRef> palette, const ConversionOptions& options,
                                   ProgressReport* progress = nullptr);

}  // namespace brenmark
