#include "editor/view/backstitch/widgets/qt_backstitch_dialogs.h"

#include "editor/document/user_prompts.h"
#include "editor/render/qt_colour.h"
#include "editor/widgets/qt_file_filter.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QStringList>
#include <QVBoxLayout>

namespace brenmark {

namespace {

QIcon swatch(ColorRef c)
{
    QPixmap p(16, 16);
    p.fill(qColour(c));
    return QIcon(p);
}

}  // namespace

LineColourDialog::LineColourDialog(const LineColourOffer& offer, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiQStringOf(kLineColourTitle));
    auto* layout = new QVBoxLayout(this);

    auto* currentRow = new QHBoxLayout;
    auto* currentSwatch = new QLabel;
    currentSwatch->setPixmap(swatch(offer.current.colour).pixmap(16, 16));
    currentRow->addWidget(currentSwatch);
    currentRow->addWidget(new QLabel(fromGbk(uiText("当前描边: ") + offer.current.number)));
    currentRow->addStretch();
    layout->addLayout(currentRow);

    layout->addWidget(new QLabel(uiQStringOf(kLineColourPrompt)));
    threads_ = new QListWidget;
    for (const LineThreadChoice& t : offer.threads)
        threads_->addItem(new QListWidgetItem(swatch(t.colour), fromGbk(t.number)));
    layout->addWidget(threads_);

    allLines_ = new QCheckBox(uiQStringOf(kLineColourAllLines));
    layout->addWidget(allLines_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(threads_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    layout->addWidget(buttons);
}

LineColourAnswer LineColourDialog::answer() const
{
    return {threads_->currentItem() ? threads_->currentRow() : -1, allLines_->isChecked()};
}

void LineColourDialog::accept()
{
    if (answer().thread < 0) {
        QMessageBox::warning(this, uiQStringOf(kTitleWarning), uiQStringOf(kMsgChooseLineColour));
        return;
    }
    QDialog::accept();
}

std::optional<std::string> QtBackstitchDialogs::openFile(const std::string& title, const std::string& filter)
{
    const QString path = QFileDialog::getOpenFileName(parent_, uiQStringOf(title), lastFolder_, qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    // File names are the file system's bytes, not program texts.
    return QFile::encodeName(path).toStdString();
}

std::optional<LineColourAnswer> QtBackstitchDialogs::chooseLineColour(const LineColourOffer& offer)
{
    LineColourDialog dialog(offer, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answer();
}

}  // namespace brenmark
