#pragma once
// The pattern path as the editor hands it to the page writer on its command line: every byte
// mixed with a 16-bit running key and written as two capital letters ("AA" for 0 to "JV" for
// 255). Both programs share the three constants here, so a path always decodes to itself.
#include <cstdint>
#include <optional>
#include <string>

namespace brenmark {

inline constexpr std::uint16_t kScrambleSeed = 0x5A3C;  // S
inline constexpr std::uint16_t kScrambleK1 = 0x9E37;    // K1
inline constexpr std::uint16_t kScrambleK2 = 0x2F1B;    // K2

// Twice as many capital letters as the path has bytes.
std::string scramblePath(const std::string& path);
// The path back from its letters; nothing when the text is not pairs of capital letters.
// Pairs beyond "JV" wrap modulo 256 as the page writer reads them.
std::optional<std::string> unscramblePath(const std::string& letters);

}  // namespace brenmark
