// Painting the pattern view: background, rulers, the cells in the current display mode, and
// the overlays, all into whatever QPainter the caller hands in.
#include "editor/view/gbk_qstring.h"
#include "editor/view/pattern_view.h"
#include "editor/view/qt_colour.h"
#include "editor/view/stitch_tiles.h"
#include "editor/view/symbol_glyphs.h"

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

// The symbol a cell shows: its thread's entry in the symbol table. Empty cells and indices
// past the thread table show none.
const std::string& cellSymbol(const PatternDocument& doc, std::int32_t index)
{
    static const std::string blank;
    if (!doc.isThread(index) || static_cast<std::size_t>(index) >= doc.symbols.size())
        return blank;
    return doc.symbols[static_cast<std::size_t>(index)].symbol;
}

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

QRect PatternView::visibleCells(QSize client, float s) const
{
    const int c0 = std::max(0, static_cast<int>(std::floor((kLeftRuler - origin_.x()) / s)));
    const int r0 = std::max(0, static_cast<int>(std::floor((kTopRuler - origin_.y()) / s)));
    const int c1 = std::min(doc_.width(), static_cast<int>(std::ceil((client.width() - origin_.x()) / s)) + 1);
    const int r1 = std::min(doc_.height(), static_cast<int>(std::ceil((client.height() - origin_.y()) / s)) + 1);
    return QRect(QPoint(c0, r0), QPoint(c1 - 1, r1 - 1));
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
            p.fillRect(QRectF(origin_.x(), origin_.y(), doc_.width() * s, doc_.height() * s), qColour(doc_.fabric));
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
        paintMarks(p, client, s);
        paintLines(p, s);
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
        const QRect v = visibleCells(client, s);
        const QPoint o = overviewOffset_;
        host_->overviewFrame(QRect(QPoint(static_cast<int>(v.left() / overviewScale_) + o.x(), static_cast<int>(v.top() / overviewScale_) + o.y()),
                                   QPoint(static_cast<int>(v.right() / overviewScale_) + o.x(), static_cast<int>(v.bottom() / overviewScale_) + o.y())));
    }
    blinkPhase_ = !blinkPhase_;
}

void PatternView::paintCells(QPainter& p, QSize client, float s)
{
    const QRect v = visibleCells(client, s);
    if (v.isEmpty())
        return;
    const QRectF target(origin_.x() + v.left() * s, origin_.y() + v.top() * s, v.width() * s, v.height() * s);
    const bool base = mode_ == ViewMode::ColourBlocks && showBaseImage_ && !baseImage_.isNull();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, s < 1 || base);
    if (base) {
        p.drawImage(QRectF(origin_.x(), origin_.y(), doc_.width() * s, doc_.height() * s), baseImage_);
    } else {
        p.drawImage(target, cellImage_, QRectF(v));
    }
    p.restore();
}

