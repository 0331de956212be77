// Drawing, picking, deleting and recolouring outline stitches and deleting the lines of a
// selection, each undone back to the state before.
#include "editor/document/layer_composer.h"
#include "editor/view/tests/backstitch_test_support.h"

#include <gtest/gtest.h>

namespace brenmark::outlinetest {
namespace {

// --- drawing ---------------------------------------------------------------------------

TEST(BackstitchDrawing, ThreeClicksGiveTwoConnectedLinesAndTwoUndoSteps)
{
    Fixture f;
    f.choose(0);
    f.select(Tool::Outline);
    const LineState before = f.state();
    f.click(1, 1, TopLeft);
    EXPECT_TRUE(f.doc.lines.empty());
    EXPECT_EQ(f.undo.undoCount(), 0u);
    f.click(4, 1, TopRight);
    const LineState afterOne = f.state();
    f.click(4, 4, BottomRight);

    const std::vector<BackstitchLine> expected{lineOf(1, 1, TopLeft, 4, 1, TopRight, kRed, "0"),
                                               lineOf(4, 1, TopRight, 4, 4, BottomRight, kRed, "0")};
    EXPECT_EQ(f.doc.lines, expected);
    EXPECT_EQ(f.doc.layers[0].lines, expected);
    ASSERT_EQ(f.undo.undoCount(), 2u);
    EXPECT_EQ(f.undo.undoCaption(), kUndoOutlineSegment);

    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), afterOne);
    EXPECT_EQ(f.undo.undoCaption(), kUndoOutlineSegment);
    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), before);
}

TEST(BackstitchDrawing, CornersSharedByNeighbouringCellsJoinAndRepeatedPointsDrawNothing)
{
    Fixture f;
    f.choose(1);
    f.select(Tool::Outline);
    f.click(2, 2, BottomRight);
    f.click(3, 3, TopLeft);  // the same grid point
    EXPECT_TRUE(f.doc.lines.empty());
    EXPECT_EQ(f.undo.undoCount(), 0u);
    f.click(5, 3, TopLeft);
    ASSERT_EQ(f.doc.lines.size(), 1u);
    EXPECT_EQ(f.doc.lines[0], lineOf(2, 2, BottomRight, 5, 3, TopLeft, kGreen, "1"));
}

TEST(BackstitchDrawing, NothingWithoutAThreadOrOffThePattern)
{
    Fixture f;
    f.select(Tool::Outline);
    f.click(1, 1, TopLeft);
    f.click(3, 1, TopLeft);
    EXPECT_TRUE(f.doc.lines.empty());
    EXPECT_FALSE(f.editor.polylineActive());

    f.choose(0);
    f.tools.mouseDown({10, 40});  // left ruler
    f.tools.mouseDown({kLeftRuler + 20 * 8 + 2, 40});  // right of the last column
    EXPECT_FALSE(f.editor.polylineActive());
    EXPECT_EQ(f.undo.undoCount(), 0u);
}

TEST(BackstitchDrawing, RubberBandFollowsTheSnappedPointerUntilRightClickOrAnotherTool)
{
    Fixture f;
    f.choose(0);
    f.select(Tool::Outline);
    f.tools.mouseMove(Fixture::near(3, 3, TopLeft));
    EXPECT_FALSE(f.editor.rubberBand().shown);  // no polyline yet
    f.click(1, 1, TopLeft);
    f.tools.mouseMove(Fixture::near(3, 2, BottomRight));
    auto band = f.editor.rubberBand();
    ASSERT_TRUE(band.shown);
    EXPECT_EQ(band.from, QPointF(kLeftRuler + 8, kTopRuler + 8));
    EXPECT_EQ(band.to, QPointF(kLeftRuler + 32, kTopRuler + 24));
    const int overlays = f.host.overlays;
    f.tools.mouseMove(Fixture::near(4, 3, TopLeft) + QPoint(1, 1));  // the same grid point
    EXPECT_EQ(f.host.overlays, overlays);

    f.tools.rightDown(Fixture::near(4, 3, TopLeft));
    EXPECT_FALSE(f.editor.rubberBand().shown);
    EXPECT_FALSE(f.editor.polylineActive());
    f.click(6, 6, TopLeft);  // starts again: no line yet
    EXPECT_TRUE(f.doc.lines.empty());
    f.tools.mouseMove(Fixture::near(8, 6, TopLeft));
    EXPECT_TRUE(f.editor.rubberBand().shown);
    f.select(Tool::Move);
    EXPECT_FALSE(f.editor.polylineActive());
    EXPECT_FALSE(f.editor.rubberBand().shown);
}

