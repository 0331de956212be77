// The ".x2x" bytes, the grid's rows and pairs, and building a library from the DMC palette.
#include "interchange/file_bytes.h"
#include "plugins/threadmap/thread_mapping_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace brenmark {
namespace {

struct Shown {
    std::string text, title;
    MessageIcon icon;
};
struct ScriptedMessages final : MessageBoxes {
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
    }
    std::vector<Shown> shown;
};

std::vector<std::uint8_t> le32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 24)};
}

TEST(MappingFile, PairsAreTwoTenByteFields)
{
    const std::vector<MappingPair> pairs{{"A1", "310"}, {"0123456789AB", ""}};
    const std::vector<std::uint8_t> bytes = encodeMapping(pairs);
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4), le32(2));
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 14), std::string("A1\0\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(std::string(bytes.begin() + 14, bytes.begin() + 24), std::string("310\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(std::string(bytes.begin() + 24, bytes.begin() + 34), "0123456789");  // no terminator
    EXPECT_EQ(std::string(bytes.begin() + 34, bytes.end()), std::string(10, '\0'));
    const auto read = decodeMapping(bytes);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->cutShort);
    EXPECT_EQ(read->pairs, (std::vector<MappingPair>{{"A1", "310"}, {"0123456789", ""}}));
}

TEST(MappingFile, BytesAfterATerminatorMeanNothing)
{
    std::vector<std::uint8_t> bytes = le32(1);
    const char pair[] = "ab\0xyz\0\0\0\0" "cd\0\x7f\x7f\x7f\x7f\x7f\x7f\x7f";
    bytes.insert(bytes.end(), pair, pair + 20);
    const auto read = decodeMapping(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pairs, (std::vector<MappingPair>{{"ab", "cd"}}));
}

TEST(MappingFile, ShortOrLyingCountsReadTheWholePairsThere)
{
    std::vector<std::uint8_t> bytes = encodeMapping(std::vector<MappingPair>{{"1", "2"}, {"3", "4"}});
    bytes.resize(bytes.size() - 5);  // the second pair cut
    for (const std::int32_t count : {2, 0x7FFFFFFF}) {
        std::copy_n(le32(count).begin(), 4, bytes.begin());
        const auto read = decodeMapping(bytes);
        ASSERT_TRUE(read);
        EXPECT_TRUE(read->cutShort);
        EXPECT_EQ(read->pairs, (std::vector<MappingPair>{{"1", "2"}}));
    }
    std::copy_n(le32(-3).begin(), 4, bytes.begin());
    EXPECT_TRUE(decodeMapping(bytes)->cutShort);
    EXPECT_TRUE(decodeMapping(bytes)->pairs.empty());
    EXPECT_FALSE(decodeMapping(std::vector<std::uint8_t>{1, 0, 0}));
    // A count smaller than the file: only that many.
    std::copy_n(le32(0).begin(), 4, bytes.begin());
    EXPECT_FALSE(decodeMapping(bytes)->cutShort);
    EXPECT_TRUE(decodeMapping(bytes)->pairs.empty());
}

TEST(MappingFile, TheExtensionIsAddedOnlyWhenAbsentEverywhere)
{
    EXPECT_EQ(withMappingExtension("/tmp/map"), "/tmp/map.x2x");
    EXPECT_EQ(withMappingExtension("/tmp/a.x2x.bak"), "/tmp/a.x2x.bak");
    EXPECT_EQ(withMappingExtension("/tmp/d.x2x/map"), "/tmp/d.x2x/map");
    EXPECT_EQ(withMappingExtension("/tmp/map.X2X"), "/tmp/map.X2X.x2x");
}

