#include "editor/render/chart_painter.h"

#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/text_run_engine.h"
#include "interchange/gbk_qstring.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace brenmark {
namespace {

const QColor kButtonFace(212, 208, 200);

qreal pixelRatio(const QPainter& p)
{
    return p.device() ? p.device()->devicePixelRatio() : 1.0;
}

bool printing(ChartStyle style)
{
    return style != ChartStyle::Screen;
}

// A thread's symbol as text and where drawSymbolText puts its baseline in a cell of size s,
// from the cell's top-left corner.
struct PlacedSymbol {
    QString text;
    QPointF baseline;
};

// Each visible row's cells whose thread shows a symbol (`shown(index)`), grouped by ink, the
// groups of a row numbered in the order their inks first appear: add(group, column, row,
// index) for each cell, then draw(group, ink) once for each group at the end of the row.
template <class Shown, class Add, class Draw>
void rowsByInk(const PatternDocument& doc, QRect v, const std::vector<QRgb>& inks, Shown shown, Add add, Draw draw)
{
    std::vector<QRgb> groups;
    for (int r = v.top(); r <= v.bottom(); ++r) {
        groups.clear();
        for (int c = v.left(); c <= v.right(); ++c) {
            const std::int32_t index = doc.cell(c, r);
            if (index < 0 || static_cast<std::size_t>(index) >= inks.size() || !shown(static_cast<std::size_t>(index)))
                continue;
            const QRgb ink = inks[static_cast<std::size_t>(index)];
            auto group = std::find(groups.begin(), groups.end(), ink);
            if (group == groups.end())
                group = groups.insert(groups.end(), ink);
            add(static_cast<std::size_t>(group - groups.begin()), c, r, static_cast<std::size_t>(index));
        }
        for (std::size_t k = 0; k < groups.size(); ++k)
            draw(k, groups[k]);
    }
}

// Each thread's placed symbol (empty text for a thread without one), worked out once a paint.
std::vector<PlacedSymbol> placedSymbols(const PatternDocument& doc, const QFontMetricsF& metrics, float s)
{
    std::vector<PlacedSymbol> placed(doc.symbols.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const std::string& symbol = ChartPainter::cellSymbol(doc, static_cast<std::int32_t>(i));
        if (symbol.empty())
            continue;
        placed[i].text = fromGbk(symbol);
        const QRectF box = metrics.boundingRect(QRectF(0, 0, s, s), Qt::AlignCenter | Qt::TextSingleLine, placed[i].text);
        placed[i].baseline = QPointF(box.left(), box.top() + metrics.ascent());
    }
    return placed;
}

}  // namespace

const std::string& ChartPainter::cellSymbol(const PatternDocument& doc, std::int32_t index)
{
    static const std::string blank;
    if (!doc.isThread(index) || static_cast<std::size_t>(index) >= doc.symbols.size())
        return blank;
    return doc.symbols[static_cast<std::size_t>(index)].symbol;
}

QPen ChartPainter::thinGridPen() const
{
    if (pens_)
        return pens_->first;
    // On paper the thin lines are grey, so the tenth lines stand out in black.
    return printing(style_) ? QPen(QColor(128, 128, 128), 0) : QPen(kButtonFace, 0);
}

QPen ChartPainter::heavyGridPen() const
{
    if (pens_)
        return pens_->second;
    return printing(style_) ? QPen(Qt::black, std::max(1.0, g_.cellSize / 8.0)) : QPen(Qt::black, 0);
}

bool ChartPainter::whiteInk(std::int32_t index, bool onColour) const
{
    if (style_ == ChartStyle::PrintBlackWhite || style_ == ChartStyle::ColouredSymbols)
        return false;
    if (onColour && doc_.isThread(index))
        return isDarkColour(doc_.threads.colors[static_cast<std::size_t>(index)]);
    return isDarkColour(doc_.fabric);
}

void ChartPainter::cells(QPainter& p, const QImage& cellImage, QRect v) const
{
    if (v.isEmpty())
        return;
    const float s = g_.cellSize;
    const QRectF target(g_.origin.x() + v.left() * s, g_.origin.y() + v.top() * s, v.width() * s, v.height() * s);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, s < 1);
    p.drawImage(target, cellImage, QRectF(v));
    p.restore();
}

void ChartPainter::stretched(QPainter& p, const QImage& picture) const
{
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(g_.chartRect(), picture);
    p.restore();
}

