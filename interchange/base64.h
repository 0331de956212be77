#pragma once
// Base64 with the standard alphabet, "=" padding and no line breaks. The decoder is lenient
// by design: it reads whole groups of four characters only, counts any character outside
// the alphabet (and "=") as 0, and drops the zero bytes at the end of what it decoded, so
// "YQ==" comes back as the one byte "a" and nothing it is given can make it fail.
#include "interchange/c_linkage.h"

#include <cstdint>
#include <string>
#include <string_view>

class ZRBase64 {
public:
    // A new NUL-terminated text of exactly 4 * ceil(length / 3) characters; free it with
    // delete[]. A null pointer or a length below 1 gives an empty text.
    static char* EncodeBase64(const unsigned char* bytes, std::int32_t length);
    // New bytes (free with delete[]; never null) and their count in *lengthOut.
    static unsigned char* DecodeBase64(const char* text, std::int32_t* lengthOut);

    static std::string encode(const void* bytes, std::size_t length);
    static std::string decode(std::string_view text);
};

JOLVANE_C_BEGIN
// The decoded bytes of a NUL-terminated text, as DecodeBase64.
unsigned char* Base642BYTE(const char* text, std::int32_t* lengthOut);
// The text of a block; empty for a length of 0.
std::string BYTE2Base64(const unsigned char* bytes, std::int32_t length);
JOLVANE_C_END
