#include "tiffwriter/options_dialog.h"

#include "interchange/gbk_qstring.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brenmark {
namespace {

QDoubleSpinBox* centimetres(double value, double low, double high, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setValue(value);
    return box;
}

}  // namespace

OptionsDialog::OptionsDialog(const PrintOptions& o, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiQString("导出矢量绣图"));
    auto* form = new QFormLayout;
    // The program's default title is shown in the interface's language; left as shown, it
    // stays the text it was.
    title_ = new QLineEdit(uiQStringOf(o.title), this);
    title_->setObjectName(u"title"_qs);
    title_->setProperty("given", QByteArray::fromStdString(o.title));
    publisher_ = new QLineEdit(fromGbk(o.publisher), this);
    publisher_->setObjectName(u"publisher"_qs);
    form->addRow(uiQString("绣图标题"), title_);
    form->addRow(uiQString("出图商"), publisher_);

    auto* paper = new QGroupBox(uiQString("印刷纸张大小"), this);
    auto* paperRow = new QHBoxLayout(paper);
    paperWidth_ = centimetres(o.paperWidthCm, kMinPaperCm, kMaxPaperCm, this);
    paperWidth_->setObjectName(u"paperWidth"_qs);
    paperHeight_ = centimetres(o.paperHeightCm, kMinPaperCm, kMaxPaperCm, this);
    paperHeight_->setObjectName(u"paperHeight"_qs);
    paperRow->addWidget(new QLabel(uiQString("宽(cm)"), paper));
    paperRow->addWidget(paperWidth_);
    paperRow->addWidget(new QLabel(uiQString("高(cm)"), paper));
    paperRow->addWidget(paperHeight_);

    cell_ = centimetres(o.cellCm, kMinCellCm, kMaxCellCm, this);
    cell_->setObjectName(u"cell"_qs);
    auto* cellRow = new QFormLayout;
    cellRow->addRow(uiQString("印刷格大小(cm)"), cell_);
    overlap_ = new QSpinBox(this);
    overlap_->setObjectName(u"overlap"_qs);
    overlap_->setRange(0, kMaxPageOverlap);
    overlap_->setValue(o.overlap);
    cellRow->addRow(uiQString("页面重叠行列数"), overlap_);

    auto* modes = new QGroupBox(this);
    auto* modeRow = new QHBoxLayout(modes);
    whole_ = new QRadioButton(uiQString("整幅导出"), modes);
    pages_ = new QRadioButton(uiQString("按打印导出"), modes);
    whole_->setChecked(o.mode == ExportMode::Whole);
    pages_->setChecked(o.mode == ExportMode::Pages);
    modeRow->addWidget(whole_);
    modeRow->addWidget(pages_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(paper);
    layout->addLayout(cellRow);
    layout->addWidget(modes);
    layout->addWidget(buttons);
}

PrintOptions OptionsDialog::options() const
{
    PrintOptions o;
    const std::string given = title_->property("given").toByteArray().toStdString();
    o.title = title_->text() == uiQStringOf(given) ? given : toGbk(title_->text());
    o.publisher = toGbk(publisher_->text());
    o.paperWidthCm = paperWidth_->value();
    o.paperHeightCm = paperHeight_->value();
    o.cellCm = cell_->value();
    o.mode = pages_->isChecked() ? ExportMode::Pages : ExportMode::Whole;
    o.overlap = overlap_->value();
    return o;
}

}  // namespace brenmark
