// The main window's selection and outline editing: the selection menu and the Edit menu's
// transforms reach the select-area tool, "删除选区描边" and the tracing picture reach the
// outline editing, pasted and inserted pieces are placed with the select-area tool, and
// undo, redo and another pattern drop what was selected.
#include "editor/app/demo_drawing.h"
#include "editor/app/main_window.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "editor/document/tests/line_builder.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/view_messages.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = test::kWindowRed;
constexpr ColorRef kBlue = test::kWindowBlue;

struct ScriptedTransforms final : TransformDialogs {
    std::optional<double> factor;
    std::optional<Size> size;
    std::optional<double> askScaleFactor() override { return factor; }
    std::optional<Size> askPatternSize(Size) override { return size; }
};

struct ScriptedOutlineDialogs final : BackstitchDialogs {
    std::optional<std::string> file;
    std::optional<LineColourAnswer> colour;
    std::vector<std::string> titles;
    std::optional<std::string> openFile(const std::string& title, const std::string&) override
    {
        titles.push_back(title);
        return file;
    }
    std::optional<LineColourAnswer> chooseLineColour(const LineColourOffer&) override { return colour; }
};

BackstitchLine line(int c0, int r0, int c1, int r1)
{
    return test::outlineLine("321", kRed, c0, r0, TopLeft, c1, r1, TopLeft);
}

class SelectionWiring : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    ScriptedTransforms transforms;
    ScriptedOutlineDialogs outlineDialogs;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.transformDialogs = &transforms;
        s.backstitchDialogs = &outlineDialogs;
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
    }

    // A 10 x 8 pattern: columns 1..3 of rows 1..2 red (as far as a smaller one reaches), the
    // rest empty; one line inside that block and one leaving it.
    std::string writePattern(const std::string& name, int width = 10, int height = 8)
    {
        PatternDocument p;
        p.create(width, height, "DMC");
        p.addThread(kRed, "321");
        p.addThread(kBlue, "796");
        for (int y = 1; y <= 2 && y < height; ++y)
            for (int x = 1; x <= 3 && x < width; ++x)
                p.setCell(x, y, 0);
        p.lines = {line(1, 1, 3, 2), line(2, 1, 8, 6)};
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file(name);
        EXPECT_TRUE(savePattern(path, p));
        return path;
    }
    void open(const std::string& name = "a.xiu")
    {
        ASSERT_TRUE(window->commands().loadFile(writePattern(name), LoadMode::Library));
        QCoreApplication::processEvents();
    }

    // A 20 x 16 green picture to trace; empty when it could not be written.
    std::string writeTracingPicture()
    {
        QImage picture(20, 16, QImage::Format_RGB32);
        picture.fill(Qt::green);
        const std::string path = dir.file("trace.bmp");
        return picture.save(QString::fromStdString(path)) ? path : std::string();
    }
    QAction* command(int id) { return window->findChild<QAction*>(u"command%1"_qs.arg(id)); }
    QPoint cellPoint(int x, int y) { return window->tools().cellRect({x, y}).center(); }
    void clickCell(int x, int y)
    {
        QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, cellPoint(x, y));
    }
    void chooseTool(Tool tool)
    {
        window->toolWindow()->toolButtonFor(tool)->click();
        QCoreApplication::processEvents();
    }
    // Selects cells (1,1)..(3,2) by clicking the polygon's corners with tool 11.
    void selectBlock()
    {
        chooseTool(Tool::SelectArea);
        clickCell(1, 1);
        clickCell(4, 1);
        clickCell(4, 3);
        clickCell(1, 3);
        clickCell(1, 1);
        ASSERT_TRUE(window->selection().polygon().closed());
    }
    std::int32_t cell(int x, int y) { return window->document().cell(x, y); }
};

TEST_F(SelectionWiring, ClearingFromTheMenuEmptiesTheSelectionAndUndoDropsIt)
{
    open();
    selectBlock();
    command(CmdClearSelection)->trigger();
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 3; ++x)
            EXPECT_EQ(cell(x, y), EmptyCell) << x << "," << y;
    // The line inside went with the cells; the one leaving the selection stays.
    ASSERT_EQ(window->document().lines.size(), 1u);
    EXPECT_EQ(window->document().lines[0].endColumn, 8);
    EXPECT_EQ(window->findChild<QAction*>(u"undo"_qs)->text(), fromGbk("取消清除选区"));

    window->findChild<QAction*>(u"undo"_qs)->trigger();
    EXPECT_EQ(cell(2, 2), 0);
    EXPECT_EQ(window->document().lines.size(), 2u);
    EXPECT_FALSE(window->selection().polygon().closed());
    EXPECT_TRUE(window->selection().polygon().vertices().empty());
}

