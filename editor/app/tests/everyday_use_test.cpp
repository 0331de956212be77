// The editor driven through its real window with Qt's own events: the scroll bars and keys
// move over a big chart, a click in the overview centres the view, Ctrl+C / Ctrl+V copy and
// paste a rectangle, the menus carry their keys, and a small window leaves the chart half.
#include "editor/app/app_commands.h"
#include "editor/app/colour_panel.h"
#include "editor/app/everyday_commands.h"
#include "editor/app/main_window.h"
#include "editor/app/qt_translations.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/selection/selection_tool.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

class EverydayUse : public ::testing::Test {
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

    // A w x h chart: cell (x, y) holds thread (x / 10 + y / 10) % 2, so every block of ten
    // cells differs from its neighbours.
    void open(int w, int h)
    {
        PatternDocument p;
        p.create(w, h, "DMC");
        p.addThread(test::kWindowRed, "321");
        p.addThread(test::kWindowBlue, "796");
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                p.setCell(x, y, (x / 10 + y / 10) % 2);
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file("big.xiu");
        ASSERT_TRUE(savePattern(path, p));
        ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
        settle();
    }
    void settle()
    {
        QCoreApplication::processEvents();
        window->viewWidget()->repaint();
        QCoreApplication::processEvents();
    }
    PatternViewWidget* chart() { return window->viewWidget(); }
    QPoint chartCentre()
    {
        const QSize c = chart()->chartSize();
        return {kLeftRuler + (c.width() - kLeftRuler) / 2, kTopRuler + (c.height() - kTopRuler) / 2};
    }
    QAction* action(const char16_t* name) { return window->findChild<QAction*>(QString::fromUtf16(name)); }
};

}  // namespace

TEST_F(EverydayUse, ScrollBarsAndKeysMoveOverABigChart)
{
    open(1000, 1000);
    QScrollBar* h = chart()->horizontalBar();
    QScrollBar* v = chart()->verticalBar();
    ASSERT_TRUE(h->isVisible());
    ASSERT_TRUE(v->isVisible());
    // At 8 pixels a cell the bar runs to where eight columns are left in view.
    EXPECT_EQ(h->maximum(), 1000 * 8 - 8 * 8);
    EXPECT_EQ(h->value(), 0);

    // A click on the bar's track beyond the handle pages right.
    QTest::mouseClick(h, Qt::LeftButton, Qt::NoModifier, QPoint(h->width() - 30, h->height() / 2));
    settle();
    EXPECT_GT(window->view().firstColumn(), 20);
    EXPECT_EQ(h->value(), kLeftRuler - window->view().origin().x());

    // Dragging the bar's value anywhere moves the view with it.
    v->setValue(4000);
    settle();
    EXPECT_EQ(window->view().firstRow(), 500);

    chart()->setFocus();
    QTest::keyClick(chart(), Qt::Key_Home, Qt::ControlModifier);
    settle();
    EXPECT_EQ(window->view().origin(), QPoint(kLeftRuler, kTopRuler));
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(v->value(), 0);

    QTest::keyClick(chart(), Qt::Key_Right);
    settle();
    EXPECT_EQ(window->view().firstColumn(), 3);  // three cells a step at 8 pixels
    QTest::keyClick(chart(), Qt::Key_Down);
    QTest::keyClick(chart(), Qt::Key_PageDown);
    settle();
    EXPECT_GT(window->view().firstRow(), 30);
    QTest::keyClick(chart(), Qt::Key_End);
    settle();
    // The last column wholly in view at the view's right edge.
    const int right = window->view().origin().x() + 1000 * 8;
    EXPECT_LE(right, chart()->chartSize().width());
    EXPECT_GT(right, chart()->chartSize().width() - 8);
    EXPECT_EQ(h->value(), kLeftRuler - window->view().origin().x());

    // + and - zoom about the centre.
    h->setValue(4000);
    settle();
    const QPoint centreCell = window->view().cellAt(chartCentre());
    QTest::keyClick(chart(), Qt::Key_Minus);
    settle();
    EXPECT_EQ(window->view().cellSize(), 4.0f);
    EXPECT_EQ(window->view().cellAt(chartCentre()), centreCell);
    QTest::keyClick(chart(), Qt::Key_Plus);
    settle();
    EXPECT_EQ(window->view().cellSize(), 8.0f);
    EXPECT_EQ(window->view().cellAt(chartCentre()), centreCell);
}

