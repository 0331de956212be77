// The key of a printed chart: every thread of the colour bar with its symbol, number and
// amount, then the fabric, the outline threads and who made the chart.
#include "editor/render/chart_layout.h"
#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace brenmark {

KeyMetrics ChartLayout::keyMetrics() const
{
    KeyMetrics k = KeyMetrics::at(1.0, settings_.amountsInMetres);
    k.samplePen = std::max(1, static_cast<int>(settings_.cellSize * 0.25));
    return k;
}

std::string ChartLayout::keyAmount(std::size_t entry) const
{
    return KeyModel::amount(doc_, usage_, settings_.key(), entry);
}

void ChartLayout::drawKeyPage(QPainter& p, ChartStyle style) const
{
    // The key page keeps the chart pages' margins on both sides.
    drawKey(p, style, QPoint(margin_, margin_), page_.width() - 2 * margin_);
}

QFont ChartLayout::fittedKeyFont(const QFont& font, const QString& text, int width)
{
    // Smaller type until the text fits inside its cell's borders, down to 5 pixels.
    QFont f = font;
    int pixels = f.pixelSize() > 0 ? f.pixelSize() : 12;
    while (pixels > 5 && QFontMetrics(f).horizontalAdvance(text) > width - 2) {
        --pixels;
        f.setPixelSize(pixels);
    }
    return f;
}

KeyDrawing ChartLayout::keyDrawing(QPoint topLeft, int width) const
{
    const KeyMetrics metrics = keyMetrics();
    const QFontMetrics fm(songTi(metrics.fontHeight));
    return layOutKey(
        key_, metrics, topLeft, width, [&](const std::string& t) { return fm.horizontalAdvance(fromGbk(t)); }, fm.height());
}

int ChartLayout::drawKey(QPainter& p, ChartStyle style, QPoint topLeft, int width) const
{
    const bool colour = style == ChartStyle::PrintColour || style == ChartStyle::Screen;
    const KeyMetrics metrics = keyMetrics();
    p.save();
    const QFont font = songTi(metrics.fontHeight);
    p.setFont(font);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    const KeyDrawing key = keyDrawing(topLeft, width);
    for (const KeyPiece& piece : key.pieces) {
        switch (piece.kind) {
        case KeyPiece::Kind::Text:
            p.drawText(piece.box, piece.flags, fromGbk(piece.text));
            break;
        case KeyPiece::Kind::FittedText: {
            const QString shown = fromGbk(piece.text);
            p.save();
            p.setFont(fittedKeyFont(font, shown, piece.box.width()));
            p.setClipRect(piece.box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
            p.drawText(piece.box, Qt::AlignCenter, shown);
            p.restore();
            break;
        }
        case KeyPiece::Kind::SymbolText: {
            const ColorRef thread = key_.rows[static_cast<std::size_t>(piece.index)].colour;
            p.setPen(colour && isDarkColour(thread)                   ? QColor(Qt::white)
                     : style == ChartStyle::ColouredSymbols ? qColour(thread)
                                                            : QColor(Qt::black));
            if (key_.clearSymbols) {
                // The key shows each symbol in the font the chart draws it in.
                p.setFont(symbolFont(true, metrics.fontHeight));
                p.drawText(piece.box, piece.flags, fromGbk(piece.text));
                p.setFont(font);
            } else {
                p.drawText(piece.box, piece.flags, fromGbk(piece.text));
            }
            p.setPen(Qt::black);
            break;
        }
        case KeyPiece::Kind::ThreadFill:
            if (colour)
                p.fillRect(piece.box, qColour(key_.rows[static_cast<std::size_t>(piece.index)].colour));
            break;
        case KeyPiece::Kind::Frame:
            p.drawRect(piece.box);
            break;
        case KeyPiece::Kind::Sample: {
            const QLine& l = piece.line;
            if (colour) {
                p.setPen(QPen(qColour(key_.outlines[static_cast<std::size_t>(piece.index)].colour), metrics.samplePen,
                              Qt::SolidLine, Qt::FlatCap));
                p.drawLine(l);
            } else {
                // A back stitch sample: three stitches with their needle holes.
                p.setPen(QPen(Qt::black, metrics.samplePen, Qt::SolidLine, Qt::FlatCap));
                const int step = l.dx() / 3;
                for (int s = 0; s < 3; ++s)
                    p.drawLine(l.x1() + s * step + 1, l.y1(), l.x1() + s * step + step - 1, l.y1());
            }
            p.setPen(Qt::black);
            break;
        }
        }
    }
    p.restore();
    return key.bottom;
}

}  // namespace brenmark
