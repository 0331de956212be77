// The colour panel on its own: the colour bar's menu of orders, the framed swatch through
// re-sorts, the lock box, and the tool window's option boxes when a pattern is opened.
#include "editor/app/colour_panel.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/tools/tool_controller.h"
#include "editor/view/tools/tool_host.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);
constexpr ColorRef kGreen = rgb(0, 200, 0);
constexpr ColorRef kDarkRed = rgb(40, 0, 0);

QRgb qrgbOf(ColorRef c) { return qRgb(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }

class ColourPanelTest : public ::testing::Test {
protected:
    PatternDocument doc;
    std::unique_ptr<ColourPanel> panel;

    void SetUp() override
    {
        // Table order red, blue, green, dark red. By colour the dark red comes first and the
        // red second; by usage green, blue, red, dark red.
        doc.create(2, 2, "DMC");
        doc.addThread(kRed, "321");
        doc.addThread(kBlue, "796");
        doc.addThread(kGreen, "700");
        doc.addThread(kDarkRed, "3371");
        doc.assignDefaultSymbols();
        doc.grid.cells = {2, 2, 2, 1};
        doc.distinct.rebuild(doc.threads);
        doc.clearLocks();
        panel = std::make_unique<ColourPanel>(doc);
        panel->resize(300, 120);
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        panel->refresh();
    }

    ColourBarWidget* bar() { return panel->barWidget(); }
    QRect swatch(int i) { return panel->bar().swatchRect(i, bar()->width()); }
    void click(int i) { QTest::mouseClick(bar(), Qt::LeftButton, Qt::NoModifier, swatch(i).center()); }
    QImage shot() { return bar()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb pixel(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }
    // The 3-D frame's light side runs along the top and the left.
    bool framed(const QImage& img, int i)
    {
        const QRect r = swatch(i);
        return pixel(img, r.left() + 10, r.top()) == qRgb(255, 255, 255) && pixel(img, r.left(), r.top() + 6) == qRgb(255, 255, 255);
    }
    int framedSwatch(const QImage& img)
    {
        int found = -1;
        for (int i = 0; i < 4; ++i)
            if (framed(img, i)) {
                if (found >= 0)
                    return -2;  // more than one
                found = i;
            }
        return found;
    }
    QRgb fill(const QImage& img, int i) { return pixel(img, swatch(i).left() + 10, swatch(i).top() + 6); }
};

TEST_F(ColourPanelTest, TheBarsMenuOffersTheThreeOrdersWithTheCurrentOneChecked)
{
    QMenu* menu = bar()->contextMenu();
    ASSERT_TRUE(menu);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{fromGbk("原始顺序"), fromGbk("按颜色排序"), fromGbk("按使用量排序")}));
    for (QAction* a : menu->actions())
        EXPECT_TRUE(a->isCheckable());
    EXPECT_TRUE(bar()->orderAction(ColourBar::Order::Table)->isChecked());
    EXPECT_FALSE(bar()->orderAction(ColourBar::Order::ByColour)->isChecked());
    EXPECT_FALSE(bar()->orderAction(ColourBar::Order::ByUsage)->isChecked());

    // An order set by other means is the one checked when the menu opens.
    panel->bar().setOrder(ColourBar::Order::ByColour);
    emit menu->aboutToShow();
    EXPECT_TRUE(bar()->orderAction(ColourBar::Order::ByColour)->isChecked());
    EXPECT_FALSE(bar()->orderAction(ColourBar::Order::Table)->isChecked());
}

TEST_F(ColourPanelTest, EachMenuEntrySortsAndRepaintsTheBar)
{
    QSignalSpy chosen(bar(), &ColourBarWidget::orderChosen);
    EXPECT_EQ(fill(shot(), 0), qrgbOf(kRed));

    bar()->orderAction(ColourBar::Order::ByUsage)->trigger();
    EXPECT_EQ(panel->bar().order(), ColourBar::Order::ByUsage);
    EXPECT_TRUE(bar()->orderAction(ColourBar::Order::ByUsage)->isChecked());
    EXPECT_FALSE(bar()->orderAction(ColourBar::Order::Table)->isChecked());
    QImage img = shot();
    EXPECT_EQ(fill(img, 0), qrgbOf(kGreen));
    EXPECT_EQ(fill(img, 1), qrgbOf(kBlue));
    EXPECT_EQ(fill(img, 2), qrgbOf(kRed));
    EXPECT_EQ(fill(img, 3), qrgbOf(kDarkRed));

    bar()->orderAction(ColourBar::Order::ByColour)->trigger();
    EXPECT_EQ(panel->bar().order(), ColourBar::Order::ByColour);
    img = shot();
    EXPECT_EQ(fill(img, 0), qrgbOf(kDarkRed));
    EXPECT_EQ(fill(img, 1), qrgbOf(kRed));

    bar()->orderAction(ColourBar::Order::Table)->trigger();
    EXPECT_EQ(panel->bar().order(), ColourBar::Order::Table);
    img = shot();
    EXPECT_EQ(fill(img, 0), qrgbOf(kRed));
    EXPECT_EQ(fill(img, 3), qrgbOf(kDarkRed));

    ASSERT_EQ(chosen.count(), 3);
    EXPECT_EQ(chosen[0][0].value<ColourBar::Order>(), ColourBar::Order::ByUsage);
}

