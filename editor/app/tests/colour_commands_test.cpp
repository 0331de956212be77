// The colour operations through the real main window: the colour bar's menu runs each one
// with scripted dialogs; the tests check the pattern, the refusal messages, undo from the
// Edit menu and the colour bar's caption.
#include "editor/app/app_commands.h"
#include "editor/app/colour_commands.h"
#include "editor/app/colour_panel.h"
#include "editor/app/main_window.h"
#include "editor/app/qt_colour_dialogs.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "editor/document/symbol_charset.h"
#include "editor/document/tests/line_builder.h"
#include "editor/render/chart_symbol_font.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <deque>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = test::kWindowRed;
constexpr ColorRef kBlue = test::kWindowBlue;

struct ScriptedColourDialogs final : ColourDialogs {
    std::deque<std::optional<int>> counts;
    std::vector<int> countsShown, initials;
    std::deque<std::optional<ReplaceAnswer>> replacements;
    std::vector<std::string> replaceTitles;
    std::optional<ThreadChoice> added;
    std::optional<std::optional<ThreadChoice>> outline;
    std::optional<std::string> symbol;
    std::string symbolShown;

    std::optional<int> reduceCount(int shown, int initial) override
    {
        countsShown.push_back(shown);
        initials.push_back(initial);
        if (counts.empty())
            return std::nullopt;
        auto c = counts.front();
        counts.pop_front();
        return c;
    }
    std::optional<ReplaceAnswer> chooseReplacement(const std::string& title, const std::vector<ThreadChoice>&,
                                                   const std::vector<ThreadChoice>&) override
    {
        replaceTitles.push_back(title);
        if (replacements.empty())
            return std::nullopt;
        auto r = replacements.front();
        replacements.pop_front();
        return r;
    }
    std::optional<ThreadChoice> chooseThreadToAdd(const std::vector<ThreadChoice>&) override { return added; }
    std::optional<int> strength = 10;
    std::optional<int> confettiStrength() override { return strength; }
    std::optional<std::optional<ThreadChoice>> chooseOutlineThread(const std::string&,
                                                                   const std::vector<ThreadChoice>&) override
    {
        return outline;
    }
    std::optional<std::string> chooseSymbol(const std::string& current, const std::vector<std::string>&, bool) override
    {
        symbolShown = current;
        return symbol;
    }
};

class ColourCommandsTest : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    ScriptedColourDialogs colours;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.colourDialogs = &colours;
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
    }

    // 6 x 4: row 0 red, row 1 blue, the rest empty.
    void open(bool withBlue = true, std::vector<BackstitchLine> lines = {})
    {
        PatternDocument p;
        p.create(6, 4, "DMC");
        p.addThread(kRed, "321");
        if (withBlue)
            p.addThread(kBlue, "796");
        for (int x = 0; x < 6; ++x) {
            p.setCell(x, 0, 0);
            if (withBlue)
                p.setCell(x, 1, 1);
        }
        p.lines = std::move(lines);
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file("c.xiu");
        ASSERT_TRUE(savePattern(path, p));
        ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
        QCoreApplication::processEvents();
    }
    QAction* action(int id) { return window->findChild<QAction*>(u"command%1"_qs.arg(id)); }
    void trigger(int id)
    {
        QAction* a = action(id);
        ASSERT_TRUE(a) << id;
        a->trigger();
        QCoreApplication::processEvents();
    }
    QAction* undoAction() { return window->findChild<QAction*>(u"undo"_qs); }
    void undo()
    {
        undoAction()->trigger();
        QCoreApplication::processEvents();
    }
    void choose(ColorRef colour) { window->session().chooseColour(colour, false); }
    QString caption() { return window->threadCaption(); }
    void clickCell(int x, int y)
    {
        QTest::mouseClick(window->viewWidget(), Qt::LeftButton, Qt::NoModifier,
                          window->tools().cellRect({x, y}).center());
    }
    // Selects columns 0..2 of rows 0..1 with the select-area tool.
    void selectLeftBlock()
    {
        window->toolWindow()->toolButtonFor(Tool::SelectArea)->click();
        QCoreApplication::processEvents();
        for (auto [x, y] : {std::pair{0, 0}, {3, 0}, {3, 2}, {0, 2}, {0, 0}})
            clickCell(x, y);
    }
    QString captionFor(int threads) { return fromGbk(threadCountCaption("DMC", threads)); }
    ColorRef cellColour(int x, int y) { return window->document().threads.colors[window->document().cell(x, y)]; }
    std::vector<std::string> messages()
    {
        std::vector<std::string> texts;
        for (const auto& m : dialogs.messages)
            texts.push_back(m.text);
        return texts;
    }
};

