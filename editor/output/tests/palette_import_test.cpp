// Palettes of other programs: Ursa ".threads" lines and Pattern Maker ".master"/".user" files
// written byte by byte from their descriptions, saved as working palettes under PAL.
#include "editor/output/palette_import.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

using namespace brenmark;

namespace {

struct PaletteImportTest : ::testing::Test {
    std::string dir;
    PaletteStore store{""};
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-palimport-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        store = PaletteStore(dir);
        std::filesystem::create_directories(dir + "SysPAL");
        std::ofstream(dir + "SysPAL/DMC.pal", std::ios::binary).write("\0\0\0\0", 4);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(dir + name, std::ios::binary) << bytes;
        return dir + name;
    }
};

std::vector<std::uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

// The colour is the number 0x00BBGGRR: 14213112 is red 248, green 223, blue 216.
const std::string kThreads =
    "\"Cosmo 351\",\"Cosmo 351\",14213112\r\n"
    "\"Cosmo 480A\",\"pink, \"\"light\"\"\",14931700\n"
    "\n"
    "\"Cosmo 351\",\"again\",1\n"                 // a repeated number
    "\"Cosmo 1234567890\",\"too long\",2\n"       // does not fit a palette entry
    "\"Cosmo 9\",\"no colour\",\n"
    "\"DMC 310\",\"black\",0\n"
    "\"STOP\",\"  \",0\n"
    "\"Cosmo 352\",\"after the end\",5\n";

TEST_F(PaletteImportTest, UrsaThreadsBecomeAPaletteOfTheirBrand)
{
    const PaletteImport r = readForeignPalette(bytesOf(kThreads));
    ASSERT_TRUE(r.palette) << r.error;
    EXPECT_EQ(r.format, "Ursa threads");
    EXPECT_EQ(r.brand, "COSMO");
    EXPECT_EQ(r.palette->numbers, (std::vector<std::string>{"351", "480A", "310"}));
    EXPECT_EQ(r.palette->colors[0], rgb(248, 223, 216));
    EXPECT_EQ(r.palette->colors[1], 14931700u);
    EXPECT_EQ(r.skipped, 3);

    const PaletteImport saved = importPaletteFile(write("cosmo.threads", kThreads), store, "", false);
    ASSERT_TRUE(saved.palette) << saved.error;
    Palette back;
    ASSERT_TRUE(store.load("COSMO", back));
    EXPECT_EQ(back.numbers, saved.palette->numbers);
    EXPECT_EQ(back.colors, saved.palette->colors);
}

// One Pattern Maker palette item of 123 bytes.
std::string pmItem(unsigned brand, const char* number, unsigned r, unsigned g, unsigned b, bool blend = false)
{
    std::string item(123, '\0');
    item[2] = static_cast<char>(brand);
    std::memcpy(&item[3], number, std::strlen(number));
    item[55] = static_cast<char>(r), item[56] = static_cast<char>(g), item[57] = static_cast<char>(b);
    item[59] = blend ? 2 : 0;
    return item;
}

TEST_F(PaletteImportTest, PatternMakerMasterAndUserFiles)
{
    const std::string items = pmItem(1, "403", 10, 10, 10) + pmItem(1, "47", 190, 20, 30) + pmItem(1, "", 9, 9, 9, true);
    const std::string master = std::string("\x31\x54\x76\x98\x03\x00\x00\x00", 8) + items;
    const PaletteImport m = readForeignPalette(bytesOf(master));
    ASSERT_TRUE(m.palette) << m.error;
    EXPECT_EQ(m.format, "Pattern Maker");
    EXPECT_EQ(m.brand, "ANCHOR");
    EXPECT_EQ(m.palette->numbers, (std::vector<std::string>{"403", "47"}));
    EXPECT_EQ(m.palette->colors[1], rgb(190, 20, 30));
    EXPECT_EQ(m.skipped, 1);  // the blend

    const std::string user = std::string("\0\0\0\0\x02\x00", 6) + pmItem(0, "310", 0, 0, 0) + pmItem(0, "B5200", 255, 255, 255);
    const PaletteImport u = readForeignPalette(bytesOf(user));
    ASSERT_TRUE(u.palette) << u.error;
    EXPECT_EQ(u.brand, "DMC");
    EXPECT_EQ(u.palette->numbers, (std::vector<std::string>{"310", "B5200"}));

    // A count the file cannot hold.
    std::string lying = master;
    lying[4] = '\x7F';
    EXPECT_FALSE(readForeignPalette(bytesOf(lying)).palette);
    // One byte more or less and a user file is no longer recognised.
    EXPECT_FALSE(readForeignPalette(bytesOf(user + "x")).palette);
}

TEST_F(PaletteImportTest, ShippedPalettesAreKeptUnlessReplacingIsAsked)
{
    const std::string user = std::string("\0\0\0\0\x01\x00", 6) + pmItem(0, "310", 1, 2, 3);
    const std::string path = write("mine.user", user);
    const PaletteImport refused = importPaletteFile(path, store, "", false);
    EXPECT_FALSE(refused.palette);
    EXPECT_EQ(refused.error, "DMC是系统色库,不能覆盖");
    EXPECT_TRUE(importPaletteFile(path, store, "", true).palette);
    const PaletteImport renamed = importPaletteFile(path, store, "MINE", false);
    ASSERT_TRUE(renamed.palette);
    Palette back;
    ASSERT_TRUE(store.load("MINE", back));
    EXPECT_EQ(back.colors[0], rgb(1, 2, 3));
    EXPECT_FALSE(importPaletteFile(path, store, "../x", false).palette);
    // A file that names no brand needs one.
    const std::string plain = write("plain.threads", "\"310\",\"black\",0\n");
    EXPECT_EQ(importPaletteFile(plain, store, "", false).error, "色库文件没有写明品牌,请指定色库名");
    EXPECT_EQ(readForeignPalette(bytesOf("GIF89a")).error, "不能识别的色库文件,不能导入");
}

}  // namespace
