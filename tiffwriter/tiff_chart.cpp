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
#include <map>
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

// A line [first, first + width) across or down, for a boundary at b.
int lineStart(int b, int width) { return b - width / 2; }

CmykValue redInk(const ChartInk& ink)
{
    return ink.converter ? ink.converter->value(rgb(255, 0, 0)) : CmykValue{0, 255, 255, 0};
}

void drawOutline(TiffCanvas& canvas, const QPointF& a, const QPointF& b, int width, const QRect& clip)
{
    const int pad = width + 1;
    QRect box = QRectF(a, b).normalized().toAlignedRect().adjusted(-pad, -pad, pad, pad) & clip;
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
    std::map<std::pair<int, bool>, Stamp> markStamps;
    std::unordered_map<std::string, Stamp> symbols;
    QFont symbolFont;
    QFont rulerFont;
    int rulerHeight = 0;
    CmykValue red;
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
            stamps_->markStamps[{m.kind, dark}] = markStamp(m.kind, dark ? rgb(0, 0, 0) : kWhite, place_.pitch);
    }
    stamps_->symbolFont = symbolFont(doc.clearSymbols, std::max(1, place_.font));
    stamps_->symbolFont.setBold(place_.boldSymbols);
    stamps_->rulerFont = pageFont(place_.rulerFont);
    stamps_->rulerHeight = QFontMetrics(stamps_->rulerFont).height();
    stamps_->red = redInk(ink_);
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

namespace {
// The black added to a repeated cell.
constexpr std::uint8_t kRepeatedShade = 36;
}  // namespace

