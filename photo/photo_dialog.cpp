#include "photo/photo_dialog.h"

#include "editor/output/picture_decode.h"
#include "editor/widgets/conversion_options_box.h"
#include "editor/widgets/preview_crop.h"
#include "interchange/gbk_qstring.h"
#include "photo/photo_picture.h"

#include <QComboBox>
#include <QDir>
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
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace brenmark {

namespace {

constexpr int kPhotoPreviewSide = 160;
constexpr int kPatternPreviewSide = 200;

// A picture fitted into a preview square keeping its proportions; sharp when enlarged with
// FastTransformation, so a pattern's cells stay visible.
QPixmap scaledInto(const QLabel* label, const QImage& image, Qt::TransformationMode enlarging)
{
    if (image.isNull())
        return {};
    const bool shrinking = image.width() > label->width() || image.height() > label->height();
    return QPixmap::fromImage(
        image.scaled(label->size(), Qt::KeepAspectRatio, shrinking ? Qt::SmoothTransformation : enlarging));
}

QLineEdit* readOnlyField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

}  // namespace

QList<QUrl> photoPlaces()
{
    QList<QUrl> places;
    for (const auto location : {QStandardPaths::DesktopLocation, QStandardPaths::DocumentsLocation,
                                QStandardPaths::PicturesLocation, QStandardPaths::DownloadLocation,
                                QStandardPaths::HomeLocation}) {
        const QString path = QStandardPaths::writableLocation(location);
        const QUrl url = QUrl::fromLocalFile(path);
        if (!path.isEmpty() && QFileInfo(path).isDir() && !places.contains(url))
            places << url;
    }
    places << QUrl::fromLocalFile(QDir::rootPath());
    return places;
}

PhotoImportDialog::PhotoImportDialog(PhotoImportPanel& panel, MessageBoxes& messages, QWidget* parent)
    : ConversionDialogFrame(kPhotoFilter, UI_TEXT_NOOP("确定"), parent),
      panel_(panel),
      messages_(messages),
      photo_(new QLabel(this)),
      photoWidth_(readOnlyField(this)),
      photoHeight_(readOnlyField(this)),
      libraries_(new QComboBox(this)),
      confetti_(new QLabel(this))
{
    setWindowTitle(uiQStringOf(kTitleImportPhoto));
    setObjectName(u"photoImportDialog"_qs);
    // The file list's places.
    fileDialog()->setSidebarUrls(photoPlaces());

    photo_->setObjectName(u"photoPreview"_qs);
    photoWidth_->setObjectName(u"photoWidth"_qs);
    photoHeight_->setObjectName(u"photoHeight"_qs);
    libraries_->setObjectName(u"library"_qs);
    patternPreview()->setObjectName(u"patternPreview"_qs);
    acceptButton()->setObjectName(u"ok"_qs);

    for (const std::string& name : panel_.libraries())
        libraries_->addItem(fromGbk(name));
    connect(libraries_, &QComboBox::activated, this, [this](int index) { panel_.selectLibrary(index); });
    bindSizeFields(panel_);

    photo_->setFixedSize(kPhotoPreviewSide, kPhotoPreviewSide);
    photo_->setAlignment(Qt::AlignCenter);
    photo_->setWordWrap(true);
    photo_->setFrameShape(QFrame::StyledPanel);

    // The photo and its size beside the conversion's settings.
    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(uiQString("宽"), this), 0, 0);
    sizes->addWidget(photoWidth_, 0, 1);
    sizes->addWidget(new QLabel(uiQString("高"), this), 1, 0);
    sizes->addWidget(photoHeight_, 1, 1);
    sizes->addWidget(new QLabel(uiQStringOf(kLibraryCaption), this), 2, 0);
    sizes->addWidget(libraries_, 2, 1);
    sizes->addWidget(new QLabel(uiQString("绣图宽"), this), 3, 0);
    sizes->addWidget(widthEdit(), 3, 1);
    sizes->addWidget(new QLabel(uiQString("绣图高"), this), 4, 0);
    sizes->addWidget(heightEdit(), 4, 1);
    sizes->addWidget(new ConversionOptionsBox(panel_.options(), this), 5, 0, 1, 2);
    sizes->setRowStretch(6, 1);

    auto* photoRow = new QHBoxLayout;
    photoRow->addWidget(photo_, 0, Qt::AlignTop);
    photoRow->addLayout(sizes);

    auto* convertRow = new QHBoxLayout;
    convertRow->addWidget(convertButton());
    convertRow->addWidget(threadCount(), 1);

    auto* side = new QVBoxLayout;
    side->addLayout(photoRow);
    side->addWidget(progressBar());
    side->addLayout(convertRow);
    QGroupBox* previewBox = makePreviewBox(kPatternPreviewSide);
    confetti_->setObjectName(u"confettiShare"_qs);
    previewBox->layout()->addWidget(confetti_);
    previewBox->layout()->setAlignment(confetti_, Qt::AlignCenter);
    new PreviewCropper(patternPreview(), [this](QPoint from, QPoint to) { cropOnPreview(from, to); },
                       [this] { wholePicture(); });
    side->addWidget(previewBox);
    side->addStretch(1);
    side->addLayout(makeButtonRow());
    finishLayout(side);
    showPanel();
}

void PhotoImportDialog::choose(const std::string& path)
{
    panel_.selectPhoto(path);
    photoPixmap_ = panel_.photo() ? scaledInto(photo_, photoImage(*panel_.photo()), Qt::SmoothTransformation) : QPixmap();
}

void PhotoImportDialog::cropOnPreview(QPoint from, QPoint to)
{
    if (cropFromPreview(panel_, *patternPreview(), from, to))
        convert();
}

void PhotoImportDialog::wholePicture()
{
    if (wholeFromPreview(panel_))
        convert();
}

void PhotoImportDialog::showPanel()
{
    const auto size = panel_.photoSize();
    photoWidth_->setText(size ? QString::number(size->width) : QString());
    photoHeight_->setText(size ? QString::number(size->height) : QString());
    widthEdit()->setText(fromGbk(panel_.widthText()));
    heightEdit()->setText(fromGbk(panel_.heightText()));
    libraries_->setCurrentIndex(panel_.selectedLibrary());
    threadCount()->setText(fromGbk(panel_.threadCountCaption()));
    confetti_->setText(fromGbk(panel_.confettiCaption()));
    acceptButton()->setEnabled(panel_.converted());
    if (panel_.photo()) {
        photo_->setPixmap(photoPixmap_);
    } else {
        // A chosen file that is no readable GIF says why where the photo would be.
        photo_->setText(panel_.photoPath().empty() ? QString() : fromGbk(gifProblemText(panel_.photoProblem())));
    }
    patternPreview()->setPixmap(scaledInto(patternPreview(), panel_.converted() ? previewImage(panel_.result()) : QImage(),
                                   Qt::FastTransformation));
}

}  // namespace brenmark
