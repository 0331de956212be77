// The file layer under every writer: write faults, temporary names, stale temporaries,
// page sets replaced as a whole, and files too big to read.
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <set>
#include <utime.h>

using namespace brenmark;
using namespace brenmark::test;

namespace {

std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.insert(e->d_name);
        ::closedir(d);
    }
    return names;
}

std::vector<std::uint8_t> bytesOf(const std::string& path)
{
    std::vector<std::uint8_t> b;
    readWholeFile(path, b);
    return b;
}

void makeOld(const std::string& path)
{
    const struct timespec old[2] = {{std::time(nullptr) - 3 * 24 * 3600, 0}, {std::time(nullptr) - 3 * 24 * 3600, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), old, AT_SYMLINK_NOFOLLOW);
}

struct FaultOff {
    ~FaultOff() { injectWriteFault(-1); }
};

}  // namespace

TEST(ReplacementFile, AFailedWriteAtAnyPointKeepsTheOldFileAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.file("a.bin");
    const std::vector<std::uint8_t> old(1000, 7), fresh(5000, 9);
    ASSERT_TRUE(replaceFile(path, old));
    FaultOff off;
    for (std::int64_t budget : {0, 1, 2500, 4999}) {
        injectWriteFault(budget);
        int error = 0;
        EXPECT_FALSE(replaceFile(path, fresh, &error)) << budget;
        EXPECT_EQ(error, ENOSPC);
        EXPECT_EQ(bytesOf(path), old) << budget;
        EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"a.bin"});
    }
    injectWriteFault(5000);  // exactly enough
    EXPECT_TRUE(replaceFile(path, fresh));
    EXPECT_EQ(bytesOf(path), fresh);
    EXPECT_EQ(writeFailureReason(ENOSPC), "磁盘空间不足");
    EXPECT_EQ(writeFailureReason(EROFS), "文件系统只读");
    EXPECT_EQ(writeFailureReason(EACCES), "没有写入权限");
}

TEST(ReplacementFile, TheTemporaryNameIsMarkedAndShortenedToFitTheLongestName)
{
    TempDir dir;
    const std::string longName(250, 'n');
    const std::string tmpl = temporaryTemplate(dir.file(longName));
    const std::string name = tmpl.substr(tmpl.rfind('/') + 1);
    EXPECT_LE(name.size(), 255u);
    EXPECT_NE(name.find(kTemporaryMark), std::string::npos);
    // A valid 250-byte name is written.
    EXPECT_TRUE(replaceFile(dir.file(longName), std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(bytesOf(dir.file(longName)), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(namesIn(dir.path()).size(), 1u);
}

TEST(ReplacementFile, ALinkAtAnyTemporaryNameIsNeverFollowed)
{
    TempDir dir;
    const std::string victim = dir.file("victim.txt");
    ASSERT_TRUE(replaceFile(victim, std::vector<std::uint8_t>{'v'}));
    std::string temp;
    const int fd = createTemporaryBeside(dir.file("t.tiff"), temp);
    ASSERT_GE(fd, 0);
    // Another writer's name, even one a link took, is never reused.
    std::string second;
    const int fd2 = createTemporaryBeside(dir.file("t.tiff"), second);
    ASSERT_GE(fd2, 0);
    EXPECT_NE(temp, second);
    ::close(fd);
    ::close(fd2);
    ::unlink(second.c_str());
    ::unlink(temp.c_str());
    ASSERT_EQ(::symlink(victim.c_str(), temp.c_str()), 0);
    ASSERT_TRUE(replaceFile(dir.file("t.tiff"), std::vector<std::uint8_t>{'t'}));
    EXPECT_EQ(bytesOf(victim), std::vector<std::uint8_t>{'v'});
}

TEST(ReplacementFile, StaleTemporariesOfOurOwnAreRemovedByTheNextWrite)
{
    TempDir dir;
    const std::string stale = dir.file(std::string("p.xiu") + kTemporaryMark + "abcdef");
    const std::string fresh = dir.file(std::string("q.xiu") + kTemporaryMark + "abcdef");
    const std::string held = dir.file(std::string("r.xiu") + kTemporaryMark + "abcdef");
    const std::string staleFolder = dir.file(std::string("pages") + kTemporaryMark + "abcdef");
    const std::string other = dir.file("p.xiu.abcdef");  // not ours
    for (const std::string& f : {stale, fresh, held, other})
        ASSERT_TRUE(replaceFile(f, std::vector<std::uint8_t>{1}));
    ASSERT_EQ(::mkdir(staleFolder.c_str(), 0700), 0);
    ASSERT_TRUE(replaceFile(staleFolder + "/pages_1.png", std::vector<std::uint8_t>{1}));
    for (const std::string& f : {stale, held, other, staleFolder})
        makeOld(f);
    const int lock = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);  // a writer still at work

    ASSERT_TRUE(replaceFile(dir.file("p.xiu"), std::vector<std::uint8_t>{2}));
    ::close(lock);
    const std::set<std::string> left = namesIn(dir.path());
    EXPECT_FALSE(left.count(stale.substr(dir.path().size())));
    EXPECT_FALSE(left.count(staleFolder.substr(dir.path().size())));
    EXPECT_TRUE(left.count(fresh.substr(dir.path().size())));
    EXPECT_TRUE(left.count(held.substr(dir.path().size())));
    EXPECT_TRUE(left.count("p.xiu.abcdef"));
}

TEST(ReplacementFolder, ASetIsSwappedInWholeOrNotAtAll)
{
    TempDir dir;
    const std::string folder = dir.file("set");
    {
        // A new folder: nothing stands under the name until the set is complete.
        ReplacementFolder set(folder);
        ASSERT_TRUE(set.ok());
        ASSERT_TRUE(replaceFile(set.stagingPath() + "set_1.png", std::vector<std::uint8_t>{1}));
        EXPECT_EQ(pathKind(folder), PathKind::Missing);
        // Abandoned: no folder is left behind.
    }
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{});

    {
        ReplacementFolder set(folder);
        for (const char* name : {"set_1.png", "set_2.png", "set_3.png", "set_KEY.png"})
            ASSERT_TRUE(replaceFile(set.stagingPath() + name, std::vector<std::uint8_t>{1}));
        ASSERT_TRUE(set.commit({}));
    }
    ASSERT_TRUE(replaceFile(folder + "/notes.txt", std::vector<std::uint8_t>{5}));
    {
        // A failing run: the old set stays whole.
        ReplacementFolder set(folder);
        ASSERT_TRUE(replaceFile(set.stagingPath() + "set_1.png", std::vector<std::uint8_t>{2}));
    }
    EXPECT_EQ(bytesOf(folder + "/set_1.png"), std::vector<std::uint8_t>{1});
    EXPECT_EQ(namesIn(folder).size(), 5u);
    {
        // A smaller new set: the old pages it does not have go, other files stay.
        ReplacementFolder set(folder);
        for (const char* name : {"set_1.png", "set_KEY.png"})
            ASSERT_TRUE(replaceFile(set.stagingPath() + name, std::vector<std::uint8_t>{2}));
        ASSERT_TRUE(set.commit([](const std::string& n) { return n.rfind("set_", 0) == 0; }));
    }
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"notes.txt", "set_1.png", "set_KEY.png"}));
    EXPECT_EQ(bytesOf(folder + "/set_1.png"), std::vector<std::uint8_t>{2});
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"set"});
}

