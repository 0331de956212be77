// The key of a printed chart: every thread of the colour bar with its symbol, number and
// amount, then the fabric, the outline threads and who made the chart.
#include "editor/document/thread_amounts.h"
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
namespace {

constexpr int kRowHeight = 15;
constexpr int kBandHeight = 3 * kRowHeight;
constexpr int kItemGap = 5;

std::string format(const char* pattern, auto... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

}  // namespace

int ChartLayout::keyColumns(int width) const
{
    return std::max(1, (width - keyLabelWidth()) / 50);
}

std::vector<ChartLayout::OutlineThread> ChartLayout::outlineThreads() const
{
    std::vector<OutlineThread> threads;
    for (const BackstitchLine& line : doc_.lines) {
        auto it = std::find_if(threads.begin(), threads.end(), [&](const OutlineThread& t) { return t.colour == line.color; });
        if (it == threads.end()) {
            OutlineThread t;
            t.colour = line.color;
            t.number = line.thread;
            const auto& colours = doc_.threads.colors;
            const auto entry = std::find(colours.begin(), colours.end(), line.color);
            if (t.number.empty() && entry != colours.end())
                t.number = doc_.threads.numbers[static_cast<std::size_t>(entry - colours.begin())];
            threads.push_back(std::move(t));
            it = threads.end() - 1;
        }
        it->length += outlineLength(line);
    }
    return threads;
}

std::string ChartLayout::keyAmount(std::size_t entry) const
{
    const std::int64_t cells = entry < entryCells_.size() ? entryCells_[entry] : 0;
    if (!settings_.amountsInMetres)
        return std::to_string(cells);
    double metres = cells > 0 ? skeinMetres(settings_.fabric, cells, settings_.strands) : 0.0;
    // A colour's outline is counted once, with the first entry of that colour.
    const auto& colours = doc_.threads.colors;
    const ColorRef colour = colours[entry];
    if (std::find(colours.begin(), colours.end(), colour) - colours.begin() == static_cast<std::ptrdiff_t>(entry)) {
        std::int64_t length = 0;
        bool any = false;
        for (const BackstitchLine& line : doc_.lines)
            if (line.color == colour) {
                length += outlineLength(line);
                any = true;
            }
        if (any)
            metres += static_cast<double>(length) * kOutlineRate;
    }
    return metresText(metres);
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

int ChartLayout::drawKey(QPainter& p, ChartStyle style, QPoint topLeft, int width) const
{
    const int left = topLeft.x();
    const int label = keyLabelWidth();
    const int perBand = keyColumns(width);
    const int columnWidth = (width - label) / perBand;
    const bool colour = style == ChartStyle::PrintColour || style == ChartStyle::Screen;
    p.save();
    const QFont font = songTi(12);
    p.setFont(font);
    const QFontMetrics fm(font);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    auto text = [&](QRect r, const std::string& t, int flags = Qt::AlignCenter) { p.drawText(r, flags, fromGbk(t)); };

    // The header: six fields across.
    const std::string used = settings_.amountsInMetres
                                 ? format("使用绣线(%s %d股绣)", settings_.fabric.c_str(), settings_.strands)
                                 : std::string("使用绣线");
    const std::string fields[6] = {used,        doc_.brand,
                                   "使用绣线数", std::to_string(doc_.threads.size()),
                                   "绣图宽高",   format("宽%d * 高%d", doc_.width(), doc_.height())};
    int y = topLeft.y();
    const int fieldWidth = width / 6;
    for (int i = 0; i < 6; ++i)
        text(QRect(left + i * fieldWidth, y, fieldWidth, kRowHeight), fields[i]);
    y += kRowHeight + 5;

    const std::string rowLabels[3] = {"符号", "线号", settings_.amountsInMetres ? "线量(6股米数)" : "线量(格数)"};
    const int threads = doc_.threads.size();
    for (int first = 0; first < threads; first += perBand) {
        for (int row = 0; row < 3; ++row) {
            const QRect r(left, y + row * kRowHeight, label, kRowHeight);
            p.drawRect(r);
            text(r, rowLabels[row]);
        }
        for (int k = 0; k < perBand && first + k < threads; ++k) {
            const auto i = static_cast<std::size_t>(first + k);
            const int x = left + label + k * columnWidth;
            const ColorRef thread = doc_.threads.colors[i];
            const QRect symbol(x, y, columnWidth, kRowHeight);
            if (colour)
                p.fillRect(symbol, qColour(thread));
            p.setPen(colour && isDarkColour(thread)                   ? QColor(Qt::white)
                     : style == ChartStyle::ColouredSymbols ? qColour(thread)
                                                            : QColor(Qt::black));
            text(symbol, ChartPainter::cellSymbol(doc_, static_cast<std::int32_t>(i)));
            p.setPen(Qt::black);
            // Numbers and amounts in type that fits their cell, never over its borders.
            const auto fitted = [&](QRect r, const std::string& t) {
                const QString shown = fromGbk(t);
                p.save();
                p.setFont(fittedKeyFont(font, shown, r.width()));
                p.setClipRect(r.adjusted(1, 1, -1, -1), Qt::IntersectClip);
                p.drawText(r, Qt::AlignCenter, shown);
                p.restore();
            };
            fitted(QRect(x, y + kRowHeight, columnWidth, kRowHeight), doc_.threads.numbers[i]);
            fitted(QRect(x, y + 2 * kRowHeight, columnWidth, kRowHeight), keyAmount(i));
            for (int row = 0; row < 3; ++row)
                p.drawRect(QRect(x, y + row * kRowHeight, columnWidth, kRowHeight));
        }
        y += kBandHeight;
    }
    y += 5;

    // The fabric, then the outline legend on the same line, wrapped at the right edge.
    const int lineStep = 2 * fm.height() + 2;
    const int right = left + width;
    int x = left;
    auto place = [&](int itemWidth) {
        if (x > left && x + itemWidth > right) {
            x = left;
            y += lineStep;
        }
        const int at = x;
        x += itemWidth + kItemGap;
        return at;
    };
    auto drawTextAt = [&](int at, const std::string& t) {
        p.drawText(QRect(at, y, fm.horizontalAdvance(fromGbk(t)) + 1, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, fromGbk(t));
    };
    if (fabricName_) {
        const std::string fabric = format("绣布 %s(%s)", fabricName_->name.c_str(), fabricName_->number.c_str());
        drawTextAt(place(fm.horizontalAdvance(fromGbk(fabric))), fabric);
    }
    const int sampleWidth = std::max(1, static_cast<int>(settings_.cellSize * 0.25));
    for (const OutlineThread& t : outlineThreads()) {
        const std::string length = !settings_.amountsInMetres && t.length > 0 ? std::to_string(t.length) : std::string();
        const int itemWidth = std::max(fm.horizontalAdvance(fromGbk(t.number)),
                                       30 + (length.empty() ? 0 : 2 + fm.horizontalAdvance(fromGbk(length))));
        const int at = place(itemWidth);
        drawTextAt(at, t.number);
        const int sampleY = y + fm.height() + fm.height() / 2;
        if (colour) {
            p.setPen(QPen(qColour(t.colour), sampleWidth, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(at, sampleY, at + 30, sampleY);
        } else {
            // A back stitch sample: three stitches with their needle holes.
            p.setPen(QPen(Qt::black, sampleWidth, Qt::SolidLine, Qt::FlatCap));
            for (int s = 0; s < 3; ++s)
                p.drawLine(at + s * 10 + 1, sampleY, at + s * 10 + 9, sampleY);
        }
        p.setPen(Qt::black);
        if (!length.empty())
            drawTextAt(at + 30 + 2, length);
    }
    if (settings_.amountsInMetres) {
        const std::string strands = format("描边股数%d", settings_.outlineStrands);
        drawTextAt(place(fm.horizontalAdvance(fromGbk(strands))), strands);
    }
    const bool named = settings_.author != kDefaultAuthor;
    const std::string maker = named ? "制图:" + settings_.author : std::string("Velmora十字绣软件");
    const int makerWidth = fm.horizontalAdvance(fromGbk(maker));
    if (named || x + makerWidth <= right - 2)
        p.drawText(QRect(left, y, width - 2, fm.height()), Qt::AlignRight | Qt::AlignVCenter, fromGbk(maker));
    y += lineStep;
    p.restore();
    return y;
}

}  // namespace brenmark
