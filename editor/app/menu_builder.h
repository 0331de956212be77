#pragma once
// Makes the toolbar and the menus from the command tables (app_commands.h). Every action
// runs its command through the router with the keyboard modifiers held at that moment.
#include "editor/app/app_commands.h"
#include "editor/app/command_router.h"

#include <QString>

#include <map>
#include <span>
#include <string>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace brenmark {

// A step's label as a menu item: an "&" in it (a brand such as "J&P") is no mnemonic.
QString menuText(const std::string& gbk);
// The redo item's caption: "Redo" and the operation its undo label names, in the interface's
// language (the Chinese captions are the history's own).
QString redoMenuText(const std::string& gbk);

class MenuBuilder {
public:
    MenuBuilder(QMainWindow& window, const CommandRouter& router) : window_(window), router_(router) {}

    QToolBar* toolbar(const char* caption, const char16_t* name, std::span<const CommandRow> rows);
    // A menu on the menu bar.
    QMenu* menu(const MenuTable& table);
    // A menu that pops up (not on the menu bar).
    QMenu* popup(const char16_t* name, std::span<const CommandRow> rows);

    // The action a row made for a command id; null when no row had it.
    QAction* action(int id) const;

private:
    void addRows(QMenu* menu, std::span<const CommandRow> rows);
    QAction* command(QWidget* owner, const char* caption, int id, const char16_t* name);

    QMainWindow& window_;
    const CommandRouter& router_;
    std::map<int, QAction*> actions_;
};

}  // namespace brenmark
