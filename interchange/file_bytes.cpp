#include "interchange/file_bytes.h"

#include "interchange/ui_text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>

namespace brenmark {

bool fileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

mode_t processUmask()
{
    // Read where the kernel shows it: setting the mask to find it would, for that moment,
    // give files made by the program's other threads (a recovery copy is written on one)
    // the wrong permissions.
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "Umask: %o", &mask) == 1) {
                std::fclose(status);
                return static_cast<mode_t>(mask & 0777);
            }
        std::fclose(status);
    }
    // Kernels before 4.7 do not show it: found once, the first time files are made.
    static const mode_t fallback = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    return fallback;
}

bool directoryExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

PathKind pathKind(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return PathKind::Missing;
    if (S_ISREG(st.st_mode))
        return PathKind::RegularFile;
    if (S_ISDIR(st.st_mode))
        return PathKind::Folder;
    if (S_ISFIFO(st.st_mode))
        return PathKind::Pipe;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return PathKind::Device;
    if (S_ISSOCK(st.st_mode))
        return PathKind::Socket;
    return PathKind::Other;
}

std::int64_t regularFileSize(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

namespace {

// More than the machine's memory and swap together can never be held: a file that long is
// refused without asking the allocator (which, under a sanitizer or with overcommit, may
// not answer with an exception).
std::uint64_t memoryCeiling()
{
    struct sysinfo info {};
    if (::sysinfo(&info) != 0 || info.mem_unit == 0)
        return kAnySize;
    return (static_cast<std::uint64_t>(info.totalram) + info.totalswap) * info.mem_unit;
}

}  // namespace

bool holdableInMemory(std::uint64_t bytes)
{
    return bytes <= memoryCeiling();
}

ReadableFile::ReadableFile(const std::string& path)
{
    // Opening a pipe waits for a writer and opening a device may do anything: only a
    // regular file is opened. It is opened without blocking and looked at again, in case
    // something else took its place in between; reading a regular file never blocks anyway.
    if (pathKind(path) != PathKind::RegularFile)
        return;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0)
        return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
}

ReadableFile::~ReadableFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t ReadableFile::read(void* out, std::size_t n)
{
    std::size_t done = 0;
    while (fd_ >= 0 && done < n) {
        const ssize_t got = ::read(fd_, static_cast<char*>(out) + done, n - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::uint64_t maxBytes)
{
    out.clear();
    ReadableFile file(path);
    if (!file.isOpen() || file.size() > std::min(maxBytes, memoryCeiling()))
        return false;
    try {
        out.resize(static_cast<std::size_t>(file.size()));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    out.resize(file.read(out.data(), out.size()));  // a file that shrank while being read is simply shorter
    return true;
}

std::int64_t freeBytesFor(const std::string& path)
{
    std::string at = path;
    for (;;) {
        struct statvfs fs {};
        if (::statvfs(at.empty() ? "." : at.c_str(), &fs) == 0)
            return static_cast<std::int64_t>(fs.f_bavail) * static_cast<std::int64_t>(fs.f_frsize);
        if (errno != ENOENT && errno != ENOTDIR)
            return -1;
        while (!at.empty() && at.back() == '/')
            at.pop_back();
        const auto slash = at.rfind('/');
        if (slash == std::string::npos) {
            if (at.empty() || at == ".")
                return -1;
            at = ".";
        } else {
            at = slash == 0 ? "/" : at.substr(0, slash);
        }
    }
}

std::string sizeText(std::uint64_t bytes)
{
    char text[32];
    if (bytes < (1u << 20))
        std::snprintf(text, sizeof text, "%llu KB", static_cast<unsigned long long>((bytes + 1023) / 1024));
    else if (bytes < (1ull << 30))
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    else
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / (1ull << 30));
    return text;
}

std::string writeFailureReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return uiText("磁盘空间不足");
    case EROFS:
        return uiText("文件系统只读");
    case EACCES:
    case EPERM:
        return uiText("没有写入权限");
    case ENAMETOOLONG:
        return uiText("文件名太长");
    case ENOENT:
    case ENOTDIR:
        return uiText("文件夹不存在");
    case EIO:
        return uiText("读写设备出错");
    default:
        return std::strerror(error);  // C locale: plain ASCII
    }
}

