#pragma once
// For the writers' tests: a drawing with paint QPainter draws itself (a gradient at half
// opacity), a bitmap that shows in the pen's colour and a mitred corner, 200 x 60 units.
#include <QBitmap>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace brenmark::test {

inline void drawPainterProbe(QPainter& p)
{
    QBitmap cross(8, 8);
    cross.clear();
    {
        QPainter b(&cross);
        b.setPen(Qt::color1);
        b.drawLine(0, 0, 7, 7);
        b.drawLine(0, 7, 7, 0);
    }
    p.fillRect(QRect(0, 0, 200, 60), Qt::white);
    QLinearGradient ramp(0, 0, 60, 0);
    ramp.setColorAt(0, Qt::red);
    ramp.setColorAt(1, Qt::red);
    p.setOpacity(0.5);
    p.fillRect(QRect(0, 0, 60, 30), ramp);
    p.setOpacity(1);
    p.setPen(QColor(0, 160, 0));
    p.drawPixmap(QRect(70, 0, 32, 32), cross);  // set bits in the pen's colour
    // Qt's miter limit counts from the join point, the readers' along the whole miter.
    QPen sharp(Qt::black, 6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    sharp.setMiterLimit(5);
    p.setPen(sharp);
    // A corner of about 20 degrees: Qt mitres it at limit 5 (its tip 2.9 widths from the
    // join); a reader given 5 rather than 10 would bevel it.
    p.drawPolyline(QPolygonF({QPointF(146, 58), QPointF(150, 35), QPointF(154, 58)}));
}

// Where the probe's pictures should match: half the gradient's red (not a quarter), the
// cross in green, the clear around it, and a point of the corner's miter well past where a
// bevel would end.
inline const QPoint kPainterProbePoints[] = {{30, 15}, {86, 16}, {88, 6}, {150, 26}};

}  // namespace brenmark::test
