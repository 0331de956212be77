#include "interchange/chinese_code.h"

#include <iconv.h>

#include <cstring>

namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Converts in whole; the number of bytes written, or -1.
    int run(const char* in, std::size_t inLength, char* out, std::size_t outLength)
    {
        if (!ok())
            return -1;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        char* dst = out;
        std::size_t srcLeft = inLength;
        std::size_t dstLeft = outLength;
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
            return -1;
        return static_cast<int>(outLength - dstLeft);
    }

private:
    iconv_t cd_;
};

Converter& gbkToUnicode()
{
    thread_local Converter c("UTF-16LE", "GBK");
    return c;
}

Converter& unicodeToGbk()
{
    thread_local Converter c("GBK", "UTF-16LE");
    return c;
}

constexpr char16_t kReplacement = 0xFFFD;

char* newText(const std::string& s)
{
    char* out = new char[s.size() + 1];
    std::memcpy(out, s.c_str(), s.size() + 1);
    return out;
}

}  // namespace

char16_t CChineseCodeLib::Gb2312ToUnicode(const char* gbk)
{
    char out[4];
    if (gbkToUnicode().run(gbk, 2, out, sizeof out) != 2)
        return kReplacement;
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
}

int CChineseCodeLib::UnicodeToGB2312(char16_t unit, char out[2])
{
    const char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    const int n = unicodeToGbk().run(in, 2, out, 2);
    if (n < 1) {
        out[0] = '?';
        return 1;
    }
    return n;
}

char16_t CChineseCodeLib::UTF_8ToUnicode(const char* utf8, int length)
{
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    unsigned cp = 0;
    unsigned min = 0;
    if (length == 2 && (s[0] & 0xE0) == 0xC0) {
        cp = s[0] & 0x1Fu;
        min = 0x80;
    } else if (length == 3 && (s[0] & 0xF0) == 0xE0) {
        cp = s[0] & 0x0Fu;
        min = 0x800;
    } else {
        return kReplacement;  // four-byte sequences need two units
    }
    for (int i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (s[i] & 0x3Fu);
    }
    if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    return static_cast<char16_t>(cp);
}

int CChineseCodeLib::UnicodeToUTF_8(char16_t unit, char out[3])
{
    const unsigned u = unit;
    if (u < 0x80) {
        out[0] = static_cast<char>(u);
        return 1;
    }
    if (u < 0x800) {
        out[0] = static_cast<char>(0xC0 | (u >> 6));
        out[1] = static_cast<char>(0x80 | (u & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | (u >> 12));
    out[1] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (u & 0x3F));
    return 3;
}

std::string CChineseCodeLib::toUtf8(std::string_view gbk)
{
    std::string out;
    out.reserve(gbk.size() * 3 / 2 + 1);
    for (std::size_t i = 0; i < gbk.size();) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            out += gbk[i++];
            continue;
        }
        char buffer[3];
        const char16_t unit = i + 1 < gbk.size() ? Gb2312ToUnicode(gbk.data() + i) : kReplacement;
        out.append(buffer, static_cast<std::size_t>(UnicodeToUTF_8(unit, buffer)));
        i += 2;
    }
    return out;
}

std::string CChineseCodeLib::toGbk(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() * 2 + 1);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += utf8[i++];
            continue;
        }
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char16_t unit = kReplacement;
        if (length == 1 || i + length > utf8.size())
            length = 1;  // a stray continuation byte or a sequence cut short
        else
            unit = UTF_8ToUnicode(utf8.data() + i, static_cast<int>(length));
        char buffer[2];
        if (unit == kReplacement)
            out += '?';
        else
            out.append(buffer, static_cast<std::size_t>(UnicodeToGB2312(unit, buffer)));
        i += length;
    }
    return out;
}

char* CChineseCodeLib::GB2312ToUTF_8(const char* text, std::int32_t length)
{
    return newText(text && length > 0 ? toUtf8({text, static_cast<std::size_t>(length)}) : std::string());
}

char* CChineseCodeLib::UTF_8ToGB2312(const char* text, std::int32_t length)
{
    return newText(text && length > 0 ? toGbk({text, static_cast<std::size_t>(length)}) : std::string());
}
