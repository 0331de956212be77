#pragma once
// How well a conversion shows its picture, per cell against the picture averaged over each
// cell's area: mean and 95th percentile CIEDE2000, the mean again after a 3 x 3 blur in linear
// light of both (the chart seen from a distance), and the confetti share. Used by the command
// line's --report and the conversion quality benchmark.
#include "editor/output/picture_converter.h"
#include "interchange/ui_text.h"

#include <span>
#include <string>

namespace brenmark {

struct ConversionQuality {
    double meanDeltaE = 0;
    double p95DeltaE = 0;
    double blurredMeanDeltaE = 0;
    double confetti = 0;  // share of stitched cells, 0 .. 1
    int threads = 0;      // colours the cells use
    int stitched = 0;     // cells with a thread
};

// Beside a dialog's preview: "单针:3.2%", the confetti share of a conversion; the bare "单针"
// without one.
inline constexpr const char* kConfettiShareLabel = UI_TEXT_NOOP("单针");
std::string confettiShareText(const ConversionResult& result);

// reference: the picture at the result's size (0x00BBGGRR, row by row). Empty cells (the
// ignored background) are left out of the figures; in the blur they show the reference.
ConversionQuality measureConversion(const ConversionResult& result, std::span<const ColorRef> reference);

}  // namespace brenmark
