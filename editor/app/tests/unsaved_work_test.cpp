// The user's work through the real window: the modified state in the title and the status
// bar, every way of closing, recent files, the preferences, autosave and recovery.
#include "editor/app/main_window.h"

#include "editor/app/tests/window_test_support.h"
#include "interchange/file_bytes.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QCheckBox>
#include <QSettings>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace brenmark {
namespace {

class UnsavedWork : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        QSettings().clear();
        test::writePalette(dir.path(), "DMC", {{"321", test::kWindowRed}, {"796", test::kWindowBlue}});
        start();
    }
    // Another start of the editor: the settings stay.
    void start()
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.programDir = dir.path();
        s.recoveryDir = dir.file("recovery/");
        window = std::make_unique<MainWindow>(s);
        window->resize(1000, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    std::string writePattern(const std::string& name) { return test::writeTwoThreadPattern(dir, name); }
    void open(const std::string& name = "a.xiu")
    {
        ASSERT_TRUE(window->commands().loadFile(writePattern(name), LoadMode::Library));
        QCoreApplication::processEvents();
    }
    QAction* action(const char16_t* name) { return window->findChild<QAction*>(QString::fromUtf16(name)); }
    void drawPoint(int x, int y) { test::drawPoint(*window, x, y); }
    QString title() const { return window->windowTitle(); }
};

TEST_F(UnsavedWork, TheTitleCarriesAStarWhileModifiedAndUndoBackToTheSavePointClearsIt)
{
    EXPECT_EQ(title(), fromGbk("Velmora十字绣"));
    dialogs.newPatterns.push_back(NewPatternEntry{"DMC", "8", "8"});
    action(u"newPattern")->trigger();
    EXPECT_EQ(title(), fromGbk("未命名 - Velmora十字绣"));

    open();
    EXPECT_EQ(title(), fromGbk("a.xiu - Velmora十字绣"));
    EXPECT_FALSE(window->session().modified());
    drawPoint(2, 2);
    ASSERT_EQ(window->document().cell(2, 2), 1);
    EXPECT_EQ(title(), fromGbk("*a.xiu - Velmora十字绣"));
    drawPoint(3, 2);
    action(u"undo")->trigger();
    EXPECT_TRUE(window->session().modified());
    action(u"undo")->trigger();
    EXPECT_FALSE(window->session().modified());
    EXPECT_EQ(title(), fromGbk("a.xiu - Velmora十字绣"));
    action(u"redo")->trigger();
    EXPECT_EQ(title(), fromGbk("*a.xiu - Velmora十字绣"));

    // Saved: the status bar says so until the next edit.
    dialogs.files.push_back(dir.file("b.xiu"));
    action(u"savePattern")->trigger();
    EXPECT_EQ(title(), fromGbk("b.xiu - Velmora十字绣"));
    EXPECT_TRUE(window->statusText().startsWith(fromGbk("已存储")));
    drawPoint(4, 2);
    EXPECT_FALSE(window->statusText().startsWith(fromGbk("已存储")));
    EXPECT_EQ(title(), fromGbk("*b.xiu - Velmora十字绣"));
}

TEST_F(UnsavedWork, EditsNoStepRecordsStillCountAsUnsavedWhenTheFileKeepsThem)
{
    open();
    // Showing or hiding a layer and the fabric go into the file without an undo step.
    window->layers().toggleVisible(0);
    EXPECT_TRUE(window->session().modified());
    open("b.xiu");
    dialogs.fabrics.push_back(1);
    action(u"fabricColour")->trigger();
    EXPECT_TRUE(window->session().modified());

    // A colour lock is not kept in the file: nothing to ask about.
    open("c.xiu");
    ColourBarWidget* bar = window->colourPanel()->barWidget();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, window->colourPanel()->bar().swatchRect(1, bar->width()).center());
    auto* lock = window->colourPanel()->findChild<QCheckBox*>(u"lockBox"_qs);
    ASSERT_TRUE(lock && lock->isEnabled());
    lock->click();
    EXPECT_FALSE(window->session().modified());
}

