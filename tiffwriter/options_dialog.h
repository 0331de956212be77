#pragma once
// "导出矢量绣图": title, publisher, paper and cell size, whole chart or one file per page.
// The colour choice and the coloured-symbol option are not offered: the pages are always in
// colour.
#include "tiffwriter/tiff_layout.h"

#include <QDialog>

class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace brenmark {

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(const PrintOptions& options, QWidget* parent = nullptr);
    PrintOptions options() const;

private:
    QLineEdit* title_;
    QLineEdit* publisher_;
    QDoubleSpinBox* paperWidth_;
    QDoubleSpinBox* paperHeight_;
    QDoubleSpinBox* cell_;
    QRadioButton* whole_;
    QRadioButton* pages_;
    QSpinBox* overlap_;
};

}  // namespace brenmark
