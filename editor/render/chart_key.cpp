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
#include <cctype>
#include <cstdio>

namespace brenmark {
namespace {

// The English key's columns, from its left edge: a colour swatch, the symbol, the strands,
// the brand, the number, the name; the stitches stand right-aligned at the right edge.
constexpr int kSwatchWidth = 12;
constexpr int kSymbolX = 16, kSymbolWidth = 16;
constexpr int kStrandsX = 36, kStrandsWidth = 14;
constexpr int kBrandX = 54, kBrandWidth = 60;
constexpr int kNumberX = 118, kNumberWidth = 56;
constexpr int kNameX = 178;
constexpr int kStitchesWidth = 60;
// The list keeps to this width on wide pages, so each line's stitches stay near its name.
constexpr int kFlossListWidth = 480;

// The number before "CT": "14CT" is 14 stitches an inch.
int fabricCount(const std::string& fabric)
{
    int n = 0;
    for (const char c : fabric) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string lowered(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x80)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

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

std::vector<FlossLine> ChartLayout::flossLines() const
{
    std::vector<FlossLine> lines;
    const auto text = [&](std::string t) {
        FlossLine line;
        line.text = std::move(t);
        lines.push_back(std::move(line));
    };
    char buffer[160];
    text(settings_.title);
    std::snprintf(buffer, sizeof buffer, "%dw X %dh Stitches", doc_.width(), doc_.height());
    text(buffer);
    // The fabric's colour in words: white, else the name of its thread, else its value.
    std::string colour;
    if ((doc_.fabric & 0xFFFFFFu) == 0xFFFFFFu)
        colour = "white";
    else if (fabricName_ && !threadName(names_, fabricName_->number).empty())
        colour = lowered(threadName(names_, fabricName_->number));
    else {
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", redOf(doc_.fabric), greenOf(doc_.fabric), blueOf(doc_.fabric));
        colour = buffer;
    }
    std::snprintf(buffer, sizeof buffer, "Fabric: %d count Aida, ", fabricCount(settings_.fabric));
    text(buffer + colour);
    text("Floss Used for Full Stitches:");
    for (std::size_t i = 0; i < key_.rows.size(); ++i) {
        const std::int64_t cells = usage_.cellsOf(i);
        if (cells <= 0)
            continue;  // a thread no cell shows is not on the list
        const KeyRow& row = key_.rows[i];
        FlossLine line;
        line.kind = FlossLine::Kind::FullStitch;
        line.index = static_cast<int>(i);
        line.symbol = row.symbol;
        line.strands = std::to_string(settings_.strands);
        line.brand = doc_.brand;
        line.number = row.number;
        line.name = threadName(names_, row.number);
        line.amount = std::to_string(cells);
        lines.push_back(std::move(line));
    }
    if (!key_.outlines.empty()) {
        text("Floss Used for Back Stitches:");
        for (std::size_t o = 0; o < key_.outlines.size(); ++o) {
            const OutlineGroup& outline = key_.outlines[o];
            FlossLine line;
            line.kind = FlossLine::Kind::BackStitch;
            line.index = static_cast<int>(o);
            line.strands = std::to_string(settings_.outlineStrands);
            line.brand = doc_.brand;
            line.number = outline.number;
            line.name = threadName(names_, outline.number);
            line.amount = std::to_string(outline.length);
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

int ChartLayout::flossLinesPerPage() const
{
    return std::max(1, (page_.height() - 2 * margin_) / kFlossLineHeight);
}

void ChartLayout::drawFlossPage(QPainter& p, ChartStyle style, int index) const
{
    const std::vector<FlossLine> lines = flossLines();
    const int perPage = flossLinesPerPage();
    const int first = index * perPage;
    const int last = std::min(static_cast<int>(lines.size()), first + perPage);
    drawFlossLines(p, style, lines, first, last, QPoint(margin_, margin_));
}

void ChartLayout::drawFlossLines(QPainter& p, ChartStyle style, const std::vector<FlossLine>& lines, int first, int last,
                                 QPoint topLeft) const
{
    const bool colour = style == ChartStyle::PrintColour || style == ChartStyle::ColouredSymbols;
    const int left = topLeft.x(), right = std::min(page_.width() - margin_, left + kFlossListWidth);
    QFont textFont = songTi(kFlossFontHeight);
    QFont symbolFont = textFont;
    if (const QString family = symbolFamily(); !family.isEmpty())
        symbolFont.setFamilies(QStringList{family} + textFont.families());
    const QFontMetrics fm(textFont);
    p.save();
    p.setPen(Qt::black);
    int y = topLeft.y();
    for (int n = first; n < last; ++n, y += kFlossLineHeight) {
        const FlossLine& line = lines[static_cast<std::size_t>(n)];
        const auto at = [&](int x, int width, const std::string& t, int flags = Qt::AlignLeft) {
            p.drawText(QRect(left + x, y, width, kFlossLineHeight), flags | Qt::AlignVCenter | Qt::TextSingleLine, fromGbk(t));
        };
        p.setFont(textFont);
        if (line.kind == FlossLine::Kind::Text) {
            at(0, right - left, line.text);
            continue;
        }
        const QRect swatch(left, y + 2, kSwatchWidth, kFlossLineHeight - 4);
        if (line.kind == FlossLine::Kind::FullStitch) {
            if (colour) {
                p.fillRect(swatch, qColour(key_.rows[static_cast<std::size_t>(line.index)].colour));
                p.drawRect(swatch);
            }
            p.setFont(symbolFont);
            at(kSymbolX, kSymbolWidth, line.symbol, Qt::AlignHCenter);
            p.setFont(textFont);
        } else {
            // A back stitch: a short line in the thread's colour (black on black-and-white pages).
            const ColorRef thread = key_.outlines[static_cast<std::size_t>(line.index)].colour;
            p.save();
            p.setPen(QPen(colour ? qColour(thread) : QColor(Qt::black), 2, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(left + kSymbolX, y + kFlossLineHeight / 2.0),
                       QPointF(left + kSymbolX + kSymbolWidth, y + kFlossLineHeight / 2.0));
            p.restore();
        }
        at(kStrandsX, kStrandsWidth, line.strands, Qt::AlignHCenter);
        at(kBrandX, kBrandWidth, line.brand);
        at(kNumberX, kNumberWidth, line.number);
        const int nameWidth = right - left - kNameX - kStitchesWidth - 4;
        if (!line.name.empty())
            p.drawText(QRect(left + kNameX, y, nameWidth, kFlossLineHeight), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       fm.elidedText(fromGbk(line.name), Qt::ElideRight, nameWidth));
        at(right - left - kStitchesWidth, kStitchesWidth, line.amount, Qt::AlignRight);
    }
    p.restore();
}

void ChartLayout::drawPageMap(QPainter& p, ChartStyle style) const
{
    const PageGrid& grid = plan_.grid();
    p.save();
    QFont header = songTi(20);
    header.setBold(true);
    p.setFont(header);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, page_.width(), margin_ + titleHeight_), Qt::AlignHCenter | Qt::AlignVCenter,
               settings_.englishKey ? u"Page Map"_qs : uiQString("页面分布图"));
    // The chart scaled into the page below the header, its aspect kept.
    const QRect room(margin_, margin_ + titleHeight_, page_.width() - 2 * margin_,
                     page_.height() - 2 * margin_ - titleHeight_);
    const double scale = std::min(room.width() / static_cast<double>(std::max(1, doc_.width())),
                                  room.height() / static_cast<double>(std::max(1, doc_.height())));
    const QPointF origin(room.left() + (room.width() - doc_.width() * scale) / 2, room.top());
    const auto area = [&](QRect cells) {
        return QRectF(origin.x() + cells.left() * scale, origin.y() + cells.top() * scale, cells.width() * scale,
                      cells.height() * scale);
    };
    const QColor shade = style == ChartStyle::PrintBlackWhite ? QColor(222, 222, 222) : QColor(255, 236, 196);
    for (int n = 1; n <= grid.patternPages(); ++n)
        for (const QRect& repeated : {plan_.repeatedColumns(n), plan_.repeatedRows(n)})
            if (!repeated.isEmpty())
                p.fillRect(area(repeated), shade);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(area(QRect(0, 0, doc_.width(), doc_.height())));
    QFont numbers = songTi(std::clamp(static_cast<int>(std::min(grid.columnsPerPage, grid.rowsPerPage) * scale / 3), 8, 48));
    numbers.setBold(true);
    QFont ranges = songTi(10);
    for (int n = 1; n <= grid.patternPages(); ++n) {
        const QRect cells = plan_.cells(n);
        const QRectF r = area(cells);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(r);
        p.setFont(numbers);
        p.drawText(r, Qt::AlignCenter, QString::number(n));
        // The columns and rows the page holds, numbered as the rulers number them.
        p.setFont(ranges);
        const QString span = QString::asprintf("%d-%d / %d-%d", cells.left() + 1, cells.right() + 1, cells.top() + 1,
                                               cells.bottom() + 1);
        if (QFontMetrics(ranges).horizontalAdvance(span) + 4 < r.width())
            p.drawText(r.adjusted(2, 2, -2, -2), Qt::AlignHCenter | Qt::AlignTop, span);
    }
    p.restore();
}

}  // namespace brenmark
