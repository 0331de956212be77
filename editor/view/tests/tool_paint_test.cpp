// Choosing tools, the point tool with stitch kinds and mirroring, the eraser, the clone
// stamp, pan and pick, and the layers' permission to paint.
#include "editor/document/layer_composer.h"
#include "editor/view/tests/tool_test_support.h"
#include "editor/view/tools/cell_writer.h"

#include <QPainter>

#include <cstdlib>
#include <optional>

namespace brenmark::test {
namespace {

TEST(SelectTool, PaintingToolsAskForAColourWhenNoneIsChosen)
{
    ToolFixture f;
    f.make(4, 4);
    for (Tool t : {Tool::Point, Tool::HollowEllipse, Tool::HollowRect, Tool::Line, Tool::SolidEllipse, Tool::SolidRect,
                   Tool::Text}) {
        f.messages.shown.clear();
        f.select(t);
        ASSERT_EQ(f.messages.shown.size(), 1u) << static_cast<int>(t);
        EXPECT_EQ(f.messages.shown[0].text, "请选择一种颜色进行绘制");
        EXPECT_EQ(f.messages.shown[0].title, "提示");
        EXPECT_EQ(f.tools.currentTool(), t);  // the tool stays chosen
    }
    for (Tool t : {Tool::Move, Tool::Fill, Tool::HollowOut, Tool::Eraser, Tool::Clone, Tool::CloneSpare}) {
        f.messages.shown.clear();
        f.select(t);
        EXPECT_TRUE(f.messages.shown.empty()) << static_cast<int>(t);
    }
    // ... and draws nothing.
    f.select(Tool::Point);
    f.click(1, 1);
    EXPECT_TRUE(f.undo.steps.empty());
    EXPECT_EQ(f.doc.cell(1, 1), EmptyCell);
}

TEST(SelectTool, SwitchesForBaseImageAndGrid)
{
    ToolFixture f;
    f.make(4, 4);
    f.view.dispatch(MsgSelectTool, kSwitchBaseImage, 1);
    EXPECT_TRUE(f.view.showBaseImage());
    f.view.dispatch(MsgSelectTool, kSwitchGrid, 0);
    EXPECT_FALSE(f.view.showGrid());
    f.view.dispatch(MsgSelectTool, kSwitchGrid, 1);
    EXPECT_TRUE(f.view.showGrid());
    EXPECT_EQ(f.tools.currentTool(), Tool::Move);
    f.view.dispatch(MsgSelectTool, kToolCount, 0);  // no such tool
    EXPECT_EQ(f.tools.currentTool(), Tool::Move);
}

TEST(SelectTool, ChangingToolEndsTheStroke)
{
    ToolFixture f;
    f.make(6, 6);
    f.choose(0);
    f.select(Tool::SolidRect);
    f.tools.mouseDown(f.at(1, 1));
    f.tools.mouseMove(f.at(3, 3));
    f.select(Tool::SolidRect);
    EXPECT_FALSE(f.tools.stroking());
    f.tools.mouseUp(f.at(3, 3));
    EXPECT_TRUE(f.undo.steps.empty());
}

TEST(SelectTool, ColourGoneFromTheColourBarResetsItsDisplayAndDrawsNothing)
{
    ToolFixture f;
    f.make(4, 4);
    f.current.set({1, rgb(1, 2, 3), "gone"});
    f.select(Tool::Point);
    f.click(0, 0);
    EXPECT_EQ(f.host.colourResets, 1);
    EXPECT_TRUE(f.undo.steps.empty());
    EXPECT_EQ(f.doc.cell(0, 0), EmptyCell);
}

TEST(PointTool, PaintsTheConnectedLineBetweenPointerEvents)
{
    ToolFixture f;
    f.make(8, 3);
    f.choose(2);
    f.select(Tool::Point);
    f.stroke({{0, 0}, {0, 0}, {3, 0}, {7, 2}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"2222....", "....22..", "......22"}));
    EXPECT_EQ(f.layerRows(0), f.rows());
    EXPECT_TRUE(f.imageMatchesGrid());
    EXPECT_EQ(f.undo.labels(), (std::vector<std::string>{"取消描点操作"}));
    EXPECT_TRUE(f.undo.steps[0].grid == std::vector<std::int32_t>(24, EmptyCell));
    // The painted cells were drawn at once, each cell's screen rectangle.
    ASSERT_EQ(f.host.rects.size(), 8u);
    EXPECT_EQ(f.host.rects[1], QRect(kLeftRuler + 1 * 8, kTopRuler, 8, 8));
}

TEST(PointTool, ADragAcrossTwentyColumnsWithFewEventsLeavesNoGap)
{
    ToolFixture f;
    f.make(24, 6);
    f.choose(0);
    f.select(Tool::Point);
    // Eight moves over twenty columns, the pointer drifting down a row on the way.
    f.stroke({{1, 1}, {3, 1}, {6, 1}, {8, 2}, {11, 2}, {13, 2}, {16, 2}, {18, 3}, {21, 3}});
    int painted = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 24; ++x)
            painted += f.doc.cell(x, y) == 0 ? 1 : 0;
    EXPECT_EQ(painted, 21);  // one cell in every column from 1 to 21
    for (int x = 1; x <= 21; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 6; ++y)
            inColumn += f.doc.cell(x, y) == 0 ? 1 : 0;
        EXPECT_EQ(inColumn, 1) << "column " << x;
    }
    // Each painted cell touches the next one at an edge or a corner.
    for (int x = 1; x < 21; ++x) {
        int y0 = -1, y1 = -1;
        for (int y = 0; y < 6; ++y) {
            if (f.doc.cell(x, y) == 0)
                y0 = y;
            if (f.doc.cell(x + 1, y) == 0)
                y1 = y;
        }
        EXPECT_LE(std::abs(y1 - y0), 1) << "column " << x;
    }
    EXPECT_EQ(f.undo.labels().size(), 1u);
}

