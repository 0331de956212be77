#pragma once
// The photo dialog "导入照片": the conversion frame (Qt's own file dialog, embedded, the
// pattern size, "转换", the progress of the two passes and the pattern preview) with the
// photo's preview and size and the thread library. Every choice and button is forwarded to
// a PhotoImportPanel, and the controls show what the panel then holds.
#include "editor/widgets/conversion_frame.h"
#include "photo/photo_panel.h"

#include <QList>
#include <QPixmap>
#include <QUrl>

class QComboBox;
class QLabel;
class QLineEdit;

namespace brenmark {

class PhotoImportDialog final : public ConversionDialogFrame {
    Q_OBJECT
public:
    PhotoImportDialog(PhotoImportPanel& panel, MessageBoxes& messages, QWidget* parent = nullptr);

    // As choosing a file in the file list does.
    void selectPhoto(const QString& path) { chooseFile(path); }
    // As dragging from one point of the preview to another does: the part of the picture
    // shown between them is converted. As a double click on it does: the whole picture.
    void cropOnPreview(QPoint from, QPoint to);
    void wholePicture();

    PhotoImportPanel& panel() { return panel_; }
    QLabel* photoPreview() { return photo_; }
    QLineEdit* photoWidth() { return photoWidth_; }
    QLineEdit* photoHeight() { return photoHeight_; }
    QComboBox* libraries() { return libraries_; }
    using ConversionDialogFrame::patternPreview;
    // The confetti share of the conversion, under the preview.
    QLabel* confettiShare() { return confetti_; }
    QPushButton* okButton() { return acceptButton(); }

private:
    std::string chosenPath() const override { return panel_.photoPath(); }
    bool converted() const override { return panel_.converted(); }
    bool acceptable() const override { return panel_.converted(); }
    void choose(const std::string& path) override;
    void runConversion(ProgressReport& progress) override { panel_.convert(&messages_, &progress); }
    void showPanel() override;

    PhotoImportPanel& panel_;
    MessageBoxes& messages_;
    QLabel* photo_;
    QLineEdit* photoWidth_;
    QLineEdit* photoHeight_;
    QComboBox* libraries_;
    QLabel* confetti_;
    QPixmap photoPixmap_;  // the chosen photo in its preview's size
};

// The places of the file list: desktop, documents, pictures, downloads, home and the root
// of the file system, those that exist.
QList<QUrl> photoPlaces();

}  // namespace brenmark