TEST_F(ColourPanelTest, ThePickedSwatchStaysFramedAfterSorting)
{
    click(0);  // red
    EXPECT_EQ(panel->currentColour(), kRed);
    QImage img = shot();
    EXPECT_EQ(framedSwatch(img), 0);

    bar()->orderAction(ColourBar::Order::ByColour)->trigger();
    img = shot();
    const int framedAt = framedSwatch(img);
    ASSERT_GE(framedAt, 0);
    EXPECT_EQ(framedAt, 1);
    EXPECT_EQ(fill(img, framedAt), qrgbOf(kRed));

    bar()->orderAction(ColourBar::Order::ByUsage)->trigger();
    img = shot();
    EXPECT_EQ(framedSwatch(img), 2);
    EXPECT_EQ(fill(img, 2), qrgbOf(kRed));
}

TEST_F(ColourPanelTest, TheShownThreadIsFramedWhereverTheOrderPutsIt)
{
    panel->bar().setOrder(ColourBar::Order::ByUsage);
    panel->showThread({3, kDarkRed, "3371"});
    EXPECT_EQ(panel->bar().selected(), 3);
    panel->bar().setOrder(ColourBar::Order::ByColour);
    bar()->update();
    EXPECT_EQ(framedSwatch(shot()), 0);

    // The threads changed under the frame: the thread is found again by its colour.
    doc.threads.colors[3] = kBlue;
    doc.distinct.rebuild(doc.threads, doc.lockFlags);  // as every colour operation does
    panel->refresh();
    panel->showThread({3, kBlue, "796"});
    EXPECT_EQ(panel->bar().selectedThread(), 3);
    panel->showThread({3, kDarkRed, "3371"});
    EXPECT_EQ(panel->bar().selectedThread(), -1);
    EXPECT_EQ(framedSwatch(shot()), -1);

    // A thread table that shrank below the framed thread drops the frame.
    doc.threads.colors[3] = kDarkRed;
    panel->showThread({3, kDarkRed, "3371"});
    doc.threads.colors.pop_back();
    doc.threads.numbers.pop_back();
    doc.distinct.rebuild(doc.threads, doc.lockFlags);
    panel->refresh();
    EXPECT_EQ(panel->bar().selectedThread(), -1);
}

TEST_F(ColourPanelTest, TheLockBoxLocksTheCurrentThreadAndTheBarShowsTheCross)
{
    QCheckBox* lock = panel->lockBox();
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->text(), fromGbk("锁定"));
    EXPECT_FALSE(lock->isEnabled());  // no thread chosen yet

    // A second table entry with the red thread's number takes the lock too.
    doc.addThread(kRed, "321");
    doc.clearLocks();
    doc.distinct.rebuild(doc.threads);
    panel->refresh();

    click(0);
    EXPECT_TRUE(lock->isEnabled());
    EXPECT_FALSE(lock->isChecked());
    QSignalSpy changed(panel.get(), &ColourPanel::locksChanged);
    QTest::mouseClick(lock, Qt::LeftButton, Qt::NoModifier, QPoint(5, lock->height() / 2));
    EXPECT_TRUE(lock->isChecked());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(doc.lockFlags, (std::vector<std::uint32_t>{1, 0, 0, 0, 1}));
    ASSERT_EQ(doc.distinct.numbers[0], "321");
    EXPECT_EQ(doc.distinct.locks[0], 1u);
    EXPECT_TRUE(doc.isLocked("321"));

    // The red swatch is dark: a white cross from corner to corner.
    QImage img = shot();
    const QRect r = swatch(0);
    EXPECT_EQ(pixel(img, r.left() + 5, r.top() + 3), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(img, r.left() + 15, r.top() + 3), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(img, swatch(1).left() + 5, swatch(1).top() + 3), qrgbOf(kBlue));

    // Another thread shows its own lock; back on red the box is checked again.
    click(1);
    EXPECT_FALSE(lock->isChecked());
    panel->showThread({4, kRed, "321"});
    EXPECT_TRUE(lock->isChecked());

    QTest::mouseClick(lock, Qt::LeftButton, Qt::NoModifier, QPoint(5, lock->height() / 2));
    EXPECT_EQ(doc.lockFlags, (std::vector<std::uint32_t>(5, 0)));
    EXPECT_EQ(doc.distinct.locks[0], 0u);

    panel->clearThread();
    EXPECT_FALSE(lock->isEnabled());
    EXPECT_FALSE(lock->isChecked());
}

