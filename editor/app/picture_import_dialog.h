#pragma once
// The picture dialog: Qt's own file dialog, embedded, with the conversion panel beside it.
// Every choice, edit and button is forwarded to a PictureImportPanel, and the controls
// show what the panel then holds.
#include "editor/document/user_prompts.h"
#include "editor/output/picture_import.h"

#include <QDialog>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace brenmark {

class PictureImportDialog final : public QDialog, private ProgressReport {
    Q_OBJECT
public:
    PictureImportDialog(const std::string& title, const std::string& filter, PictureImportPanel& panel,
                        MessageBoxes& messages, QWidget* parent = nullptr);

    QFileDialog* fileDialog() { return files_; }
    // As choosing a file in the file list does.
    void selectPicture(const QString& path);
    // As "转换" does.
    void convert();
    // As dragging from one point of the preview to another does: the part of the picture
    // shown between them is converted. As a double click on it does: the whole picture.
    void cropOnPreview(QPoint from, QPoint to);
    void wholePicture();

    PictureImportPanel& panel() { return panel_; }
    QPushButton* openButton() { return open_; }
    QPushButton* convertButton() { return convert_; }
    QLineEdit* widthEdit() { return width_; }
    QLineEdit* heightEdit() { return height_; }
    QComboBox* threadKinds() { return kinds_; }
    QProgressBar* progressBar() { return progress_; }
    QLabel* preview() { return preview_; }
    QLabel* threadCount() { return count_; }
    // The confetti share of the conversion, under the preview.
    QLabel* confettiShare() { return confetti_; }

private:
    void showPanel();
    void showPreview();
    // ProgressReport
    void setRange(int low, int high) override;
    void setPosition(int position) override;

    PictureImportPanel& panel_;
    MessageBoxes& messages_;
    QFileDialog* files_;
    QLabel* pictureWidth_;
    QLabel* pictureHeight_;
    QLineEdit* width_;
    QLineEdit* height_;
    QComboBox* kinds_;
    QPushButton* convert_;
    QLabel* count_;
    QLabel* confetti_;
    QLabel* preview_;
    QProgressBar* progress_;
    QPushButton* open_;
    QPushButton* cancel_;
};

}  // namespace brenmark
