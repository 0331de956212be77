// The editor with the test plug-ins in its DllPin: the menu "Velmora插件" before and after the
// scan timer, a plug-in started on the open pattern (its snapshot, the selection's vertices),
// the record it sends back as two undo steps, and what is refused.
#include "editor/app/plugin_commands.h"

#include "editor/app/main_window.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "interchange/gbk_qstring.h"
#include "plugins/host/tests/plugin_folder.h"
#include "plugins/host/tests/plugin_probe.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = test::kWindowRed;

class PluginMenu : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    test::PluginFolder plugins;
    std::unique_ptr<MainWindow> window;

    void TearDown() override
    {
        window.reset();
        SetChaProgramDir({});
        SetChaUserDir({});
    }
    // The window, with the menu filled as the scan timer does it.
    void showWindow()
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.pluginsDir = plugins.programDir();
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
        QTRY_VERIFY(window->pluginCommands().isSetUp());
    }
    // A 6 x 4 pattern with its top row red.
    void openPattern()
    {
        PatternDocument p;
        p.create(6, 4, "DMC");
        p.addThread(kRed, "321");
        for (int x = 0; x < 6; ++x)
            p.setCell(x, 0, 0);
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file("p.xiu");
        ASSERT_TRUE(savePattern(path, p));
        ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
        QCoreApplication::processEvents();
    }
    QStringList items() const
    {
        QStringList list;
        for (QAction* a : window->pluginMenu()->actions())
            list << a->text();
        return list;
    }
    std::vector<std::int32_t> cells() const { return window->document().grid.cells; }
    const test::PluginStart& lastStart(const std::string& file) const
    {
        const std::vector<test::PluginStart>* starts = plugins.starts(file);
        static const test::PluginStart none;
        return starts && !starts->empty() ? starts->back() : none;
    }
};

TEST_F(PluginMenu, WithoutPluginsTheMenuKeepsItsPlaceholder)
{
    showWindow();
    QStringList bar;
    for (QAction* a : window->menuBar()->actions())
        bar << a->text();
    const int view = static_cast<int>(bar.indexOf(fromGbk("查看(&V)")));
    ASSERT_GE(view, 0);
    EXPECT_EQ(bar.value(view + 1), fromGbk("Velmora插件"));
    EXPECT_EQ(bar.value(view + 2), fromGbk("附加工具"));
    EXPECT_EQ(items(), QStringList{fromGbk("没有可安装的插件")});
    EXPECT_FALSE(window->pluginMenu()->actions().front()->isEnabled());
    EXPECT_TRUE(window->pluginCommands().names().empty());
    EXPECT_FALSE(window->runCommand(33000));
}

TEST_F(PluginMenu, TheTimerPutsThePluginsInInTableOrderWithWholeNames)
{
    plugins.add("alpha", "a.so");
    plugins.add("long", "b.so");
    plugins.add("declines", "c.so");
    plugins.add("twin_a", "d.so");
    plugins.add("twin_b", "e.so");
    MainWindowSetup s;
    s.dialogs = &dialogs;
    s.pluginsDir = plugins.programDir();
    window = test::showEditorWindow(dir, s);
    ASSERT_TRUE(window);
    // Until the timer fires, the placeholder.
    EXPECT_EQ(items(), QStringList{fromGbk("没有可安装的插件")});
    QTRY_COMPARE(items(), (QStringList{u"Alpha"_qs, u"Abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHI"_qs, u"Twin"_qs,
                                       u"Twin"_qs}));
    EXPECT_EQ(window->pluginMenu()->actions()[2]->objectName(), u"plugin33002"_qs);
    EXPECT_TRUE(window->pluginMenu()->actions()[3]->isEnabled());

    // Both twins start the first of that name.
    window->pluginMenu()->actions()[3]->trigger();
    ASSERT_NE(plugins.starts("d.so"), nullptr);
    EXPECT_EQ(plugins.starts("d.so")->size(), 1u);
    EXPECT_TRUE(plugins.starts("e.so")->empty());
    // The long name, cut to 39 bytes in the table, starts its plug-in.
    EXPECT_TRUE(window->runCommand(33001));
    EXPECT_EQ(plugins.starts("b.so")->size(), 1u);
    // Ids past the table do nothing.
    EXPECT_FALSE(window->runCommand(33004));
    EXPECT_FALSE(window->runCommand(33020));
}

