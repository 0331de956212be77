#pragma once
// The one place where GBK texts (the program's own) meet UTF-8 (the terminal, JSON
// output, the desktop). Bytes that do not convert become U+FFFD / "?" rather than failing.
#include <string>
#include <string_view>

namespace brenmark {

std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// Length in bytes of the GBK character starting at text[pos] (1 or 2); a lead byte with
// no trail byte counts as 1.
inline std::size_t gbkCharLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead >= 0x81 && lead <= 0xFE && pos + 1 < text.size())
        return 2;
    return 1;
}

// The longest prefix of text that fits in maxBytes without splitting a double-byte character.
std::string_view gbkPrefix(std::string_view text, std::size_t maxBytes);

// Position of needle in text, matching only at character boundaries (a GBK trail byte
// followed by a lead byte never forms a false hit); npos when absent.
std::size_t gbkFind(std::string_view text, std::string_view needle);

}  // namespace brenmark
