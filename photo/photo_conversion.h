#pragma once
// The photo dialog's conversion: a photo already drawn at the pattern's size, matched in two
// passes against the colours of its own colour table and then against a thread library.
//
// Pass 1 counts, for every pixel, its nearest candidate (a pixel equal to a candidate counts
// 2, any other 1); the candidates are ordered by count, highest first, by the strict
// exchange sort, and those counted 0 dropped; each remaining candidate takes its nearest
// library colour. Pass 2 gives every pixel its nearest remaining candidate's library colour,
// numbered in order of first use. Plain logic on pixel values, no Qt.
#include "editor/document/color_ref.h"
#include "editor/document/user_prompts.h"
#include "editor/output/picture_converter.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brenmark {

// The working state of one conversion, kept for inspection after it.
struct PhotoConversionState {
    // Pass 1: how often each candidate (in colour table order) was the nearest.
    std::vector<std::int32_t> counts;
    // The candidates left after sorting and dropping, as colour table indices in count
    // order, with their counts and their library colours.
    std::vector<std::int32_t> order;
    std::vector<std::int32_t> orderCounts;
    std::vector<ColorRef> libraryColours;
    // Result colours merged away because a pattern holds at most 255 threads.
    int merged = 0;
};

// Converts width x height pixels (0x00BBGGRR, row by row) with the colour table's entries as
// candidates and the library's colours as threads. Progress runs 0..10 over each pass.
// Nothing (an empty result) without pixels, candidates or library colours.
//
// The result colours are library colours in order of first use, row by row. A result of 256
// colours (a full colour table matched to 256 different threads) has its least used colour
// merged into its nearest other one, so the pattern file can hold it.
ConversionResult convertPhotoPixels(std::span<const ColorRef> pixels, int width, int height,
                                    std::span<const ColorRef> candidates, std::span<const ColorRef> library,
                                    ProgressReport* progress = nullptr, PhotoConversionState* state = nullptr);

}  // namespace brenmark
