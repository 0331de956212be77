// Undo steps copy only what changed since the step before: every way of writing the pattern
// must be seen, or a step would keep stale cells. Each edit here runs between two recorded
// steps; undoing a later edit must then give back exactly the state the edit left.
#include "editor/view/tests/selection_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace brenmark::test {
namespace {

// The whole editing state, buffers included, as undo must put it back.
struct FullState {
    DocumentState document;
    QImage picture;

    static FullState of(const SelectionFixture& f)
    {
        return FullState{DocumentState::of(f.doc), f.view.cellImage().convertToFormat(QImage::Format_RGB32)};
    }
    bool operator==(const FullState& o) const { return document == o.document && picture == o.picture; }
};

void stroke(SelectionFixture& f, std::initializer_list<CellPoint> cells)
{
    const CellPoint* c = cells.begin();
    f.tools.mouseDown(f.at(c->x, c->y));
    for (++c; c != cells.end(); ++c)
        f.tools.mouseMove(f.at(c->x, c->y));
    f.tools.mouseUp(f.at((cells.end() - 1)->x, (cells.end() - 1)->y));
}

struct Edit {
    const char* name;
    std::function<void(SelectionFixture&)> run;
};

void PrintTo(const Edit& e, std::ostream* os) { *os << e.name; }

class EveryWriteIsSeen : public ::testing::TestWithParam<Edit> {};

TEST_P(EveryWriteIsSeen, ByTheStepRecordedAfterIt)
{
    SelectionFixture f;
    f.make(150, 130);  // 19 500 cells: more than one chunk
    f.fillRect(10, 10, 60, 40, 0);
    f.fillRect(100, 100, 140, 125, 1);
    f.addLine(10, 10, TopLeft, 50, 30, TopLeft);
    f.current.set({2, kBlue, "2"});
    f.history.pushUndo("取消描点操作");

    GetParam().run(f);
    const FullState edited = FullState::of(f);
    f.history.pushUndo("取消描点操作");
    f.view.setCell(149, 129, 0);  // a later edit, undone below
    f.doc.layers[f.doc.layers.size() - 1].cells[f.doc.grid.indexOf(149, 129)] = 0;
    ASSERT_TRUE(f.history.undo());
    EXPECT_TRUE(FullState::of(f) == edited);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EveryWriteIsSeen,
    ::testing::Values(
        Edit{"PointTool", [](SelectionFixture& f) {
                 f.tools.selectTool(static_cast<int>(Tool::Point));
                 stroke(f, {{1, 1}, {2, 1}, {3, 2}, {120, 110}});
             }},
        Edit{"SolidRectangle", [](SelectionFixture& f) {
                 f.tools.selectTool(static_cast<int>(Tool::SolidRect));
                 stroke(f, {{70, 5}, {90, 100}});
             }},
        Edit{"Fill", [](SelectionFixture& f) {
                 f.tools.selectTool(static_cast<int>(Tool::Fill));
                 stroke(f, {{20, 20}});
             }},
        Edit{"Eraser", [](SelectionFixture& f) {
                 f.tools.selectTool(static_cast<int>(Tool::Eraser));
                 stroke(f, {{12, 12}, {13, 12}, {14, 13}});
             }},
        Edit{"Text", [](SelectionFixture& f) {
                 f.tools.selectTool(static_cast<int>(Tool::Text));
                 stroke(f, {{5, 60}});
                 f.tools.typeText("Ab");
             }},
        Edit{"DirectCells", [](SelectionFixture& f) {
                 f.view.setCell(140, 5, 1);
                 f.doc.layers[0].cells[f.doc.grid.indexOf(140, 5)] = 1;
             }},
        Edit{"LayerEye", [](SelectionFixture& f) {
                 f.layerOps.newLayer("x");
                 f.doc.layers[0].cells[7] = 2;
                 f.layerOps.recompose();
                 f.view.rebuildCellImage();
                 f.layerOps.toggleVisible(1);
                 f.view.rebuildCellImage();
             }},
        Edit{"MergeVisible", [](SelectionFixture& f) {
                 f.layerOps.newLayer("x");
                 f.doc.layers[0].cells[f.doc.grid.cellCount() - 1] = 2;
                 f.layerOps.mergeVisible();
                 f.view.rebuildCellImage();
             }},
        Edit{"MoveSelection", [](SelectionFixture& f) {
                 f.selectRect(10, 10, 30, 30);
                 f.sel.moveContents(5, 90, false);
             }},
        Edit{"ClearSelection", [](SelectionFixture& f) {
                 f.selectRect(100, 100, 120, 120);
                 f.sel.clearSelection(false);
             }},
        Edit{"Rotate", [](SelectionFixture& f) {
                 f.selectRect(10, 10, 40, 30);
                 f.sel.setRotationCentre();
                 f.sel.rotateSelection(kRotations[1].angle, false);
             }},
        Edit{"FabricColour", [](SelectionFixture& f) { f.doc.setFabricColor(rgb(250, 240, 200)); }},
        Edit{"ReplaceThreadColour", [](SelectionFixture& f) {
                 f.doc.threads.colors[0] = rgb(10, 200, 10);
                 f.doc.grid.colorValues = f.doc.threads.colors;
                 f.layerOps.recompose();
                 f.view.rebuildCellImage();
             }}),
    [](const ::testing::TestParamInfo<Edit>& edit) { return std::string(edit.param.name); });

TEST(UndoSharing, AStepAfterASmallEditCopiesOnlyTheChunksItTouched)
{
    SelectionFixture f;
    f.make(256, 128);  // exactly two chunks per buffer
    f.history.pushUndo("取消描点操作");
    const std::size_t first = f.history.storedBytes();
    f.view.setCell(3, 3, 1);                                  // the grid's chunk 0
    f.doc.layers[0].cells[f.doc.grid.indexOf(200, 100)] = 1;  // the layer's chunk 1
    f.history.pushUndo("取消描点操作");
    // One byte a cell, and the picture is drawn again from the grid rather than kept.
    EXPECT_EQ(f.history.storedBytes() - first, 2 * WriteTracker::kChunk);
    // A step with nothing written since shares everything.
    const std::size_t second = f.history.storedBytes();
    f.history.pushUndo("取消描点操作");
    EXPECT_EQ(f.history.storedBytes(), second);
}

TEST(UndoSharing, AReorderedLayerIsComparedNotTrustedBySlot)
{
    SelectionFixture f;
    f.make(150, 130);
    f.fillRect(0, 0, 150, 65, 0);
    f.layerOps.newLayer("top");
    f.doc.layers[0].cells[5] = 1;
    f.layerOps.recompose();
    f.view.rebuildCellImage();
    f.history.pushUndo("取消调整层顺序");
    f.layerOps.reorder(0, 1);  // the two layers change slots
    f.view.rebuildCellImage();
    const FullState reordered = FullState::of(f);
    f.history.pushUndo("取消描点操作");
    f.view.setCell(1, 1, 2);
    ASSERT_TRUE(f.history.undo());
    EXPECT_TRUE(FullState::of(f) == reordered);
}

}  // namespace
}  // namespace brenmark::test
