#include "editor/render/chart_layout.h"

#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace brenmark {
namespace {

QFont headerFont()
{
    QFont f = songTi(20);
    f.setBold(true);
    return f;
}

// Ruler numbers that would run into their neighbour are left out, the last one kept: with
// small cells "30" and "31" would otherwise print over each other. `extent` is the room a
// number needs along the ruler, 0 for its text's width.
std::vector<int> spacedNumbers(const std::vector<int>& numbers, int s, int extent, const QFontMetrics& fm)
{
    std::vector<int> kept;
    int next = -1;  // the number kept after this one
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) {
        const int room = extent > 0 ? extent : (fm.horizontalAdvance(QString::number(*it)) + fm.horizontalAdvance(QString::number(next))) / 2 + 2;
        if (next < 0 || (next - *it) * s >= room) {
            kept.insert(kept.begin(), *it);
            next = *it;
        }
    }
    return kept;
}

int ceilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 0; }

// The height of the header's title, "十字绣绣图" in the bold header font.
int chartTitleHeight()
{
    return QFontMetrics(headerFont()).boundingRect(fromGbk("十字绣绣图")).height();
}

}  // namespace

int cellPixelsFromMillimetres(double millimetres)
{
    const double pixels = millimetres * 96 * 0.03937007874015748;
    // Half up by the first decimal: 37.75 becomes 38, 37.74 stays 37.
    const int tenths = static_cast<int>(pixels * 10) % 10;
    return static_cast<int>(pixels) + (tenths >= 5 ? 1 : 0);
}

PageGrid paginate(int pageWidth, int pageHeight, int s, int width, int height, int titleHeight)
{
    PageGrid g;
    const int m = static_cast<int>(s * 4.375);
    if (pageWidth - s * width < 1) {
        g.columnsPerPage = std::max(1, (pageWidth - 2 * m) / s);
        g.pagesAcross = ceilDiv(width, g.columnsPerPage);
    } else {
        g.pagesAcross = 1;
        g.columnsPerPage = width;
    }
    g.rowsPerPage = std::max(1, (pageHeight - m - (m + titleHeight)) / s - 1);
    g.pagesDown = std::max(1, ceilDiv(height, g.rowsPerPage));
    if (height < g.rowsPerPage)
        g.rowsPerPage = height;
    g.total = g.pagesAcross * g.pagesDown + 1;
    return g;
}

std::vector<int> pagesToPrint(const PageGrid& grid, int chosenPage)
{
    std::vector<int> pages;
    if (chosenPage > 0) {
        if (chosenPage <= grid.total)
            pages.push_back(chosenPage);
        return pages;
    }
    for (int n = 1; n <= grid.total; ++n)
        pages.push_back(n);
    return pages;
}

ChartStyle printStyle(bool colour, bool colouredSymbols)
{
    if (colouredSymbols)
        return ChartStyle::ColouredSymbols;
    return colour ? ChartStyle::PrintColour : ChartStyle::PrintBlackWhite;
}

ChartLayout::ChartLayout(const PatternDocument& doc, const PrintSettings& settings, QSize page,
                         std::optional<FabricName> fabricName)
    : doc_(doc), settings_(settings), page_(page), fabricName_(std::move(fabricName))
{
    margin_ = static_cast<int>(settings_.cellSize * 4.375);
    titleHeight_ = chartTitleHeight();
    grid_ = paginate(page.width(), page.height(), settings_.cellSize, doc.width(), doc.height(), titleHeight_);
    entryCells_.assign(static_cast<std::size_t>(doc.threads.size()), 0);
    const auto threads = static_cast<std::int32_t>(entryCells_.size());
    for (const std::int32_t v : doc.grid.cells)
        if (v >= 0 && v < threads)
            ++entryCells_[static_cast<std::size_t>(v)];
}

QSize ChartLayout::wholeChartSize(const PatternDocument& doc, bool amountsInMetres, int b)
{
    const int W = (b + 2) * doc.width() + 104;
    const int C = std::max(1, amountsInMetres ? (W - 25 - 80) / 50 : (W - 80) / 50);
    const int bands = ceilDiv(doc.threads.size(), C);
    return QSize(W, bands * 45 + (b + 2) * doc.height() + chartTitleHeight() + 140);
}

ChartLayout ChartLayout::wholeChart(const PatternDocument& doc, const PrintSettings& settings, int b,
                                    std::optional<FabricName> fabricName)
{
    PrintSettings whole = settings;
    whole.cellSize = b + 2;
    return ChartLayout(doc, whole, wholeChartSize(doc, settings.amountsInMetres, b), std::move(fabricName));
}

void ChartLayout::drawWholeChart(QPainter& p, ChartStyle style) const
{
    p.fillRect(QRect(QPoint(0, 0), page_), Qt::white);
    drawPatternPage(p, 1, style);
    // The key 20 units in, under the chart and its lower ruler.
    const int chartBottom = margin_ + titleHeight_ + settings_.cellSize * doc_.height();
    drawKey(p, style, QPoint(20, chartBottom + margin_ / 2 + 15), page_.width() - 20);
}

QRect ChartLayout::pageCells(int page) const
{
    const int index = page - 1;
    const int pageRow = index / grid_.pagesAcross, pageColumn = index % grid_.pagesAcross;
    const int c0 = pageColumn * grid_.columnsPerPage, r0 = pageRow * grid_.rowsPerPage;
    const int c1 = std::min(c0 + grid_.columnsPerPage, doc_.width());
    const int r1 = std::min(r0 + grid_.rowsPerPage, doc_.height());
    return QRect(c0, r0, c1 - c0, r1 - r0);
}

