// brenmark-cli on hostile inputs and odd names: a pipe in a picture's place, files bigger
// than memory, names that are not UTF-8, a file that is no mapping file.
#include "cli/cli.h"
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <sstream>

using namespace brenmark;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

struct HostileCli : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (fs::temp_directory_path() / "brenmark-cli-hostile-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        const PaletteStore palettes(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{rgb(0, 0, 0), rgb(250, 0, 0)},
                                  std::vector<std::string>{"310", "321"}));
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string pattern(const std::string& name)
    {
        PatternDocument doc;
        doc.create(12, 12, "DMC");
        doc.addThread(rgb(0, 0, 96), "310");
        doc.assignDefaultSymbols();
        doc.setCell(1, 1, 0);
        EXPECT_TRUE(savePattern(dir + name, doc));
        return dir + name;
    }

    // A sparse file far bigger than any memory; starts with bytes when given.
    std::string huge(const std::string& name, const std::vector<std::uint8_t>& start = {})
    {
        const std::string path = dir + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0);
        if (!start.empty()) {
            EXPECT_EQ(::write(fd, start.data(), start.size()), static_cast<ssize_t>(start.size()));
        }
        EXPECT_EQ(::ftruncate(fd, off_t{2} << 40), 0);
        ::close(fd);
        return path;
    }
};

}  // namespace

TEST_F(HostileCli, APipeInThePicturesPlaceIsRefusedAtOnce)
{
    const std::string fifo = dir + "p.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto run = std::async(std::launch::async, [&] {
        return cli({"convert", fifo, "--brand", "DMC", "--width", "4", "--height", "4", "--program-dir", dir, "-o",
                    dir + "c.xiu"});
    });
    if (run.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Let the blocked reader go before failing, so the test ends.
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        ::close(fd);
        FAIL() << "convert waited on the pipe";
    }
    const CliRun r = run.get();
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(dir + "c.xiu"));
}

TEST_F(HostileCli, FilesBiggerThanMemoryAreRefusedWithExitOne)
{
    const std::string zeros = huge("h.xiu");
    CliRun r = cli({"info", zeros, "--program-dir", dir});
    EXPECT_EQ(r.status, 1) << r.err;
    // A pattern's own header before the rest: the reader, never an abort.
    std::vector<std::uint8_t> header;
    ASSERT_TRUE(readFileStart(pattern("small.xiu"), kHeaderSize, header));
    const std::string looksRight = huge("k.xiu", header);
    r = cli({"info", looksRight, "--program-dir", dir});
    EXPECT_EQ(r.status, 1);
    r = cli({"export", looksRight, "--format", "png", "--program-dir", dir, "-o", dir + "k.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(dir + "k.png"));
    r = cli({"oxs-import", huge("h.oxs"), "--program-dir", dir, "-o", dir + "o.xiu"});
    EXPECT_EQ(r.status, 1);
    r = cli({"threadmap", huge("h.x2x"), "--name", "BIG", "--program-dir", dir});
    EXPECT_EQ(r.status, 1);
}

TEST_F(HostileCli, ExportKeepsTheBytesOfANameThatIsNotUtf8)
{
    const std::string xiu = pattern("p.xiu");
    for (const std::string name : {std::string("\xff\xfe\x80"), std::string("\xd0\xe5\xcd\xbc")}) {
        CliRun r = cli({"export", xiu, "--format", "png", "--program-dir", dir, "-o", dir + name + ".png"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, dir + name + ".png\n");
        EXPECT_EQ(pathKind(dir + name + ".png"), PathKind::RegularFile);
        r = cli({"export", xiu, "--format", "svg", "--pages", "--program-dir", dir, "-o", dir + name + ".svg"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, dir + name + "/" + name + "_1.svg\n" + dir + name + "/" + name + "_KEY.svg\n");
        EXPECT_EQ(pathKind(dir + name + "/" + name + "_KEY.svg"), PathKind::RegularFile);
        r = cli({"export", xiu, "--format", "sim", "--program-dir", dir, "-o", dir + name + "s.png"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(pathKind(dir + name + "s.png"), PathKind::RegularFile);
    }
}

TEST_F(HostileCli, ThreadmapRefusesAFileWithoutAPairToBuild)
{
    // Eight bytes: a count and nothing behind it.
    ASSERT_TRUE(replaceFile(dir + "eight.x2x", std::vector<std::uint8_t>{5, 0, 0, 0, 1, 2, 3, 4}));
    const CliRun r = cli({"threadmap", dir + "eight.x2x", "--name", "EIGHT", "--program-dir", dir});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is no mapping file"), std::string::npos) << r.err;
    Palette p;
    EXPECT_FALSE(PaletteStore(dir).load("EIGHT", p));
}
