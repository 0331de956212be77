// Painting the pattern view: background, rulers, the cells in the current display mode, and
// the overlays, all into whatever QPainter the caller hands in.
#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "editor/view/pattern_view.h"
#include "interchange/gbk_qstring.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brenmark {
namespace {

const QColor kButtonFace(212, 208, 200);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(64, 64, 64);

QColor inverted(ColorRef c)
{
    return QColor(255 - static_cast<int>(redOf(c)), 255 - static_cast<int>(greenOf(c)), 255 - static_cast<int>(blueOf(c)));
}

void frame3d(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

// Sizes where the table of display modes treats the cell as large (8, 16, 32 pixels) or
// as four pixels.
bool large(float s) { return s > 4; }
bool four(float s) { return s >= 3 && s <= 4; }

qreal pixelRatio(const QPainter& p)
{
    return p.device() ? p.device()->devicePixelRatio() : 1.0;
}

}  // namespace

int PatternView::symbolFontPixels(float s, ViewMode mode)
{
    if (!large(s) || (mode != ViewMode::SymbolsOnColour && mode != ViewMode::SymbolsOnly))
        return 0;
    return s == 8 ? 8 : 12;
}

QColor PatternView::cellColour(std::int32_t index) const
{
    return qColour(doc_.shownColor(index));
}

void PatternView::paint(QPainter& p, QSize client)
{
    p.save();
    const QRect all(QPoint(0, 0), client);
    p.fillRect(all, qColour(doc_.fabric));
    frame3d(p, all.adjusted(0, 0, -1, -1), kHighlight, kShadow);
    const float s = cellSize();
    clampOrigin(client);

    paintRulers(p, client, s);

    p.setClipRect(QRect(kLeftRuler, kTopRuler, client.width() - kLeftRuler, client.height() - kTopRuler));
    if (!doc_.isOpen() || cellImage_.isNull()) {
        if (s >= 3)
            paintGrid(p, client, s);
    } else {
        const bool tiles = mode_ == ViewMode::SimulatedStitches;
        if (tiles && s >= 3) {
            paintStitches(p, client, s);
        } else if (tiles && s == 2) {
            paintSmallStitches(p, client);
        } else if (mode_ == ViewMode::SymbolsOnly && large(s)) {
            p.fillRect(geometry().chartRect(), qColour(doc_.fabric));
        } else {
            paintCells(p, client, s);
        }
        const bool grid = showGrid_ && s >= 3 && !tiles && !(mode_ == ViewMode::SymbolsOnColour && four(s));
        if (grid)
            paintGrid(p, client, s);
        if ((mode_ == ViewMode::SymbolsOnColour || mode_ == ViewMode::SymbolsOnly) && large(s))
            paintSymbols(p, client, s);
        if (!tiles && flashing_ && blinkPhase_)
            paintFlashing(p, client, s);
        const ChartGeometry g = geometry();
        const ChartPainter chart(doc_, g, ChartStyle::Screen, paintCache_);
        chart.stitchMarks(p, visibleCells(client));
        chart.lines(p, marks_.pickedLine);
        if (overlayPainter_) {
            p.save();
            p.setClipRect(QRectF(origin_.x(), origin_.y(), doc_.width() * s, doc_.height() * s), Qt::IntersectClip);
            overlayPainter_(p);
            p.restore();
        }
        if (!tiles && s > 1)
            paintAxisMarks(p, s);
    }
    p.restore();

    if (host_ && doc_.isOpen() && overviewScale_ > 0) {
        const QRect v = visibleCells(client);
        const QPoint o = overviewOffset_;
        host_->overviewFrame(QRect(QPoint(static_cast<int>(v.left() / overviewScale_) + o.x(), static_cast<int>(v.top() / overviewScale_) + o.y()),
                                   QPoint(static_cast<int>(v.right() / overviewScale_) + o.x(), static_cast<int>(v.bottom() / overviewScale_) + o.y())));
    }
    blinkPhase_ = !blinkPhase_;
}

void PatternView::paintCells(QPainter& p, QSize client, float)
{
    const ChartGeometry g = geometry();
    const ChartPainter chart(doc_, g, ChartStyle::Screen, paintCache_);
    if (mode_ == ViewMode::ColourBlocks && showBaseImage_ && !baseImage_.isNull()) {
        if (!visibleCells(client).isEmpty())
            chart.stretched(p, baseImage_);
    } else {
        chart.cells(p, cellImage_, visibleCells(client));
    }
}

void PatternView::paintGrid(QPainter& p, QSize client, float s)
{
    ChartGeometry g = geometry();
    if (!doc_.isOpen()) {
        // No pattern: the grid fills the client area.
        g.width = static_cast<int>((client.width() - origin_.x()) / s) + 1;
        g.height = static_cast<int>((client.height() - origin_.y()) / s) + 1;
    }
    ChartPainter(doc_, g, ChartStyle::Screen, paintCache_).grid(p, client);
}

int PatternView::rulerLabelStep(float s)
{
    const QFontMetrics metrics(songTi(14));
    const int labelWidth = 2 * metrics.horizontalAdvance(u"9999"_qs);
    int step = 5;
    while (step * s <= labelWidth)
        step += 5;
    return step;
}

std::vector<PatternView::RulerLabel> PatternView::rulerLabels(QSize client) const
{
    // Tick n of the top ruler is the right border of column first + n (counting from 1), of
    // the left ruler the top border of row first + n. Labels go on the pattern's own
    // multiples of the step, as the thick grid lines do, wherever the view is scrolled to.
    const float s = cellSize();
    const int step = rulerLabelStep(s);
    std::vector<RulerLabel> labels;
    for (int n = 1;; ++n) {
        const double x = kLeftRuler + n * s;
        if (x > client.width())
            break;
        if ((firstColumn_ + n) % step == 0)
            labels.push_back({true, x, firstColumn_ + n});
    }
    for (int n = 1;; ++n) {
        const double y = kTopRuler + (n - 1) * s;
        if (y > client.height())
            break;
        if ((firstRow_ + n) % step == 0)
            labels.push_back({false, y, firstRow_ + n});
    }
    return labels;
}

void PatternView::paintRulers(QPainter& p, QSize client, float s)
{
    const QRect top(kLeftRuler, 0, client.width() - kLeftRuler, kTopRuler);
    const QRect left(0, 0, kLeftRuler, client.height());
    for (const QRect& r : {top, left}) {
        p.fillRect(r, kButtonFace);
        frame3d(p, r.adjusted(0, 0, -1, -1), kHighlight, kDarkShadow);
    }
    const QFont font = songTi(14);
    p.setFont(font);
    const QFontMetrics metrics(font);

    p.setPen(Qt::black);
    double last = -100;
    for (int n = 0;; ++n) {
        const double x = kLeftRuler + n * s;
        if (x > client.width())
            break;
        if (x - last > 4) {
            p.drawLine(QPointF(x, 15), QPointF(x, 19));
            last = x;
        }
    }
    last = -100;
    for (int n = 1;; ++n) {
        const double y = kTopRuler + (n - 1) * s;
        if (y > client.height())
            break;
        if (y - last > 4) {
            p.drawLine(QPointF(30, y), QPointF(34, y));
            last = y;
        }
    }
    for (const RulerLabel& l : rulerLabels(client)) {
        const QString label = QString::number(l.number);
        if (l.top)
            p.drawText(QPointF(l.at - metrics.horizontalAdvance(label) / 2.0, 15 - metrics.descent()), label);
        else
            p.drawText(QPointF(30 - metrics.horizontalAdvance(label), l.at + metrics.ascent()), label);
    }

    if (!doc_.isOpen())
        return;
    p.setPen(QColor(255, 0, 0));
    const QString down = fromGbk("▼"), diamond = fromGbk("◆");
    const int w = doc_.width(), h = doc_.height();
    const int dw = metrics.horizontalAdvance(down);
    double centre = origin_.x() + (w / 2) * s + s / 2.0;  // middle of the middle column
    if (w % 2 == 0)
        centre = origin_.x() + (w / 2) * s + (s - dw) / 2.0;
    p.save();
    p.setClipRect(top);
    p.drawText(QPointF(centre - dw / 2.0, kTopRuler - 1 - metrics.descent()), down);
    p.restore();
    const int row = h % 2 ? h / 2 : h / 2 - 1;
    const double y = origin_.y() + row * s;
    p.save();
    p.setClipRect(left.adjusted(0, kTopRuler, 0, 0));
    p.drawText(QPointF(30 - metrics.horizontalAdvance(diamond), y + metrics.ascent()), diamond);
    p.restore();
}

void PatternView::paintSymbols(QPainter& p, QSize client, float s)
{
    const ChartGeometry g = geometry();
    ChartPainter(doc_, g, ChartStyle::Screen, paintCache_)
        .symbols(p, visibleCells(client), client, symbolFontPixels(s, mode_), mode_ == ViewMode::SymbolsOnColour);
}

void PatternView::paintFlashing(QPainter& p, QSize client, float s)
{
    if (s < 1)
        return;
    const QRect v = visibleCells(client);
    const QColor inv = inverted(flashColour_);
    const bool symbols = large(s) && mode_ != ViewMode::ColourBlocks;
    const bool symbolsOnly = mode_ == ViewMode::SymbolsOnly;
    const int size = static_cast<int>(s);
    const int fontPixels = symbolFontPixels(s, mode_);
    const qreal ratio = pixelRatio(p);
    for (int r = v.top(); r <= v.bottom(); ++r) {
        for (int c = v.left(); c <= v.right(); ++c) {
            const std::int32_t index = doc_.cell(c, r);
            if (!doc_.isThread(index) || doc_.threads.colors[static_cast<std::size_t>(index)] != flashColour_)
                continue;
            const QRectF cell(origin_.x() + c * s, origin_.y() + r * s, s, s);
            if (!symbols) {
                p.fillRect(large(s) ? cell.adjusted(1, 1, -1, -1) : cell, inv);
                continue;
            }
            // The symbol on an opaque background: inverted in mode 1, white on black in mode 2.
            p.fillRect(cell, symbolsOnly ? QColor(Qt::black) : inv);
            const std::string& symbol = ChartPainter::cellSymbol(doc_, index);
            if (symbol.empty())
                continue;
            const bool whiteInk = symbolsOnly || isDarkColour(flashColour_);
            const QImage& glyph = paintCache_.glyphs.glyph(symbol, whiteInk, size, fontPixels, ratio);
            if (!glyph.isNull())
                p.drawImage(cell.topLeft(), glyph);
        }
    }
}

void PatternView::paintSmallStitches(QPainter& p, QSize client)
{
    const ChartGeometry g = geometry();
    ChartPainter(doc_, g, ChartStyle::Screen, paintCache_).smallStitches(p, cellImage_, visibleCells(client));
}

void PatternView::paintStitches(QPainter& p, QSize client, float s)
{
    if (scaledTiles_.empty() || visibleCells(client).isEmpty())
        return;
    const int size = static_cast<int>(s);
    const bool current = std::all_of(scaledTiles_.begin(), scaledTiles_.end(), [size](const QImage& tile) {
        return tile.width() == size && tile.height() == size && tile.format() == QImage::Format_RGB32;
    });
    if (!current)
        rescaleStitchTiles();
    const ChartGeometry g = geometry();
    ChartPainter(doc_, g, ChartStyle::Screen, paintCache_).stitches(p, visibleCells(client), scaledTiles_);
}

void PatternView::paintAxisMarks(QPainter& p, float s)
{
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor invert(255, 255, 255);
    if (marks_.horizontalMirror)
        p.fillRect(QRectF(origin_.x() + (marks_.axisColumn - 1) * s, origin_.y(), s, doc_.height() * s), invert);
    if (marks_.verticalMirror)
        p.fillRect(QRectF(origin_.x(), origin_.y() + (marks_.axisRow - 1) * s, doc_.width() * s, s), invert);
    if (marks_.rotationCentreShown && marks_.selectionClosed) {
        const QRect& c = marks_.rotationCentreCells;
        p.setPen(Qt::NoPen);
        p.setBrush(invert);
        p.drawEllipse(QRectF(origin_.x() + c.left() * s, origin_.y() + c.top() * s, c.width() * s + 1, c.height() * s + 1));
    }
    p.restore();
}

}  // namespace brenmark
