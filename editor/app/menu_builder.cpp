#include "editor/app/menu_builder.h"

#include "editor/view/widgets/qt_modifiers.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace brenmark {

QString menuText(const std::string& gbk)
{
    return fromGbk(gbk).replace(u'&', u"&&"_qs);
}

QToolBar* MenuBuilder::toolbar(const char* caption, const char16_t* name, std::span<const CommandRow> rows)
{
    QToolBar* bar = window_.addToolBar(fromGbk(caption));
    bar->setObjectName(QString::fromUtf16(name));
    for (const CommandRow& row : rows) {
        QAction* a = command(bar, row.caption, row.id, row.name);
        a->setIcon(commandIcon(row.icon));
        bar->addAction(a);
    }
    return bar;
}

QMenu* MenuBuilder::menu(const MenuTable& table)
{
    QMenu* m = window_.menuBar()->addMenu(fromGbk(table.caption));
    m->setObjectName(QString::fromUtf16(table.name));
    addRows(m, table.rows);
    return m;
}

QMenu* MenuBuilder::popup(const char16_t* name, std::span<const CommandRow> rows)
{
    auto* m = new QMenu(&window_);
    m->setObjectName(QString::fromUtf16(name));
    addRows(m, rows);
    return m;
}

QAction* MenuBuilder::action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void MenuBuilder::addRows(QMenu* menu, std::span<const CommandRow> rows)
{
    for (const CommandRow& row : rows) {
        if (!row.entries.empty()) {
            for (const MenuEntry& e : row.entries)
                menu->addAction(command(menu, e.caption, e.id, nullptr));
        } else if (!row.submenu.empty()) {
            QMenu* sub = menu->addMenu(fromGbk(row.caption));
            sub->setObjectName(QString::fromUtf16(row.name));
            addRows(sub, row.submenu);
        } else if (!row.caption) {
            menu->addSeparator();
        } else {
            menu->addAction(command(menu, row.caption, row.id, row.name));
        }
    }
}

QAction* MenuBuilder::command(QWidget* owner, const char* caption, int id, const char16_t* name)
{
    // A command in the toolbar and a menu is one action: one shortcut, one state.
    if (QAction* made = action(id))
        return made;
    auto* a = new QAction(fromGbk(caption), owner);
    a->setObjectName(name ? QString::fromUtf16(name) : u"command%1"_qs.arg(id));
    a->setData(id);
    const CommandRouter* router = &router_;
    QObject::connect(a, &QAction::triggered, owner, [router, id] { router->run(id, modifiersOf(QGuiApplication::keyboardModifiers())); });
    actions_.emplace(id, a);
    return a;
}

}  // namespace brenmark