void ChartPainter::grid(QPainter& p, QSize device) const
{
    const float s = g_.cellSize;
    const int w = g_.width, h = g_.height;
    const QPen thin = thinGridPen(), thick = heavyGridPen();
    const double ox = g_.origin.x(), oy = g_.origin.y();
    const double right = ox + w * s, bottom = oy + h * s;
    const int k0 = std::max(0, static_cast<int>((g_.areaStart.x() - ox) / s) - 1);
    const int j0 = std::max(0, static_cast<int>((g_.areaStart.y() - oy) / s) - 1);
    // Thin lines first so the thick tenth lines stay whole where they cross.
    for (const bool heavy : {false, true}) {
        p.setPen(heavy ? thick : thin);
        for (int k = j0; k <= h; ++k) {
            const double y = oy + k * s;
            if (y > device.height() + 5)
                break;
            if ((k != 0 && k % 10 == 0) == heavy)
                p.drawLine(QPointF(ox, y), QPointF(right, y));
        }
        for (int k = k0; k <= w; ++k) {
            const double x = ox + k * s;
            if (x > device.width() + 5)
                break;
            if ((k != 0 && k % 10 == 0) == heavy)
                p.drawLine(QPointF(x, oy), QPointF(x, bottom));
        }
    }
}

void ChartPainter::gridOf(QPainter& p, QRect cells) const
{
    if (cells.isEmpty())
        return;
    const float s = g_.cellSize;
    const double ox = g_.origin.x(), oy = g_.origin.y();
    const double left = ox + cells.left() * s, right = ox + (cells.right() + 1) * s;
    const double top = oy + cells.top() * s, bottom = oy + (cells.bottom() + 1) * s;
    const QPen thin = thinGridPen(), thick = heavyGridPen();
    // Thin lines first so the thick tenth lines stay whole where they cross.
    for (const bool heavy : {false, true}) {
        p.setPen(heavy ? thick : thin);
        for (int k = cells.top(); k <= cells.bottom() + 1; ++k)
            if ((k != 0 && k % 10 == 0) == heavy)
                p.drawLine(QPointF(left, oy + k * s), QPointF(right, oy + k * s));
        for (int k = cells.left(); k <= cells.right() + 1; ++k)
            if ((k != 0 && k % 10 == 0) == heavy)
                p.drawLine(QPointF(ox + k * s, top), QPointF(ox + k * s, bottom));
    }
}

void ChartPainter::symbols(QPainter& p, QRect v, QSize device, int fontPixels, bool onColour) const
{
    const int size = static_cast<int>(g_.cellSize);
    if (printing(style_)) {
        printedSymbols(p, v, fontPixels, onColour);
        return;
    }
    const qreal ratio = pixelRatio(p);
    // Each thread's stamp, looked up once per paint; null where a cell shows no symbol.
    std::vector<const QImage*> stamps(doc_.symbols.size(), nullptr);
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const std::string& symbol = cellSymbol(doc_, static_cast<std::int32_t>(i));
        if (symbol.empty())
            continue;
        const QImage& glyph = cache_.glyphs.glyph(symbol, whiteInk(static_cast<std::int32_t>(i), onColour), size, fontPixels,
                                                  ratio, doc_.clearSymbols);
        if (!glyph.isNull())
            stamps[i] = &glyph;
    }
    for (int r = v.top(); r <= v.bottom(); ++r) {
        const int y = g_.origin.y() + r * size;
        if (y > device.height())
            break;
        for (int c = v.left(); c <= v.right(); ++c) {
            const int x = g_.origin.x() + c * size;
            if (x > device.width())
                break;
            const std::int32_t index = doc_.cell(c, r);
            if (index >= 0 && static_cast<std::size_t>(index) < stamps.size() && stamps[static_cast<std::size_t>(index)])
                p.drawImage(QPoint(x, y), *stamps[static_cast<std::size_t>(index)]);
        }
    }
}

