// The main window's editing: colour bar picks, drawing through the tool window and the view,
// undo and redo from the Edit menu, the overview and the tool windows' switches.
#include "editor/app/colour_panel.h"
#include "editor/app/demo_drawing.h"
#include "editor/app/layer_panel.h"
#include "editor/app/main_window.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/view_messages.h"
#include "editor/view/widgets/stitch_kind_window.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QDockWidget>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = test::kWindowRed;
constexpr ColorRef kBlue = test::kWindowBlue;

class Editing : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
    }

    std::string writePattern(const std::string& name) { return test::writeTwoThreadPattern(dir, name); }
    void open(const std::string& name = "a.xiu")
    {
        ASSERT_TRUE(window->commands().loadFile(writePattern(name), LoadMode::Library));
        QCoreApplication::processEvents();
    }

    QAction* action(const char16_t* name) { return window->findChild<QAction*>(QString::fromUtf16(name)); }
    ColourBarWidget* bar() { return window->colourPanel()->barWidget(); }
    // A click on the colour bar's swatch in table order.
    void pickSwatch(int i, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(bar(), Qt::LeftButton, modifiers, window->colourPanel()->bar().swatchRect(i, bar()->width()).center());
    }
    void chooseTool(Tool tool)
    {
        window->toolWindow()->toolButtonFor(tool)->click();
        QCoreApplication::processEvents();  // the tool window's message comes from the loop
    }
    QPoint cellPoint(int x, int y) { return window->tools().cellRect({x, y}).center(); }
    void clickCell(int x, int y) { QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, cellPoint(x, y)); }
    void drawPoint(int x, int y)
    {
        pickSwatch(1);
        chooseTool(Tool::Point);
        clickCell(x, y);
    }
    QString undoText() { return action(u"undo")->text(); }
    QString redoText() { return action(u"redo")->text(); }
    // Ctrl+Z, Ctrl+Y as typed into the view.
    void press(Qt::Key key)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window->viewWidget(), key, Qt::ControlModifier);
    }
};

TEST_F(Editing, TheEditMenuStartsWithNothingToUndoOrRedo)
{
    QMenu* edit = window->menuBar()->actions()[1]->menu();
    QStringList captions;
    for (QAction* a : edit->actions())
        if (!a->isSeparator())
            captions << a->text();
    EXPECT_EQ(captions, (QStringList{fromGbk("无取消操作"), fromGbk("无Redo操作"), fromGbk("插入绣图"), fromGbk("载入钩边原图"),
                                     fromGbk("设置绣布颜色"), fromGbk("当前绣图统计"), fromGbk("绣图缩放"),
                                     fromGbk("修改绣图尺寸")}));
    EXPECT_FALSE(action(u"undo")->isEnabled());
    EXPECT_FALSE(action(u"redo")->isEnabled());
    EXPECT_EQ(action(u"undo")->shortcut(), QKeySequence(u"Ctrl+Z"_qs));
    EXPECT_EQ(action(u"redo")->shortcut(), QKeySequence(u"Ctrl+Y"_qs));
    EXPECT_EQ(action(u"undo")->toolTip(), fromGbk("取消上一步操作"));
    EXPECT_EQ(action(u"redo")->toolTip(), fromGbk("重复上一步操作"));
}

TEST_F(Editing, AColourBarPickSetsTheViewsCurrentThread)
{
    open();
    pickSwatch(1);
    const CurrentThread& current = window->currentThread().thread();
    EXPECT_EQ(current.index, 1);
    EXPECT_EQ(current.colour, kBlue);
    EXPECT_EQ(current.number, "796");
    // The current-colour display shows it, the bar marks it.
    EXPECT_EQ(window->colourPanel()->currentNumber(), u"796"_qs);
    EXPECT_EQ(window->colourPanel()->currentColour(), kBlue);
    EXPECT_EQ(window->colourPanel()->bar().selected(), 1);
}

TEST_F(Editing, ACtrlPickWhileFlashingMovesTheFlashColour)
{
    open();
    pickSwatch(0);
    window->view().dispatch(MsgSetFlashing, 1, 0);
    pickSwatch(1);
    EXPECT_EQ(window->view().flashColour(), kRed);
    pickSwatch(1, Qt::ControlModifier);
    EXPECT_EQ(window->view().flashColour(), kBlue);
}