TEST(PointTool, ATwoPointDragPaintsTheLineAndItsMirrorImage)
{
    ToolFixture f;
    f.make(20, 4);
    f.choose(1);
    f.view.marks().horizontalMirror = true;
    f.view.marks().axisColumn = 10;  // column c mirrors onto 18 - c
    f.select(Tool::Point);
    f.stroke({{0, 0}, {5, 3}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"1.................1.", ".11.............11..", "...11.........11....",
                                                  ".....1.......1......"}));
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(Eraser, ErasesTheConnectedLineToo)
{
    ToolFixture f;
    f.make(10, 1);
    f.load({"0000000000"});
    f.select(Tool::Eraser);
    f.stroke({{1, 0}, {8, 0}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"0........0"}));
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(HiddenDrawingLayer, DrawingIsRefusedWithAStatusAndTheGridStaysTheVisibleLayers)
{
    ToolFixture f;
    f.make(8, 8);
    f.load({"00000000", "00000000", "........", "........", "........", "........", "........", "........"});
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "top"), f.doc);
    f.doc.layers[0].visible = false;  // the drawing layer, hidden
    ASSERT_EQ(f.doc.layers.drawingLayer(), 0);
    f.choose(1);
    const auto before = f.doc.grid.cells;
    for (Tool t : {Tool::Point, Tool::Eraser, Tool::SolidRect}) {
        f.select(t);
        f.stroke({{1, 1}, {6, 6}});
    }
    EXPECT_TRUE(f.doc.grid.cells == before);
    EXPECT_EQ(f.layerRows(0), std::vector<std::string>(8, "........"));
    EXPECT_TRUE(f.undo.labels().empty());
    EXPECT_EQ(f.host.statuses.size(), 3u);
    EXPECT_EQ(f.host.statuses.front(), kMsgDrawingLayerHidden);

    // What the visible layers compose to is what the grid holds.
    PatternDocument composed;
    composed.create(8, 8, "DMC");
    composed.layers = f.doc.layers;
    recomposeDocument(composed);
    EXPECT_TRUE(composed.grid.cells == f.doc.grid.cells);
}

