#include "editor/app/new_pattern_dialog.h"

#include "editor/app/dialog_layout.h"
#include "interchange/gbk_qstring.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brenmark {

NewPatternDialog::NewPatternDialog(const std::vector<std::string>& brands, const NewPatternEntry& entry, QWidget* parent)
    : QDialog(parent), brand_(new QComboBox(this)), width_(new QLineEdit(this)), height_(new QLineEdit(this))
{
    setWindowTitle(uiQString("新建绣图"));
    setObjectName(u"newPatternDialog"_qs);
    for (const std::string& b : brands)
        brand_->addItem(fromGbk(b));
    brand_->setCurrentIndex(std::max(0, brand_->findText(fromGbk(entry.brand))));
    width_->setText(fromGbk(entry.width));
    height_->setText(fromGbk(entry.height));
    brand_->setObjectName(u"brand"_qs);
    width_->setObjectName(u"width"_qs);
    height_->setObjectName(u"height"_qs);

    auto* form = new QFormLayout;
    form->addRow(uiQString("绣线品牌:"), brand_);
    form->addRow(uiQString("宽(格):"), width_);
    form->addRow(uiQString("高(格):"), height_);
    layOutWithOkCancel(*this, form);
    width_->setFocus();
    width_->selectAll();
}

NewPatternEntry NewPatternDialog::entry() const
{
    return {toGbk(brand_->currentText()), toGbk(width_->text()), toGbk(height_->text())};
}

}  // namespace brenmark
