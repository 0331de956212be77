#include "editor/document/thread_names.h"

#include "interchange/code_page.h"
#include "interchange/file_bytes.h"

namespace brenmark {

ThreadNames loadThreadNames(const PaletteStore& palettes, const std::string& brand)
{
    ThreadNames names;
    std::string path = palettes.systemPalettePath(brand);
    if (const std::size_t dot = path.rfind('.'); dot != std::string::npos)
        path.erase(dot);
    std::vector<std::uint8_t> bytes;
    if (pathKind(path + ".names") != PathKind::RegularFile || !readWholeFile(path + ".names", bytes) || bytes.size() > (4u << 20))
        return names;
    const std::string text(bytes.begin(), bytes.end());
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(at, end - at);
        if (const std::size_t tab = line.find('\t'); tab != std::string::npos && tab > 0)
            names.emplace(utf8ToGbk(line.substr(0, tab)), utf8ToGbk(line.substr(tab + 1)));
        at = end + 1;
    }
    return names;
}

const std::string& threadName(const ThreadNames& names, const std::string& number)
{
    static const std::string none;
    const auto it = names.find(number);
    return it != names.end() ? it->second : none;
}

}  // namespace brenmark
