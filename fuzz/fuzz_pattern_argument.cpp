// Feeds arbitrary bytes to the page writer's argument decoder, both as the letters of a
// command line and as a path to scramble. An accepted argument names a ".xiu" path that
// scrambles back to the same letters; every path survives the scramble.
#include "fuzz/fuzz_support.h"

#include "editor/document/path_scramble.h"
#include "tiffwriter/pattern_argument.h"

#include <string>

using namespace brenmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = argumentText({bytes});
    if (const auto path = decodePatternArgument(text)) {
        FUZZ_CHECK(!path->empty());
        FUZZ_CHECK(path->size() * 2 == text.size());
        std::string lower = *path;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        FUZZ_CHECK(lower.find(".xiu") != std::string::npos);
        // Letters past "JV" wrap, so only the decoded path is unique: it scrambles to letters
        // that decode to it again.
        FUZZ_CHECK(decodePatternArgument(scramblePath(*path)) == path);
    }
    const std::string letters = scramblePath(bytes);
    FUZZ_CHECK(letters.size() == 2 * bytes.size());
    FUZZ_CHECK(unscramblePath(letters) == bytes);
    return 0;
}
