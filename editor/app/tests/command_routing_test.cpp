// Commands reach their handlers: every row of the command tables becomes an action that
// runs its id through the router, the editor handles every id its tables name, and one
// command refreshes the windows once with everything it changed.
#include "editor/app/editor_session.h"
#include "editor/app/main_window.h"
#include "editor/app/menu_builder.h"
#include "editor/app/tests/app_test_support.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

// Every action below a widget, submenus included, that carries a command id.
void collectCommands(QWidget* widget, std::vector<QAction*>& out)
{
    for (QAction* a : widget->actions()) {
        if (a->menu())
            collectCommands(a->menu(), out);
        else if (!a->isSeparator() && a->data().toInt() != 0)
            out.push_back(a);
    }
}

std::vector<int> rowIds(std::span<const CommandRow> rows)
{
    std::vector<int> ids;
    for (const CommandRow& row : rows) {
        for (const MenuEntry& e : row.entries)
            ids.push_back(e.id);
        const std::vector<int> sub = rowIds(row.submenu);
        ids.insert(ids.end(), sub.begin(), sub.end());
        if (row.caption && row.submenu.empty())
            ids.push_back(row.id);
    }
    return ids;
}

std::vector<int> everyTableId()
{
    std::vector<int> ids = rowIds(kToolbarRows);
    for (const auto& bar : {std::span<const MenuTable>(kMenuBar), std::span<const MenuTable>(kMenuBarAfterView)})
        for (const MenuTable& t : bar) {
            const std::vector<int> more = rowIds(t.rows);
            ids.insert(ids.end(), more.begin(), more.end());
        }
    const std::vector<int> line = rowIds(kLineMenuRows);
    ids.insert(ids.end(), line.begin(), line.end());
    return ids;
}

TEST(MenuBuilding, EveryActionRunsItsOwnIdThroughTheRouter)
{
    QMainWindow window;
    CommandRouter router;
    std::vector<int> reached;
    for (const int id : everyTableId())
        router.add(id, [&reached](int got, Modifiers) {
            reached.push_back(got);
            return true;
        });
    MenuBuilder builder(window, router);
    QToolBar* bar = builder.toolbar("工具栏", u"bar", kToolbarRows);
    for (const MenuTable& t : kMenuBar)
        builder.menu(t);
    for (const MenuTable& t : kMenuBarAfterView)
        builder.menu(t);
    QMenu* popup = builder.popup(u"lineMenu", kLineMenuRows);

    std::vector<QAction*> actions;
    collectCommands(bar, actions);
    for (QAction* m : window.menuBar()->actions())
        collectCommands(m->menu(), actions);
    collectCommands(popup, actions);
    ASSERT_EQ(actions.size(), everyTableId().size());
    for (QAction* a : actions) {
        reached.clear();
        a->trigger();
        ASSERT_EQ(reached.size(), 1u) << a->objectName().toStdString();
        EXPECT_EQ(reached[0], a->data().toInt()) << a->objectName().toStdString();
        EXPECT_EQ(builder.action(reached[0]), a);
    }
    // The rotation commands sit in their submenu, after the selection menu's own items.
    QMenu* selection = window.menuBar()->actions()[2]->menu();
    QMenu* rotation = selection->actions().last()->menu();
    ASSERT_NE(rotation, nullptr);
    EXPECT_EQ(rotation->actions().first()->data().toInt(), CmdSetRotationCentre);
}

TEST(MenuBuilding, AnIdNobodyHandlesDoesNothingAndSaysSo)
{
    CommandRouter router;
    EXPECT_FALSE(router.run(CmdFillSelection));
    router.add(CmdFillSelection, [](int, Modifiers) { return false; });
    EXPECT_TRUE(router.handles(CmdFillSelection));
    EXPECT_FALSE(router.run(CmdFillSelection));  // refused
}

TEST(MenuBuilding, TheEditorHandlesEveryCommandItsTablesName)
{
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    MainWindowSetup setup;
    setup.programDir = dir.path();
    setup.dialogs = &dialogs;
    MainWindow window(setup);
    for (const int id : everyTableId())
        if (id != CmdNoPlugins)  // the plug-in menu's placeholder is meant to do nothing
            EXPECT_TRUE(window.session().router().handles(id)) << id;
}

struct ScriptedScale final : TransformDialogs {
    std::optional<double> askScaleFactor() override { return 2.0; }
    std::optional<Size> askPatternSize(Size) override { return std::nullopt; }
};

struct RefreshLog final : SessionWindows {
    std::vector<Changes> refreshes;
    void refresh(Changes what) override { refreshes.push_back(what); }
};

TEST(SessionRefresh, OneCommandRefreshesTheWindowsOnceWithAllItChanged)
{
    test::ScratchDir dir;
    test::writePalette(dir.path(), "DMC", {{"321", rgb(200, 0, 0)}});
    test::ScriptedDialogs dialogs;
    ScriptedScale scale;
    EditorSession session(SessionSetup{dir.path(), &dialogs, &scale, nullptr, nullptr});
    session.document().create(4, 3, "DMC");
    session.document().layers.backgroundFromGrid(session.document());
    RefreshLog log;
    session.setWindows(&log);

    ASSERT_TRUE(session.runCommand(CmdScalePattern));
    EXPECT_EQ(session.document().width(), 8);
    ASSERT_EQ(log.refreshes.size(), 1u);
    EXPECT_TRUE(log.refreshes[0].any(Change::Size));
    EXPECT_TRUE(log.refreshes[0].any(Change::Cells));

    // Undo puts back a whole state: everything is refreshed, once.
    log.refreshes.clear();
    ASSERT_TRUE(session.history().undo());
    EXPECT_EQ(session.document().width(), 4);
    ASSERT_EQ(log.refreshes.size(), 1u);
    EXPECT_EQ(log.refreshes[0], Changes::everything());
}

TEST(SessionRefresh, ARefusedCommandSaysSoAndRefreshesNothing)
{
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    EditorSession session(SessionSetup{dir.path(), &dialogs, nullptr, nullptr, nullptr});
    RefreshLog log;
    session.setWindows(&log);
    // No pattern and no selection: nothing to fill.
    EXPECT_FALSE(session.runCommand(CmdFillSelection));
    EXPECT_TRUE(log.refreshes.empty());
}

}  // namespace
}  // namespace brenmark
