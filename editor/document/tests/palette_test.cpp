#include "editor/document/fabric_colors.h"
#include "editor/document/palette_file.h"
#include "editor/document/program_directory.h"
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brenmark;
using namespace brenmark::test;

TEST(PaletteFile, EntriesAreFourteenBytesAfterTheCount)
{
    const std::vector<ColorRef> colors{rgb(1, 2, 3), rgb(4, 5, 6)};
    const std::vector<std::string> numbers{"310", "123456789"};
    const auto b = encodePalette(colors, numbers);
    ASSERT_EQ(b.size(), 4u + 2 * 14);
    EXPECT_EQ(int32At(b, 0), 2);
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, 4)), rgb(1, 2, 3));
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 18), std::string("310\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, 18)), rgb(4, 5, 6));
    EXPECT_EQ(std::string(b.begin() + 22, b.begin() + 32), std::string("123456789\0", 10));
}

TEST(PaletteFile, NumbersOfTenBytesLoseTheirTerminatorAndLongerOnesAreCut)
{
    const std::vector<ColorRef> colors{1, 2, 3};
    const std::vector<std::string> numbers{"1234567890", "1234567890AB", "一二三四五六"};
    Palette p;
    ASSERT_TRUE(decodePalette(encodePalette(colors, numbers), p));
    EXPECT_EQ(p.numbers, (std::vector<std::string>{"1234567890", "1234567890", "一二三四五"}));
    EXPECT_EQ(p.flags, (std::vector<std::int32_t>{0, 0, 0}));
}

TEST(PaletteFile, CountZeroIsAnEmptyPaletteAndShortFilesLeaveNothing)
{
    Palette p;
    EXPECT_TRUE(decodePalette(std::vector<std::uint8_t>{0, 0, 0, 0}, p));
    EXPECT_EQ(p.size(), 0);

    p.add("x", 1);
    EXPECT_FALSE(decodePalette(std::vector<std::uint8_t>{0, 0, 0}, p));
    EXPECT_EQ(p.size(), 0);

    auto b = encodePalette(std::vector<ColorRef>{1, 2}, std::vector<std::string>{"a", "b"});
    b[0] = 3;  // promises a third entry
    EXPECT_FALSE(decodePalette(b, p));
    EXPECT_TRUE(p.numbers.empty() && p.colors.empty() && p.flags.empty());
    b[0] = 0xFF, b[3] = 0x7F;  // a count no file holds
    EXPECT_FALSE(decodePalette(b, p));
    b[3] = 0xFF;  // negative
    EXPECT_FALSE(decodePalette(b, p));
}

TEST(PaletteStore, SavesLoadsAndRestoresInTheProgramDirectory)
{
    TempDir dir;
    const PaletteStore store(dir.path());
    EXPECT_EQ(store.palettePath("DMC"), dir.path() + "PAL/DMC.pal");
    Palette p;
    EXPECT_FALSE(store.load("DMC", p));  // no folder yet

    ASSERT_TRUE(store.save("DMC", std::vector<ColorRef>{7}, std::vector<std::string>{"310"}));
    ASSERT_TRUE(store.load("DMC", p));
    EXPECT_EQ(p.numbers, std::vector<std::string>{"310"});
    EXPECT_EQ(p.colors, std::vector<ColorRef>{7});

    std::filesystem::create_directories(dir.path() + "SysPAL");
    writeBytes(dir.path() + "SysPAL/DMC.pal", encodePalette(std::vector<ColorRef>{9}, std::vector<std::string>{"B5200"}));
    ASSERT_TRUE(store.restore("DMC"));
    ASSERT_TRUE(store.load("DMC", p));
    EXPECT_EQ(p.numbers, std::vector<std::string>{"B5200"});

    // No system palette: the working one is kept rather than deleted.
    EXPECT_FALSE(store.restore("ANCHOR"));
    ASSERT_TRUE(store.save("ANCHOR", std::vector<ColorRef>{1}, std::vector<std::string>{"1"}));
    EXPECT_FALSE(store.restore("ANCHOR"));
    EXPECT_TRUE(store.load("ANCHOR", p));
}

TEST(PaletteStore, FolderIsMadeOnlyWhereNoFileStands)
{
    TempDir dir;
    EXPECT_TRUE(PaletteStore(dir.path()).ensurePaletteFolder());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "PAL"));
    TempDir other;
    writeBytes(other.path() + "PAL", {1});
    EXPECT_FALSE(PaletteStore(other.path()).ensurePaletteFolder());
}

TEST(PaletteStore, BrandsThatAreNotPlainFileNamesAreRefused)
{
    TempDir dir;
    const PaletteStore store(dir.path() + "inner/");
    std::filesystem::create_directories(dir.path() + "inner");
    for (const char* brand : {"../x", "a/b", "", ".", ".."})
        EXPECT_FALSE(store.save(brand, std::vector<ColorRef>{1}, std::vector<std::string>{"1"})) << brand;
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "x.pal"));
    EXPECT_TRUE(store.save("J&P", std::vector<ColorRef>{1}, std::vector<std::string>{"1"}));
}

