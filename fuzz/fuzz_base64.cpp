// The Base64 decoder on arbitrary text never fails, gives 3 bytes a whole group at most and
// never ends in a zero byte; encoding what it gave and decoding again gives the same bytes.
#include "fuzz/fuzz_support.h"

#include "interchange/base64.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string bytes = ZRBase64::decode(text);
    FUZZ_CHECK(bytes.size() <= size / 4 * 3);
    FUZZ_CHECK(bytes.empty() || bytes.back() != '\0');
    const std::string encoded = ZRBase64::encode(bytes.data(), bytes.size());
    FUZZ_CHECK(encoded.size() == (bytes.size() + 2) / 3 * 4);
    FUZZ_CHECK(ZRBase64::decode(encoded) == bytes);
    // And the raw input encodes to text that decodes to it without its trailing zeros.
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == '\0')
        trimmed.pop_back();
    FUZZ_CHECK(ZRBase64::decode(ZRBase64::encode(text.data(), text.size())) == trimmed);
    return 0;
}