TEST_F(ColourCommandsTest, TheColourBarMenuCarriesEveryCommand)
{
    QMenu* menu = window->colourPanel()->barWidget()->contextMenu();
    for (int id : {CmdChangeSymbol, CmdSubtractThread, CmdReduceColours, CmdReplaceColour, CmdAreaReplaceColour,
                   CmdHollowOutColour, CmdDeleteUnusedThreads, CmdAddThread, CmdReplaceOutlineThread, CmdClearLocks}) {
        QAction* a = action(id);
        ASSERT_TRUE(a) << id;
        EXPECT_TRUE(menu->actions().contains(a)) << id;
    }
    EXPECT_EQ(action(CmdChangeSymbol)->text(), fromGbk(kMenuChangeSymbol));
}

TEST_F(ColourCommandsTest, CleanConfettiIsOneStepFromTheColourBarMenu)
{
    QMenu* menu = window->colourPanel()->barWidget()->contextMenu();
    ASSERT_TRUE(action(CmdCleanConfetti));
    EXPECT_TRUE(menu->actions().contains(action(CmdCleanConfetti)));
    EXPECT_EQ(action(CmdCleanConfetti)->text(), fromGbk("清理单针"));
    // A red row over a blue row, with one blue stitch alone in the red.
    PatternDocument p;
    p.create(6, 4, "DMC");
    p.addThread(kRed, "321");
    p.addThread(kBlue, "796");
    for (int x = 0; x < 6; ++x)
        p.setCell(x, 0, 0), p.setCell(x, 1, 0), p.setCell(x, 2, 1);
    p.setCell(3, 0, 1);
    p.layers.backgroundFromGrid(p);
    const std::string path = dir.file("confetti.xiu");
    ASSERT_TRUE(savePattern(path, p));
    ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
    QCoreApplication::processEvents();
    auto cells = [&] { return std::vector<std::int32_t>(window->document().grid.cells.begin(), window->document().grid.cells.end()); };
    const std::vector<std::int32_t> before = cells();
    // At 5 a stitch this far from its neighbours' colour stays; at 10 none is left alone.
    colours.strength = 5;
    trigger(CmdCleanConfetti);
    EXPECT_EQ(cells(), before);
    colours.strength = std::nullopt;
    trigger(CmdCleanConfetti);
    EXPECT_EQ(cells(), before);
    colours.strength = 10;
    trigger(CmdCleanConfetti);
    EXPECT_EQ(cellColour(3, 0), kRed);
    EXPECT_NE(cells(), before);
    undo();
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(cellColour(3, 0), kBlue);
}

