#include "cmyktool/qt_messages.h"

#include "cmyktool/glimbert_dialog.h"
#include "editor/render/gbk_qstring.h"

#include <QMessageBox>

namespace brenmark::glimbert {

void QtMessages::show(const std::string& text, const std::string& title, MessageIcon icon)
{
    QMessageBox::Icon shown = QMessageBox::Information;
    switch (icon) {
    case MessageIcon::Information: shown = QMessageBox::Information; break;
    case MessageIcon::Warning: shown = QMessageBox::Warning; break;
    case MessageIcon::Stop: shown = QMessageBox::Critical; break;
    case MessageIcon::Question: shown = QMessageBox::Question; break;
    }
    QMessageBox box(shown, fromGbk(title), fromGbk(text), QMessageBox::Ok, parent_);
    box.exec();
}

void showAbout(QWidget* parent)
{
    QMessageBox::about(parent, fromGbk("关于") + fromGbk(kProgramName),
                       fromGbk(kProgramName) + u" "_qs + fromGbk(kProgramVersion));
}

}  // namespace brenmark::glimbert
