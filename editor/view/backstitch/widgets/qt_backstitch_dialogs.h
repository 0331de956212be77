#pragma once
// The outline editing's dialogs as real windows: the file dialog of the tracing picture and
// the colour-change dialog.
#include "editor/view/backstitch/backstitch_interfaces.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QListWidget;
class QWidget;

namespace brenmark {

// "更换描边颜色": the picked line's thread, the pattern's threads to choose from and whether
// every line of that colour changes. OK without a chosen thread warns and stays open.
class LineColourDialog : public QDialog {
public:
    LineColourDialog(const LineColourOffer& offer, QWidget* parent = nullptr);
    LineColourAnswer answer() const;
    void accept() override;

private:
    QListWidget* threads_;
    QCheckBox* allLines_;
};

class QtBackstitchDialogs final : public BackstitchDialogs {
public:
    explicit QtBackstitchDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
    std::optional<LineColourAnswer> chooseLineColour(const LineColourOffer& offer) override;

private:
    QWidget* parent_;
    QString lastFolder_;
};


}  // namespace brenmark
