// The colour operations over layers, and the brand conversion.
#include "editor/document/layer_composer.h"
#include "editor/output/tests/colour_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace brenmark {
namespace {

using namespace colourtest;
using Strings = std::vector<std::string>;

// A hidden layer on top, with a line and its own copy of the threads.
PatternLayer& addHiddenLayer(ColourPattern& p)
{
    PatternLayer layer = LayerList::emptyLayer(p.doc, "hidden");
    layer.visible = false;
    layer.threadColors = p.doc.threads.colors;
    layer.threadNumbers = p.doc.threads.numbers;
    p.doc.layers.layers.insert(p.doc.layers.layers.begin(), std::move(layer));
    return p.doc.layers[0];
}

TEST(ColourLayers, SubtractAndReplaceReachHiddenLayersLinesAndThreadLists)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kDarkRed, "816"}});
    PatternLayer& hidden = addHiddenLayer(p);
    hidden.lines.push_back(ColourPattern::line("816", kDarkRed));
    hidden.cells.set(5, 2);
    ASSERT_TRUE(p.ops.subtract("816").done);
    EXPECT_EQ(p.doc.layers[0].lines[0].thread, "321");
    EXPECT_EQ(p.doc.layers[0].threadNumbers, (Strings{"321", "796", "321"}));
    EXPECT_EQ(p.doc.layers[0].cells[5], 2);  // still the same table entry

    ASSERT_TRUE(p.ops.replaceEverywhere("796", {kGreen, "700"}).done);
    EXPECT_EQ(p.doc.layers[0].threadColors[1], kGreen);
    p.doc.layers[0].lines.push_back(ColourPattern::line("700", kGreen));
    ASSERT_TRUE(p.ops.replaceOutlineThread("700", ThreadChoice{kYellow, "444"}).done);
    EXPECT_EQ(p.doc.layers[0].lines[1].thread, "444");
}

TEST(ColourLayers, AreaReplaceSkipsCellsAVisibleLayerAboveCovers)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}});
    p.paintRow(0, {0, 0, 0, 0});
    // A visible, plain layer on top covering cell 1 with red; the background stays drawing.
    PatternLayer cover = LayerList::emptyLayer(p.doc, "cover");
    cover.cells.set(1, 0);
    p.doc.layers.layers.insert(p.doc.layers.layers.begin(), std::move(cover));
    ASSERT_EQ(p.doc.layers.drawingLayer(), 1);
    recomposeDocument(p.doc);
    ASSERT_TRUE(p.ops.replaceInRegion("321", {kBlue, "796"}, [](int, int y) { return y == 0; }).done);
    EXPECT_EQ(p.firstCells(4), (std::vector<std::int32_t>{1, 0, 1, 1}));
    EXPECT_EQ(p.doc.layers[1].cells[0], 1);
    EXPECT_EQ(p.doc.layers[1].cells[1], 0);  // refused there, in the layer too
    recomposeDocument(p.doc);
    EXPECT_EQ(p.cells()[0], 1);  // survives recomposing
}

TEST(ColourLayers, HollowingOutEmptiesHiddenLayersToo)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}});
    p.paint(0, 0, 1);
    PatternLayer& hidden = addHiddenLayer(p);
    hidden.cells.set(3, 0);
    ASSERT_TRUE(p.ops.hollowOut(kRed).done);
    EXPECT_EQ(p.doc.layers[0].cells[3], EmptyCell);
    EXPECT_EQ(p.doc.distinct.numbers, Strings{"796"});  // nothing holds red any more
}

struct BrandFixture : ::testing::Test {
    std::string dir;
    PaletteStore palettes{""};
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-brand-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        palettes = PaletteStore(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        // ANCHOR holds red exactly (twice: the first wins) and nothing near blue but navy.
        ASSERT_TRUE(palettes.save("ANCHOR", std::vector<ColorRef>{kGreen, kRed, kRed, rgb(0, 0, 120)},
                                  std::vector<std::string>{"A1", "A2", "A3", "A4"}));
        ASSERT_TRUE(palettes.save("EMPTY", std::vector<ColorRef>{}, std::vector<std::string>{}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(BrandFixture, EveryDistinctColourGoesToItsExactOrNearestThread)
{
    ColourPattern p({{kRed, "321"}, {kBlue, "796"}, {kRed, "321b"}});
    p.paintRow(0, {0, 1, 2, -1});
    PatternLayer& hidden = addHiddenLayer(p);
    hidden.cells.set(4, 2);
    hidden.lines.push_back(ColourPattern::line("796", kBlue));
    p.doc.lines.push_back(ColourPattern::line("796", kBlue));
    p.ops.setLocked("321", true);
    const std::string before = p.doc.symbols[0].symbol;
    const ColourChange c = p.ops.convertBrand("ANCHOR", palettes);
    ASSERT_TRUE(c.done);
    EXPECT_TRUE(c.allThreads);
    EXPECT_EQ(p.undo.labels, Strings{"取消DMC绣线转ANCHOR绣线"});
    EXPECT_EQ(p.doc.brand, "ANCHOR");
    EXPECT_EQ(p.doc.threads.numbers, (Strings{"A2", "A4"}));
    EXPECT_EQ(p.doc.threads.colors, (std::vector<ColorRef>{kRed, rgb(0, 0, 120)}));
    EXPECT_EQ(p.firstCells(4), (std::vector<std::int32_t>{0, 1, 0, -1}));
    EXPECT_EQ(p.doc.layers[0].cells[4], 0);
    EXPECT_EQ(p.doc.layers[1].cells[1], 1);
    EXPECT_EQ(p.doc.lines[0].thread, "A4");
    EXPECT_EQ(p.doc.layers[0].lines[0].color, rgb(0, 0, 120));
    EXPECT_EQ(p.doc.lockFlags, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(p.doc.symbols[0].symbol, before);  // the chart keeps its symbols
    EXPECT_EQ(p.doc.layers[0].threadNumbers, p.doc.threads.numbers);
}

TEST_F(BrandFixture, AnEmptyOrMissingPaletteIsRefusedAndTheCurrentBrandDoesNothing)
{
    ColourPattern p({{kRed, "321"}});
    for (const char* brand : {"EMPTY", "NONE"}) {
        p.boxes.shown.clear();
        EXPECT_FALSE(p.ops.convertBrand(brand, palettes).done);
        ASSERT_EQ(p.boxes.shown.size(), 1u);
        EXPECT_EQ(p.boxes.shown[0].text, "绣线库(" + std::string(brand) + ")的线未配置,不能使用");
        EXPECT_EQ(p.boxes.shown[0].title, "提示");
    }
    ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{kRed}, std::vector<std::string>{"321"}));
    p.boxes.shown.clear();
    EXPECT_FALSE(p.ops.convertBrand("DMC", palettes).done);
    EXPECT_TRUE(p.boxes.shown.empty());
    EXPECT_TRUE(p.undo.labels.empty());
    EXPECT_EQ(p.doc.brand, "DMC");
}

}  // namespace
}  // namespace brenmark