TEST_F(ColourPanelTest, TheLockBoxFollowsLocksChangedElsewhere)
{
    click(2);
    EXPECT_FALSE(panel->lockBox()->isChecked());
    doc.setLocked("700", true);
    panel->refresh();
    EXPECT_TRUE(panel->lockBox()->isChecked());
}

// What reaches the undo history, the message boxes and the view's host; the app tests'
// shared support has names of its own for such stand-ins, so these stay in this file.
struct CountingUndo final : UndoRecorder {
    void recordUndoStep(const UndoStep& step) override { labels.push_back(step.label); }
    std::vector<std::string> labels;
};
struct CountingMessages final : MessageBoxes {
    void show(const std::string& text, const std::string&, MessageIcon) override { shown.push_back(text); }
    std::vector<std::string> shown;
};
struct CountingHost final : ToolHost {
    void repaintView() override { ++repaints; }
    int repaints = 0;
};

// A 10 x 10 pattern with a view and its tool controller.
struct ToolSetup {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    CountingUndo undo;
    CountingMessages messages;
    CountingHost host;
    ToolController tools{view, current, undo, &messages, &host};

    void make()
    {
        doc.create(10, 10, "DMC");
        doc.addThread(kRed, "321");
        doc.assignDefaultSymbols();
        view.patternReplaced();
    }
};

// The tool window's option boxes when another pattern is opened.
struct ToolWindowOptions : ::testing::Test {
    ToolSetup f;
    std::unique_ptr<ToolWindow> window;

    void SetUp() override
    {
        f.make();
        window = std::make_unique<ToolWindow>(f.view, f.tools);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QCheckBox* box(int id) { return qobject_cast<QCheckBox*>(window->control(id)); }
};

TEST_F(ToolWindowOptions, OpeningAPatternClearsBothOptionBoxesAndHidesTheBaseImageBox)
{
    QCheckBox* baseImage = box(1053);
    QCheckBox* noGrid = box(1069);
    ASSERT_TRUE(baseImage && noGrid);
    EXPECT_EQ(baseImage->text(), fromGbk("显示底图"));
    EXPECT_EQ(noGrid->text(), fromGbk("不显网线"));
    baseImage->click();
    noGrid->click();
    box(1080)->click();
    ASSERT_TRUE(f.view.showBaseImage());
    ASSERT_FALSE(f.view.showGrid());
    const int repaints = f.host.repaints;
    const auto tool = f.tools.currentTool();

    window->patternOpened();
    EXPECT_FALSE(baseImage->isChecked());
    EXPECT_FALSE(noGrid->isChecked());
    EXPECT_TRUE(baseImage->isHidden());
    EXPECT_FALSE(noGrid->isHidden());
    // Nothing went to the view: its flags, its tool and the other boxes are as they were.
    EXPECT_TRUE(f.view.showBaseImage());
    EXPECT_FALSE(f.view.showGrid());
    EXPECT_EQ(f.host.repaints, repaints);
    EXPECT_EQ(f.tools.currentTool(), tool);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_TRUE(f.undo.labels.empty());
    EXPECT_TRUE(box(1080)->isChecked());
    EXPECT_FALSE(box(1079)->isHidden());

    // Opening again leaves it so.
    window->patternOpened();
    EXPECT_TRUE(baseImage->isHidden());
    EXPECT_FALSE(baseImage->isChecked());
}

TEST_F(ToolWindowOptions, ALoadedBaseImageShowsAndChecksItsBox)
{
    window->patternOpened();
    box(1069)->click();
    ASSERT_FALSE(f.view.showGrid());
    window->baseImageLoaded();
    EXPECT_FALSE(box(1053)->isHidden());
    EXPECT_TRUE(box(1053)->isChecked());
    EXPECT_FALSE(box(1069)->isChecked());
    EXPECT_FALSE(f.view.showBaseImage());  // the caller sets the view's flags
    EXPECT_FALSE(f.view.showGrid());
    // The box works as before: a click turns the picture off.
    box(1053)->click();
    EXPECT_FALSE(box(1053)->isChecked());
}

}  // namespace
}  // namespace brenmark
