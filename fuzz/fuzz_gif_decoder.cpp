// Feeds arbitrary bytes to the GIF decoder. A refused file must say why and hand back no
// picture; a decoded one must be whole (one index per pixel, a colour table of a power of
// two), within the pixel limit, and a small one is converted against a little library with
// the photo conversion, whose result must index its own colours.
#include "fuzz/fuzz_support.h"

#include "photo/gif_decoder.h"
#include "photo/photo_conversion.h"

#include <vector>

using namespace brenmark;

namespace {

// Small enough that the fuzzer spends its time on the format, not on huge blank images.
constexpr std::int64_t kFuzzPixels = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const GifReadResult r = decodeGif({data, size}, kFuzzPixels);
    if (!r.picture) {
        FUZZ_CHECK(r.problem != GifProblem::None);
        FUZZ_CHECK(!gifProblemText(r.problem).empty());
        return 0;
    }
    FUZZ_CHECK(r.problem == GifProblem::None);
    const GifPicture& p = *r.picture;
    FUZZ_CHECK(p.width >= 1 && p.height >= 1 && std::int64_t{p.width} * p.height <= kFuzzPixels);
    FUZZ_CHECK(p.pixels.size() == static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
    const std::size_t n = p.colours.size();
    FUZZ_CHECK(n >= 2 && n <= 256 && (n & (n - 1)) == 0);

    if (p.pixels.size() > 4096)
        return 0;
    std::vector<ColorRef> pixels;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            pixels.push_back(p.colourAt(x, y));
    const std::vector<ColorRef> library = {rgb(0, 0, 0), rgb(255, 255, 255), rgb(200, 30, 40), rgb(20, 160, 60)};
    const ConversionResult c = convertPhotoPixels(pixels, p.width, p.height, p.colours, library);
    FUZZ_CHECK(c.width == p.width && c.height == p.height && c.cells.size() == pixels.size());
    FUZZ_CHECK(c.colorCount() >= 1 && c.colorCount() <= static_cast<int>(library.size()));
    for (const std::int32_t v : c.cells)
        FUZZ_CHECK(v >= 0 && v < c.colorCount());
    return 0;
}
