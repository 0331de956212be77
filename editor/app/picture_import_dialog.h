#pragma once
// The picture dialog: the conversion frame (Qt's own file dialog, embedded, the size
// fields, "转换", the preview and the progress) with the thread kinds and the conversion
// options. Every choice, edit and button is forwarded to a PictureImportPanel, and the
// controls show what the panel then holds.
#include "editor/output/picture_import.h"
#include "editor/widgets/conversion_frame.h"

class QComboBox;
class QLabel;

namespace brenmark {

class PictureImportDialog final : public ConversionDialogFrame {
    Q_OBJECT
public:
    PictureImportDialog(const std::string& title, const std::string& filter, PictureImportPanel& panel,
                        MessageBoxes& messages, QWidget* parent = nullptr);

    // As choosing a file in the file list does.
    void selectPicture(const QString& path) { chooseFile(path); }
    // As dragging from one point of the preview to another does: the part of the picture
    // shown between them is converted. As a double click on it does: the whole picture.
    void cropOnPreview(QPoint from, QPoint to);
    void wholePicture();

    PictureImportPanel& panel() { return panel_; }
    QPushButton* openButton() { return acceptButton(); }
    QComboBox* threadKinds() { return kinds_; }
    QLabel* preview() { return patternPreview(); }
    // The confetti share of the conversion, under the preview.
    QLabel* confettiShare() { return confetti_; }

private:
    std::string chosenPath() const override { return panel_.picturePath(); }
    bool converted() const override { return panel_.converted(); }
    bool acceptable() const override { return panel_.openEnabled(); }
    void choose(const std::string& path) override { panel_.selectPicture(path); }
    void runConversion(ProgressReport& progress) override { panel_.convert(&messages_, &progress); }
    void showPanel() override;
    void showPreview();

    PictureImportPanel& panel_;
    MessageBoxes& messages_;
    QLabel* pictureWidth_;
    QLabel* pictureHeight_;
    QComboBox* kinds_;
    QLabel* confetti_;
};

}  // namespace brenmark
