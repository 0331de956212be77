#include "editor/render/page_plan.h"

#include <algorithm>

namespace brenmark {
namespace {

int ceilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 0; }

}  // namespace

PageRules PageRules::printed(QSize page, int cellSize, int titleHeight)
{
    PageRules r;
    r.page = page;
    r.cell = cellSize;
    r.scale = 1.0;
    r.marginRule = MarginRule::CellMultiple;
    r.titleHeight = titleHeight;
    return r;
}

PageRules PageRules::scaledPages(QSize page, int cellPixels, double scale, int titleHeight)
{
    PageRules r;
    r.page = page;
    r.cell = cellPixels;
    r.scale = scale;
    r.marginRule = MarginRule::SymbolFont;
    r.titleHeight = titleHeight;
    return r;
}

int PageRules::symbolFont() const
{
    return static_cast<int>(cell - 2 * scale);
}

int PageRules::pitch() const
{
    return static_cast<int>(2 * scale + symbolFont());
}

int PageRules::margin() const
{
    switch (marginRule) {
    case MarginRule::CellMultiple:
        return static_cast<int>(pitch() * 4.375);
    case MarginRule::SymbolFont:
        // Below a 10-pixel font the formula runs negative; the chart then starts at the edge.
        return std::max(0, static_cast<int>((symbolFont() - 10) * scale));
    }
    return 0;
}

PagePlan::PagePlan(const PageRules& rules, int columns, int rows)
    : rules_(rules), columns_(columns), rows_(rows), pitch_(std::max(1, rules.pitch())), margin_(rules.margin())
{
    const int W = rules.page.width(), H = rules.page.height();
    const int overlap = std::clamp(rules.overlap, 0, kMaxPageOverlap);
    PageGrid& g = grid_;
    // Pages after the first bring their cells less the repeated ones.
    const auto pagesFor = [](int count, int perPage, int repeated) {
        return count <= perPage ? 1 : 1 + ceilDiv(count - perPage, perPage - repeated);
    };
    if (W - pitch_ * columns < 1) {
        g.columnsPerPage = std::max(1, (W - 2 * margin_) / pitch_);
        g.overlapColumns = std::min(overlap, g.columnsPerPage - 1);
        g.pagesAcross = pagesFor(columns, g.columnsPerPage, g.overlapColumns);
        if (g.pagesAcross == 1)
            g.overlapColumns = 0;
    } else {
        g.pagesAcross = 1;
        g.columnsPerPage = columns;
    }
    // A page too small for two rows still shows one.
    g.rowsPerPage = std::max(1, (H - margin_ - (margin_ + rules.titleHeight)) / pitch_ - 1);
    g.overlapRows = std::min(overlap, g.rowsPerPage - 1);
    g.pagesDown = std::max(1, pagesFor(rows, g.rowsPerPage, g.overlapRows));
    if (g.pagesDown == 1)
        g.overlapRows = 0;
    if (rows < g.rowsPerPage)
        g.rowsPerPage = rows;
    g.keyPages = std::max(1, rules.keyPages);
    g.mapPage = rules.pageMap && g.patternPages() > 1 ? g.patternPages() + 1 : 0;
    g.total = g.patternPages() + (g.mapPage ? 1 : 0) + g.keyPages;
}

QRect pageCells(const PageGrid& grid, int page, int columns, int rows)
{
    const int index = page - 1;
    const int across = std::max(1, grid.pagesAcross);
    const int pageRow = index / across, pageColumn = index % across;
    const int c0 = pageColumn * std::max(1, grid.columnStep()), r0 = pageRow * std::max(1, grid.rowStep());
    const int c1 = std::min(c0 + grid.columnsPerPage, columns);
    const int r1 = std::min(r0 + grid.rowsPerPage, rows);
    return QRect(c0, r0, c1 - c0, r1 - r0);
}

QRect PagePlan::repeatedColumns(int page) const
{
    const QRect c = cells(page);
    const int pageColumn = (page - 1) % std::max(1, grid_.pagesAcross);
    if (pageColumn == 0 || grid_.overlapColumns == 0)
        return {};
    return QRect(c.left(), c.top(), std::min(grid_.overlapColumns, c.width()), c.height());
}

QRect PagePlan::repeatedRows(int page) const
{
    const QRect c = cells(page);
    const int pageRow = (page - 1) / std::max(1, grid_.pagesAcross);
    if (pageRow == 0 || grid_.overlapRows == 0)
        return {};
    return QRect(c.left(), c.top(), c.width(), std::min(grid_.overlapRows, c.height()));
}

QRect PagePlan::cells(int page) const
{
    return pageCells(grid_, page, columns_, rows_);
}

QPoint PagePlan::chartOrigin(int columns) const
{
    const int centred = (rules_.page.width() - pitch_ * columns) / 2;
    const int x0 = centred >= 1 ? std::max(centred, margin_) : margin_;
    return QPoint(x0, margin_ + rules_.titleHeight);
}

PagePlan paginate(const PageRules& rules, int columns, int rows)
{
    return PagePlan(rules, columns, rows);
}

std::string pageFileSuffix(const PageGrid& grid, int page)
{
    if (grid.isKeyPage(page)) {
        const int k = page - grid.firstKeyPage();
        return k == 0 ? std::string("KEY") : "KEY" + std::to_string(k + 1);
    }
    if (page == grid.mapPage)
        return "MAP";
    return std::to_string(page);
}

std::vector<int> rulerNumbers(int count)
{
    std::vector<int> numbers;
    for (int p = 0; p < count; ++p)
        if (p == 0 || (p + 1) % 10 == 0 || p + 1 == count)
            numbers.push_back(p + 1);
    return numbers;
}

std::vector<int> spacedRulerNumbers(int count, int pitch, const std::function<int(int number, int next)>& room)
{
    const std::vector<int> numbers = rulerNumbers(count);
    std::vector<int> kept;
    int next = -1;  // the number kept after this one
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it)
        if (next < 0 || (next - *it) * pitch >= room(*it, next)) {
            kept.insert(kept.begin(), *it);
            next = *it;
        }
    return kept;
}

KeyMetrics KeyMetrics::at(double scale, bool metres)
{
    const auto k = [scale](double units) { return static_cast<int>(units * scale); };
    KeyMetrics m;
    m.labelWidth = k(metres ? 85 : 60);
    m.columnWidth = k(50);
    m.rowHeight = k(15);
    m.fontHeight = k(12);
    m.headerGap = k(5);
    m.bandGap = 0;
    m.tableGap = k(5);
    m.itemGap = k(5);
    m.sampleLength = k(30);
    m.sampleGap = k(2);
    m.makerInset = k(2);
    m.inset = k(20);
    m.samplePen = 1;
    return m;
}

int KeyMetrics::columnsPerBand(int width) const
{
    return std::max(1, (width - labelWidth) / std::max(1, columnWidth));
}

QSize WholeChartMetrics::canvas(int pitch, int columns, int rows, int threads, int titleHeight, const KeyMetrics& key,
                                double scale, int headerRoom)
{
    const WholeChartMetrics m;
    const int width = static_cast<int>(static_cast<double>(pitch) * columns + m.extraWidth * scale);
    const int bands = ceilDiv(threads, key.columnsPerBand(width - key.inset));
    const int height = static_cast<int>((bands * m.bandHeight + m.keyRoom) * scale) + pitch * rows + titleHeight + headerRoom;
    return QSize(width, height);
}

}  // namespace brenmark