void ChartPainter::printedSymbols(QPainter& p, QRect v, int fontPixels, bool onColour) const
{
    // On paper the symbols are text, so vector targets keep them as text; "coloured
    // symbols" draws each in its thread's colour, in bold.
    QFont font = symbolFont(doc_.clearSymbols, fontPixels);
    if (!symbolFamily_.isEmpty())
        font.setFamilies(QStringList{symbolFamily_} + font.families());
    font.setBold(style_ == ChartStyle::ColouredSymbols);
    // Each thread's ink; the cells of threads without a symbol are passed over.
    std::vector<QRgb> inks(doc_.symbols.size(), 0);
    for (std::size_t i = 0; i < inks.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i);
        if (cellSymbol(doc_, index).empty())
            continue;
        if (style_ == ChartStyle::ColouredSymbols)
            inks[i] = qColour(doc_.threads.colors[i]).rgb();
        else
            inks[i] = whiteInk(index, onColour) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    if (auto raster = RasterCells::of(p, g_)) {
        stampedSymbols(p, *raster, v, font, inks);
        return;
    }
    if (auto* runs = dynamic_cast<TextRunEngine*>(p.paintEngine())) {
        textRunSymbols(p, *runs, v, font, inks);
        return;
    }
    if (p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Pdf && glyphRunSymbols(p, v, font, inks))
        return;
    if (p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster) {
        // A picture the stamps cannot serve (cells off whole pixels): each cell's text drawn
        // as the stamps are, so every raster target shows the same pixels.
        p.save();
        p.setFont(font);
        for (int r = v.top(); r <= v.bottom(); ++r)
            for (int c = v.left(); c <= v.right(); ++c) {
                const std::int32_t index = doc_.cell(c, r);
                const std::string& symbol = cellSymbol(doc_, index);
                if (symbol.empty())
                    continue;
                p.setPen(QColor::fromRgb(inks[static_cast<std::size_t>(index)]));
                drawSymbolText(p, g_.cellRectF(c, r), symbol);
            }
        p.restore();
        return;
    }
    // Vector targets (SVG, EMF, a PDF whose font lacks a symbol): one text a cell, each
    // thread's text and its place in the cell (where drawSymbolText centres it) worked out
    // once, the pen set only when the ink changes.
    const std::vector<PlacedSymbol> placed = placedSymbols(doc_, QFontMetricsF(font, p.device()), g_.cellSize);
    p.save();
    p.setFont(font);
    std::optional<QRgb> pen;
    for (int r = v.top(); r <= v.bottom(); ++r)
        for (int c = v.left(); c <= v.right(); ++c) {
            const std::int32_t index = doc_.cell(c, r);
            if (index < 0 || static_cast<std::size_t>(index) >= placed.size() || placed[static_cast<std::size_t>(index)].text.isEmpty())
                continue;
            const QRgb ink = inks[static_cast<std::size_t>(index)];
            if (pen != ink) {
                p.setPen(QColor::fromRgb(ink));
                pen = ink;
            }
            const PlacedSymbol& symbol = placed[static_cast<std::size_t>(index)];
            p.drawText(g_.cellRectF(c, r).topLeft() + symbol.baseline, symbol.text);
        }
    p.restore();
}

void ChartPainter::stampedSymbols(QPainter& p, RasterCells& raster, QRect v, const QFont& font,
                                  const std::vector<QRgb>& inks) const
{
    // Each thread's stamp, drawn once for this cell size, font and ink.
    const int size = static_cast<int>(g_.cellSize);
    std::vector<const SymbolStamp*> stamps(inks.size(), nullptr);
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const std::string& symbol = cellSymbol(doc_, static_cast<std::int32_t>(i));
        if (!symbol.empty())
            stamps[i] = &cache_.printStamps.stamp(symbol, inks[i], font, size, raster.scale());
    }
    p.save();
    p.setFont(font);
    for (int r = v.top(); r <= v.bottom(); ++r)
        for (int c = v.left(); c <= v.right(); ++c) {
            const std::int32_t index = doc_.cell(c, r);
            if (index < 0 || static_cast<std::size_t>(index) >= stamps.size())
                continue;
            const SymbolStamp* stamp = stamps[static_cast<std::size_t>(index)];
            if (!stamp || stamp->picture.isNull())
                continue;
            const QRgb ink = inks[static_cast<std::size_t>(index)];
            if (stamp->solid) {
                raster.stampCell(c, r, *stamp, ink);
            } else {
                // A font drawn with partial coverage is left to the painter's own blending.
                p.setPen(QColor::fromRgb(ink));
                drawSymbolText(p, g_.cellRectF(c, r), cellSymbol(doc_, index));
            }
        }
    p.restore();
}

