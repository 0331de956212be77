#include "editor/app/preferences_dialog.h"

#include "editor/app/dialog_layout.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {

namespace {

QSpinBox* spinBox(int low, int high, int value, const char16_t* name, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    box->setObjectName(QString::fromUtf16(name));
    return box;
}

}  // namespace

PreferencesDialog::PreferencesDialog(const Preferences& prefs, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiQString("设置"));
    setObjectName(u"preferencesDialog"_qs);
    autosave_ = new QCheckBox(uiQString("自动保存恢复副本"), this);
    autosave_->setObjectName(u"autosave"_qs);
    autosave_->setChecked(prefs.autosave);
    seconds_ = spinBox(10, 3600, prefs.autosaveSeconds, u"autosaveSeconds", this);
    seconds_->setSuffix(uiQString(" 秒"));
    seconds_->setEnabled(prefs.autosave);
    connect(autosave_, &QCheckBox::toggled, seconds_, &QWidget::setEnabled);
    steps_ = spinBox(1, 200, prefs.undoSteps, u"undoSteps", this);
    megabytes_ = spinBox(16, 65536, prefs.undoMegabytes, u"undoMegabytes", this);
    megabytes_->setSuffix(u" MB"_qs);
    clearSymbols_ = new QCheckBox(uiQString("清晰符号"), this);
    clearSymbols_->setObjectName(u"clearSymbols"_qs);
    clearSymbols_->setToolTip(uiQString("新建的绣图和转换的图片使用图表符号字体;已有的绣图保留原来的符号"));
    clearSymbols_->setChecked(prefs.clearSymbols);

    // Each language under its own name.
    language_ = new QComboBox(this);
    language_->setObjectName(u"language"_qs);
    language_->addItem(uiQString("跟随系统"), QString());
    language_->addItem(fromGbk("中文"), u"zh"_qs);  // untranslated: the language's own name
    language_->addItem(u"English"_qs, u"en"_qs);
    language_->setCurrentIndex(std::max(0, language_->findData(QString::fromStdString(prefs.language))));
    auto* languageNote = new QLabel(uiQString("下次启动时生效"), this);

    auto* form = new QFormLayout;
    form->addRow(autosave_);
    form->addRow(uiQString("保存间隔:"), seconds_);
    form->addRow(uiQString("可撤销的步数:"), steps_);
    form->addRow(uiQString("撤销步骤最多占用内存:"), megabytes_);
    form->addRow(clearSymbols_);
    // Named in both languages, so either reader finds it.
    auto* languageLabel = new QLabel(uiQString("语言 / Language:"), this);
    languageLabel->setObjectName(u"languageLabel"_qs);
    form->addRow(languageLabel, language_);
    form->addRow(QString(), languageNote);
    layOutWithOkCancel(*this, form);
}

Preferences PreferencesDialog::preferences() const
{
    return {autosave_->isChecked(), seconds_->value(), steps_->value(), megabytes_->value(), clearSymbols_->isChecked(),
            language_->currentData().toString().toStdString()};
}

}  // namespace brenmark
