#include "editor/app/recovery_store.h"

#include "interchange/file_bytes.h"
#include "editor/document/pattern_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <new>
#include <span>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

namespace {

constexpr const char* kNoteHeader = "brenmark recovery 1\n";
constexpr const char* kPatternSuffix = ".xiu";
constexpr const char* kNoteSuffix = ".recovery";
constexpr const char* kLockSuffix = ".lock";

// Opens (making it) and locks a lock file; -1 when another process holds it.
int takeLock(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// This editor's own lock. Another editor may be tidying away the lock files of editors that
// are gone at this very moment: it locks a file it found and unlinks it. So the lock is taken
// on a file that is still the one at path, or taken again.
int takeOwnLock(const std::string& path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return -1;
        struct stat held {}, named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            return fd;
        ::close(fd);
        ::usleep(5000);
    }
    return -1;
}

void releaseLock(int fd)
{
    if (fd >= 0) {
        ::flock(fd, LOCK_UN);
        ::close(fd);
    }
}

// The note beside a copy: header, time, then the original path (its bytes) to the end.
std::string noteText(const std::string& originalPath, std::int64_t writtenAt)
{
    return kNoteHeader + std::to_string(writtenAt) + "\n" + originalPath;
}

bool parseNote(const std::vector<std::uint8_t>& bytes, RecoveryCopy& copy)
{
    const std::string text(bytes.begin(), bytes.end());
    const std::string header = kNoteHeader;
    if (text.compare(0, header.size(), header) != 0)
        return false;
    const auto lineEnd = text.find('\n', header.size());
    if (lineEnd == std::string::npos)
        return false;
    try {
        std::size_t used = 0;
        const std::string number = text.substr(header.size(), lineEnd - header.size());
        copy.writtenAt = std::stoll(number, &used);
        if (used != number.size())
            return false;
    } catch (const std::exception&) {
        return false;
    }
    copy.originalPath = text.substr(lineEnd + 1);
    return true;
}

std::string makeId()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    return std::to_string(::getpid()) + "-" + std::to_string(micros);
}

}  // namespace

std::string recoveryTimeText(std::int64_t secondsSinceEpoch)
{
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    ::localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder)), id_(makeId())
{
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (!directoryExists(folder_))
        return;
    lockFd_ = takeOwnLock(folder_ + id_ + kLockSuffix);
}

RecoveryStore::~RecoveryStore()
{
    join();
    if (lockFd_ >= 0) {
        ::unlink((folder_ + id_ + kLockSuffix).c_str());
        releaseLock(lockFd_);
    }
}

void RecoveryStore::join()
{
    if (worker_.joinable())
        worker_.join();
}

void RecoveryStore::wait()
{
    join();
}

bool RecoveryStore::writeCopy(const std::string& folder, const std::string& id, const PatternDocument& doc,
                              const std::string& originalPath, std::int64_t writtenAt)
{
    // The pattern first: a note never names a copy that is not complete. A crash between the
    // two leaves the previous note beside the new pattern, which is still a whole pattern.
    if (!savePattern(folder + id + kPatternSuffix, doc))
        return false;
    const std::string note = noteText(originalPath, writtenAt);
    return replaceFile(folder + id + kNoteSuffix,
                       std::span(reinterpret_cast<const std::uint8_t*>(note.data()), note.size()));
}

bool RecoveryStore::writeAsync(const PatternDocument& doc, std::string originalPath)
{
    // Only a write in progress stops the next: making the document ready is waited for.
    if (!ready() || (busy_.load() && !preparing_.load()))
        return false;
    join();
    try {
        copy_ = doc;
    } catch (const std::bad_alloc&) {
        copy_ = PatternDocument();
        return false;
    }
    busy_ = true;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::int64_t writtenAt = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    worker_ = std::thread([this, originalPath = std::move(originalPath), writtenAt] {
        bool ok = false;
        try {
            ok = writeCopy(folder_, id_, copy_, originalPath, writtenAt);
        } catch (const std::exception&) {
            ok = false;
        }
        lastOk_ = ok;
        busy_ = false;
    });
    return true;
}

