#pragma once
// Whole-file reads and crash-safe replacement writes.
#include <cstdint>
#include <sys/types.h>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

bool fileExists(const std::string& path);
// The process's file mode mask, read without changing it (threads may be making files).
mode_t processUmask();
bool directoryExists(const std::string& path);

// What stands at a path (links followed).
enum class PathKind { Missing, RegularFile, Folder, Pipe, Device, Socket, Other };
PathKind pathKind(const std::string& path);

// Reads the whole file; false when it cannot be opened or read, or is no regular file.
// Folders, pipes and devices are refused without being read, and a pipe is never waited on.
// A file longer than maxBytes, or one whose bytes cannot be had in memory, is refused
// before its buffer is made.
inline constexpr std::uint64_t kAnySize = std::numeric_limits<std::uint64_t>::max();
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::uint64_t maxBytes = kAnySize);
// Whether this many bytes could ever be held in memory (the machine's memory and swap).
bool holdableInMemory(std::uint64_t bytes);
// A regular file open for reading by the rules of readWholeFile (nothing else is opened,
// and nothing is waited on), with its length when opened; closed when it goes.
class ReadableFile {
public:
    explicit ReadableFile(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    std::uint64_t size() const { return size_; }
    // Reads up to n bytes (fewer only at the end of the file or on an error); the count read.
    std::size_t read(void* out, std::size_t n);

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};
// The first count bytes of a regular file (fewer when it is shorter), by the same rules.
bool readFileStart(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out);
// The length of a regular file, -1 for anything else.
std::int64_t regularFileSize(const std::string& path);

// The room left for new files where path would go (its nearest existing folder), in bytes;
// -1 when the file system does not say.
std::int64_t freeBytesFor(const std::string& path);
// A size as people read it: "812 KB", "27.9 MB", "9.7 GB".
std::string sizeText(std::uint64_t bytes);

// Why a write failed, as the user is told (GBK): a full disk, a read-only file system, no
// permission, a name too long, else the system's own words.
std::string writeFailureReason(int error);

// Temporary files of our own carry this mark in their names ("<name>.bmtmp-XXXXXX"), so
// that ones left by a killed run are known and removed by the next write to their folder.
inline constexpr const char* kTemporaryMark = ".bmtmp-";
// A temporary name beside path for mkstemp/mkdtemp: the file name with the mark and six
// X, the name cut so the whole stays within the file system's name length.
std::string temporaryTemplate(const std::string& path);
// Removes our temporary files and folders in path's folder that are older than a day and
// that no process holds (writers keep a lock on their temporary file while they write).
void removeStaleTemporaries(const std::string& path);
// A new temporary file beside path, created exclusively (never through a link), locked and
// open for reading and writing; its name is put in temp. -1 (errno set) when it cannot be
// made.
int createTemporaryBeside(const std::string& path, std::string& temp);

// For tests: the next writes through ReplacementFile fail with ENOSPC once this many more
// bytes have been written (a negative value turns the fault off).
void injectWriteFault(std::int64_t bytesBeforeFailure);

// A replacement for the file at path, written in pieces: a temporary file beside it, synced
// and renamed over it on commit, and removed when anything fails, so an old file survives
// any failure. The new file keeps the old one's permissions. A pipe or character device at
// path is written into in place; a folder or block device there is refused.
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
    // The errno of the first failure (0 when there was none).
    int error() const { return error_; }
    const std::string& temporaryPath() const { return temp_; }

private:
    void failWith(int error);

    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool direct_ = false;  // a pipe or character device, written into in place
    bool ok_ = false;
    int error_ = 0;
};

// The whole file at once, by the same rules. error (may be null) gets the errno of a failure.
bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes, int* error = nullptr);

// A set of files replacing the set in a folder as a whole: the new files are written into a
// temporary folder beside it (stagingPath()), and commit() moves them in once every one is
// complete, removing the old files of the set that the new one does not have. A folder that
// did not exist is the temporary folder renamed, so a failed run leaves no folder behind;
// without commit the temporary folder and everything in it are removed.
class ReplacementFolder {
public:
    explicit ReplacementFolder(const std::string& folder);
    ReplacementFolder(const ReplacementFolder&) = delete;
    ReplacementFolder& operator=(const ReplacementFolder&) = delete;
    ~ReplacementFolder();

    bool ok() const { return !staging_.empty(); }
    int error() const { return error_; }
    // Ends in "/".
    std::string stagingPath() const { return staging_ + "/"; }
    // oldMember(name) tells which files already in the folder belong to the old set.
    bool commit(const std::function<bool(const std::string& name)>& oldMember);
    // The file of the set that could not take its place, when that was the failure.
    const std::string& failedName() const { return failedName_; }

private:
    std::string folder_;
    std::string staging_;
    std::string failedName_;
    int lock_ = -1;
    int error_ = 0;
};

}  // namespace brenmark
