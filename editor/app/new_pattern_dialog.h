#pragma once
// "新建绣图": brand and size as typed; DocumentCommands checks the entries.
#include "editor/app/user_dialogs.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace brenmark {

class NewPatternDialog final : public QDialog {
    Q_OBJECT
public:
    NewPatternDialog(const std::vector<std::string>& brands, const NewPatternEntry& entry, QWidget* parent = nullptr);
    NewPatternEntry entry() const;

private:
    QComboBox* brand_;
    QLineEdit* width_;
    QLineEdit* height_;
};

}  // namespace brenmark
