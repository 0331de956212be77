#include "tiffwriter/tiff_chart.h"

#include "editor/render/chart_painter.h"
#include "editor/render/raster_cells.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"
#include "tiffwriter/colour_to_cmyk.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>

namespace brenmark {
namespace {

// A glyph as runs of its pixels at least half inked, so stamping it costs a few spans a row.
using Stamp = std::vector<InkRun>;

Stamp stampOf(const QImage& image)
{
    return inkRuns(image, 128);
}

void stampRuns(TiffCanvas& canvas, int x, int y, const Stamp& runs, CmykValue ink)
{
    for (const InkRun& r : runs)
        canvas.fillSpan(x + r.x0, x + r.x1, y + r.row, ink);
}

// A stamp of a cell (pitch × pitch pixels, so it never reaches past its cell) with where each
// of its rows' runs begin, for drawing the cells a canvas row at a time.
struct CellStamp {
    Stamp runs;
    std::vector<int> rowStart;  // runs of row i: [rowStart[i], rowStart[i + 1])
    int minX = 0, maxX = 0;     // the columns [minX, maxX) of the cell it inks
};

CellStamp cellStamp(Stamp runs, int pitch)
{
    CellStamp stamp;
    stamp.runs = std::move(runs);
    stamp.rowStart.assign(static_cast<std::size_t>(pitch) + 1, 0);
    stamp.minX = pitch;
    for (const InkRun& r : stamp.runs) {
        ++stamp.rowStart[static_cast<std::size_t>(r.row) + 1];
        stamp.minX = std::min(stamp.minX, r.x0);
        stamp.maxX = std::max(stamp.maxX, r.x1);
    }
    if (stamp.runs.empty())
        stamp.minX = 0;
    for (std::size_t i = 1; i < stamp.rowStart.size(); ++i)
        stamp.rowStart[i] += stamp.rowStart[i - 1];
    return stamp;
}

// The stamp's row yy across the cell at x of a canvas row, within the page's width w.
void paintStampRow(std::uint8_t* line, int w, int x, int yy, const CellStamp& stamp, CmykValue ink)
{
    const InkRun* run = stamp.runs.data() + stamp.rowStart[static_cast<std::size_t>(yy)];
    const InkRun* const end = stamp.runs.data() + stamp.rowStart[static_cast<std::size_t>(yy) + 1];
    if (x + stamp.minX < 0 || x + stamp.maxX > w) {
        for (; run != end; ++run) {
            const int x0 = std::max(0, x + run->x0), x1 = std::min(w, x + run->x1);
            if (x0 < x1)
                TiffCanvas::paint(line, x0, x1, ink);
        }
        return;
    }
    // Within the page, as a cell always is: black (the usual ink) sets K alone.
    if (ink.isBlack()) {
        for (; run != end; ++run) {
            std::uint8_t* p = line + static_cast<std::size_t>(x + run->x0) * 4 + 3;
            for (int n = run->x1 - run->x0; n > 0; --n, p += 4)
                *p = 255;
        }
        return;
    }
    for (; run != end; ++run)
        TiffCanvas::put(line, x + run->x0, x + run->x1, ink);
}

// A cell's mark and symbol over what the cell holds under them, as a row new to the chart gets
// them: the pixels [minX, maxX) × [minY, maxY) of the cell the stamps reach, row after row.
struct StampTile {
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    std::vector<std::uint32_t> pixels;
};

StampTile stampTile(CmykValue under, const CellStamp* mark, const CellStamp* symbol, CmykValue ink)
{
    StampTile tile;
    bool any = false;
    for (const CellStamp* stamp : {mark, symbol})
        if (stamp)
            for (const InkRun& r : stamp->runs) {
                tile.minX = any ? std::min(tile.minX, r.x0) : r.x0;
                tile.maxX = any ? std::max(tile.maxX, r.x1) : r.x1;
                tile.minY = any ? std::min(tile.minY, r.row) : r.row;
                tile.maxY = any ? std::max(tile.maxY, r.row + 1) : r.row + 1;
                any = true;
            }
    const int w = tile.maxX - tile.minX;
    const std::uint8_t bytes[4] = {under.c, under.m, under.y, under.k};
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);
    tile.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(tile.maxY - tile.minY), value);
    for (const CellStamp* stamp : {mark, symbol})
        if (stamp)
            for (const InkRun& r : stamp->runs) {
                std::uint32_t* row = tile.pixels.data() + static_cast<std::size_t>(r.row - tile.minY) * w;
                auto* line = reinterpret_cast<std::uint8_t*>(row);
                TiffCanvas::paint(line, r.x0 - tile.minX, r.x1 - tile.minX, ink);
            }
    return tile;
}

