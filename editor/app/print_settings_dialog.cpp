#include "editor/app/print_settings_dialog.h"

#include "editor/document/thread_amounts.h"
#include "editor/render/qt_colour.h"
#include "interchange/gbk_qstring.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace brenmark {

namespace {

// The smallest and largest printed cell offered, in millimetres: one unit up to five
// centimetres.
constexpr double kSmallestCell = 0.3;
constexpr double kLargestCell = 50.0;

QComboBox* numberList(int first, int last, int current, const char16_t* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf16(name));
    for (int n = first; n <= last; ++n)
        box->addItem(QString::number(n), n);
    box->setCurrentIndex(std::max(0, box->findData(current)));
    return box;
}

QLabel* label(const char* gbk, QWidget* parent)
{
    return new QLabel(uiQStringOf(gbk), parent);
}

}  // namespace

PrintSettingsDialog::PrintSettingsDialog(const PrintSettings& settings, QWidget* parent)
    : QDialog(parent), given_(settings)
{
    setWindowTitle(uiQString("打印细节设置"));
    setObjectName(u"printSettingsDialog"_qs);

    cell_ = new QDoubleSpinBox(this);
    cell_->setObjectName(u"cellMillimetres"_qs);
    cell_->setDecimals(2);
    cell_->setSingleStep(0.1);
    cell_->setRange(kSmallestCell, kLargestCell);
    cell_->setValue(settings.cellSize * 25.4 / 96);
    connect(cell_, &QDoubleSpinBox::valueChanged, this, [this] { cellEdited_ = true; });
    tenLine_ = numberList(1, 4, settings.tenLineWidth, u"tenLineWidth", this);

    shade_ = new QSlider(Qt::Horizontal, this);
    shade_->setObjectName(u"gridShade"_qs);
    shade_->setRange(0, 255);
    shade_->setMinimumWidth(160);
    sample_ = new QWidget(this);
    sample_->setObjectName(u"gridSample"_qs);
    sample_->setFixedSize(40, 20);
    sample_->setAutoFillBackground(true);
    connect(shade_, &QSlider::valueChanged, this, &PrintSettingsDialog::showShade);
    shade_->setValue(static_cast<int>(redOf(settings.gridColour)));
    showShade(shade_->value());

    byCells_ = new QRadioButton(uiQString("按格数"), this);
    byCells_->setObjectName(u"byCells"_qs);
    byMetres_ = new QRadioButton(uiQString("按线量"), this);
    byMetres_->setObjectName(u"byMetres"_qs);
    auto* amounts = new QButtonGroup(this);
    amounts->addButton(byCells_);
    amounts->addButton(byMetres_);
    (settings.amountsInMetres ? byMetres_ : byCells_)->setChecked(true);
    fabric_ = new QComboBox(this);
    fabric_->setObjectName(u"fabric"_qs);
    for (const std::string& f : fabricCounts())
        fabric_->addItem(fromGbk(f));
    fabric_->setCurrentIndex(std::max(0, fabric_->findText(fromGbk(settings.fabric))));
    strands_ = numberList(1, 6, settings.strands, u"strands", this);
    outlineStrands_ = numberList(1, 4, settings.outlineStrands, u"outlineStrands", this);

    // The program's own default author and title are shown in the interface's language; left
    // as shown, they stay the texts they were.
    author_ = new QLineEdit(uiQStringOf(settings.author), this);
    author_->setObjectName(u"author"_qs);
    title_ = new QLineEdit(uiQStringOf(settings.title), this);
    title_->setObjectName(u"title"_qs);

    // How the chart is cut into pages and what the key is written in.
    overlap_ = numberList(0, kMaxPageOverlap, settings.pageOverlap, u"pageOverlap", this);
    pageMap_ = new QCheckBox(uiQString("页面分布图"), this);
    pageMap_->setObjectName(u"pageMap"_qs);
    pageMap_->setChecked(settings.pageMap);
    englishKey_ = new QCheckBox(uiQString("英文图例"), this);
    englishKey_->setObjectName(u"englishKey"_qs);
    englishKey_->setChecked(settings.englishKey);

    // The look of the chart.
    auto* chart = new QGroupBox(uiQString("绣图格式"), this);
    auto* chartGrid = new QGridLayout(chart);
    chartGrid->addWidget(label(UI_TEXT_NOOP("打印格大小"), chart), 0, 0);
    chartGrid->addWidget(cell_, 0, 1);
    chartGrid->addWidget(label(UI_TEXT_NOOP("(毫米)"), chart), 0, 2);
    chartGrid->addWidget(label(UI_TEXT_NOOP("10格线粗细"), chart), 1, 0);
    chartGrid->addWidget(tenLine_, 1, 1);
    chartGrid->addWidget(label(UI_TEXT_NOOP("(象素)"), chart), 1, 2);
    chartGrid->addWidget(label(UI_TEXT_NOOP("调节格线颜色"), chart), 2, 0);
    auto* shadeRow = new QHBoxLayout;
    shadeRow->addWidget(shade_, 1);
    shadeRow->addWidget(sample_);
    chartGrid->addLayout(shadeRow, 2, 1, 1, 2);
    chartGrid->addWidget(label(UI_TEXT_NOOP("页面重叠行列数"), chart), 3, 0);
    chartGrid->addWidget(overlap_, 3, 1);
    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(pageMap_);
    pagesRow->addWidget(englishKey_);
    pagesRow->addStretch(1);
    chartGrid->addLayout(pagesRow, 4, 0, 1, 3);
    chartGrid->setColumnStretch(1, 1);

    // What the key counts.
    auto* key = new QGroupBox(uiQString("输出线量格式"), this);
    auto* keyGrid = new QGridLayout(key);
    auto* formats = new QHBoxLayout;
    formats->addWidget(byCells_);
    formats->addWidget(byMetres_);
    formats->addStretch(1);
    keyGrid->addLayout(formats, 0, 0, 1, 4);
    keyGrid->addWidget(label(UI_TEXT_NOOP("选择绣布"), key), 1, 0);
    keyGrid->addWidget(fabric_, 1, 1);
    keyGrid->addWidget(label(UI_TEXT_NOOP("绣的股数"), key), 1, 2);
    keyGrid->addWidget(strands_, 1, 3);
    keyGrid->addWidget(label(UI_TEXT_NOOP("描边股数"), key), 2, 2);
    keyGrid->addWidget(outlineStrands_, 2, 3);
    keyGrid->setColumnStretch(1, 1);
    keyGrid->setColumnStretch(3, 1);

    // Who made it and what it is called.
    auto* about = new QGroupBox(uiQString("绣图信息"), this);
    auto* aboutGrid = new QGridLayout(about);
    aboutGrid->addWidget(label(UI_TEXT_NOOP("绣图作者"), about), 0, 0);
    aboutGrid->addWidget(author_, 0, 1);
    aboutGrid->addWidget(label(UI_TEXT_NOOP("绣图标题"), about), 1, 0);
    aboutGrid->addWidget(title_, 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(uiQString("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiQString("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart);
    layout->addWidget(key);
    layout->addWidget(about);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void PrintSettingsDialog::showShade(int shade)
{
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, QColor(shade, shade, shade));
    sample_->setPalette(palette);
}

PrintSettings PrintSettingsDialog::settings() const
{
    PrintSettings s = given_;
    if (cellEdited_)
        s.cellSize = std::max(1, cellPixelsFromMillimetres(cell_->value()));
    s.tenLineWidth = tenLine_->currentData().toInt();
    const auto shade = static_cast<std::uint8_t>(shade_->value());
    s.gridColour = rgb(shade, shade, shade);
    s.amountsInMetres = byMetres_->isChecked();
    s.fabric = toGbk(fabric_->currentText());
    s.strands = strands_->currentData().toInt();
    s.outlineStrands = outlineStrands_->currentData().toInt();
    const auto edited = [](const QLineEdit* edit, const std::string& given) {
        return edit->text() == uiQStringOf(given) ? given : toGbk(edit->text());
    };
    s.author = edited(author_, given_.author);
    s.title = edited(title_, given_.title);
    s.pageOverlap = overlap_->currentData().toInt();
    s.pageMap = pageMap_->isChecked();
    s.englishKey = englishKey_->isChecked();
    return s;
}

}  // namespace brenmark
