#pragma once
// A picture of our own making for the conversion tools and benchmarks: a sky gradient behind
// a shaded ball, smooth areas and an edge, in the given size.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace brenmark {

inline QImage skyAndBallPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(38, 92, 168));
    sky.setColorAt(1, QColor(214, 232, 246));
    p.fillRect(image.rect(), sky);
    QRadialGradient face(QPointF(size.width() * 0.42, size.height() * 0.45), size.height() * 0.42,
                         QPointF(size.width() * 0.36, size.height() * 0.36));
    face.setColorAt(0, QColor(252, 222, 196));
    face.setColorAt(0.7, QColor(224, 168, 132));
    face.setColorAt(1, QColor(150, 96, 72));
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(face);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(size.width() * 0.45, size.height() * 0.55), size.height() * 0.38, size.height() * 0.4);
    return image;
}

}  // namespace brenmark
