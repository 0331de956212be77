#pragma once
// GBK <-> UTF-8 one character at a time, the way the web service's texts are converted:
// a GBK byte of 128 or more always starts a two-byte character, and a UTF-8 lead byte always
// takes as many bytes as it announces. A character that does not convert becomes "?" in GBK
// and U+FFFD in UTF-8; nothing is read past the given length.
#include <cstdint>
#include <string>
#include <string_view>

class CChineseCodeLib {
public:
    // New NUL-terminated texts (free with delete[]); the length counts input bytes.
    static char* GB2312ToUTF_8(const char* text, std::int32_t length);
    static char* UTF_8ToGB2312(const char* text, std::int32_t length);

    // One GBK character (two bytes) to one UTF-16 unit; 0xFFFD when it has none.
    static char16_t Gb2312ToUnicode(const char* gbk);
    // One UTF-16 unit to GBK: writes one or two bytes into out and returns the count; "?"
    // for a unit GBK lacks.
    static int UnicodeToGB2312(char16_t unit, char out[2]);
    // One UTF-8 sequence of `length` bytes (2 to 4) to one UTF-16 unit; 0xFFFD when it is
    // malformed or lies outside the 16-bit range.
    static char16_t UTF_8ToUnicode(const char* utf8, int length);
    // One UTF-16 unit as UTF-8: writes one to three bytes and returns the count.
    static int UnicodeToUTF_8(char16_t unit, char out[3]);

    static std::string toUtf8(std::string_view gbk);
    static std::string toGbk(std::string_view utf8);
};