QImage clearImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A symbol centred in a cell of the pitch, as the printed chart places it.
Stamp symbolStamp(const std::string& symbol, int pitch, const QFont& font)
{
    QImage image = clearImage(QSize(pitch, pitch));
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        drawSymbolText(p, QRectF(0, 0, pitch, pitch), symbol);
    }
    return stampOf(image);
}

Stamp markStamp(int kind, ColorRef cell, int pitch)
{
    const QImage glyph = stitchMarkGlyph(kind, cell);
    if (glyph.isNull())
        return {};
    return stampOf(glyph.scaled(pitch, pitch, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The black added to a repeated cell.
constexpr std::uint8_t kRepeatedShade = 36;

// A line [first, first + width) across or down, for a boundary at b.
int lineStart(int b, int width) { return b - width / 2; }

CmykValue redInk(const ChartInk& ink)
{
    return ink.converter ? ink.converter->value(rgb(255, 0, 0)) : CmykValue{0, 255, 255, 0};
}

// The room an outline line from a to b of a width can ink: its bounding box with a pixel more
// than the width all round.
QRect outlineBox(const QPointF& a, const QPointF& b, int width)
{
    const int pad = width + 1;
    return QRectF(a, b).normalized().toAlignedRect().adjusted(-pad, -pad, pad, pad);
}

void drawOutline(TiffCanvas& canvas, const QPointF& a, const QPointF& b, int width, const QRect& room, const QRect& clip)
{
    QRect box = room & clip;
    box &= QRect(0, canvas.clipTop(), canvas.width(), canvas.clipBottom() - canvas.clipTop());
    if (box.isEmpty())
        return;
    constexpr int kChunkRows = 512;  // a long diagonal is drawn in slices of rows
    for (int top = box.top(); top <= box.bottom(); top += kChunkRows) {
        const int rows = std::min(kChunkRows, box.bottom() + 1 - top);
        QImage slice = clearImage(QSize(box.width(), rows));
        {
            QPainter p(&slice);
            p.translate(-box.left(), -top);
            p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
        }
        stampImage(canvas, box.left(), top, slice, kBlackInk);
    }
}

void frame(TiffCanvas& canvas, const QRect& r, int width, CmykValue ink)
{
    canvas.fillRect(r.left(), r.top(), r.width(), width, ink);
    canvas.fillRect(r.left(), r.top() + r.height() - width, r.width(), width, ink);
    canvas.fillRect(r.left(), r.top() + width, width, r.height() - 2 * width, ink);
    canvas.fillRect(r.left() + r.width() - width, r.top() + width, width, r.height() - 2 * width, ink);
}

}  // namespace

QFont pageFont(int pixelHeight, bool bold)
{
    QFont font = songTi(std::max(1, pixelHeight));
    font.setBold(bold);
    return font;
}

int titleTextHeight(int pixelHeight)
{
    return QFontMetrics(pageFont(pixelHeight, true)).boundingRect(uiQString("十字绣绣图")).height();
}

void stampImage(TiffCanvas& canvas, int x, int y, const QImage& image, CmykValue ink)
{
    stampRuns(canvas, x, y, stampOf(image), ink);
}

void drawCanvasText(TiffCanvas& canvas, const QRect& box, int flags, const QString& text, const QFont& font, CmykValue ink)
{
    const QRect visible = box & QRect(0, canvas.clipTop(), canvas.width(), canvas.clipBottom() - canvas.clipTop());
    if (visible.isEmpty() || text.isEmpty())
        return;
    QImage image = clearImage(visible.size());
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(box.topLeft() - visible.topLeft(), box.size()), flags, text);
    }
    stampImage(canvas, visible.left(), visible.top(), image, ink);
}

std::vector<int> spacedRulerNumbers(int count, int pitch, int room)
{
    return spacedRulerNumbers(count, pitch, [room](int, int) { return room; });
}

struct ChartDrawing::Stamps {
    std::unordered_map<std::int64_t, int> marks;  // cell index -> mark kind
    std::map<std::pair<int, bool>, CellStamp> markStamps;
    std::unordered_map<std::string, CellStamp> symbols;
    // Per thread: its symbol's stamp (null without one) and whether the symbol prints white.
    struct ThreadLook {
        bool known = false;
        bool dark = false;
        const CellStamp* symbol = nullptr;
        // Its symbol's tile on a cell without a mark, plain and repeated, once looked up.
        const StampTile* tile[2] = {nullptr, nullptr};
        std::uint32_t tilePaper[2] = {0, 0};  // the background it was looked up over
    };
    std::vector<ThreadLook> threads;
    QFont symbolFont;
    QFont rulerFont;
    int rulerHeight = 0;
    CmykValue red;

