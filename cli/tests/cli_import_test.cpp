// brenmark-cli import: a PCStitch chart written byte by byte becomes a pattern and the report
// comes out as JSON; a file no reader knows writes nothing.
#include "cli/cli.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace brenmark;

namespace {

struct ImportCli : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-cli-import-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        const PaletteStore palettes(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{rgb(0, 0, 0), rgb(255, 0, 0)}, std::vector<std::string>{"310", "666"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int run(const std::vector<std::string>& args, std::string* out = nullptr, std::string* err = nullptr)
    {
        std::ostringstream o, e;
        const int status = runCli(args, o, e);
        if (out)
            *out = o.str();
        if (err)
            *err = e.str();
        return status;
    }
};

void put16(std::string& f, unsigned v) { f += static_cast<char>(v & 0xFF), f += static_cast<char>(v >> 8 & 0xFF); }
void put32(std::string& f, unsigned v) { put16(f, v & 0xFFFF), put16(f, v >> 16); }
void counted(std::string& f, const char* s) { put16(f, static_cast<unsigned>(std::strlen(s))), f += s; }

// A 2 x 1 PCStitch 5 chart: red "666" in the first cell, a thread "999" no palette has (dark
// grey) in the second.
std::string pcStitch5()
{
    std::string f = "PCStitch 5 Pattern File";
    f.resize(256, '\0');
    put32(f, 0), put32(f, 0), put16(f, 2), put16(f, 1), put16(f, 14), put16(f, 14);
    counted(f, ""), counted(f, ""), counted(f, "Tulip"), counted(f, ""), counted(f, "");
    f += "PCStitch 5 Floss Palette!";
    put16(f, 2);
    f += "DMC       Anchor    Coates    ";
    counted(f, "PCStitch Symbols");
    put32(f, 0);
    for (const auto& [number, r, g, b] : {std::tuple{"666", 250, 5, 5}, std::tuple{"999", 20, 20, 20}}) {
        f += static_cast<char>(r), f += static_cast<char>(g), f += static_cast<char>(b), f += '\0';
        std::string name = number;
        name.resize(30, ' ');
        f += name;
        f += std::string(50, '\0');
        f += 'A';
        put16(f, 2), put16(f, 1);
    }
    put16(f, 1), f += '\1', f += '\1';
    put16(f, 1), f += '\2', f += '\1';
    put32(f, 0), put32(f, 0), put32(f, 0);
    return f;
}

}  // namespace

TEST_F(ImportCli, APcStitchChartBecomesAPatternWithAJsonReport)
{
    {
        std::ofstream out(dir + "tulip.bin", std::ios::binary);  // the name says nothing of the format
        out << pcStitch5();
    }
    std::string out, err;
    ASSERT_EQ(run({"import", dir + "tulip.bin", "--program-dir", dir, "-o", dir + "tulip.xiu"}, &out, &err), 0) << err;
    EXPECT_NE(out.find("\"format\":\"PCStitch\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"title\":\"Tulip\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"brand\":\"DMC\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"byNumber\":1"), std::string::npos) << out;
    EXPECT_NE(out.find("\"byColour\":1"), std::string::npos) << out;
    EXPECT_NE(out.find("\"assumptions\":[\""), std::string::npos) << out;
    PatternDocument doc;
    const PaletteStore palettes(dir);
    SilentMessages quiet;
    ASSERT_NE(loadPattern(dir + "tulip.xiu", LoadMode::Library, doc, {&palettes, &quiet, nullptr}).result, LoadResult::Failed);
    ASSERT_EQ(doc.width(), 2);
    EXPECT_EQ(doc.threads.numbers[static_cast<std::size_t>(doc.cell(0, 0))], "666");
    EXPECT_EQ(doc.threads.numbers[static_cast<std::size_t>(doc.cell(1, 0))], "310");
}

TEST_F(ImportCli, AnUnknownFileWritesNothing)
{
    {
        std::ofstream out(dir + "note.txt");
        out << "not a chart";
    }
    std::string err;
    EXPECT_EQ(run({"import", dir + "note.txt", "--program-dir", dir, "-o", dir + "out.xiu"}, nullptr, &err), 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "out.xiu"));
    EXPECT_NE(err.find("brenmark-cli: "), std::string::npos);
    EXPECT_EQ(run({"import", dir + "note.txt", "--program-dir", dir}), 2);
}

TEST_F(ImportCli, AThreadsFileBecomesAWorkingPalette)
{
    {
        std::ofstream out(dir + "cosmo.threads", std::ios::binary);
        out << "\"Cosmo 351\",\"Cosmo 351\",14213112\n\"Cosmo 352\",\"Cosmo 352\",14668281\n";
    }
    std::string out, err;
    ASSERT_EQ(run({"palette-import", dir + "cosmo.threads", "--program-dir", dir}, &out, &err), 0) << err;
    EXPECT_NE(out.find("\"brand\":\"COSMO\",\"threads\":2,\"skipped\":0"), std::string::npos) << out;
    Palette cosmo;
    ASSERT_TRUE(PaletteStore(dir).load("COSMO", cosmo));
    EXPECT_EQ(cosmo.numbers, (std::vector<std::string>{"351", "352"}));
    EXPECT_EQ(cosmo.colors[0], rgb(248, 223, 216));
    // Under a name of the user's choosing; a file of no known kind writes nothing.
    ASSERT_EQ(run({"palette-import", dir + "cosmo.threads", "--brand", "LECIEN", "--program-dir", dir}, &out, &err), 0) << err;
    EXPECT_TRUE(PaletteStore(dir).load("LECIEN", cosmo));
    EXPECT_EQ(run({"palette-import", dir + "missing.threads", "--program-dir", dir}, &out, &err), 1);
}