void PatternView::paintGrid(QPainter& p, QSize client, float s)
{
    const int w = doc_.isOpen() ? doc_.width() : static_cast<int>((client.width() - origin_.x()) / s) + 1;
    const int h = doc_.isOpen() ? doc_.height() : static_cast<int>((client.height() - origin_.y()) / s) + 1;
    const QPen thin(kButtonFace, 0), thick(Qt::black, 0);
    const double ox = origin_.x(), oy = origin_.y();
    const double right = ox + w * s, bottom = oy + h * s;
    const int k0 = std::max(0, static_cast<int>((kLeftRuler - ox) / s) - 1);
    const int j0 = std::max(0, static_cast<int>((kTopRuler - oy) / s) - 1);
    // Thin lines first so the thick tenth lines stay whole where they cross.
    for (const bool heavy : {false, true}) {
        p.setPen(heavy ? thick : thin);
        for (int k = j0; k <= h; ++k) {
            const double y = oy + k * s;
            if (y > client.height() + 5)
                break;
            if ((k != 0 && k % 10 == 0) == heavy)
                p.drawLine(QPointF(ox, y), QPointF(right, y));
        }
        for (int k = k0; k <= w; ++k) {
            const double x = ox + k * s;
            if (x > client.width() + 5)
                break;
            if ((k != 0 && k % 10 == 0) == heavy)
                p.drawLine(QPointF(x, oy), QPointF(x, bottom));
        }
    }
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
    const int labelWidth = 2 * metrics.horizontalAdvance(u"9999"_qs);
    int step = 5;
    while (step * s <= labelWidth)
        step += 5;

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
        if (n > 0 && n % step == 0) {
            const QString label = QString::number(firstColumn_ + n);
            const int tw = metrics.horizontalAdvance(label);
            p.drawText(QPointF(x - tw / 2.0, 15 - metrics.descent()), label);
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
        if (n % step == 0) {
            const QString label = QString::number(firstRow_ + n);
            p.drawText(QPointF(30 - metrics.horizontalAdvance(label), y + metrics.ascent()), label);
        }
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
    const int size = static_cast<int>(s);
    const int fontPixels = symbolFontPixels(s, mode_);
    const qreal ratio = pixelRatio(p);
    const QRect v = visibleCells(client, s);
    const bool onColour = mode_ == ViewMode::SymbolsOnColour;
    const bool fabricInk = isDarkColour(doc_.fabric);
    // Each thread's stamp, looked up once per paint; null where a cell shows no symbol.
    std::vector<const QImage*> stamps(doc_.symbols.size(), nullptr);
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const std::string& symbol = cellSymbol(doc_, static_cast<std::int32_t>(i));
        if (symbol.empty())
            continue;
        const bool whiteInk = onColour ? isDarkColour(doc_.threads.colors[i]) : fabricInk;
        const QImage& glyph = glyphs_.glyph(symbol, whiteInk, size, fontPixels, ratio);
        if (!glyph.isNull())
            stamps[i] = &glyph;
    }
    for (int r = v.top(); r <= v.bottom(); ++r) {
        const int y = origin_.y() + r * size;
        if (y > client.height())
            break;
        for (int c = v.left(); c <= v.right(); ++c) {
            const int x = origin_.x() + c * size;
            if (x > client.width())
                break;
            const std::int32_t index = doc_.cell(c, r);
            if (index >= 0 && static_cast<std::size_t>(index) < stamps.size() && stamps[static_cast<std::size_t>(index)])
                p.drawImage(QPoint(x, y), *stamps[static_cast<std::size_t>(index)]);
        }
    }
}

void PatternView::paintFlashing(QPainter& p, QSize client, float s)
{
    if (s < 1)
        return;
    const QRect v = visibleCells(client, s);
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
            const std::string& symbol = cellSymbol(doc_, index);
            if (symbol.empty())
                continue;
            const bool whiteInk = symbolsOnly || isDarkColour(flashColour_);
            const QImage& glyph = glyphs_.glyph(symbol, whiteInk, size, fontPixels, ratio);
            if (!glyph.isNull())
                p.drawImage(cell.topLeft(), glyph);
        }
    }
}

void PatternView::paintSmallStitches(QPainter& p, QSize client)
{
    // At two pixels a cell the stitches are the colour blocks with one white pixel at every
    // cell's top-left corner: the visible part of the cell image is doubled into a picture
    // with those pixels in it and drawn in one go.
    const QRect v = visibleCells(client, 2).intersected(cellImage_.rect());
    if (v.isEmpty())
        return;
    const QImage cells = cellImage_.copy(v).convertToFormat(QImage::Format_RGB32);
    const QSize pictureSize = v.size() * 2;
    if (stitchPicture_.size() != pictureSize)
        stitchPicture_ = QImage(pictureSize, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255);
    for (int r = 0; r < cells.height(); ++r) {
        const QRgb* in = reinterpret_cast<const QRgb*>(cells.constScanLine(r));
        QRgb* top = reinterpret_cast<QRgb*>(stitchPicture_.scanLine(2 * r));
        QRgb* bottom = reinterpret_cast<QRgb*>(stitchPicture_.scanLine(2 * r + 1));
        for (int c = 0; c < cells.width(); ++c) {
            top[2 * c] = white;
            top[2 * c + 1] = bottom[2 * c] = bottom[2 * c + 1] = in[c];
        }
    }
    p.drawImage(QPoint(origin_.x() + v.left() * 2, origin_.y() + v.top() * 2), stitchPicture_);
}