TEST_F(SelectionWiring, ClearingNeedsTheSelectAreaToolCurrent)
{
    open();
    selectBlock();
    window->view().dispatch(MsgSelectTool, static_cast<int>(Tool::Move), 0);
    command(CmdClearSelectionBlocks)->trigger();
    EXPECT_EQ(cell(1, 1), 0);
    EXPECT_FALSE(window->history().canUndo());
}

TEST_F(SelectionWiring, DeletingTheSelectionsLinesKeepsItsCellsAndTheLineLeavingIt)
{
    open();
    selectBlock();
    command(CmdDeleteSelectionLines)->trigger();
    ASSERT_EQ(window->document().lines.size(), 1u);
    EXPECT_EQ(window->document().lines[0].endColumn, 8);
    EXPECT_EQ(cell(1, 1), 0);
    EXPECT_EQ(window->findChild<QAction*>(u"undo"_qs)->text(), fromGbk("取消删除选区描边"));
}

TEST_F(SelectionWiring, APastedBlockIsPlacedWithTheSelectAreaTool)
{
    open();
    selectBlock();
    command(CmdCopySelection)->trigger();
    chooseTool(Tool::Move);
    command(CmdPasteSelection)->trigger();
    EXPECT_EQ(window->tools().currentTool(), Tool::SelectArea);
    EXPECT_TRUE(window->toolWindow()->toolButtonFor(Tool::SelectArea)->isChecked());
    const FloatingPiece* piece = window->layers().floatingPiece();
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->width, 3);
    EXPECT_EQ(piece->height, 2);

    // Drag it by (4, 4) and put it down by choosing another tool.
    const QPoint from = cellPoint(piece->column, piece->row);
    QTest::mousePress(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(window->viewWidget(), cellPoint(piece->column + 4, piece->row + 4));
    QTest::mouseRelease(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, cellPoint(piece->column + 4, piece->row + 4));
    const int column = window->layers().floatingPiece()->column;
    const int row = window->layers().floatingPiece()->row;
    chooseTool(Tool::Move);
    EXPECT_EQ(window->layers().floatingPiece(), nullptr);
    EXPECT_EQ(cell(column, row), 0);
    EXPECT_EQ(cell(column + 2, row + 1), 0);
}

TEST_F(SelectionWiring, AnInsertedPatternWaitsOnTheSelectAreaTool)
{
    open();
    dialogs.files.push_back(writePattern("piece.xiu", 3, 3));
    window->findChild<QAction*>(u"insertPattern"_qs)->trigger();
    EXPECT_NE(window->layers().floatingPiece(), nullptr);
    EXPECT_EQ(window->tools().currentTool(), Tool::SelectArea);
}

TEST_F(SelectionWiring, PastingABlockLargerThanThePatternIsRefusedWithAMessage)
{
    open();
    chooseTool(Tool::SelectArea);
    window->selection().setSelection({{0, 0}, {10, 0}, {10, 8}, {0, 8}}, true);
    command(CmdCopySelection)->trigger();
    ASSERT_TRUE(window->commands().loadFile(writePattern("small.xiu", 5, 5), LoadMode::Library));
    command(CmdPasteSelection)->trigger();
    EXPECT_EQ(window->layers().floatingPiece(), nullptr);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, kMsgPasteTooLarge);
}

TEST_F(SelectionWiring, TheTransformsAskTheirDialogsAndResizeTheView)
{
    open();
    transforms.factor = 1.5;
    command(CmdScalePattern)->trigger();
    EXPECT_EQ(window->document().width(), 15);
    EXPECT_EQ(window->document().height(), 12);
    EXPECT_EQ(window->view().cellImage().width(), 15);
    transforms.size = TransformDialogs::Size{12, 6};
    command(CmdResizePattern)->trigger();
    EXPECT_EQ(window->document().width(), 12);
    EXPECT_EQ(window->document().height(), 6);
    EXPECT_EQ(window->view().cellImage().height(), 6);
    window->findChild<QAction*>(u"undo"_qs)->trigger();
    window->findChild<QAction*>(u"undo"_qs)->trigger();
    EXPECT_EQ(window->document().width(), 10);
    EXPECT_EQ(window->document().height(), 8);
}

TEST_F(SelectionWiring, RotationsComeFromTheSubmenuAndCtrlKeepsTheSource)
{
    open();
    selectBlock();
    command(CmdSetRotationCentre)->trigger();
    EXPECT_TRUE(window->view().marks().rotationCentreShown);
    EXPECT_TRUE(window->runCommand(CmdRotate180, CtrlModifier));
    EXPECT_EQ(window->findChild<QAction*>(u"undo"_qs)->text(), fromGbk("取消选区旋转"));
    EXPECT_EQ(cell(1, 1), 0);  // the copy keeps the source
}

