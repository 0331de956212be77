#include "editor/app/print_choice_dialog.h"

#include "interchange/gbk_qstring.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {

namespace {

constexpr int kMostCopies = 99;

template <class Button>
Button* named(Button* b, const char16_t* name)
{
    b->setObjectName(QString::fromUtf16(name));
    return b;
}

}  // namespace

PrintChoiceDialog::PrintChoiceDialog(const PrintChoiceRequest& request, QWidget* parent)
    : QDialog(parent),
      blackWhite_(named(new QRadioButton(uiQString("黑白"), this), u"blackWhite")),
      colour_(named(new QRadioButton(uiQString("彩色"), this), u"colour")),
      all_(named(new QRadioButton(uiQString("全打印"), this), u"allPages")),
      one_(named(new QRadioButton(uiQString("指定页打印"), this), u"onePage")),
      pages_(named(new QComboBox(this), u"pages")),
      copies_(named(new QSpinBox(this), u"copies")),
      colouredSymbols_(named(new QCheckBox(uiQString("彩色符"), this), u"colouredSymbols"))
{
    setWindowTitle(uiQString("打印选择"));
    setObjectName(u"printChoiceDialog"_qs);
    const PrintChoice& start = request.initial;

    auto* colours = new QButtonGroup(this);
    colours->addButton(blackWhite_);
    colours->addButton(colour_);
    (start.colour ? colour_ : blackWhite_)->setChecked(true);

    auto* range = new QButtonGroup(this);
    range->addButton(all_);
    range->addButton(one_);
    for (std::size_t i = 0; i < request.pages.size(); ++i)
        pages_->addItem(fromGbk(request.pages[i]), static_cast<int>(i + 1));
    const bool chosen = start.page > 0 && start.page <= pages_->count();
    (chosen ? one_ : all_)->setChecked(true);
    pages_->setCurrentIndex(chosen ? start.page - 1 : 0);
    pages_->setEnabled(chosen);
    connect(one_, &QRadioButton::toggled, pages_, &QWidget::setEnabled);

    copies_->setRange(1, kMostCopies);
    copies_->setValue(std::clamp(start.copies, 1, kMostCopies));
    colouredSymbols_->setChecked(start.colouredSymbols);

    auto* colourBox = new QGroupBox(uiQString("打印颜色"), this);
    auto* colourRow = new QHBoxLayout(colourBox);
    colourRow->addWidget(blackWhite_);
    colourRow->addWidget(colour_);
    colourRow->addStretch(1);
    colourRow->addWidget(colouredSymbols_);

    auto* rangeBox = new QGroupBox(uiQString("打印范围"), this);
    auto* rangeGrid = new QGridLayout(rangeBox);
    rangeGrid->addWidget(all_, 0, 0);
    rangeGrid->addWidget(one_, 1, 0);
    rangeGrid->addWidget(pages_, 1, 1);
    rangeGrid->setColumnStretch(1, 1);

    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(new QLabel(uiQString("打印份数"), this));
    copiesRow->addWidget(copies_);
    copiesRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(uiQString("打印"));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiQString("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colourBox);
    layout->addWidget(rangeBox);
    layout->addLayout(copiesRow);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

PrintChoice PrintChoiceDialog::choice() const
{
    PrintChoice c;
    c.colour = colour_->isChecked();
    c.page = one_->isChecked() ? pages_->currentData().toInt() : 0;
    c.copies = copies_->value();
    c.colouredSymbols = colouredSymbols_->isChecked();
    return c;
}

}  // namespace brenmark
