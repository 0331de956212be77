#pragma once
// "设置": the editor's own settings (autosave and the undo history's size).
#include "editor/app/user_dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace brenmark {

class PreferencesDialog final : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(const Preferences& prefs, QWidget* parent = nullptr);
    Preferences preferences() const;

private:
    QCheckBox* autosave_;
    QSpinBox* seconds_;
    QSpinBox* steps_;
    QSpinBox* megabytes_;
    QCheckBox* clearSymbols_;
    QComboBox* language_;
};

}  // namespace brenmark