TEST(HiddenDrawingLayer, ACellWrittenAnywayLandsOnlyInTheLayer)
{
    ToolFixture f;
    f.make(4, 1);
    f.load({"0..."});
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "top"), f.doc);
    f.doc.layers[0].visible = false;
    CellWriter writer(f.view);
    EXPECT_FALSE(writer.writable(1, 0));
    EXPECT_FALSE(writer.write(1, 0, 0));
    writer.markCell(1, 0, 2);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"0..."}));
    EXPECT_EQ(f.layerRows(0), (std::vector<std::string>{".0.."}));
    EXPECT_TRUE(f.doc.marks.empty());
    EXPECT_EQ(f.doc.layers[0].marks.size(), 1u);
    // Shown again, the layer composes into the grid as drawn.
    f.doc.layers[0].visible = true;
    recomposeDocument(f.doc);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"00.."}));
}

TEST(PointTool, OutsideThePatternAndOnTheRulersNothingHappens)
{
    ToolFixture f;
    f.make(4, 4);
    f.choose(0);
    f.select(Tool::Point);
    f.tools.mouseDown(QPoint(20, 40));  // the left ruler
    f.tools.mouseDown(QPoint(60, 10));  // the top ruler
    f.tools.mouseDown(f.at(4, 0));      // right of the last column
    f.tools.mouseDown(f.at(0, 4));      // below the last row
    EXPECT_TRUE(f.undo.steps.empty());
    EXPECT_FALSE(f.tools.stroking());
    EXPECT_EQ(f.tools.cellAt(QPoint(34, 25)), std::nullopt);
    EXPECT_EQ(f.tools.cellAt(QPoint(35, 20)), (CellPoint{0, 0}));
}

TEST(PointTool, StitchKindMarksCellsAndNoKindClearsThem)
{
    ToolFixture f;
    f.make(4, 4);
    f.choose(0);
    f.select(Tool::Point);
    f.view.dispatch(MsgSetStitchKind, 7, 0);
    EXPECT_EQ(f.tools.stitchKind(), 7);
    f.stroke({{1, 1}, {2, 1}});
    ASSERT_EQ(f.doc.marks.size(), 2u);
    EXPECT_EQ(f.doc.marks[0], (StitchMark{7, 0, 1, 1}));
    EXPECT_EQ(f.doc.layers[0].marks.size(), 2u);
    EXPECT_EQ(f.doc.cell(2, 1), 0);
    f.view.dispatch(MsgSetStitchKind, 0, 0);
    f.click(1, 1);
    ASSERT_EQ(f.doc.marks.size(), 1u);
    EXPECT_EQ(f.doc.marks[0].column, 2);
    f.view.dispatch(MsgSetStitchKind, 14, 0);  // beyond the stitch-kind window's buttons
    EXPECT_EQ(f.tools.stitchKind(), 0);
}