    // The grid. Row lines, four pixels wide and every tenth eight, black: per canvas row of
    // [rowTop, rowBottom) the line drawn last over it (0 none, 1 thin, 2 tenth) and whether a
    // tenth line crosses it; they run from spanLeft to spanRight.
    int rowTop = 0, rowBottom = 0, spanLeft = 0, spanRight = 0;
    std::vector<std::uint8_t> rowLine;
    std::vector<std::uint8_t> heavyRow;
    // The column lines' spans of a canvas row: thin lines, then the tenth lines over them; on
    // a tenth row line only the tenth column lines (a thin column line leaves it black).
    std::vector<TiffCanvas::Span> everyColumn, tenthColumns;
    // How many pixels of [spanLeft, spanLeft + i) a column line covers (on a canvas row
    // without a row line).
    std::vector<int> columnPixels;

    // The stamp tiles, by the fill (over the background), the mark, the symbol and their ink.
    std::map<std::tuple<std::uint32_t, const CellStamp*, const CellStamp*, std::uint32_t>, StampTile> tiles;

    // The row of cells at hand: runs of cells of one fill, runs of cells left empty and the
    // cells with a mark or a symbol.
    struct Marked {
        int x;
        const CellStamp* mark;
        CmykValue markInk;
        const CellStamp* symbol;
        CmykValue symbolInk;
        const StampTile* tile;
    };
    int cellRow = -1;
    std::vector<TiffCanvas::Span> fills, blanks;
    std::vector<Marked> marked;
    // The canvas row of the row of cells as a row not drawn on before gets it, away from the
    // row lines and before the stamps: pixels [baseX0, baseX1) of the page, the background,
    // the cells' fills and, when no stamp of the row reaches a column line (so the order of
    // the two does not matter), the column lines.
    std::vector<std::uint8_t> base;
    int baseX0 = 0, baseX1 = 0;
    bool columnsInBase = false;

    // The outline lines (ends and the room they can ink) and the ruler numbers and centre
    // marks, worked out once for every band.
    struct Outline {
        QPointF a, b;
        QRect room;
    };
    std::vector<Outline> outlines;
    int outlinePen = 1;
    struct Label {
        QRect box;
        int flags;
        QString text;
        CmykValue ink;
    };
    std::vector<Label> labels;
};

