#include "editor/document/path_scramble.h"

namespace brenmark {
namespace {

std::uint16_t nextKey(std::uint16_t key, std::uint8_t scrambled)
{
    return static_cast<std::uint16_t>(kScrambleK1 - (key + scrambled) * kScrambleK2);
}

}  // namespace

std::string scramblePath(const std::string& path)
{
    std::string letters;
    letters.reserve(path.size() * 2);
    std::uint16_t key = kScrambleSeed;
    for (const char byte : path) {
        const auto c = static_cast<std::uint8_t>(static_cast<std::uint8_t>(byte) ^ (key >> 8));
        key = nextKey(key, c);
        letters += static_cast<char>('A' + c / 26);
        letters += static_cast<char>('A' + c % 26);
    }
    return letters;
}

std::optional<std::string> unscramblePath(const std::string& letters)
{
    if (letters.size() % 2 != 0)
        return std::nullopt;
    std::string path;
    path.reserve(letters.size() / 2);
    std::uint16_t key = kScrambleSeed;
    for (std::size_t i = 0; i < letters.size(); i += 2) {
        const char a = letters[i], b = letters[i + 1];
        if (a < 'A' || a > 'Z' || b < 'A' || b > 'Z')
            return std::nullopt;
        const auto c = static_cast<std::uint8_t>(((a - 'A') * 26 + (b - 'A')) % 256);
        path += static_cast<char>(c ^ (key >> 8));
        key = nextKey(key, c);
    }
    return path;
}

}  // namespace brenmark
