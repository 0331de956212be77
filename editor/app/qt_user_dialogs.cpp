#include "editor/app/qt_user_dialogs.h"

#include "editor/app/fabric_colour_dialog.h"
#include "editor/app/new_pattern_dialog.h"
#include "editor/app/preferences_dialog.h"
#include "editor/app/thread_manager_dialog.h"
#include "editor/widgets/message_box.h"
#include "interchange/gbk_qstring.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace brenmark {

namespace {

// File names are the file system's bytes, not program texts.
std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace

QString defaultSuffix(const std::string& pipes)
{
    const QStringList parts = uiQStringOf(pipes).split(u'|');
    if (parts.size() < 2)
        return {};
    const QString first = parts[1].section(u';', 0, 0);
    if (!first.startsWith(u"*."_qs) || first.size() < 3 || first.indexOf(u'*', 1) >= 0 || first.indexOf(u'?') >= 0)
        return {};
    return first.mid(2);
}

void QtUserDialogs::show(const std::string& text, const std::string& title, MessageIcon icon)
{
    showMessageBox(parent_, text, title, icon);
}

bool QtUserDialogs::askYesNo(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::Question, uiQStringOf(title), uiQStringOf(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Answer QtUserDialogs::askYesNoCancel(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::Question, uiQStringOf(title), uiQStringOf(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    // Esc and the box's close button must never count as No: that would throw work away.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

RecoveryAnswer QtUserDialogs::offerRecovery(const RecoveryOffer& offer)
{
    const QString text = uiQString("上次编辑器没有正常结束,留下了未保存的绣图:\n\n") + fromGbk(offer.fileName) +
                         uiQString("\n保存于 ") + fromGbk(offer.time) + uiQString("\n\n要打开它吗?");
    QMessageBox box(QMessageBox::Question, uiQString("恢复未保存的绣图"), text, QMessageBox::NoButton, parent_);
    box.setObjectName(u"recoveryQuestion"_qs);
    QPushButton* open = box.addButton(uiQString("打开"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(uiQString("放弃"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(uiQString("以后再说"), QMessageBox::RejectRole);
    box.setDefaultButton(open);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == open)
        return RecoveryAnswer::Open;
    if (box.clickedButton() == discard)
        return RecoveryAnswer::Discard;
    return RecoveryAnswer::Later;
}

bool QtUserDialogs::editPreferences(Preferences& prefs)
{
    PreferencesDialog dialog(prefs, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    prefs = dialog.preferences();
    return true;
}

std::optional<std::string> QtUserDialogs::openFile(const std::string& title, const std::string& filter)
{
    const QString path = QFileDialog::getOpenFileName(parent_, uiQStringOf(title), lastFolder_, qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    return localPath(path);
}

std::optional<std::string> QtUserDialogs::saveFile(const std::string& title, const std::string& filter,
                                                   const std::string& suggested)
{
    QFileDialog dialog(parent_, uiQStringOf(title), lastFolder_, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The command asks about replacing the file it writes, after normalising the name
    // (Qt would ask about the name as typed). A name typed without extension gets the
    // filter's, so the dialog shows it as it will be written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString suffix = defaultSuffix(filter);
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (!suggested.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(suggested)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    return localPath(path);
}

std::optional<NewPatternEntry> QtUserDialogs::newPattern(const std::vector<std::string>& brands,
                                                         const NewPatternEntry& entry)
{
    NewPatternDialog dialog(brands, entry, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.entry();
}

std::optional<int> QtUserDialogs::chooseFabric(const std::vector<FabricChoice>& choices, int preselected)
{
    FabricColourDialog dialog(choices, preselected, parent_);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0)
        return std::nullopt;
    return dialog.chosen();
}

void QtUserDialogs::manageThreads(ThreadManager& manager)
{
    ThreadManagerDialog dialog(manager, parent_);
    dialog.exec();
}

std::optional<std::string> QtUserDialogs::askLayerName()
{
    bool ok = false;
    const QString prompt = uiQString("输入层的名字");
    const QString name = QInputDialog::getText(parent_, prompt, prompt, QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return toGbk(name);
}

}  // namespace brenmark
