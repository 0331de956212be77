// The CMYK tables: the record layout, percent to 0 … 255, refusals of damaged tables, the
// lookup, and the build's tables agreeing with the conversion a missing thread gets.
#include "tiffwriter/cmyk_table.h"
#include "tiffwriter/colour_to_cmyk.h"

#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brenmark;

namespace {

std::vector<std::uint8_t> table(const std::vector<std::pair<std::string, CmykPercent>>& records)
{
    std::vector<std::string> numbers;
    std::vector<CmykPercent> percents;
    for (const auto& [n, p] : records) {
        numbers.push_back(n);
        percents.push_back(p);
    }
    return encodeCmykTable(numbers, percents);
}

}  // namespace

TEST(CmykTable, RecordsAreFourteenBytesAfterTheMagicAndCount)
{
    const auto bytes = table({{"310", {0, 0, 0, 100}}, {"B5200", {1, 2, 3, 4}}});
    ASSERT_EQ(bytes.size(), 10u + 2 * 14);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "KOVRAN");
    EXPECT_EQ(test::int32At(bytes, 6), 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[10])), "310");
    EXPECT_EQ(bytes[19], 0);  // NUL padding to 10 bytes
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 34, bytes.end()), (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

TEST(CmykTable, PercentBecomesTruncatedEighths)
{
    // trunc(p × 255 × 0.01)
    EXPECT_EQ(valueFromPercent({0, 1, 50, 100}), (CmykValue{0, 2, 127, 255}));
    EXPECT_EQ(valueFromPercent({40, 99, 33, 7}), (CmykValue{102, 252, 84, 17}));
    CmykTable t;
    ASSERT_TRUE(decodeCmykTable(table({{"321", {40, 0, 80, 0}}}), t));
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].number, "321");
    EXPECT_EQ(t[0].value, (CmykValue{102, 0, 204, 0}));
    EXPECT_EQ(t[0].value.packed(), 0x00CC0066u);  // C in the lowest byte
}

TEST(CmykTable, DamagedTablesAreNoTables)
{
    CmykTable t;
    auto wrongMagic = table({{"321", {1, 1, 1, 1}}});
    wrongMagic[0] = 'X';
    EXPECT_FALSE(decodeCmykTable(wrongMagic, t));
    EXPECT_TRUE(t.empty());

    auto shortRecords = table({{"321", {1, 1, 1, 1}}, {"322", {1, 1, 1, 1}}});
    shortRecords.pop_back();
    EXPECT_FALSE(decodeCmykTable(shortRecords, t));
    EXPECT_TRUE(t.empty());

    auto negative = table({});
    negative[9] = 0x80;
    EXPECT_FALSE(decodeCmykTable(negative, t));

    auto huge = table({});
    huge[6] = huge[7] = huge[8] = 0xFF, huge[9] = 0x7F;  // far more records than bytes
    EXPECT_FALSE(decodeCmykTable(huge, t));

    EXPECT_FALSE(decodeCmykTable(table({{"321", {101, 0, 0, 0}}}), t));  // above 100 percent
    EXPECT_FALSE(decodeCmykTable(std::vector<std::uint8_t>{'K', 'O', 'V'}, t));

    auto trailing = table({{"321", {1, 1, 1, 1}}});
    trailing.push_back(7);
    EXPECT_TRUE(decodeCmykTable(trailing, t));
    EXPECT_EQ(t.size(), 1u);
}

TEST(CmykTable, NumbersMatchExactlyAndTheFirstRecordWins)
{
    CmykTable t;
    ASSERT_TRUE(decodeCmykTable(table({{"ecru", {1, 0, 0, 0}}, {"ECRU", {2, 0, 0, 0}}, {"ECRU", {3, 0, 0, 0}}}), t));
    ASSERT_NE(findCmyk(t, "ECRU"), nullptr);
    EXPECT_EQ(findCmyk(t, "ECRU")->c, 5);  // trunc(2 × 2.55)
    EXPECT_EQ(findCmyk(t, "ECRU "), nullptr);  // no trimming
    EXPECT_EQ(findCmyk(t, "Ecru"), nullptr);
    // A ten-byte number fills the field without a NUL and still reads back.
    ASSERT_TRUE(decodeCmykTable(table({{"ABCDEFGHIJ", {0, 0, 0, 1}}, {"ABCDEFGHIJKL", {0, 0, 0, 2}}}), t));
    EXPECT_EQ(t[0].number, "ABCDEFGHIJ");
    EXPECT_EQ(t[1].number, "ABCDEFGHIJ");  // cut to the field
}

TEST(CmykTable, TablesAreReadFromTheProgramDirectory)
{
    test::TempDir dir;
    EXPECT_TRUE(loadCmykTable(dir.path(), "DMC").empty());
    std::filesystem::create_directories(dir.path() + "cmyk");
    test::writeBytes(dir.file("cmyk/DMC.cmyk"), table({{"310", {0, 0, 0, 100}}}));
    const CmykTable t = loadCmykTable(dir.path(), "DMC");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].value, kBlackInk);
    EXPECT_EQ(cmykTablePath(dir.path(), "../DMC"), "");  // a brand is a plain file name
    EXPECT_TRUE(loadCmykTable(dir.path(), "../cmyk/DMC").empty());
}

TEST(ColourToCmyk, ThePrintProfileGivesPlausibleInks)
{
    const ColourToCmyk conversion;
    ASSERT_TRUE(conversion.hasProfile());
    EXPECT_EQ(conversion.percent(kWhite), (CmykPercent{0, 0, 0, 0}));
    const CmykPercent black = conversion.percent(rgb(0, 0, 0));
    EXPECT_GE(black.k, 80);
    const CmykPercent red = conversion.percent(rgb(255, 0, 0));
    EXPECT_GT(red.m, 80);
    EXPECT_GT(red.y, 80);
    EXPECT_LT(red.c, 10);
    const CmykPercent cyan = conversion.percent(rgb(0, 160, 230));
    EXPECT_GT(cyan.c, cyan.m);
    EXPECT_GT(cyan.c, cyan.y);
    // Back to the screen lands near where it started.
    const ColorRef back = conversion.toScreen(conversion.value(rgb(200, 120, 40)));
    EXPECT_NEAR(static_cast<int>(redOf(back)), 200, 20);
    EXPECT_NEAR(static_cast<int>(greenOf(back)), 120, 20);
    EXPECT_NEAR(static_cast<int>(blueOf(back)), 40, 25);
}

TEST(ColourToCmyk, TheBuildsTablesHoldTheSameConversion)
{
    const std::string dir = BRENMARK_PROGRAM_DIR;
    const CmykTable t = loadCmykTable(dir, "DMC");
    ASSERT_FALSE(t.empty()) << "cmyk/DMC.cmyk is made by the build";
    Palette dmc;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(PaletteStore(dir).systemPalettePath("DMC"), bytes));
    ASSERT_TRUE(decodePalette(bytes, dmc));
    ASSERT_EQ(t.size(), static_cast<std::size_t>(dmc.size()));
    const ColourToCmyk conversion;
    for (std::size_t i = 0; i < t.size(); i += 37) {
        EXPECT_EQ(t[i].number, dmc.numbers[i].substr(0, 10));
        EXPECT_EQ(t[i].value, conversion.value(dmc.colors[i])) << dmc.numbers[i];
    }
}