TEST_F(ColourCommandsTest, TheConfettiBrushCleansOnlyWhereItStrokesAsOneStep)
{
    // 12 x 3 red with a lone blue stitch at (1, 1) and another at (10, 1): a stroke over the
    // left one, from the tool window's brush, takes it out and leaves the right one.
    PatternDocument p;
    p.create(12, 3, "DMC");
    p.addThread(kRed, "321");
    p.addThread(kBlue, "796");
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 12; ++x)
            p.setCell(x, y, 0);
    p.setCell(1, 1, 1);
    p.setCell(10, 1, 1);
    p.layers.backgroundFromGrid(p);
    const std::string path = dir.file("brush.xiu");
    ASSERT_TRUE(savePattern(path, p));
    ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
    QCoreApplication::processEvents();
    const auto cells = [&] {
        return std::vector<std::int32_t>(window->document().grid.cells.begin(), window->document().grid.cells.end());
    };
    const std::vector<std::int32_t> before = cells();
    const std::size_t stepsBefore = window->session().history().lists().undoCount();

    QAbstractButton* brush = window->toolWindow()->toolButtonFor(Tool::CleanConfetti);
    ASSERT_TRUE(brush);
    EXPECT_EQ(brush->toolTip(), fromGbk("清理单针工具"));
    brush->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(window->tools().currentTool(), Tool::CleanConfetti);
    const auto at = [&](int x, int y) { return window->tools().cellRect({x, y}).center(); };
    QTest::mousePress(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, at(0, 0));
    QTest::mouseMove(window->viewWidget(), at(2, 0));
    QTest::mouseRelease(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, at(3, 0));
    QCoreApplication::processEvents();
    // The default strength (5) keeps a stitch this far from red: nothing changed, no step.
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(window->session().history().lists().undoCount(), stepsBefore);

    // The brush takes the strength the menu command was given last: at 10 no lone stitch
    // is left. The command cleans everything; undo that and stroke again.
    colours.strength = 10;
    trigger(CmdCleanConfetti);
    undo();
    ASSERT_EQ(cells(), before);
    brush->click();
    QCoreApplication::processEvents();
    QTest::mousePress(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, at(0, 0));
    QTest::mouseMove(window->viewWidget(), at(2, 0));
    QTest::mouseRelease(window->viewWidget(), Qt::LeftButton, Qt::NoModifier, at(3, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(cellColour(1, 1), kRed);
    EXPECT_EQ(cellColour(10, 1), kBlue);
    undo();
    EXPECT_EQ(cells(), before);
}

TEST_F(ColourCommandsTest, BrandMenuListsTheOtherBrandsAndConverts)
{
    test::writePalette(dir.path(), "ANCHOR", {{"13", rgb(190, 0, 0)}, {"134", rgb(0, 0, 190)}});
    open();
    QMenu* menu = window->colourPanel()->barWidget()->contextMenu();
    emit menu->aboutToShow();
    QMenu* brands = menu->findChild<QMenu*>(u"brandMenu"_qs);
    ASSERT_TRUE(brands);
    QStringList captions;
    for (QAction* a : brands->actions())
        captions << a->text();
    EXPECT_TRUE(captions.contains(fromGbk("转ANCHOR线系列"))) << captions.join(u',').toStdString();
    EXPECT_FALSE(captions.contains(fromGbk("转DMC线系列")));
    for (QAction* a : brands->actions())
        if (a->text() == fromGbk("转ANCHOR线系列"))
            a->trigger();
    EXPECT_EQ(window->document().brand, "ANCHOR");
    EXPECT_EQ(cellColour(0, 0), rgb(190, 0, 0));
    EXPECT_EQ(caption(), fromGbk(threadCountCaption("ANCHOR", 2)));
    undo();
    EXPECT_EQ(window->document().brand, "DMC");
    EXPECT_EQ(cellColour(0, 0), kRed);
    EXPECT_EQ(caption(), captionFor(2));
}

TEST_F(ColourCommandsTest, SubtractGivesWayToTheNearestAndUndoPutsItBack)
{
    open();
    EXPECT_EQ(caption(), captionFor(2));
    choose(kRed);
    trigger(CmdSubtractThread);
    EXPECT_EQ(cellColour(0, 0), kBlue);
    EXPECT_EQ(caption(), captionFor(1));
    EXPECT_EQ(undoAction()->text(), fromGbk("取消减去被选颜色"));
    undo();
    EXPECT_EQ(cellColour(0, 0), kRed);
    EXPECT_EQ(caption(), captionFor(2));
}

TEST_F(ColourCommandsTest, SubtractingALockedThreadIsRefused)
{
    open();
    choose(kRed);
    window->colourPanel()->setThreadLocked("321", true);
    const QString undoText = undoAction()->text();
    EXPECT_FALSE(window->runCommand(CmdSubtractThread));
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgLockedNoDelete});
    EXPECT_EQ(cellColour(0, 0), kRed);
    EXPECT_EQ(undoAction()->text(), undoText);
}

TEST_F(ColourCommandsTest, ReduceRefusesTooManyAndAsksAgainFromOne)
{
    open();
    colours.counts = {2, 1};
    trigger(CmdReduceColours);
    EXPECT_EQ(colours.countsShown, (std::vector<int>{2, 2}));
    EXPECT_EQ(colours.initials, (std::vector<int>{1, 1}));
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgReduceTooMany});
    EXPECT_EQ(caption(), captionFor(1));
    EXPECT_EQ(undoAction()->text(), fromGbk("取消成批减色"));
    undo();
    EXPECT_EQ(caption(), captionFor(2));
}

