#include "tiffwriter/pattern_argument.h"

#include "editor/document/path_scramble.h"

namespace brenmark {

std::string argumentText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& a : arguments) {
        if (!text.empty())
            text += ' ';
        text += a;
    }
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start);
}

std::optional<std::string> decodePatternArgument(const std::string& text)
{
    std::optional<std::string> path = unscramblePath(text);
    if (!path || path->empty())
        return std::nullopt;
    // Only ASCII letters change case: a GBK trail byte can never start the ".xiu" found.
    std::string lower = *path;
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    if (lower.find(".xiu") == std::string::npos)
        return std::nullopt;
    return path;
}

}  // namespace brenmark