TEST_F(UnsavedWork, DismissingThePromptCancelsEveryImport)
{
    for (const char16_t* name : {u"importPicture", u"importCartoon", u"importPhoto", u"importOxs", u"importOtherChart",
                                 u"openPattern", u"openOldLibrary", u"newPattern"}) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        open();
        drawPoint(2, 3);
        dialogs.log.clear();
        dialogs.answers = {Answer::Cancel};
        QAction* a = action(name);
        ASSERT_TRUE(a);
        a->trigger();
        EXPECT_EQ(dialogs.log, std::vector<std::string>{"ask:保存当前绣图吗?|提示"});
        EXPECT_EQ(window->document().cell(2, 3), 1);
        EXPECT_TRUE(window->session().modified());
        dialogs.answers = {Answer::No};
    }
}

TEST_F(UnsavedWork, EveryWayOfClosingAsksAndCancelKeepsThePatternAndItsHistory)
{
    const std::vector<std::function<void()>> ways = {
        [&] { action(u"closeWindow")->trigger(); },
        [&] { action(u"exit")->trigger(); },
        [&] { window->close(); },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        SCOPED_TRACE(i);
        open();
        drawPoint(2, 1);
        dialogs.log.clear();
        dialogs.answers = {Answer::Cancel};
        ways[i]();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(dialogs.log, std::vector<std::string>{"ask:保存当前绣图吗?|提示"});
        EXPECT_EQ(window->document().cell(2, 1), 1);
        EXPECT_TRUE(window->history().canUndo());
        EXPECT_TRUE(window->session().modified());
    }
    EXPECT_EQ(action(u"exit")->shortcut(), QKeySequence(u"Ctrl+Q"_qs));

    // Yes, then cancelling the save dialog, stays open too.
    dialogs.answers = {Answer::Yes};
    window->close();
    EXPECT_TRUE(window->isVisible());

    // No closes and throws the changes away on purpose.
    dialogs.answers = {Answer::No};
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(UnsavedWork, AnUnmodifiedPatternClosesWithoutAQuestion)
{
    open();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(UnsavedWork, NewThenCancelKeepsTheOpenPattern)
{
    open();
    drawPoint(1, 1);
    dialogs.answers = {Answer::No};
    action(u"newPattern")->trigger();  // no new-pattern entry scripted: Cancel
    EXPECT_TRUE(window->document().isOpen());
    EXPECT_EQ(window->document().cell(1, 1), 1);
    EXPECT_EQ(title(), fromGbk("*a.xiu - Velmora十字绣"));
}

TEST_F(UnsavedWork, RecentFilesListTheNewestFirstAndMissingOnesDisabled)
{
    open("one.xiu");
    open("two.xiu");
    open("one.xiu");
    QMenu* menu = window->recentMenu();
    ASSERT_TRUE(menu);
    emit menu->aboutToShow();
    QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0]->text().endsWith(u"one.xiu"_qs));
    EXPECT_TRUE(entries[1]->text().endsWith(u"two.xiu"_qs));
    EXPECT_EQ(window->recentFiles().paths(), (std::vector<std::string>{dir.file("one.xiu"), dir.file("two.xiu")}));

    std::remove(dir.file("two.xiu").c_str());
    emit menu->aboutToShow();
    entries = menu->actions();
    EXPECT_TRUE(entries[0]->isEnabled());
    EXPECT_FALSE(entries[1]->isEnabled());

    // Kept with the window's settings for the next start.
    window.reset();
    start();
    EXPECT_EQ(window->recentFiles().paths(), (std::vector<std::string>{dir.file("one.xiu"), dir.file("two.xiu")}));
    window->recentMenu()->actions()[0]->trigger();
    EXPECT_EQ(window->commands().currentPath(), dir.file("one.xiu"));
}

TEST_F(UnsavedWork, ThePreferencesSetTheUndoDepthAndTheAutosaveInterval)
{
    EXPECT_EQ(window->preferences(), Preferences{});
    EXPECT_EQ(window->history().lists().stepLimit(), 5u);
    dialogs.preferences = [](Preferences& p) {
        p.undoSteps = 40;
        p.autosaveSeconds = 30;
        p.undoMegabytes = 64;
        return true;
    };
    action(u"preferences")->trigger();
    EXPECT_EQ(window->history().lists().stepLimit(), 40u);
    EXPECT_EQ(window->history().lists().byteCap(), 64u << 20);
    window.reset();
    start();
    EXPECT_EQ(window->preferences().undoSteps, 40);
    EXPECT_EQ(window->preferences().autosaveSeconds, 30);
    EXPECT_EQ(window->history().lists().stepLimit(), 40u);
}