ChartDrawing::ChartDrawing(const PatternDocument& doc, const ChartPlacement& place, const ChartInk& ink)
    : doc_(doc), place_(place), ink_(ink), stamps_(std::make_unique<Stamps>())
{
    const CellRange& cells = place_.cells;
    for (const StitchMark& m : doc.marks) {
        if (m.column < cells.firstColumn || m.column >= cells.endColumn || m.row < cells.firstRow || m.row >= cells.endRow)
            continue;
        if (!doc.grid.contains(m.column, m.row))
            continue;
        stamps_->marks[static_cast<std::int64_t>(m.row) * doc.width() + m.column] = m.kind;
        const std::int32_t index = doc.cell(m.column, m.row);
        const bool dark = doc.isThread(index) && isDarkColour(doc.threads.colors[static_cast<std::size_t>(index)]);
        if (!stamps_->markStamps.count({m.kind, dark}))
            stamps_->markStamps[{m.kind, dark}] =
                cellStamp(markStamp(m.kind, dark ? rgb(0, 0, 0) : kWhite, place_.pitch), place_.pitch);
    }
    stamps_->threads.resize(ink_.threads.size());
    stamps_->symbolFont = symbolFont(doc.clearSymbols, std::max(1, place_.font));
    stamps_->symbolFont.setBold(place_.boldSymbols);
    stamps_->rulerFont = pageFont(place_.rulerFont);
    stamps_->rulerHeight = QFontMetrics(stamps_->rulerFont).height();
    stamps_->red = redInk(ink_);

    Stamps& s = *stamps_;
    const int d = place_.pitch;
    const int left = place_.originX, top = place_.originY;
    const int right = left + place_.chartWidth(), bottom = top + place_.chartHeight();
    const int thin = scaled(1), heavy = scaled(2);
    auto widthOf = [&](int index) { return index % 10 == 0 ? heavy : thin; };
    auto inkOf = [&](int index) { return index % 10 == 0 ? kBlackInk : ink_.grid; };
    s.spanLeft = lineStart(left, heavy);
    s.spanRight = lineStart(right, heavy) + heavy;
    s.rowTop = lineStart(top, heavy);
    s.rowBottom = lineStart(bottom, heavy) + heavy;
    const std::size_t lineRows = static_cast<std::size_t>(std::max(0, s.rowBottom - s.rowTop));
    s.rowLine.assign(lineRows, 0);
    s.heavyRow.assign(lineRows, 0);
    for (int r = cells.firstRow; r <= cells.endRow; ++r) {
        const int w = widthOf(r);
        const int y0 = lineStart(top + (r - cells.firstRow) * d, w);
        for (int y = std::max(y0, s.rowTop); y < std::min(y0 + w, s.rowBottom); ++y) {
            const std::size_t i = static_cast<std::size_t>(y - s.rowTop);
            s.rowLine[i] = r % 10 == 0 ? 2 : 1;
            if (r % 10 == 0)
                s.heavyRow[i] = 1;
        }
    }
    for (int pass = 0; pass < 2; ++pass)
        for (int c = cells.firstColumn; c <= cells.endColumn; ++c) {
            const bool tenth = c % 10 == 0;
            if (tenth != (pass == 1))
                continue;
            const int w = widthOf(c);
            const int x0 = lineStart(left + (c - cells.firstColumn) * d, w);
            s.everyColumn.push_back({x0, x0 + w, inkOf(c)});
            if (tenth)
                s.tenthColumns.push_back({x0, x0 + w, inkOf(c)});
        }
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(std::max(0, s.spanRight - s.spanLeft)), 0);
    for (const TiffCanvas::Span& span : s.everyColumn)
        for (int x = std::max(span.x0, s.spanLeft); x < std::min(span.x1, s.spanRight); ++x)
            covered[static_cast<std::size_t>(x - s.spanLeft)] = 1;
    s.columnPixels.assign(covered.size() + 1, 0);
    for (std::size_t i = 0; i < covered.size(); ++i)
        s.columnPixels[i + 1] = s.columnPixels[i] + covered[i];

    // Outline lines, a third of the pitch wide.
    ChartGeometry g;
    g.cellSize = static_cast<float>(d);
    g.origin = QPoint(left - cells.firstColumn * d, top - cells.firstRow * d);
    s.outlinePen = std::max(1, d / 3);
    for (const BackstitchLine& line : doc.lines) {
        const QPointF a = g.cornerPoint(line.startColumn, line.startRow, line.startCorner);
        const QPointF b = g.cornerPoint(line.endColumn, line.endRow, line.endCorner);
        s.outlines.push_back({a, b, outlineBox(a, b, s.outlinePen)});
    }

    // Rulers and centre marks in the margins.
    const QFontMetrics fm(s.rulerFont);
    const int fh = fm.height(), gap = scaled(3);
    for (int n : spacedRulerNumbers(doc.height(), d, fm.ascent() + 1)) {
        const int r = n - 1;
        if (r < cells.firstRow || r >= cells.endRow)
            continue;
        const QString label = QString::number(n);
        const int tw = fm.horizontalAdvance(label) + 2;
        const int cy = top + (r - cells.firstRow) * d + d / 2;
        s.labels.push_back({QRect(left - gap - tw, cy - fh / 2, tw, fh), Qt::AlignRight | Qt::AlignVCenter, label, kBlackInk});
        s.labels.push_back({QRect(right + gap, cy - fh / 2, tw, fh), Qt::AlignLeft | Qt::AlignVCenter, label, kBlackInk});
    }
    const int columnRoom = fm.horizontalAdvance(QString::number(doc.width())) + fm.horizontalAdvance(u"0"_qs);
    for (int n : spacedRulerNumbers(doc.width(), d, columnRoom)) {
        const int c = n - 1;
        if (c < cells.firstColumn || c >= cells.endColumn)
            continue;
        const QString label = QString::number(n);
        const int tw = fm.horizontalAdvance(label) + 2;
        const int cx = left + (c - cells.firstColumn) * d + d / 2;
        s.labels.push_back({QRect(cx - tw / 2, top - gap - fh, tw, fh), Qt::AlignCenter, label, kBlackInk});
        s.labels.push_back({QRect(cx - tw / 2, bottom + gap, tw, fh), Qt::AlignCenter, label, kBlackInk});
    }
    const CmykValue red = s.red;
    const int cy = top + static_cast<int>((ChartLayout::centreOffset(doc.height()) - cells.firstRow) * d);
    if (cy >= top && cy <= bottom) {
        const QString diamond = fromGbk("◆");
        const int tw = fm.horizontalAdvance(diamond) + 2;
        s.labels.push_back({QRect(left - place_.margin / 2 - tw / 2, cy - fh / 2, tw, fh), Qt::AlignCenter, diamond, red});
        s.labels.push_back({QRect(right + place_.margin / 2 - tw / 2, cy - fh / 2, tw, fh), Qt::AlignCenter, diamond, red});
    }
    const int cx = left + static_cast<int>((ChartLayout::centreOffset(doc.width()) - cells.firstColumn) * d);
    if (cx >= left && cx <= right) {
        const QString down = fromGbk("▼"), up = fromGbk("▲");
        const int tw = fm.horizontalAdvance(down) + 2;
        s.labels.push_back({QRect(cx - tw / 2, top - gap - 2 * fh, tw, fh), Qt::AlignCenter, down, red});
        s.labels.push_back({QRect(cx - tw / 2, bottom + gap + fh, tw, fh), Qt::AlignCenter, up, red});
    }
}

