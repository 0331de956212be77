#include "editor/document/program_directory.h"

#include <unistd.h>

#include <climits>

namespace brenmark {

const std::string& programDirectory()
{
    static const std::string dir = [] {
        char buffer[PATH_MAX + 1];
        const ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
        std::string path = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("./");
        return path.substr(0, path.rfind('/') + 1);
    }();
    return dir;
}

std::string expandPathTemplate(std::string_view pathTemplate, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < pathTemplate.size(); ++i) {
        if (pathTemplate[i] == '%' && i + 1 < pathTemplate.size() && pathTemplate[i + 1] == 's') {
            if (arg != args.end())
                out.append(*arg++);
            ++i;
        } else {
            out.push_back(pathTemplate[i]);
        }
    }
    return out;
}

}  // namespace brenmark
