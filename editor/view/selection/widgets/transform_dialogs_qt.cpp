#include "editor/view/selection/widgets/transform_dialogs_qt.h"

#include "editor/document/pattern_transforms.h"
#include "editor/view/selection/selection_commands.h"
#include "interchange/gbk_qstring.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brenmark {

std::optional<double> QtTransformDialogs::askScaleFactor()
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(uiQStringOf(kScaleDialogTitle));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(uiQStringOf(kScaleFactorPrompt), &dialog));
    auto* edit = new QLineEdit(QStringLiteral("1.0"), &dialog);
    auto* validator = new QDoubleValidator(0.0001, 1000.0, 6, edit);
    validator->setNotation(QDoubleValidator::StandardNotation);
    edit->setValidator(validator);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    bool ok = false;
    const double f = edit->text().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return f;
}

std::optional<TransformDialogs::Size> QtTransformDialogs::askPatternSize(Size current)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(uiQStringOf(kResizeDialogTitle));
    auto* form = new QFormLayout(&dialog);
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height})
        box->setRange(1, kMaxTransformSide);
    width->setValue(current.width);
    height->setValue(current.height);
    form->addRow(uiQStringOf(kResizeWidthLabel), width);
    form->addRow(uiQStringOf(kResizeHeightLabel), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Size{width->value(), height->value()};
}

}  // namespace brenmark
