// The select-area tool: building the polygon with the mouse, moving and copying by drag,
// clear, fill, mirror, rotation, copy and paste, and drawing.
#include "editor/view/tests/selection_test_support.h"

#include <QImage>
#include <QPainter>

#include <set>

namespace brenmark::test {
namespace {

TEST(SelectionMouse, ClicksOnTheCornersAndTheFirstVertexAgainClose)
{
    SelectionFixture f;
    f.make(10, 10);
    for (QPoint v : {QPoint(0, 0), QPoint(4, 0), QPoint(4, 4), QPoint(0, 4)})
        f.tools.mouseDown(f.at(v.x(), v.y())), f.tools.mouseUp(f.at(v.x(), v.y()));
    EXPECT_FALSE(f.sel.query().closed());
    f.tools.mouseMove(f.at(2, 6));  // the rubber band follows
    f.tools.mouseDown(f.at(0, 0));
    f.tools.mouseUp(f.at(0, 0));
    ASSERT_TRUE(f.sel.query().closed());
    EXPECT_TRUE(f.view.marks().selectionClosed);
    EXPECT_TRUE(f.sel.query().contains(3, 3));
    EXPECT_FALSE(f.sel.query().contains(4, 3));
    f.tools.rightDown(f.at(5, 5));
    EXPECT_FALSE(f.sel.query().closed());
    EXPECT_TRUE(f.sel.polygon().empty());
}

TEST(SelectionMouse, ADoubleClickClosesWithMoreThanTwoVertices)
{
    SelectionFixture f;
    f.make(10, 10);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseUp(f.at(1, 1));
    f.tools.mouseDown(f.at(6, 1));
    f.tools.mouseUp(f.at(6, 1));
    f.tools.doubleClick(f.at(6, 1));
    EXPECT_FALSE(f.sel.query().closed());
    f.tools.mouseDown(f.at(6, 6));
    f.tools.mouseUp(f.at(6, 6));
    f.tools.doubleClick(f.at(6, 6));
    ASSERT_TRUE(f.sel.query().closed());
    EXPECT_EQ(f.sel.selectionOutline().back(), QPoint(1, 1));
    EXPECT_TRUE(f.sel.query().contains(5, 2));
}

TEST(SelectionMouse, AnotherToolDropsTheSelection)
{
    SelectionFixture f;
    f.make(10, 10);
    f.selectRect(1, 1, 4, 4);
    f.view.dispatch(MsgSelectTool, static_cast<int>(Tool::Point), 0);
    EXPECT_FALSE(f.sel.query().closed());
}

TEST(SelectionDrag, DraggingMovesTheContentsAndCtrlCopiesThem)
{
    SelectionFixture f;
    f.make(8, 4);
    f.load({"11......", "11......", "........", "........"});
    f.addMark(0, 0);
    f.addLine(0, 0, TopLeft, 1, 1, BottomRight);
    f.selectRect(0, 0, 2, 2);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseMove(f.at(3, 2));
    f.tools.mouseUp(f.at(4, 3));
    EXPECT_EQ(f.lastLabel(), kUndoMoveSelection);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"........", "........", "...11...", "...11..."}));
    EXPECT_EQ(f.doc.marks, (std::vector<StitchMark>{{2, 0, 3, 2}}));
    ASSERT_EQ(f.doc.lines.size(), 1u);
    EXPECT_EQ(f.doc.lines[0].startColumn, 3);
    EXPECT_EQ(f.doc.lines[0].endRow, 3);
    EXPECT_TRUE(f.sel.query().contains(4, 3));  // the selection follows
    EXPECT_TRUE(f.imageMatchesGrid());

    f.tools.mouseDown(f.at(3, 2));
    f.tools.mouseUp(f.at(6, 0), CtrlModifier);
    EXPECT_EQ(f.lastLabel(), kUndoCopySelection);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"......11", "......11", "...11...", "...11..."}));
    EXPECT_EQ(f.doc.lines.size(), 2u);
    EXPECT_EQ(f.doc.marks.size(), 2u);
}