TEST_F(ColourCommandsTest, ReplaceAsksUntilBothThreadsAreChosen)
{
    open(false);
    colours.replacements = {ReplaceAnswer{ThreadChoice{kRed, "321"}, std::nullopt},
                            ReplaceAnswer{ThreadChoice{kRed, "321"}, ThreadChoice{kBlue, "796"}}};
    trigger(CmdReplaceColour);
    EXPECT_EQ(colours.replaceTitles.size(), 2u);
    EXPECT_EQ(colours.replaceTitles[0], kTitleReplaceColour);
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgChooseBothThreads});
    EXPECT_EQ(cellColour(3, 0), kBlue);
    EXPECT_EQ(window->document().distinct.numbers, std::vector<std::string>{"796"});
    undo();
    EXPECT_EQ(cellColour(3, 0), kRed);
}

TEST_F(ColourCommandsTest, AreaReplaceWithoutSelectionOnlyAddsTheThread)
{
    open(false);
    colours.replacements = {ReplaceAnswer{ThreadChoice{kRed, "321"}, ThreadChoice{kBlue, "796"}}};
    trigger(CmdAreaReplaceColour);
    EXPECT_EQ(colours.replaceTitles, std::vector<std::string>{kTitleAreaReplace});
    EXPECT_EQ(cellColour(0, 0), kRed);
    EXPECT_EQ(caption(), captionFor(2));
    EXPECT_EQ(undoAction()->text(), fromGbk("取消区域替换颜色"));
    undo();
    EXPECT_EQ(caption(), captionFor(1));
}

TEST_F(ColourCommandsTest, AreaReplaceChangesOnlyTheSelectedCells)
{
    open(false);
    selectLeftBlock();
    ASSERT_TRUE(window->selection().polygon().closed());
    colours.replacements = {ReplaceAnswer{ThreadChoice{kRed, "321"}, ThreadChoice{kBlue, "796"}}};
    trigger(CmdAreaReplaceColour);
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(cellColour(x, 0), x < 3 ? kBlue : kRed) << x;
    EXPECT_EQ(caption(), captionFor(2));
    undo();
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(cellColour(x, 0), kRed) << x;
}

TEST_F(ColourCommandsTest, CancellingADialogChangesNothing)
{
    open();
    const QString undoText = undoAction()->text();
    for (int id : {CmdReduceColours, CmdReplaceColour, CmdAreaReplaceColour, CmdAddThread})
        EXPECT_FALSE(window->runCommand(id)) << id;
    EXPECT_EQ(undoAction()->text(), undoText);
    EXPECT_EQ(caption(), captionFor(2));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ColourCommandsTest, OutlineReplaceRecoloursTheLinesAndAddsTheThread)
{
    open(false, {test::outlineLine("321", kRed, 0, 0, TopLeft, 3, 2, TopLeft)});
    choose(kRed);
    colours.outline = std::optional<ThreadChoice>(ThreadChoice{kBlue, "796"});
    trigger(CmdReplaceOutlineThread);
    ASSERT_EQ(window->document().lines.size(), 1u);
    EXPECT_EQ(window->document().lines[0].thread, "796");
    EXPECT_EQ(caption(), captionFor(2));
    EXPECT_EQ(undoAction()->text(), fromGbk(kUndoReplaceOutlineThread));
    undo();
    EXPECT_EQ(window->document().lines[0].thread, "321");
    EXPECT_EQ(caption(), captionFor(1));
}

TEST_F(ColourCommandsTest, HollowOutEmptiesTheCurrentColour)
{
    open();
    EXPECT_FALSE(window->runCommand(CmdHollowOutColour));  // no current colour
    choose(kBlue);
    trigger(CmdHollowOutColour);
    EXPECT_EQ(window->document().cell(2, 1), EmptyCell);
    EXPECT_EQ(caption(), captionFor(1));
    EXPECT_EQ(undoAction()->text(), fromGbk("恢复挖空指定颜色"));
    undo();
    EXPECT_EQ(cellColour(2, 1), kBlue);
    EXPECT_EQ(caption(), captionFor(2));
}

