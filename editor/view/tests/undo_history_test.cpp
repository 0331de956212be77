// The undo and redo lists: limits, labels, restore order and what a restore brings back.
#include "editor/view/tests/view_fixture.h"
#include "editor/view/undo_history.h"

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::test;

namespace {

struct UndoFixture : ::testing::Test, ViewFixture {
    UndoHistory history{view};

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

TEST(UndoLabels, RedoAndUndoLabelsFollowTheWordRules)
{
    EXPECT_EQ(UndoHistory::redoLabelFor("取消画线操作"), "Redo画线操作");
    EXPECT_EQ(UndoHistory::undoLabelFor("Redo画线操作"), "取消画线操作");
    EXPECT_EQ(UndoHistory::redoLabelFor("恢复所有颜色锁定"), "Redo上一次操作");
    EXPECT_EQ(UndoHistory::undoLabelFor("Redo上一次操作"), "取消上一次操作");
    EXPECT_EQ(UndoHistory::undoLabelFor("plain"), "取消上一次操作");
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

TEST_F(UndoFixture, SymbolsComeBackOnlyForConversionSteps)
{
    history.pushUndo("取消画线操作");
    doc.symbols[0].symbol = "Z";
    history.undo();
    EXPECT_EQ(doc.symbols[0].symbol, "Z");

    const SymbolTable original = doc.symbols;
    history.pushUndo("取消DMC绣线转ANCHOR绣线");
    doc.symbols[0].symbol = "Y";
    doc.brand = "ANCHOR";
    history.undo();
    EXPECT_EQ(doc.symbols, original);
    EXPECT_EQ(doc.brand, "DMC");
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
    EXPECT_EQ(view.currentThread().index, 1);
    EXPECT_EQ(view.currentThread().colour, rgb(0, 0, 255));
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
    UndoHistory history(f.view);
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