TEST(SelectionDrag, AZeroOffsetRecordsNothing)
{
    SelectionFixture f;
    f.make(6, 6);
    f.fillRect(0, 0, 2, 2, 1);
    f.selectRect(0, 0, 2, 2);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseUp(f.at(1, 1));
    EXPECT_EQ(f.history.undoCount(), 0u);
}

TEST(SelectionDrag, ASelectionMovedPartlyOffThePatternKeepsWorking)
{
    SelectionFixture f;
    f.make(6, 6);
    f.fillRect(0, 0, 3, 3, 1);
    f.selectRect(0, 0, 3, 3);
    f.tools.mouseDown(f.at(0, 0));
    f.tools.mouseUp(f.at(-2, -2));  // over the rulers: the offset still counts
    // Two columns and rows went off; one cell stays on the pattern.
    EXPECT_EQ(f.sel.selectionOutline().front(), QPoint(-2, -2));
    EXPECT_TRUE(f.sel.query().contains(0, 0));
    EXPECT_FALSE(f.sel.query().contains(1, 0));
    EXPECT_EQ(f.rows()[0], "1.....");
    f.tools.mouseDown(f.at(0, 0));
    f.tools.mouseUp(f.at(4, 4));
    EXPECT_EQ(f.rows()[4], "....1.");
}

TEST(SelectionClear, ClearingColourBlocksKeepsOutlinesClearingRemovesThem)
{
    for (const bool blocks : {true, false}) {
        SelectionFixture f;
        f.make(6, 6);
        f.fillRect(0, 0, 6, 6, 2);
        f.addLine(1, 1, TopLeft, 2, 2, TopLeft);
        f.addLine(4, 4, TopLeft, 5, 5, TopLeft);
        f.addMark(1, 1);
        f.selectRect(0, 0, 3, 3);
        f.sel.command(blocks ? CmdClearSelectionBlocks : CmdClearSelection);
        EXPECT_EQ(f.lastLabel(), blocks ? kUndoClearSelectionBlocks : kUndoClearSelection);
        EXPECT_EQ(f.rows()[0], "...222");
        EXPECT_EQ(f.rows()[3], "222222");
        EXPECT_TRUE(f.doc.marks.empty());
        EXPECT_EQ(f.doc.lines.size(), blocks ? 2u : 1u);
        EXPECT_TRUE(f.imageMatchesGrid());
    }
}

TEST(SelectionClear, NeedsTheToolAndAClosedSelection)
{
    SelectionFixture f;
    f.make(6, 6);
    f.fillRect(0, 0, 6, 6, 2);
    f.sel.command(CmdClearSelection);
    EXPECT_EQ(f.history.undoCount(), 0u);
    f.selectRect(0, 0, 3, 3);
    f.tools.selectTool(static_cast<int>(Tool::Move));
    f.sel.setSelection({{0, 0}, {3, 0}, {3, 3}, {0, 0}}, true);
    f.sel.command(CmdClearSelection);
    EXPECT_EQ(f.history.undoCount(), 0u);
}

TEST(SelectionFill, AsksForAThreadThenFillsTheMembers)
{
    SelectionFixture f;
    f.make(6, 6);
    f.selectRect(1, 1, 4, 3);
    f.sel.command(CmdFillSelection);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgChooseColour);
    EXPECT_EQ(f.messages.shown[0].title, kTitleInfo);
    EXPECT_EQ(f.history.undoCount(), 0u);
    f.current.set({1, kGreen, "1"});
    f.sel.command(CmdFillSelection);
    EXPECT_EQ(f.lastLabel(), kUndoFillSelection);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"......", ".111..", ".111..", "......", "......", "......"}));
    EXPECT_EQ(f.doc.layers[0].cells[f.doc.grid.indexOf(2, 2)], 1);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(SelectionMirror, ColumnThreeOfTwentyGoesOntoFifteenAndStays)
{
    SelectionFixture f;
    f.make(20, 4);
    f.fillRect(3, 0, 4, 3, 1);
    f.addLine(3, 0, TopLeft, 3, 2, BottomLeft);
    f.addMark(3, 1);
    f.selectRect(3, 0, 4, 3);
    f.sel.command(CmdMirrorSelection);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgChooseMirror);
    f.tools.setMirror(true, 1);  // axis column 10
    ASSERT_EQ(f.view.marks().axisColumn, 10);
    f.sel.command(CmdMirrorSelection);
    EXPECT_EQ(f.lastLabel(), kUndoMirrorHorizontal);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(f.doc.cell(3, r), 1);
        EXPECT_EQ(f.doc.cell(15, r), 1);
    }
    EXPECT_EQ(f.doc.cell(15, 3), EmptyCell);
    ASSERT_EQ(f.doc.lines.size(), 2u);
    EXPECT_EQ(f.doc.lines[1].startColumn, 15);
    EXPECT_EQ(f.doc.lines[1].startCorner, TopRight);
    EXPECT_EQ(f.doc.lines[1].endCorner, BottomRight);
    EXPECT_EQ(f.doc.marks.size(), 2u);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(SelectionMirror, WithoutASelectionAsksForOne)
{
    SelectionFixture f;
    f.make(20, 4);
    f.sel.command(CmdMirrorSelection);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgChooseSelection);
}

