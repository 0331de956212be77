#include "editor/app/fabric_colour_dialog.h"

#include "editor/render/qt_colour.h"
#include "interchange/gbk_qstring.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace brenmark {

FabricColourDialog::FabricColourDialog(const std::vector<FabricChoice>& choices, int preselected, QWidget* parent)
    : QDialog(parent), choices_(choices), list_(new QComboBox(this)), swatch_(new QLabel(this))
{
    setWindowTitle(uiQString("请选绣布颜色"));
    list_->setObjectName(u"fabricList"_qs);
    swatch_->setObjectName(u"fabricPreview"_qs);
    for (const FabricChoice& c : choices_)
        list_->addItem(uiQStringOf(c.entry));
    swatch_->setFixedSize(120, 60);
    swatch_->setFrameShape(QFrame::Box);
    swatch_->setAutoFillBackground(true);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(uiQString("选绣布"), this));
    row->addWidget(list_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(swatch_, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);

    // No entry matches a fabric colour from elsewhere: nothing is chosen then, and OK
    // keeps the fabric as it is.
    list_->setCurrentIndex(preselected >= 0 && preselected < list_->count() ? preselected : -1);
    showChoice(list_->currentIndex());
    connect(list_, &QComboBox::currentIndexChanged, this, &FabricColourDialog::showChoice);
}

int FabricColourDialog::chosen() const
{
    return list_->currentIndex();
}

void FabricColourDialog::showChoice(int index)
{
    if (index < 0 || index >= static_cast<int>(choices_.size())) {
        swatch_->setPalette(QPalette(palette().color(QPalette::Window)));
        return;
    }
    preview_ = choices_[static_cast<std::size_t>(index)].color;
    QPalette p = swatch_->palette();
    p.setColor(QPalette::Window, qColour(preview_));
    swatch_->setPalette(p);
}

}  // namespace brenmark
