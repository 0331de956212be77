#pragma once
// Reading GIF files (GIF87a and GIF89a) for the photo import: the first image of the file
// as an 8-bit bitmap, top row first, with the colour table that belongs to it.
//
// Every length, code and table index is checked against the file: a file that is cut short
// or damaged comes back as a problem the user can be told about, never as a partial or
// made-up picture, and an image larger than the pixel limit is refused before anything is
// allocated for it.
#include "editor/document/color_ref.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

// 40 million pixels (about 7300 x 5500): far beyond any photo a pattern is made from, and
// small enough that the bitmap and its scaled copy fit in memory.
constexpr std::int64_t kMaxGifPixels = 40'000'000;
// A GIF file is read whole; nothing the pixel limit allows needs more than this.
constexpr std::int64_t kMaxGifFileBytes = 512ll * 1024 * 1024;

struct GifPicture {
    int width = 0;   // of the first image, not of the logical screen
    int height = 0;
    // width * height colour indices, row by row from the top (interlaced images reordered).
    // An index may lie past the colour table when the file says so; it is kept as it is.
    std::vector<std::uint8_t> pixels;
    // The image's local colour table when it has one, else the global one: 2, 4 .. 256
    // entries as the table's size field says.
    std::vector<ColorRef> colours;
    bool interlaced = false;
    bool version89a = false;

    // The colour of one pixel; black for an index past the table.
    ColorRef colourAt(int x, int y) const
    {
        const std::uint8_t index = pixels[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
        return index < colours.size() ? colours[index] : 0u;
    }
};

enum class GifProblem {
    None,
    Unreadable,     // the file cannot be opened or read
    NotGif,         // no GIF87a / GIF89a header
    Truncated,      // the file ends before the first image is complete
    Damaged,        // a block, size or code that no GIF writer produces
    NoImage,        // the trailer comes before any image
    NoColourTable,  // neither a local nor a global colour table
    TooLarge,       // more pixels than kMaxGifPixels, or a file past kMaxGifFileBytes
};

// What the user is told (GBK).
std::string gifProblemText(GifProblem problem);

struct GifReadResult {
    std::optional<GifPicture> picture;
    GifProblem problem = GifProblem::None;
};

// Decodes the first image of a GIF held in memory.
GifReadResult decodeGif(std::span<const std::uint8_t> bytes, std::int64_t maxPixels = kMaxGifPixels);
// The same from a file.
GifReadResult readGifFile(const std::string& path, std::int64_t maxPixels = kMaxGifPixels);

}  // namespace brenmark