TEST(SelectionMirror, BothSwitchesRecordTwoSteps)
{
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(0, 0, 1, 1, 2);
    f.selectRect(0, 0, 2, 2);
    f.tools.setMirror(true, 1);
    f.tools.setMirror(true, 2);
    f.sel.command(CmdMirrorSelection);
    EXPECT_EQ(f.history.undoCount(), 2u);
    EXPECT_EQ(f.lastLabel(), kUndoMirrorVertical);
    EXPECT_EQ(f.doc.cell(8, 0), 2);
    EXPECT_EQ(f.doc.cell(0, 8), 2);
}

TEST(SelectionRotate, CentreIsTheMiddleOfTheBoxAndCanBeDragged)
{
    SelectionFixture f;
    f.make(12, 12);
    f.selectRect(2, 2, 7, 7);
    f.sel.command(CmdRotateCw90);
    EXPECT_EQ(f.history.undoCount(), 0u);  // no centre yet
    f.sel.command(CmdSetRotationCentre);
    EXPECT_EQ(f.sel.rotationCentre(), QPoint(4, 4));
    EXPECT_TRUE(f.view.marks().rotationCentreShown);
    EXPECT_EQ(f.view.marks().rotationCentreCells, QRect(QPoint(3, 3), QPoint(5, 5)));
    f.tools.mouseDown(f.at(5, 5));
    EXPECT_TRUE(f.sel.draggingCentre());
    f.tools.mouseMove(f.at(7, 6));
    f.tools.mouseUp(f.at(7, 6));
    EXPECT_EQ(f.sel.rotationCentre(), QPoint(6, 5));
    EXPECT_EQ(f.view.marks().rotationCentreCells, QRect(QPoint(5, 4), QPoint(7, 6)));
    EXPECT_EQ(f.history.undoCount(), 0u);
}

TEST(SelectionRotate, ToolZeroDragsTheCentreAndPansElsewhere)
{
    SelectionFixture f;
    f.make(40, 40);
    f.selectRect(2, 2, 7, 7);
    f.sel.command(CmdSetRotationCentre);
    // The selection and its centre stay while tool 0 takes the input (a plug-in's outline).
    f.tools.selectTool(static_cast<int>(Tool::Move));
    f.sel.setSelection({{2, 2}, {7, 2}, {7, 7}, {2, 7}}, true);
    f.sel.command(CmdSetRotationCentre);
    ASSERT_EQ(f.sel.rotationCentre(), QPoint(4, 4));

    f.tools.mouseDown(f.at(3, 5));
    EXPECT_TRUE(f.sel.draggingCentre());
    f.tools.mouseMove(f.at(6, 9));
    EXPECT_EQ(f.sel.rotationCentre(), QPoint(7, 8));
    f.tools.mouseUp(f.at(6, 9));
    EXPECT_FALSE(f.sel.draggingCentre());
    EXPECT_EQ(f.history.undoCount(), 0u);

    // Away from the marker tool 0 picks and pans as before: the centre stays put.
    const QPoint origin = f.view.origin();
    f.tools.mouseDown(f.at(20, 20));
    EXPECT_FALSE(f.sel.draggingCentre());
    f.tools.mouseMove(f.at(20, 20) + QPoint(-60, -60));
    f.tools.mouseUp(f.at(20, 20) + QPoint(-60, -60));
    EXPECT_EQ(f.sel.rotationCentre(), QPoint(7, 8));
    EXPECT_NE(f.view.origin(), origin);
}