void PatternView::paintStitches(QPainter& p, QSize client, float s)
{
    const QRect v = visibleCells(client, s);
    if (scaledTiles_.empty() || v.isEmpty())
        return;
    const int size = static_cast<int>(s);
    const bool current = std::all_of(scaledTiles_.begin(), scaledTiles_.end(), [size](const QImage& tile) {
        return tile.width() == size && tile.height() == size && tile.format() == QImage::Format_RGB32;
    });
    if (!current)
        rescaleStitchTiles();
    const std::size_t emptyTile = scaledTiles_.size() - 1;
    const int half = size / 2;
    const QRgb white = qRgb(255, 255, 255);

    // The visible cells' tiles are laid side by side into one picture that is drawn in one
    // go; a drawImage per cell costs far more than copying its pixels. Each cell gets the
    // white pixels at the middle of its top and left edges in the picture. Those at the
    // middle of its right and bottom edges are the next cells' left and top ones, drawn over
    // the tile; only the last column's and the last row's lie outside and are drawn after.
    const QSize pictureSize(v.width() * size, v.height() * size);
    if (stitchPicture_.size() != pictureSize)
        stitchPicture_ = QImage(pictureSize, QImage::Format_RGB32);
    std::vector<const QImage*> row(static_cast<std::size_t>(v.width()));
    for (int r = v.top(); r <= v.bottom(); ++r) {
        for (int c = v.left(); c <= v.right(); ++c) {
            const std::int32_t index = doc_.cell(c, r);
            const std::size_t tile = doc_.isThread(index) && static_cast<std::size_t>(index) < emptyTile
                                         ? static_cast<std::size_t>(index)
                                         : emptyTile;
            row[static_cast<std::size_t>(c - v.left())] = &scaledTiles_[tile];
        }
        const int top = (r - v.top()) * size;
        for (int ty = 0; ty < size; ++ty) {
            QRgb* out = reinterpret_cast<QRgb*>(stitchPicture_.scanLine(top + ty));
            for (const QImage* tile : row)
                out = std::copy_n(reinterpret_cast<const QRgb*>(tile->constScanLine(ty)), size, out);
        }
        QRgb* topEdge = reinterpret_cast<QRgb*>(stitchPicture_.scanLine(top));
        QRgb* middle = reinterpret_cast<QRgb*>(stitchPicture_.scanLine(top + half));
        for (int i = 0; i < v.width(); ++i) {
            topEdge[i * size + half] = white;
            middle[i * size] = white;
        }
    }
    p.drawImage(QPoint(origin_.x() + v.left() * size, origin_.y() + v.top() * size), stitchPicture_);

    p.setPen(Qt::white);
    const int right = origin_.x() + (v.right() + 1) * size, bottom = origin_.y() + (v.bottom() + 1) * size;
    for (int r = v.top(); r <= v.bottom(); ++r)
        p.drawPoint(right, origin_.y() + r * size + half);
    for (int c = v.left(); c <= v.right(); ++c)
        p.drawPoint(origin_.x() + c * size + half, bottom);
}

void PatternView::paintMarks(QPainter& p, QSize client, float s)
{
    if (doc_.marks.empty())
        return;
    const QRect v = visibleCells(client, s);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const StitchMark& m : doc_.marks) {
        if (!v.contains(m.column, m.row) || !doc_.grid.contains(m.column, m.row))
            continue;
        const std::int32_t index = doc_.cell(m.column, m.row);
        const ColorRef colour = doc_.isThread(index) ? doc_.threads.colors[static_cast<std::size_t>(index)] : kWhite;
        const QImage glyph = stitchMarkGlyph(m.kind, colour);
        if (!glyph.isNull())
            p.drawImage(QRectF(origin_.x() + m.column * s, origin_.y() + m.row * s, s, s), glyph);
    }
    p.restore();
}

void PatternView::paintLines(QPainter& p, float s)
{
    if (doc_.lines.empty())
        return;
    auto point = [&](int column, int row, int corner) {
        const int dx = (corner == TopRight || corner == BottomRight) ? 1 : 0;
        const int dy = (corner == BottomLeft || corner == BottomRight) ? 1 : 0;
        return QPointF(origin_.x() + (column + dx) * s, origin_.y() + (row + dy) * s);
    };
    const int width = static_cast<int>(s * 0.25f);
    for (std::size_t i = 0; i < doc_.lines.size(); ++i) {
        const BackstitchLine& line = doc_.lines[i];
        const QColor colour = static_cast<int>(i) == marks_.pickedLine ? QColor(255, 0, 0) : qColour(line.color);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(point(line.startColumn, line.startRow, line.startCorner), point(line.endColumn, line.endRow, line.endCorner));
    }
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