ChartDrawing::~ChartDrawing() = default;

int ChartDrawing::top() const
{
    return place_.originY - scaled(3) - 2 * stamps_->rulerHeight - scaled(2);
}

int ChartDrawing::bottom() const
{
    return place_.originY + place_.chartHeight() + scaled(3) + 2 * stamps_->rulerHeight + scaled(2);
}

void ChartDrawing::layOutCellRow(int r, CmykValue paper, int pageWidth)
{
    const PatternDocument& doc = doc_;
    const ChartPlacement& place = place_;
    const CellRange& cells = place.cells;
    const int d = place.pitch;
    Stamps& s = *stamps_;
    s.cellRow = r;
    s.fills.clear();
    s.blanks.clear();
    s.marked.clear();
    const auto add = [](std::vector<TiffCanvas::Span>& spans, int x, int end, CmykValue ink) {
        if (!spans.empty() && spans.back().x1 == x && spans.back().ink == ink)
            spans.back().x1 = end;
        else
            spans.push_back({x, end, ink});
    };
    for (int c = cells.firstColumn; c < cells.endColumn; ++c) {
        const int x = place.originX + (c - cells.firstColumn) * d;
        const std::int32_t index = doc.cell(c, r);
        const bool thread = doc.isThread(index) && static_cast<std::size_t>(index) < ink_.threads.size();
        // A cell repeated from the page before is shaded: its colour with more black.
        const bool repeated = place.repeatedColumns.contains(c, r) || place.repeatedRows.contains(c, r);
        if (thread) {
            CmykValue colour = ink_.threads[static_cast<std::size_t>(index)];
            if (repeated)
                colour.k = static_cast<std::uint8_t>(std::min(255, colour.k + kRepeatedShade));
            add(s.fills, x, x + d, colour);
        } else if (repeated) {
            add(s.fills, x, x + d, CmykValue{0, 0, 0, kRepeatedShade});
        } else {
            add(s.blanks, x, x + d, CmykValue{});
        }
        Stamps::ThreadLook* look = nullptr;
        if (thread) {
            look = &s.threads[static_cast<std::size_t>(index)];
            if (!look->known) {
                look->known = true;
                look->dark = isDarkColour(doc.threads.colors[static_cast<std::size_t>(index)]);
                const std::string& symbol = ChartPainter::cellSymbol(doc, index);
                if (!symbol.empty()) {
                    auto stamp = s.symbols.find(symbol);
                    if (stamp == s.symbols.end())
                        stamp = s.symbols.emplace(symbol, cellStamp(symbolStamp(symbol, d, s.symbolFont), d)).first;
                    look->symbol = &stamp->second;
                }
            }
        }
        const bool dark = look && look->dark;
        const CellStamp* mark = nullptr;
        if (!s.marks.empty()) {
            const auto found = s.marks.find(static_cast<std::int64_t>(r) * doc.width() + c);
            if (found != s.marks.end()) {
                const auto stamp = s.markStamps.find({found->second, dark});
                if (stamp != s.markStamps.end() && !stamp->second.runs.empty())
                    mark = &stamp->second;
            }
        }
        const CellStamp* symbol = look ? look->symbol : nullptr;
        if (mark || symbol) {
            const CmykValue stampInk = dark ? kPaperWhite : kBlackInk;
            // What the cell holds under its stamps on a row new to the chart.
            CmykValue under = paper;
            if (thread) {
                under = s.fills.back().ink;
                if (under.isBlack())
                    under = CmykValue{paper.c, paper.m, paper.y, 255};
            } else if (repeated) {
                under = s.fills.back().ink;
            }
            const StampTile** known = look && !mark ? &look->tile[repeated ? 1 : 0] : nullptr;
            std::uint32_t* knownPaper = known ? &look->tilePaper[repeated ? 1 : 0] : nullptr;
            if (!known || !*known || *knownPaper != paper.packed()) {
                const auto key = std::make_tuple(under.packed(), mark, symbol, stampInk.packed());
                auto tile = s.tiles.find(key);
                if (tile == s.tiles.end())
                    tile = s.tiles.emplace(key, stampTile(under, mark, symbol, stampInk)).first;
                if (known) {
                    *known = &tile->second;
                    *knownPaper = paper.packed();
                }
                s.marked.push_back({x, mark, stampInk, symbol, stampInk, &tile->second});
            } else {
                s.marked.push_back({x, mark, stampInk, symbol, stampInk, *known});
            }
        }
    }

    // The base row: the background, the fills (black on the background) and the column lines
    // when no stamp reaches one.
    const auto columnPixelsIn = [&s](int x0, int x1) {
        x0 = std::clamp(x0, s.spanLeft, s.spanRight);
        x1 = std::clamp(x1, x0, s.spanRight);
        const auto at = [&s](int x) { return s.columnPixels[static_cast<std::size_t>(x - s.spanLeft)]; };
        return at(x1) - at(x0);
    };
    s.columnsInBase = true;
    for (const Stamps::Marked& m : s.marked)
        for (const CellStamp* stamp : {m.mark, m.symbol})
            if (stamp && stamp->minX < stamp->maxX && columnPixelsIn(m.x + stamp->minX, m.x + stamp->maxX) > 0)
                s.columnsInBase = false;
    const int left = place.originX, right = left + place.chartWidth();
    s.baseX0 = std::clamp(std::min(left, s.spanLeft), 0, pageWidth);
    s.baseX1 = std::clamp(std::max(right, s.spanRight), s.baseX0, pageWidth);
    s.base.resize(static_cast<std::size_t>(s.baseX1 - s.baseX0) * 4);
    // Spans in page pixels onto the base row, which starts at baseX0.
    const auto paintBase = [&s](const TiffCanvas::Span& span) {
        const int x0 = std::max(span.x0, s.baseX0), x1 = std::min(span.x1, s.baseX1);
        if (x0 < x1)
            TiffCanvas::paint(s.base.data(), x0 - s.baseX0, x1 - s.baseX0, span.ink);
    };
    TiffCanvas::put(s.base.data(), 0, s.baseX1 - s.baseX0, paper);
    for (const TiffCanvas::Span& f : s.fills)
        paintBase(f);
    if (s.columnsInBase)
        for (const TiffCanvas::Span& c : s.everyColumn)
            paintBase(c);
}

