#pragma once
// The tools of "附加工具": the thread amount calculator "线量计算工具", the fabric size
// calculator "十字绣布计算工具" and the thread finder "得到绣线工具". Each only reads its
// controls into the statistics logic and shows what comes back.
#include "editor/document/palette_file.h"
#include "editor/document/user_prompts.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brenmark {

class ThreadCalculator final : public QDialog {
    Q_OBJECT
public:
    explicit ThreadCalculator(QWidget* parent = nullptr);
    QComboBox* fabrics() { return fabric_; }
    QComboBox* strands() { return strands_; }
    QLineEdit* cells() { return cells_; }
    QPushButton* calculate() { return calculate_; }
    QLabel* result() { return result_; }

private:
    QComboBox* fabric_;
    QComboBox* strands_;
    QLineEdit* cells_;
    QPushButton* calculate_;
    QLabel* result_;
};

class FabricCalculator final : public QDialog {
    Q_OBJECT
public:
    explicit FabricCalculator(MessageBoxes& messages, QWidget* parent = nullptr);
    QComboBox* fabrics() { return fabric_; }
    QLineEdit* widthEdit() { return width_; }
    QLineEdit* heightEdit() { return height_; }
    QPushButton* calculate() { return calculate_; }
    QLabel* result() { return result_; }

private:
    void run();

    MessageBoxes& messages_;
    QComboBox* fabric_;
    QLineEdit* width_;
    QLineEdit* height_;
    QPushButton* calculate_;
    QLabel* result_;
};

// The screen colour comes from Qt's colour dialog, whose "Pick Screen Color" button takes
// any pixel of the screen.
class ThreadFinder final : public QDialog {
    Q_OBJECT
public:
    ThreadFinder(const PaletteStore& palettes, QWidget* parent = nullptr);
    QComboBox* brands() { return brand_; }
    QPushButton* match() { return match_; }
    QLabel* threadNumber() { return number_; }
    QLabel* threadSwatch() { return threadColour_; }
    // As the colour picker does when it took a colour.
    void setPicked(ColorRef colour);
    const Palette& palette() const { return palette_; }

private:
    void loadBrand();
    void pickColour();
    void runMatch();

    const PaletteStore& palettes_;
    Palette palette_;
    std::optional<ColorRef> picked_;
    QComboBox* brand_;
    QPushButton* picker_;
    QLabel* pickedColour_;
    QLabel* threadColour_;
    QLabel* number_;
    QPushButton* match_;
};

}  // namespace brenmark
