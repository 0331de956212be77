#include "editor/app/print_preview_window.h"

#include "editor/output/print_preview.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {

PrintPreviewArea::PrintPreviewArea(QWidget* parent) : QWidget(parent)
{
    // The preview's own window name, as the editor's other windows carry theirs.
    setObjectName(u"AfxKvPrvXiuView"_qs);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 200);
}

void PrintPreviewArea::setPage(QImage page)
{
    page_ = std::move(page);
    update();
}

void PrintPreviewArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawPrintPreview(p, size(), page_);
}

PrintPreviewWindow::PrintPreviewWindow(PreviewSource& source, const PreviewOptions& start, QWidget* parent)
    : QWidget(parent, Qt::Window),
      source_(source),
      options_(start),
      pages_(new QComboBox(this)),
      colour_(new QComboBox(this)),
      colouredSymbols_(new QCheckBox(uiQString("彩色符"), this)),
      back_(new QPushButton(uiQString("返回"), this)),
      area_(new PrintPreviewArea(this)),
      reloadTimer_(new QTimer(this))
{
    reloadTimer_->setSingleShot(true);
    reloadTimer_->setInterval(150);
    connect(reloadTimer_, &QTimer::timeout, this, &PrintPreviewWindow::reload);
    setObjectName(u"printPreview"_qs);
    setWindowTitle(uiQString("打印预览"));
    pages_->setObjectName(u"previewPages"_qs);
    pages_->setMinimumContentsLength(8);
    colour_->setObjectName(u"previewColour"_qs);
    colour_->addItem(uiQString("彩色"), true);
    colour_->addItem(uiQString("黑白"), false);
    colouredSymbols_->setObjectName(u"previewColouredSymbols"_qs);
    back_->setObjectName(u"previewReturn"_qs);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(uiQString("页:"), this));
    bar->addWidget(pages_);
    bar->addSpacing(12);
    bar->addWidget(colour_);
    bar->addWidget(colouredSymbols_);
    bar->addStretch(1);
    bar->addWidget(back_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(area_, 1);

    connect(pages_, &QComboBox::currentIndexChanged, this, &PrintPreviewWindow::controlsChanged);
    connect(colour_, &QComboBox::currentIndexChanged, this, &PrintPreviewWindow::controlsChanged);
    connect(colouredSymbols_, &QCheckBox::toggled, this, &PrintPreviewWindow::controlsChanged);
    connect(back_, &QPushButton::clicked, this, &QWidget::close);
    resize(720, 900);
    setOptions(start);
}

void PrintPreviewWindow::fillPages()
{
    filling_ = true;
    pages_->clear();
    const std::vector<std::string> names = source_.previewPages();
    for (std::size_t i = 0; i < names.size(); ++i)
        pages_->addItem(fromGbk(names[i]), static_cast<int>(i + 1));
    // A page that is gone (the pattern shrank) becomes the last there is.
    options_.page = names.empty() ? 1 : std::clamp(options_.page, 1, static_cast<int>(names.size()));
    pages_->setCurrentIndex(options_.page - 1);
    colour_->setCurrentIndex(options_.colour ? 0 : 1);
    colouredSymbols_->setChecked(options_.colouredSymbols);
    filling_ = false;
}

void PrintPreviewWindow::setOptions(const PreviewOptions& options)
{
    options_ = options;
    reload();
}

void PrintPreviewWindow::reloadSoon()
{
    reloadTimer_->start();
}

void PrintPreviewWindow::reload()
{
    reloadTimer_->stop();
    fillPages();
    area_->setPage(source_.previewPage(options_));
}

void PrintPreviewWindow::controlsChanged()
{
    if (filling_)
        return;
    PreviewOptions next;
    next.page = std::max(1, pages_->currentData().toInt());
    next.colour = colour_->currentData().toBool();
    next.colouredSymbols = colouredSymbols_->isChecked();
    if (next == options_)
        return;
    options_ = next;
    area_->setPage(source_.previewPage(options_));
}

}  // namespace brenmark
