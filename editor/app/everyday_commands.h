#pragma once
// The keys a user expects and the commands behind the newer ones: fitting the chart to the
// window, select all, cut, Esc, and the help menu. One table gives every command its keys
// and a line saying what it does; the menus, the toolbar's tips, the status bar and the
// list of shortcuts all read it.
#include <QKeySequence>
#include <QList>
#include <QString>

#include <span>
#include <string>

class QWidget;

namespace brenmark {

class MainWindow;

struct CommandKeys {
    int id = 0;
    // Portable key texts ("Ctrl+N"), the first one shown in the menu; null: none.
    const char* keys = nullptr;
    const char* more = nullptr;
    const char* does = nullptr;  // GBK: what the command does
};

std::span<const CommandKeys> commandKeys();
// The keys of one command, the menu's first; empty when it has none.
QList<QKeySequence> keysOf(const CommandKeys& row);
// The keys the chart itself takes when no tool wants them (arrows, pages, Home / End, + and
// -), as (keys, what they do) for the list of shortcuts.
struct ViewKey {
    const char* keys;  // GBK
    const char* does;  // GBK
};
std::span<const ViewKey> viewKeys();

// Gives the window's actions their keys, tips ("caption (keys): what it does") and status
// texts.
void applyCommandKeys(QWidget& window);
// Routes the commands of this file on the window's session.
void routeEverydayCommands(MainWindow& window);

// The help page: the user guide shipped beside the program ("help/index.html" under the
// program directory); empty when it is not there.
QString userGuidePath(const std::string& programDir);
// The list of shortcuts as an HTML table.
QString shortcutTable();

}  // namespace brenmark
