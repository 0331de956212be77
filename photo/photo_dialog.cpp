#include "photo/photo_dialog.h"

#include "editor/app/conversion_options_box.h"
#include "editor/app/preview_crop.h"
#include "editor/output/picture_decode.h"
#include "editor/output/picture_import.h"
#include "editor/view/gbk_qstring.h"
#include "editor/view/qt_file_filter.h"
#include "photo/photo_picture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
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
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace brenmark {

namespace {

constexpr int kPhotoPreviewSide = 160;
constexpr int kPatternPreviewSide = 200;

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

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
    : QDialog(parent),
      panel_(panel),
      messages_(messages),
      files_(new QFileDialog(this, QString(), QString(), qtFileFilter(kPhotoFilter))),
      photo_(new QLabel(this)),
      photoWidth_(readOnlyField(this)),
      photoHeight_(readOnlyField(this)),
      libraries_(new QComboBox(this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)),
      progress_(new QProgressBar(this)),
      convert_(new QPushButton(fromGbk("转换"), this)),
      preview_(new QLabel(this)),
      count_(new QLabel(this)),
      ok_(new QPushButton(fromGbk("确定"), this)),
      cancel_(new QPushButton(fromGbk("取消"), this))
{
    setWindowTitle(fromGbk(kTitleImportPhoto));
    setObjectName(u"photoImportDialog"_qs);

    // Qt's own dialog as a child widget: its file list, folder controls and places stay, its
    // buttons give way to the panel's.
    files_->setOption(QFileDialog::DontUseNativeDialog);
    files_->setWindowFlags(Qt::Widget);
    files_->setFileMode(QFileDialog::ExistingFile);
    files_->setSidebarUrls(photoPlaces());
    files_->setObjectName(u"files"_qs);
    if (auto* box = files_->findChild<QDialogButtonBox*>())
        box->hide();
    connect(files_, &QFileDialog::currentChanged, this, [this](const QString& path) {
        if (QFileInfo(path).isFile())
            selectPhoto(path);
    });
    // A double click accepts the embedded dialog, which would hide it: it stays, and the
    // file counts as chosen.
    connect(files_, &QFileDialog::fileSelected, this, &PhotoImportDialog::selectPhoto);
    connect(files_, &QDialog::finished, files_, [this] { files_->show(); });

    photo_->setObjectName(u"photoPreview"_qs);
    photoWidth_->setObjectName(u"photoWidth"_qs);
    photoHeight_->setObjectName(u"photoHeight"_qs);
    libraries_->setObjectName(u"library"_qs);
    width_->setObjectName(u"targetWidth"_qs);
    height_->setObjectName(u"targetHeight"_qs);
    progress_->setObjectName(u"conversionProgress"_qs);
    convert_->setObjectName(u"convert"_qs);
    preview_->setObjectName(u"patternPreview"_qs);
    count_->setObjectName(u"threadCount"_qs);
    ok_->setObjectName(u"ok"_qs);
    cancel_->setObjectName(u"cancel"_qs);

    for (const std::string& name : panel_.libraries())
        libraries_->addItem(fromGbk(name));
    connect(libraries_, &QComboBox::activated, this, [this](int index) { panel_.selectLibrary(index); });
    connect(width_, &QLineEdit::textEdited, this, [this](const QString& text) {
        panel_.editWidth(toGbk(text));
        height_->setText(fromGbk(panel_.heightText()));
    });
    connect(height_, &QLineEdit::textEdited, this, [this](const QString& text) {
        panel_.editHeight(toGbk(text));
        width_->setText(fromGbk(panel_.widthText()));
    });
    connect(convert_, &QPushButton::clicked, this, &PhotoImportDialog::convert);
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (panel_.converted())
            accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    ok_->setDefault(true);

    photo_->setFixedSize(kPhotoPreviewSide, kPhotoPreviewSide);
    photo_->setAlignment(Qt::AlignCenter);
    photo_->setWordWrap(true);
    photo_->setFrameShape(QFrame::StyledPanel);
    preview_->setFixedSize(kPatternPreviewSide, kPatternPreviewSide);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setStyleSheet(u"background: white"_qs);
    progress_->setRange(0, 10);
    progress_->setTextVisible(false);

    // The photo and its size beside the conversion's settings.
    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(fromGbk("宽"), this), 0, 0);
    sizes->addWidget(photoWidth_, 0, 1);
    sizes->addWidget(new QLabel(fromGbk("高"), this), 1, 0);
    sizes->addWidget(photoHeight_, 1, 1);
    sizes->addWidget(new QLabel(fromGbk(kLibraryCaption), this), 2, 0);
    sizes->addWidget(libraries_, 2, 1);
    sizes->addWidget(new QLabel(fromGbk("绣图宽"), this), 3, 0);
    sizes->addWidget(width_, 3, 1);
    sizes->addWidget(new QLabel(fromGbk("绣图高"), this), 4, 0);
    sizes->addWidget(height_, 4, 1);
    sizes->addWidget(new ConversionOptionsBox(panel_.options(), this), 5, 0, 1, 2);
    sizes->setRowStretch(6, 1);

    auto* photoRow = new QHBoxLayout;
    photoRow->addWidget(photo_, 0, Qt::AlignTop);
    photoRow->addLayout(sizes);

    auto* convertRow = new QHBoxLayout;
    convertRow->addWidget(convert_);
    convertRow->addWidget(count_, 1);

    auto* previewBox = new QGroupBox(fromGbk(kPreviewCaption), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(preview_, 0, Qt::AlignCenter);
    confetti_ = new QLabel(previewBox);
    confetti_->setObjectName(u"confettiShare"_qs);
    previewLayout->addWidget(confetti_, 0, Qt::AlignCenter);
    new PreviewCropper(preview_, [this](QPoint from, QPoint to) { cropOnPreview(from, to); }, [this] { wholePicture(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* side = new QVBoxLayout;
    side->addLayout(photoRow);
    side->addWidget(progress_);
    side->addLayout(convertRow);
    side->addWidget(previewBox);
    side->addStretch(1);
    side->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(files_, 1);
    layout->addLayout(side);
    showPanel();
}

void PhotoImportDialog::selectPhoto(const QString& path)
{
    const std::string chosen = localPath(path);
    if (chosen == panel_.photoPath() && panel_.converted())
        return;  // the same file again (a double click after a conversion) keeps it
    panel_.selectPhoto(chosen);
    photoPixmap_ = panel_.photo() ? scaledInto(photo_, photoImage(*panel_.photo()), Qt::SmoothTransformation) : QPixmap();
    progress_->setValue(0);
    showPanel();
}

void PhotoImportDialog::cropOnPreview(QPoint from, QPoint to)
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

void PhotoImportDialog::wholePicture()
{
    if (!panel_.shownArea())
        return;
    panel_.setCrop(std::nullopt);
    convert();
}

void PhotoImportDialog::convert()
{
    progress_->setValue(0);
    panel_.convert(&messages_, this);
    showPanel();
}

void PhotoImportDialog::showPanel()
{
    const auto size = panel_.photoSize();
    photoWidth_->setText(size ? QString::number(size->width) : QString());
    photoHeight_->setText(size ? QString::number(size->height) : QString());
    width_->setText(fromGbk(panel_.widthText()));
    height_->setText(fromGbk(panel_.heightText()));
    libraries_->setCurrentIndex(panel_.selectedLibrary());
    count_->setText(fromGbk(panel_.threadCountCaption()));
    confetti_->setText(fromGbk(panel_.confettiCaption()));
    ok_->setEnabled(panel_.converted());
    if (panel_.photo()) {
        photo_->setPixmap(photoPixmap_);
    } else {
        // A chosen file that is no readable GIF says why where the photo would be.
        photo_->setText(panel_.photoPath().empty() ? QString() : fromGbk(gifProblemText(panel_.photoProblem())));
    }
    preview_->setPixmap(scaledInto(preview_, panel_.converted() ? previewImage(panel_.result()) : QImage(),
                                   Qt::FastTransformation));
}

void PhotoImportDialog::setRange(int low, int high)
{
    progress_->setRange(low, high);
}

void PhotoImportDialog::setPosition(int position)
{
    progress_->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace brenmark
