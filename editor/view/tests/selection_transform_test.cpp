// Scaling and resizing through the Edit menu's dialogs, and undo of every selection
// operation putting the document back exactly.
#include "editor/view/tests/selection_test_support.h"

#include <functional>

namespace brenmark::test {
namespace {

TEST(PatternScale, TenByTenTimesOneAndAHalfIsFifteenWithNearestSources)
{
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(1, 1, 2, 2, 1);  // only (1, 1)
    f.selectRect(0, 0, 3, 3);
    f.dialogs.factor = 1.5;
    f.sel.command(CmdScalePattern);
    EXPECT_EQ(f.lastLabel(), kUndoScalePattern);
    ASSERT_EQ(f.doc.width(), 15);
    ASSERT_EQ(f.doc.height(), 15);
    EXPECT_EQ(f.doc.layers[0].cells.size(), 225u);
    EXPECT_EQ(f.doc.cell(1, 1), 1);
    EXPECT_EQ(f.doc.cell(2, 2), 1);  // 2 / 1.5 + 0.5 = 1.83
    EXPECT_EQ(f.doc.cell(3, 3), EmptyCell);
    EXPECT_EQ(f.view.cellImage().width(), 15);
    EXPECT_TRUE(f.imageMatchesGrid());
    EXPECT_FALSE(f.sel.query().closed());
}

TEST(PatternScale, CancelAndUnusableFactorsChangeNothing)
{
    SelectionFixture f;
    f.make(10, 10);
    f.sel.command(CmdScalePattern);  // cancelled
    f.dialogs.factor = 0.0;
    f.sel.command(CmdScalePattern);
    EXPECT_EQ(f.history.undoCount(), 0u);
    EXPECT_EQ(f.doc.width(), 10);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgScaleOutOfRange);
}

TEST(PatternResize, GrowingLeavesNewCellsEmptyShrinkingDropsLinesEndingOutside)
{
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(0, 0, 10, 10, 2);
    f.addLine(1, 1, TopLeft, 9, 9, BottomRight);
    f.addLine(1, 1, TopLeft, 7, 7, BottomRight);
    f.addMark(9, 9);
    f.dialogs.size = TransformDialogs::Size{12, 12};
    f.sel.command(CmdResizePattern);
    EXPECT_EQ(f.dialogs.asked.width, 10);
    EXPECT_EQ(f.lastLabel(), kUndoResizePattern);
    ASSERT_EQ(f.doc.width(), 12);
    for (int i = 0; i < 12; ++i)
        for (int j : {10, 11}) {
            EXPECT_EQ(f.doc.cell(i, j), EmptyCell);
            EXPECT_EQ(f.doc.cell(j, i), EmptyCell);
        }
    EXPECT_EQ(f.doc.cell(9, 9), 2);
    EXPECT_EQ(f.doc.lines.size(), 2u);

    f.dialogs.size = TransformDialogs::Size{8, 8};
    f.sel.command(CmdResizePattern);
    ASSERT_EQ(f.doc.width(), 8);
    ASSERT_EQ(f.doc.lines.size(), 1u);
    EXPECT_EQ(f.doc.lines[0].endColumn, 7);
    EXPECT_TRUE(f.doc.marks.empty());
    EXPECT_EQ(f.doc.cell(7, 7), 2);
    EXPECT_TRUE(f.imageMatchesGrid());
}

struct UndoCase {
    const char* name;
    std::string label;
    std::function<void(SelectionFixture&)> act;
};

void prepare(SelectionFixture& f)
{
    f.make(12, 12);
    f.fillRect(2, 2, 7, 7, 0);
    f.fillRect(3, 3, 5, 4, 1);
    f.addLine(2, 2, TopLeft, 4, 4, BottomRight);
    f.addMark(3, 3);
    f.selectRect(2, 2, 7, 7);
}

class EverySelectionOperation : public ::testing::TestWithParam<UndoCase> {};

TEST_P(EverySelectionOperation, UndoPutsTheDocumentBackExactly)
{
    const UndoCase& c = GetParam();
    SelectionFixture f;
    prepare(f);
    const DocumentState before = DocumentState::of(f.doc);
    c.act(f);
    ASSERT_GE(f.history.undoCount(), 1u);
    EXPECT_EQ(f.lastLabel(), c.label);
    EXPECT_NE(DocumentState::of(f.doc), before);
    while (f.history.undoCount() > 0)
        f.history.undo();
    EXPECT_EQ(DocumentState::of(f.doc), before);
    EXPECT_FALSE(f.sel.query().closed());  // undo drops the selection
    EXPECT_TRUE(f.imageMatchesGrid());
}

INSTANTIATE_TEST_SUITE_P(
    Selection, EverySelectionOperation,
    ::testing::Values(
        UndoCase{"Move", kUndoMoveSelection,
                 [](SelectionFixture& f) {
                     f.tools.mouseDown(f.at(3, 3));
                     f.tools.mouseUp(f.at(5, 6));
                 }},
        UndoCase{"Copy", kUndoCopySelection,
                 [](SelectionFixture& f) {
                     f.tools.mouseDown(f.at(3, 3));
                     f.tools.mouseUp(f.at(6, 5), CtrlModifier);
                 }},
        UndoCase{"Clear", kUndoClearSelection, [](SelectionFixture& f) { f.sel.command(CmdClearSelection); }},
        UndoCase{"ClearBlocks", kUndoClearSelectionBlocks, [](SelectionFixture& f) { f.sel.command(CmdClearSelectionBlocks); }},
        UndoCase{"Fill", kUndoFillSelection,
                 [](SelectionFixture& f) {
                     f.current.set({2, kBlue, "2"});
                     f.sel.command(CmdFillSelection);
                 }},
        UndoCase{"MirrorHorizontal", kUndoMirrorHorizontal,
                 [](SelectionFixture& f) {
                     f.tools.setMirror(true, 1);
                     f.sel.command(CmdMirrorSelection);
                 }},
        UndoCase{"MirrorBoth", kUndoMirrorVertical,
                 [](SelectionFixture& f) {
                     f.tools.setMirror(true, 1);
                     f.tools.setMirror(true, 2);
                     f.sel.command(CmdMirrorSelection);
                 }},
        UndoCase{"Rotate90", kUndoRotateSelection,
                 [](SelectionFixture& f) {
                     f.sel.command(CmdSetRotationCentre);
                     f.sel.command(CmdRotateCw90);
                 }},
        UndoCase{"Rotate45Copy", kUndoRotateSelection,
                 [](SelectionFixture& f) {
                     f.sel.command(CmdSetRotationCentre);
                     f.sel.command(CmdRotateCcw45, CtrlModifier);
                 }},
        UndoCase{"Rotate180", kUndoRotateSelection,
                 [](SelectionFixture& f) {
                     f.sel.command(CmdSetRotationCentre);
                     f.sel.command(CmdRotate180);
                 }},
        UndoCase{"Paste", kUndoPaste,
                 [](SelectionFixture& f) {
                     f.sel.command(CmdCopySelection);
                     f.sel.command(CmdPasteSelection);
                 }},
        UndoCase{"PieceMove", kUndoMovePiece,
                 [](SelectionFixture& f) {
                     f.sel.command(CmdCopySelection);
                     f.sel.command(CmdPasteSelection);
                     f.tools.mouseDown(f.at(2, 2));
                     f.tools.mouseUp(f.at(6, 6));
                 }},
        UndoCase{"PieceCopyMove", kUndoCopyMovePiece,
                 [](SelectionFixture& f) {
                     f.sel.command(CmdCopySelection);
                     f.sel.command(CmdPasteSelection);
                     f.tools.mouseDown(f.at(2, 2));
                     f.tools.mouseUp(f.at(6, 6), CtrlModifier);
                 }},
        UndoCase{"Scale", kUndoScalePattern,
                 [](SelectionFixture& f) {
                     f.dialogs.factor = 1.5;
                     f.sel.command(CmdScalePattern);
                 }},
        UndoCase{"Resize", kUndoResizePattern,
                 [](SelectionFixture& f) {
                     f.dialogs.size = TransformDialogs::Size{5, 4};
                     f.sel.command(CmdResizePattern);
                 }}),
    [](const ::testing::TestParamInfo<UndoCase>& param) { return std::string(param.param.name); });

// A refused command says so: false, no undo step, the document as it was, and the message
// the refusal shows (if any).
struct RefusalCase {
    const char* name;
    int id;
    const char* message;  // null: none
    std::function<void(SelectionFixture&)> setUp;
};

class SelectionRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SelectionRefusals, SayNoAndLeaveNoStep)
{
    const RefusalCase& c = GetParam();
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(1, 1, 4, 4, 1);
    if (c.setUp)
        c.setUp(f);
    const DocumentState before = DocumentState::of(f.doc);
    const std::size_t steps = f.history.undoCount();
    EXPECT_FALSE(f.sel.command(c.id));
    EXPECT_EQ(f.history.undoCount(), steps);
    EXPECT_EQ(DocumentState::of(f.doc), before);
    if (c.message) {
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].text, c.message);
    } else {
        EXPECT_TRUE(f.messages.shown.empty());
    }
}

