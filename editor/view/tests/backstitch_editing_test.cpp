// Drawing, picking, deleting and recolouring outline stitches, deleting the lines of a
// selection and loading the tracing picture, each undone back to the state before.
#include "editor/view/backstitch/backstitch_editor.h"
#include "editor/document/tests/line_builder.h"
#include "editor/view/tests/tool_test_support.h"
#include "editor/view/undo_history.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <deque>

namespace brenmark {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;

struct ScriptedDialogs final : BackstitchDialogs {
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override
    {
        asked.push_back({title, filter});
        if (files.empty())
            return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::optional<LineColourAnswer> chooseLineColour(const LineColourOffer& offer) override
    {
        offers.push_back(offer);
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<LineColourAnswer>> answers;
    std::vector<std::pair<std::string, std::string>> asked;
    std::vector<LineColourOffer> offers;
};

// A closed rectangle of cells.
struct RectSelection final : SelectionMembership {
    bool closed() const override { return isClosed; }
    bool contains(int column, int row) const override { return cells.contains(column, row); }
    bool isClosed = true;
    QRect cells;
};

struct RecordingHost final : BackstitchHost {
    void repaintView() override { ++repaints; }
    void overlayChanged() override { ++overlays; }
    void showLineStatus(const BackstitchLine& line, const std::string& text) override
    {
        shown.push_back(line);
        statusText = text;
    }
    void clearLineStatus() override { ++cleared; }
    void patternEdited() override { ++edits; }
    void lineMenu(QPoint client) override { menus.push_back(client); }
    void tracingPictureShown() override { ++tracing; }
    void selectionLinesDeleted() override { ++selectionDeletes; }
    int repaints = 0, overlays = 0, cleared = 0, edits = 0, tracing = 0, selectionDeletes = 0;
    std::vector<BackstitchLine> shown;
    std::string statusText;
    std::vector<QPoint> menus;
};

// The lines as the view and every layer hold them.
struct LineState {
    std::vector<BackstitchLine> view;
    std::vector<std::vector<BackstitchLine>> layers;
    std::vector<std::int32_t> cells;
    bool operator==(const LineState&) const = default;
};

BackstitchLine lineOf(int c0, int r0, int k0, int c1, int r1, int k1, ColorRef colour, std::string thread)
{
    return test::outlineLine(std::move(thread), colour, c0, r0, k0, c1, r1, k1);
}

struct Fixture {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    test::RecordedMessages messages;
    UndoHistory undo{view, current, &messages};
    ScriptedDialogs dialogs;
    RecordingHost host;
    ToolController tools{view, current, undo, &messages};
    BackstitchEditor editor{view, current, undo, &messages, &host, &dialogs};

    Fixture()
    {
        editor.attach(tools);
        doc.create(20, 20, "DMC");
        doc.addThread(kRed, "0");
        doc.addThread(kGreen, "1");
        doc.addThread(kBlue, "2");
        view.patternReplaced();
    }
    void choose(int index)
    {
        const std::size_t i = static_cast<std::size_t>(index);
        current.set({index, doc.threads.colors[i], doc.threads.numbers[i]});
    }
    void select(Tool t) { view.dispatch(MsgSelectTool, static_cast<int>(t), 0); }
    // A client point of the cell at 8-pixel cells that snaps to the corner.
    static QPoint near(int column, int row, int corner)
    {
        const int dx = (corner == TopRight || corner == BottomRight) ? 6 : 1;
        const int dy = (corner == BottomLeft || corner == BottomRight) ? 6 : 1;
        return {kLeftRuler + column * 8 + dx, kTopRuler + row * 8 + dy};
    }
    void click(int column, int row, int corner) { tools.mouseDown(near(column, row, corner)); tools.mouseUp(near(column, row, corner)); }
    // Lines stored in the background layer and composed, as a loaded pattern has them.
    void give(std::vector<BackstitchLine> lines)
    {
        doc.layers[doc.layers.size() - 1].lines = lines;
        doc.lines = std::move(lines);
    }
    LineState state() const
    {
        LineState s{doc.lines, {}, doc.grid.cells};
        for (const PatternLayer& layer : doc.layers.layers)
            s.layers.push_back(layer.lines);
        return s;
    }
};

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
    EXPECT_EQ(f.doc.lines[0].selected, 0);
    EXPECT_EQ(f.doc.lines[1].selected, 1);
    ASSERT_EQ(f.host.shown.size(), 1u);
    EXPECT_EQ(f.host.shown[0].thread, "0");
    EXPECT_EQ(f.host.statusText, lineStatusText(f.doc.lines[1]));
    EXPECT_NE(f.host.statusText.find("RGB(255,0,0)"), std::string::npos);
    EXPECT_NE(f.host.statusText.find("第2列第5行左上"), std::string::npos);
    // The layers never hold the flag.
    EXPECT_EQ(f.doc.layers[0].lines[1].selected, 0);

    f.tools.mouseDown({kLeftRuler + 24, kTopRuler + 8});
    EXPECT_EQ(f.editor.pickedLine(), 0);
    EXPECT_EQ(f.doc.lines[1].selected, 0);

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
    EXPECT_EQ(f.editor.pickedLine(), 0);
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

// --- the tracing picture -----------------------------------------------------------------

QImage paintView(PatternView& view)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    view.paint(p, image.size());
    return image;
}

TEST(BackstitchTracing, PictureKeepsItsOwnSizeUpToEightPixelsACellAndTheLongestSide)
{
    QImage source(30, 7, QImage::Format_RGB32);
    source.fill(Qt::green);
    EXPECT_EQ(tracingPictureFrom(source, 10, 5).size(), QSize(30, 7)) << "a small picture is not blown up";
    EXPECT_EQ(tracingPictureFrom(source, 2, 5).size(), QSize(16, 7)) << "no more than 8 pixels a cell";
    const QImage picture = tracingPictureFrom(source, 2, 5);
    EXPECT_EQ(picture.pixel(15, 6) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_TRUE(tracingPictureFrom(QImage(), 10, 5).isNull());
    // A 2000 x 2000 pattern once needed a 16 000 x 16 000 picture.
    QImage big(5000, 3000, QImage::Format_RGB32);
    big.fill(Qt::red);
    EXPECT_EQ(tracingPictureFrom(big, 2000, 2000).size(), QSize(4096, 3000));
}

// How the view once showed a tracing picture: scaled to 8 pixels a cell when loaded, then
// drawn over the pattern area.
QImage paintedTheOldWay(PatternView& view, const QImage& source)
{
    const PatternDocument& doc = view.document();
    view.setBaseImage(source.convertToFormat(QImage::Format_RGB32)
                          .scaled(doc.width() * 8, doc.height() * 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return paintView(view);
}

TEST(BackstitchTracing, LooksAsTheEightPixelPictureDidAtEightAndFourPixelsACell)
{
    // A photo-like picture: gradients and hard edges, larger than 8 pixels a cell.
    QImage source(260, 190, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, (y * 3) % 256, ((x / 13 + y / 11) % 2) * 200));
    for (const bool zoomedOut : {false, true}) {
        Fixture f;  // 20 x 20 cells
        if (zoomedOut)
            f.view.zoomOut();
        f.view.setShowGrid(false);
        f.view.setShowBaseImage(true);
        const QImage old = paintedTheOldWay(f.view, source);
        f.view.setBaseImage(tracingPictureFrom(source, f.doc.width(), f.doc.height()));
        EXPECT_LE(f.view.baseImage().width(), 160);
        EXPECT_EQ(paintView(f.view), old) << "at " << f.view.cellSize() << " pixels a cell";
    }
}

TEST(BackstitchTracing, ASmallPictureIsStretchedAsTheBlownUpOneWas)
{
    // Smooth content: the two ways of enlarging differ only by rounding.
    QImage source(9, 6, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(60 + x * 12, 80 + y * 15, 120));
    Fixture f;
    f.view.setShowGrid(false);
    f.view.setShowBaseImage(true);
    const QImage old = paintedTheOldWay(f.view, source);
    f.view.setBaseImage(tracingPictureFrom(source, f.doc.width(), f.doc.height()));
    const QImage now = paintView(f.view);
    int worst = 0;
    for (int y = 0; y < now.height(); ++y)
        for (int x = 0; x < now.width(); ++x) {
            const QRgb a = now.pixel(x, y), b = old.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 16);
}

TEST(BackstitchTracing, LoadingShowsThePictureInModeZero)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Left half red, right half blue.
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(Qt::blue);
    {
        QPainter p(&source);
        p.fillRect(0, 0, 20, 20, Qt::red);
    }
    const QString file = dir.filePath(u"trace.bmp"_qs);
    ASSERT_TRUE(source.save(file, "BMP"));

    Fixture f;
    f.view.setShowGrid(false);
    const QImage plain = paintView(f.view);
    f.dialogs.files.push_back(std::nullopt);  // cancelled first
    EXPECT_FALSE(f.editor.command(CmdLoadTracingPicture));
    EXPECT_FALSE(f.view.showBaseImage());

    f.dialogs.files.push_back(QFile::encodeName(file).toStdString());
    EXPECT_TRUE(f.editor.command(CmdLoadTracingPicture));
    ASSERT_EQ(f.dialogs.asked.size(), 2u);
    EXPECT_EQ(f.dialogs.asked[1].first, "载入钩边原图");
    EXPECT_EQ(f.dialogs.asked[1].second,
              "图片文件 (.bmp;.jpg;.jpeg;.gif;.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files (*.*)|*.*|");
    EXPECT_TRUE(f.view.showBaseImage());
    EXPECT_TRUE(f.view.showGrid());
    EXPECT_EQ(f.host.tracing, 1);
    EXPECT_EQ(f.undo.undoCount(), 0u);

    // 20 x 20 cells at 8 pixels: the picture covers 160 x 160 pixels from (35, 20).
    f.view.setShowGrid(false);
    const QImage shown = paintView(f.view);
    EXPECT_EQ(plain.pixel(40, 100) & 0xFFFFFFu, 0xFFFFFFu);  // empty cells before
    EXPECT_EQ(shown.pixel(40, 100) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(shown.pixel(190, 170) & 0xFFFFFFu, 0x0000FFu);
    // Other modes show the cells.
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    EXPECT_EQ(paintView(f.view).pixel(40, 100) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(BackstitchTracing, AFileThatIsNoPictureChangesNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"not.jpg"_qs);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("no picture");
    out.close();
    Fixture f;
    f.view.setShowGrid(false);
    EXPECT_FALSE(f.editor.loadTracingPicture(QFile::encodeName(file).toStdString()));
    EXPECT_FALSE(f.view.showBaseImage());
    EXPECT_FALSE(f.view.showGrid());
    EXPECT_EQ(f.host.tracing, 0);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgTracingUnreadable);
    EXPECT_EQ(f.messages.shown[0].title, "提示");
}

TEST(BackstitchCommands, TableNamesTheFourCommands)
{
    ASSERT_EQ(kBackstitchCommands.size(), 4u);
    EXPECT_EQ(std::string(kBackstitchCommands[0].caption), "删除选区描边");
    EXPECT_EQ(kBackstitchCommands[0].id, 32790);
    EXPECT_EQ(std::string(kBackstitchCommands[1].caption), "载入钩边原图");
    EXPECT_EQ(std::string(kBackstitchCommands[2].caption), "更换指定描边颜色");
    EXPECT_EQ(std::string(kBackstitchCommands[3].caption), "删除选中的描边");
    Fixture f;
    EXPECT_FALSE(f.editor.command(12345));
}

}  // namespace
}  // namespace brenmark
