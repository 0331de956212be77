#include "editor/app/thread_manager_dialog.h"

#include "editor/render/qt_colour.h"
#include "interchange/gbk_qstring.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brenmark {

int swatchAt(QPoint point, int columns, int cell, int count)
{
    if (point.x() < 0 || point.y() < 0 || columns <= 0 || cell <= 0)
        return -1;
    const int column = point.x() / cell;
    if (column >= columns)
        return -1;
    const int index = point.y() / cell * columns + column;
    return index < count ? index : -1;
}

SwatchGrid::SwatchGrid(const Palette& palette, QWidget* parent) : QWidget(parent), palette_(palette)
{
    setObjectName(u"swatches"_qs);
    refresh();
}

QSize SwatchGrid::sizeHint() const
{
    const int rows = (palette_.size() + kColumns - 1) / kColumns;
    return {kColumns * kCell + 1, std::max(1, rows) * kCell + 1};
}

void SwatchGrid::refresh()
{
    setFixedSize(sizeHint());
    update();
}

void SwatchGrid::setSelected(int index)
{
    selected_ = index;
    update();
}

void SwatchGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    for (int i = 0; i < palette_.size(); ++i) {
        const QRect r((i % kColumns) * kCell, (i / kColumns) * kCell, kCell, kCell);
        p.fillRect(r.adjusted(1, 1, 0, 0), qColour(palette_.colors[static_cast<std::size_t>(i)]));
    }
    if (selected_ >= 0 && selected_ < palette_.size()) {
        const QRect r((selected_ % kColumns) * kCell, (selected_ / kColumns) * kCell, kCell, kCell);
        p.setPen(QPen(Qt::black, 2));
        p.drawRect(r.adjusted(1, 1, -1, -1));
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r.adjusted(3, 3, -3, -3));
    }
}

void SwatchGrid::mousePressEvent(QMouseEvent* event)
{
    const int index = swatchAt(event->position().toPoint(), kColumns, kCell, palette_.size());
    if (index >= 0)
        emit swatchClicked(index);
}

ThreadManagerDialog::ThreadManagerDialog(ThreadManager& manager, QWidget* parent)
    : QDialog(parent),
      manager_(manager),
      brand_(new QComboBox(this)),
      grid_(new SwatchGrid(manager.palette(), this)),
      red_(new QSpinBox(this)),
      green_(new QSpinBox(this)),
      blue_(new QSpinBox(this)),
      number_(new QLineEdit(this)),
      preview_(new QLabel(this)),
      selection_(new QLabel(this))
{
    setWindowTitle(uiQString("绣线管理窗口"));
    brand_->setObjectName(u"brand"_qs);
    red_->setObjectName(u"red"_qs);
    green_->setObjectName(u"green"_qs);
    blue_->setObjectName(u"blue"_qs);
    number_->setObjectName(u"number"_qs);
    preview_->setObjectName(u"preview"_qs);
    for (const std::string& b : manager_.brands())
        brand_->addItem(fromGbk(b));
    for (QSpinBox* box : {red_, green_, blue_})
        box->setRange(0, 255);
    preview_->setFixedSize(60, 40);
    preview_->setFrameShape(QFrame::Box);
    preview_->setAutoFillBackground(true);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(grid_);
    scroll->setWidgetResizable(false);
    scroll->setMinimumWidth(grid_->sizeHint().width() + 24);
    scroll->setMinimumHeight(300);

    auto* edits = new QFormLayout;
    edits->addRow(uiQString("品牌:"), brand_);
    edits->addRow(uiQString("红:"), red_);
    edits->addRow(uiQString("绿:"), green_);
    edits->addRow(uiQString("蓝:"), blue_);
    edits->addRow(uiQString("线号:"), number_);
    edits->addRow(uiQString("颜色:"), preview_);
    edits->addRow(selection_);

    auto* apply = new QPushButton(uiQString("应用"), this);
    auto* restore = new QPushButton(uiQString("恢复绣线"), this);
    apply->setObjectName(u"apply"_qs);
    restore->setObjectName(u"restore"_qs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(restore, QDialogButtonBox::ResetRole);
    apply->setAutoDefault(false);
    restore->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addLayout(edits);
    side->addWidget(apply);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(scroll, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(brand_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        manager_.selectBrand(toGbk(text));
        showBrand();
    });
    connect(grid_, &SwatchGrid::swatchClicked, this, [this](int index) {
        manager_.selectSwatch(index);
        showSelection();
    });
    for (QSpinBox* box : {red_, green_, blue_})
        connect(box, &QSpinBox::valueChanged, this, &ThreadManagerDialog::componentsEdited);
    connect(number_, &QLineEdit::textEdited, this, [this](const QString& text) { manager_.setNumber(toGbk(text)); });
    connect(apply, &QPushButton::clicked, this, [this] {
        if (manager_.apply())
            grid_->update();
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        manager_.restore();
        showBrand();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    {
        const QSignalBlocker block(brand_);
        brand_->setCurrentText(fromGbk(manager_.brand()));
    }
    showBrand();
}

void ThreadManagerDialog::accept()
{
    manager_.ok();
    QDialog::accept();
}

void ThreadManagerDialog::reject()
{
    manager_.cancel();
    QDialog::reject();
}

void ThreadManagerDialog::showBrand()
{
    grid_->refresh();
    showSelection();
}

void ThreadManagerDialog::showSelection()
{
    const ThreadManager::Components c = manager_.components();
    {
        const QSignalBlocker r(red_), g(green_), b(blue_);
        red_->setValue(c.red);
        green_->setValue(c.green);
        blue_->setValue(c.blue);
    }
    number_->setText(fromGbk(c.number));
    const bool any = manager_.selected() >= 0;
    for (QWidget* w : std::initializer_list<QWidget*>{red_, green_, blue_, number_})
        w->setEnabled(any);
    grid_->setSelected(manager_.selected());
    selection_->setText(any ? fromGbk(manager_.brand()) + u' ' + QString::number(manager_.selected() + 1) + u'/' +
                                  QString::number(manager_.palette().size())
                            : QString::number(manager_.palette().size()));
    showPreview();
}

void ThreadManagerDialog::componentsEdited()
{
    manager_.setComponents(red_->value(), green_->value(), blue_->value());
    showPreview();
}

void ThreadManagerDialog::showPreview()
{
    QPalette p = preview_->palette();
    p.setColor(QPalette::Window, qColour(manager_.previewColor()));
    preview_->setPalette(p);
}

}  // namespace brenmark