TEST_F(ColourCommandsTest, AddThreadMakesItCurrentAndDeleteUnusedTakesItAway)
{
    open(false);
    colours.added = ThreadChoice{kBlue, "796"};
    trigger(CmdAddThread);
    EXPECT_EQ(caption(), captionFor(2));
    EXPECT_EQ(window->currentThread().thread().number, "796");
    EXPECT_EQ(window->colourPanel()->currentNumber(), u"796"_qs);
    EXPECT_EQ(undoAction()->text(), fromGbk("取消上次增加的颜色"));
    trigger(CmdDeleteUnusedThreads);
    EXPECT_EQ(caption(), captionFor(1));
    undo();
    EXPECT_EQ(caption(), captionFor(2));
    undo();
    EXPECT_EQ(caption(), captionFor(1));
}

TEST_F(ColourCommandsTest, OutlineReplaceWithoutAThreadIsRefused)
{
    open();
    choose(kRed);
    colours.outline = std::optional<ThreadChoice>();
    EXPECT_FALSE(window->runCommand(CmdReplaceOutlineThread));
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgChooseOutlineThread});
}

TEST_F(ColourCommandsTest, ChangeSymbolGivesTheCurrentThreadTheChosenSymbol)
{
    open();
    choose(kBlue);
    const std::string before = window->document().symbols[1].symbol;
    colours.symbol = "@";
    trigger(CmdChangeSymbol);
    EXPECT_EQ(colours.symbolShown, before);
    EXPECT_EQ(window->document().symbols[1].symbol, "@");
}

}  // namespace
}  // namespace brenmark

namespace brenmark {
namespace {

// The symbol grid: one push-like button per symbol, 22 to a row, the current one checked.
// With BRENMARK_SCREENSHOT set the dialog is also saved there as a picture.
TEST(SymbolDialog, LaysTheSymbolsOutRowByRow)
{
    const std::vector<std::string>& symbols = symbolCharacterSet();
    ASSERT_GT(symbols.size(), 23u);
    std::unique_ptr<QDialog> dialog(makeSymbolDialog(nullptr, symbols[23], symbols));
    dialog->show();
    QCoreApplication::processEvents();
    auto* group = dialog->findChild<QButtonGroup*>(u"symbols"_qs);
    ASSERT_TRUE(group);
    const int expected = std::min<int>(static_cast<int>(symbols.size()), kSymbolGridColumns * kSymbolGridRows);
    EXPECT_EQ(group->buttons().size(), expected);
    EXPECT_EQ(group->checkedId(), 23);
    EXPECT_TRUE(group->button(0)->isCheckable());
    // Button 23 sits in the second row, one to the right of button 1 below button 0.
    const QPoint first = group->button(0)->pos();
    EXPECT_EQ(group->button(22)->pos().x(), first.x());
    EXPECT_GT(group->button(22)->pos().y(), first.y());
    EXPECT_EQ(group->button(23)->pos().x(), group->button(1)->pos().x());
    bool labelled = false;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        labelled = labelled || label->text() == fromGbk(changeSymbolCaption(symbols[23]));
    EXPECT_TRUE(labelled);
    if (const QByteArray out = qgetenv("BRENMARK_SCREENSHOT"); !out.isEmpty())
        EXPECT_TRUE(dialog->grab().save(QString::fromLocal8Bit(out)));
}

// With clear symbols the grid holds the font's whole set, each button in the symbol font.
TEST(SymbolDialog, OffersTheChartSymbolFontsWholeSetInThatFont)
{
    const std::vector<std::string>& symbols = clearSymbolSet();
    std::unique_ptr<QDialog> dialog(makeSymbolDialog(nullptr, symbols[5], symbols, true));
    auto* group = dialog->findChild<QButtonGroup*>(u"symbols"_qs);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->buttons().size(), static_cast<int>(symbols.size()));
    EXPECT_EQ(group->checkedId(), 5);
    const QAbstractButton* last = group->button(static_cast<int>(symbols.size()) - 1);
    EXPECT_EQ(last->text(), fromGbk(symbols.back()));
    EXPECT_EQ(last->font().family(), chartSymbolFontFamily());
    // The characters keep the dialog's own font.
    std::unique_ptr<QDialog> old(makeSymbolDialog(nullptr, "1", symbolCharacterSet()));
    EXPECT_NE(old->findChild<QButtonGroup*>(u"symbols"_qs)->button(0)->font().family(), chartSymbolFontFamily());
    if (const QByteArray out = qgetenv("BRENMARK_SYMBOL_DIALOG"); !out.isEmpty()) {
        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog->grab().save(QString::fromLocal8Bit(out)));
    }
}