TEST_F(PluginMenu, ARecordSentBackIsTwoUndoStepsAndUndoingBothGivesTheStateBefore)
{
    plugins.add("changes", "a.so");
    showWindow();
    openPattern();
    const std::vector<std::int32_t> before = cells();
    ASSERT_EQ(before[0], 0);

    EXPECT_TRUE(window->runCommand(33000));
    const test::PluginStart& start = lastStart("a.so");
    EXPECT_TRUE(start.snapshot);
    EXPECT_EQ(start.label, "插件数据");
    EXPECT_EQ(start.view, static_cast<void*>(static_cast<QObject*>(&window->pluginCommands())));
    EXPECT_EQ(start.answer, 1);
    EXPECT_EQ(start.outline.size(), 0u);  // no selection: null and 0
    EXPECT_EQ(start.count, 0);
    // Every cell emptied by the plug-in.
    EXPECT_EQ(cells(), std::vector<std::int32_t>(before.size(), -1));

    EXPECT_EQ(window->history().undoCaption(), "取消插件插件数据动作");
    ASSERT_TRUE(window->history().undo());
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(window->history().undoCaption(), "取消插件作用于Velmora");
    ASSERT_TRUE(window->history().undo());
    EXPECT_EQ(cells(), before);
    EXPECT_FALSE(window->history().canUndo());
    // And redone, the plug-in's result is back.
    ASSERT_TRUE(window->history().redo());
    ASSERT_TRUE(window->history().redo());
    EXPECT_EQ(cells(), std::vector<std::int32_t>(before.size(), -1));
}

TEST_F(PluginMenu, ASelectionIsPassedAsItsVertices)
{
    plugins.add("alpha", "a.so");
    showWindow();
    openPattern();
    window->selection().setSelection({{0, 0}, {4, 0}, {4, 2}, {0, 2}}, true);
    EXPECT_TRUE(window->runCommand(33000));
    const test::PluginStart& start = lastStart("a.so");
    EXPECT_EQ(start.count, 4);
    EXPECT_EQ(start.outline, (std::vector<std::int32_t>{0, 0, 4, 0, 4, 2, 0, 2}));
}

TEST_F(PluginMenu, WithNoPatternOpenThePluginGetsNoSnapshotAndNothingIsRecorded)
{
    plugins.add("changes", "a.so");
    showWindow();
    ASSERT_EQ(window->document().grid.width, 0);
    EXPECT_TRUE(window->runCommand(33000));
    const test::PluginStart& start = lastStart("a.so");
    EXPECT_FALSE(start.snapshot);
    EXPECT_EQ(start.answer, -1);  // it had nothing to send
    EXPECT_FALSE(window->history().canUndo());
}

TEST_F(PluginMenu, ZeroAndRecordsThatDoNotFitChangeNothing)
{
    plugins.add("zero", "a.so");
    plugins.add("misfit", "b.so");
    showWindow();
    openPattern();
    const std::vector<std::int32_t> before = cells();

    EXPECT_TRUE(window->runCommand(33000));
    EXPECT_EQ(lastStart("a.so").answer, 0);
    EXPECT_FALSE(window->history().canUndo());
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_TRUE(window->runCommand(33001));
    EXPECT_EQ(lastStart("b.so").answer, 0);
    EXPECT_EQ(cells(), before);
    EXPECT_FALSE(window->history().canUndo());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kPluginRecordRefused);
}

TEST_F(PluginMenu, OnceTheWindowIsGoneAResultReachesNobody)
{
    plugins.add("alpha", "a.so");
    showWindow();
    openPattern();
    UndoSnapshot record = window->history().lists().makeSnapshot(kPluginSnapshotLabel);
    EXPECT_EQ(ActVelmoraData(reinterpret_cast<std::uintptr_t>(&record)), 1);
    window.reset();
    EXPECT_EQ(ActVelmoraData(reinterpret_cast<std::uintptr_t>(&record)), 0);
}

TEST(PluginRecord, FitsOnlyWhenItsPartsAgreeWithItsSize)
{
    UndoSnapshot r;
    r.width = 3;
    r.height = 2;
    r.cells.assign(6, -1);
    r.threadNumbers = {"321"};
    r.threadColours = {kRed};
    EXPECT_TRUE(pluginRecordFits(r));
    r.cells[5] = 0;
    EXPECT_TRUE(pluginRecordFits(r));
    r.cells[5] = 1;  // no such thread
    EXPECT_FALSE(pluginRecordFits(r));
    r.cells[5] = -2;
    EXPECT_FALSE(pluginRecordFits(r));
    r.cells.assign(7, -1);
    EXPECT_FALSE(pluginRecordFits(r));
    r.cells.assign(6, -1);
    r.threadNumbers.clear();  // numbers and colours disagree
    EXPECT_FALSE(pluginRecordFits(r));
    r.threadNumbers = {"321"};
    r.picture = QImage(4, 2, QImage::Format_RGB32);
    EXPECT_FALSE(pluginRecordFits(r));
    r.picture = QImage();
    r.width = 0;
    r.cells.clear();
    EXPECT_FALSE(pluginRecordFits(r));
}

}  // namespace
}  // namespace brenmark
