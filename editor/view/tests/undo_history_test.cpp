// The undo and redo lists: limits, labels, restore order and what a restore brings back.
#include "editor/document/layer_operations.h"
#include "editor/document/thread_operations.h"
#include "editor/view/tests/view_fixture.h"
#include "editor/view/undo_history.h"

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::test;

namespace {

struct UndoFixture : ::testing::Test, ViewFixture {
    UndoHistory history{view, current};

    UndoFixture() { make(4, 3, {rgb(255, 0, 0), rgb(0, 0, 255)}); }

    // A drawing operation: record, then change one cell in the grid and its picture.
    void draw(int x, int y, int index, const std::string& label = "取消画线操作")
    {
        history.pushUndo(label);
        view.setCell(x, y, index);
        doc.layers[0].cells[doc.grid.indexOf(x, y)] = index;
    }
};

}  // namespace

TEST(UndoLabels, TheOperationFollowsTheUndoWord)
{
    EXPECT_EQ(UndoHistory::operationOf("取消画线操作"), "画线操作");
    EXPECT_EQ(UndoHistory::redoLabel(UndoHistory::operationOf("取消画线操作")), "Redo画线操作");
    EXPECT_EQ(UndoHistory::undoLabel("画线操作"), "取消画线操作");
    EXPECT_EQ(UndoHistory::operationOf("恢复所有颜色锁定"), "上一次操作");
    EXPECT_EQ(UndoHistory::operationOf("plain"), "上一次操作");
    // A plug-in's step: the operation is all after the first undo word.
    EXPECT_EQ(UndoHistory::operationOf("取消插件取消者动作"), "插件取消者动作");
}

TEST_F(UndoFixture, SixOperationsLeaveFiveUndoable)
{
    for (int i = 0; i < 6; ++i)
        draw(i % 4, i / 4, 0, "取消描点操作");
    EXPECT_EQ(history.undoCount(), 5u);
    int undone = 0;
    while (history.undo())
        ++undone;
    EXPECT_EQ(undone, 5);
    // The first cell was drawn before the oldest surviving step: it stays.
    EXPECT_EQ(doc.cell(0, 0), 0);
    EXPECT_EQ(doc.cell(1, 0), EmptyCell);
    EXPECT_EQ(history.redoCount(), 5u);
}

TEST_F(UndoFixture, UndoThenRedoRoundTripsWithTheirLabels)
{
    draw(1, 1, 1);
    EXPECT_EQ(history.undoCaption(), "取消画线操作");
    EXPECT_EQ(history.redoCaption(), kNoRedo);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.cell(1, 1), EmptyCell);
    EXPECT_EQ(history.undoCaption(), kNoUndo);
    EXPECT_EQ(history.redoCaption(), "Redo画线操作");
    EXPECT_EQ(view.cellImage().pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(doc.cell(1, 1), 1);
    EXPECT_EQ(view.cellImage().pixel(1, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(history.undoCaption(), "取消画线操作");
    EXPECT_FALSE(history.redo());
}

TEST_F(UndoFixture, UndoOfARestoreStepLeavesAGenericRedo)
{
    doc.setLocked("0", true);
    history.pushUndo("恢复所有颜色锁定");
    doc.clearLocks();
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(doc.isLocked("0"));
    EXPECT_EQ(history.redoCaption(), "Redo上一次操作");
    ASSERT_TRUE(history.redo());
    EXPECT_FALSE(doc.isLocked("0"));
    EXPECT_EQ(history.undoCaption(), "取消上一次操作");
}

TEST_F(UndoFixture, RedoAfterANewEditRestoresTheDisplacedState)
{
    draw(0, 0, 0);
    history.undo();             // cell (0,0) empty again; redo holds "drawn"
    draw(2, 2, 1);              // a new edit does not drop the redo step
    EXPECT_EQ(history.redoCount(), 1u);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(doc.cell(0, 0), 0);
    EXPECT_EQ(doc.cell(2, 2), EmptyCell);  // the state the undo displaced, over the new drawing
}

TEST_F(UndoFixture, UndoOfAResizeRestoresSizePictureAndLayers)
{
    history.pushUndo("取消修改绣图尺寸");
    const auto before = doc.layers[0].cells;
    doc.grid.allocate(6, 5);
    doc.grid.colorValues = doc.threads.colors;
    doc.layers.backgroundFromGrid(doc);
    view.rebuildCellImage();
    ASSERT_EQ(view.cellImage().size(), QSize(6, 5));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.width(), 4);
    EXPECT_EQ(doc.height(), 3);
    EXPECT_EQ(view.cellImage().size(), QSize(4, 3));
    ASSERT_EQ(doc.layers.size(), 1);
    EXPECT_EQ(doc.layers[0].cells, before);
}

// --- symbols: back with the steps whose operation changes them, untouched by the others ---

TEST_F(UndoFixture, DrawingStepsLeaveTheSymbolsAsTheyAre)
{
    // Choosing a symbol is no undo step: undoing a stroke must not take the choice back.
    for (const char* label : {"取消画线操作", "取消描点操作", "取消挖空操作", "取消新建层", "取消修改绣图尺寸", "取消选区旋转"}) {
        history.pushUndo(label);
        doc.symbols[0].symbol = "Z";
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(doc.symbols[0].symbol, "Z") << label;
        doc.symbols[0].symbol = "Y";
        ASSERT_TRUE(history.redo());
        EXPECT_EQ(doc.symbols[0].symbol, "Y") << label;
    }
    // Releasing the locks is a colour operation that changes no symbol, in its undo and,
    // under the generic label, in every redo and undo after.
    history.pushUndo(kUndoReleaseLocks);
    doc.symbols[0].symbol = "X";
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.symbols[0].symbol, "X");
    doc.symbols[0].symbol = "W";
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(history.undoCaption(), "取消上一次操作");
    EXPECT_EQ(doc.symbols[0].symbol, "W");
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.symbols[0].symbol, "W");
}

