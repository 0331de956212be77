#include "cli/cli.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

using namespace brenmark;

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

struct CliFixture : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-cli-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        std::filesystem::create_directories(dir + "PAL");
        const auto pal = encodePalette(std::vector<ColorRef>{rgb(0x12, 0x34, 0x56), rgb(255, 0, 0)},
                                       std::vector<std::string>{"310", "红"});
        std::ofstream(dir + "PAL/DMC.pal", std::ios::binary).write(reinterpret_cast<const char*>(pal.data()),
                                                                    static_cast<std::streamsize>(pal.size()));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string samplePattern()
    {
        PatternDocument doc;
        doc.create(2, 1, "DMC");
        doc.addThread(rgb(1, 2, 3), "310");
        doc.setCell(1, 0, 0);
        doc.assignDefaultSymbols();
        BackstitchLine line;
        line.thread = "310";
        line.startColumn = 0, line.endColumn = 2, line.endCorner = TopLeft;
        doc.lines.push_back(line);
        doc.placeMark(4, 1, 0);
        doc.layers.backgroundFromGrid(doc);
        doc.layers[0].name = "底层";
        const std::string path = dir + "p.xiu";
        EXPECT_TRUE(savePattern(path, doc));
        return path;
    }
};

}  // namespace

TEST_F(CliFixture, InfoPrintsTheDocumentWithKeysInOrder)
{
    const CliRun r = cli({"info", samplePattern(), "--program-dir", dir});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"result\":2,\"version\":20101,\"width\":2,\"height\":1,\"brand\":\"DMC\",\"fabric\":\"#FFFFFF\","
              "\"threads\":[{\"number\":\"310\",\"color\":\"#123456\"}],"
              "\"distinct\":[{\"number\":\"310\",\"color\":\"#123456\"}],"
              "\"symbols\":[\"1\"],\"cells\":[-1,0],"
              "\"lines\":[{\"thread\":\"310\",\"color\":\"#000000\",\"selected\":false,\"start\":[0,0,0],\"end\":[2,0,0]}],"
              "\"marks\":[{\"kind\":4,\"col\":1,\"row\":0}],"
              "\"layers\":[{\"name\":\"" + std::string(reinterpret_cast<const char*>(u8"底层")) +
                  "\",\"linked\":false,\"drawable\":true,\"visible\":true,\"cells\":[-1,0],\"lines\":1,\"marks\":1}]}\n");
}

TEST_F(CliFixture, PlainModeAndNoCells)
{
    const CliRun r = cli({"info", "--plain", "--no-cells", samplePattern(), "--program-dir", dir});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"color\":\"#010203\""), std::string::npos);  // stored colour, not the palette's
    EXPECT_EQ(r.out.find("\"cells\""), std::string::npos);
}

TEST_F(CliFixture, RefusedLoadExitsOneWithTheMessageInUtf8AndNoOutput)
{
    const CliRun r = cli({"info", dir + "missing.xiu"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(reinterpret_cast<const char*>(u8"被选文件不存在")), std::string::npos);

    std::ofstream(dir + "new.xiu", std::ios::binary) << std::string("KOVRAN\0\0", 8) << std::string(12, '\0')
                                                     << std::string("\xFF\xFF\0\0", 4) << std::string(12, '\0');
    const CliRun newer = cli({"info", dir + "new.xiu"});
    EXPECT_EQ(newer.status, 1);
    EXPECT_TRUE(newer.out.empty());
    EXPECT_NE(newer.err.find(reinterpret_cast<const char*>(u8"不能打开高版本制作的绣图")), std::string::npos);
}

TEST_F(CliFixture, InfoOnAFolderAPipeOrADeviceSaysWhatThePathIs)
{
    std::filesystem::create_directory(dir + "folder.xiu");
    const CliRun folder = cli({"info", dir + "folder.xiu", "--program-dir", dir});
    EXPECT_EQ(folder.status, 1);
    EXPECT_TRUE(folder.out.empty());
    EXPECT_NE(folder.err.find(reinterpret_cast<const char*>(u8"文件夹")), std::string::npos) << folder.err;
    EXPECT_EQ(folder.err.find(reinterpret_cast<const char*>(u8"不存在")), std::string::npos) << folder.err;
    EXPECT_NE(folder.err.find("is a folder"), std::string::npos) << folder.err;

    // A pipe is refused without waiting for a writer (were it waited on, this test would
    // not come back).
    const std::string pipe = dir + "p.xiu";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const CliRun fifo = cli({"info", pipe, "--program-dir", dir});
    EXPECT_EQ(fifo.status, 1);
    EXPECT_NE(fifo.err.find(reinterpret_cast<const char*>(u8"管道")), std::string::npos) << fifo.err;
    EXPECT_NE(fifo.err.find("is a pipe"), std::string::npos) << fifo.err;

    const CliRun device = cli({"resave", "/dev/null", dir + "out.xiu"});
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.err.find("is a device"), std::string::npos) << device.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "out.xiu"));

    const CliRun missing = cli({"info", dir + "missing.xiu"});
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
}

