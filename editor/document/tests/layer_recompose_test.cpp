// Composing the visible grid, its lines and marks and the work image from the visible layers.
#include "editor/document/layer_composer.h"
#include "editor/document/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

// Three layers: top "a", middle "b", bottom 背景.
struct Stack : Fixture {
    Stack()
    {
        ops->newLayer("b");
        ops->newLayer("a");
    }
};

TEST(Recompose, HidingEveryLayerLeavesOnlyFabric)
{
    Stack f;
    f.paint(0, 0, 0, 0);
    f.paint(1, 1, 1, 1);
    f.paint(2, 2, 2, 2);
    f.layer(1).lines.push_back(line(0, 0, 3, 2));
    f.layer(2).marks.push_back(mark(4, 2, 2));
    f.doc.setFabricColor(0x123456);
    f.ops->recompose();
    ASSERT_EQ(f.doc.lines.size(), 1u);
    ASSERT_EQ(f.doc.marks.size(), 1u);
    for (int i = 0; i < 3; ++i)
        f.ops->toggleVisible(i);
    EXPECT_EQ(f.doc.grid.cells, std::vector<std::int32_t>(12, EmptyCell));
    EXPECT_TRUE(f.doc.lines.empty());
    EXPECT_TRUE(f.doc.marks.empty());
    EXPECT_EQ(f.picture(), std::vector<std::uint32_t>(12, pixelOf(0x123456)));
    EXPECT_EQ(f.layer(1).cells[f.at(1, 1)], 1) << "hiding keeps the layers' contents";
}

TEST(Recompose, TheUpperOfTwoVisibleLayersWinsAndHidingItShowsTheLower)
{
    Stack f;
    f.paint(0, 2, 1, 0);  // red on top
    f.paint(1, 2, 1, 1);  // green in the middle
    f.ops->recompose();
    EXPECT_EQ(f.doc.grid.cells[f.at(2, 1)], 0);
    EXPECT_EQ(f.picture()[f.at(2, 1)], pixelOf(kRed));
    f.ops->toggleVisible(0);
    EXPECT_EQ(f.doc.grid.cells[f.at(2, 1)], 1);
    EXPECT_EQ(f.picture()[f.at(2, 1)], pixelOf(kGreen));
}

TEST(Recompose, TransparentCellsLetLowerLayersShowThrough)
{
    Stack f;
    f.paint(2, 0, 0, 2);
    f.paint(2, 1, 0, 2);
    f.paint(1, 1, 0, 1);
    f.ops->recompose();
    EXPECT_EQ(f.doc.grid.cells[f.at(0, 0)], 2);
    EXPECT_EQ(f.doc.grid.cells[f.at(1, 0)], 1);
    EXPECT_EQ(f.doc.grid.cells[f.at(2, 0)], EmptyCell);
    EXPECT_EQ(f.picture()[f.at(2, 0)], pixelOf(kWhite));
}

TEST(Recompose, LinesAreConcatenatedBottomMostFirst)
{
    Stack f;
    f.layer(0).lines = {line(0, 0, 1, 0, kRed)};
    f.layer(1).lines = {line(1, 1, 2, 1, kGreen), line(2, 2, 3, 2, kGreen)};
    f.layer(2).lines = {line(3, 0, 3, 2, kBlue)};
    f.ops->recompose();
    ASSERT_EQ(f.doc.lines.size(), 4u);
    EXPECT_EQ(f.doc.lines[0].color, kBlue);
    EXPECT_EQ(f.doc.lines[1].color, kGreen);
    EXPECT_EQ(f.doc.lines[2].startColumn, 2);
    EXPECT_EQ(f.doc.lines[3].color, kRed);
    f.ops->toggleVisible(1);
    ASSERT_EQ(f.doc.lines.size(), 2u);
    EXPECT_EQ(f.doc.lines[0].color, kBlue);
}

TEST(Recompose, UpperMarksReplaceThoseOnTheSameCellInPlaceOrAppend)
{
    Stack f;
    f.layer(2).marks = {mark(1, 0, 0), mark(2, 1, 0), mark(3, 2, 0)};
    f.layer(1).marks = {mark(7, 1, 0), mark(8, 3, 2)};
    f.layer(0).marks = {mark(9, 3, 2), mark(6, 0, 1)};
    f.ops->recompose();
    EXPECT_EQ(f.doc.marks, (std::vector<StitchMark>{mark(1, 0, 0), mark(7, 1, 0), mark(3, 2, 0), mark(9, 3, 2),
                                                    mark(6, 0, 1)}));
}