TEST_F(UndoFixture, WhatAStepRestoresFollowsItsKindNotItsText)
{
    // The label is only shown: a translated one, or a Chinese one recorded as a plain edit,
    // changes nothing about what comes back.
    for (const UndoStep& step : {UndoStep{"Undo replace colour", UndoKind::ThreadTable},
                                 UndoStep{"", UndoKind::ThreadTable}, UndoStep{kUndoReplaceColour, UndoKind::Edit}}) {
        doc.assignDefaultSymbols();
        const SymbolTable before = doc.symbols;
        history.pushUndo(step);
        doc.symbols[1] = doc.symbols[0];
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(doc.symbols == before, step.kind == UndoKind::ThreadTable) << step.label;
        history.clear();
    }
}

TEST_F(UndoFixture, EveryColourOperationGivesBackItsSymbolsOnUndoAndRedo)
{
    // Each operation changes slot 1 the way a colour operation does (the slot follows the
    // thread that takes the table entry over); undo and redo put back each side exactly.
    for (const std::string& label :
         {std::string(kUndoReplaceColour), std::string(kUndoAreaReplaceColour), std::string(kUndoRemoveColour),
          std::string(kUndoReduceColours), std::string(kUndoAddColour), std::string(kUndoLastAddedColour),
          std::string(kUndoDeleteUnusedThreads), std::string(kUndoHollowColour), std::string("取消DMC绣线转ANCHOR绣线"),
          std::string(kUndoPaste), std::string(kUndoInsertPattern)}) {
        doc.assignDefaultSymbols();
        const SymbolTable before = doc.symbols;
        history.pushUndo({label, UndoKind::ThreadTable});
        doc.symbols[1] = doc.symbols[0];
        const SymbolTable after = doc.symbols;
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(doc.symbols, before) << label;
        ASSERT_TRUE(history.redo());
        EXPECT_EQ(doc.symbols, after) << label;
        // And once more from the labels the redo step left.
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(doc.symbols, before) << label;
        history.clear();
    }
}

TEST_F(UndoFixture, UndoingTheSavesThreadCleanUpGivesTheRestoredThreadItsOwnSymbol)
{
    // Red, green (unused) and blue, as the save finds them: deleting green moves blue's
    // symbol into green's slot; after undo green shows its own symbol again.
    make(4, 3, {rgb(255, 0, 0), rgb(0, 200, 0), rgb(0, 0, 255)});
    view.setCell(0, 0, 0);
    view.setCell(1, 0, 2);
    doc.layers.backgroundFromGrid(doc);
    doc.distinct.rebuild(doc.threads);
    const SymbolTable before = doc.symbols;
    ASSERT_NE(before[1].symbol, before[2].symbol);

    history.pushUndo({kUndoDeleteUnusedThreads, UndoKind::ThreadTable});
    ASSERT_EQ(deleteUnusedThreads(doc), 1);
    const SymbolTable after = doc.symbols;
    ASSERT_NE(after, before);

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.threads.colors[1], rgb(0, 200, 0));
    EXPECT_EQ(doc.symbols, before);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(doc.symbols, after);
}