namespace {

std::atomic<std::int64_t> faultBudget{-1};

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool isOurTemporaryName(const char* name)
{
    const char* mark = std::strstr(name, kTemporaryMark);
    if (!mark)
        return false;
    const char* tail = mark + std::strlen(kTemporaryMark);
    return std::strlen(tail) == 6 && std::strchr(tail, '/') == nullptr;
}

void removeTree(int parent, const char* name)
{
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        if (DIR* dir = ::fdopendir(fd)) {
            while (const dirent* e = ::readdir(dir)) {
                if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
                    continue;
                if (::unlinkat(fd, e->d_name, 0) != 0 && errno == EISDIR)
                    removeTree(fd, e->d_name);
            }
            ::closedir(dir);  // closes fd
        } else {
            ::close(fd);
        }
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

}  // namespace

void injectWriteFault(std::int64_t bytesBeforeFailure)
{
    faultBudget = bytesBeforeFailure;
}

std::string temporaryTemplate(const std::string& path)
{
    const std::string folder = folderOf(path);
    const auto slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = 255;
    const std::size_t tail = std::strlen(kTemporaryMark) + 6;
    const std::size_t room = static_cast<std::size_t>(nameMax) > tail ? static_cast<std::size_t>(nameMax) - tail : 0;
    if (name.size() > room)
        name.resize(room);
    const std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return prefix + name + kTemporaryMark + "XXXXXX";
}

void removeStaleTemporaries(const std::string& path)
{
    const std::string folder = folderOf(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    const std::time_t dayAgo = std::time(nullptr) - 24 * 60 * 60;
    while (const dirent* e = ::readdir(dir)) {
        if (!isOurTemporaryName(e->d_name))
            continue;
        struct stat st {};
        if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_mtime > dayAgo)
            continue;
        if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            continue;
        // A writer holds a lock on its temporary file or folder for as long as it writes.
        const int held = ::openat(fd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (held < 0)
            continue;
        const bool free = ::flock(held, LOCK_EX | LOCK_NB) == 0;
        if (free) {
            if (S_ISDIR(st.st_mode))
                removeTree(fd, e->d_name);
            else
                ::unlinkat(fd, e->d_name, 0);
        }
        ::close(held);
    }
    ::closedir(dir);
}

int createTemporaryBeside(const std::string& path, std::string& temp)
{
    removeStaleTemporaries(path);
    temp = temporaryTemplate(path);
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);  // O_CREAT | O_EXCL: never a link's target
    if (fd < 0) {
        temp.clear();
        return -1;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

bool readFileStart(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out)
{
    out.clear();
    ReadableFile file(path);
    if (!file.isOpen())
        return false;
    out.resize(count);
    out.resize(file.read(out.data(), count));
    return true;
}

static bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        std::size_t chunk = size;
        const std::int64_t budget = faultBudget.load();
        if (budget >= 0) {
            if (budget == 0) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(budget));
            faultBudget = budget - static_cast<std::int64_t>(chunk);
        }
        const ssize_t n = ::write(fd, data, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

ReplacementFile::ReplacementFile(const std::string& path) : path_(path)
{
    // Only a file is replaced. A pipe or a character device (/dev/stdout, /dev/null) is
    // written straight into, as a shell would: renaming over it would put a file where the
    // device stood. A folder or a block device is refused.
    struct stat target {};
    if (::stat(path_.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        if (S_ISFIFO(target.st_mode) || S_ISCHR(target.st_mode)) {
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd_ < 0) {
                error_ = errno;
                return;
            }
            direct_ = true;
            ok_ = true;
        } else {
            error_ = S_ISDIR(target.st_mode) ? EISDIR : EINVAL;
        }
        return;
    }
    fd_ = createTemporaryBeside(path_, temp_);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode = 0666 & ~processUmask();
    }
    (void)::fchmod(fd_, mode);  // a folder that refuses chmod still takes the file
    ok_ = true;
}

ReplacementFile::~ReplacementFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        if (!direct_)
            ::unlink(temp_.c_str());
    }
}

void ReplacementFile::failWith(int error)
{
    if (ok_ || error_ == 0)
        error_ = error ? error : EIO;
    ok_ = false;
}

void ReplacementFile::write(std::span<const std::uint8_t> bytes)
{
    if (ok_ && !writeAll(fd_, bytes.data(), bytes.size()))
        failWith(errno);
}