void ChartDrawing::draw(TiffCanvas& canvas)
{
    const ChartPlacement& place = place_;
    const ChartInk& ink = ink_;
    const CellRange& cells = place.cells;
    const int d = place.pitch;
    const int left = place.originX, top = place.originY;
    const int right = left + place.chartWidth(), bottom = top + place.chartHeight();
    const int clipTop = canvas.clipTop(), clipBottom = canvas.clipBottom();
    if (clipBottom <= this->top() || clipTop >= this->bottom())
        return;

    // Cells, each with its mark laid over it (so the colour cannot cover the mark) and its
    // symbol, then the row lines and the column lines, a canvas row at a time. A stamp stays
    // within its cell and every part is drawn in that order within a row, so each pixel ends
    // as if every cell, then every row line, then every column line had been drawn in turn.
    Stamps& s = *stamps_;
    const int w = canvas.width();
    const auto clipped = [w](int& x0, int& x1) {
        x0 = std::max(x0, 0);
        x1 = std::min(x1, w);
        return x0 < x1;
    };
    const CmykValue paper = canvas.background();
    const int yBegin = std::max(clipTop, std::min(top, s.rowTop)), yEnd = std::min(clipBottom, std::max(bottom, s.rowBottom));
    s.cellRow = -1;
    for (int y = yBegin; y < yEnd; ++y) {
        const bool inCells = y >= top && y < bottom;
        bool fresh = false;
        std::uint8_t* line = canvas.rowToCover(y, inCells ? left : 0, inCells ? right : 0, fresh);
        if (!line)
            continue;
        if (inCells) {
            const int r = cells.firstRow + (y - top) / d;
            if (r != s.cellRow)
                layOutCellRow(r, paper, w);
            const int yy = y - (top + (r - cells.firstRow) * d);
            const bool underRowLine = y >= s.rowTop && y < s.rowBottom && s.rowLine[static_cast<std::size_t>(y - s.rowTop)] != 0;
            if (fresh && !underRowLine) {
                // Most rows: the base row, the stamps' tiles and, unless in the base, the column
                // lines.
                std::memcpy(line + static_cast<std::size_t>(s.baseX0) * 4, s.base.data(), s.base.size());
                for (const Stamps::Marked& m : s.marked) {
                    const StampTile& t = *m.tile;
                    if (yy < t.minY || yy >= t.maxY)
                        continue;
                    if (m.x + t.minX >= 0 && m.x + t.maxX <= w) {
                        const std::size_t n = static_cast<std::size_t>(t.maxX - t.minX);
                        const std::uint32_t* from = t.pixels.data() + static_cast<std::size_t>(yy - t.minY) * n;
                        std::memcpy(line + static_cast<std::size_t>(m.x + t.minX) * 4, from, n * 4);
                        continue;
                    }
                    if (m.mark)
                        paintStampRow(line, w, m.x, yy, *m.mark, m.markInk);
                    if (m.symbol)
                        paintStampRow(line, w, m.x, yy, *m.symbol, m.symbolInk);
                }
                if (!s.columnsInBase && y >= s.rowTop && y < s.rowBottom)
                    for (const TiffCanvas::Span& c : s.everyColumn) {
                        int x0 = c.x0, x1 = c.x1;
                        if (clipped(x0, x1))
                            TiffCanvas::paint(line, x0, x1, c.ink);
                    }
                continue;
            }
            // A row not drawn on yet has nothing under the cells: black goes on the background
            // and the empty cells get it.
            for (const TiffCanvas::Span& f : s.fills) {
                int x0 = f.x0, x1 = f.x1;
                if (!clipped(x0, x1))
                    continue;
                if (fresh)
                    TiffCanvas::put(line, x0, x1, f.ink.isBlack() ? CmykValue{paper.c, paper.m, paper.y, 255} : f.ink);
                else
                    TiffCanvas::paint(line, x0, x1, f.ink);
            }
            if (fresh)
                for (const TiffCanvas::Span& b : s.blanks) {
                    int x0 = b.x0, x1 = b.x1;
                    if (clipped(x0, x1))
                        TiffCanvas::put(line, x0, x1, paper);
                }
            for (const Stamps::Marked& m : s.marked) {
                if (m.mark)
                    paintStampRow(line, w, m.x, yy, *m.mark, m.markInk);
                if (m.symbol)
                    paintStampRow(line, w, m.x, yy, *m.symbol, m.symbolInk);
            }
        }
        if (y < s.rowTop || y >= s.rowBottom)
            continue;
        const std::size_t i = static_cast<std::size_t>(y - s.rowTop);
        if (s.rowLine[i] != 0) {
            int x0 = s.spanLeft, x1 = s.spanRight;
            if (clipped(x0, x1))
                TiffCanvas::paint(line, x0, x1, s.rowLine[i] == 2 ? kBlackInk : ink.grid);
        }
        for (const TiffCanvas::Span& c : s.heavyRow[i] ? s.tenthColumns : s.everyColumn) {
            int x0 = c.x0, x1 = c.x1;
            if (clipped(x0, x1))
                TiffCanvas::paint(line, x0, x1, c.ink);
        }
    }

    // Outline lines inside the chart, those that reach into the clipped rows.
    const QRect chartArea = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) &
                            QRect(0, clipTop, canvas.width(), clipBottom - clipTop);
    for (const Stamps::Outline& o : s.outlines)
        if (o.room.bottom() >= clipTop && o.room.top() < clipBottom)
            drawOutline(canvas, o.a, o.b, s.outlinePen, o.room, chartArea);

    // Rulers and centre marks in the margins.
    for (const Stamps::Label& label : s.labels)
        drawCanvasText(canvas, label.box, label.flags, label.text, s.rulerFont, label.ink);
}

