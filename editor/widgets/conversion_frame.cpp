#include "editor/widgets/conversion_frame.h"

#include "editor/output/picture_import.h"
#include "editor/widgets/qt_file_filter.h"
#include "interchange/gbk_qstring.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenmark {

std::string localFilePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

ConversionDialogFrame::ConversionDialogFrame(const std::string& filter, const char* acceptCaption, QWidget* parent)
    : QDialog(parent),
      files_(new QFileDialog(this, QString(), QString(), qtFileFilter(filter))),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)),
      convert_(new QPushButton(uiQString("转换"), this)),
      count_(new QLabel(this)),
      preview_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      accept_(new QPushButton(uiQStringOf(acceptCaption), this)),
      cancel_(new QPushButton(uiQString("取消"), this))
{
    // Qt's own dialog as a child widget: its file list and folder controls stay, its buttons
    // give way to the frame's.
    files_->setOption(QFileDialog::DontUseNativeDialog);
    files_->setWindowFlags(Qt::Widget);
    files_->setFileMode(QFileDialog::ExistingFile);
    files_->setObjectName(u"files"_qs);
    if (auto* box = files_->findChild<QDialogButtonBox*>())
        box->hide();

    width_->setObjectName(u"targetWidth"_qs);
    height_->setObjectName(u"targetHeight"_qs);
    convert_->setObjectName(u"convert"_qs);
    count_->setObjectName(u"threadCount"_qs);
    progress_->setObjectName(u"conversionProgress"_qs);
    cancel_->setObjectName(u"cancel"_qs);

    // The hooks are called only once the dialog built on this frame is whole.
    connect(files_, &QFileDialog::currentChanged, this, [this](const QString& path) {
        if (QFileInfo(path).isFile())
            chooseFile(path);
    });
    // A double click accepts the embedded dialog, which would hide it: it stays, and the
    // file counts as chosen.
    connect(files_, &QFileDialog::fileSelected, this, &ConversionDialogFrame::chooseFile);
    connect(files_, &QDialog::finished, files_, [this] { files_->show(); });
    connect(width_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (widthEdited_)
            height_->setText(fromGbk(widthEdited_(toGbk(text))));
    });
    connect(height_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (heightEdited_)
            width_->setText(fromGbk(heightEdited_(toGbk(text))));
    });
    connect(convert_, &QPushButton::clicked, this, &ConversionDialogFrame::convert);
    connect(accept_, &QPushButton::clicked, this, [this] {
        if (acceptable())
            accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    accept_->setDefault(true);
    progress_->setRange(0, 10);
    progress_->setTextVisible(false);
}

void ConversionDialogFrame::chooseFile(const QString& path)
{
    const std::string chosen = localFilePath(path);
    if (chosen == chosenPath() && converted())
        return;
    choose(chosen);
    progress_->setValue(0);
    showPanel();
}

void ConversionDialogFrame::convert()
{
    progress_->setValue(0);
    runConversion(*this);
    showPanel();
}

QGroupBox* ConversionDialogFrame::makePreviewBox(int side)
{
    preview_->setFixedSize(side, side);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setStyleSheet(u"background: white"_qs);
    auto* box = new QGroupBox(uiQStringOf(kPreviewCaption), this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(preview_, 0, Qt::AlignCenter);
    return box;
}

QLayout* ConversionDialogFrame::makeButtonRow()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept_);
    buttons->addWidget(cancel_);
    return buttons;
}

void ConversionDialogFrame::finishLayout(QLayout* side)
{
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(files_, 1);
    layout->addLayout(side);
}

void ConversionDialogFrame::setRange(int low, int high)
{
    progress_->setRange(low, high);
}

void ConversionDialogFrame::setPosition(int position)
{
    progress_->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace brenmark
