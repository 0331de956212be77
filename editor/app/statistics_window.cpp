#include "editor/app/statistics_window.h"

#include "editor/render/qt_colour.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace brenmark {

namespace {

QRect rectOf(const BoxRect& box)
{
    return QRect(box.x, box.y, box.width, box.height);
}

}  // namespace

StatisticsChart::StatisticsChart(const StatisticsRequest& request, QWidget* parent)
    : QWidget(parent), request_(request), rows_(request.rows)
{
    setObjectName(u"statisticsChart"_qs);
    setMinimumSize(400, 200);
}

void StatisticsChart::setRows(std::vector<ThreadStatisticsRow> rows)
{
    rows_ = std::move(rows);
    update();
}

void StatisticsChart::setMetres(bool metres)
{
    metres_ = metres;
    update();
}

void StatisticsChart::setFirstBand(int band)
{
    band = std::clamp(band, 0, scrollLimit());
    if (band == firstBand_)
        return;
    firstBand_ = band;
    update();
    emit layoutChanged();
}

StatisticsLayout StatisticsChart::layout() const
{
    return layoutStatistics(width(), fontMetrics().height(), static_cast<int>(rows_.size()));
}

void StatisticsChart::resizeEvent(QResizeEvent*)
{
    firstBand_ = std::min(firstBand_, scrollLimit());
    emit layoutChanged();
}

void StatisticsChart::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        setFirstBand(firstBand_ - steps);
    event->accept();
}

QString StatisticsChart::tipAt(QPoint point) const
{
    const StatisticsLayout l = layout();
    if (point.y() < l.bandsTop)
        return {};
    const int i = l.threadAt(point.x(), point.y() + firstBand_ * l.bandStep(), static_cast<int>(rows_.size()));
    if (i < 0)
        return {};
    const ThreadStatisticsRow& row = rows_[static_cast<std::size_t>(i)];
    return row.name.empty() ? fromGbk(row.number) : fromGbk(row.number + " " + row.name);
}

bool StatisticsChart::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void StatisticsChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const StatisticsLayout l = layout();
    p.setPen(Qt::black);

    p.drawText(rectOf(l.title), Qt::AlignCenter, uiQStringOf(kTitleStatistics));
    const auto header = statisticsHeader(metres_, request_.fabric, request_.strands, request_.brand,
                                         static_cast<int>(rows_.size()), request_.width, request_.height);
    for (std::size_t i = 0; i < header.size(); ++i)
        p.drawText(rectOf(l.header[i]), Qt::AlignCenter, uiQStringOf(header[i]));

    // The bands scroll under the title and the header, which stay.
    const int top = l.bandsTop;
    p.setClipRect(0, top, width(), height() - top);
    p.translate(0, -firstBand_ * l.bandStep());
    const auto labels = bandLabels(metres_);
    const QColor gridColour(Qt::black);
    for (int band = 0; band < l.bands; ++band)
        for (int row = 0; row < 3; ++row) {
            const QRect cell = rectOf(l.labelCell(band, row));
            p.setPen(gridColour);
            p.drawRect(cell);
            p.drawText(cell, Qt::AlignCenter, uiQStringOf(labels[static_cast<std::size_t>(row)]));
        }
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const ThreadStatisticsRow& row = rows_[static_cast<std::size_t>(i)];
        p.setPen(gridColour);
        for (int r = 0; r < 3; ++r)
            p.drawRect(rectOf(l.threadCell(i, r)));
        p.fillRect(rectOf(l.symbolFill(i)), qColour(row.colour));
        p.setPen(drawsWhite(row.colour) ? Qt::white : Qt::black);
        if (request_.clearSymbols) {
            const QFont font = p.font();
            p.setFont(symbolFont(true, std::max(8, QFontInfo(font).pixelSize())));
            p.drawText(rectOf(l.threadCell(i, 0)), Qt::AlignCenter, fromGbk(row.symbol));
            p.setFont(font);
        } else {
            p.drawText(rectOf(l.threadCell(i, 0)), Qt::AlignCenter, fromGbk(row.symbol));
        }
        p.setPen(Qt::black);
        p.drawText(rectOf(l.threadCell(i, 1)), Qt::AlignCenter, fromGbk(row.number));
        p.drawText(rectOf(l.threadCell(i, 2)), Qt::AlignCenter, fromGbk(amountText(row, metres_)));
    }
}

StatisticsWindow::StatisticsWindow(StatisticsRequest request, QWidget* parent)
    : QDialog(parent),
      request_(std::move(request)),
      chart_(new StatisticsChart(request_, this)),
      byCells_(new QRadioButton(uiQStringOf(kByCells), this)),
      byMetres_(new QRadioButton(uiQStringOf(kByMetres), this)),
      sort_(new QCheckBox(uiQStringOf(kSortByUsage), this)),
      scroll_(new QScrollBar(Qt::Vertical, this))
{
    setWindowTitle(uiQStringOf(kTitleStatistics));
    setObjectName(u"statisticsWindow"_qs);
    byCells_->setObjectName(u"byCells"_qs);
    byMetres_->setObjectName(u"byMetres"_qs);
    sort_->setObjectName(u"sortByUsage"_qs);
    scroll_->setObjectName(u"scroller"_qs);
    byCells_->setChecked(true);
    auto* close = new QPushButton(uiQString("关闭"), this);
    close->setObjectName(u"close"_qs);

    connect(byCells_, &QRadioButton::toggled, this, [this] { chart_->setMetres(byMetres_->isChecked()); });
    connect(sort_, &QCheckBox::toggled, this, &StatisticsWindow::showRows);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(scroll_, &QScrollBar::valueChanged, chart_, &StatisticsChart::setFirstBand);
    connect(chart_, &StatisticsChart::layoutChanged, this, &StatisticsWindow::updateScroller);

    auto* controls = new QHBoxLayout;
    controls->addWidget(byCells_);
    controls->addWidget(byMetres_);
    controls->addWidget(sort_);
    controls->addStretch(1);
    controls->addWidget(close);
    auto* area = new QHBoxLayout;
    area->setSpacing(0);
    area->addWidget(chart_, 1);
    area->addWidget(scroll_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(area, 1);
    resize(720, 420);
}

void StatisticsWindow::showRows()
{
    std::vector<ThreadStatisticsRow> rows = request_.rows;
    if (sort_->isChecked())
        brenmark::sortByUsage(rows);
    chart_->setRows(std::move(rows));
}

void StatisticsWindow::updateScroller()
{
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(0, chart_->scrollLimit());
    scroll_->setPageStep(1);
    scroll_->setValue(chart_->firstBand());
}

}  // namespace brenmark