TEST(BackstitchDrawing, NewLinesGoToTheDrawingLayerInComposedOrder)
{
    Fixture f;
    const BackstitchLine old = lineOf(0, 0, TopLeft, 1, 0, TopLeft, kBlue, "2");
    f.give({old});
    // A second layer on top takes the drawing; the background keeps its line.
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "top"), f.doc);
    ASSERT_EQ(f.doc.layers.drawingLayer(), 0);
    f.doc.layers[0].lines.push_back(lineOf(5, 5, TopLeft, 6, 5, TopLeft, kBlue, "2"));
    f.doc.lines.push_back(f.doc.layers[0].lines.back());
    f.doc.layers.setOnlyDrawing(1);  // draw into the background, below the top layer
    f.choose(0);
    f.select(Tool::Outline);
    f.click(2, 2, TopLeft);
    f.click(3, 2, TopLeft);
    ASSERT_EQ(f.doc.lines.size(), 3u);
    EXPECT_EQ(f.doc.layers[1].lines.size(), 2u);
    EXPECT_EQ(f.doc.layers[0].lines.size(), 1u);
    // The view's list reads as recomposing would make it: background lines, then the top's.
    std::vector<BackstitchLine> composed = f.doc.layers[1].lines;
    composed.push_back(f.doc.layers[0].lines[0]);
    EXPECT_EQ(f.doc.lines, composed);
}

// --- picking and deleting ----------------------------------------------------------------

TEST(BackstitchPicking, ClickPicksTheLineAndShowsItsData)
{
    Fixture f;
    f.give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kGreen, "1"), lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0")});
    f.select(Tool::SelectOutline);
    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 32 + 1});
    EXPECT_EQ(f.editor.pickedLine(), 1);
    EXPECT_EQ(f.view.marks().pickedLine, 1) << "the view draws it picked";
    ASSERT_EQ(f.host.shown.size(), 1u);
    EXPECT_EQ(f.host.shown[0].thread, "0");
    EXPECT_EQ(f.host.statusText, lineStatusText(f.doc.lines[1]));
    EXPECT_NE(f.host.statusText.find("RGB(255,0,0)"), std::string::npos);
    EXPECT_NE(f.host.statusText.find("第2列第5行左上"), std::string::npos);
    // Neither the layers nor the composed lines hold the pick.
    EXPECT_EQ(f.doc.layers[0].lines[1].selected, 0);
    EXPECT_EQ(f.doc.lines[1].selected, 0);

    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 8});
    EXPECT_EQ(f.editor.pickedLine(), 0);
    EXPECT_EQ(f.view.marks().pickedLine, 0);

    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 20});  // between the lines
    EXPECT_EQ(f.editor.pickedLine(), -1);
    EXPECT_GE(f.host.cleared, 1);

    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 8});
    f.tools.mouseDown({10, kTopRuler + 8});  // on the ruler: nothing changes
    EXPECT_EQ(f.editor.pickedLine(), 0);
}

TEST(BackstitchPicking, DeleteKeyRemovesThePickedLineAndUndoPutsItBack)
{
    Fixture f;
    f.give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kGreen, "1"), lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0")});
    f.select(Tool::SelectOutline);
    EXPECT_EQ(f.view.dispatch(MsgKeyDown, kKeyDelete, 0), 0);  // nothing picked
    EXPECT_EQ(f.undo.undoCount(), 0u);

    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 8});
    const LineState before = f.state();
    EXPECT_EQ(f.view.dispatch(MsgKeyDown, kKeyDelete, 0), 1);
    EXPECT_EQ(f.doc.lines, std::vector<BackstitchLine>{lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0")});
    EXPECT_EQ(f.doc.layers[0].lines, f.doc.lines);
    EXPECT_EQ(f.undo.undoCaption(), kUndoDeletePickedLine);

    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), before);
}

