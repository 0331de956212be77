#include "interchange/base64.h"

#include <array>
#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each byte in the alphabet; "=" and every byte outside it count as 0.
constexpr std::array<std::uint8_t, 256> makeReverse()
{
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
    return table;
}
constexpr std::array<std::uint8_t, 256> kReverse = makeReverse();

}  // namespace

std::string ZRBase64::encode(const void* bytes, std::size_t length)
{
    const auto* in = static_cast<const unsigned char*>(bytes);
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        const unsigned v = (unsigned(in[i]) << 16) | (unsigned(in[i + 1]) << 8) | in[i + 2];
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    if (length - i == 1) {
        const unsigned v = unsigned(in[i]) << 16;
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += "==";
    } else if (length - i == 2) {
        const unsigned v = (unsigned(in[i]) << 16) | (unsigned(in[i + 1]) << 8);
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

std::string ZRBase64::decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
        unsigned v = 0;
        for (std::size_t k = 0; k < 4; ++k)
            v = (v << 6) | kReverse[static_cast<unsigned char>(text[i + k])];
        out += static_cast<char>(v >> 16);
        out += static_cast<char>((v >> 8) & 0xFF);
        out += static_cast<char>(v & 0xFF);
    }
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

char* ZRBase64::EncodeBase64(const unsigned char* bytes, std::int32_t length)
{
    const std::string text = bytes && length > 0 ? encode(bytes, static_cast<std::size_t>(length)) : std::string();
    char* out = new char[text.size() + 1];
    std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

unsigned char* ZRBase64::DecodeBase64(const char* text, std::int32_t* lengthOut)
{
    const std::string bytes = text ? decode(text) : std::string();
    auto* out = new unsigned char[bytes.size() + 1];
    std::memcpy(out, bytes.data(), bytes.size());
    out[bytes.size()] = 0;
    if (lengthOut)
        *lengthOut = static_cast<std::int32_t>(bytes.size());
    return out;
}

unsigned char* Base642BYTE(const char* text, std::int32_t* lengthOut)
{
    return ZRBase64::DecodeBase64(text, lengthOut);
}

std::string BYTE2Base64(const unsigned char* bytes, std::int32_t length)
{
    if (!bytes || length <= 0)
        return {};
    return ZRBase64::encode(bytes, static_cast<std::size_t>(length));
}
