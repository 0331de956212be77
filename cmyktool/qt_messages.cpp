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
    QMessageBox::about(parent, fromGbk("关于") + fromGbk(kProgramName),
                       fromGbk(kProgramName) + u" "_qs + fromGbk(kProgramVersion));
}

}  // namespace brenmark::glimbert