TEST(BackstitchPicking, DeleteKeyBelongsToThePickingTool)
{
    Fixture f;
    f.give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kGreen, "1")});
    f.select(Tool::SelectOutline);
    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 8});
    f.select(Tool::Move);
    EXPECT_EQ(f.view.dispatch(MsgKeyDown, kKeyDelete, 0), 0);
    EXPECT_EQ(f.doc.lines.size(), 1u);
}

TEST(BackstitchPicking, RightClickOpensTheLineMenuWhoseDeleteCommandWorks)
{
    Fixture f;
    f.give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kGreen, "1"), lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0")});
    f.select(Tool::SelectOutline);
    f.tools.rightDown({kLeftRuler + 24, kTopRuler + 20});  // no line there, none picked
    EXPECT_TRUE(f.host.menus.empty());
    f.tools.rightDown({kLeftRuler + 24, kTopRuler + 32});
    ASSERT_EQ(f.host.menus.size(), 1u);
    EXPECT_EQ(f.editor.pickedLine(), 1);
    const LineState before = f.state();
    EXPECT_TRUE(f.editor.command(CmdDeletePickedLine));
    EXPECT_EQ(f.doc.lines.size(), 1u);
    EXPECT_EQ(f.doc.lines[0].color, kGreen);
    EXPECT_FALSE(f.editor.command(CmdDeletePickedLine));  // nothing picked any more
    EXPECT_EQ(f.undo.undoCount(), 1u);
    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), before);
}

TEST(BackstitchPicking, ThePickStaysOnItsLineWhenALineIsDrawnBeforeItAndGoesWhenLinesAreComposedAgain)
{
    Fixture f;
    f.give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kGreen, "1")});
    // A top layer with a line of its own; the background draws, below it.
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "top"), f.doc);
    f.doc.layers[0].lines = {lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0")};
    f.doc.layers.setOnlyDrawing(1);
    recomposeDocument(f.doc);
    f.select(Tool::SelectOutline);
    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 32 + 1});
    ASSERT_EQ(f.editor.pickedLine(), 1);

    f.choose(2);
    f.select(Tool::Outline);
    f.click(8, 8, TopLeft);
    f.click(9, 8, TopLeft);
    ASSERT_EQ(f.doc.lines.size(), 3u);
    EXPECT_EQ(f.doc.lines[1].color, kBlue) << "the new line comes before the top layer's";
    EXPECT_EQ(f.editor.pickedLine(), 2);
    EXPECT_EQ(f.doc.lines[2].color, kRed);

    recomposeDocument(f.doc);
    EXPECT_EQ(f.editor.pickedLine(), -1);
}

TEST(BackstitchPicking, AfterAnUndoEachLineIsDeletedFromItsOwnLayer)
{
    Fixture f;
    const BackstitchLine same = lineOf(1, 1, TopLeft, 5, 1, TopLeft, kGreen, "1");
    const BackstitchLine other = lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0");
    f.give({same, other});
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "top"), f.doc);
    f.doc.layers[0].lines = {same};
    recomposeDocument(f.doc);  // same, other (background), same (top)
    f.select(Tool::SelectOutline);
    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 32});
    ASSERT_TRUE(f.editor.deletePickedLine());
    ASSERT_TRUE(f.undo.undo());
    ASSERT_EQ(f.doc.lines.size(), 3u);
    f.view.marks().pickedLine = 2;  // the top layer's copy, drawn over the background's
    ASSERT_TRUE(f.editor.deletePickedLine());
    EXPECT_TRUE(f.doc.layers[0].lines.empty());
    EXPECT_EQ(f.doc.layers[1].lines, (std::vector<BackstitchLine>{same, other}));
}

// --- recolouring -------------------------------------------------------------------------

struct RecolourFixture : Fixture {
    RecolourFixture()
    {
        give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kRed, "0"), lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0"),
              lineOf(1, 7, TopLeft, 5, 7, TopLeft, kGreen, "1")});
        select(Tool::SelectOutline);
        tools.mouseDown({kLeftRuler + 24, kTopRuler + 8});  // the first red line
    }
};

