#pragma once
// What the picture dialog and the photo dialog share: Qt's own file dialog embedded on the
// left (its buttons hidden, a double click keeping it shown), the pattern's size fields,
// "转换" with the thread count beside it, the pattern preview, the progress of a conversion
// and the accept and cancel buttons. A dialog built on it adds its own controls, lays out
// its side column and answers the hooks below from its panel.
#include "editor/document/user_prompts.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QFileDialog;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace brenmark {

// The file system's bytes of a name Qt shows (never a program text).
std::string localFilePath(const QString& path);

class ConversionDialogFrame : public QDialog, protected ProgressReport {
    Q_OBJECT
public:
    // As choosing a file in the file list does; the same file again after a conversion (a
    // double click) keeps the conversion.
    void chooseFile(const QString& path);
    // As "转换" does.
    void convert();

    QFileDialog* fileDialog() { return files_; }
    QLineEdit* widthEdit() { return width_; }
    QLineEdit* heightEdit() { return height_; }
    QPushButton* convertButton() { return convert_; }
    QLabel* threadCount() { return count_; }
    QProgressBar* progressBar() { return progress_; }
    QPushButton* cancelButton() { return cancel_; }

protected:
    // filter: the program's "description|patterns|..." text; acceptCaption: the accepting button's
    // caption ("打开", "确定").
    ConversionDialogFrame(const std::string& filter, const char* acceptCaption, QWidget* parent);

    // What the dialog's panel holds and does.
    virtual std::string chosenPath() const = 0;
    virtual bool converted() const = 0;
    // Whether the accepting button may close the dialog.
    virtual bool acceptable() const = 0;
    virtual void choose(const std::string& path) = 0;
    virtual void runConversion(ProgressReport& progress) = 0;
    // Every control shows what the panel holds.
    virtual void showPanel() = 0;

    // The size fields edit the panel's pattern size: an edited width shows the height the
    // panel then holds, and the other way round.
    template <typename Panel>
    void bindSizeFields(Panel& panel)
    {
        widthEdited_ = [&panel](const std::string& text) {
            panel.editWidth(text);
            return panel.heightText();
        };
        heightEdited_ = [&panel](const std::string& text) {
            panel.editHeight(text);
            return panel.widthText();
        };
    }

    // The pattern preview, side pixels square on white, inside its "绣图预览窗" box.
    QLabel* patternPreview() { return preview_; }
    QGroupBox* makePreviewBox(int side);
    QPushButton* acceptButton() { return accept_; }
    // The accept and cancel buttons on a row of their own, pushed to the right.
    QLayout* makeButtonRow();
    // The file dialog on the left taking the spare width, the side column on the right.
    void finishLayout(QLayout* side);

    // ProgressReport: the bar follows, and the window repaints between steps.
    void setRange(int low, int high) override;
    void setPosition(int position) override;

private:
    QFileDialog* files_;
    QLineEdit* width_;
    QLineEdit* height_;
    QPushButton* convert_;
    QLabel* count_;
    QLabel* preview_;
    QProgressBar* progress_;
    QPushButton* accept_;
    QPushButton* cancel_;
    std::function<std::string(const std::string&)> widthEdited_;
    std::function<std::string(const std::string&)> heightEdited_;
};

}  // namespace brenmark
