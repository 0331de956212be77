// "插入绣图" and pasting: refusals and their messages, the new layer, the thread mapping, and
// placing the floating piece.
#include "editor/document/pattern_file.h"
#include "editor/document/tests/layer_test_support.h"
#include "editor/document/thread_mapping.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

using Labels = std::vector<std::string>;
constexpr ColorRef kYellow = 0x00FFFF;

// A 2 x 2 pattern to insert: yellow "7" (new to the target) and blue "3x" (the target has
// blue as "3"); one line and two marks.
PatternDocument smallPattern(const char* brand = "DMC", int w = 2, int h = 2)
{
    PatternDocument p;
    p.create(w, h, brand);
    p.addThread(kYellow, "7");
    p.addThread(kBlue, "3x");
    p.grid.cells[0] = 0;  // (0, 0) yellow
    p.grid.cells[3] = 1;  // (1, 1) blue
    p.lines.push_back(line(0, 0, 1, 1, kYellow, "7"));
    p.placeMark(5, 0, 0);
    p.placeMark(6, 1, 0);  // on an empty cell
    p.layers.backgroundFromGrid(p);
    return p;
}

struct InsertFixture : Fixture {
    ScratchDir dir;
    RecordingBoxes boxes;
    LoadContext ctx;
    InsertFixture() : Fixture(6, 5)
    {
        ctx.messages = &boxes;
        ops->newLayer("top");
        ops->chooseDrawingLayer(1);  // top, 背景 (drawing)
        undo.labels.clear();
    }
    std::string save(const PatternDocument& p, const std::string& name = "in.xiu")
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(savePattern(path, p));
        return path;
    }
};

TEST(InsertPattern, BecomesAFloatingPieceInANewLayerAboveTheDrawingLayer)
{
    InsertFixture f;
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"top", "插入绣图层", "背景"}));
    EXPECT_EQ(f.flags(), "-D-");
    EXPECT_EQ(f.undo.labels, Labels{"取消插入绣图"});
    EXPECT_TRUE(f.boxes.shown.empty());
    const PatternLayer& layer = f.layer(1);
    ASSERT_TRUE(layer.floating.has_value());
    EXPECT_TRUE(std::all_of(layer.cells.begin(), layer.cells.end(), [](std::int32_t v) { return v == EmptyCell; }))
        << "the piece is not in the layer's cells until it is placed";
    const FloatingPiece& piece = *layer.floating;
    EXPECT_EQ(piece.width, 2);
    EXPECT_EQ(piece.height, 2);
    EXPECT_EQ(piece.cells, (std::vector<std::int32_t>{3, EmptyCell, EmptyCell, 2}));
    EXPECT_EQ(piece.lines.size(), 1u);
    EXPECT_EQ(piece.marks, (std::vector<StitchMark>{mark(5, 0, 0), mark(6, 1, 0)}));
    EXPECT_EQ(piece.picture.pixels, (std::vector<std::uint32_t>{pixelOf(kYellow), 0, 0, pixelOf(kBlue)}));
    EXPECT_EQ(layer.threadColors, f.doc.threads.colors);
    EXPECT_EQ(f.seen.floating, 1);
    EXPECT_TRUE(f.list().invariantsHold(f.doc));
}

TEST(InsertPattern, ThreadsAreMappedByColourAndMissingOnesAppendedUnlocked)
{
    InsertFixture f;
    f.doc.setLocked("1", true);
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    ASSERT_EQ(f.doc.threads.size(), 4);
    EXPECT_EQ(f.doc.threads.colors[3], kYellow);
    EXPECT_EQ(f.doc.threads.numbers[3], "7");
    EXPECT_EQ(f.doc.threads.numbers[2], "3") << "blue was already there: no second entry";
    EXPECT_FALSE(f.doc.isLocked("7"));
    EXPECT_TRUE(f.doc.isLocked("1"));
    EXPECT_EQ(f.doc.grid.colorValues, f.doc.threads.colors);
    EXPECT_EQ(f.doc.distinct.colors.back(), kYellow);
    EXPECT_EQ(f.doc.symbols[3].color, static_cast<std::int32_t>(kYellow));
    EXPECT_FALSE(f.doc.symbols[3].symbol.empty());
    EXPECT_EQ(f.seen.appended, (std::vector<std::pair<int, int>>{{3, 1}}));
}