void ChartDrawing::draw(TiffCanvas& canvas)
{
    const PatternDocument& doc = doc_;
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
    // symbol; only the rows of cells that reach into the clipped rows.
    const int firstRow = std::max(cells.firstRow, cells.firstRow + (clipTop - top) / std::max(1, d));
    const int endRow = std::min(cells.endRow, cells.firstRow + (clipBottom - top + d - 1) / std::max(1, d));
    for (int r = firstRow; r < endRow; ++r) {
        const int y = top + (r - cells.firstRow) * d;
        for (int c = cells.firstColumn; c < cells.endColumn; ++c) {
            const int x = left + (c - cells.firstColumn) * d;
            const std::int32_t index = doc.cell(c, r);
            const bool thread = doc.isThread(index) && static_cast<std::size_t>(index) < ink.threads.size();
            // A cell repeated from the page before is shaded: its colour with more black.
            const bool repeated = place.repeatedColumns.contains(c, r) || place.repeatedRows.contains(c, r);
            if (thread) {
                CmykValue colour = ink.threads[static_cast<std::size_t>(index)];
                if (repeated)
                    colour.k = static_cast<std::uint8_t>(std::min(255, colour.k + kRepeatedShade));
                canvas.fillRect(x, y, d, d, colour);
            } else if (repeated) {
                canvas.fillRect(x, y, d, d, CmykValue{0, 0, 0, kRepeatedShade});
            }
            const bool dark = thread && isDarkColour(doc.threads.colors[static_cast<std::size_t>(index)]);
            if (!stamps_->marks.empty()) {
                const auto mark = stamps_->marks.find(static_cast<std::int64_t>(r) * doc.width() + c);
                if (mark != stamps_->marks.end())
                    stampRuns(canvas, x, y, stamps_->markStamps[{mark->second, dark}], dark ? kPaperWhite : kBlackInk);
            }
            if (!thread)
                continue;
            const std::string& symbol = ChartPainter::cellSymbol(doc, index);
            if (symbol.empty())
                continue;
            auto stamp = stamps_->symbols.find(symbol);
            if (stamp == stamps_->symbols.end())
                stamp = stamps_->symbols.emplace(symbol, symbolStamp(symbol, d, stamps_->symbolFont)).first;
            stampRuns(canvas, x, y, stamp->second, dark ? kPaperWhite : kBlackInk);
        }
    }

    // Row lines, four pixels wide and every tenth eight, black; then the column lines a
    // canvas row at a time. A thin column line leaves a tenth row line black where it
    // crosses it.
    const int thin = scaled(1), heavy = scaled(2);
    auto widthOf = [&](int index) { return index % 10 == 0 ? heavy : thin; };
    auto inkOf = [&](int index) { return index % 10 == 0 ? kBlackInk : ink.grid; };
    const int spanLeft = lineStart(left, heavy), spanRight = lineStart(right, heavy) + heavy;
    const int rowTop = lineStart(top, heavy), rowBottom = lineStart(bottom, heavy) + heavy;
    std::vector<char> heavyRow(static_cast<std::size_t>(std::max(0, rowBottom - rowTop)), 0);
    for (int r = cells.firstRow; r <= cells.endRow; ++r) {
        const int w = widthOf(r);
        const int y0 = lineStart(top + (r - cells.firstRow) * d, w);
        if (r % 10 == 0)
            for (int y = y0; y < y0 + w; ++y)
                heavyRow[static_cast<std::size_t>(y - rowTop)] = 1;
        if (y0 + w > clipTop && y0 < clipBottom)
            canvas.fillRect(spanLeft, y0, spanRight - spanLeft, w, inkOf(r));
    }
    // The column lines' spans of a canvas row: thin lines, then the tenth lines over them;
    // on a tenth row line only the tenth column lines.
    std::vector<TiffCanvas::Span> everyColumn, tenthColumns;
    for (int pass = 0; pass < 2; ++pass)
        for (int c = cells.firstColumn; c <= cells.endColumn; ++c) {
            const bool tenth = c % 10 == 0;
            if (tenth != (pass == 1))
                continue;
            const int w = widthOf(c);
            const int x0 = lineStart(left + (c - cells.firstColumn) * d, w);
            everyColumn.push_back({x0, x0 + w, inkOf(c)});
            if (tenth)
                tenthColumns.push_back({x0, x0 + w, inkOf(c)});
        }
    for (int y = std::max(rowTop, clipTop); y < std::min(rowBottom, clipBottom); ++y)
        canvas.fillSpans(y, heavyRow[static_cast<std::size_t>(y - rowTop)] != 0 ? tenthColumns : everyColumn);

    // Outline lines, a third of the pitch wide, inside the chart.
    ChartGeometry g;
    g.cellSize = static_cast<float>(d);
    g.origin = QPoint(left - cells.firstColumn * d, top - cells.firstRow * d);
    const int pen = std::max(1, d / 3);
    const QRect chartArea = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) &
                            QRect(0, clipTop, canvas.width(), clipBottom - clipTop);
    for (const BackstitchLine& line : doc.lines)
        drawOutline(canvas, g.cornerPoint(line.startColumn, line.startRow, line.startCorner),
                    g.cornerPoint(line.endColumn, line.endRow, line.endCorner), pen, chartArea);

    // Rulers and centre marks in the margins.
    const QFont& rulerFont = stamps_->rulerFont;
    const QFontMetrics fm(rulerFont);
    const int fh = fm.height(), gap = scaled(3);
    for (int n : spacedRulerNumbers(doc.height(), d, fm.ascent() + 1)) {
        const int r = n - 1;
        if (r < cells.firstRow || r >= cells.endRow)
            continue;
        const QString label = QString::number(n);
        const int tw = fm.horizontalAdvance(label) + 2;
        const int cy = top + (r - cells.firstRow) * d + d / 2;
        drawCanvasText(canvas, QRect(left - gap - tw, cy - fh / 2, tw, fh), Qt::AlignRight | Qt::AlignVCenter, label, rulerFont, kBlackInk);
        drawCanvasText(canvas, QRect(right + gap, cy - fh / 2, tw, fh), Qt::AlignLeft | Qt::AlignVCenter, label, rulerFont, kBlackInk);
    }
    const int columnRoom = fm.horizontalAdvance(QString::number(doc.width())) + fm.horizontalAdvance(u"0"_qs);
    for (int n : spacedRulerNumbers(doc.width(), d, columnRoom)) {
        const int c = n - 1;
        if (c < cells.firstColumn || c >= cells.endColumn)
            continue;
        const QString label = QString::number(n);
        const int tw = fm.horizontalAdvance(label) + 2;
        const int cx = left + (c - cells.firstColumn) * d + d / 2;
        drawCanvasText(canvas, QRect(cx - tw / 2, top - gap - fh, tw, fh), Qt::AlignCenter, label, rulerFont, kBlackInk);
        drawCanvasText(canvas, QRect(cx - tw / 2, bottom + gap, tw, fh), Qt::AlignCenter, label, rulerFont, kBlackInk);
    }
    const CmykValue red = stamps_->red;
    const int cy = top + static_cast<int>((ChartLayout::centreOffset(doc.height()) - cells.firstRow) * d);
    if (cy >= top && cy <= bottom) {
        const QString diamond = fromGbk("◆");
        const int tw = fm.horizontalAdvance(diamond) + 2;
        drawCanvasText(canvas, QRect(left - place.margin / 2 - tw / 2, cy - fh / 2, tw, fh), Qt::AlignCenter, diamond, rulerFont, red);
        drawCanvasText(canvas, QRect(right + place.margin / 2 - tw / 2, cy - fh / 2, tw, fh), Qt::AlignCenter, diamond, rulerFont, red);
    }
    const int cx = left + static_cast<int>((ChartLayout::centreOffset(doc.width()) - cells.firstColumn) * d);
    if (cx >= left && cx <= right) {
        const QString down = fromGbk("▼"), up = fromGbk("▲");
        const int tw = fm.horizontalAdvance(down) + 2;
        drawCanvasText(canvas, QRect(cx - tw / 2, top - gap - 2 * fh, tw, fh), Qt::AlignCenter, down, rulerFont, red);
        drawCanvasText(canvas, QRect(cx - tw / 2, bottom + gap + fh, tw, fh), Qt::AlignCenter, up, rulerFont, red);
    }
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