ChartPlacement wholeChartPlacement(const WholeFigures& f, int columns, int rows, int titleHeight)
{
    ChartPlacement place;
    place.cells = {0, 0, columns, rows};
    place.pitch = f.pitch;
    place.font = f.font;
    place.margin = scaled(52);
    place.originX = place.margin;
    place.originY = scaled(40) + titleHeight;
    place.rulerFont = scaled(12);
    return place;
}

KeyPlacement wholeKeyPlacement(const WholeFigures& f, const ChartPlacement& chart)
{
    const KeyMetrics metrics = pageKeyMetrics();
    KeyPlacement key;
    key.left = metrics.inset / 2;
    key.width = f.width - metrics.inset;
    key.top = chart.originY + chart.chartHeight() + scaled(30);
    key.outlinePen = std::max(1, static_cast<int>(f.pitch * 0.25));
    return key;
}

KeyPlacement keyPagePlacement(const PagePlan& plan)
{
    KeyPlacement key;
    key.left = plan.margin();
    key.width = plan.rules().page.width() - 2 * plan.margin();
    key.top = plan.margin() + plan.rules().titleHeight;
    key.bandGap = plan.rules().scaled(15) / 2;
    key.outlinePen = std::max(1, static_cast<int>(plan.pitch() * 0.25));
    return key;
}

KeyModel pageKeyModel(const PatternDocument& doc, const std::string& publisher, const std::optional<FabricName>& fabric)
{
    KeySettings settings;
    settings.author = publisher.empty() ? std::string(kDefaultAuthor) : publisher;
    return KeyModel::of(doc, ThreadUsage(doc), settings, fabric);
}