TEST(InsertPattern, ALargerPatternIsRefusedSilently)
{
    InsertFixture f;
    for (auto [w, h] : {std::pair{7, 2}, std::pair{2, 6}}) {
        EXPECT_EQ(f.ops->insertPattern(f.save(smallPattern("DMC", w, h)), f.ctx), InsertOutcome::TooLarge);
    }
    EXPECT_EQ(f.list().size(), 2);
    EXPECT_TRUE(f.boxes.shown.empty());
    EXPECT_TRUE(f.undo.labels.empty());
    EXPECT_EQ(f.doc.threads.size(), 3);
}

TEST(InsertPattern, ThePatternItselfMayBeAsLargeAsTheOpenOne)
{
    InsertFixture f;
    EXPECT_EQ(f.ops->insertPattern(f.save(smallPattern("DMC", 6, 5)), f.ctx), InsertOutcome::Inserted);
}

TEST(InsertPattern, AnotherBrandIsRefusedWithAWarning)
{
    InsertFixture f;
    EXPECT_EQ(f.ops->insertPattern(f.save(smallPattern("ANCHOR")), f.ctx), InsertOutcome::OtherBrand);
    ASSERT_EQ(f.boxes.shown.size(), 1u);
    EXPECT_EQ(f.boxes.shown[0].text, "绣线色系不同不能插入");
    EXPECT_EQ(f.boxes.shown[0].title, "警告");
    EXPECT_EQ(f.boxes.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(f.list().size(), 2);
    EXPECT_TRUE(f.undo.labels.empty());
    EXPECT_EQ(f.doc.threads.size(), 3);
}

TEST(InsertPattern, BrandsCompareAsExactBytes)
{
    InsertFixture f;
    EXPECT_EQ(f.ops->insertPattern(f.save(smallPattern("dmc")), f.ctx), InsertOutcome::OtherBrand);
}

TEST(InsertPattern, AtTenLayersTheLayerCannotBeCreated)
{
    InsertFixture f;
    f.growTo(kMaxLayers);
    f.undo.labels.clear();
    const auto names = f.names();
    EXPECT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::TooManyLayers);
    ASSERT_EQ(f.boxes.shown.size(), 1u);
    EXPECT_EQ(f.boxes.shown[0].text, "创件层失败,层数超出范围");
    EXPECT_EQ(f.boxes.shown[0].title, "警告");
    EXPECT_EQ(f.boxes.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(f.names(), names);
    EXPECT_EQ(f.doc.threads.size(), 3) << "no thread of the refused pattern is taken over";
    EXPECT_TRUE(f.undo.labels.empty()) << "nothing to undo";
}

TEST(InsertPattern, TheSizeCheckComesBeforeTheBrandCheck)
{
    InsertFixture f;
    EXPECT_EQ(f.ops->insertPattern(f.save(smallPattern("ANCHOR", 9, 9)), f.ctx), InsertOutcome::TooLarge);
    EXPECT_TRUE(f.boxes.shown.empty());
}

TEST(InsertPattern, AFileTheReaderRefusesChangesNothing)
{
    InsertFixture f;
    EXPECT_EQ(f.ops->insertPattern(f.dir.file("missing.xiu"), f.ctx), InsertOutcome::LoadFailed);
    ASSERT_EQ(f.boxes.shown.size(), 2u);
    EXPECT_EQ(f.boxes.shown[1].text, "被选文件不存在");
    EXPECT_EQ(f.list().size(), 2);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(InsertPattern, WithNoDrawingLayerTheLayerGoesOnTop)
{
    InsertFixture f;
    f.list().setOnlyDrawing(-1);
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    EXPECT_EQ(f.names()[0], "插入绣图层");
}

TEST(FloatingPiece, MovesAndDropsIntoItsLayerThenRecomposes)
{
    InsertFixture f;
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    f.paint(2, 3, 2, 0);  // background: red under where the empty piece cell lands
    f.ops->recompose();
    ASSERT_TRUE(f.ops->moveFloating(2, 1));
    ASSERT_TRUE(f.ops->moveFloating(1, 1));  // the piece's top-left now at (3, 2)
    EXPECT_EQ(f.doc.grid.cells[f.at(3, 2)], 0) << "moving alone writes nothing";
    const int recomposed = f.seen.recomposed;
    ASSERT_TRUE(f.ops->dropFloating());
    const PatternLayer& layer = f.layer(1);
    EXPECT_FALSE(layer.floating.has_value());
    EXPECT_EQ(layer.cells[f.at(3, 2)], 3);
    EXPECT_EQ(layer.cells[f.at(4, 3)], 2);
    EXPECT_EQ(layer.cells[f.at(4, 2)], EmptyCell);
    EXPECT_EQ(thumbnailOf(layer, f.doc)[f.at(3, 2)], pixelOf(kYellow));
    EXPECT_EQ(f.doc.grid.cells[f.at(3, 2)], 3);
    EXPECT_EQ(f.doc.grid.cells[f.at(4, 2)], EmptyCell);
    EXPECT_EQ(f.seen.recomposed, recomposed + 1);
    ASSERT_EQ(layer.lines.size(), 1u);
    EXPECT_EQ(layer.lines[0].startColumn, 3);
    EXPECT_EQ(layer.lines[0].endRow, 3);
    EXPECT_EQ(layer.marks, std::vector<StitchMark>{mark(5, 3, 2)}) << "the mark on an empty piece cell has no stitch";
    EXPECT_NE(std::find(f.doc.marks.begin(), f.doc.marks.end(), mark(5, 3, 2)), f.doc.marks.end());
    EXPECT_EQ(f.doc.lines.size(), 1u);
    EXPECT_EQ(f.undo.labels, Labels{"取消插入绣图"}) << "moving and dropping are recorded by their callers";
}

TEST(FloatingPiece, WhatFallsOutsideThePatternIsSkipped)
{
    InsertFixture f;
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    f.ops->moveFloating(5, -1);  // (0, 0) lands at (5, -1), (1, 1) at (6, 0)
    ASSERT_TRUE(f.ops->dropFloating());
    const PatternLayer& layer = f.layer(1);
    EXPECT_TRUE(std::all_of(layer.cells.begin(), layer.cells.end(), [](std::int32_t v) { return v == EmptyCell; }));
    EXPECT_TRUE(layer.lines.empty());
    EXPECT_TRUE(layer.marks.empty());
}

TEST(FloatingPiece, ALineMayEndOnTheRightAndBottomBorder)
{
    InsertFixture f;
    PatternDocument p = smallPattern();
    p.lines = {line(0, 0, 1, 1)};  // ends at the bottom-right corner of (1, 1)
    ASSERT_EQ(f.ops->insertPattern(f.save(p), f.ctx), InsertOutcome::Inserted);
    f.ops->moveFloating(4, 3);
    ASSERT_TRUE(f.ops->dropFloating());
    EXPECT_EQ(f.layer(1).lines.size(), 1u);
}

TEST(FloatingPiece, CanBePlacedAgainWhenKept)
{
    InsertFixture f;
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    ASSERT_TRUE(f.ops->dropFloating(true));
    f.ops->moveFloating(2, 0);
    ASSERT_TRUE(f.ops->dropFloating());
    EXPECT_EQ(f.layer(1).cells[f.at(0, 0)], 3);
    EXPECT_EQ(f.layer(1).cells[f.at(2, 0)], 3);
    EXPECT_EQ(f.layer(1).lines.size(), 2u);
}

TEST(FloatingPiece, DiscardingWritesNothing)
{
    InsertFixture f;
    ASSERT_EQ(f.ops->insertPattern(f.save(smallPattern()), f.ctx), InsertOutcome::Inserted);
    ASSERT_TRUE(f.ops->discardFloating());
    EXPECT_EQ(f.ops->floatingPiece(), nullptr);
    EXPECT_FALSE(f.ops->dropFloating());
    EXPECT_FALSE(f.ops->moveFloating(1, 1));
    EXPECT_EQ(f.doc.grid.cells[0], EmptyCell);
}

TEST(FloatingPiece, ASecondInsertPutsTheFirstPieceDownWhereItIs)
{
    InsertFixture f;
    const std::string path = f.save(smallPattern());
    ASSERT_EQ(f.ops->insertPattern(path, f.ctx), InsertOutcome::Inserted);
    f.ops->moveFloating(1, 0);
    ASSERT_EQ(f.ops->insertPattern(path, f.ctx), InsertOutcome::Inserted);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"top", "插入绣图层", "插入绣图层", "背景"}));
    EXPECT_EQ(f.layer(2).cells[f.at(1, 0)], 3);
    EXPECT_FALSE(f.layer(2).floating.has_value());
    EXPECT_TRUE(f.layer(1).floating.has_value());
    EXPECT_EQ(f.list().floatingLayer(), 1);
}