TEST(ReadWholeFile, AFileLongerThanItsFormatOrMemoryIsRefusedUnread)
{
    TempDir dir;
    const std::string path = dir.file("h.xiu");
    // Sparse: no disk is used.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{2} << 40), 0);  // 2 TiB: more than any memory
    ::close(fd);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(readWholeFile(path, bytes, 1 << 20));
    EXPECT_TRUE(bytes.empty());
    // Without a bound, the allocation fails and is refused, never thrown.
    EXPECT_FALSE(readWholeFile(path, bytes));
    PatternDocument doc;
    RecordingMessages messages;
    EXPECT_EQ(loadPattern(path, LoadMode::Library, doc, {nullptr, &messages, nullptr}).result, LoadResult::Failed);
    // A palette longer than its count can make it is not read at all.
    const PaletteStore store(dir.path());
    ASSERT_TRUE(store.ensurePaletteFolder());
    ASSERT_EQ(::rename(path.c_str(), store.palettePath("BIG").c_str()), 0);
    Palette palette;
    EXPECT_FALSE(store.load("BIG", palette));
}

TEST(ReplacementFile, AFullDiskKeepsTheOldFile)
{
    TempDir dir;
    const std::string mount = dir.file("small");
    ASSERT_EQ(::mkdir(mount.c_str(), 0700), 0);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=200k") != 0)
        GTEST_SKIP() << "a small tmpfs needs root (mount: " << std::strerror(errno) << ")";
    const std::string path = mount + "/a.bin";
    const std::vector<std::uint8_t> old(60 * 1024, 1), fresh(150 * 1024, 2);
    ASSERT_TRUE(replaceFile(path, old));
    int error = 0;
    EXPECT_FALSE(replaceFile(path, fresh, &error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(bytesOf(path), old);
    EXPECT_EQ(namesIn(mount), std::set<std::string>{"a.bin"});
    ::umount(mount.c_str());
}

TEST(ReplacementFile, APipeIsWrittenIntoAndStaysAPipeAFolderIsRefused)
{
    // Renaming a temporary over a pipe or a device would put a file where it stood (as root,
    // "-o /dev/null" once turned the null device into a file).
    TempDir dir;
    const std::string pipe = dir.file("out.fifo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<std::uint8_t> got;
    std::thread reader([&] {
        const int fd = ::open(pipe.c_str(), O_RDONLY);
        std::uint8_t buf[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buf, sizeof buf)) > 0;)
            got.insert(got.end(), buf, buf + n);
        if (fd >= 0)
            ::close(fd);
    });
    const std::vector<std::uint8_t> bytes(100000, 7);
    int error = -1;
    EXPECT_TRUE(replaceFile(pipe, bytes, &error));
    reader.join();
    EXPECT_EQ(error, 0);
    EXPECT_EQ(got, bytes);
    struct stat st {};
    ASSERT_EQ(::stat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"out.fifo"});  // no temporary beside it

    const std::string folder = dir.file("a folder");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    EXPECT_FALSE(replaceFile(folder, bytes, &error));
    EXPECT_EQ(error, EISDIR);
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST(FileBytes, NewFilesFollowTheMaskWhileAnotherThreadKeepsWriting)
{
    // A recovery copy is written on a worker while the window saves or exports: finding the
    // mask must never change it, or a file made meanwhile gets the wrong permissions.
    const mode_t before = ::umask(027);
    EXPECT_EQ(processUmask(), 027u);
    TempDir dir;
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const std::vector<std::uint8_t> bytes(64, 7);
        for (int i = 0; !stop; ++i)
            replaceFile(dir.file("worker" + std::to_string(i % 4)), bytes);
    });
    for (int i = 0; i < 200; ++i) {
        const std::string path = dir.file("main" + std::to_string(i));
        ASSERT_TRUE(replaceFile(path, std::vector<std::uint8_t>(16, 1)));
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        ASSERT_EQ(st.st_mode & 0777, 0640u) << path;
    }
    stop = true;
    writer.join();
    ::umask(before);
}
