#include "editor/app/calculator_windows.h"

#include "editor/output/thread_statistics.h"
#include "editor/render/qt_colour.h"
#include "interchange/gbk_qstring.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {

namespace {

QComboBox* fabricList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(u"fabric"_qs);
    for (const std::string& f : fabricCounts())
        list->addItem(fromGbk(f));
    list->setCurrentIndex(list->findText(uiQStringOf(kDefaultFabric)));
    return list;
}

QLineEdit* numberEdit(const char16_t* name, QWidget* parent)
{
    auto* edit = new QLineEdit(u"0"_qs, parent);
    edit->setObjectName(QString::fromUtf16(name));
    // Only whole numbers get in, as a numeric field takes them.
    edit->setValidator(new QIntValidator(0, 1000000000, edit));
    return edit;
}

QLabel* resultLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(u"result"_qs);
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    return label;
}

void showSwatch(QLabel* swatch, std::optional<ColorRef> colour)
{
    swatch->setStyleSheet(colour ? u"background: %1; border: 1px solid gray"_qs.arg(qColour(*colour).name())
                                 : u"border: 1px solid gray"_qs);
}

}  // namespace

ThreadCalculator::ThreadCalculator(QWidget* parent)
    : QDialog(parent),
      fabric_(fabricList(this)),
      strands_(new QComboBox(this)),
      cells_(numberEdit(u"cells", this)),
      calculate_(new QPushButton(uiQString("计算"), this)),
      result_(resultLabel(this))
{
    setWindowTitle(uiQStringOf(kTitleThreadCalculator));
    setObjectName(u"threadCalculator"_qs);
    strands_->setObjectName(u"strands"_qs);
    calculate_->setObjectName(u"calculate"_qs);
    for (int s = 1; s <= 6; ++s)
        strands_->addItem(QString::number(s));
    strands_->setCurrentIndex(kDefaultStrands - 1);
    connect(fabric_, &QComboBox::activated, this, [this] {
        strands_->setCurrentIndex(recommendedStrands(toGbk(fabric_->currentText())) - 1);
    });
    connect(calculate_, &QPushButton::clicked, this, [this] {
        result_->setText(fromGbk(threadAmountText(toGbk(fabric_->currentText()), strands_->currentIndex() + 1,
                                                  cells_->text().toLongLong())));
    });
    auto* form = new QFormLayout(this);
    form->addRow(uiQString("选绣布型号"), fabric_);
    form->addRow(uiQString("选择绣的股数"), strands_);
    form->addRow(uiQString("请输入格数"), cells_);
    form->addRow(calculate_);
    form->addRow(result_);
}

FabricCalculator::FabricCalculator(MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      fabric_(fabricList(this)),
      width_(numberEdit(u"width", this)),
      height_(numberEdit(u"height", this)),
      calculate_(new QPushButton(uiQString("计算"), this)),
      result_(resultLabel(this))
{
    setWindowTitle(uiQStringOf(kTitleFabricCalculator));
    setObjectName(u"fabricCalculator"_qs);
    calculate_->setObjectName(u"calculate"_qs);
    connect(calculate_, &QPushButton::clicked, this, &FabricCalculator::run);
    auto* form = new QFormLayout(this);
    form->addRow(uiQString("选择绣布类型"), fabric_);
    form->addRow(uiQString("输入图绣图宽(格)"), width_);
    form->addRow(uiQString("输入绣图高(格)"), height_);
    form->addRow(calculate_);
    form->addRow(result_);
}

void FabricCalculator::run()
{
    const std::string fabric = fabric_->currentIndex() < 0 ? std::string() : toGbk(fabric_->currentText());
    const FabricSize size = fabricSize(fabric, width_->text().toInt(), height_->text().toInt());
    if (size.refusal) {
        // The result stays as it was.
        messages_.show(*size.refusal, kTitleInfo, MessageIcon::Information);
        return;
    }
    result_->setText(fromGbk(size.text));
}

ThreadFinder::ThreadFinder(const PaletteStore& palettes, QWidget* parent)
    : QDialog(parent),
      palettes_(palettes),
      brand_(new QComboBox(this)),
      picker_(new QPushButton(uiQString("取色器"), this)),
      pickedColour_(new QLabel(this)),
      threadColour_(new QLabel(this)),
      number_(new QLabel(this)),
      match_(new QPushButton(uiQString("匹配"), this))
{
    setWindowTitle(uiQStringOf(kTitleThreadFinder));
    setObjectName(u"threadFinder"_qs);
    brand_->setObjectName(u"brand"_qs);
    picker_->setObjectName(u"picker"_qs);
    pickedColour_->setObjectName(u"pickedColour"_qs);
    threadColour_->setObjectName(u"threadColour"_qs);
    number_->setObjectName(u"threadNumber"_qs);
    match_->setObjectName(u"match"_qs);
    const std::vector<std::string> brands = palettes_.threadKindList();
    for (const std::string& b : brands)
        brand_->addItem(fromGbk(b));
    brand_->setCurrentIndex(std::max(0, brandIndex(brands, kFinderDefaultBrand)));
    for (QLabel* swatch : {pickedColour_, threadColour_}) {
        swatch->setFixedSize(60, 24);
        showSwatch(swatch, std::nullopt);
    }
    connect(brand_, &QComboBox::currentIndexChanged, this, &ThreadFinder::loadBrand);
    connect(picker_, &QPushButton::clicked, this, &ThreadFinder::pickColour);
    connect(match_, &QPushButton::clicked, this, &ThreadFinder::runMatch);

    auto* form = new QFormLayout(this);
    form->addRow(uiQString("选择绣线"), brand_);
    form->addRow(picker_);
    form->addRow(uiQString("取得颜色"), pickedColour_);
    form->addRow(uiQString("绣线颜色"), threadColour_);
    form->addRow(uiQString("绣线号"), number_);
    form->addRow(match_);
    loadBrand();
}

void ThreadFinder::loadBrand()
{
    palette_.clear();
    palettes_.load(toGbk(brand_->currentText()), palette_);
}

void ThreadFinder::pickColour()
{
    const QColor start = picked_ ? qColour(*picked_) : QColor(Qt::white);
    const QColor colour = QColorDialog::getColor(start, this, uiQString("取色器"));
    if (colour.isValid())
        setPicked(rgb(colour.red(), colour.green(), colour.blue()));
}

void ThreadFinder::setPicked(ColorRef colour)
{
    picked_ = colour;
    showSwatch(pickedColour_, colour);
}

void ThreadFinder::runMatch()
{
    const auto found = matchThread(palette_.colors, picked_);
    if (!found)
        return;
    const auto k = static_cast<std::size_t>(*found);
    number_->setText(fromGbk(palette_.numbers[k]));
    showSwatch(threadColour_, palette_.colors[k]);
}

}  // namespace brenmark