TEST(MappingGrid, RowsAreNumberedAndPairsGoRowByRow)
{
    MappingGrid grid;
    grid.addRows(2);
    grid.addRows(2);
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.row(3)[0], "3");
    grid.setText(0, 0, "no");  // the row number is not editable
    EXPECT_EQ(grid.row(0)[0], "0");
    EXPECT_EQ(grid.allPairs().size(), 12u);
    EXPECT_EQ(encodeMapping(grid.allPairs()).size(), 244u);  // 4 + 20 x 12

    MappingGrid loaded;
    loaded.appendPairs(grid.allPairs());
    EXPECT_EQ(loaded.rowCount(), 4);

    MappingGrid four;
    four.addRows(1);  // loading appends after the rows there are
    four.appendPairs(std::vector<MappingPair>{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    ASSERT_EQ(four.rowCount(), 3);
    EXPECT_EQ(four.row(1), (MappingGrid::Row{"1", "a", "1", "b", "2", "c", "3"}));
    EXPECT_EQ(four.row(2), (MappingGrid::Row{"2", "d", "4", "", "", "", ""}));
}

TEST(MappingGrid, BuildingStopsAtTheFirstIncompletePair)
{
    MappingGrid grid;
    grid.addRows(2);
    grid.setText(0, 1, "N1");
    grid.setText(0, 2, "310");
    grid.setText(0, 3, "N2");  // no DMC: the end
    grid.setText(1, 1, "N3");
    grid.setText(1, 2, "321");
    EXPECT_EQ(grid.pairsToBuild(), (std::vector<MappingPair>{{"N1", "310"}}));
    grid.setText(0, 1, "");
    EXPECT_TRUE(grid.pairsToBuild().empty());
}

class Build : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.ensurePaletteFolder());
        const std::vector<ColorRef> colours{0x0000FF, 0x000000, 0x111111, 0xFFFFFF};
        const std::vector<std::string> numbers{"321", "310", "321", "B5200"};
        ASSERT_TRUE(store.save("DMC", colours, numbers));
    }
    Palette built(const std::string& name)
    {
        Palette p;
        EXPECT_TRUE(store.load(name, p));
        return p;
    }

    QTemporaryDir dir;
    PaletteStore store{dir.path().toStdString() + "/"};
    ScriptedMessages messages;
};

TEST_F(Build, NumbersFromTheGridColoursFromDmc)
{
    const std::vector<MappingPair> pairs{{"X1", "321"}, {"X2", "310"}, {"X3", "321"}, {"0123456789AB", "B5200"}};
    EXPECT_EQ(buildThreadLibrary(store, "XYZ", pairs, messages), BuildOutcome::Built);
    EXPECT_TRUE(messages.shown.empty());
    const Palette p = built("XYZ");
    // "321" twice in the grid: the same colour; twice in DMC: its first entry's.
    EXPECT_EQ(p.colors, (std::vector<ColorRef>{0x0000FF, 0x000000, 0x0000FF, 0xFFFFFF}));
    EXPECT_EQ(p.numbers, (std::vector<std::string>{"X1", "X2", "X3", "0123456789"}));
    // Written beside its name and renamed: nothing else is left in the folder.
    EXPECT_EQ(QDir(dir.path() + u"/PAL"_qs).entryList(QDir::Files), (QStringList{u"DMC.pal"_qs, u"XYZ.pal"_qs}));
}

TEST_F(Build, AnEmptyListIsAPaletteOfCountZero)
{
    EXPECT_EQ(buildThreadLibrary(store, "EMPTY", {}, messages), BuildOutcome::Built);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(store.palettePath("EMPTY"), bytes));
    EXPECT_EQ(bytes, le32(0));
}

TEST_F(Build, RefusalsWriteNothingAndSaySo)
{
    const std::vector<MappingPair> pairs{{"X1", "321"}, {"X2", "999"}};
    EXPECT_EQ(buildThreadLibrary(store, "", pairs, messages), BuildOutcome::NoName);
    EXPECT_EQ(buildThreadLibrary(store, "XYZ", pairs, messages), BuildOutcome::Unmatched);
    EXPECT_EQ(buildThreadLibrary(store, "../XYZ", pairs, messages), BuildOutcome::BadName);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "请输入新绣线库名");
    EXPECT_EQ(messages.shown[0].title, "提示");
    EXPECT_EQ(messages.shown[1].text, "找不到新线:X2对应的DMC:999线生成绣线库失败");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Stop);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(store.palettePath("XYZ"))));
    QFile::remove(QString::fromStdString(store.palettePath("DMC")));
    messages.shown.clear();
    EXPECT_EQ(buildThreadLibrary(store, "XYZ", {}, messages), BuildOutcome::NoDmc);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "读取DMC色库出错");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
}

TEST(Marrowin, ThePluginNamesItselfAndAgreesToBeInstalled)
{
    void* module = dlopen(BRENMARK_MARROWIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto canSetUp = reinterpret_cast<bool (*)()>(dlsym(module, "CanSetUp"));
    const auto getName = reinterpret_cast<bool (*)(std::string&)>(dlsym(module, "GetVelmoraChaName"));
    ASSERT_TRUE(canSetUp && getName && dlsym(module, "StartCha"));
    EXPECT_TRUE(canSetUp());
    std::string name;
    EXPECT_TRUE(getName(name));
    EXPECT_EQ(name, "绣线管理工具");
    EXPECT_EQ(dlsym(module, "buildThreadLibrary"), nullptr);  // nothing else is seen
}

}  // namespace
}  // namespace brenmark