TEST(BackstitchRecolour, OnlyThePickedLineChangesWithoutTheAllLinesFlag)
{
    RecolourFixture f;
    const LineState before = f.state();
    f.dialogs.answers.push_back(LineColourAnswer{2, false});
    EXPECT_TRUE(f.editor.command(CmdRecolourPickedLine));

    ASSERT_EQ(f.dialogs.offers.size(), 1u);
    EXPECT_EQ(f.dialogs.offers[0].current, (LineThreadChoice{"0", kRed}));
    EXPECT_EQ(f.dialogs.offers[0].threads,
              (std::vector<LineThreadChoice>{{"0", kRed}, {"1", kGreen}, {"2", kBlue}}));
    const std::vector<BackstitchLine> expected{lineOf(1, 1, TopLeft, 5, 1, TopLeft, kBlue, "2"),
                                               lineOf(1, 4, TopLeft, 5, 4, TopLeft, kRed, "0"),
                                               lineOf(1, 7, TopLeft, 5, 7, TopLeft, kGreen, "1")};
    EXPECT_EQ(f.doc.lines, expected);  // the flag is cleared too
    EXPECT_EQ(f.doc.layers[0].lines, expected);
    EXPECT_EQ(f.editor.pickedLine(), -1);
    EXPECT_EQ(f.undo.undoCaption(), kUndoRecolourLines);

    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), before);
    EXPECT_EQ(f.editor.pickedLine(), -1) << "the pick is the view's: no undo step keeps it";
}

TEST(BackstitchRecolour, AllLinesOfTheColourChangeWithTheFlag)
{
    RecolourFixture f;
    const LineState before = f.state();
    f.dialogs.answers.push_back(LineColourAnswer{2, true});
    EXPECT_TRUE(f.editor.recolourPickedLine());
    const std::vector<BackstitchLine> expected{lineOf(1, 1, TopLeft, 5, 1, TopLeft, kBlue, "2"),
                                               lineOf(1, 4, TopLeft, 5, 4, TopLeft, kBlue, "2"),
                                               lineOf(1, 7, TopLeft, 5, 7, TopLeft, kGreen, "1")};
    EXPECT_EQ(f.doc.lines, expected);
    EXPECT_EQ(f.doc.layers[0].lines, expected);
    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), before);
}

TEST(BackstitchRecolour, AllLinesReachHiddenLayersToo)
{
    RecolourFixture f;
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "hidden"), f.doc);
    f.doc.layers[0].visible = false;
    f.doc.layers[0].lines = {lineOf(9, 9, TopLeft, 9, 12, TopLeft, kRed, "0")};
    f.editor.recolourLines({"2", kRed, kBlue, true});
    EXPECT_EQ(f.doc.layers[0].lines[0].color, kBlue);
    EXPECT_EQ(f.doc.layers[0].lines[0].thread, "2");
    EXPECT_EQ(f.doc.lines.size(), 3u);  // the hidden layer's line is not shown
}

TEST(BackstitchRecolour, ARequestThatMatchesNoLineLeavesNoStep)
{
    RecolourFixture f;
    f.editor.routeMessages(f.tools);
    const LineState before = f.state();
    LineRecolourRequest noSuchColour{"1", kBlue, kGreen, true};
    EXPECT_EQ(f.view.dispatch(MsgRecolourLines, reinterpret_cast<std::intptr_t>(&noSuchColour), 0), 0);
    f.editor.clearPick();
    EXPECT_FALSE(f.editor.recolourLines({"2", kRed, kBlue, false})) << "nothing picked";
    EXPECT_EQ(f.state(), before);
    EXPECT_EQ(f.undo.undoCount(), 0u);
}

TEST(BackstitchRecolour, OkWithoutAThreadWarnsAndAsksAgain)
{
    RecolourFixture f;
    const LineState before = f.state();
    f.dialogs.answers.push_back(LineColourAnswer{-1, false});
    f.dialogs.answers.push_back(std::nullopt);  // then Cancel
    EXPECT_FALSE(f.editor.recolourPickedLine());
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "请选择代替后的描边颜色");
    EXPECT_EQ(f.messages.shown[0].title, "警告");
    EXPECT_EQ(f.dialogs.offers.size(), 2u);
    EXPECT_EQ(f.state(), before);
    EXPECT_EQ(f.undo.undoCount(), 0u);
}

TEST(BackstitchRecolour, NothingPickedAsksNothing)
{
    Fixture f;
    f.give({lineOf(1, 1, TopLeft, 5, 1, TopLeft, kRed, "0")});
    EXPECT_FALSE(f.editor.recolourPickedLine());
    EXPECT_TRUE(f.dialogs.offers.empty());
}