TEST_F(CliFixture, BadUsageExitsTwo)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"info"}, {"info", "a", "b"}, {"frobnicate"}, {"info", "x", "--program-dir"},
          {"new", "--width", "5", "--height", "5", "-o", "x"}, {"resave", "a"}, {"palette"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(CliFixture, NewSaysWhatIsWrongWithASize)
{
    const std::string out = dir + "x.xiu";
    for (const auto& [width, height, reason] :
         {std::tuple<std::string, std::string, std::string>{"0", "5", "width must be at least 1"},
          {"5", "0", "height must be at least 1"},
          {"-3", "5", "width must be at least 1"},
          {"5x", "5", "width must be a whole number, not \"5x\""},
          {"5", "", "height must be a whole number, not \"\""},
          {"100000001", "1", "width may be at most 100000000"},
          {"99999999999999999999", "1", "width may be at most 100000000"},
          {"20000", "20000", "a pattern may have at most 100000000 cells"}}) {
        const CliRun r = cli({"new", "--brand", "DMC", "--width", width, "--height", height, "-o", out});
        EXPECT_EQ(r.status, 2) << width << " x " << height;
        EXPECT_EQ(r.err, "brenmark-cli: " + reason + "\n") << width << " x " << height;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // The smallest pattern there is.
    ASSERT_EQ(cli({"new", "--brand", "DMC", "--width", "1", "--height", "1", "-o", out}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(CliFixture, NewThenResaveThenInfo)
{
    const std::string a = dir + "a.xiu", b = dir + "b.xiu";
    ASSERT_EQ(cli({"new", "--brand", "ANCHOR", "--width", "3", "--height", "2", "-o", a}).status, 0);
    ASSERT_EQ(cli({"resave", a, b}).status, 0);
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(fa), {}), std::string(std::istreambuf_iterator<char>(fb), {}));
    const CliRun r = cli({"info", b, "--no-cells"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"result\":2,\"version\":20101,\"width\":3,\"height\":2,\"brand\":\"ANCHOR\"", 0), 0u);
    EXPECT_NE(r.out.find(reinterpret_cast<const char*>(u8"\"layers\":[{\"name\":\"背景\"")), std::string::npos);
}

TEST_F(CliFixture, BrandsAreTheOnesWithAPaletteAndNewTakesOnlyThose)
{
    // A library of the user's own beside DMC.
    const auto pal = encodePalette(std::vector<ColorRef>{rgb(1, 2, 3)}, std::vector<std::string>{"1"});
    std::ofstream(dir + "PAL/MYLIB.pal", std::ios::binary).write(reinterpret_cast<const char*>(pal.data()),
                                                                  static_cast<std::streamsize>(pal.size()));
    const CliRun r = cli({"brands", "--program-dir", dir});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[\"DMC\",\"MYLIB\"]\n");
    const std::string out = dir + "n.xiu";
    const CliRun refused = cli({"new", "--brand", "DMR", "--width", "3", "--height", "3", "--program-dir", dir, "-o", out});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("DMR"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(cli({"new", "--brand", "MYLIB", "--width", "3", "--height", "3", "--program-dir", dir, "-o", out}).status, 0);
}

TEST_F(CliFixture, PaletteListsNumbersAndColours)
{
    const CliRun r = cli({"palette", "DMC", "--program-dir", dir});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[{\"number\":\"310\",\"color\":\"#123456\"},{\"number\":\"" +
                         std::string(reinterpret_cast<const char*>(u8"红")) + "\",\"color\":\"#FF0000\"}]\n");
    EXPECT_EQ(cli({"palette", "NOPE", "--program-dir", dir}).status, 1);
}
