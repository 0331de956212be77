#include "editor/view/overview.h"

#include "editor/view/pattern_view.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brenmark {

QRect Overview::shownRect() const
{
    QRect r = frameRect();
    if (r.isNull())
        return r;
    const QPoint c = r.center();
    if (r.width() < kMinFrame) {
        r.setLeft(c.x() - kMinFrame / 2 + 1);
        r.setWidth(kMinFrame);
    }
    if (r.height() < kMinFrame) {
        r.setTop(c.y() - kMinFrame / 2 + 1);
        r.setHeight(kMinFrame);
    }
    return r;
}

bool Overview::centreAt(QPoint point)
{
    const double scale = view_.overviewScale();
    if (view_.overviewImage().isNull() || !view_.document().isOpen() || scale <= 0)
        return false;
    const QPoint o = view_.overviewOffset();
    const double column = (point.x() - o.x() + 0.5) * scale, row = (point.y() - o.y() + 0.5) * scale;
    const QSize client = view_.clientSize();
    const QPoint centre = client.width() > kLeftRuler && client.height() > kTopRuler
                              ? QPoint(kLeftRuler + (client.width() - kLeftRuler) / 2, kTopRuler + (client.height() - kTopRuler) / 2)
                              : QPoint(kLeftRuler, kTopRuler);
    const double s = view_.cellSize();
    view_.setOrigin(QPoint(static_cast<int>(std::lround(centre.x() - column * s)), static_cast<int>(std::lround(centre.y() - row * s))));
    view_.scrollBy(0, 0);
    return true;
}

bool Overview::press(QPoint point)
{
    if (!shownRect().contains(point)) {
        centreAt(point);
        return false;
    }
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
    // The outline on the rectangle's own pixels, right and bottom edges included.
    p.drawRect(shownRect().adjusted(0, 0, -1, -1));
    return image;
}

}  // namespace brenmark