QPoint ChartLayout::chartOrigin(int columns) const
{
    // Centred across when there is room, but never into the margin the rulers need.
    const int centred = (page_.width() - settings_.cellSize * columns) / 2;
    const int x0 = centred >= 1 ? std::max(centred, margin_) : margin_;
    return QPoint(x0, margin_ + titleHeight_);
}

std::string ChartLayout::header(int page) const
{
    char tail[64];
    std::snprintf(tail, sizeof tail, " --第%d张 共%d张", page, grid_.patternPages());
    return settings_.title + tail;
}

std::vector<int> ChartLayout::rulerNumbers(int count)
{
    std::vector<int> numbers;
    for (int p = 0; p < count; ++p)
        if (p == 0 || (p + 1) % 10 == 0 || p + 1 == count)
            numbers.push_back(p + 1);
    return numbers;
}

double ChartLayout::centreOffset(int count)
{
    return count % 2 == 0 ? count / 2 : count / 2 + 0.5;
}

void ChartLayout::drawPage(QPainter& p, int page, ChartStyle style) const
{
    p.fillRect(QRect(QPoint(0, 0), page_), Qt::white);
    if (page >= grid_.total)
        drawKeyPage(p, style);
    else
        drawPatternPage(p, page, style);
}

void ChartLayout::drawPatternPage(QPainter& p, int page, ChartStyle style) const
{
    const int s = settings_.cellSize;
    const QRect cells = pageCells(page);
    const QPoint origin = chartOrigin(cells.width());
    p.save();
    p.setFont(headerFont());
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, page_.width(), margin_ + titleHeight_), Qt::AlignHCenter | Qt::AlignVCenter, fromGbk(header(page)));

    ChartGeometry g;
    g.cellSize = static_cast<float>(s);
    g.origin = QPoint(origin.x() - cells.left() * s, origin.y() - cells.top() * s);
    g.areaStart = origin;
    g.firstColumn = cells.left();
    g.firstRow = cells.top();
    g.width = cells.right() + 1;  // the painter stops at the page's last cells
    g.height = cells.bottom() + 1;
    const QRect chartArea(origin, QSize(cells.width() * s, cells.height() * s));
    const QSize device(chartArea.right() + 1, chartArea.bottom() + 1);
    ChartPainter chart(doc_, g, style, cache_);
    chart.setGridPens(QPen(qColour(settings_.gridColour), 1), QPen(Qt::black, settings_.tenLineWidth));

    p.save();
    p.setClipRect(chartArea);
    if (style == ChartStyle::PrintColour) {
        for (int r = cells.top(); r <= cells.bottom(); ++r)
            for (int c = cells.left(); c <= cells.right(); ++c) {
                const std::int32_t index = doc_.cell(c, r);
                if (doc_.isThread(index))
                    p.fillRect(g.cellRectF(c, r), qColour(doc_.shownColor(index)));
            }
    }
    chart.stitchMarks(p, cells);
    chart.symbols(p, cells, device, std::max(1, s - 2), true);
    chart.grid(p, device);
    chart.lines(p);
    p.restore();

    // Ruler numbers and centre marks in the margins, all four sides.
    QFont rulerFont = songTi(12);
    p.setFont(rulerFont);
    const QFontMetrics fm(rulerFont);
    p.setPen(Qt::black);
    for (int n : spacedNumbers(rulerNumbers(doc_.height()), s, fm.ascent() + 1, fm)) {
        const int r = n - 1;
        if (r < cells.top() || r > cells.bottom())
            continue;
        const double y = g.origin.y() + r * s + s / 2.0 + fm.ascent() / 2.0 - 1;
        const QString label = QString::number(n);
        p.drawText(QPointF(chartArea.left() - 3 - fm.horizontalAdvance(label), y), label);
        p.drawText(QPointF(chartArea.right() + 4, y), label);
    }
    for (int n : spacedNumbers(rulerNumbers(doc_.width()), s, 0, fm)) {
        const int c = n - 1;
        if (c < cells.left() || c > cells.right())
            continue;
        const QString label = QString::number(n);
        const double x = g.origin.x() + c * s + s / 2.0 - fm.horizontalAdvance(label) / 2.0;
        p.drawText(QPointF(x, chartArea.top() - 3 - fm.descent()), label);
        p.drawText(QPointF(x, chartArea.bottom() + 3 + fm.ascent()), label);
    }
    p.setPen(QColor(255, 0, 0));
    const double cy = g.origin.y() + centreOffset(doc_.height()) * s;
    if (cy >= chartArea.top() && cy <= chartArea.bottom() + 1) {
        const QString diamond = fromGbk("◆");
        const int dw = fm.horizontalAdvance(diamond);
        const double base = cy + fm.ascent() / 2.0 - 1;
        p.drawText(QPointF(chartArea.left() - margin_ / 2.0 - dw / 2.0, base), diamond);
        p.drawText(QPointF(chartArea.right() + margin_ / 2.0 - dw / 2.0, base), diamond);
    }
    const double cx = g.origin.x() + centreOffset(doc_.width()) * s;
    if (cx >= chartArea.left() && cx <= chartArea.right() + 1) {
        const QString down = fromGbk("▼"), up = fromGbk("▲");
        const int dw = fm.horizontalAdvance(down);
        p.drawText(QPointF(cx - dw / 2.0, chartArea.top() - 3 - fm.height()), down);
        p.drawText(QPointF(cx - dw / 2.0, chartArea.bottom() + 3 + fm.height() + fm.ascent()), up);
    }
    p.restore();
}

}  // namespace brenmark