void ChartPainter::textRunSymbols(QPainter& p, TextRunEngine& runs, QRect v, const QFont& font,
                                  const std::vector<QRgb>& inks) const
{
    // Our own PDF and SVG writers take each row's symbols of one ink as one text with a
    // baseline origin for every character, where drawSymbolText would put them.
    const QFontMetricsF metrics(font, p.device());
    const std::vector<PlacedSymbol> placed = placedSymbols(doc_, metrics, g_.cellSize);
    // Each character's origin from the cell's top-left corner, for every thread's symbol.
    std::vector<std::vector<QPointF>> offsets(placed.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const QString& text = placed[i].text;
        QPointF at = placed[i].baseline;
        for (qsizetype k = 0; k < text.size(); ++k) {
            offsets[i].push_back(at);
            if (k + 1 == text.size())
                break;  // the last character's advance is not needed
            if (text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
                offsets[i].push_back(at);
                at.rx() += metrics.horizontalAdvance(text.mid(k, 2));
                ++k;
            } else {
                at.rx() += metrics.horizontalAdvance(text[k]);
            }
        }
    }
    p.paintEngine()->syncState();
    struct Run {
        QString text;
        std::vector<QPointF> origins;
    };
    std::vector<Run> row;  // by group, kept from row to row with its storage
    rowsByInk(
        doc_, v, inks, [&](std::size_t i) { return i < placed.size() && !placed[i].text.isEmpty(); },
        [&](std::size_t group, int c, int r, std::size_t i) {
            if (group >= row.size())
                row.resize(group + 1);
            const QPointF corner = g_.cellRectF(c, r).topLeft();
            row[group].text += placed[i].text;
            for (const QPointF& offset : offsets[i])
                row[group].origins.push_back(corner + offset);
        },
        [&](std::size_t group, QRgb ink) {
            runs.drawTextRun(font, ink, row[group].text, row[group].origins.data());
            row[group].text.resize(0);
            row[group].origins.clear();
        });
}

bool ChartPainter::glyphRunSymbols(QPainter& p, QRect v, const QFont& font, const std::vector<QRgb>& inks) const
{
    // A PDF gets each row's symbols of one ink as one run of positioned glyphs: one text
    // object instead of one per cell, the symbols still text in the embedded font with its
    // Unicode map, where drawSymbolText would put them.
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return false;
    const std::vector<PlacedSymbol> placed = placedSymbols(doc_, QFontMetricsF(font, p.device()), g_.cellSize);
    struct Shape {
        QList<quint32> glyphs;
        QList<QPointF> offsets;  // from the cell's top-left corner to each glyph's origin
    };
    std::vector<Shape> shapes(placed.size());
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        if (placed[i].text.isEmpty())
            continue;
        QList<quint32> glyphs = raw.glyphIndexesForString(placed[i].text);
        // A character the font lacks would be drawn from another one: not a plain run.
        if (glyphs.isEmpty() || glyphs.contains(0u))
            return false;
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        QPointF at = placed[i].baseline;
        Shape& shape = shapes[i];
        for (qsizetype k = 0; k < glyphs.size(); ++k) {
            shape.offsets.push_back(at);
            at += advances[k];
        }
        shape.glyphs = std::move(glyphs);
    }
    p.save();
    std::vector<std::pair<QList<quint32>, QList<QPointF>>> row;  // glyphs and places by group
    rowsByInk(
        doc_, v, inks, [&](std::size_t i) { return i < shapes.size() && !shapes[i].glyphs.isEmpty(); },
        [&](std::size_t group, int c, int r, std::size_t i) {
            if (group >= row.size())
                row.resize(group + 1);
            const Shape& shape = shapes[i];
            const QPointF corner = g_.cellRectF(c, r).topLeft();
            for (qsizetype k = 0; k < shape.glyphs.size(); ++k) {
                row[group].first.push_back(shape.glyphs[k]);
                row[group].second.push_back(corner + shape.offsets[k]);
            }
        },
        [&](std::size_t group, QRgb ink) {
            QGlyphRun run;
            run.setRawFont(raw);
            run.setGlyphIndexes(row[group].first);
            run.setPositions(row[group].second);
            p.setPen(QColor::fromRgb(ink));
            p.drawGlyphRun(QPointF(0, 0), run);
            row[group].first.clear();
            row[group].second.clear();
        });
    p.restore();
    return true;
}