// "清晰符号", on from the start: new patterns draw their symbols from the chart symbol font;
// turned off, they take the characters, and a pattern already open keeps what it has.
TEST_F(UnsavedWork, NewPatternsTakeClearSymbolsWhileTheSettingIsOn)
{
    EXPECT_TRUE(window->preferences().clearSymbols);
    dialogs.newPatterns.push_back(NewPatternEntry{"DMC", "8", "8"});
    action(u"newPattern")->trigger();
    EXPECT_TRUE(window->document().clearSymbols);

    dialogs.preferences = [](Preferences& p) {
        p.clearSymbols = false;
        return true;
    };
    action(u"preferences")->trigger();
    EXPECT_FALSE(window->preferences().clearSymbols);
    EXPECT_TRUE(window->document().clearSymbols);
    dialogs.newPatterns.push_back(NewPatternEntry{"DMC", "8", "8"});
    action(u"newPattern")->trigger();
    EXPECT_FALSE(window->document().clearSymbols);
    // Kept with the window's settings for the next start.
    window.reset();
    start();
    EXPECT_FALSE(window->preferences().clearSymbols);
}

// --- autosave and recovery ---------------------------------------------------------------

TEST_F(UnsavedWork, AutosaveWritesACopyOnlyOfUnsavedChangesAndASaveRemovesIt)
{
    open();
    EXPECT_FALSE(window->autosaveNow());  // nothing unsaved
    drawPoint(3, 3);
    ASSERT_TRUE(window->autosaveNow());
    RecoveryStore& store = window->autosave()->store();
    store.wait();
    ASSERT_TRUE(store.lastWriteOk());
    PatternDocument copy;
    ASSERT_NE(loadPattern(store.ownPatternPath(), LoadMode::Plain, copy, {}).result, LoadResult::Failed);
    EXPECT_EQ(copy.grid.cells, window->document().grid.cells);
    EXPECT_FALSE(window->autosaveNow());  // nothing new since

    dialogs.files.push_back(dir.file("a.xiu"));
    action(u"savePattern")->trigger();
    EXPECT_FALSE(test::fileExists(store.ownPatternPath()));
}

TEST_F(UnsavedWork, UndoingBackToTheSavedPatternLetsTheCopyGo)
{
    open();
    drawPoint(3, 3);
    ASSERT_TRUE(window->autosaveNow());
    RecoveryStore& store = window->autosave()->store();
    store.wait();
    ASSERT_TRUE(test::fileExists(store.ownPatternPath()));
    action(u"undo")->trigger();
    EXPECT_FALSE(window->autosaveNow());
    EXPECT_FALSE(test::fileExists(store.ownPatternPath()));
    // Redone, it is unsaved again and written again.
    action(u"redo")->trigger();
    ASSERT_TRUE(window->autosaveNow());
    store.wait();
    EXPECT_TRUE(test::fileExists(store.ownPatternPath()));
}

