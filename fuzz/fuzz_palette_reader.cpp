// Feeds arbitrary bytes to the palette reader. A refused palette must come back empty; an
// accepted one must be written back and read again without change. The thread numbers it
// reads are arbitrary GBK bytes, so they also go through the code-page helpers.
#include "fuzz/fuzz_support.h"

#include "editor/document/palette_file.h"
#include "interchange/code_page.h"

#include <algorithm>
#include <string_view>
#include <vector>

using namespace brenmark;

namespace {

void checkCodePage(std::string_view text)
{
    for (std::size_t max : {std::size_t(0), std::size_t(1), std::size_t(2), std::size_t(9), std::size_t(10), text.size()}) {
        const std::string_view fit = gbkPrefix(text, max);
        FUZZ_CHECK(fit.size() <= max && fit.size() <= text.size());
        FUZZ_CHECK(text.substr(0, fit.size()) == fit);
        // Cutting again changes nothing.
        FUZZ_CHECK(gbkPrefix(fit, max) == fit);
    }
    const std::string utf8 = gbkToUtf8(text);
    (void)utf8ToGbk(utf8);
    (void)utf8ToGbk(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkCodePage({reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 256)});
    Palette palette;
    palette.add("stale", 1);  // whatever was there before must go
    if (!decodePalette({data, size}, palette)) {
        FUZZ_CHECK(palette.numbers.empty() && palette.colors.empty() && palette.flags.empty());
        return 0;
    }
    const std::size_t n = palette.numbers.size();
    FUZZ_CHECK(palette.colors.size() == n && palette.flags.size() == n);
    FUZZ_CHECK(4 + n * kPaletteEntrySize <= size);
    for (std::size_t i = 0; i < n; ++i) {
        FUZZ_CHECK(palette.numbers[i].size() <= kPaletteNumberField);
        FUZZ_CHECK(palette.flags[i] == 0);
        if (i < 16)
            checkCodePage(palette.numbers[i]);
    }

    const std::vector<std::uint8_t> encoded = encodePalette(palette.colors, palette.numbers);
    FUZZ_CHECK(encoded.size() == 4 + n * kPaletteEntrySize);
    Palette again;
    FUZZ_CHECK(decodePalette(encoded, again));
    FUZZ_CHECK(again.numbers == palette.numbers);
    FUZZ_CHECK(again.colors == palette.colors);
    FUZZ_CHECK(again.flags == palette.flags);
    FUZZ_CHECK(encodePalette(again.colors, again.numbers) == encoded);

    // Lookups take the first match of the exact bytes.
    for (std::size_t i = 0; i < n && i < 64; ++i) {
        const int hit = palette.find(palette.numbers[i]);
        FUZZ_CHECK(hit >= 0 && static_cast<std::size_t>(hit) <= i);
        FUZZ_CHECK(palette.numbers[static_cast<std::size_t>(hit)] == palette.numbers[i]);
    }
    return 0;
}