bool ReplacementFile::commit()
{
    if (fd_ < 0)
        return false;
    if (direct_) {
        if (::close(fd_) != 0 && ok_)
            failWith(errno);
        fd_ = -1;
        const bool written = ok_;
        ok_ = false;
        return written;
    }
    if (ok_ && ::fsync(fd_) != 0)
        failWith(errno);
    if (::close(fd_) != 0 && ok_)
        failWith(errno);
    fd_ = -1;
    if (ok_ && ::rename(temp_.c_str(), path_.c_str()) != 0)
        failWith(errno);
    const bool done = ok_;
    if (!done)
        ::unlink(temp_.c_str());
    ok_ = false;
    return done;
}

bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes, int* error)
{
    ReplacementFile file(path);
    file.write(bytes);
    const bool done = file.commit();
    if (error)
        *error = done ? 0 : file.error();
    return done;
}

// ---- A set of files in a folder ----

ReplacementFolder::ReplacementFolder(const std::string& folder) : folder_(folder)
{
    while (folder_.size() > 1 && folder_.back() == '/')
        folder_.pop_back();
    removeStaleTemporaries(folder_);
    std::string temp = temporaryTemplate(folder_);
    if (!::mkdtemp(temp.data())) {
        error_ = errno;
        return;
    }
    ::chmod(temp.c_str(), 0777 & ~processUmask());
    staging_ = temp;
    // Held while the set is written, so no other run takes the folder for a stale one.
    lock_ = ::open(staging_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_ >= 0)
        ::flock(lock_, LOCK_EX | LOCK_NB);
}

ReplacementFolder::~ReplacementFolder()
{
    if (!staging_.empty()) {
        const std::string parent = folderOf(staging_);
        const int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            removeTree(fd, staging_.substr(staging_.rfind('/') + 1).c_str());
            ::close(fd);
        }
    }
    if (lock_ >= 0)
        ::close(lock_);
}

bool ReplacementFolder::commit(const std::function<bool(const std::string& name)>& oldMember)
{
    if (staging_.empty())
        return false;
    struct stat st {};
    if (::lstat(folder_.c_str(), &st) != 0 && errno == ENOENT) {
        // No folder yet: the staging folder becomes it in one step (unless another run's
        // set took the name first; then it is replaced like any old set).
        if (::rename(staging_.c_str(), folder_.c_str()) == 0) {
            staging_.clear();
            return true;
        }
        if (errno != EEXIST && errno != ENOTEMPTY) {
            error_ = errno;
            return false;
        }
    }
    if (::stat(folder_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error_ = ENOTDIR;
        return false;
    }
    // One set goes in at a time: two runs on one folder never leave a mix of both.
    const int folderLock = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderLock >= 0)
        ::flock(folderLock, LOCK_EX);
    struct Unlock {
        int fd;
        ~Unlock()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } unlock{folderLock};
    std::vector<std::string> fresh;
    if (DIR* dir = ::opendir(staging_.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                fresh.push_back(e->d_name);
        ::closedir(dir);
    }
    std::sort(fresh.begin(), fresh.end());
    // Nothing is moved unless every new file can take its place.
    for (const std::string& name : fresh) {
        if (::lstat((folder_ + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            error_ = EISDIR;
            failedName_ = name;
            return false;
        }
    }
    // Every new file is complete; renames within one file system take no room, so the
    // new set goes in whole. Old members the new set does not replace go after.
    for (const std::string& name : fresh) {
        if (::rename((staging_ + "/" + name).c_str(), (folder_ + "/" + name).c_str()) != 0) {
            error_ = errno;
            failedName_ = name;
            return false;
        }
    }
    if (oldMember) {
        std::vector<std::string> old;
        if (DIR* dir = ::opendir(folder_.c_str())) {
            while (const dirent* e = ::readdir(dir))
                if (oldMember(e->d_name))
                    old.push_back(e->d_name);
            ::closedir(dir);
        }
        for (const std::string& name : old)
            if (std::find(fresh.begin(), fresh.end(), name) == fresh.end())
                ::unlink((folder_ + "/" + name).c_str());
    }
    if (folderLock >= 0)
        ::fsync(folderLock);
    return true;
}

}  // namespace brenmark