TEST(Mirroring, ColumnThreeAlsoPaintsColumnFifteenOnTwentyColumns)
{
    ToolFixture f;
    f.make(20, 4);
    f.view.dispatch(MsgMirror, 1, 1);
    EXPECT_TRUE(f.view.marks().horizontalMirror);
    EXPECT_EQ(f.view.marks().axisColumn, 10);
    f.choose(0);
    f.select(Tool::Point);
    f.click(3, 1);
    EXPECT_EQ(f.rows()[1], "...0...........0....");
    EXPECT_EQ(f.layerRows(0)[1], f.rows()[1]);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(Mirroring, ColumnNineMirrorsOntoItself)
{
    ToolFixture f;
    f.make(20, 2);
    f.view.dispatch(MsgMirror, 1, 1);
    EXPECT_EQ(f.tools.withMirrors({9, 0}), (std::vector<CellPoint>{{9, 0}}));
    f.choose(1);
    f.select(Tool::Point);
    f.click(9, 0);
    EXPECT_EQ(f.rows()[0], ".........1..........");
}

TEST(Mirroring, MirroredCellsOutsideThePatternAreSkipped)
{
    ToolFixture f;
    f.make(20, 2);
    f.view.dispatch(MsgMirror, 1, 1);
    EXPECT_EQ(f.tools.withMirrors({19, 0}), (std::vector<CellPoint>{{19, 0}}));  // 2 * 10 - 2 - 19 = -1
    EXPECT_EQ(f.tools.withMirrors({0, 0}), (std::vector<CellPoint>{{0, 0}, {18, 0}}));
}

TEST(Mirroring, VerticalAndBothAxes)
{
    ToolFixture f;
    f.make(20, 9);
    f.view.dispatch(MsgMirror, 1, 2);
    EXPECT_EQ(f.view.marks().axisRow, 4);
    EXPECT_EQ(f.tools.withMirrors({5, 0}), (std::vector<CellPoint>{{5, 0}, {5, 6}}));
    f.view.dispatch(MsgMirror, 1, 1);
    EXPECT_EQ(f.tools.withMirrors({5, 0}), (std::vector<CellPoint>{{5, 0}, {13, 0}, {5, 6}, {13, 6}}));
    f.view.dispatch(MsgMirror, 0, 1);
    EXPECT_FALSE(f.view.marks().horizontalMirror);
    EXPECT_EQ(f.view.marks().axisColumn, 0);
    EXPECT_EQ(f.tools.withMirrors({5, 0}), (std::vector<CellPoint>{{5, 0}, {5, 6}}));
}

TEST(Mirroring, ShapesAreMirroredToo)
{
    ToolFixture f;
    f.make(10, 2);
    f.view.dispatch(MsgMirror, 1, 1);
    f.choose(0);
    f.select(Tool::Line);
    f.stroke({{0, 0}, {1, 0}});
    EXPECT_EQ(f.rows()[0], "00.....00.");
}

TEST(Mirroring, TheEraserIgnoresIt)
{
    ToolFixture f;
    f.make(10, 1);
    f.load({"0000000000"});
    f.view.dispatch(MsgMirror, 1, 1);
    f.select(Tool::Eraser);
    f.click(1, 0);
    EXPECT_EQ(f.rows()[0], "0.00000000");
}

TEST(Mirroring, DraggingTheAxisHandleMovesTheAxisByWholeCells)
{
    ToolFixture f;
    f.make(20, 4);
    f.view.dispatch(MsgMirror, 1, 1);
    f.select(Tool::Move);
    f.tools.mouseMove(f.at(9, 1));  // hovering over the marked column
    EXPECT_EQ(f.host.cursor, ToolCursor::AxisHorizontal);
    const QPoint origin = f.view.origin();
    f.stroke({{9, 1}, {11, 1}, {12, 2}});
    EXPECT_EQ(f.view.marks().axisColumn, 13);
    EXPECT_EQ(f.view.origin(), origin);  // dragging an axis does not pan
}

TEST(Eraser, EmptiesCellsRemovesMarksAndRecordsOnce)
{
    ToolFixture f;
    f.make(4, 2);
    f.load({"0120", "1111"});
    f.doc.placeMark(2, 1, 0);
    f.select(Tool::Eraser);
    EXPECT_EQ(f.host.cursor, ToolCursor::Eraser);
    f.stroke({{0, 0}, {1, 0}, {1, 1}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"..20", "1.11"}));
    EXPECT_EQ(f.layerRows(0), f.rows());
    EXPECT_TRUE(f.doc.marks.empty());
    EXPECT_EQ(f.undo.labels(), (std::vector<std::string>{"取消擦除操作"}));
    EXPECT_TRUE(f.imageMatchesGrid());
    EXPECT_EQ(f.pixel(0, 0), f.doc.fabric);
}

TEST(CloneStamp, WithoutASourceItTellsHowToDefineOne)
{
    ToolFixture f;
    f.make(4, 4);
    f.select(Tool::Clone);
    f.click(1, 1);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "无法使用仿制图章,因为未选定复制区域，请按住CTRL键点按以定义作为源的点");
    EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(f.undo.steps.empty());
}

TEST(CloneStamp, CopiesFromAFixedOffsetWhileDragging)
{
    ToolFixture f;
    f.make(8, 3);
    f.load({
        "012.....",
        "........",
        "........",
    });
    f.select(Tool::Clone);
    f.click(0, 0, CtrlModifier);  // the source
    EXPECT_TRUE(f.tools.cloneSourceDefined());
    EXPECT_TRUE(f.undo.steps.empty());
    f.stroke({{4, 1}, {5, 1}, {6, 1}, {7, 1}});
    EXPECT_EQ(f.tools.cloneOffset(), (CellPoint{-4, -1}));
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "012.....",
                            "....012.",
                            "........",
                        }));
    EXPECT_EQ(f.undo.labels(), (std::vector<std::string>{"取消复制象素"}));
    EXPECT_TRUE(f.imageMatchesGrid());
    // A new stroke starts again from the source.
    f.stroke({{1, 2}, {2, 2}});
    EXPECT_EQ(f.rows()[2], ".01.....");
    EXPECT_EQ(f.undo.labels().size(), 2u);
    EXPECT_FALSE(f.tools.cloneMarker().has_value());  // hidden once the button is up
}