TEST_F(UndoFixture, UndoingAnInsertTakesBackTheSymbolGivenToItsNewThread)
{
    doc.assignDefaultSymbols();
    doc.symbols[2].symbol = "Z";  // the slot the inserted pattern's thread will take
    const SymbolTable before = doc.symbols;
    PatternDocument piece;
    piece.create(2, 2, "DMC");
    piece.addThread(rgb(0, 150, 0), "green");
    piece.setCell(0, 0, 0);
    piece.layers.backgroundFromGrid(piece);
    LayerOperations layers(doc, history);
    ASSERT_EQ(layers.insertPatternFrom(piece, nullptr), InsertOutcome::Inserted);
    ASSERT_NE(doc.symbols[2].symbol, "Z");

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.symbols, before);
}

TEST_F(UndoFixture, CurrentColourThreadsAndLinesComeBack)
{
    view.setCurrentColour(rgb(0, 0, 255), false);
    history.pushUndo("取消增加颜色");
    doc.addThread(rgb(1, 2, 3), "new");
    BackstitchLine line;
    line.thread = "x";
    doc.lines.push_back(line);
    view.setCurrentColour(rgb(1, 2, 3), false);
    history.undo();
    EXPECT_EQ(doc.threads.size(), 2);
    EXPECT_EQ(doc.distinct.colors.size(), 2u);
    EXPECT_TRUE(doc.lines.empty());
    EXPECT_EQ(current.thread().index, 1);
    EXPECT_EQ(current.thread().colour, rgb(0, 0, 255));
}

TEST_F(UndoFixture, LongLabelsAreCutToThirtyOneBytesOnACharacterBoundary)
{
    history.pushUndo("取消一二三四五六七八九十一二三四五六");  // 36 bytes
    EXPECT_EQ(history.undoCaption(), "取消一二三四五六七八九十一二三");
    EXPECT_LE(history.undoCaption().size(), 31u);
}

TEST_F(UndoFixture, ClearEmptiesBothLists)
{
    draw(0, 0, 0);
    draw(1, 0, 0);
    history.undo();
    history.clear();
    EXPECT_EQ(history.undoCaption(), kNoUndo);
    EXPECT_EQ(history.redoCaption(), kNoRedo);
    EXPECT_FALSE(history.undo());
}

TEST_F(UndoFixture, ReplaceStepsRebuildOnlyTheirTile)
{
    history.pushUndo("取消替换颜色");
    history.setTileOfLastStep(1, rgb(0, 0, 255));
    EXPECT_EQ(history.newestUndoStep().tileIndex, 1);
    EXPECT_EQ(history.newestUndoStep().tileColour, rgb(0, 0, 255));
    EXPECT_TRUE(history.undo());
}

TEST(UndoMemory, SmallEditsShareTheUnchangedChunks)
{
    ViewFixture f;
    f.make(400, 300, {rgb(1, 2, 3)});
    UndoHistory history(f.view, f.current);
    history.pushUndo("取消描点操作");
    const std::size_t first = history.storedBytes();
    // A full copy of the grid and the layer's cells, one byte a cell; no picture.
    EXPECT_EQ(first, 400u * 300u * 2u);
    for (int i = 0; i < 4; ++i) {
        f.view.setCell(i * 97, i * 71, 0);
        history.pushUndo("取消描点操作");
    }
    // Each edit wrote one chunk of the grid.
    EXPECT_EQ(history.storedBytes(), first + 4 * WriteTracker::kChunk);
    // Every step still restores whole.
    while (history.undo()) {
    }
    EXPECT_EQ(f.doc.grid.cells, std::vector<std::int32_t>(400u * 300u, EmptyCell));
    EXPECT_EQ(f.view.cellImage().pixel(97, 71) & 0xFFFFFF, 0xFFFFFFu);
    while (history.redo()) {
    }
    EXPECT_EQ(f.doc.cell(3 * 97, 3 * 71), 0);
}

TEST_F(UndoFixture, OnlyAPlugInsRecordNamesThePickedLine)
{
    BackstitchLine a, b;
    b.startColumn = 2;
    doc.layers[0].lines = {a, b};
    doc.lines = {a, b};
    view.marks().pickedLine = 1;
    const UndoSnapshot record = history.makeSnapshot("插件数据");
    ASSERT_EQ(record.lines.size(), 2u);
    EXPECT_EQ(record.lines[0].selected, 0);
    EXPECT_EQ(record.lines[1].selected, 1);
    history.pushUndo("取消描边操作");
    for (const BackstitchLine& line : history.newestUndoStep().lines)
        EXPECT_EQ(line.selected, 0) << "the pick is the view's, not the step's";
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(view.marks().pickedLine, -1) << "the lines were put back: the pick went with the old ones";
    EXPECT_EQ(doc.lineSources, (std::vector<LineSource>{{0, 0}, {0, 1}})) << "each line knows its layer again";
}

