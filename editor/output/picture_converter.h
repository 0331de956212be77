#pragma once
// Turning a picture that is already drawn at the pattern's size (one pixel per cell) into
// cells and thread colours: a 4096-bin colour histogram, the 256 most frequent bins as the
// bin palette, each bin-palette entry matched to its nearest thread, entries that match the
// same thread grouped into one, and every pixel mapped through its bin. No dithering.
//
// Plain logic on pixel values; decoding and scaling the picture file is picture_file.h's.
#include "editor/document/color_ref.h"
#include "editor/document/user_prompts.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace brenmark {

// What every conversion hands to the editor: cells index colors.
struct ConversionResult {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> cells;  // row-major, column + row * width
    std::vector<ColorRef> colors;

    std::int32_t colorCount() const { return static_cast<std::int32_t>(colors.size()); }
    bool empty() const { return cells.empty(); }
    bool operator==(const ConversionResult&) const = default;
};

constexpr int kHistogramBins = 4096;
constexpr int kBinPaletteSize = 256;
// A pattern file holds at most this many threads; a conversion never yields more.
constexpr int kMaxConvertedThreads = 255;

// The bin of a colour: the high four bits of each channel, blue highest.
constexpr int binKey(ColorRef c)
{
    return static_cast<int>(((blueOf(c) >> 4) << 8) | ((greenOf(c) >> 4) << 4) | (redOf(c) >> 4));
}
// The colour that stands for a bin: the low end of the bin in each channel.
constexpr ColorRef binColour(int key)
{
    return rgb((static_cast<unsigned>(key) & 0xFu) * 16u, ((static_cast<unsigned>(key) >> 4) & 0xFu) * 16u,
               ((static_cast<unsigned>(key) >> 8) & 0xFu) * 16u);
}

// The shared nearest-colour rule: the smallest dR^2 + dG^2 + dB^2, starting from 1000000000
// and replaced only by a strictly smaller distance, so the earliest candidate wins ties.
// -1 when there is no candidate.
int nearestColour(std::span<const ColorRef> candidates, ColorRef colour);

// The working state of one conversion, kept for inspection after it.
struct ColorHistogram {
    std::array<std::int32_t, kHistogramBins> counts{};
    // The used bins in popularity order (after the exchange sort) and their counts.
    std::vector<std::int32_t> keys;
    std::vector<std::int32_t> keyCounts;
    int binPaletteSize = 0;  // min(used bins, 256)
    // For each used bin in popularity order, its bin-palette entry.
    std::vector<std::int32_t> binToEntry;
    // For each bin-palette entry, its thread colour and its group (a thread of the result).
    std::vector<ColorRef> entryThread;
    std::vector<std::int32_t> entryToGroup;
    // The group colours in group-number order, and how many cells each group got.
    std::vector<ColorRef> groupColors;
    std::vector<std::int64_t> groupCells;
    bool matched = false;
};

// The exchange sort of the histogram, largest count first: for a = 0 .. n-2 and
// b = a+1 .. n-1, entries a and b change places when count[a] < count[b]. Equal counts are
// never swapped, but the sort is not stable: the order among equal counts is this sort's
// own. keys moves with counts.
void exchangeSortByCount(std::vector<std::int32_t>& counts, std::vector<std::int32_t>& keys);

// Converts width x height pixels (0x00BBGGRR, row by row) against the thread palette's
// colours. An empty palette matches every bin to its own colour. Progress runs 0..10 over
// each of the two passes. The caller checks the size (at least 1 x 1) and the pixel count.
//
// Two departures from the plain walk keep the pattern sound: a picture whose bins all match
// one thread yields one thread (every cell 0), and more than kMaxConvertedThreads groups are
// merged, least used first into its nearest remaining group, until the file can hold them.
ConversionResult convertPixels(std::span<const ColorRef> pixels, int width, int height,
                               std::span<const ColorRef> palette, ProgressReport* progress = nullptr,
                               ColorHistogram* state = nullptr);

}  // namespace brenmark