// The colour bar shows the distinct-colour list: each colour once, in the list's order when
// the bar is in table order, and as many swatches as the caption counts.
void expectBarIsTheColourList(MainWindow& window, const char* after)
{
    const PatternDocument& doc = window.document();
    std::vector<ColorRef> shown;
    for (const ColourBar::Swatch& s : window.colourPanel()->bar().swatches())
        shown.push_back(s.colour);
    EXPECT_EQ(shown, doc.distinct.colors) << after;
    std::vector<ColorRef> table = doc.threads.colors;
    std::sort(table.begin(), table.end());
    table.erase(std::unique(table.begin(), table.end()), table.end());
    std::vector<ColorRef> sorted = shown;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, table) << after;
    EXPECT_EQ(window.threadCaption(), fromGbk(threadCountCaption(doc.brand, static_cast<int>(shown.size())))) << after;
}

TEST_F(ColourCommandsTest, TheBarsSwatchesAreTheColourListAfterEveryColourOperation)
{
    PatternDocument p;
    p.create(8, 4, "DMC");
    const ColorRef shades[] = {kRed, kBlue, rgb(250, 10, 10), rgb(10, 10, 250), rgb(0, 120, 0), rgb(0, 130, 0),
                               rgb(200, 200, 0), rgb(40, 40, 40)};
    for (int i = 0; i < 8; ++i)
        p.addThread(shades[i], std::to_string(100 + i));
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            p.setCell(x, y, x);
    p.layers.backgroundFromGrid(p);
    const std::string path = dir.file("many.xiu");
    ASSERT_TRUE(savePattern(path, p));
    ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
    QCoreApplication::processEvents();
    expectBarIsTheColourList(*window, "opening");
    ASSERT_EQ(window->colourPanel()->bar().swatches().size(), 8u);

    choose(kRed);
    trigger(CmdSubtractThread);  // red gives way to its nearest: its cells take that thread
    expectBarIsTheColourList(*window, "subtracting");
    EXPECT_EQ(window->colourPanel()->bar().swatches().size(), 7u);

    colours.counts = {3};
    trigger(CmdReduceColours);
    expectBarIsTheColourList(*window, "reducing");
    EXPECT_EQ(window->colourPanel()->bar().swatches().size(), 4u);

    const ColorRef first = window->document().distinct.colors[0];
    const ColorRef second = window->document().distinct.colors[1];
    const std::string firstNumber = window->document().distinct.numbers[0];
    const std::string secondNumber = window->document().distinct.numbers[1];
    colours.replacements = {ReplaceAnswer{ThreadChoice{first, firstNumber}, ThreadChoice{second, secondNumber}}};
    trigger(CmdReplaceColour);
    expectBarIsTheColourList(*window, "replacing");

    colours.added = ThreadChoice{rgb(1, 2, 3), "999"};
    trigger(CmdAddThread);
    expectBarIsTheColourList(*window, "adding");
    // A thread added is not locked until the user locks it.
    EXPECT_FALSE(window->document().isLocked("999"));

    trigger(CmdDeleteUnusedThreads);
    expectBarIsTheColourList(*window, "deleting unused threads");

    choose(window->document().distinct.colors[0]);
    trigger(CmdHollowOutColour);
    expectBarIsTheColourList(*window, "hollowing out");

    for (int i = 0; i < 12 && window->history().canUndo(); ++i) {
        undo();
        expectBarIsTheColourList(*window, "undoing");
    }
    // The history keeps only its last few steps: back to before "成批减色" at least.
    EXPECT_GE(window->colourPanel()->bar().swatches().size(), 7u);
}

}  // namespace
}  // namespace brenmark