PatternClipboard clipboardOf(int width, int height, const char* brand)
{
    PatternClipboard c;
    c.valid = true;
    c.width = width;
    c.height = height;
    c.cells.assign(static_cast<std::size_t>(width * height), 0);
    c.threadColors = {kRed};
    c.threadNumbers = {"0"};
    c.brand = brand;
    return c;
}

PatternClipboard tooLarge = clipboardOf(12, 4, "DMC");
PatternClipboard otherBrand = clipboardOf(2, 2, "ANCHOR");

INSTANTIATE_TEST_SUITE_P(
    Commands, SelectionRefusals,
    ::testing::Values(
        RefusalCase{"FillWithoutAThread", CmdFillSelection, kMsgChooseColour, [](SelectionFixture& f) { f.selectRect(0, 0, 2, 2); }},
        RefusalCase{"FillWithoutASelection", CmdFillSelection, nullptr,
                    [](SelectionFixture& f) { f.current.set({1, kGreen, "1"}); }},
        RefusalCase{"MirrorWithoutASelection", CmdMirrorSelection, kMsgChooseSelection, {}},
        RefusalCase{"MirrorWithoutAnAxis", CmdMirrorSelection, kMsgChooseMirror,
                    [](SelectionFixture& f) { f.selectRect(0, 0, 2, 2); }},
        RefusalCase{"CentreWithoutASelection", CmdSetRotationCentre, nullptr, {}},
        RefusalCase{"RotateWithoutACentre", CmdRotateCw90, nullptr, [](SelectionFixture& f) { f.selectRect(0, 0, 2, 2); }},
        RefusalCase{"CopyWithoutASelection", CmdCopySelection, nullptr, {}},
        RefusalCase{"PasteWithAnEmptyClipboard", CmdPasteSelection, nullptr, {}},
        RefusalCase{"PasteTooLarge", CmdPasteSelection, kMsgPasteTooLarge,
                    [](SelectionFixture& f) { f.sel.setClipboard(&tooLarge); }},
        RefusalCase{"PasteFromAnotherBrand", CmdPasteSelection, kMsgPasteOtherBrand,
                    [](SelectionFixture& f) { f.sel.setClipboard(&otherBrand); }},
        RefusalCase{"ClearWithAnotherTool", CmdClearSelection, nullptr,
                    [](SelectionFixture& f) {
                        f.tools.selectTool(static_cast<int>(Tool::Move));
                        f.sel.setSelection({{0, 0}, {3, 0}, {3, 3}, {0, 0}}, true);
                    }},
        RefusalCase{"ClearWithoutASelection", CmdClearSelectionBlocks, nullptr, {}},
        RefusalCase{"ScaleCancelled", CmdScalePattern, nullptr, {}},
        RefusalCase{"ScaleOutOfRange", CmdScalePattern, kMsgScaleOutOfRange,
                    [](SelectionFixture& f) { f.dialogs.factor = 0.0; }},
        RefusalCase{"ResizeToTheSameSize", CmdResizePattern, nullptr,
                    [](SelectionFixture& f) { f.dialogs.size = TransformDialogs::Size{10, 10}; }},
        RefusalCase{"ResizeOutOfRange", CmdResizePattern, kMsgSizeOutOfRange,
                    [](SelectionFixture& f) { f.dialogs.size = TransformDialogs::Size{0, 10}; }},
        RefusalCase{"NotASelectionCommand", CmdDeleteSelectionLines, nullptr, {}}),
    [](const ::testing::TestParamInfo<RefusalCase>& param) { return std::string(param.param.name); });

TEST(SelectionCommands, ThoseCarriedOutSaySo)
{
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(1, 1, 4, 4, 1);
    f.selectRect(0, 0, 3, 3);
    EXPECT_TRUE(f.sel.command(CmdCopySelection));
    EXPECT_TRUE(f.sel.command(CmdSetRotationCentre));
    EXPECT_TRUE(f.sel.command(CmdRotate180, CtrlModifier));
    EXPECT_TRUE(f.sel.command(CmdClearSelectionBlocks));
    EXPECT_TRUE(f.sel.command(CmdPasteSelection));
    EXPECT_EQ(f.history.undoCount(), 3u);
}

}  // namespace
}  // namespace brenmark::test