TEST(CloneStamp, SkipsTargetsWhoseSourceLiesOutsideThePattern)
{
    ToolFixture f;
    f.make(6, 2);
    f.load({"000111", "......"});
    f.select(Tool::Clone);
    f.click(4, 0, CtrlModifier);
    // Offset (+3, -1): from (1, 1) the sources are (4, 0) and (5, 0), then outside.
    f.stroke({{1, 1}, {2, 1}, {3, 1}, {4, 1}});
    EXPECT_EQ(f.rows()[1], ".11...");
    // Moving up a row puts the source on row -1: skipped, nothing written.
    f.stroke({{0, 1}, {0, 0}, {1, 0}});
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"000111", "111..."}));
}

TEST(CloneStamp, LeavingTheToolForgetsTheSource)
{
    ToolFixture f;
    f.make(3, 3);
    f.select(Tool::Clone);
    f.click(0, 0, CtrlModifier);
    f.select(Tool::Point);
    f.select(Tool::Clone);
    EXPECT_FALSE(f.tools.cloneSourceDefined());
}

// --- the cell under a click after the view moved, before it was painted again --------------

struct MappingFixture : ToolFixture {
    MappingFixture()
    {
        make(200, 150);
        choose(1);
        select(Tool::Point);
        paint();
    }
    void paint()
    {
        QImage image(QSize(400, 300), QImage::Format_RGB32);
        QPainter p(&image);
        view.paint(p, image.size());
    }
    // The one cell a click at client changed.
    std::optional<CellPoint> clickedCell(QPoint client)
    {
        const std::vector<std::int32_t> before = doc.grid.cells.vector();
        tools.mouseDown(client);
        tools.mouseUp(client);
        std::optional<CellPoint> hit;
        for (int y = 0; y < doc.height(); ++y)
            for (int x = 0; x < doc.width(); ++x)
                if (doc.cell(x, y) != before[doc.grid.indexOf(x, y)]) {
                    EXPECT_FALSE(hit) << "a second cell " << x << ", " << y;
                    hit = CellPoint{x, y};
                    view.setCell(x, y, before[doc.grid.indexOf(x, y)]);  // ready for the next click
                }
        return hit;
    }
    static CellPoint cellOf(QPoint p) { return {p.x(), p.y()}; }
};

TEST(ClickAfterMoving, AZoomAboutThePointerLeavesTheCellUnderItForTheNextClick)
{
    MappingFixture f;
    f.view.scrollBy(-50 * 8, -40 * 8);  // room on every side, so no zoom runs into the rulers
    f.paint();
    const QPoint pointer(kLeftRuler + 21 * 8 + 5, kTopRuler + 17 * 8 + 2);
    ASSERT_EQ(MappingFixture::cellOf(f.view.cellAt(pointer)), (CellPoint{71, 57}));
    // In, in, out, out, out, as Ctrl and the wheel do it, with no paint in between: the
    // click hits the cell the pointer was on, and painting leaves that cell there.
    for (const bool in : {true, true, false, false, false}) {
        const CellPoint under = MappingFixture::cellOf(f.view.cellAt(pointer));
        ASSERT_TRUE(f.view.zoomAbout(pointer, in));
        EXPECT_EQ(f.tools.cellAt(pointer), under) << f.view.cellSize();
        EXPECT_EQ(f.clickedCell(pointer), under) << f.view.cellSize();
        f.paint();
        EXPECT_EQ(f.tools.cellAt(pointer), under) << f.view.cellSize();
        EXPECT_EQ(MappingFixture::cellOf(f.view.cellAt(pointer)), under) << f.view.cellSize();
    }
}

