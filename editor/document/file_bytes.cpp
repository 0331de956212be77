#include "editor/document/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace brenmark {

bool fileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
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

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out)
{
    out.clear();
    // Opening a pipe waits for a writer and opening a device may do anything: only a
    // regular file is opened. It is opened without blocking and looked at again, in case
    // something else took its place in between; reading a regular file never blocks anyway.
    if (pathKind(path) != PathKind::RegularFile)
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        out.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        out.resize(done);  // a file that shrank while being read is simply shorter
    }
    ::close(fd);
    if (!ok)
        out.clear();
    return ok;
}

static bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

ReplacementFile::ReplacementFile(const std::string& path) : path_(path), temp_(path + ".XXXXXX")
{
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0)
        return;
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    (void)::fchmod(fd_, mode);  // a folder that refuses chmod still takes the file
    ok_ = true;
}

ReplacementFile::~ReplacementFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
    }
}

void ReplacementFile::write(std::span<const std::uint8_t> bytes)
{
    if (ok_)
        ok_ = writeAll(fd_, bytes.data(), bytes.size());
}

bool ReplacementFile::commit()
{
    if (fd_ < 0)
        return false;
    bool done = ok_ && ::fsync(fd_) == 0;
    done = (::close(fd_) == 0) && done;
    fd_ = -1;
    if (done)
        done = ::rename(temp_.c_str(), path_.c_str()) == 0;
    if (!done)
        ::unlink(temp_.c_str());
    ok_ = false;
    return done;
}

bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    ReplacementFile file(path);
    file.write(bytes);
    return file.commit();
}

}  // namespace brenmark
