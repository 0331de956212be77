// brenmark-cli convert, stats and colours: outputs, exit codes and refusals that write
// nothing.
#include "cli/cli.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/symbol_charset.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
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

constexpr ColorRef kDark = rgb(0x12, 0x34, 0x56);
constexpr ColorRef kRed = rgb(255, 0, 0);

struct OutputCli : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-cli-out-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        const PaletteStore palettes(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{kDark, kRed}, std::vector<std::string>{"310", "红"}));
        ASSERT_TRUE(palettes.save("ANCHOR", std::vector<ColorRef>{rgb(250, 0, 0), rgb(0x10, 0x30, 0x50)},
                                  std::vector<std::string>{"46", "150"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A 24-bit BMP, written byte by byte: bottom row first, rows padded to 4 bytes.
    std::string bmp(const std::string& name, int w, int h, ColorRef (*colourAt)(int x, int y))
    {
        const int row = (w * 3 + 3) / 4 * 4;
        std::vector<std::uint8_t> b(54 + static_cast<std::size_t>(row * h), 0);
        auto put32 = [&](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        b[0] = 'B', b[1] = 'M';
        put32(2, static_cast<std::uint32_t>(b.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, static_cast<std::uint32_t>(w));
        put32(22, static_cast<std::uint32_t>(h));
        b[26] = 1, b[28] = 24;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const ColorRef c = colourAt(x, y);
                const std::size_t at = 54 + static_cast<std::size_t>((h - 1 - y) * row + x * 3);
                b[at] = static_cast<std::uint8_t>(blueOf(c));
                b[at + 1] = static_cast<std::uint8_t>(greenOf(c));
                b[at + 2] = static_cast<std::uint8_t>(redOf(c));
            }
        const std::string path = dir + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        return path;
    }
    std::string halves() { return bmp("halves.bmp", 4, 2, [](int x, int) { return x < 1 ? kDark : kRed; }); }

    // 310 on one cell and 红 on two, with a diagonal outline of 310.
    std::string pattern(const std::string& name = "p.xiu")
    {
        PatternDocument doc;
        doc.create(4, 1, "DMC");
        doc.addThread(kDark, "310");
        doc.addThread(kRed, "红");
        doc.setCell(0, 0, 0);
        doc.setCell(1, 0, 1);
        doc.setCell(2, 0, 1);
        BackstitchLine line;
        line.thread = "310";
        line.color = kDark;
        line.endColumn = line.endRow = 1;
        doc.lines.push_back(line);
        doc.assignDefaultSymbols();
        doc.layers.backgroundFromGrid(doc);
        const std::string path = dir + name;
        EXPECT_TRUE(savePattern(path, doc));
        return path;
    }
    PatternDocument load(const std::string& path)
    {
        const PaletteStore palettes(dir);
        PatternDocument doc;
        EXPECT_NE(loadPattern(path, LoadMode::Library, doc, {&palettes, nullptr, nullptr}).result, LoadResult::Failed);
        return doc;
    }
};

TEST_F(OutputCli, ConvertMakesThePatternTheImportWould)
{
    const std::string out = dir + "c.xiu";
    const CliRun r = cli({"convert", halves(), "--brand", "DMC", "--width", "4", "--height", "2", "--program-dir", dir, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const PatternDocument doc = load(out);
    EXPECT_EQ(doc.width(), 4);
    EXPECT_EQ(doc.height(), 2);
    EXPECT_EQ(doc.brand, "DMC");
    EXPECT_EQ(doc.fabric, kWhite);
    // 红 covers six cells, so it is thread 0.
    EXPECT_EQ(doc.threads.numbers, (std::vector<std::string>{"红", "310"}));
    EXPECT_EQ(std::vector<std::int32_t>(doc.grid.cells.begin(), doc.grid.cells.end()),
              (std::vector<std::int32_t>{1, 0, 0, 0, 1, 0, 0, 0}));
}

// --clear-symbols: the pattern draws from the chart symbol font, for that command only.
TEST_F(OutputCli, ConvertWithClearSymbolsGivesTheThreadsTheFontsSymbols)
{
    const std::string clear = dir + "clear.xiu", plain = dir + "plain.xiu";
    const CliRun r = cli({"convert", halves(), "--brand", "DMC", "--width", "4", "--height", "2", "--clear-symbols",
                          "--program-dir", dir, "-o", clear});
    ASSERT_EQ(r.status, 0) << r.err;
    const PatternDocument doc = load(clear);
    EXPECT_TRUE(doc.clearSymbols);
    EXPECT_EQ(doc.symbols[0].symbol, clearSymbolSet()[0]);
    EXPECT_EQ(doc.symbols[1].symbol, clearSymbolSet()[1]);
    ASSERT_EQ(cli({"convert", halves(), "--brand", "DMC", "--width", "4", "--height", "2", "--program-dir", dir, "-o", plain})
                  .status,
              0);
    const PatternDocument old = load(plain);
    EXPECT_FALSE(old.clearSymbols);
    EXPECT_EQ(old.symbols[0].symbol, "1");
}

TEST_F(OutputCli, ConvertTakesTheMatchingDitherAndThreadLimitOptions)
{
    const std::string out = dir + "c.xiu";
    const CliRun r = cli({"convert", halves(), "--brand", "DMC", "--width", "4", "--height", "2", "--match", "lab", "--dither",
                          "fs", "--max-threads", "1", "--program-dir", dir, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(load(out).threads.size(), 1);  // the limit merged the two halves
    for (const auto& [flag, value] : {std::pair{"--match", "cmc"}, {"--dither", "FS"}, {"--max-threads", "0"}, {"--max-threads", "256"}}) {
        const CliRun bad = cli({"convert", halves(), "--brand", "DMC", "--width", "4", "--height", "2", flag, value,
                                "--program-dir", dir, "-o", dir + "bad.xiu"});
        EXPECT_EQ(bad.status, 2) << flag << " " << value;
        EXPECT_FALSE(std::filesystem::exists(dir + "bad.xiu"));
    }
}

TEST_F(OutputCli, ConvertTakesTheFidelityOptionsAndReports)
{
    // Red with two dark specks and a dark block in the middle.
    const std::string picture = bmp("specks.bmp", 8, 6, [](int x, int y) {
        return (x == 1 && y == 1) || (x == 6 && y == 4) || (x >= 3 && x <= 4 && y >= 2 && y <= 3) ? kDark : kRed;
    });
    const std::string out = dir + "c.xiu";
    const CliRun r = cli({"convert", picture, "--brand", "DMC", "--width", "8", "--height", "6", "--match", "lab",
                          "--confetti", "10", "--report", "--program-dir", dir, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"confetti\":0.0000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"meanDeltaE\":"), std::string::npos);
    EXPECT_NE(r.out.find("\"p95DeltaE\":"), std::string::npos);
    EXPECT_NE(r.out.find("\"threads\":2"), std::string::npos);
    const PatternDocument specks = load(out);
    // The specks went, the block stayed.
    EXPECT_EQ(specks.threads.numbers[static_cast<std::size_t>(specks.grid.cells[1 + 1 * 8])], "红");
    EXPECT_EQ(specks.threads.numbers[static_cast<std::size_t>(specks.grid.cells[3 + 2 * 8])], "310");

    // The border's red becomes empty cells; a crop of the dark block alone is all 310.
    ASSERT_EQ(cli({"convert", picture, "--brand", "DMC", "--width", "8", "--height", "6", "--ignore-colour", "border",
                   "--program-dir", dir, "-o", out}).status, 0);
    const PatternDocument ignored = load(out);
    EXPECT_EQ(ignored.distinct.numbers, std::vector<std::string>{"310"});
    EXPECT_EQ(std::count(ignored.grid.cells.begin(), ignored.grid.cells.end(), EmptyCell), 48 - 6);
    ASSERT_EQ(cli({"convert", picture, "--brand", "DMC", "--width", "2", "--height", "2", "--crop", "3,2,2,2",
                   "--program-dir", dir, "-o", out}).status, 0);
    const PatternDocument cropped = load(out);
    EXPECT_EQ(cropped.distinct.numbers, std::vector<std::string>{"310"});
    EXPECT_EQ(cropped.width(), 2);

    for (const auto& [flag, value] : {std::pair{"--confetti", "11"}, {"--confetti", "x"}, {"--min-stitches", "-1"},
                                      {"--ignore-colour", "red"}, {"--ignore-colour", "#FF0000/200"}, {"--crop", "1,2"},
                                      {"--crop", "0,0,0,4"}}) {
        const CliRun bad = cli({"convert", picture, "--brand", "DMC", "--width", "8", "--height", "6", flag, value,
                                "--program-dir", dir, "-o", dir + "bad.xiu"});
        EXPECT_EQ(bad.status, 2) << flag << " " << value;
        EXPECT_FALSE(std::filesystem::exists(dir + "bad.xiu"));
    }
}

TEST_F(OutputCli, ColoursCleansConfetti)
{
    const std::string in = pattern(), out = dir + "o.xiu";
    ASSERT_EQ(cli({"colours", in, out, "--clean-confetti", "10", "--program-dir", dir}).status, 0);
    const PatternDocument cleaned = load(out);
    // The lone 310 took its neighbour's thread; the outline keeps 310 in the table.
    EXPECT_EQ(cleaned.threads.numbers[static_cast<std::size_t>(cleaned.grid.cells[0])], "红");
    EXPECT_EQ(cli({"colours", in, out, "--clean-confetti", "0", "--program-dir", dir}).status, 2);
    // Nothing left to clean is said and changes nothing.
    EXPECT_EQ(cli({"colours", out, dir + "again.xiu", "--clean-confetti", "10", "--program-dir", dir}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "again.xiu"));
}

TEST_F(OutputCli, ConvertRefusalsExitOneWithTheMessageAndWriteNothing)
{
    const std::string out = dir + "c.xiu";
    const std::string picture = halves();
    const std::string badSize = utf8(u8"绣图的宽和高必须是1到3000之间的整数\n");
    for (const auto& [w, h] : {std::pair{"0", "2"}, {"4", "3001"}, {"x", "2"}}) {
        const CliRun r = cli({"convert", picture, "--brand", "DMC", "--width", w, "--height", h, "--program-dir", dir, "-o", out});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, badSize);
    }
    const CliRun palette = cli({"convert", picture, "--brand", "ROSE", "--width", "4", "--height", "2", "--program-dir", dir, "-o", out});
    EXPECT_EQ(palette.status, 1);
    EXPECT_EQ(palette.err, utf8(u8"绣线库(ROSE)的线未配置,不能使用\n"));
    std::ofstream(dir + "text.bmp") << "not a picture";
    const CliRun unreadable = cli({"convert", dir + "text.bmp", "--brand", "DMC", "--width", "4", "--height", "2", "--program-dir", dir, "-o", out});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("cannot read the picture"), std::string::npos);
    EXPECT_EQ(cli({"convert", dir + "missing.png", "--brand", "DMC", "--width", "4", "--height", "2", "--program-dir", dir, "-o", out}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(cli({"convert", picture, "--brand", "DMC", "--width", "4", "-o", out}).status, 2);
}

TEST_F(OutputCli, StatsPrintsTheWindowsRowsInEitherOrder)
{
    const std::string path = pattern();
    const CliRun r = cli({"stats", path, "--program-dir", dir});
    ASSERT_EQ(r.status, 0) << r.err;
    // 310: 1 cell is 0.004 m, plus the diagonal's one cell length of outline: some thread.
    EXPECT_EQ(r.out, "{\"brand\":\"DMC\",\"width\":4,\"height\":1,\"fabric\":\"14CT\",\"strands\":2,\"threads\":["
                     "{\"number\":\"310\",\"color\":\"#123456\",\"symbol\":\"1\",\"cells\":1,\"outline\":1,\"metres\":\"<0.01m\"},"
                     "{\"number\":\"" + utf8(u8"红") + "\",\"color\":\"#FF0000\",\"symbol\":\"2\",\"cells\":2,\"outline\":0,\"metres\":\"0.01m\"}]}\n");
    const CliRun byUsage = cli({"stats", path, "--by-usage", "--fabric", "8CT", "--strands", "6", "--program-dir", dir});
    ASSERT_EQ(byUsage.status, 0);
    EXPECT_LT(byUsage.out.find(utf8(u8"红")), byUsage.out.find("\"310\""));
    // 2 x 6 x 0.0175 x 1.2 / 6 = 0.042
    EXPECT_NE(byUsage.out.find("\"fabric\":\"8CT\",\"strands\":6"), std::string::npos);
    EXPECT_NE(byUsage.out.find("\"metres\":\"0.04m\""), std::string::npos);
    EXPECT_EQ(cli({"stats", path, "--fabric", "10CT"}).status, 2);
    EXPECT_EQ(cli({"stats", path, "--strands", "7"}).status, 2);
    EXPECT_EQ(cli({"stats", dir + "missing.xiu"}).status, 1);
}

TEST_F(OutputCli, ColoursRunsEachOperationAndSaves)
{
    const std::string in = pattern(), out = dir + "o.xiu";
    ASSERT_EQ(cli({"colours", in, out, "--subtract", "310", "--program-dir", dir}).status, 0);
    EXPECT_EQ(load(out).distinct.numbers, std::vector<std::string>{"红"});
    ASSERT_EQ(cli({"colours", in, out, "--reduce", "1", "--program-dir", dir}).status, 0);
    EXPECT_EQ(load(out).distinct.numbers, std::vector<std::string>{"310"});  // from the end
    ASSERT_EQ(cli({"colours", in, out, "--replace", "310=" + utf8(u8"红"), "--program-dir", dir}).status, 0);
    const PatternDocument replaced = load(out);
    EXPECT_EQ(replaced.distinct.numbers, std::vector<std::string>{"红"});
    EXPECT_EQ(replaced.lines[0].thread, "红");
    ASSERT_EQ(cli({"colours", in, out, "--to-brand", "ANCHOR", "--program-dir", dir}).status, 0);
    const PatternDocument converted = load(out);
    EXPECT_EQ(converted.brand, "ANCHOR");
    EXPECT_EQ(converted.threads.numbers, (std::vector<std::string>{"150", "46"}));
}

TEST_F(OutputCli, ColoursRefusalsExitOneAndWriteNothing)
{
    const std::string in = pattern(), out = dir + "o.xiu";
    const CliRun reduce = cli({"colours", in, out, "--reduce", "2", "--program-dir", dir});
    EXPECT_EQ(reduce.status, 1);
    EXPECT_EQ(reduce.err, utf8(u8"减掉的颜色数不能大于等于图片颜色数\n"));
    const CliRun brand = cli({"colours", in, out, "--to-brand", "ROSE", "--program-dir", dir});
    EXPECT_EQ(brand.status, 1);
    EXPECT_EQ(brand.err, utf8(u8"绣线库(ROSE)的线未配置,不能使用\n"));
    EXPECT_EQ(cli({"colours", in, out, "--replace", "999=310", "--program-dir", dir}).status, 1);
    EXPECT_EQ(cli({"colours", in, out, "--replace", "310=999", "--program-dir", dir}).status, 1);
    EXPECT_EQ(cli({"colours", in, out, "--subtract", "999", "--program-dir", dir}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    // Exactly one operation, and a count from 1 up.
    EXPECT_EQ(cli({"colours", in, out}).status, 2);
    EXPECT_EQ(cli({"colours", in, out, "--reduce", "1", "--subtract", "310"}).status, 2);
    EXPECT_EQ(cli({"colours", in, out, "--reduce", "0"}).status, 2);
    EXPECT_EQ(cli({"colours", in, out, "--replace", "310"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
