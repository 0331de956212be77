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

namespace {

// The undo label of the steps that name no operation, for the redo caption in English.
[[maybe_unused]] constexpr const char* kGenericUndo = UI_TEXT_NOOP("取消上一次操作");

// Undo labels put together from a head, a name, perhaps a middle and a second name, and a tail
// (a plug-in's step, a brand conversion): shown from a template of the catalogue with the
// names filled in.
struct ComposedLabel {
    std::string_view head, middle, tail;
    const char* shown;
};
// The parts are matched against the labels, which stay the program's own (untranslated).
constexpr ComposedLabel kComposedLabels[] = {
    {"取消插件", {}, "动作", UI_TEXT_NOOP("取消插件%1动作")},   // untranslated parts
    {"取消", "绣线转", "绣线", UI_TEXT_NOOP("取消%1绣线转%2绣线")},  // untranslated parts
};

QString shownLabel(const std::string& gbk)
{
    if (currentUiLanguage() == UiLanguage::Chinese)
        return fromGbk(gbk);
    const std::string translated = uiTextOf(gbk);
    if (translated != gbk)
        return fromGbk(translated);
    const std::string_view text(gbk);
    for (const ComposedLabel& c : kComposedLabels) {
        if (text.size() < c.head.size() + c.tail.size() || text.substr(0, c.head.size()) != c.head ||
            text.substr(text.size() - c.tail.size()) != c.tail)
            continue;
        const std::string_view names = text.substr(c.head.size(), text.size() - c.head.size() - c.tail.size());
        if (c.middle.empty())
            return uiQStringOf(c.shown).arg(fromGbk(std::string(names)));
        const std::size_t at = gbkFind(names, c.middle);
        if (at != std::string_view::npos)
            return uiQStringOf(c.shown).arg(fromGbk(std::string(names.substr(0, at))),
                                          fromGbk(std::string(names.substr(at + c.middle.size()))));
    }
    return fromGbk(gbk);
}

}  // namespace

QString menuText(const std::string& gbk)
{
    return shownLabel(gbk).replace(u'&', u"&&"_qs);
}

QString redoMenuText(const std::string& gbk)
{
    const std::string redo = "Redo";
    if (currentUiLanguage() == UiLanguage::Chinese || gbk.rfind(redo, 0) != 0)
        return menuText(gbk);
    // "Redo" + the operation: the undo label of that operation in English says "Undo ...".
    const QString undone = shownLabel(std::string("取消") + gbk.substr(redo.size()));  // untranslated: a label
    const QString undo = u"Undo "_qs;
    if (undone.startsWith(undo)) {
        QString caption = u"Redo "_qs + undone.mid(undo.size());
        return caption.replace(u'&', u"&&"_qs);
    }
    return menuText(gbk);
}

QToolBar* MenuBuilder::toolbar(const char* caption, const char16_t* name, std::span<const CommandRow> rows)
{
    QToolBar* bar = window_.addToolBar(uiQStringOf(caption));
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
    QMenu* m = window_.menuBar()->addMenu(uiQStringOf(table.caption));
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
            QMenu* sub = menu->addMenu(uiQStringOf(row.caption));
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
    auto* a = new QAction(uiQStringOf(caption), owner);
    a->setObjectName(name ? QString::fromUtf16(name) : u"command%1"_qs.arg(id));
    a->setData(id);
    const CommandRouter* router = &router_;
    QObject::connect(a, &QAction::triggered, owner, [router, id] { router->run(id, modifiersOf(QGuiApplication::keyboardModifiers())); });
    actions_.emplace(id, a);
    return a;
}

}  // namespace brenmark
