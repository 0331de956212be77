#pragma once
// The tool's dialog: which picker field the next grab fills, the cross-hair to grab it with,
// the hot key's text (or, where the desktop has no global keys, the button that runs the
// cycle), the built-in picker switch and the About entry.
#include "cmyktool/builtin_picker.h"
#include "cmyktool/copy_cycle.h"

#include <QDialog>
#include <QLabel>

#include <array>
#include <functional>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace brenmark::glimbert {

inline constexpr const char* kProgramName = "Glimbert";
inline constexpr const char* kProgramVersion = "1.0";

// Grabs the other program's object at a screen point for a picker field and gives its
// handle (0 when there is nothing there).
using GrabAt = std::function<FieldHandle(PickerField target, QPoint globalPosition)>;

// The spot the user presses and drags onto another window: a cross-hair while the button is
// down, the point under it when released.
class GrabSpot : public QLabel {
    Q_OBJECT
public:
    explicit GrabSpot(const QString& text, QWidget* parent = nullptr);

signals:
    void released(QPoint globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

struct DialogPartners {
    TablePartner* table = nullptr;
    PickerPartner* grabbedPicker = nullptr;
    BuiltinPicker* builtinPicker = nullptr;
    MessageBoxes* messages = nullptr;
    GrabAt grab;
};

class GlimbertDialog : public QDialog {
    Q_OBJECT
public:
    // hotKeyActive: Ctrl+F9 reaches us from the whole desktop; otherwise the dialog offers
    // the "自动填数" button.
    GlimbertDialog(DialogPartners partners, bool hotKeyActive, QWidget* parent = nullptr);

    // The capture target (0 = Red ... 6 = K).
    int captureTarget() const { return target_; }
    void setCaptureTarget(int target);
    // A grab finished: the handle now belongs to the capture target.
    void grabbed(FieldHandle handle);
    bool usesBuiltinPicker() const;
    void setUsesBuiltinPicker(bool on);

    // The copy cycle with the chosen picker (the hot key and the button end here).
    CycleResult runCycle();

    // What the radio button of a picker field says now.
    QString fieldCaption(PickerField field) const;
    // Shows the picker's handles again (after its fields were found by other means than a grab).
    void refreshCaptions();

signals:
    void aboutRequested();

private:
    DialogPartners partners_;
    int target_ = 0;
    std::array<FieldHandle, kPickerFieldCount> shown_{};
    std::array<QRadioButton*, kPickerFieldCount> radios_{};
    QCheckBox* builtin_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace brenmark::glimbert
