#include "editor/document/output_room.h"

#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace brenmark {

namespace {

std::atomic<std::int64_t> injectedFree{-1};

}  // namespace

std::int64_t freeSpaceFor(const std::string& path)
{
    const std::int64_t injected = injectedFree.load();
    return injected >= 0 ? injected : freeBytesFor(path);
}

void injectFreeSpace(std::int64_t bytes)
{
    injectedFree = bytes;
}

std::optional<NoRoom> checkRoom(const std::string& target, std::uint64_t needed)
{
    const std::int64_t room = freeSpaceFor(target);
    if (room < 0 || needed <= static_cast<std::uint64_t>(room))
        return std::nullopt;
    return NoRoom{needed, static_cast<std::uint64_t>(room)};
}

std::string noRoomText(const char* text, const NoRoom& room, int pages)
{
    char out[512];
    // The template in the interface's language, before the figures go in.
    const std::string format = uiText(text);
    text = format.c_str();
    if (pages >= 0)
        std::snprintf(out, sizeof out, text, pages, sizeText(room.needed).c_str(), sizeText(room.available).c_str());
    else
        std::snprintf(out, sizeof out, text, sizeText(room.needed).c_str(), sizeText(room.available).c_str());
    return out;
}

std::string parentFolderBytes(const std::string& path)
{
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const auto slash = p.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : p.substr(0, slash);
}

MadeFolders::~MadeFolders()
{
    const int saved = errno;
    for (auto it = made_.rbegin(); it != made_.rend(); ++it)
        ::rmdir(it->c_str());  // fails, and so keeps it, when something was put inside
    errno = saved;
}

bool MadeFolders::make(const std::string& folder)
{
    // The missing folders from the nearest existing one down.
    std::vector<std::string> missing;
    std::string at = folder;
    while (!at.empty() && at != "." && at != "/") {
        struct stat st {};
        if (::stat(at.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                errno = ENOTDIR;
                return false;
            }
            break;
        }
        if (errno != ENOENT)
            return false;
        missing.push_back(at);
        const std::string up = parentFolderBytes(at);
        if (up == at)
            break;
        at = up;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), 0777) != 0) {
            if (errno == EEXIST)
                continue;  // another run made it meanwhile: theirs, not ours to remove
            return false;
        }
        made_.push_back(*it);
    }
    return true;
}

}  // namespace brenmark
