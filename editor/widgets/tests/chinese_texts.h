#pragma once
// For the tests of the English interface: every text a person reads on a widget and its
// children that still holds a Chinese character, as "where: text" (UTF-8).
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QWidget>

#include <string>
#include <vector>

namespace brenmark::test {

inline bool hasChinese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x303F) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Widgets named "language" or "languageLabel" are passed over: the language setting names
// each language in its own words.
inline std::vector<std::string> chineseTexts(const QWidget& root)
{
    std::vector<std::string> found;
    const auto check = [&found](const QString& where, const QString& text) {
        if (hasChinese(text))
            found.push_back((where + QStringLiteral(": ") + text).toStdString());
    };
    check(QStringLiteral("title of ") + root.objectName(), root.windowTitle());
    for (const QAction* a : root.findChildren<QAction*>()) {
        const QString name = QStringLiteral("action ") + a->objectName();
        check(name, a->text());
        check(name + QStringLiteral(" tooltip"), a->toolTip());
        check(name + QStringLiteral(" status tip"), a->statusTip());
    }
    for (const QMenu* m : root.findChildren<QMenu*>())
        check(QStringLiteral("menu ") + m->objectName(), m->title());
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        if (w->objectName() == QStringLiteral("language") || w->objectName() == QStringLiteral("languageLabel"))
            continue;
        const QString name = QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" ") + w->objectName();
        check(name + QStringLiteral(" tooltip"), w->toolTip());
        if (w->isWindow() || qobject_cast<const QDockWidget*>(w) || qobject_cast<const QToolBar*>(w))
            check(name + QStringLiteral(" title"), w->windowTitle());
        if (const auto* label = qobject_cast<const QLabel*>(w))
            check(name, label->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            check(name, button->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            check(name, group->title());
        else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            check(name, edit->text() + edit->placeholderText());
        else if (const auto* combo = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                check(name, combo->itemText(i));
        else if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                check(name, tabs->tabText(i));
    }
    return found;
}

}  // namespace brenmark::test
