#pragma once
// "打印选择": colour or black and white, all pages or one, copies and "彩色符".
#include "editor/output/print_job.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace brenmark {

class PrintChoiceDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PrintChoiceDialog(const PrintChoiceRequest& request, QWidget* parent = nullptr);

    PrintChoice choice() const;

    QRadioButton* blackWhite() { return blackWhite_; }
    QRadioButton* colour() { return colour_; }
    QRadioButton* allPages() { return all_; }
    QRadioButton* onePage() { return one_; }
    QComboBox* pages() { return pages_; }
    QSpinBox* copies() { return copies_; }
    QCheckBox* colouredSymbols() { return colouredSymbols_; }

private:
    QRadioButton* blackWhite_;
    QRadioButton* colour_;
    QRadioButton* all_;
    QRadioButton* one_;
    QComboBox* pages_;
    QSpinBox* copies_;
    QCheckBox* colouredSymbols_;
};

}  // namespace brenmark
