#include "cmyktool/qt_messages.h"

#include "cmyktool/glimbert_dialog.h"
#include "editor/widgets/message_box.h"
#include "interchange/gbk_qstring.h"

#include <QMessageBox>

namespace brenmark::glimbert {

void QtMessages::show(const std::string& text, const std::string& title, MessageIcon icon)
{
    showMessageBox(parent_, text, title, icon);
}

void showAbout(QWidget* parent)
{
    QMessageBox::about(parent, uiQString("关于") + uiQStringOf(kProgramName),
                       uiQStringOf(kProgramName) + u" "_qs + uiQStringOf(kProgramVersion));
}

}  // namespace brenmark::glimbert