TEST_F(EverydayUse, TheZoomButtonsKeepTheCentreAndFitShowsTheWholeChart)
{
    open(1000, 1000);
    chart()->verticalBar()->setValue(3000);
    chart()->horizontalBar()->setValue(3000);
    settle();
    const QPoint cell = window->view().cellAt(chartCentre());
    action(u"zoomOut")->trigger();
    settle();
    EXPECT_EQ(window->view().cellAt(chartCentre()), cell);
    action(u"zoomIn")->trigger();
    action(u"zoomIn")->trigger();
    settle();
    EXPECT_EQ(window->view().cellAt(chartCentre()), cell);

    QAction* fit = action(u"fitWindow");
    ASSERT_TRUE(fit);
    EXPECT_TRUE(window->mainToolBar()->actions().contains(fit));
    fit->trigger();
    settle();
    const float s = window->view().cellSize();
    EXPECT_EQ(window->view().origin(), QPoint(kLeftRuler, kTopRuler));
    EXPECT_LE(1000 * s, chart()->chartSize().width() - kLeftRuler);
    EXPECT_LE(1000 * s, chart()->chartSize().height() - kTopRuler);
}

TEST_F(EverydayUse, AClickInTheOverviewCentresTheView)
{
    open(1000, 1000);
    OverviewWidget* overview = window->overviewWidget();
    ASSERT_TRUE(overview->isVisible());
    const double scale = window->view().overviewScale();
    const QPoint offset = window->view().overviewOffset();
    // The overview pixel over cell (700, 600).
    const QPoint target(offset.x() + static_cast<int>(700 / scale), offset.y() + static_cast<int>(600 / scale));
    QTest::mouseClick(overview, Qt::LeftButton, Qt::NoModifier, target);
    settle();
    const QPoint centre = window->view().cellAt(chartCentre());
    EXPECT_NEAR(centre.x(), 700, scale + 1);
    EXPECT_NEAR(centre.y(), 600, scale + 1);
}

TEST_F(EverydayUse, CtrlCAndCtrlVCopyAndPasteARectangle)
{
    open(40, 30);
    window->runCommand(CmdSelectAll);  // also chooses the select-area tool
    settle();
    EXPECT_TRUE(window->view().marks().selectionClosed);
    QTest::keyClick(window.get(), Qt::Key_Escape);  // dropped again
    settle();
    EXPECT_FALSE(window->view().marks().selectionClosed);
    // Shift and a drag with the select-area tool make a rectangle: columns 2..5, rows 3..4.
    const QPoint from = window->tools().cellRect({2, 3}).center();
    const QPoint to = window->tools().cellRect({5, 4}).center();
    QTest::mousePress(chart(), Qt::LeftButton, Qt::ShiftModifier, from);
    QTest::mouseMove(chart(), to);
    QTest::mouseRelease(chart(), Qt::LeftButton, Qt::ShiftModifier, to);
    settle();
    ASSERT_TRUE(window->view().marks().selectionClosed);

    chart()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    settle();
    ASSERT_TRUE(window->selection().placing());
    const FloatingPiece* piece = window->layers().floatingPiece();
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->width, 4);
    EXPECT_EQ(piece->height, 2);
    // Esc puts the piece down.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window->selection().placing());

    // Ctrl+A selects the whole pattern; Ctrl+X copies and clears it.
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(window->view().marks().selectionClosed);
    QTest::keyClick(window.get(), Qt::Key_X, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(window->findChild<QAction*>(u"undo"_qs)->text().contains(fromGbk("清除选区")));
}

