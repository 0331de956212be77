#include "editor/view/widgets/tool_icons.h"

#include "editor/render/stitch_tiles.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace brenmark {

namespace {

// Drawn on a 24-unit square and scaled, so every size gets the same picture.
void drawTool(QPainter& p, Tool tool)
{
    const QColor ink(40, 40, 40);
    const QColor accent(200, 40, 40);
    const QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (tool) {
    case Tool::Move: {
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF{{QPointF(12, 2), QPointF(9, 6), QPointF(15, 6)}});
        p.drawPolygon(QPolygonF{{QPointF(12, 22), QPointF(9, 18), QPointF(15, 18)}});
        p.drawPolygon(QPolygonF{{QPointF(2, 12), QPointF(6, 9), QPointF(6, 15)}});
        p.drawPolygon(QPolygonF{{QPointF(22, 12), QPointF(18, 9), QPointF(18, 15)}});
        break;
    }
    case Tool::Outline:
        p.setPen(QPen(accent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{QPointF(3, 19), QPointF(9, 7), QPointF(15, 17), QPointF(21, 5)}});
        break;
    case Tool::SelectOutline:
        p.setPen(QPen(accent, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 20), QPointF(16, 7));
        p.setPen(pen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{{QPointF(12, 10), QPointF(12, 22), QPointF(15, 19), QPointF(18, 23), QPointF(20, 22),
                                 QPointF(17, 18), QPointF(21, 17)}});
        break;
    case Tool::Point:
        p.setBrush(ink);
        p.drawRect(QRectF(9, 9, 6, 6));
        break;
    case Tool::HollowEllipse:
        p.drawEllipse(QRectF(3.5, 5.5, 17, 13));
        break;
    case Tool::HollowRect:
        p.drawRect(QRectF(4.5, 5.5, 15, 13));
        break;
    case Tool::Line:
        p.drawLine(QPointF(4, 20), QPointF(20, 4));
        break;
    case Tool::Fill: {
        p.setBrush(QColor(230, 230, 230));
        p.drawPolygon(QPolygonF{{QPointF(5, 10), QPointF(13, 3), QPointF(20, 10), QPointF(12, 18)}});
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        QPainterPath drop;
        drop.moveTo(20, 13);
        drop.cubicTo(23, 18, 22, 21, 20, 21);
        drop.cubicTo(18, 21, 17, 18, 20, 13);
        p.drawPath(drop);
        break;
    }
    case Tool::SolidEllipse:
        p.setBrush(ink);
        p.drawEllipse(QRectF(3.5, 5.5, 17, 13));
        break;
    case Tool::SolidRect:
        p.setBrush(ink);
        p.drawRect(QRectF(4.5, 5.5, 15, 13));
        break;
    case Tool::Text:
        // A letter A in strokes, so the icon does not depend on the fonts installed.
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{QPointF(5, 21), QPointF(12, 3), QPointF(19, 21)}});
        p.drawLine(QPointF(8, 15), QPointF(16, 15));
        break;
    case Tool::SelectArea:
        p.setPen(QPen(ink, 1.4, Qt::DashLine));
        p.drawRect(QRectF(3.5, 4.5, 17, 15));
        break;
    case Tool::HollowOut:
        p.setBrush(ink);
        p.drawRect(QRectF(3.5, 4.5, 17, 15));
        p.setBrush(Qt::white);
        p.setPen(QPen(ink, 1.0, Qt::DotLine));
        p.drawEllipse(QRectF(7.5, 8.5, 9, 7));
        break;
    case Tool::Eraser:
        p.translate(12, 12);
        p.rotate(-40);
        p.setBrush(QColor(240, 150, 160));
        p.drawRect(QRectF(-9, -5, 18, 10));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-9, -5, 6, 10));
        break;
    case Tool::Clone:
    case Tool::CloneSpare:
        p.setBrush(QColor(150, 110, 70));
        p.drawEllipse(QRectF(9, 2.5, 6, 6));
        p.drawRect(QRectF(10.5, 8, 3, 6));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(4.5, 14, 15, 4));
        p.setPen(QPen(accent, 2));
        p.drawLine(QPointF(5, 21), QPointF(19, 21));
        if (tool == Tool::CloneSpare) {
            p.setPen(Qt::NoPen);
            p.setBrush(accent);
            p.drawEllipse(QRectF(17, 2, 5, 5));
        }
        break;
    case Tool::CleanConfetti:
        // A brush over scattered single stitches.
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        for (const QPointF& at : {QPointF(3, 16), QPointF(8, 20), QPointF(5, 11), QPointF(13, 19)})
            p.drawRect(QRectF(at, QSizeF(3, 3)));
        p.setPen(pen);
        p.setBrush(QColor(150, 110, 70));
        p.drawLine(QPointF(21, 3), QPointF(13, 11));
        p.setBrush(QColor(230, 200, 120));
        p.drawPolygon(QPolygonF{{QPointF(12, 9), QPointF(15, 12), QPointF(11, 18), QPointF(6, 13)}});
        break;
    }
}

}  // namespace

QImage toolIconImage(Tool tool, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    drawTool(p, tool);
    return image;
}

QImage stitchKindIconImage(int kind, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // A light cell under every glyph, framed like a cell of the chart.
    p.fillRect(QRect(1, 1, size - 2, size - 2), QColor(245, 245, 245));
    p.setPen(QColor(160, 160, 160));
    p.drawRect(QRect(1, 1, size - 3, size - 3));
    const QImage glyph = kind == 0 ? QImage() : stitchMarkGlyph(kind, kWhite);
    if (!glyph.isNull()) {
        p.drawImage(QRect(2, 2, size - 4, size - 4), glyph);
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(60, 60, 60), std::max(1.0, size / 12.0)));
        p.drawLine(QPointF(4, 4), QPointF(size - 4, size - 4));
        p.drawLine(QPointF(size - 4, 4), QPointF(4, size - 4));
    }
    return image;
}

}  // namespace brenmark
