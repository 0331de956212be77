#pragma once
// The program's message boxes as Qt windows: the text and title are GBK, the icon one of
// MessageIcon's, the only button OK. Every Qt-facing program and library shows its
// refusals and notes through these.
#include "editor/document/user_prompts.h"
#include "interchange/gbk_qstring.h"

#include <QMessageBox>

#include <string>

namespace brenmark {

inline QMessageBox::Icon qtMessageIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Shows one box over parent and waits for OK; extraFlags are added to the box's window flags
// (a tool whose window stays on top keeps its boxes on top too).
inline void showMessageBox(QWidget* parent, const std::string& text, const std::string& title, MessageIcon icon,
                           Qt::WindowFlags extraFlags = {})
{
    // Whole texts of the catalogue (titles, fixed messages) are shown in the interface's
    // language here; texts put together from parts are translated where they are made.
    QMessageBox box(qtMessageIcon(icon), uiQStringOf(title), uiQStringOf(text), QMessageBox::Ok, parent);
    if (extraFlags)
        box.setWindowFlags(box.windowFlags() | extraFlags);
    box.exec();
}

// MessageBoxes over a parent window that may be set later.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        showMessageBox(parent_, text, title, icon);
    }

private:
    QWidget* parent_;
};

}  // namespace brenmark
