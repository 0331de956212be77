#include "editor/view/pattern_view_widget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace brenmark {

PatternViewWidget::PatternViewWidget(PatternView& view, QWidget* parent)
    : QWidget(parent),
      view_(view),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      corner_(new QWidget(this))
{
    view_.setHost(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    horizontal_->setObjectName(u"horizontalScrollBar"_qs);
    vertical_->setObjectName(u"verticalScrollBar"_qs);
    // The bars take no keyboard focus: the keys stay with the chart and its tools.
    for (QScrollBar* bar : {horizontal_, vertical_})
        bar->setFocusPolicy(Qt::NoFocus);
    corner_->setAutoFillBackground(true);
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int v) { scrolledTo(Qt::Horizontal, v); });
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int v) { scrolledTo(Qt::Vertical, v); });
    flash_.setInterval(500);
    connect(&flash_, &QTimer::timeout, this, [this] { view_.flashTick(); });
}

PatternViewWidget::~PatternViewWidget()
{
    view_.setHost(nullptr);
}

void PatternViewWidget::flashTimer(bool run)
{
    run ? flash_.start() : flash_.stop();
}

QSize PatternViewWidget::chartSize() const
{
    return QSize(std::max(0, width() - vertical_->sizeHint().width()),
                 std::max(0, height() - horizontal_->sizeHint().height()));
}

void PatternViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    view_.paint(painter, chartSize());
    // Painting clamps and aligns the origin: the bars show where it ended.
    syncScrollBars();
}

void PatternViewWidget::syncScrollBars()
{
    // The bars count pixels scrolled past the rulers. The far end is where the view's own
    // clamping stops: eight cells of the chart left in view.
    const QSize client = chartSize();
    const double s = view_.cellSize();
    const PatternDocument& doc = view_.document();
    const QPoint origin = view_.origin();
    syncing_ = true;
    const auto set = [](QScrollBar* bar, int cells, double s, int area, int scrolled) {
        const QSignalBlocker block(bar);
        const int most = cells > 0 ? std::max(0, static_cast<int>(std::ceil(cells * s - 8 * s))) : 0;
        bar->setRange(0, std::max(most, scrolled));
        bar->setPageStep(std::max(1, area));
        bar->setSingleStep(std::max(1, static_cast<int>(3 * s)));
        bar->setValue(scrolled);
    };
    set(horizontal_, doc.width(), s, client.width() - kLeftRuler, kLeftRuler - origin.x());
    set(vertical_, doc.height(), s, client.height() - kTopRuler, kTopRuler - origin.y());
    syncing_ = false;
}

void PatternViewWidget::scrolledTo(Qt::Orientation orientation, int value)
{
    if (syncing_)
        return;
    const QPoint origin = view_.origin();
    if (orientation == Qt::Horizontal)
        view_.scrollBy(kLeftRuler - value - origin.x(), 0);
    else
        view_.scrollBy(0, kTopRuler - value - origin.y());
    update();
}

int PatternViewWidget::lineStep() const
{
    // Three cells, at least 24 pixels.
    return std::max(24, static_cast<int>(3 * view_.cellSize()));
}

bool PatternViewWidget::navigationKey(int key, Qt::KeyboardModifiers modifiers)
{
    const QSize client = chartSize();
    const int pageX = std::max(1, client.width() - kLeftRuler - lineStep());
    const int pageY = std::max(1, client.height() - kTopRuler - lineStep());
    const bool ctrl = modifiers & Qt::ControlModifier;
    const int far = 1 << 28;  // the view's clamping stops any scroll at the chart's end
    switch (key) {
    case Qt::Key_Left:
        view_.scrollBy(lineStep(), 0);
        break;
    case Qt::Key_Right:
        view_.scrollBy(-lineStep(), 0);
        break;
    case Qt::Key_Up:
        view_.scrollBy(0, lineStep());
        break;
    case Qt::Key_Down:
        view_.scrollBy(0, -lineStep());
        break;
    case Qt::Key_PageUp:
        ctrl ? view_.scrollBy(pageX, 0) : view_.scrollBy(0, pageY);
        break;
    case Qt::Key_PageDown:
        ctrl ? view_.scrollBy(-pageX, 0) : view_.scrollBy(0, -pageY);
        break;
    case Qt::Key_Home:
        view_.scrollBy(far, ctrl ? far : 0);
        break;
    case Qt::Key_End: {
        // The end of the rows: the chart's last column at the right edge of the view.
        // On a cell border (the view aligns to them) with the last cell wholly in view.
        const double s = view_.cellSize();
        const auto endAt = [s](int area, int ruler, int cells) {
            const double free = area - cells * s - ruler;
            return std::min(ruler, ruler + static_cast<int>(std::floor(free / std::max(1.0, s)) * std::max(1.0, s)));
        };
        view_.scrollBy(endAt(client.width(), kLeftRuler, view_.document().width()) - view_.origin().x(), 0);
        if (ctrl)
            view_.scrollBy(0, endAt(client.height(), kTopRuler, view_.document().height()) - view_.origin().y());
        break;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
        if (modifiers & Qt::ControlModifier)
            return false;  // the menu's keys
        key == Qt::Key_Minus ? view_.zoomOut() : view_.zoomIn();
        emit zoomChanged();
        break;
    default:
        return false;
    }
    syncScrollBars();
    update();
    return true;
}

void PatternViewWidget::keyPressEvent(QKeyEvent* event)
{
    // The tools had the key first (their binding filters the widget's events); what they
    // leave moves the view.
    if (navigationKey(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void PatternViewWidget::wheelEvent(QWheelEvent* event)
{
    const QPoint steps = event->angleDelta() / 120;
    const int notches = steps.y() ? steps.y() : steps.x();
    if (notches == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        for (int i = 0; i < std::abs(notches); ++i)
            view_.zoomAbout(event->position().toPoint(), notches > 0);
        emit zoomChanged();
    } else {
        // A tenth of the view a notch, at least three cells: the same feel at every zoom.
        const QSize client = chartSize();
        const bool sideways = (event->modifiers() & Qt::ShiftModifier) || steps.y() == 0;
        const int area = sideways ? client.width() - kLeftRuler : client.height() - kTopRuler;
        const int pixels = std::max(lineStep(), area / 10) * notches;
        sideways ? view_.scrollBy(pixels, 0) : view_.scrollBy(0, pixels);
    }
    syncScrollBars();
    update();
    event->accept();
}

void PatternViewWidget::resizeEvent(QResizeEvent*)
{
    const int bw = vertical_->sizeHint().width(), bh = horizontal_->sizeHint().height();
    horizontal_->setGeometry(0, height() - bh, std::max(0, width() - bw), bh);
    vertical_->setGeometry(width() - bw, 0, bw, std::max(0, height() - bh));
    corner_->setGeometry(width() - bw, height() - bh, bw, bh);
    view_.clampOrigin(chartSize());
    syncScrollBars();
    update();
}

}  // namespace brenmark