ChartPainter::FillTable ChartPainter::fillTable(bool colour) const
{
    // Each thread's fill, plain and shaded (a quarter darker), worked out once a call.
    FillTable t;
    if (!colour)
        return t;
    const std::size_t n = static_cast<std::size_t>(std::max(0, doc_.threads.size()));
    t.plain.resize(n);
    t.shaded.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QColor fill = qColour(doc_.threads.colors[i]);
        t.plain[i] = fill.rgb();
        t.shaded[i] = qRgb(fill.red() * 3 / 4, fill.green() * 3 / 4, fill.blue() * 3 / 4);
    }
    return t;
}

std::optional<QRgb> ChartPainter::cellFill(int c, int r, const FillTable& fills, const CellShade& shade) const
{
    const std::int32_t index = doc_.cell(c, r);
    const bool shaded = shade.columns.contains(c, r) || shade.rows.contains(c, r);
    if (index >= 0 && static_cast<std::size_t>(index) < fills.plain.size())
        return shaded ? fills.shaded[static_cast<std::size_t>(index)] : fills.plain[static_cast<std::size_t>(index)];
    if (shaded)
        return qRgb(222, 222, 222);
    return std::nullopt;
}

void ChartPainter::fillCells(QPainter& p, QRect v, bool colour, const CellShade& shade) const
{
    const FillTable table = fillTable(colour);
    if (auto raster = RasterCells::of(p, g_)) {
        for (int r = v.top(); r <= v.bottom(); ++r)
            for (int c = v.left(); c <= v.right(); ++c)
                if (const auto fill = cellFill(c, r, table, shade))
                    raster->fillCell(c, r, *fill);
        return;
    }
    // Elsewhere (PDF, SVG, a printer) each row's runs of one fill are one rectangle, and the
    // rectangles of one fill one operation: a few thousand operators a page instead of a
    // colour and a rectangle for every cell.
    std::vector<std::pair<QRgb, QList<QRectF>>> fills;
    std::unordered_map<QRgb, std::size_t> fillOf;
    const float s = g_.cellSize;
    for (int r = v.top(); r <= v.bottom(); ++r) {
        // Runs of cells with the same fill (or none), each cell's fill worked out once.
        std::optional<QRgb> fill = cellFill(v.left(), r, table, shade);
        for (int c = v.left(); c <= v.right();) {
            int end = c + 1;
            std::optional<QRgb> next;
            while (end <= v.right() && (next = cellFill(end, r, table, shade)) == fill)
                ++end;
            if (fill) {
                const auto [at, added] = fillOf.emplace(*fill, fills.size());
                if (added)
                    fills.emplace_back(*fill, QList<QRectF>());
                const QRectF first = g_.cellRectF(c, r);
                fills[at->second].second.push_back(QRectF(first.topLeft(), QSizeF((end - c) * s, s)));
            }
            fill = next;
            c = end;
        }
    }
    p.save();
    p.setPen(Qt::NoPen);
    for (const auto& [fill, rects] : fills) {
        p.setBrush(QColor::fromRgb(fill));
        p.drawRects(rects);
    }
    p.restore();
}

void ChartPainter::smallStitches(QPainter& p, const QImage& cellImage, QRect visible) const
{
    // At two pixels a cell the stitches are the colour blocks with one white pixel at every
    // cell's top-left corner: the visible part of the cell image is doubled into a picture
    // with those pixels in it and drawn in one go.
    const QRect v = visible.intersected(cellImage.rect());
    if (v.isEmpty())
        return;
    const QImage cells = cellImage.copy(v).convertToFormat(QImage::Format_RGB32);
    const QSize pictureSize = v.size() * 2;
    QImage& picture = cache_.stitchPicture;
    if (picture.size() != pictureSize)
        picture = QImage(pictureSize, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255);
    for (int r = 0; r < cells.height(); ++r) {
        const QRgb* in = reinterpret_cast<const QRgb*>(cells.constScanLine(r));
        QRgb* top = reinterpret_cast<QRgb*>(picture.scanLine(2 * r));
        QRgb* bottom = reinterpret_cast<QRgb*>(picture.scanLine(2 * r + 1));
        for (int c = 0; c < cells.width(); ++c) {
            top[2 * c] = white;
            top[2 * c + 1] = bottom[2 * c] = bottom[2 * c + 1] = in[c];
        }
    }
    p.drawImage(QPoint(g_.origin.x() + v.left() * 2, g_.origin.y() + v.top() * 2), picture);
}

