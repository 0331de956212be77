// Merging visible and linked layers: which layer receives the result, what it holds, and
// which layers go.
#include "editor/document/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

using Labels = std::vector<std::string>;

// Four layers a, b, c, 背景 (top first), a drawing; each paints its own cell and one shared cell.
struct Four : Fixture {
    Four()
    {
        ops->newLayer("c");
        ops->newLayer("b");
        ops->newLayer("a");
        for (int l = 0; l < 4; ++l) {
            paint(l, l, 0, l % 3);
            paint(l, 0, 2, l % 3);
            layer(l).lines = {line(l, 0, l, 1, 0x010101u * static_cast<ColorRef>(l))};
            layer(l).marks = {mark(10 + l, 0, 2)};
        }
        ops->recompose();
        undo.labels.clear();
    }
};

TEST(MergeVisible, IntoTheVisibleDrawingLayerWhichKeepsItsPlaceAndName)
{
    Four f;
    f.ops->chooseDrawingLayer(1);  // b draws
    f.ops->toggleVisible(3);       // 背景 hidden: not merged
    f.undo.labels.clear();
    const auto composedBefore = f.doc.grid.cells;
    ASSERT_TRUE(f.ops->mergeVisible());
    EXPECT_EQ(f.names(), (std::vector<std::string>{"b", "背景"}));
    EXPECT_EQ(f.flags(), "D.");
    EXPECT_EQ(f.undo.labels, Labels{"取消合并可见层"});
    const PatternLayer& merged = f.layer(0);
    EXPECT_EQ(merged.cells[f.at(3, 0)], EmptyCell) << "the hidden background's cell is not merged";
    EXPECT_EQ(merged.cells[f.at(0, 0)], 0);
    EXPECT_EQ(merged.cells[f.at(1, 0)], 1);
    EXPECT_EQ(merged.cells[f.at(2, 0)], 2);
    EXPECT_EQ(merged.cells[f.at(0, 2)], 0) << "a, the top-most, wins the shared cell";
    EXPECT_EQ(thumbnailOf(merged, f.doc)[f.at(2, 0)], pixelOf(kBlue));
    ASSERT_EQ(merged.lines.size(), 3u);
    EXPECT_EQ(merged.lines[0].startColumn, 2) << "lines bottom-most first";
    EXPECT_EQ(merged.lines[2].startColumn, 0);
    EXPECT_EQ(merged.marks, std::vector<StitchMark>{mark(10, 0, 2)});
    EXPECT_EQ(f.doc.grid.cells, composedBefore) << "merging the visible layers changes nothing on screen";
    EXPECT_EQ(f.layer(1).cells[f.at(3, 0)], 0) << "the hidden layer stays as it was";
}

TEST(MergeVisible, WithTheDrawingLayerHiddenIntoTheTopMostVisible)
{
    Four f;
    f.ops->toggleVisible(0);  // a draws but is hidden
    ASSERT_TRUE(f.ops->mergeVisible());
    EXPECT_EQ(f.names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(f.flags(), "d-") << "b received the merge and a keeps drawing";
    EXPECT_EQ(f.layer(1).cells[f.at(0, 0)], EmptyCell) << "the hidden a is not merged";
    EXPECT_EQ(f.layer(1).cells[f.at(2, 0)], 2);
    EXPECT_EQ(f.layer(1).cells[f.at(3, 0)], 0);
    EXPECT_EQ(f.layer(0).cells[f.at(0, 0)], 0);
    EXPECT_EQ(f.layer(1).cells[f.at(0, 2)], 1) << "b was the top-most of the merged layers";
}

TEST(MergeVisible, NeedsTwoVisibleLayers)
{
    Four f;
    for (int i = 1; i < 4; ++i)
        f.ops->toggleVisible(i);
    const auto names = f.names();
    EXPECT_FALSE(f.ops->mergeVisible());
    EXPECT_EQ(f.names(), names);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(MergeVisible, UnitesTheThreadsBottomMostLayerFirst)
{
    Four f;
    f.layer(3).threadColors = {kBlue, kRed};
    f.layer(3).threadNumbers = {"3", "1"};
    f.layer(2).threadColors = {kRed, kBlack};
    f.layer(2).threadNumbers = {"1b", "310"};
    f.layer(1).threadColors = {};
    f.layer(1).threadNumbers = {};
    f.layer(0).threadColors = {kGreen, kBlack, kGreen};
    f.layer(0).threadNumbers = {"2", "310b", "2b"};
    ASSERT_TRUE(f.ops->mergeVisible());
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.layer(0).threadColors, (std::vector<ColorRef>{kBlue, kRed, kBlack, kGreen}));
    EXPECT_EQ(f.layer(0).threadNumbers, (std::vector<std::string>{"3", "1", "310", "2"}));
}

TEST(MergeLinked, IntoTheTopMostLinkedLayerWhateverIsVisible)
{
    Four f;
    f.ops->toggleLinked(1);
    f.ops->toggleLinked(3);
    f.ops->toggleVisible(1);  // linked and hidden: still merged
    ASSERT_TRUE(f.ops->mergeLinked());
    EXPECT_EQ(f.names(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(f.flags(), "Dl-");
    EXPECT_EQ(f.undo.labels, Labels{"取消合并链接层"});
    EXPECT_EQ(f.layer(1).cells[f.at(3, 0)], 0);
    EXPECT_EQ(f.layer(1).cells[f.at(1, 0)], 1);
    EXPECT_EQ(f.layer(1).cells[f.at(0, 2)], 1);
    EXPECT_EQ(f.layer(1).marks, std::vector<StitchMark>{mark(11, 0, 2)});
    EXPECT_EQ(f.doc.grid.cells[f.at(3, 0)], EmptyCell) << "the merge went into a hidden layer";
}

TEST(MergeLinked, NeedsTwoLinkedLayers)
{
    Four f;
    f.ops->toggleLinked(2);
    EXPECT_FALSE(f.ops->mergeLinked());
    EXPECT_EQ(f.list().size(), 4);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(MergeLinked, AMergedAwayDrawingLayerPassesDrawingToTheTarget)
{
    // A file may mark a layer both linked and drawable; merging it away must not leave the
    // pattern without a drawing layer.
    Four f;
    f.ops->toggleLinked(1);
    f.layer(2).linked = true;
    f.layer(0).drawable = false;
    f.layer(2).drawable = true;
    ASSERT_TRUE(f.ops->mergeLinked());
    EXPECT_EQ(f.names(), (std::vector<std::string>{"a", "b", "背景"}));
    EXPECT_EQ(f.flags(), "-D-");
    EXPECT_TRUE(f.list().invariantsHold(f.doc));
}

}  // namespace
}  // namespace brenmark::layertest