TEST_F(UnsavedWork, ACopyLeftBehindIsOfferedAndOpensModifiedUnderItsOwnPath)
{
    open();
    drawPoint(4, 1);
    drawPoint(5, 2);
    ASSERT_TRUE(window->autosaveNow());
    window->autosave()->store().wait();
    const std::vector<std::int32_t> edited = window->document().grid.cells;

    // Another editor running at the same time does not see it: its writer's lock is held.
    {
        test::ScriptedDialogs otherDialogs;
        MainWindowSetup s;
        s.dialogs = &otherDialogs;
        s.programDir = dir.path();
        s.recoveryDir = dir.file("recovery/");
        MainWindow other(s);
        other.offerRecovery();
        EXPECT_TRUE(otherDialogs.recoveryOffers.empty());
    }

    // The editor goes away without anyone being asked (not closed), as a killed one does:
    // the copy stays, only the lock is let go.
    window.reset();

    start();
    dialogs.recoveries = {RecoveryAnswer::Open};
    window->offerRecovery();
    ASSERT_EQ(dialogs.recoveryOffers.size(), 1u);
    EXPECT_EQ(dialogs.recoveryOffers[0].fileName, "a.xiu");
    EXPECT_EQ(window->document().grid.cells, edited);
    EXPECT_TRUE(window->session().modified());
    EXPECT_EQ(window->commands().currentPath(), dir.file("a.xiu"));
    EXPECT_EQ(title(), fromGbk("*a.xiu - Velmora十字绣"));
    // Adopted: it is this editor's copy now and a save removes it.
    EXPECT_TRUE(test::fileExists(window->autosave()->store().ownPatternPath()));
    dialogs.files.push_back(dir.file("a.xiu"));
    action(u"savePattern")->trigger();
    EXPECT_FALSE(test::fileExists(window->autosave()->store().ownPatternPath()));
}

TEST_F(UnsavedWork, AKilledEditorsEditsComeBackCellForCell)
{
    const std::string pattern = writePattern("killed.xiu");
    const std::string expected = dir.file("expected.cells");
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(BRENMARK_RECOVERY_HELPER, BRENMARK_RECOVERY_HELPER, dir.path().c_str(), dir.file("recovery/").c_str(),
                pattern.c_str(), expected.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string said;
    char c = 0;
    while (said.find("ready") == std::string::npos && ::read(out[0], &c, 1) == 1)
        said += c;
    ::close(out[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_NE(said.find("ready"), std::string::npos) << "the helper did not get ready";
    ASSERT_TRUE(WIFSIGNALED(status));

    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(expected, bytes));
    std::vector<std::int32_t> cells(bytes.size() / 4);
    std::memcpy(cells.data(), bytes.data(), cells.size() * 4);

    dialogs.recoveries = {RecoveryAnswer::Open};
    window->offerRecovery();
    ASSERT_EQ(dialogs.recoveryOffers.size(), 1u);
    EXPECT_EQ(dialogs.recoveryOffers[0].fileName, "killed.xiu");
    EXPECT_EQ(window->document().grid.cells, cells);
    EXPECT_NE(window->document().cell(1, 1), EmptyCell);
    EXPECT_EQ(window->commands().currentPath(), pattern);
    EXPECT_TRUE(window->session().modified());
}

TEST_F(UnsavedWork, ADamagedCopyIsReportedAndSetAsideNeverLoadedHalf)
{
    open();
    drawPoint(2, 2);
    ASSERT_TRUE(window->autosaveNow());
    RecoveryStore& store = window->autosave()->store();
    store.wait();
    const std::string copy = store.ownPatternPath();
    window.reset();
    // Cut the copy short, as a disk that filled up under it would.
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(copy, bytes));
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(replaceFile(copy, bytes));

    start();
    open("b.xiu");
    const std::vector<std::int32_t> before = window->document().grid.cells;
    dialogs.recoveries = {RecoveryAnswer::Open};
    window->offerRecovery();
    ASSERT_EQ(dialogs.recoveryOffers.size(), 1u);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, kMsgDamaged);
    EXPECT_EQ(window->document().grid.cells, before);
    EXPECT_EQ(window->commands().currentPath(), dir.file("b.xiu"));
    EXPECT_TRUE(test::fileExists(copy + ".damaged"));

    // Not offered again.
    dialogs.recoveryOffers.clear();
    window->offerRecovery();
    EXPECT_TRUE(dialogs.recoveryOffers.empty());
}

TEST_F(UnsavedWork, DiscardingACopyRemovesIt)
{
    open();
    drawPoint(2, 2);
    ASSERT_TRUE(window->autosaveNow());
    window->autosave()->store().wait();
    const std::string copy = window->autosave()->store().ownPatternPath();
    window.reset();
    start();
    dialogs.recoveries = {RecoveryAnswer::Discard};
    window->offerRecovery();
    EXPECT_FALSE(test::fileExists(copy));
    dialogs.recoveryOffers.clear();
    window->offerRecovery();
    EXPECT_TRUE(dialogs.recoveryOffers.empty());
}

}  // namespace
}  // namespace brenmark
