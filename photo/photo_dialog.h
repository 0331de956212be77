#pragma once
// The photo dialog "导入照片": Qt's own file dialog, embedded, over a panel with the photo's
// preview and size, the thread library, the pattern size, "转换", the progress of the two
// passes and the pattern preview. Every choice and button is forwarded to a
// PhotoImportPanel, and the controls show what the panel then holds.
#include "editor/document/user_prompts.h"
#include "photo/photo_panel.h"

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QUrl>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace brenmark {

class PhotoImportDialog final : public QDialog, private ProgressReport {
    Q_OBJECT
public:
    PhotoImportDialog(PhotoImportPanel& panel, MessageBoxes& messages, QWidget* parent = nullptr);

    QFileDialog* fileDialog() { return files_; }
    // As choosing a file in the file list does.
    void selectPhoto(const QString& path);
    // As "转换" does.
    void convert();
    // As dragging from one point of the preview to another does: the part of the picture
    // shown between them is converted. As a double click on it does: the whole picture.
    void cropOnPreview(QPoint from, QPoint to);
    void wholePicture();

    PhotoImportPanel& panel() { return panel_; }
    QLabel* photoPreview() { return photo_; }
    QLineEdit* photoWidth() { return photoWidth_; }
    QLineEdit* photoHeight() { return photoHeight_; }
    QComboBox* libraries() { return libraries_; }
    QLineEdit* widthEdit() { return width_; }
    QLineEdit* heightEdit() { return height_; }
    QProgressBar* progressBar() { return progress_; }
    QPushButton* convertButton() { return convert_; }
    QLabel* patternPreview() { return preview_; }
    QLabel* threadCount() { return count_; }
    // The confetti share of the conversion, under the preview.
    QLabel* confettiShare() { return confetti_; }
    QPushButton* okButton() { return ok_; }
    QPushButton* cancelButton() { return cancel_; }

private:
    void showPanel();
    // ProgressReport
    void setRange(int low, int high) override;
    void setPosition(int position) override;

    PhotoImportPanel& panel_;
    MessageBoxes& messages_;
    QFileDialog* files_;
    QLabel* photo_;
    QLineEdit* photoWidth_;
    QLineEdit* photoHeight_;
    QComboBox* libraries_;
    QLineEdit* width_;
    QLineEdit* height_;
    QProgressBar* progress_;
    QPushButton* convert_;
    QLabel* preview_;
    QLabel* count_;
    QLabel* confetti_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPixmap photoPixmap_;  // the chosen photo in its preview's size
};

// The places of the file list: desktop, documents, pictures, downloads, home and the root
// of the file system, those that exist.
QList<QUrl> photoPlaces();

}  // namespace brenmark
