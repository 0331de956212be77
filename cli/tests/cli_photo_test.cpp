// brenmark-cli photo: the photo dialog's conversion installed and saved as the editor would,
// and the refusals that write nothing.
#include "cli/cli.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "photo/tests/gif_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace brenmark;

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

std::string utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

struct PhotoCli : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-cli-photo-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        const PaletteStore palettes(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{rgb(0, 0, 0), rgb(250, 0, 0), rgb(0, 0, 250)},
                                  std::vector<std::string>{"310", "红", "796"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // 6 x 2: blue in the first column, red in the rest.
    std::string photo(const std::string& name = "p.gif")
    {
        test::GifFile g;
        g.globalTable = {255, 0, 0, 0, 0, 255};
        test::GifFrame f;
        f.width = 6;
        f.height = 2;
        f.minCodeSize = 2;
        f.pixels = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
        g.frames = {f};
        const auto bytes = test::writeGif(g);
        std::ofstream(dir + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return dir + name;
    }
};

TEST_F(PhotoCli, PhotoMakesThePatternTheDialogWould)
{
    const std::string out = dir + "p.xiu";
    const CliRun r = cli({"photo", photo(), "--brand", "DMC", "--width", "6", "--height", "2", "--program-dir", dir, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const PaletteStore palettes(dir);
    PatternDocument doc;
    ASSERT_NE(loadPattern(out, LoadMode::Library, doc, {&palettes, nullptr, nullptr}).result, LoadResult::Failed);
    EXPECT_EQ(doc.width(), 6);
    EXPECT_EQ(doc.height(), 2);
    EXPECT_EQ(doc.brand, "DMC");
    EXPECT_EQ(doc.fabric, kWhite);
    // Threads in order of first use: blue's 796 comes first though red covers more cells.
    EXPECT_EQ(doc.threads.numbers, (std::vector<std::string>{"796", "红"}));
    EXPECT_EQ(std::vector<std::int32_t>(doc.grid.cells.begin(), doc.grid.cells.end()),
              (std::vector<std::int32_t>{0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1}));
}

TEST_F(PhotoCli, PhotoTakesTheConversionOptions)
{
    const std::string out = dir + "p.xiu";
    const CliRun r = cli({"photo", photo(), "--brand", "DMC", "--width", "6", "--height", "2", "--match", "lab",
                          "--max-threads", "1", "--program-dir", dir, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const PaletteStore palettes(dir);
    PatternDocument doc;
    ASSERT_NE(loadPattern(out, LoadMode::Library, doc, {&palettes, nullptr, nullptr}).result, LoadResult::Failed);
    EXPECT_EQ(doc.threads.size(), 1);
    EXPECT_EQ(cli({"photo", photo(), "--brand", "DMC", "--width", "6", "--height", "2", "--dither", "x", "--program-dir",
                   dir, "-o", dir + "q.xiu"}).status, 2);
}

TEST_F(PhotoCli, PhotoTakesTheCropAndReports)
{
    const std::string out = dir + "p.xiu";
    const CliRun r = cli({"photo", photo(), "--brand", "DMC", "--width", "5", "--height", "2", "--crop", "1,0,5,2",
                          "--report", "--program-dir", dir, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    // The blue column was cut away: red alone, the library's red a little off the photo's.
    EXPECT_NE(r.out.find("\"threads\":1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"meanDeltaE\":1."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"stitched\":10"), std::string::npos) << r.out;
    const PaletteStore palettes(dir);
    PatternDocument doc;
    ASSERT_NE(loadPattern(out, LoadMode::Library, doc, {&palettes, nullptr, nullptr}).result, LoadResult::Failed);
    EXPECT_EQ(doc.threads.numbers, std::vector<std::string>{"红"});
}

TEST_F(PhotoCli, RefusalsExitOneWithTheMessageAndWriteNothing)
{
    const std::string out = dir + "p.xiu";
    const std::string gif = photo();
    EXPECT_EQ(cli({"photo", gif, "--brand", "DMC", "--width", "0", "--height", "2", "--program-dir", dir, "-o", out}).err,
              utf8(u8"绣图的宽和高必须是1到3000之间的整数\n"));
    const CliRun palette = cli({"photo", gif, "--brand", "ROSE", "--width", "6", "--height", "2", "--program-dir", dir, "-o", out});
    EXPECT_EQ(palette.status, 1);
    EXPECT_EQ(palette.err, utf8(u8"绣线库(ROSE)的线未配置,不能使用\n"));

    std::vector<char> cut;
    {
        std::ifstream in(gif, std::ios::binary);
        cut.assign(std::istreambuf_iterator<char>(in), {});
    }
    cut.resize(cut.size() - 8);
    std::ofstream(dir + "cut.gif", std::ios::binary).write(cut.data(), static_cast<std::streamsize>(cut.size()));
    const CliRun truncated = cli({"photo", dir + "cut.gif", "--brand", "DMC", "--width", "6", "--height", "2", "--program-dir", dir, "-o", out});
    EXPECT_EQ(truncated.status, 1);
    EXPECT_EQ(truncated.err, "brenmark-cli: cannot read the photo " + dir + "cut.gif: " +
                                 utf8(u8"GIF图片文件不完整,可能没有下载或复制完") + "\n");
    const CliRun missing = cli({"photo", dir + "none.gif", "--brand", "DMC", "--width", "6", "--height", "2", "--program-dir", dir, "-o", out});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(utf8(u8"不能读取照片文件")), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(cli({"photo", gif, "--brand", "DMC", "--width", "6", "-o", out}).status, 2);
}

}  // namespace