bool RecoveryStore::prepareAsync(const PatternDocument& doc)
{
    if (!ready() || busy_.load() || !doc.isOpen())
        return false;
    join();
    const std::size_t cells = doc.grid.cells.size();
    std::vector<std::size_t> layerCells;
    for (const PatternLayer& layer : doc.layers.layers)
        layerCells.push_back(layer.cells.size());
    busy_ = true;
    preparing_ = true;
    worker_ = std::thread([this, cells, layerCells = std::move(layerCells)] {
        try {
            copy_.grid.cells.assign(cells, EmptyCell);
            copy_.layers.layers.resize(layerCells.size());
            for (std::size_t i = 0; i < layerCells.size(); ++i)
                copy_.layers.layers[i].cells.assign(layerCells[i], EmptyCell);
        } catch (const std::bad_alloc&) {
            copy_ = PatternDocument();
        }
        busy_ = false;
        preparing_ = false;
    });
    return true;
}

void RecoveryStore::discard()
{
    join();
    if (!ready())
        return;
    ::unlink((folder_ + id_ + kNoteSuffix).c_str());
    ::unlink((folder_ + id_ + kPatternSuffix).c_str());
}

std::vector<RecoveryCopy> RecoveryStore::leftBehind() const
{
    std::vector<RecoveryCopy> copies;
    if (!ready())
        return copies;
    std::error_code ec;
    std::vector<std::string> ids;
    std::vector<std::string> locks;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec)) {
        const std::string name = entry.path().filename().string();
        const auto dot = name.rfind('.');
        if (dot == std::string::npos)
            continue;
        const std::string suffix = name.substr(dot);
        const std::string id = name.substr(0, dot);
        if ((suffix == kNoteSuffix || suffix == kPatternSuffix) && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
        else if (suffix == kLockSuffix)
            locks.push_back(id);
    }
    for (const std::string& id : ids) {
        if (id == id_)
            continue;
        // A lock nobody holds belongs to an editor that is gone.
        const int fd = takeLock(folder_ + id + kLockSuffix);
        if (fd < 0)
            continue;
        releaseLock(fd);
        RecoveryCopy copy;
        copy.id = id;
        copy.patternPath = folder_ + id + kPatternSuffix;
        std::vector<std::uint8_t> note;
        struct stat written {};
        if (readWholeFile(folder_ + id + kNoteSuffix, note) && parseNote(note, copy)) {
            // the note says it all
        } else if (::stat(copy.patternPath.c_str(), &written) == 0) {
            copy.writtenAt = written.st_mtime;  // the first copy, killed before its note
        } else {
            copy.writtenAt = -1;  // unreadable: offered, and refused when opened
        }
        copies.push_back(std::move(copy));
    }
    // Locks of editors that ended without leaving a copy.
    for (const std::string& id : locks) {
        if (id == id_ || std::find(ids.begin(), ids.end(), id) != ids.end())
            continue;
        const std::string path = folder_ + id + kLockSuffix;
        if (const int fd = takeLock(path); fd >= 0) {
            ::unlink(path.c_str());
            releaseLock(fd);
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.writtenAt > b.writtenAt; });
    return copies;
}

bool RecoveryStore::adopt(const RecoveryCopy& copy)
{
    if (!ready() || copy.id == id_)
        return false;
    // Held while moving, so two editors starting at once cannot both take it.
    const std::string lock = folder_ + copy.id + kLockSuffix;
    const int fd = takeLock(lock);
    if (fd < 0)
        return false;
    join();
    const bool moved = ::rename(copy.patternPath.c_str(), ownPatternPath().c_str()) == 0 &&
                       ::rename((folder_ + copy.id + kNoteSuffix).c_str(), (folder_ + id_ + kNoteSuffix).c_str()) == 0;
    ::unlink(lock.c_str());
    releaseLock(fd);
    return moved;
}

bool RecoveryStore::remove(const RecoveryCopy& copy)
{
    if (copy.id == id_)
        return false;
    const std::string lock = folder_ + copy.id + kLockSuffix;
    const int fd = takeLock(lock);
    if (fd < 0)
        return false;
    ::unlink((folder_ + copy.id + kNoteSuffix).c_str());
    ::unlink(copy.patternPath.c_str());
    ::unlink(lock.c_str());
    releaseLock(fd);
    return true;
}

void RecoveryStore::setAside(const RecoveryCopy& copy)
{
    const std::string lock = folder_ + copy.id + kLockSuffix;
    const int fd = takeLock(lock);
    if (fd < 0)
        return;
    ::rename((folder_ + copy.id + kNoteSuffix).c_str(), (folder_ + copy.id + kNoteSuffix + ".damaged").c_str());
    ::rename(copy.patternPath.c_str(), (copy.patternPath + ".damaged").c_str());
    ::unlink(lock.c_str());
    releaseLock(fd);
}

}  // namespace brenmark
