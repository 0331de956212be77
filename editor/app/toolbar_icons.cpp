#include "editor/app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>

#include <utility>

namespace brenmark {

namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 246);
const QColor kRed(200, 40, 48);
const QColor kBlue(40, 90, 190);
const QColor kGreen(40, 150, 70);
const QColor kYellow(235, 185, 40);

void page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
}

// A small cross stitch: two diagonal strokes filling a cell.
void stitch(QPainter& p, QRectF cell, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(cell.topLeft(), cell.bottomRight());
    p.drawLine(cell.topRight(), cell.bottomLeft());
}

void magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(kInk, 2.5));
    p.setBrush(QColor(225, 238, 250));
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(QPen(kInk, 2.2));
    p.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
    if (plus)
        p.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
}

void grid(QPainter& p, const QColor colours[4])
{
    for (int i = 0; i < 4; ++i) {
        const QRectF cell(4 + (i % 2) * 12, 4 + (i / 2) * 12, 12, 12);
        p.fillRect(cell, colours[i]);
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, 24, 24));
    p.drawLine(QPointF(16, 4), QPointF(16, 28));
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
}

void hash(QPainter& p, const QColor& colour)
{
    p.setPen(QPen(colour, 2.2));
    p.drawLine(QPointF(12, 7), QPointF(10, 25));
    p.drawLine(QPointF(21, 7), QPointF(19, 25));
    p.drawLine(QPointF(7, 12.5), QPointF(25, 12.5));
    p.drawLine(QPointF(6.5, 19.5), QPointF(24.5, 19.5));
}

void draw(QPainter& p, CommandIcon icon)
{
    const QColor colours[4] = {kRed, kBlue, kYellow, kGreen};
    switch (icon) {
    case CommandIcon::New:
        page(p);
        p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16.5, 13), QPointF(16.5, 24));
        p.drawLine(QPointF(11, 18.5), QPointF(22, 18.5));
        break;
    case CommandIcon::Open:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(240, 200, 100));
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(27, 11), QPointF(27, 26),
                                 QPointF(3, 26)}));
        p.setBrush(QColor(250, 222, 140));
        p.drawPolygon(QPolygonF({QPointF(3, 26), QPointF(8, 15), QPointF(30, 15), QPointF(27, 26)}));
        break;
    case CommandIcon::Save:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(8, 18, 16, 10));
        p.fillRect(QRectF(18, 6, 3, 5), kInk);
        break;
    case CommandIcon::Import:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(200, 228, 250));
        p.drawRect(QRectF(3, 6, 26, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(22, 12), 3, 3);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygonF({QPointF(4, 25), QPointF(12, 14), QPointF(18, 21), QPointF(21, 18), QPointF(28, 25)}));
        break;
    case CommandIcon::ZoomIn:
        magnifier(p, true);
        break;
    case CommandIcon::ZoomOut:
        magnifier(p, false);
        break;
    case CommandIcon::FitWindow: {
        // A chart inside a frame, with arrows out to the frame's corners.
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 4, 24, 24));
        p.setBrush(QColor(120, 170, 230));
        p.drawRect(QRectF(11, 11, 10, 10));
        p.setPen(QPen(kInk, 2));
        for (const auto& [from, to] : {std::pair{QPointF(11, 11), QPointF(6, 6)}, {QPointF(21, 11), QPointF(26, 6)},
                                       {QPointF(11, 21), QPointF(6, 26)}, {QPointF(21, 21), QPointF(26, 26)}})
            p.drawLine(from, to);
        break;
    }
    case CommandIcon::Threads:
        // A spool of thread.
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(190, 150, 100));
        p.drawRect(QRectF(7, 4, 18, 4));
        p.drawRect(QRectF(7, 24, 18, 4));
        p.setBrush(kRed);
        p.drawRect(QRectF(10, 8, 12, 16));
        p.setPen(QPen(QColor(140, 20, 30), 1));
        for (int y = 11; y < 24; y += 3)
            p.drawLine(QPointF(10, y), QPointF(22, y - 2));
        break;
    case CommandIcon::ColourBlocks:
        grid(p, colours);
        break;
    case CommandIcon::SymbolsOnColour:
        grid(p, colours);
        hash(p, Qt::white);
        break;
    case CommandIcon::SymbolsOnly: {
        const QColor white[4] = {kPaper, kPaper, kPaper, kPaper};
        grid(p, white);
        hash(p, kInk);
        break;
    }
    case CommandIcon::Simulated:
        p.fillRect(QRectF(3, 3, 26, 26), QColor(238, 232, 214));
        for (int i = 0; i < 4; ++i)
            stitch(p, QRectF(6 + (i % 2) * 11, 6 + (i / 2) * 11, 9, 9), colours[i], 3);
        break;
    case CommandIcon::Close:
        p.setPen(QPen(kRed, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case CommandIcon::PrintSettings:
        // A sheet with a chart's grid and a slider beside it.
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(5, 3, 17, 24));
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(8, 7 + i * 5), QPointF(19, 7 + i * 5));
            p.drawLine(QPointF(8 + i * 3.6, 7), QPointF(8 + i * 3.6, 22));
        }
        p.setPen(QPen(kInk, 2));
        p.drawLine(QPointF(27, 5), QPointF(27, 29));
        p.setBrush(kRed);
        p.setPen(QPen(kInk, 1));
        p.drawRect(QRectF(24, 14, 6, 5));
        break;
    case CommandIcon::Print:
        // A printer with a sheet coming out.
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(9, 3, 14, 9));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(3, 11, 26, 11), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 18, 16, 11));
        p.setPen(QPen(kRed, 1.5));
        p.drawLine(QPointF(11, 22), QPointF(21, 22));
        p.drawLine(QPointF(11, 25.5), QPointF(18, 25.5));
        break;
    case CommandIcon::Application: {
        // A heart of cross stitches on linen.
        p.fillRect(QRectF(1, 1, 30, 30), QColor(238, 232, 214));
        static const char* rows[] = {"..........", ".XX...XX..", "XXXX.XXXX.", "XXXXXXXXX.", ".XXXXXXX..",
                                     "..XXXXX...", "...XXX....", "....X.....", ".........."};
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 10; ++c)
                if (rows[r][c] == 'X')
                    stitch(p, QRectF(2.5 + c * 3, 3 + r * 3, 2.4, 2.4), kRed, 1.2);
        break;
    }
    case CommandIcon::None:
        break;
    }
}

}  // namespace

QPixmap commandPixmap(CommandIcon icon, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p, icon);
    return pixmap;
}

QIcon commandIcon(CommandIcon icon)
{
    QIcon result;
    if (icon == CommandIcon::None)
        return result;
    for (const int size : {16, 24, 32, 48})
        result.addPixmap(commandPixmap(icon, size));
    return result;
}

}  // namespace brenmark