TEST(SelectionRotate, ASquareTurnedAQuarterLandsOnItsCellsWithTurnedCorners)
{
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(2, 2, 7, 7, 0);
    f.fillRect(2, 2, 3, 3, 1);  // marks the top-left cell
    f.addLine(2, 2, TopLeft, 4, 2, TopLeft);
    f.addMark(2, 3);
    f.selectRect(2, 2, 7, 7);
    f.sel.command(CmdSetRotationCentre);
    f.sel.command(CmdRotateCw90);
    EXPECT_EQ(f.lastLabel(), kUndoRotateSelection);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "..........",
                            "..........",
                            "..00001...",
                            "..00000...",
                            "..00000...",
                            "..00000...",
                            "..00000...",
                            "..........",
                            "..........",
                            "..........",
                        }));
    ASSERT_EQ(f.doc.lines.size(), 1u);
    const BackstitchLine& l = f.doc.lines[0];
    EXPECT_EQ(QPoint(l.startColumn, l.startRow), QPoint(6, 2));
    EXPECT_EQ(l.startCorner, TopRight);
    EXPECT_EQ(QPoint(l.endColumn, l.endRow), QPoint(6, 4));
    EXPECT_EQ(l.endCorner, TopRight);
    EXPECT_EQ(f.doc.marks, (std::vector<StitchMark>{{2, 0, 5, 2}}));
    // The outline still surrounds the same cells.
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(f.sel.query().contains(c, r), c >= 2 && c < 7 && r >= 2 && r < 7);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(SelectionRotate, FortyFiveDegreesLeaveGapsAndCtrlKeepsTheSource)
{
    for (const bool copy : {false, true}) {
        SelectionFixture f;
        f.make(12, 12);
        f.fillRect(3, 3, 8, 8, 2);
        f.selectRect(3, 3, 8, 8);
        f.sel.command(CmdSetRotationCentre);
        ASSERT_EQ(f.sel.rotationCentre(), QPoint(5, 5));
        std::set<std::pair<int, int>> targets;
        for (int r = 3; r < 8; ++r)
            for (int c = 3; c < 8; ++c) {
                const QPoint t = rotatePoint({c, r}, 5, 5, 0.78539815);
                targets.insert({t.x(), t.y()});
            }
        // Cells map forwards one to one, so some targets coincide and others stay empty.
        EXPECT_LT(targets.size(), 25u);
        f.sel.command(CmdRotateCw45, copy ? CtrlModifier : NoModifier);
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 12; ++c) {
                const bool source = c >= 3 && c < 8 && r >= 3 && r < 8;
                const bool filled = targets.count({c, r}) || (copy && source);
                EXPECT_EQ(f.doc.cell(c, r), filled ? 2 : EmptyCell) << c << "," << r;
            }
        EXPECT_TRUE(f.imageMatchesGrid());
    }
}

TEST(SelectionRotate, TargetsOffThePatternAreSkipped)
{
    SelectionFixture f;
    f.make(6, 6);
    f.fillRect(0, 0, 3, 1, 1);
    f.selectRect(0, 0, 3, 1);
    f.sel.command(CmdSetRotationCentre);  // (1, 0)
    f.sel.command(CmdRotateCcw90);
    // (0, 0) goes to (1, 1), (1, 0) stays, (2, 0) would go to (1, -1).
    EXPECT_EQ(f.rows()[0], ".1....");
    EXPECT_EQ(f.rows()[1], ".1....");
    EXPECT_EQ(f.sel.selectionOutline().size(), 5u);
}