TEST_F(SelectionWiring, TheTracingPictureShowsAndTicksTheBaseImageBox)
{
    open();
    const std::string path = writeTracingPicture();
    ASSERT_FALSE(path.empty());
    auto* base = qobject_cast<QCheckBox*>(window->toolWindow()->control(1053));
    auto* noGrid = qobject_cast<QCheckBox*>(window->toolWindow()->control(1069));
    ASSERT_TRUE(base && noGrid);
    noGrid->setChecked(true);
    outlineDialogs.file = path;
    command(CmdLoadTracingPicture)->trigger();
    ASSERT_EQ(outlineDialogs.titles.size(), 1u);
    EXPECT_EQ(outlineDialogs.titles[0], kTracingTitle);
    EXPECT_EQ(window->view().baseImage().size(), QSize(20, 16)) << "kept at its own size, under 8 pixels a cell";
    EXPECT_TRUE(window->view().showBaseImage());
    EXPECT_TRUE(window->view().showGrid());
    EXPECT_TRUE(base->isVisible());
    EXPECT_TRUE(base->isChecked());
    EXPECT_FALSE(noGrid->isChecked());
}

TEST_F(SelectionWiring, OutlinesAreDrawnPickedAndDeletedThroughTheView)
{
    open();
    window->view().dispatch(MsgSetCurrentColour, static_cast<std::intptr_t>(kBlue), 0);
    chooseTool(Tool::Outline);
    const auto corner = [this](int x, int y) { return window->tools().cellRect({x, y}).topLeft(); };
    QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, corner(5, 5));
    QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, corner(8, 5));
    QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, corner(8, 7));
    EXPECT_EQ(window->document().lines.size(), 4u);
    EXPECT_EQ(window->history().lists().undoCount(), 2u);

    chooseTool(Tool::SelectOutline);
    QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, corner(8, 6));
    ASSERT_GE(window->outlines().pickedLine(), 0);
    EXPECT_FALSE(window->statusText().isEmpty());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->viewWidget(), Qt::Key_Delete);
    EXPECT_EQ(window->document().lines.size(), 3u);
    EXPECT_EQ(window->findChild<QAction*>(u"undo"_qs)->text(), fromGbk("取消删除选定描边"));
    // The line menu offers its two commands.
    QStringList captions;
    for (QAction* a : window->lineMenu()->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{fromGbk("更换指定描边颜色"), fromGbk("删除选中的描边")}));
}

TEST_F(SelectionWiring, AnotherPatternClearsTheToolWindowsBoxesAndTheTracingPicture)
{
    open();
    const std::string path = writeTracingPicture();
    ASSERT_FALSE(path.empty());
    outlineDialogs.file = path;
    command(CmdLoadTracingPicture)->trigger();
    auto* base = qobject_cast<QCheckBox*>(window->toolWindow()->control(1053));
    auto* noGrid = qobject_cast<QCheckBox*>(window->toolWindow()->control(1069));
    noGrid->click();  // as the user hides the grid
    ASSERT_FALSE(window->view().showGrid());

    open("b.xiu");
    EXPECT_FALSE(base->isChecked());
    EXPECT_FALSE(base->isVisible());
    EXPECT_FALSE(noGrid->isChecked());
    EXPECT_TRUE(window->view().showGrid());
    EXPECT_FALSE(window->view().showBaseImage());
    EXPECT_TRUE(window->view().baseImage().isNull());
}

TEST_F(SelectionWiring, AnotherPatternDropsTheSelection)
{
    open();
    selectBlock();
    command(CmdSetRotationCentre)->trigger();
    open("b.xiu");
    EXPECT_TRUE(window->selection().polygon().vertices().empty());
    EXPECT_FALSE(window->view().marks().rotationCentreShown);
}

TEST_F(SelectionWiring, TheSelectionDemoLeavesOutlinesASelectionAndAFloatingCopy)
{
    ASSERT_TRUE(window->commands().loadFile(BRENMARK_SAMPLE_PATTERN, LoadMode::Library));
    dialogs.messages.clear();
    const std::size_t lines = window->document().lines.size();
    runDemoSelection(*window);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->document().lines.size(), lines + 4);
    EXPECT_TRUE(window->view().showBaseImage());
    EXPECT_TRUE(window->selection().polygon().closed());
    ASSERT_NE(window->layers().floatingPiece(), nullptr);
    EXPECT_EQ(window->tools().currentTool(), Tool::SelectArea);
}

}  // namespace
}  // namespace brenmark
