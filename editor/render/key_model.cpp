#include "editor/render/key_model.h"

#include "editor/document/thread_amounts.h"
#include "editor/render/chart_painter.h"
#include "interchange/ui_text.h"

#include <algorithm>
#include <cstdio>

namespace brenmark {
namespace {

std::string format(const char* pattern, auto... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

}  // namespace

std::string KeyModel::amount(const PatternDocument& doc, const ThreadUsage& usage, const KeySettings& settings,
                             std::size_t entry)
{
    const std::int64_t cells = usage.cellsOf(entry);
    if (!settings.amountsInMetres)
        return std::to_string(cells);
    double metres = cells > 0 ? skeinMetres(settings.fabric, cells, settings.strands) : 0.0;
    // A colour's outline is counted once, with the first entry of that colour.
    const auto& colours = doc.threads.colors;
    const ColorRef colour = colours[entry];
    if (std::find(colours.begin(), colours.end(), colour) - colours.begin() == static_cast<std::ptrdiff_t>(entry))
        if (const OutlineGroup* outline = usage.outlineOf(colour))
            metres += static_cast<double>(outline->length) * kOutlineRate;
    return metresText(metres);
}

KeyModel KeyModel::of(const PatternDocument& doc, const ThreadUsage& usage, const KeySettings& settings,
                      const std::optional<FabricName>& fabricName)
{
    KeyModel m;
    m.amountsInMetres = settings.amountsInMetres;
    m.clearSymbols = doc.clearSymbols;
    const std::string used = settings.amountsInMetres
                                 ? format(uiText("使用绣线(%s %d股绣)").c_str(), settings.fabric.c_str(), settings.strands)
                                 : uiText("使用绣线");
    m.header = {used,        doc.brand,
                uiText("使用绣线数"), std::to_string(doc.threads.size()),
                uiText("绣图宽高"),   format(uiText("宽%d * 高%d").c_str(), doc.width(), doc.height())};
    m.rowLabels = {uiText("符号"), uiText("线号"), settings.amountsInMetres ? uiText("线量(6股米数)") : uiText("线量(格数)")};
    const auto threads = static_cast<std::size_t>(doc.threads.size());
    m.rows.reserve(threads);
    for (std::size_t i = 0; i < threads; ++i) {
        KeyRow row;
        row.colour = doc.threads.colors[i];
        row.symbol = ChartPainter::cellSymbol(doc, static_cast<std::int32_t>(i));
        row.number = doc.threads.numbers[i];
        row.amount = amount(doc, usage, settings, i);
        m.rows.push_back(std::move(row));
    }
    m.outlines = usage.outlines();
    if (fabricName)
        m.fabric = format(uiText("绣布 %s(%s)").c_str(), uiTextOf(fabricName->name).c_str(), fabricName->number.c_str());
    if (settings.amountsInMetres)
        m.strands = format(uiText("描边股数%d").c_str(), settings.outlineStrands);
    m.makerNamed = settings.author != kDefaultAuthor;
    m.maker = m.makerNamed ? uiText("制图:") + settings.author : uiText("Velmora十字绣软件");
    return m;
}

KeyDrawing layOutKey(const KeyModel& model, const KeyMetrics& k, QPoint topLeft, int width, const KeyTextWidth& textWidth,
                     int textHeight)
{
    KeyDrawing d;
    auto& out = d.pieces;
    const auto piece = [&](KeyPiece::Kind kind, QRect box, std::string text = {}, int flags = Qt::AlignCenter, int index = -1) {
        KeyPiece p;
        p.kind = kind;
        p.box = box;
        p.text = std::move(text);
        p.flags = flags;
        p.index = index;
        out.push_back(std::move(p));
    };
    const int left = topLeft.x();
    const int rowHeight = k.rowHeight;
    const int perBand = k.columnsPerBand(width);
    const int columnWidth = (width - k.labelWidth) / perBand;

    // The header: six fields across.
    int y = topLeft.y();
    const int fieldWidth = width / 6;
    for (int i = 0; i < 6; ++i)
        piece(KeyPiece::Kind::Text, QRect(left + i * fieldWidth, y, fieldWidth, rowHeight), model.header[static_cast<std::size_t>(i)]);
    y += rowHeight + k.headerGap;

    const int threads = static_cast<int>(model.rows.size());
    for (int first = 0; first < threads; first += perBand) {
        for (int row = 0; row < 3; ++row) {
            const QRect r(left, y + row * rowHeight, k.labelWidth, rowHeight);
            piece(KeyPiece::Kind::Frame, r);
            piece(KeyPiece::Kind::Text, r, model.rowLabels[static_cast<std::size_t>(row)]);
        }
        for (int c = 0; c < perBand && first + c < threads; ++c) {
            const int i = first + c;
            const KeyRow& row = model.rows[static_cast<std::size_t>(i)];
            const int x = left + k.labelWidth + c * columnWidth;
            const QRect symbol(x, y, columnWidth, rowHeight);
            piece(KeyPiece::Kind::ThreadFill, symbol, {}, 0, i);
            piece(KeyPiece::Kind::SymbolText, symbol, row.symbol, Qt::AlignCenter, i);
            // Numbers and amounts in type that fits their cell, never over its borders.
            piece(KeyPiece::Kind::FittedText, QRect(x, y + rowHeight, columnWidth, rowHeight), row.number);
            piece(KeyPiece::Kind::FittedText, QRect(x, y + 2 * rowHeight, columnWidth, rowHeight), row.amount);
            for (int r = 0; r < 3; ++r)
                piece(KeyPiece::Kind::Frame, QRect(x, y + r * rowHeight, columnWidth, rowHeight));
        }
        y += k.bandHeight() + k.bandGap;
    }
    y += k.tableGap;

    // The fabric, then the outline legend on the same line, wrapped at the right edge.
    const int lineStep = 2 * textHeight + 2;
    const int right = left + width;
    int x = left;
    const auto place = [&](int itemWidth) {
        if (x > left && x + itemWidth > right) {
            x = left;
            y += lineStep;
        }
        const int at = x;
        x += itemWidth + k.itemGap;
        return at;
    };
    const auto textAt = [&](int at, const std::string& t) {
        piece(KeyPiece::Kind::Text, QRect(at, y, textWidth(t) + 1, textHeight), t, Qt::AlignLeft | Qt::AlignVCenter);
    };
    if (!model.fabric.empty())
        textAt(place(textWidth(model.fabric)), model.fabric);
    for (std::size_t o = 0; o < model.outlines.size(); ++o) {
        const OutlineGroup& t = model.outlines[o];
        const std::string length = !model.amountsInMetres && t.length > 0 ? std::to_string(t.length) : std::string();
        const int itemWidth = std::max(textWidth(t.number), k.sampleLength + (length.empty() ? 0 : k.sampleGap + textWidth(length)));
        const int at = place(itemWidth);
        textAt(at, t.number);
        const int sampleY = y + textHeight + textHeight / 2;
        KeyPiece sample;
        sample.kind = KeyPiece::Kind::Sample;
        sample.index = static_cast<int>(o);
        sample.line = QLine(at, sampleY, at + k.sampleLength, sampleY);
        sample.box = QRect(at, sampleY - k.samplePen / 2, k.sampleLength, std::max(1, k.samplePen));
        out.push_back(std::move(sample));
        if (!length.empty())
            textAt(at + k.sampleLength + k.sampleGap, length);
    }
    if (!model.strands.empty())
        textAt(place(textWidth(model.strands)), model.strands);
    // The maker: always when named, the program's name only when it fits right of the legend.
    const int makerWidth = textWidth(model.maker);
    if (model.makerNamed || x + makerWidth <= right - k.makerInset)
        piece(KeyPiece::Kind::Text, QRect(left, y, width - k.makerInset, textHeight), model.maker, Qt::AlignRight | Qt::AlignVCenter);
    y += lineStep;
    d.bottom = y;
    return d;
}

}  // namespace brenmark
