#include "editor/app/picture_import_dialog.h"

#include "editor/output/picture_decode.h"
#include "editor/widgets/preview_crop.h"
#include "editor/widgets/conversion_options_box.h"
#include "interchange/gbk_qstring.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenmark {

namespace {

constexpr int kPreviewSide = 200;

QString sizeText(const char* caption, const std::optional<PictureSize>& size, int PictureSize::*side)
{
    QString text = uiQStringOf(caption) + u':';
    if (size)
        text += QString::number((*size).*side);
    return text;
}

}  // namespace

PictureImportDialog::PictureImportDialog(const std::string& title, const std::string& filter,
                                         PictureImportPanel& panel, MessageBoxes& messages, QWidget* parent)
    : ConversionDialogFrame(filter, UI_TEXT_NOOP("打开"), parent),
      panel_(panel),
      messages_(messages),
      pictureWidth_(new QLabel(this)),
      pictureHeight_(new QLabel(this)),
      kinds_(new QComboBox(this)),
      confetti_(new QLabel(this))
{
    setWindowTitle(uiQStringOf(title));
    setObjectName(u"pictureImportDialog"_qs);

    kinds_->setObjectName(u"threadKind"_qs);
    patternPreview()->setObjectName(u"preview"_qs);
    acceptButton()->setObjectName(u"open"_qs);

    for (const std::string& kind : panel_.threadKinds())
        kinds_->addItem(fromGbk(kind));
    kinds_->setCurrentIndex(panel_.selectedKind());
    connect(kinds_, &QComboBox::activated, this, [this](int index) { panel_.selectKind(index); });
    bindSizeFields(panel_);

    auto* sizes = new QGridLayout;
    sizes->addWidget(pictureWidth_, 0, 0);
    sizes->addWidget(pictureHeight_, 0, 1);
    sizes->addWidget(new QLabel(uiQString("绣图宽"), this), 1, 0);
    sizes->addWidget(widthEdit(), 1, 1);
    sizes->addWidget(new QLabel(uiQString("绣图高"), this), 2, 0);
    sizes->addWidget(heightEdit(), 2, 1);
    sizes->addWidget(new QLabel(uiQString("选择绣线种类"), this), 3, 0);
    sizes->addWidget(kinds_, 3, 1);
    sizes->addWidget(new ConversionOptionsBox(panel_.options(), this), 4, 0, 1, 2);
    sizes->addWidget(convertButton(), 5, 0);
    sizes->addWidget(threadCount(), 5, 1);

    auto* side = new QVBoxLayout;
    side->addLayout(sizes);
    QGroupBox* previewBox = makePreviewBox(kPreviewSide);
    confetti_->setObjectName(u"confettiShare"_qs);
    previewBox->layout()->addWidget(confetti_);
    previewBox->layout()->setAlignment(confetti_, Qt::AlignCenter);
    new PreviewCropper(patternPreview(), [this](QPoint from, QPoint to) { cropOnPreview(from, to); },
                       [this] { wholePicture(); });
    side->addWidget(previewBox);
    side->addWidget(progressBar());
    side->addStretch(1);
    side->addLayout(makeButtonRow());
    finishLayout(side);
    showPanel();
}

void PictureImportDialog::showPanel()
{
    const auto& size = panel_.pictureSize();
    pictureWidth_->setText(sizeText(UI_TEXT_NOOP("宽"), size, &PictureSize::width));
    pictureHeight_->setText(sizeText(UI_TEXT_NOOP("高"), size, &PictureSize::height));
    widthEdit()->setText(fromGbk(panel_.widthText()));
    heightEdit()->setText(fromGbk(panel_.heightText()));
    kinds_->setCurrentIndex(panel_.selectedKind());
    threadCount()->setText(fromGbk(panel_.threadCountCaption()));
    confetti_->setText(fromGbk(panel_.confettiCaption()));
    acceptButton()->setEnabled(panel_.openEnabled());
    showPreview();
}

void PictureImportDialog::cropOnPreview(QPoint from, QPoint to)
{
    if (cropFromPreview(panel_, *patternPreview(), from, to))
        convert();
}

void PictureImportDialog::wholePicture()
{
    if (wholeFromPreview(panel_))
        convert();
}

void PictureImportDialog::showPreview()
{
    QLabel* preview = patternPreview();
    const QImage picture = panel_.converted() ? previewImage(panel_.result()) : QImage();
    if (picture.isNull()) {
        preview->clear();
        return;
    }
    // One pixel a cell, blown up without blending so the cells stay visible.
    preview->setPixmap(QPixmap::fromImage(picture.scaled(preview->size(), Qt::KeepAspectRatio, Qt::FastTransformation)));
}

}  // namespace brenmark