TEST(BackstitchRecolour, MessageReachesTheEditorThroughTheView)
{
    RecolourFixture f;
    f.editor.routeMessages(f.tools);
    LineRecolourRequest request{"1", kRed, kGreen, true};
    EXPECT_EQ(f.view.dispatch(MsgRecolourLines, reinterpret_cast<std::intptr_t>(&request), 0), 1);
    for (const BackstitchLine& l : f.doc.lines)
        EXPECT_EQ(l.color, kGreen);
    // The controller still gets its own messages.
    f.view.dispatch(MsgSelectTool, static_cast<int>(Tool::Eraser), 0);
    EXPECT_EQ(f.tools.currentTool(), Tool::Eraser);
}

// --- the lines of a selection ------------------------------------------------------------

TEST(BackstitchSelection, LinesWithBothEndsInsideGoAndOthersStay)
{
    Fixture f;
    const BackstitchLine inside = lineOf(2, 2, TopLeft, 5, 5, BottomRight, kRed, "0");
    const BackstitchLine halfOut = lineOf(3, 3, TopLeft, 8, 3, TopLeft, kRed, "0");
    const BackstitchLine outside = lineOf(10, 10, TopLeft, 12, 10, TopLeft, kGreen, "1");
    f.give({inside, halfOut, outside});
    // A visible layer that is neither drawable nor linked keeps its lines.
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "top"), f.doc);
    const BackstitchLine otherLayer = lineOf(3, 4, TopLeft, 4, 4, TopLeft, kBlue, "2");
    f.doc.layers[0].lines = {otherLayer};
    f.doc.lines.push_back(otherLayer);
    f.doc.layers.setOnlyDrawing(1);
    ASSERT_FALSE(f.doc.layers[0].drawable || f.doc.layers[0].linked);

    RectSelection selection;
    selection.cells = QRect(2, 2, 4, 4);  // columns and rows 2..5
    f.editor.setSelection(&selection);
    const LineState before = f.state();
    EXPECT_TRUE(f.editor.command(CmdDeleteSelectionLines));
    EXPECT_EQ(f.doc.layers[1].lines, (std::vector<BackstitchLine>{halfOut, outside}));
    EXPECT_EQ(f.doc.layers[0].lines, std::vector<BackstitchLine>{otherLayer});
    EXPECT_EQ(f.doc.lines, (std::vector<BackstitchLine>{halfOut, outside, otherLayer}));
    EXPECT_EQ(f.host.selectionDeletes, 1);
    EXPECT_EQ(f.undo.undoCaption(), kUndoDeleteSelectionLines);

    ASSERT_TRUE(f.undo.undo());
    EXPECT_EQ(f.state(), before);
}

TEST(BackstitchSelection, AnySelectionWithTheTwoQuestionsFits)
{
    struct Columns {
        bool closed() const { return true; }
        bool contains(int column, int) const { return column < 4; }
    } columns;
    MembershipOf<Columns> membership(columns);
    Fixture f;
    f.give({lineOf(1, 0, TopLeft, 3, 19, TopLeft, kRed, "0"), lineOf(1, 0, TopLeft, 4, 0, TopLeft, kRed, "0")});
    f.editor.setSelection(&membership);
    EXPECT_TRUE(f.editor.deleteSelectionLines());
    EXPECT_EQ(f.doc.lines, std::vector<BackstitchLine>{lineOf(1, 0, TopLeft, 4, 0, TopLeft, kRed, "0")});
}

TEST(BackstitchSelection, NothingWithoutAClosedSelection)
{
    Fixture f;
    f.give({lineOf(2, 2, TopLeft, 3, 3, TopLeft, kRed, "0")});
    EXPECT_FALSE(f.editor.deleteSelectionLines());  // no selection at all
    RectSelection selection;
    selection.cells = QRect(0, 0, 10, 10);
    selection.isClosed = false;
    f.editor.setSelection(&selection);
    EXPECT_FALSE(f.editor.deleteSelectionLines());
    EXPECT_EQ(f.doc.lines.size(), 1u);
    EXPECT_EQ(f.undo.undoCount(), 0u);
}

}  // namespace
}  // namespace brenmark::outlinetest
