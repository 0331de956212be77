#pragma once
// "绣线管理窗口" (the toolbar's "配置"): one brand's palette as a grid of swatches, edited
// through a ThreadManager; the dialog only forwards its controls.
#include "editor/document/thread_manager.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace brenmark {

// The swatch under a point of a grid of columns columns of cell-pixel squares holding count
// swatches, or -1.
int swatchAt(QPoint point, int columns, int cell, int count);

class SwatchGrid final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 20;
    static constexpr int kCell = 18;

    explicit SwatchGrid(const Palette& palette, QWidget* parent = nullptr);
    void setSelected(int index);
    // The palette changed size or colours.
    void refresh();
    QSize sizeHint() const override;

signals:
    void swatchClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Palette& palette_;
    int selected_ = -1;
};

class ThreadManagerDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ThreadManagerDialog(ThreadManager& manager, QWidget* parent = nullptr);

    // OK and Cancel both keep what is shown; closing the window counts as Cancel.
    void accept() override;
    void reject() override;

    SwatchGrid* grid() { return grid_; }

private:
    void showBrand();
    void showSelection();
    void componentsEdited();
    void showPreview();

    ThreadManager& manager_;
    QComboBox* brand_;
    SwatchGrid* grid_;
    QSpinBox* red_;
    QSpinBox* green_;
    QSpinBox* blue_;
    QLineEdit* number_;
    QLabel* preview_;
    QLabel* selection_;
};

}  // namespace brenmark
