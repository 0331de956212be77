#include "editor/view/overview.h"

#include "editor/view/pattern_view.h"

#include <QPainter>

#include <algorithm>

namespace brenmark {

bool Overview::press(QPoint point)
{
    if (!visible_.contains(point))
        return false;
    dragging_ = true;
    start_ = point;
    offset_ = QPoint();
    dropped_ = false;
    return true;
}

void Overview::move(QPoint point, QSize window)
{
    if (!dragging_)
        return;
    // Confine as a clipped cursor would: the frame may not leave the window.
    const int dx = std::clamp(point.x() - start_.x(), -visible_.left(), window.width() - 1 - visible_.right());
    const int dy = std::clamp(point.y() - start_.y(), -visible_.top(), window.height() - 1 - visible_.bottom());
    offset_ = QPoint(dx, dy);
}

bool Overview::release(QPoint point, QSize window)
{
    if (!dragging_)
        return false;
    move(point, window);
    dragging_ = false;
    visible_.translate(offset_);
    offset_ = QPoint();
    dropped_ = true;
    const double scale = view_.overviewScale();
    const QPoint o = view_.overviewOffset();
    const float divisor = view_.zoomDivisor();
    view_.setOrigin(QPoint(static_cast<int>((o.x() - visible_.left()) * scale / divisor + kLeftRuler),
                           static_cast<int>((o.y() - visible_.top()) * scale / divisor + kTopRuler)));
    view_.scrollBy(0, 0);
    return true;
}

QImage Overview::frameImage() const
{
    QImage image = view_.overviewImage().copy();
    if (image.isNull() || visible_.isNull())
        return image;
    QPainter p(&image);
    p.setPen(dropped_ && !dragging_ ? QColor(0, 0, 0) : QColor(0, 255, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frameRect());
    return image;
}

}  // namespace brenmark