void ChartPainter::stitches(QPainter& p, QRect v, const std::vector<QImage>& tiles) const
{
    if (tiles.empty() || v.isEmpty())
        return;
    const int size = static_cast<int>(g_.cellSize);
    const std::size_t emptyTile = tiles.size() - 1;
    const int half = size / 2;
    const QRgb white = qRgb(255, 255, 255);
    const QPoint o = g_.origin;

    // The visible cells' tiles are laid side by side into one picture that is drawn in one
    // go; a drawImage per cell costs far more than copying its pixels. Each cell gets the
    // white pixels at the middle of its top and left edges in the picture. Those at the
    // middle of its right and bottom edges are the next cells' left and top ones, drawn over
    // the tile; only the last column's and the last row's lie outside and are drawn after.
    const QSize pictureSize(v.width() * size, v.height() * size);
    QImage& picture = cache_.stitchPicture;
    if (picture.size() != pictureSize)
        picture = QImage(pictureSize, QImage::Format_RGB32);
    std::vector<const QImage*> row(static_cast<std::size_t>(v.width()));
    for (int r = v.top(); r <= v.bottom(); ++r) {
        for (int c = v.left(); c <= v.right(); ++c) {
            const std::int32_t index = doc_.cell(c, r);
            const std::size_t tile = doc_.isThread(index) && static_cast<std::size_t>(index) < emptyTile
                                         ? static_cast<std::size_t>(index)
                                         : emptyTile;
            row[static_cast<std::size_t>(c - v.left())] = &tiles[tile];
        }
        const int top = (r - v.top()) * size;
        for (int ty = 0; ty < size; ++ty) {
            QRgb* out = reinterpret_cast<QRgb*>(picture.scanLine(top + ty));
            for (const QImage* tile : row)
                out = std::copy_n(reinterpret_cast<const QRgb*>(tile->constScanLine(ty)), size, out);
        }
        QRgb* topEdge = reinterpret_cast<QRgb*>(picture.scanLine(top));
        QRgb* middle = reinterpret_cast<QRgb*>(picture.scanLine(top + half));
        for (int i = 0; i < v.width(); ++i) {
            topEdge[i * size + half] = white;
            middle[i * size] = white;
        }
    }
    p.drawImage(QPoint(o.x() + v.left() * size, o.y() + v.top() * size), picture);

    p.setPen(Qt::white);
    const int right = o.x() + (v.right() + 1) * size, bottom = o.y() + (v.bottom() + 1) * size;
    for (int r = v.top(); r <= v.bottom(); ++r)
        p.drawPoint(right, o.y() + r * size + half);
    for (int c = v.left(); c <= v.right(); ++c)
        p.drawPoint(o.x() + c * size + half, bottom);
}

void ChartPainter::stitchMarks(QPainter& p, QRect v) const
{
    if (doc_.marks.empty())
        return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const StitchMark& m : doc_.marks) {
        if (!v.contains(m.column, m.row) || !doc_.grid.contains(m.column, m.row))
            continue;
        const std::int32_t index = doc_.cell(m.column, m.row);
        ColorRef colour = doc_.isThread(index) ? doc_.threads.colors[static_cast<std::size_t>(index)] : kWhite;
        // Without cell colours on the paper the marks are inked as for white fabric.
        if (style_ == ChartStyle::PrintBlackWhite || style_ == ChartStyle::ColouredSymbols)
            colour = kWhite;
        const QImage glyph = stitchMarkGlyph(m.kind, colour);
        if (!glyph.isNull())
            p.drawImage(g_.cellRectF(m.column, m.row), glyph);
    }
    p.restore();
}

void ChartPainter::lines(QPainter& p, int highlighted) const
{
    if (doc_.lines.empty())
        return;
    // Printed outlines are black and a third of the cell wide, on screen a quarter.
    const int width = printing(style_) ? std::max(1, static_cast<int>(g_.cellSize / 3)) : static_cast<int>(g_.cellSize * 0.25f);
    for (std::size_t i = 0; i < doc_.lines.size(); ++i) {
        const BackstitchLine& line = doc_.lines[i];
        QColor colour = static_cast<int>(i) == highlighted ? QColor(255, 0, 0) : qColour(line.color);
        if (printing(style_))
            colour = Qt::black;
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(g_.cornerPoint(line.startColumn, line.startRow, line.startCorner),
                   g_.cornerPoint(line.endColumn, line.endRow, line.endCorner));
    }
}

}  // namespace brenmark