CanvasKey::CanvasKey(const KeyModel& model, const KeyPlacement& place)
    : model_(model), place_(place), metrics_(pageKeyMetrics()), font_(pageFont(metrics_.fontHeight))
{
    metrics_.bandGap = place.bandGap;
    metrics_.samplePen = std::max(1, place.outlinePen);
    const QFontMetrics fm(font_);
    drawing_ = layOutKey(
        model_, metrics_, QPoint(place.left, place.top), place.width,
        [&](const std::string& t) { return fm.horizontalAdvance(fromGbk(t)); }, fm.height());
}

void CanvasKey::draw(TiffCanvas& canvas, const ChartInk& ink) const
{
    const int border = std::max(1, scaled(1) / 2);
    for (const KeyPiece& piece : drawing_.pieces) {
        // Every piece stays within its box: one outside the clipped rows draws nothing.
        if (piece.box.bottom() < canvas.clipTop() || piece.box.top() >= canvas.clipBottom())
            continue;
        switch (piece.kind) {
        case KeyPiece::Kind::Text:
            drawCanvasText(canvas, piece.box, piece.flags, fromGbk(piece.text), font_, kBlackInk);
            break;
        case KeyPiece::Kind::FittedText: {
            const QString shown = fromGbk(piece.text);
            drawCanvasText(canvas, piece.box, Qt::AlignCenter, shown, ChartLayout::fittedKeyFont(font_, shown, piece.box.width()),
                           kBlackInk);
            break;
        }
        case KeyPiece::Kind::SymbolText: {
            const ColorRef colour = model_.rows[static_cast<std::size_t>(piece.index)].colour;
            const QFont font = model_.clearSymbols ? symbolFont(true, metrics_.fontHeight) : font_;
            drawCanvasText(canvas, piece.box, piece.flags, fromGbk(piece.text), font, isDarkColour(colour) ? kPaperWhite : kBlackInk);
            break;
        }
        case KeyPiece::Kind::ThreadFill:
            if (static_cast<std::size_t>(piece.index) < ink.threads.size())
                canvas.fillRect(piece.box.x(), piece.box.y(), piece.box.width(), piece.box.height(),
                                ink.threads[static_cast<std::size_t>(piece.index)]);
            break;
        case KeyPiece::Kind::Frame:
            frame(canvas, piece.box, border, kBlackInk);
            break;
        case KeyPiece::Kind::Sample: {
            const ColorRef colour = model_.outlines[static_cast<std::size_t>(piece.index)].colour;
            const CmykValue sample = ink.converter ? ink.converter->value(colour) : kBlackInk;
            canvas.fillRect(piece.box.x(), piece.box.y(), piece.box.width(), piece.box.height(), sample);
            break;
        }
        }
    }
}

void drawPage(TiffCanvas& canvas, PageContent& page, const DrawReport& report)
{
    const int bands = canvas.bandCount();
    bool chartStarted = false, chartDone = page.chart == nullptr, keyStarted = false;
    for (int band = 0; band < bands; ++band) {
        const auto [first, end] = canvas.bandRows(band);
        canvas.beginBand(band);
        canvas.clipRows(first, end);
        if (page.header)
            drawCanvasText(canvas, page.header->box, Qt::AlignHCenter | Qt::AlignVCenter, page.header->text, page.header->font,
                           kBlackInk);
        if (page.chart) {
            if (!chartStarted) {
                for (const char* text : {UI_TEXT_NOOP("开始绘制针法"), UI_TEXT_NOOP("绘制针法完毕"), UI_TEXT_NOOP("开始绘制字符格"),
                                          UI_TEXT_NOOP("开始绘制行线"), UI_TEXT_NOOP("开始绘制列线"), UI_TEXT_NOOP("开始绘制描边线")})
                    report.tell(text);
                chartStarted = true;
            }
            page.chart->draw(canvas);
            if (!chartDone && (end >= page.chart->bottom() || band + 1 == bands)) {
                report.tell(UI_TEXT_NOOP("绘制描边线完毕"));
                chartDone = true;
            }
        }
        if (page.key && page.ink) {
            if (!keyStarted && (end > page.key->top() || band + 1 == bands)) {
                report.tell(UI_TEXT_NOOP("开始绘制KEY"));
                keyStarted = true;
            }
            if (keyStarted)
                page.key->draw(canvas, *page.ink);
        }
        report.advance(static_cast<double>(band + 1) / bands);
    }
    canvas.clearRowClip();
    if (page.key && page.ink)
        report.tell(UI_TEXT_NOOP("绘制KEY完毕"));
}

}  // namespace brenmark