TEST(SelectionClipboard, CopyThenPasteFloatsTheBlockUntilPlaced)
{
    SelectionFixture f;
    f.make(10, 10);
    f.fillRect(1, 1, 4, 3, 1);
    f.addMark(1, 1);
    f.selectRect(1, 1, 4, 3);
    EXPECT_TRUE(f.sel.copySelection());
    const PatternClipboard& c = f.sel.clipboard();
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.width, 3);
    EXPECT_EQ(c.height, 2);
    EXPECT_EQ(c.marks, (std::vector<StitchMark>{{2, 0, 0, 0}}));
    EXPECT_EQ(f.history.undoCount(), 0u);

    f.sel.command(CmdPasteSelection);
    EXPECT_EQ(f.lastLabel(), kUndoPaste);
    ASSERT_TRUE(f.sel.placing());
    EXPECT_EQ(f.doc.layers[0].name, kPasteLayerName);
    // Drag the piece from (0, 0) to (5, 6).
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseUp(f.at(6, 7));
    EXPECT_EQ(f.lastLabel(), kUndoMovePiece);
    EXPECT_EQ(f.layerOps.floatingPiece()->column, 5);
    // Ctrl drag leaves a copy behind and carries the piece on.
    f.tools.mouseDown(f.at(5, 6));
    f.tools.mouseUp(f.at(5, 3), CtrlModifier);
    EXPECT_EQ(f.lastLabel(), kUndoCopyMovePiece);
    EXPECT_EQ(f.doc.cell(5, 6), 1);
    f.tools.rightDown(f.at(0, 0));
    EXPECT_FALSE(f.sel.placing());
    EXPECT_EQ(f.doc.cell(7, 4), 1);
    EXPECT_EQ(f.doc.cell(7, 7), 1);
    EXPECT_EQ(f.doc.cell(1, 1), 1);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(SelectionClipboard, PastesThatCannotFitOrComeFromAnotherBrandAreRefusedWithAMessage)
{
    SelectionFixture f;
    f.make(10, 10);
    PatternClipboard big;
    big.valid = true;
    big.width = 12;
    big.height = 4;
    big.cells.assign(48, 0);
    big.threadColors = {kRed};
    big.threadNumbers = {"0"};
    big.brand = "DMC";
    f.sel.setClipboard(&big);
    const DocumentState before = DocumentState::of(f.doc);
    f.sel.command(CmdPasteSelection);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgPasteTooLarge);
    EXPECT_EQ(f.messages.shown[0].title, kTitleWarning);

    PatternClipboard other = big;
    other.width = 2;
    other.height = 2;
    other.cells.assign(4, 0);
    other.brand = "ANCHOR";
    f.sel.setClipboard(&other);
    f.sel.command(CmdPasteSelection);
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[1].text, kMsgPasteOtherBrand);
    EXPECT_EQ(f.history.undoCount(), 0u);
    EXPECT_EQ(DocumentState::of(f.doc), before);
    f.sel.setClipboard(nullptr);
}

TEST(SelectionDrawing, ClosedPolygonIsGreenOpenIsBlackOnlyWithTheTool)
{
    SelectionFixture f;
    f.make(10, 10);
    const QSize client(200, 200);
    auto paint = [&] {
        QImage image(client, QImage::Format_RGB32);
        QPainter p(&image);
        f.view.paint(p, client);
        return image;
    };
    f.selectRect(2, 2, 6, 6);
    // The top edge runs along y = 20 + 16 from x = 35 + 16 to 35 + 48.
    EXPECT_EQ(paint().pixel(kLeftRuler + 30, kTopRuler + 16) & 0xFFFFFF, 0x00FF00u);
    f.sel.setSelection({{2, 2}, {6, 2}}, false);
    EXPECT_EQ(paint().pixel(kLeftRuler + 30, kTopRuler + 16) & 0xFFFFFF, 0x000000u);
    f.selectRect(2, 2, 6, 6);
    f.tools.selectTool(static_cast<int>(Tool::Move));
    f.sel.setSelection({{2, 2}, {6, 2}, {6, 6}, {2, 6}}, true);
    EXPECT_NE(paint().pixel(kLeftRuler + 30, kTopRuler + 16) & 0xFFFFFF, 0x00FF00u);
}

}  // namespace
}  // namespace brenmark::test