TEST(ClickAfterMoving, ScrollingAndZoomingFromTheToolbarMoveTheMappingAtOnce)
{
    MappingFixture f;
    const QPoint pointer = ToolFixture::at(3, 2);
    f.view.scrollBy(-10 * 8, -5 * 8);
    EXPECT_EQ(f.clickedCell(pointer), (CellPoint{13, 7}));
    ASSERT_TRUE(f.view.zoomIn());  // the origin stays where it is: ten columns of 16 pixels off
    const CellPoint expected = MappingFixture::cellOf(f.view.cellAt(pointer));
    EXPECT_EQ(f.clickedCell(pointer), expected);
    f.paint();
    EXPECT_EQ(MappingFixture::cellOf(f.view.cellAt(pointer)), expected);
}

TEST(PanAndPick, PicksTheCellsThreadAndIgnoresEmptyCells)
{
    ToolFixture f;
    f.make(4, 4);
    f.load({"2...", "....", "....", "...."});
    f.select(Tool::Move);
    f.click(1, 1);
    EXPECT_EQ(f.current.thread().index, -1);
    EXPECT_TRUE(f.host.picked.empty());
    f.click(0, 0);
    EXPECT_EQ(f.current.thread(), (CurrentThread{2, kBlue, "2"}));
    ASSERT_EQ(f.host.picked.size(), 1u);
    EXPECT_TRUE(f.undo.steps.empty());
}

TEST(PanAndPick, CtrlWhileFlashingMovesTheFlashColour)
{
    ToolFixture f;
    f.make(4, 4);
    f.load({"01..", "....", "....", "...."});
    f.choose(0);
    f.view.setFlashing(true, kRed);
    f.select(Tool::Move);
    f.click(1, 0);
    EXPECT_EQ(f.view.flashColour(), kRed);
    f.click(1, 0, CtrlModifier);
    EXPECT_EQ(f.view.flashColour(), kGreen);
}

TEST(PanAndPick, DraggingPansByWholeCells)
{
    ToolFixture f;
    f.make(200, 200);
    f.select(Tool::Move);
    f.tools.mouseDown(QPoint(300, 300));
    f.tools.mouseMove(QPoint(297, 289));
    // -3 and -11 pixels round to one and two cells of 8.
    EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler - 8, kTopRuler - 16));
    f.tools.mouseMove(QPoint(400, 400));  // back past the start: the origin stays at the rulers
    EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler, kTopRuler));
    f.tools.mouseUp(QPoint(400, 400));
    EXPECT_FALSE(f.tools.stroking());
}

TEST(PanAndPick, RightButtonAsksForTheSymbolMenuInSymbolModes)
{
    ToolFixture f;
    f.make(4, 4);
    f.select(Tool::Move);
    f.tools.rightDown(f.at(1, 1));
    EXPECT_TRUE(f.host.menus.empty());
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    f.tools.rightDown(f.at(1, 1));
    f.view.setViewMode(ViewMode::SymbolsOnly);
    f.tools.rightDown(f.at(1, 1));
    EXPECT_EQ(f.host.menus.size(), 2u);
}

TEST(LayerPermission, CoveredCellsKeepTheirGridValueButTheLayerTakesIt)
{
    ToolFixture f;
    f.make(4, 1);
    f.load({"...."});
    // An upper visible layer covers column 1; the drawing layer is the one below it.
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "upper"), f.doc);
    f.doc.layers[0].cells[1] = 2;
    f.doc.setCell(1, 0, 2);
    f.doc.layers.setOnlyDrawing(1);
    f.view.rebuildCellImage();
    ASSERT_FALSE(f.doc.layers.canPaint(1, 0));
    f.choose(0);
    f.select(Tool::Point);
    f.stroke({{0, 0}, {1, 0}, {2, 0}});
    EXPECT_EQ(f.rows()[0], "020.");
    EXPECT_EQ(f.layerRows(1)[0], "000.");
    EXPECT_EQ(f.layerRows(0)[0], ".2..");
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(LayerPermission, RefusedCellsDoNotKeepAFillGoing)
{
    // A refused cell keeps its colour and so keeps matching; the fill still ends, and the
    // drawing layer still receives the whole region.
    ToolFixture f;
    f.make(3, 2);
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "upper"), f.doc);
    f.doc.layers.setOnlyDrawing(1);
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
        f.doc.layers[0].cells[f.doc.grid.indexOf(x, y)] = 1;
        f.doc.setCell(x, y, 1);
    }
    f.view.rebuildCellImage();
    EXPECT_EQ(f.tools.fillByColour({0, 0}, kGreen, 0), 4u);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"11.", "11."}));
    EXPECT_EQ(f.layerRows(1), (std::vector<std::string>{"00.", "00."}));
}