TEST_F(EverydayUse, TheMenusAndTipsCarryTheKeys)
{
    QMenu* file = window->findChild<QMenu*>(u"fileMenu"_qs);
    ASSERT_TRUE(file);
    for (const char16_t* name : {u"newPattern", u"openPattern", u"savePattern"}) {
        QAction* a = action(name);
        ASSERT_TRUE(a);
        EXPECT_TRUE(file->actions().contains(a));
        EXPECT_TRUE(window->mainToolBar()->actions().contains(a));  // the same action
    }
    EXPECT_EQ(action(u"newPattern")->shortcut(), QKeySequence(u"Ctrl+N"_qs));
    EXPECT_EQ(action(u"openPattern")->shortcut(), QKeySequence(u"Ctrl+O"_qs));
    EXPECT_EQ(action(u"savePattern")->shortcut(), QKeySequence(u"Ctrl+S"_qs));
    EXPECT_EQ(action(u"print")->shortcut(), QKeySequence(u"Ctrl+P"_qs));
    EXPECT_EQ(action(u"exportChart")->shortcut(), QKeySequence(u"Ctrl+E"_qs));
    EXPECT_EQ(action(u"exit")->shortcut(), QKeySequence(u"Ctrl+Q"_qs));
    EXPECT_EQ(action(u"undo")->shortcut(), QKeySequence(u"Ctrl+Z"_qs));
    EXPECT_EQ(action(u"redo")->shortcut(), QKeySequence(u"Ctrl+Y"_qs));
    EXPECT_EQ(action(u"selectAll")->shortcut(), QKeySequence(u"Ctrl+A"_qs));
    EXPECT_EQ(action(u"cutSelection")->shortcut(), QKeySequence(u"Ctrl+X"_qs));
    EXPECT_EQ(window->findChild<QAction*>(u"command%1"_qs.arg(CmdCopySelection))->shortcut(), QKeySequence(u"Ctrl+C"_qs));
    EXPECT_EQ(window->findChild<QAction*>(u"command%1"_qs.arg(CmdPasteSelection))->shortcut(), QKeySequence(u"Ctrl+V"_qs));
    // Delete stays with the chart: the select-area tool clears with it, the outline picker
    // deletes its line.
    EXPECT_TRUE(window->findChild<QAction*>(u"command%1"_qs.arg(CmdClearSelection))->shortcut().isEmpty());
    // A tip says what the button does, and its key.
    const QString tip = action(u"newPattern")->toolTip();
    EXPECT_TRUE(tip.contains(u"Ctrl+N"_qs)) << tip.toStdString();
    EXPECT_TRUE(tip.contains(fromGbk("空白绣图"))) << tip.toStdString();
    EXPECT_FALSE(action(u"zoomIn")->statusTip().isEmpty());
    // No two actions share a key.
    QMap<QString, QString> owners;
    for (QAction* a : window->findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) {
            const QString key = k.toString();
            EXPECT_FALSE(owners.contains(key) && owners[key] != a->objectName()) << key.toStdString();
            owners[key] = a->objectName();
        }
}

TEST_F(EverydayUse, HelpOffersTheGuideTheKeysAndAbout)
{
    QMenu* help = window->findChild<QMenu*>(u"helpMenu"_qs);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->actions().contains(action(u"helpGuide")));
    EXPECT_TRUE(help->actions().contains(action(u"shortcutList")));
    EXPECT_TRUE(help->actions().contains(action(u"about")));
    EXPECT_FALSE(userGuidePath(std::string(BRENMARK_SOURCE_DIR) + "/data/").isEmpty());
    EXPECT_TRUE(userGuidePath(dir.path()).isEmpty());
    const QString table = shortcutTable();
    EXPECT_TRUE(table.contains(u"Ctrl+N"_qs));
    EXPECT_TRUE(table.contains(u"Esc"_qs));
    action(u"shortcutList")->trigger();
    QCoreApplication::processEvents();
    auto* shown = window->findChild<QDialog*>(u"helpWindow"_qs);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->findChild<QTextBrowser*>()->toHtml().contains(u"Ctrl+O"_qs));
    shown->close();
}

TEST_F(EverydayUse, ASmallWindowLeavesTheChartAtLeastHalf)
{
    open(100, 100);
    window->resize(640, 420);
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
    EXPECT_GE(chart()->width(), window->width() / 2 - 2) << chart()->width() << " of " << window->width();
}

TEST_F(EverydayUse, TheColourBarHasAnAddThreadButtonAndTheNewThreadIsFree)
{
    open(10, 10);
    auto* button = window->colourPanel()->findChild<QPushButton*>(u"addThreadButton"_qs);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), fromGbk("增加绣线"));
}

TEST(QtTranslations, QtsOwnButtonsSpeakChinese)
{
    QTranslator* translator = installQtTranslations(*QCoreApplication::instance(), QLocale(u"en_US"_qs));
    ASSERT_TRUE(translator) << "qt6-translations-l10n is not installed";
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_qs);
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), u"Look in:"_qs);
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_qs);
}