TEST_F(UndoFixture, TheStateComesBackExactlyWithTheDocument)
{
    const std::uint64_t saved = history.state();
    draw(0, 0, 0);
    const std::uint64_t afterFirst = history.state();
    EXPECT_NE(afterFirst, saved);
    draw(1, 0, 1);
    EXPECT_NE(history.state(), afterFirst);

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.state(), afterFirst);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.state(), saved);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(history.state(), afterFirst);

    // A new edit after an undo is a state never seen before, even where the redo list still
    // holds the old one.
    draw(2, 2, 1);
    EXPECT_NE(history.state(), saved);
    EXPECT_NE(history.state(), afterFirst);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.state(), afterFirst);

    // An edit no step records leaves the state for good.
    history.leaveState();
    EXPECT_NE(history.state(), afterFirst);
    EXPECT_NE(history.state(), saved);
}

TEST_F(UndoFixture, TheStepLimitIsASettingFromOneTo200)
{
    history.setLimits(12, 0);
    for (int i = 0; i < 12; ++i)
        draw(i % 4, i / 4, 0, "取消描点操作");
    EXPECT_EQ(history.undoCount(), 12u);
    draw(3, 2, 1);
    EXPECT_EQ(history.undoCount(), 12u);

    // Lowering it drops the oldest steps at once: the newest stay undoable.
    history.setLimits(3, 0);
    EXPECT_EQ(history.undoCount(), 3u);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(doc.cell(3, 2), 0);  // the newest step came back first

    history.setLimits(0, 0);
    EXPECT_EQ(history.stepLimit(), 1u);
    history.setLimits(100000, 0);
    EXPECT_EQ(history.stepLimit(), UndoHistory::kMaxLimit);
}

TEST(UndoMemory, TheByteCapDropsTheOldestStepsFirstAndKeepsTheNewest)
{
    ViewFixture f;
    f.make(400, 300, {rgb(1, 2, 3), rgb(4, 5, 6)});
    UndoHistory history(f.view, f.current);
    // Every fill changes every cell of the grid, so neighbouring steps share no grid chunk.
    const auto fill = [&](int i) {
        history.pushUndo("取消填充操作");
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                f.view.setCell(x, y, i % 2);
    };
    history.setLimits(200, 0);
    for (int i = 0; i < 3; ++i)
        fill(i);
    const std::size_t three = history.storedBytes();
    history.setLimits(200, three);
    for (int i = 3; i < 10; ++i)
        fill(i);
    EXPECT_LE(history.storedBytes(), three);
    EXPECT_EQ(history.undoCount(), 3u);
    // The newest step is the one kept: undo goes back to the ninth fill.
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(f.doc.cell(10, 10), 0);

    // Even one step over the cap stays, or nothing could ever be undone.
    history.setLimits(200, 1);
    EXPECT_GE(history.undoCount() + history.redoCount(), 1u);
}

TEST(UndoMemory, AfterAnUndoTheCapKeepsTheStepTheUserJustLeft)
{
    ViewFixture f;
    f.make(400, 300, {rgb(1, 2, 3), rgb(4, 5, 6)});
    UndoHistory history(f.view, f.current);
    const auto fill = [&](int thread) {
        history.pushUndo("取消填充操作");
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                f.view.setCell(x, y, thread);
    };
    history.setLimits(200, 0);
    fill(0);
    fill(1);
    const std::size_t two = history.storedBytes();
    history.setLimits(200, two);
    fill(0);
    fill(1);
    // A whole-pattern fill undone: its redo step shares nothing and goes over the cap. The
    // oldest undo steps make room, never the fill the user may want back.
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(f.doc.cell(5, 5), 0);
    ASSERT_EQ(history.redoCount(), 1u);
    EXPECT_LE(history.storedBytes(), two);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(f.doc.cell(5, 5), 1);
}

TEST(UndoMemory, TheRunningCountOfHeldBytesMatchesAWalkOverEveryStep)
{
    ViewFixture f;
    f.make(300, 200, {rgb(1, 2, 3), rgb(4, 5, 6)});
    UndoHistory history(f.view, f.current);
    history.setLimits(7, 0);
    for (int i = 0; i < 40; ++i) {
        switch (i % 5) {
        case 0:
        case 1:
        case 2:
            history.pushUndo("取消描点操作");
            f.view.setCell((i * 37) % 300, (i * 53) % 200, i % 2);
            break;
        case 3: history.undo(); break;
        case 4: history.redo(); break;
        }
        ASSERT_EQ(history.storedBytes(), history.storedBytesByWalk()) << "after step " << i;
    }
    history.setLimits(2, 0);
    EXPECT_EQ(history.storedBytes(), history.storedBytesByWalk());
    history.clear();
    EXPECT_EQ(history.storedBytes(), 0u);
}
