#pragma once
// "打印细节设置": every print detail, the cell size entered in millimetres.
#include "editor/render/chart_layout.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QWidget;

namespace brenmark {

class PrintSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PrintSettingsDialog(const PrintSettings& settings, QWidget* parent = nullptr);

    // The details as the controls say. The cell size is the one given unless its
    // millimetres were edited; then they are turned into whole units (rounded half up by
    // the first decimal).
    PrintSettings settings() const;

    QDoubleSpinBox* cellMillimetres() { return cell_; }
    QComboBox* tenLineWidth() { return tenLine_; }
    QSlider* gridShade() { return shade_; }
    QWidget* gridSample() { return sample_; }
    QRadioButton* byCells() { return byCells_; }
    QRadioButton* byMetres() { return byMetres_; }
    QComboBox* fabric() { return fabric_; }
    QComboBox* strands() { return strands_; }
    QComboBox* outlineStrands() { return outlineStrands_; }
    QLineEdit* author() { return author_; }
    QLineEdit* title() { return title_; }
    QComboBox* pageOverlap() { return overlap_; }
    QCheckBox* pageMap() { return pageMap_; }
    QCheckBox* englishKey() { return englishKey_; }

private:
    void showShade(int shade);

    PrintSettings given_;
    bool cellEdited_ = false;
    QDoubleSpinBox* cell_;
    QComboBox* tenLine_;
    QSlider* shade_;
    QWidget* sample_;
    QRadioButton* byCells_;
    QRadioButton* byMetres_;
    QComboBox* fabric_;
    QComboBox* strands_;
    QComboBox* outlineStrands_;
    QLineEdit* author_;
    QLineEdit* title_;
    QComboBox* overlap_;
    QCheckBox* pageMap_;
    QCheckBox* englishKey_;
};

}  // namespace brenmark
