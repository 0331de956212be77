#include "editor/view/pattern_view_widget.h"

#include <QPainter>
#include <QWheelEvent>

namespace brenmark {

PatternViewWidget::PatternViewWidget(PatternView& view, QWidget* parent) : QWidget(parent), view_(view)
{
    view_.setHost(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
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

void PatternViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    view_.paint(painter, size());
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
        // Three cells a notch, at least 24 pixels.
        const int pixels = std::max(24, static_cast<int>(3 * view_.cellSize())) * notches;
        const bool sideways = (event->modifiers() & Qt::ShiftModifier) || steps.y() == 0;
        sideways ? view_.scrollBy(pixels, 0) : view_.scrollBy(0, pixels);
    }
    update();
    event->accept();
}

void PatternViewWidget::resizeEvent(QResizeEvent*)
{
    view_.clampOrigin(size());
    update();
}

}  // namespace brenmark