TEST_F(Editing, APointDrawnAfterAPickIsUndoneAndRedoneFromTheKeyboard)
{
    open();
    drawPoint(3, 2);
    ASSERT_EQ(window->document().cell(3, 2), 1);
    EXPECT_EQ(undoText(), fromGbk("取消描点操作"));
    EXPECT_EQ(redoText(), fromGbk("无Redo操作"));
    EXPECT_TRUE(action(u"undo")->isEnabled());

    press(Qt::Key_Z);
    EXPECT_EQ(window->document().cell(3, 2), EmptyCell);
    EXPECT_EQ(window->view().cellImage().pixel(3, 2), window->view().cellImage().pixel(4, 2));
    EXPECT_EQ(undoText(), fromGbk("无取消操作"));
    EXPECT_EQ(redoText(), fromGbk("Redo描点操作"));
    EXPECT_FALSE(action(u"undo")->isEnabled());

    press(Qt::Key_Y);
    EXPECT_EQ(window->document().cell(3, 2), 1);
    EXPECT_EQ(undoText(), fromGbk("取消描点操作"));
    EXPECT_EQ(redoText(), fromGbk("无Redo操作"));
}

TEST_F(Editing, AClickRightAfterACtrlWheelZoomDrawsTheCellThatWasUnderThePointer)
{
    PatternDocument p;
    p.create(60, 40, "DMC");
    p.addThread(kRed, "321");
    p.addThread(kBlue, "796");
    p.layers.backgroundFromGrid(p);
    ASSERT_TRUE(savePattern(dir.file("big.xiu"), p));
    ASSERT_TRUE(window->commands().loadFile(dir.file("big.xiu"), LoadMode::Library));
    QCoreApplication::processEvents();
    pickSwatch(1);
    chooseTool(Tool::Point);
    const QPoint pointer = cellPoint(20, 15) + QPoint(2, 1);
    const QPoint under = window->view().cellAt(pointer);

    QWidget* view = window->viewWidget();
    QWheelEvent wheel(pointer, view->mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    ASSERT_EQ(window->view().cellSize(), 16.0f);
    // The press comes before the event loop has painted the zoomed view.
    window->tools().mouseDown(pointer);
    window->tools().mouseUp(pointer);
    EXPECT_EQ(window->document().cell(under.x(), under.y()), 1);
}

TEST_F(Editing, TheUndoActionPutsBackTheCellAndTheCurrentColour)
{
    open();
    pickSwatch(0);
    drawPoint(5, 3);  // picks blue first
    pickSwatch(0);    // red again after the stroke
    action(u"undo")->trigger();
    EXPECT_EQ(window->document().cell(5, 3), EmptyCell);
    // The step recorded blue as the current colour; the display shows it again.
    EXPECT_EQ(window->currentThread().thread().index, 1);
    EXPECT_EQ(window->colourPanel()->currentNumber(), u"796"_qs);
}

TEST_F(Editing, OpeningAnotherPatternClearsBothLists)
{
    open();
    drawPoint(1, 1);
    drawPoint(2, 1);
    action(u"undo")->trigger();
    ASSERT_TRUE(window->history().canUndo());
    ASSERT_TRUE(window->history().canRedo());

    dialogs.answers = {Answer::No};
    dialogs.files = {writePattern("b.xiu")};
    action(u"openPattern")->trigger();
    EXPECT_FALSE(window->history().canUndo());
    EXPECT_FALSE(window->history().canRedo());
    EXPECT_EQ(undoText(), fromGbk("无取消操作"));
    EXPECT_EQ(redoText(), fromGbk("无Redo操作"));
    EXPECT_FALSE(action(u"undo")->isEnabled());
}

TEST_F(Editing, ANewPatternClearsTheListsToo)
{
    open();
    drawPoint(1, 1);
    dialogs.answers = {Answer::No};
    dialogs.newPatterns.push_back(NewPatternEntry{"DMC", "8", "8"});
    action(u"newPattern")->trigger();
    EXPECT_EQ(undoText(), fromGbk("无取消操作"));
    EXPECT_EQ(window->threadCaption(), fromGbk("(DMC)绣线数:0"));
}

TEST_F(Editing, LayerStepsAreUndoneWithTheirPanel)
{
    open();
    dialogs.layerNames.push_back(std::string("新层"));
    ASSERT_TRUE(window->layerPanel()->newLayer());
    EXPECT_EQ(undoText(), fromGbk("取消新建层"));
    ASSERT_EQ(window->document().layers.size(), 2);
    action(u"undo")->trigger();
    EXPECT_EQ(window->document().layers.size(), 1);
    EXPECT_EQ(redoText(), fromGbk("Redo新建层"));
}

TEST_F(Editing, PickingFromThePatternShowsTheThreadInTheColourBar)
{
    open();
    chooseTool(Tool::Move);
    clickCell(0, 0);
    EXPECT_EQ(window->currentThread().thread().index, 0);
    EXPECT_EQ(window->colourPanel()->currentNumber(), u"321"_qs);
    EXPECT_EQ(window->colourPanel()->bar().selected(), 0);
}

TEST_F(Editing, TheStitchKindWindowSetsTheKindThePointToolMarks)
{
    open();
    const auto buttons = window->stitchKindWindow()->findChildren<QToolButton*>();
    ASSERT_GT(buttons.size(), 3);
    buttons[3]->click();
    EXPECT_EQ(window->tools().stitchKind(), 3);
    drawPoint(2, 2);
    ASSERT_EQ(window->document().marks.size(), 1u);
    EXPECT_EQ(window->document().marks[0].kind, 3);
}

TEST_F(Editing, TheColourBarShowsSymbolsWhileTheViewDoes)
{
    open();
    EXPECT_FALSE(window->colourPanel()->bar().showSymbols());
    action(u"modeSymbolsOnColour")->trigger();
    EXPECT_TRUE(window->colourPanel()->bar().showSymbols());
    action(u"modeSymbolsOnly")->trigger();
    EXPECT_TRUE(window->colourPanel()->bar().showSymbols());
    action(u"modeSimulated")->trigger();
    EXPECT_FALSE(window->colourPanel()->bar().showSymbols());
}

TEST_F(Editing, TheThreadCaptionSitsAboveTheColourBar)
{
    open();
    EXPECT_EQ(window->threadCaption(), fromGbk("(DMC)绣线数:2"));
    auto* caption = window->colourPanel()->findChild<QWidget*>(u"threadCaption"_qs);
    ASSERT_NE(caption, nullptr);
    EXPECT_LT(caption->geometry().bottom(), bar()->geometry().top());
}

TEST_F(Editing, TheOverviewShowsThePatternAndFollowsTheView)
{
    open();
    window->viewWidget()->repaint();
    EXPECT_FALSE(window->overview().visibleRect().isNull());
    const QImage shown = window->overviewWidget()->grab().toImage();
    const QPoint o = window->view().overviewOffset();
    // The top-left cell is red.
    EXPECT_EQ(QColor(shown.pixel(o + QPoint(1, 1))), QColor(200, 0, 0));
    // The frame is drawn where the view says it shows.
    EXPECT_EQ(QColor(shown.pixel(window->overview().visibleRect().topLeft())), QColor(0, 255, 0));

    drawPoint(5, 3);
    const QImage after = window->overviewWidget()->grab().toImage();
    const double scale = window->view().overviewScale();
    const QPoint cell = o + QPoint(static_cast<int>(5.5 / scale), static_cast<int>(3.5 / scale));
    // The miniature is smoothed: near enough is the cell's colour.
    const auto blue = [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 60 && qGreen(p) < 60; };
    EXPECT_TRUE(blue(after.pixel(cell)));
    action(u"undo")->trigger();
    EXPECT_FALSE(blue(window->overviewWidget()->grab().toImage().pixel(cell)));
}

TEST_F(Editing, TheViewMenuShowsAndHidesTheOverviewAndTheToolWindows)
{
    QMenu* viewMenu = window->findChild<QMenu*>(u"viewMenu"_qs);
    QStringList captions;
    for (QAction* a : viewMenu->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{fromGbk("工具栏(&T)"), fromGbk("状态栏(&S)"), fromGbk("显示鹰眼窗口"),
                                     fromGbk("显示工具窗口"), fromGbk("显示浮动层窗口")}));
    ASSERT_TRUE(window->toolDock()->isVisible());
    ASSERT_TRUE(window->stitchKindDock()->isVisible());
    action(u"showToolWindow")->trigger();
    EXPECT_FALSE(window->toolDock()->isVisible());
    EXPECT_FALSE(window->stitchKindDock()->isVisible());
    action(u"showToolWindow")->trigger();
    EXPECT_TRUE(window->toolDock()->isVisible());
    EXPECT_TRUE(window->stitchKindDock()->isVisible());

    ASSERT_TRUE(window->overviewDock()->isVisible());
    action(u"showOverview")->trigger();
    EXPECT_FALSE(window->overviewDock()->isVisible());
}

TEST_F(Editing, TheToolWindowsSitInsideTheMainWindow)
{
    EXPECT_FALSE(window->toolWindow()->isWindow());
    EXPECT_FALSE(window->stitchKindWindow()->isWindow());
    EXPECT_EQ(window->toolWindow()->window(), window.get());
}

TEST_F(Editing, TheDemoDrawingUsesEveryToolWithoutComplaint)
{
    ASSERT_TRUE(window->commands().loadFile(BRENMARK_SAMPLE_PATTERN, LoadMode::Library));
    dialogs.messages.clear();  // this program folder's palette lacks some of its threads
    window->findChild<QAction*>(u"zoomIn"_qs)->trigger();
    QCoreApplication::processEvents();
    runDemoDrawing(*window);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->history().undoCaption(), "取消复制象素");
    EXPECT_EQ(window->document().cell(5, 24), 4);  // the black solid rectangle
    EXPECT_EQ(window->document().cell(25, 24), 3);  // the fill inside the rim-coloured frame
    EXPECT_EQ(window->document().cell(23, 2), 4);   // cloned from the rectangle
}

}  // namespace
}  // namespace brenmark
