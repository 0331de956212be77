#include "editor/document/thread_manager.h"
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brenmark;
using namespace brenmark::test;

namespace {

struct ManagerFixture : ::testing::Test {
    TempDir dir;
    PaletteStore store{dir.path()};
    void SetUp() override
    {
        writePalette(dir.path(), "DMC", {{"310", rgb(0, 0, 0)}, {"321", rgb(200, 0, 0)}});
        writePalette(dir.path(), "ANCHOR", {{"1", rgb(255, 255, 255)}});
        std::filesystem::create_directories(dir.path() + "SysPAL");
        writeBytes(dir.path() + "SysPAL/DMC.pal",
                   encodePalette(std::vector<ColorRef>{rgb(1, 1, 1)}, std::vector<std::string>{"B5200"}));
        writeBytes(dir.path() + "SysPAL/MADEIRA.pal", {0, 0, 0, 0});
    }
    Palette stored(const char* brand)
    {
        Palette p;
        store.load(brand, p);
        return p;
    }
};

}  // namespace

TEST_F(ManagerFixture, OpensOnDmcWithNoSwatchSelected)
{
    ThreadManager m(store);
    // Only brands with a palette: no "DMR" or "ROSE" here.
    EXPECT_EQ(m.brands(), (std::vector<std::string>{"ANCHOR", "DMC", "MADEIRA"}));
    m.open();
    EXPECT_EQ(m.brand(), "DMC");
    EXPECT_EQ(m.selected(), -1);
    EXPECT_EQ(m.palette().size(), 2);
    EXPECT_FALSE(m.apply());  // nothing selected
}

TEST_F(ManagerFixture, EditingASwatchStoresColourAndNumber)
{
    ThreadManager m(store);
    m.open();
    m.selectSwatch(1);
    EXPECT_EQ(m.components().red, 200);
    EXPECT_EQ(m.components().number, "321");
    m.setComponents(10, 20, 300);
    EXPECT_EQ(m.previewColor(), 0xFF140Au);  // (blue << 16) | (green << 8) | red, blue capped
    m.setNumber("321A");
    ASSERT_TRUE(m.apply());
    EXPECT_EQ(m.palette().colors[1], rgb(10, 20, 255));
    EXPECT_EQ(m.palette().numbers[1], "321A");
}

TEST_F(ManagerFixture, SwitchingBrandSavesTheShownPaletteFirst)
{
    ThreadManager m(store);
    m.open();
    m.selectSwatch(0);
    m.setComponents(9, 9, 9);
    m.apply();
    m.selectBrand("ANCHOR");
    EXPECT_EQ(stored("DMC").colors[0], rgb(9, 9, 9));
    EXPECT_EQ(m.brand(), "ANCHOR");
    EXPECT_EQ(m.palette().numbers, std::vector<std::string>{"1"});
    EXPECT_EQ(m.selected(), -1);
}

TEST_F(ManagerFixture, RestoreBringsBackTheSystemPalette)
{
    ThreadManager m(store);
    m.open();
    ASSERT_TRUE(m.restore());
    EXPECT_EQ(m.palette().numbers, std::vector<std::string>{"B5200"});
    EXPECT_EQ(stored("DMC").numbers, std::vector<std::string>{"B5200"});
}

TEST_F(ManagerFixture, OkAndCancelBothSave)
{
    for (bool ok : {true, false}) {
        ThreadManager m(store);
        m.open();
        m.selectSwatch(0);
        m.setComponents(ok ? 1 : 2, 0, 0);
        m.apply();
        ASSERT_TRUE(ok ? m.ok() : m.cancel());
        EXPECT_EQ(stored("DMC").colors[0], rgb(ok ? 1 : 2, 0, 0));
    }
}

TEST_F(ManagerFixture, ABrandWithoutPaletteShowsEmptyAndSavesEmpty)
{
    ThreadManager m(store);
    m.open();
    m.selectBrand("ROSE");
    EXPECT_EQ(m.palette().size(), 0);
    m.ok();
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "PAL/ROSE.pal"));
}