PatternClipboard clipboardOf(const char* brand, int w, int h)
{
    PatternClipboard c;
    c.valid = true;
    c.width = w;
    c.height = h;
    c.cells.assign(static_cast<std::size_t>(w * h), EmptyCell);
    c.cells[0] = 1;
    c.threadColors = {kBlack, kGreen};
    c.threadNumbers = {"310", "2"};
    c.brand = brand;
    return c;
}

TEST(Paste, MakesAPasteLayerAboveTheDrawingLayer)
{
    InsertFixture f;
    ASSERT_EQ(f.ops->paste(clipboardOf("DMC", 3, 3), &f.boxes), InsertOutcome::Inserted);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"top", "粘贴层", "背景"}));
    EXPECT_EQ(f.undo.labels, Labels{"取消粘贴"});
    ASSERT_NE(f.ops->floatingPiece(), nullptr);
    EXPECT_EQ(f.ops->floatingPiece()->cells[0], 1) << "green is thread 1 in both";
    EXPECT_EQ(f.doc.threads.size(), 4) << "every thread of the block is mapped, used or not";
    EXPECT_EQ(f.doc.threads.colors[3], kBlack);
}

TEST(Paste, RefusalsAreSilentExceptForTheLayerLimit)
{
    InsertFixture f;
    EXPECT_EQ(f.ops->paste(PatternClipboard{}, &f.boxes), InsertOutcome::NothingToPaste);
    EXPECT_EQ(f.ops->paste(clipboardOf("DMC", 7, 1), &f.boxes), InsertOutcome::TooLarge);
    EXPECT_EQ(f.ops->paste(clipboardOf("ROSE", 1, 1), &f.boxes), InsertOutcome::OtherBrand);
    EXPECT_TRUE(f.boxes.shown.empty());
    f.growTo(kMaxLayers);
    f.undo.labels.clear();
    EXPECT_EQ(f.ops->paste(clipboardOf("DMC", 1, 1), &f.boxes), InsertOutcome::TooManyLayers);
    ASSERT_EQ(f.boxes.shown.size(), 1u);
    EXPECT_EQ(f.boxes.shown[0].text, "创件层失败,层数超出范围");
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(ThreadMapping, TheFirstEntryOfAColourWinsAndUnknownCellsBecomeTransparent)
{
    PatternDocument doc;
    makePattern(doc);
    doc.addThread(kRed, "1b");
    const ThreadMapping m = mapThreads(doc, {kRed, kYellow, kYellow}, {"x", "y", "z"});
    EXPECT_EQ(m.indices, (std::vector<std::int32_t>{0, 4, 4})) << "the second yellow finds the first";
    EXPECT_EQ(m.appended, 1);
    std::vector<std::int32_t> cells{0, 1, 2, 3, -1, 99};
    remapCells(cells, m);
    EXPECT_EQ(cells, (std::vector<std::int32_t>{0, 4, 4, EmptyCell, EmptyCell, EmptyCell}));
}

TEST(ThreadMapping, AFullThreadTableTakesTheNearestThreadInstead)
{
    PatternDocument doc;
    doc.create(2, 2, "DMC");
    for (int i = 0; i < kMaxThreads - 1; ++i)
        doc.addThread(rgb(static_cast<unsigned>(i), 0, 0), std::to_string(i));
    const ThreadMapping m = mapThreads(doc, {rgb(0, 0, 200), rgb(10, 0, 3)}, {"a", "b"});
    EXPECT_EQ(doc.threads.size(), kMaxThreads);
    EXPECT_EQ(m.indices[0], kMaxThreads - 1) << "one place was still free";
    EXPECT_EQ(m.indices[1], 10);
    EXPECT_EQ(m.appended, 1);
}

}  // namespace
}  // namespace brenmark::layertest