TEST(LayerPermission, WithTheFillToolsCondition_NothingIsEverRefused)
{
    // The fill tools need the first visible layer linked or drawable, which makes it the
    // layer the permission test starts from.
    ToolFixture f;
    f.make(5, 1);
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "upper"), f.doc);
    f.doc.layers[0].linked = true;
    f.doc.layers.setOnlyDrawing(1);
    f.doc.layers[0].cells[2] = 1;
    f.doc.setCell(2, 0, 1);
    f.view.rebuildCellImage();
    f.choose(0);
    f.select(Tool::Fill);
    f.click(0, 0);
    EXPECT_EQ(f.rows()[0], "001..");
    EXPECT_EQ(f.layerRows(1)[0], "00...");
}

TEST(Dispatch, ToolMessagesReachTheControllerThroughTheView)
{
    ToolFixture f;
    f.make(4, 4);
    EXPECT_EQ(f.view.dispatch(MsgSelectTool, 13, 0), 1);
    EXPECT_EQ(f.tools.currentTool(), Tool::Eraser);
    EXPECT_EQ(f.view.dispatch(MsgSetStitchKind, 3, 0), 1);
    EXPECT_EQ(f.tools.stitchKind(), 3);
    EXPECT_EQ(f.view.dispatch(MsgKeyDown, kKeyDelete, 0), 0);  // no selection tool here
    EXPECT_EQ(f.view.dispatch(MsgPluginResult, 0, 0), 0);
}

struct CountingDelegate final : ToolDelegate {
    void selected() override { ++selections; }
    void left() override { ++leaves; }
    void mouseDown(QPoint, Modifiers) override { ++downs; }
    void doubleClick(QPoint, Modifiers) override { ++doubles; }
    void rightDown(QPoint, Modifiers) override { ++rights; }
    bool keyDown(int key, std::intptr_t lParam) override
    {
        keys.push_back({key, static_cast<int>(lParam)});
        return true;
    }
    int selections = 0, leaves = 0, downs = 0, doubles = 0, rights = 0;
    std::vector<std::pair<int, int>> keys;
};

TEST(Dispatch, OutlineAndSelectionToolsGetTheirInputThroughDelegates)
{
    ToolFixture f;
    f.make(4, 4);
    CountingDelegate selection;
    f.tools.setDelegate(Tool::SelectArea, &selection);
    f.select(Tool::SelectArea);
    EXPECT_EQ(selection.selections, 1);
    f.click(1, 1);
    f.tools.doubleClick(f.at(1, 1));
    f.tools.rightDown(f.at(1, 1));
    EXPECT_EQ(f.view.dispatch(MsgKeyDown, kKeyDelete, 1), 1);
    EXPECT_EQ(selection.downs, 1);
    EXPECT_EQ(selection.doubles, 1);
    EXPECT_EQ(selection.rights, 1);
    EXPECT_EQ(selection.keys, (std::vector<std::pair<int, int>>{{kKeyDelete, 1}}));
    f.select(Tool::Move);
    EXPECT_EQ(selection.leaves, 1);
    EXPECT_EQ(f.view.dispatch(MsgKeyDown, kKeyDelete, 0), 0);
}

TEST(ToolTable, EveryToolIsItsOwnRowAndItsTraitsSayHowTheControllerTreatsIt)
{
    for (int t = 0; t < kToolCount; ++t) {
        const Tool tool = static_cast<Tool>(t);
        EXPECT_EQ(toolButton(tool).tool, tool);
        // The painting tools are the point, shape, fill and text tools; only fill takes the
        // colour of the click's region without asking first.
        EXPECT_EQ(needsThread(tool), t >= 3 && t <= 10) << t;
        EXPECT_EQ(toolButton(tool).has(AsksForThread), needsThread(tool) && tool != Tool::Fill) << t;
        EXPECT_EQ(toolButton(tool).has(TakesDelete), tool == Tool::SelectOutline || tool == Tool::SelectArea) << t;
        EXPECT_EQ(toolButton(tool).has(TakesText), tool == Tool::Text) << t;
    }
}

}  // namespace
}  // namespace brenmark::test
