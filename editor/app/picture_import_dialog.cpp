#include "editor/app/picture_import_dialog.h"

#include "editor/app/conversion_options_box.h"
#include "editor/app/preview_crop.h"
#include "editor/output/picture_decode.h"
#include "editor/view/gbk_qstring.h"
#include "editor/view/qt_file_filter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenmark {

namespace {

constexpr int kPreviewSide = 200;

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString sizeText(const char* caption, const std::optional<PictureSize>& size, int PictureSize::*side)
{
    QString text = fromGbk(caption) + u':';
    if (size)
        text += QString::number((*size).*side);
    return text;
}

}  // namespace

PictureImportDialog::PictureImportDialog(const std::string& title, const std::string& filter,
                                         PictureImportPanel& panel, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      panel_(panel),
      messages_(messages),
      files_(new QFileDialog(this, QString(), QString(), qtFileFilter(filter))),
      pictureWidth_(new QLabel(this)),
      pictureHeight_(new QLabel(this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)),
      kinds_(new QComboBox(this)),
      convert_(new QPushButton(fromGbk("转换"), this)),
      count_(new QLabel(this)),
      preview_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      open_(new QPushButton(fromGbk("打开"), this)),
      cancel_(new QPushButton(fromGbk("取消"), this))
{
    setWindowTitle(fromGbk(title));
    setObjectName(u"pictureImportDialog"_qs);

    // Qt's own dialog as a child widget: its file list and folder controls stay, its buttons
    // give way to the panel's "打开".
    files_->setOption(QFileDialog::DontUseNativeDialog);
    files_->setWindowFlags(Qt::Widget);
    files_->setFileMode(QFileDialog::ExistingFile);
    files_->setObjectName(u"files"_qs);
    if (auto* box = files_->findChild<QDialogButtonBox*>())
        box->hide();
    connect(files_, &QFileDialog::currentChanged, this, [this](const QString& path) {
        if (QFileInfo(path).isFile())
            selectPicture(path);
    });
    // A double click accepts the embedded dialog, which would hide it: it stays, and the
    // file counts as chosen.
    connect(files_, &QFileDialog::fileSelected, this, &PictureImportDialog::selectPicture);
    connect(files_, &QDialog::finished, files_, [this] { files_->show(); });

    width_->setObjectName(u"targetWidth"_qs);
    height_->setObjectName(u"targetHeight"_qs);
    kinds_->setObjectName(u"threadKind"_qs);
    convert_->setObjectName(u"convert"_qs);
    count_->setObjectName(u"threadCount"_qs);
    preview_->setObjectName(u"preview"_qs);
    progress_->setObjectName(u"conversionProgress"_qs);
    open_->setObjectName(u"open"_qs);
    cancel_->setObjectName(u"cancel"_qs);

    for (const std::string& kind : panel_.threadKinds())
        kinds_->addItem(fromGbk(kind));
    kinds_->setCurrentIndex(panel_.selectedKind());
    connect(kinds_, &QComboBox::activated, this, [this](int index) { panel_.selectKind(index); });
    connect(width_, &QLineEdit::textEdited, this, [this](const QString& text) {
        panel_.editWidth(toGbk(text));
        height_->setText(fromGbk(panel_.heightText()));
    });
    connect(height_, &QLineEdit::textEdited, this, [this](const QString& text) {
        panel_.editHeight(toGbk(text));
        width_->setText(fromGbk(panel_.widthText()));
    });
    connect(convert_, &QPushButton::clicked, this, &PictureImportDialog::convert);
    connect(open_, &QPushButton::clicked, this, [this] {
        if (panel_.openEnabled())
            accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    open_->setDefault(true);

    preview_->setFixedSize(kPreviewSide, kPreviewSide);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setStyleSheet(u"background: white"_qs);
    progress_->setRange(0, 10);
    progress_->setTextVisible(false);

    auto* sizes = new QGridLayout;
    sizes->addWidget(pictureWidth_, 0, 0);
    sizes->addWidget(pictureHeight_, 0, 1);
    sizes->addWidget(new QLabel(fromGbk("绣图宽"), this), 1, 0);
    sizes->addWidget(width_, 1, 1);
    sizes->addWidget(new QLabel(fromGbk("绣图高"), this), 2, 0);
    sizes->addWidget(height_, 2, 1);
    sizes->addWidget(new QLabel(fromGbk("选择绣线种类"), this), 3, 0);
    sizes->addWidget(kinds_, 3, 1);
    sizes->addWidget(new ConversionOptionsBox(panel_.options(), this), 4, 0, 1, 2);
    sizes->addWidget(convert_, 5, 0);
    sizes->addWidget(count_, 5, 1);

    auto* previewBox = new QGroupBox(fromGbk(kPreviewCaption), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(preview_, 0, Qt::AlignCenter);
    confetti_ = new QLabel(previewBox);
    confetti_->setObjectName(u"confettiShare"_qs);
    previewLayout->addWidget(confetti_, 0, Qt::AlignCenter);
    new PreviewCropper(preview_, [this](QPoint from, QPoint to) { cropOnPreview(from, to); }, [this] { wholePicture(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(open_);
    buttons->addWidget(cancel_);

    auto* side = new QVBoxLayout;
    side->addLayout(sizes);
    side->addWidget(previewBox);
    side->addWidget(progress_);
    side->addStretch(1);
    side->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(files_, 1);
    layout->addLayout(side);
    showPanel();
}

void PictureImportDialog::selectPicture(const QString& path)
{
    const std::string chosen = localPath(path);
    if (chosen == panel_.picturePath() && panel_.converted())
        return;  // the same file again (a double click after a conversion) keeps it
    panel_.selectPicture(chosen);
    progress_->setValue(0);
    showPanel();
}

void PictureImportDialog::cropOnPreview(QPoint from, QPoint to)
{
    const auto fractions = previewFractions(*preview_, from, to);
    const auto area = panel_.shownArea();
    if (!fractions || !area)
        return;
    const auto crop = cropWithin(*area, fractions->left, fractions->top, fractions->right, fractions->bottom);
    if (!crop)
        return;
    panel_.setCrop(crop);
    convert();
}

void PictureImportDialog::wholePicture()
{
    if (!panel_.shownArea())
        return;
    panel_.setCrop(std::nullopt);
    convert();
}

void PictureImportDialog::convert()
{
    progress_->setValue(0);
    panel_.convert(&messages_, this);
    showPanel();
}

void PictureImportDialog::showPanel()
{
    const auto& size = panel_.pictureSize();
    pictureWidth_->setText(sizeText("宽", size, &PictureSize::width));
    pictureHeight_->setText(sizeText("高", size, &PictureSize::height));
    width_->setText(fromGbk(panel_.widthText()));
    height_->setText(fromGbk(panel_.heightText()));
    kinds_->setCurrentIndex(panel_.selectedKind());
    count_->setText(fromGbk(panel_.threadCountCaption()));
    confetti_->setText(fromGbk(panel_.confettiCaption()));
    open_->setEnabled(panel_.openEnabled());
    showPreview();
}

void PictureImportDialog::showPreview()
{
    const QImage picture = panel_.converted() ? previewImage(panel_.result()) : QImage();
    if (picture.isNull()) {
        preview_->clear();
        return;
    }
    // One pixel a cell, blown up without blending so the cells stay visible.
    preview_->setPixmap(QPixmap::fromImage(picture.scaled(preview_->size(), Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void PictureImportDialog::setRange(int low, int high)
{
    progress_->setRange(low, high);
}

void PictureImportDialog::setPosition(int position)
{
    progress_->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace brenmark