TEST(Recompose, ColumnAndRowBothDecideWhichMarkIsReplaced)
{
    Stack f;
    f.layer(2).marks = {mark(1, 1, 2)};
    f.layer(0).marks = {mark(2, 2, 1)};
    f.ops->recompose();
    EXPECT_EQ(f.doc.marks.size(), 2u);
}

TEST(Recompose, AHiddenBottomLayerLeavesTheNextVisibleOneAsBase)
{
    Stack f;
    f.paint(2, 0, 0, 2);
    f.layer(2).marks = {mark(1, 0, 0)};
    f.layer(1).marks = {mark(5, 0, 0)};
    f.ops->toggleVisible(2);
    EXPECT_EQ(f.doc.grid.cells[0], EmptyCell);
    EXPECT_EQ(f.doc.marks, std::vector<StitchMark>{mark(5, 0, 0)});
}

TEST(Recompose, ACellNamingNoThreadIsKeptAndShowsFabric)
{
    Stack f;
    f.layer(1).cells[f.at(1, 1)] = 200;  // only three threads exist
    f.layer(0).cells[f.at(2, 2)] = -7;   // not even a byte value
    f.paint(2, 1, 1, 0);
    f.ops->recompose();
    EXPECT_EQ(f.doc.grid.cells[f.at(1, 1)], 200);
    EXPECT_EQ(f.picture()[f.at(1, 1)], pixelOf(kWhite));
    EXPECT_EQ(f.picture()[f.at(2, 2)], pixelOf(kWhite));
    EXPECT_EQ(f.layer(1).cells[f.at(1, 1)], 200);
}

TEST(Recompose, EveryCellIsTheTopMostOpaqueLayerCell)
{
    Fixture f(37, 29);  // not a multiple of any block or vector width
    f.ops->newLayer("b");
    f.ops->newLayer("a");
    std::mt19937 rng(7);
    for (int l = 0; l < 3; ++l)
        for (std::size_t i = 0; i < f.layer(l).cells.size(); ++i)
            f.layer(l).cells[i] = static_cast<std::int32_t>(rng() % 5) - 1;  // -1..3, 3 is unknown
    f.ops->recompose();
    const std::vector<std::uint32_t> picture = f.picture();
    for (std::size_t i = 0; i < f.doc.grid.cells.size(); ++i) {
        std::int32_t expect = EmptyCell;
        for (int l = 2; l >= 0; --l)
            if (f.layer(l).cells[i] != EmptyCell)
                expect = f.layer(l).cells[i];
        ASSERT_EQ(f.doc.grid.cells[i], expect) << i;
        ASSERT_EQ(picture[i], pixelOf(f.doc.shownColor(expect))) << i;
    }
}

TEST(Recompose, ALayerOfAnotherSizeIsLeftOutRatherThanReadPastItsEnd)
{
    Stack f;
    f.paint(2, 0, 0, 1);
    f.layer(0).cells.assign(3, 0);
    f.ops->recompose();
    EXPECT_EQ(f.doc.grid.cells[0], 1);
    EXPECT_FALSE(f.list().invariantsHold(f.doc));
}

TEST(OverlayLayerBytes, EveryLengthAroundTheVectorWidth)
{
    for (std::size_t n = 0; n < 70; ++n) {
        std::vector<LayerByte> dst(n), src(n);
        for (std::size_t i = 0; i < n; ++i) {
            dst[i] = static_cast<LayerByte>(i);
            // Thread 254, the largest, must never be taken for transparent.
            src[i] = i % 3 == 0 ? kTransparentByte : static_cast<LayerByte>(i % 3 == 1 ? 254 : 100 + i);
        }
        overlayLayerBytes(dst.data(), src.data(), n);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(dst[i], i % 3 == 0 ? i : i % 3 == 1 ? 254 : 100 + i) << n;
    }
}

}  // namespace
}  // namespace brenmark::layertest
