#pragma once
// Whole-file reads and crash-safe replacement writes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// What stands at a path (links followed).
enum class PathKind { Missing, RegularFile, Folder, Pipe, Device, Socket, Other };
PathKind pathKind(const std::string& path);

// Reads the whole file; false when it cannot be opened or read, or is no regular file.
// Folders, pipes and devices are refused without being read, and a pipe is never waited on.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

// A replacement for the file at path, written in pieces: a temporary file beside it, synced
// and renamed over it on commit, and removed when anything fails, so an old file survives
// any failure. The new file keeps the old one's permissions.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& path);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    bool ok() const { return ok_; }
    void write(std::span<const std::uint8_t> bytes);
    // True when the new file stands at path.
    bool commit();

private:
    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool ok_ = false;
};

// The whole file at once, by the same rules.
bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace brenmark
