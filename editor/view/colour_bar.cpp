#include "editor/view/colour_bar.h"

#include "editor/document/thread_usage.h"
#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QPainter>

#include <algorithm>
#include <numeric>

namespace brenmark {

ColorRef contrastColour(ColorRef colour)
{
    return isDarkColour(colour) ? kWhite : 0;
}

std::vector<ColourBar::Swatch> ColourBar::swatches() const
{
    // One swatch per distinct colour, as the colour list holds them: threads sharing a colour
    // share a swatch, which stands for the first of them in the table.
    std::vector<Swatch> list;
    const DistinctColors& distinct = doc_.distinct;
    const auto& colours = doc_.threads.colors;
    const std::size_t n = distinct.colors.size();
    list.reserve(n);
    for (std::size_t d = 0; d < n; ++d) {
        const ColorRef colour = distinct.colors[d];
        const auto at = std::find(colours.begin(), colours.end(), colour);
        const std::size_t i = static_cast<std::size_t>(at - colours.begin());
        const bool inTable = at != colours.end();
        list.push_back({colour, inTable && i < doc_.lockFlags.size() && doc_.lockFlags[i] != 0,
                        inTable && i < doc_.symbols.size() ? doc_.symbols[i].symbol : std::string(),
                        d < distinct.numbers.size() ? distinct.numbers[d] : std::string(),
                        inTable ? static_cast<int>(i) : -1});
    }
    if (order_ == Order::ByColour && n > 1) {
        // The smallest value first, then always the nearest remaining colour.
        for (std::size_t i = 1; i < n; ++i)
            if (list[i].colour < list[0].colour)
                std::swap(list[0], list[i]);
        auto distance = [](ColorRef a, ColorRef b) {
            const long dr = long(redOf(a)) - long(redOf(b)), dg = long(greenOf(a)) - long(greenOf(b)),
                       db = long(blueOf(a)) - long(blueOf(b));
            return dr * dr + dg * dg + db * db;
        };
        for (std::size_t i = 1; i < n; ++i) {
            long best = 1000000000;
            std::size_t pick = i;
            for (std::size_t j = i; j < n; ++j) {
                const long d = distance(list[j].colour, list[i - 1].colour);
                if (d < best)
                    best = d, pick = j;
            }
            std::swap(list[i], list[pick]);
        }
    } else if (order_ == Order::ByUsage && n > 1) {
        // Cells per colour: threads of one colour count together.
        const ThreadUsage usage(doc_);
        std::vector<std::int64_t> counts(n, 0);
        for (std::size_t t = 0; t < colours.size(); ++t) {
            const auto d = std::find(distinct.colors.begin(), distinct.colors.end(), colours[t]);
            if (d != distinct.colors.end())
                counts[static_cast<std::size_t>(d - distinct.colors.begin())] += usage.cellsOf(t);
        }
        for (std::size_t j = 0; j < n; ++j)
            for (std::size_t i = j + 1; i < n; ++i)
                if (counts[i] > counts[j]) {
                    std::swap(counts[i], counts[j]);
                    std::swap(list[i], list[j]);
                }
    }
    return list;
}

int ColourBar::selected() const
{
    if (selectedThread_ < 0)
        return -1;
    const auto list = swatches();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].thread == selectedThread_)
            return static_cast<int>(i);
    return -1;
}

void ColourBar::setSelected(int position)
{
    const auto list = swatches();
    selectedThread_ = position >= 0 && static_cast<std::size_t>(position) < list.size()
                          ? list[static_cast<std::size_t>(position)].thread
                          : -1;
}

QRect ColourBar::swatchRect(int i, int clientWidth) const
{
    const int n = perRow(clientWidth);
    const int c = i % n, r = i / n;
    return QRect(kColumnStep * c, firstRowTop() + kRowStep * r, kSwatchWidth, kSwatchHeight);
}

int ColourBar::swatchAt(QPoint point, int clientWidth) const
{
    const int count = static_cast<int>(doc_.distinct.colors.size());
    const int n = perRow(clientWidth);
    if (point.x() < 0 || point.y() < firstRowTop())
        return -1;
    const int c = point.x() / kColumnStep, r = (point.y() - firstRowTop()) / kRowStep;
    if (c >= n)
        return -1;
    const int i = r * n + c;
    if (i >= count)
        return -1;
    const QRect rect = swatchRect(i, clientWidth);
    // The rectangle runs to x + 20 and y + 12 inclusive, as it is framed.
    return point.x() <= rect.left() + kSwatchWidth && point.y() <= rect.top() + kSwatchHeight ? i : -1;
}

std::optional<ColourBar::Pick> ColourBar::click(QPoint point, int clientWidth, bool ctrl)
{
    const int i = swatchAt(point, clientWidth);
    if (i < 0)
        return std::nullopt;
    const Swatch s = swatches()[static_cast<std::size_t>(i)];
    const auto& colours = doc_.threads.colors;
    const int thread = static_cast<int>(std::find(colours.begin(), colours.end(), s.colour) - colours.begin());
    if (static_cast<std::size_t>(thread) >= colours.size())
        return std::nullopt;  // a colour list out of step with the table offers nothing
    selectedThread_ = s.thread;
    return Pick{thread, s.colour, doc_.threads.numbers[static_cast<std::size_t>(thread)], ctrl};
}

int ColourBar::rowCount(int clientWidth) const
{
    const int n = perRow(clientWidth);
    return (static_cast<int>(doc_.distinct.colors.size()) + n - 1) / n;
}

bool ColourBar::scroll(int code, int thumb, int range, int page)
{
    const int maximum = page == 0 ? range - 2 : range - page + 1;
    int position = scroll_;
    if (code == 1 || code == 3 || code == 7) {
        if (position < maximum)
            ++position;
    } else if (code == 4) {
        position = thumb;
    } else if (code < 4) {
        if (position > 0)
            --position;
    }
    if (position == scroll_)
        return false;
    scroll_ = position;
    return true;
}

void ColourBar::paint(QPainter& p, QSize client) const
{
    p.fillRect(QRect(QPoint(0, 0), client), QColor(212, 208, 200));
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    const QFont symbols = doc_.clearSymbols ? symbolFont(true, 12) : font;
    const auto list = swatches();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const QRect r = swatchRect(static_cast<int>(i), client.width());
        if (r.top() > client.height())
            break;
        const Swatch& s = list[i];
        const QColor fill = qColour(s.colour);
        const QRect box(r.left(), r.top(), kSwatchWidth + 1, kSwatchHeight + 1);
        p.fillRect(box, fill);
        if (s.thread == selectedThread_) {
            p.setPen(Qt::white);
            p.drawLine(box.topLeft(), box.topRight());
            p.drawLine(box.topLeft(), box.bottomLeft());
            p.setPen(QColor(64, 64, 64));
            p.drawLine(box.bottomLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomRight());
        } else {
            p.setPen(Qt::black);
            p.drawRect(box.adjusted(0, 0, -1, -1));
        }
        const ColorRef ink = contrastColour(s.colour);
        const QColor inkColour = ink == kWhite ? QColor(Qt::white) : QColor(Qt::black);
        if (s.locked) {
            p.setPen(inkColour);
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
        }
        if (showSymbols_ && !s.symbol.empty()) {
            p.setPen(inkColour);
            p.setFont(symbols);
            p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, fromGbk(s.symbol));
            p.setFont(font);
        }
    }
}

}  // namespace brenmark
