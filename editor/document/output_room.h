#pragma once
// Whether an output fits where it is going, asked before any of it is written: the chart
// exports and the print pages estimate their size and are refused, with the room needed,
// when the target's file system has less free.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

// The free space for new files where path would go (its nearest existing folder), in
// bytes; -1 when the file system does not say.
std::int64_t freeSpaceFor(const std::string& path);

// For tests: every check sees this much free space instead of the file system's figure
// (a negative value gives the real figure back).
void injectFreeSpace(std::int64_t bytes);

struct NoRoom {
    std::uint64_t needed = 0;
    std::uint64_t available = 0;
};
// Nothing when needed bytes fit at target, or when its file system does not say.
std::optional<NoRoom> checkRoom(const std::string& target, std::uint64_t needed);

// The refusal text: printf-style text with %s for the room needed and %s for the room
// there is (sizes as sizeText writes them); with pages >= 0 a leading %d for the pages.
std::string noRoomText(const char* text, const NoRoom& room, int pages = -1);

// The folder a path is in: "." for a bare name, "/" for a name at the root.
std::string parentFolderBytes(const std::string& path);

// The missing folders an output is written under, made for one run and removed again
// (deepest first, each only while empty) unless the run keeps them: a run that fails leaves
// no folder of its own behind.
class MadeFolders {
public:
    MadeFolders() = default;
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;
    ~MadeFolders();

    // Makes folder and every missing folder above it; false (errno set) when one cannot be
    // made or something other than a folder stands in the way.
    bool make(const std::string& folder);
    // The run completed: what it made stays.
    void keep() { made_.clear(); }
    const std::vector<std::string>& made() const { return made_; }

private:
    std::vector<std::string> made_;
};

}  // namespace brenmark
