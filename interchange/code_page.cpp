#include "interchange/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace brenmark {
namespace {

std::string convert(std::string_view in, const char* to, const char* from, std::string_view replacement)
{
    std::string out;
    if (in.empty())
        return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // Invalid or truncated sequence: replace one byte and go on.
            out.append(replacement);
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk)
{
    return convert(gbk, "UTF-8", "GBK", "\xEF\xBF\xBD");
}

std::string utf8ToGbk(std::string_view utf8)
{
    return convert(utf8, "GBK", "UTF-8", "?");
}

std::string_view gbkPrefix(std::string_view text, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t len = gbkCharLength(text, end);
        if (end + len > maxBytes)
            break;
        end += len;
    }
    return text.substr(0, end);
}

std::size_t gbkFind(std::string_view text, std::string_view needle)
{
    if (needle.empty())
        return 0;
    for (std::size_t pos = 0; pos + needle.size() <= text.size(); pos += gbkCharLength(text, pos))
        if (text.compare(pos, needle.size(), needle) == 0)
            return pos;
    return std::string_view::npos;
}

}  // namespace brenmark
