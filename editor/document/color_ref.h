#pragma once
#include <cstdint>

namespace brenmark {

// A colour as the pattern file stores it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned redOf(ColorRef c) { return c & 0xFFu; }
constexpr unsigned greenOf(ColorRef c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blueOf(ColorRef c) { return (c >> 16) & 0xFFu; }

// The pixel value of the colour in a 32-bit 0xFFRRGGBB image.
constexpr std::uint32_t pixelOf(ColorRef c)
{
    return 0xFF000000u | (redOf(c) << 16) | (greenOf(c) << 8) | blueOf(c);
}

constexpr ColorRef kWhite = 0xFFFFFFu;

}  // namespace brenmark