TEST(ThreadKindList, OffersTheKnownBrandsWithAPaletteThenEveryOtherPaletteOnce)
{
    TempDir dir;
    const PaletteStore store(dir.path());
    // No palette, no brand: a brand offered must be usable.
    EXPECT_TRUE(store.threadKindList().empty());
    std::filesystem::create_directories(dir.path() + "SysPAL");
    for (const char* name : {"DMC.pal", "XYZ.pal", "ABC.pal", "notes.txt", "ZZZ.pal", "ROSE.pal"})
        writeBytes(dir.path() + "SysPAL/" + name, {0, 0, 0, 0});
    std::filesystem::create_directories(dir.path() + "SysPAL/DIR.pal");
    EXPECT_EQ(store.threadKindList(), (std::vector<std::string>{"DMC", "ROSE", "ABC", "XYZ", "ZZZ"}));
    // A library of the user's own (as the thread-library plug-in makes it) and a known
    // brand present only among the user's palettes.
    std::filesystem::create_directories(dir.path() + "PAL");
    for (const char* name : {"MYLIB.pal", "ANCHOR.pal", "DMC.pal"})
        writeBytes(dir.path() + "PAL/" + name, {0, 0, 0, 0});
    EXPECT_EQ(store.threadKindList(), (std::vector<std::string>{"ANCHOR", "DMC", "ROSE", "ABC", "MYLIB", "XYZ", "ZZZ"}));
    EXPECT_TRUE(store.hasPalette("MYLIB"));
    EXPECT_FALSE(store.hasPalette("DOME"));
    EXPECT_EQ(brandIndex(store.threadKindList(), "DMC"), 1);
    EXPECT_EQ(brandIndex(store.threadKindList(), "DMR"), -1);
}

TEST(ThreadKindList, TheUsersPalettesCountInTheirOwnFolder)
{
    TempDir shipped, user;
    std::filesystem::create_directories(shipped.path() + "SysPAL");
    writeBytes(shipped.path() + "SysPAL/DMC.pal", {0, 0, 0, 0});
    std::filesystem::create_directories(user.path() + "PAL");
    writeBytes(user.path() + "PAL/MARROW.pal", {0, 0, 0, 0});
    writeBytes(user.path() + "PAL/DMC.pal", {0, 0, 0, 0});
    const PaletteStore store(shipped.path(), user.path());
    EXPECT_EQ(store.threadKindList(), (std::vector<std::string>{"DMC", "MARROW"}));
}

TEST(ProgramDirectory, IsTheExecutablesFolderWithATrailingSlash)
{
    const std::string& dir = programDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(dir + "document_tests") || std::filesystem::is_directory(dir));
    EXPECT_EQ(expandPathTemplate(kPaletteTemplate, {"/opt/b/", "DMC"}), "/opt/b/PAL/DMC.pal");
    EXPECT_EQ(expandPathTemplate(kSplashTemplate, {"/opt/b/"}), "/opt/b/SysPAL/splash.jpg");
    EXPECT_EQ(expandPathTemplate(kPluginFolderTemplate, {"/opt/b/"}), "/opt/b/DllPin");
}

// The palettes the build made from the thread tables.
TEST(BundledPalettes, HoldTheTablesNumbersExactly)
{
    const PaletteStore store(BRENMARK_BUILD_DIR "/SysPAL/..");
    Palette dmc, anchor, coats, madeira;
    Palette sys;
    ASSERT_TRUE(store.load("DMC", dmc));
    ASSERT_TRUE(store.load("ANCHOR", anchor));
    ASSERT_TRUE(store.load("J&P", coats));
    ASSERT_TRUE(store.load("MADEIRA", madeira));
    EXPECT_EQ(dmc.size(), 489);
    EXPECT_EQ(anchor.size(), 445);
    EXPECT_EQ(coats.size(), 288);
    EXPECT_EQ(madeira.size(), 369);
    EXPECT_EQ(dmc.numbers[0], "B5200");
    EXPECT_EQ(dmc.colors[0], kWhite);
    EXPECT_GE(dmc.find("01"), 0);
    EXPECT_EQ(dmc.find("1"), -1);
    EXPECT_EQ(dmc.colors[static_cast<std::size_t>(dmc.find("310"))], rgb(0, 0, 0));
    // The default white fabric has a name.
    EXPECT_EQ(nameFabricColor(kWhite, dmc), (FabricName{"白色", "B5200"}));
    for (const auto& choice : fabricChoices(dmc))
        EXPECT_NE(choice.color, rgb(0, 255, 0)) << choice.entry;
}

namespace brenmark {

TEST(ThreadBrands, TheKnownNamesComeFirstInTheirOrderAndTheDefaultIsOneOfThem)
{
    EXPECT_EQ(brandIndex({kKnownBrands[0], kKnownBrands[1]}, kKnownBrands[1]), 1);
    EXPECT_EQ(brandIndex({"ANCHOR"}, "DMC"), -1);
    bool known = false;
    for (const char* brand : kKnownBrands) {
        EXPECT_TRUE(isSafeBrandName(brand)) << brand;
        known = known || std::string_view(brand) == kDefaultBrand;
    }
    EXPECT_TRUE(known);
    EXPECT_FALSE(isSafeBrandName("../PAL"));
    EXPECT_FALSE(isSafeBrandName(".."));
    EXPECT_FALSE(isSafeBrandName(""));
}

}  // namespace brenmark
