#pragma once
// How a chart is cut into printed pages and how big its key is, for every target: the
// editor's pages in logical units (96 an inch) and the page writer's 300-per-inch pages,
// whose lengths are the printed layout's multiplied by a scale. The rules are data; the
// cutting, the cells of each page and the chart's place on it are computed once, here.
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <string>
#include <vector>

namespace brenmark {

// The pages of a chart, in order: the pattern pages, the page map (when asked for and there
// is more than one pattern page), then the key's pages (one, unless a key lists more threads
// than a page holds).
struct PageGrid {
    int pagesAcross = 1;
    int pagesDown = 1;
    int columnsPerPage = 0;  // the cells a page shows, the repeated ones included
    int rowsPerPage = 0;
    int overlapColumns = 0;  // the last columns of a page repeated at the start of the next
    int overlapRows = 0;
    int mapPage = 0;  // the page map's page number, 0 for none
    int keyPages = 1;
    int total = 2;  // every page
    int patternPages() const { return pagesAcross * pagesDown; }
    int firstKeyPage() const { return total - keyPages + 1; }
    bool isKeyPage(int page) const { return page >= firstKeyPage(); }
    // The new columns and rows each page brings.
    int columnStep() const { return columnsPerPage - overlapColumns; }
    int rowStep() const { return rowsPerPage - overlapRows; }
};

// How many rows and columns a page may repeat of the one before it.
inline constexpr int kMaxPageOverlap = 5;

// How the margin around the chart follows from the cell.
enum class MarginRule {
    CellMultiple,   // trunc(cell × 4.375): the printed pages
    SymbolFont,     // trunc((symbol font − 10) × scale), never below 0: the page writer
};

// The figures of a page: a cell edge as chosen, the scale of the layout's other lengths and
// the margin rule. The symbol font is trunc(cell − 2 × scale) and the pitch (the cell's edge
// on the page) trunc(2 × scale + font): at scale 1 the pitch is the cell itself.
struct PageRules {
    QSize page;
    int cell = 10;
    double scale = 1.0;
    MarginRule marginRule = MarginRule::CellMultiple;
    int titleHeight = 0;  // the header above the chart
    int overlap = 0;      // rows and columns repeated from the page before, 0 … kMaxPageOverlap
    bool pageMap = false; // a page showing which page holds which part of the chart
    int keyPages = 1;

    // The editor's printed pages: cell size s in logical units.
    static PageRules printed(QSize page, int cellSize, int titleHeight);
    // The page writer's pages: a cell edge in pixels, every other length × scale.
    static PageRules scaledPages(QSize page, int cellPixels, double scale, int titleHeight);

    int symbolFont() const;
    int pitch() const;
    int margin() const;
    // A length of the printed layout on this page: trunc(units × scale).
    int scaled(double units) const { return static_cast<int>(units * scale); }
};

// The pages of a chart and where each page's cells and chart lie.
class PagePlan {
public:
    PagePlan() = default;
    PagePlan(const PageRules& rules, int columns, int rows);

    const PageRules& rules() const { return rules_; }
    const PageGrid& grid() const { return grid_; }
    int pitch() const { return pitch_; }
    int margin() const { return margin_; }
    // The cells of pattern page n (1-based): columns and rows, half-open as a QRect of that
    // size.
    QRect cells(int page) const;
    // The cells of pattern page n repeated from the pages before it (shown shaded): its first
    // overlap columns unless it is the first page across, and its first overlap rows unless it
    // is the first page down. Both empty without overlap.
    QRect repeatedColumns(int page) const;
    QRect repeatedRows(int page) const;
    // Top-left corner of the chart on a page showing `columns` columns: centred across when
    // there is room, never into the margin; below the margin and the header.
    QPoint chartOrigin(int columns) const;

private:
    PageRules rules_;
    int columns_ = 0, rows_ = 0;
    int pitch_ = 0, margin_ = 0;
    PageGrid grid_;
};

// Across: when W − pitch × columns < 1, (W − 2m) ÷ pitch columns a page; else one page with
// all columns. Down: (H − 2m − header) ÷ pitch − 1 rows a page, at least one, no more than the
// pattern has. With an overlap k each page after the first across (down) starts with the last
// k columns (rows) of the one before, so a page brings columnsPerPage − k new ones (k kept
// below a page's cells). The page map and then the key pages come last.
PagePlan paginate(const PageRules& rules, int columns, int rows);

// The cells of pattern page n (1-based) of a grid over a columns × rows chart, walked row
// of pages by row of pages, each page starting a step (the page's cells less the overlap)
// after the one before: half-open as a QRect of that size.
QRect pageCells(const PageGrid& grid, int page, int columns, int rows);

// The part of a page file's name after "_" for page n: its number for a pattern page, "MAP"
// for the page map, "KEY" for the key page and "KEY2", "KEY3" … for the key's further pages.
std::string pageFileSuffix(const PageGrid& grid, int page);

// Where ruler numbers stand on every page: 1, every tenth and the last of a run of `count`
// cells (the numbers written, index + 1).
std::vector<int> rulerNumbers(int count);
// The same, leaving out a number that would run into the next one kept (the last is always
// kept): room(number, next) is how far apart, in device units, two numbers must stand at
// `pitch` a cell.
std::vector<int> spacedRulerNumbers(int count, int pitch, const std::function<int(int number, int next)>& room);

// The lengths of the key, in the printed layout's units times a scale.
struct KeyMetrics {
    int labelWidth = 60;    // the label column: 60, 85 when the key lists metres
    int columnWidth = 50;   // the narrowest thread column
    int rowHeight = 15;     // a row of symbols, numbers or amounts
    int fontHeight = 12;
    int headerGap = 5;      // between the header fields and the first band
    int bandGap = 0;        // between bands of three rows
    int tableGap = 5;       // between the last band and the fabric line
    int itemGap = 5;        // between legend items
    int sampleLength = 30;  // an outline sample line
    int sampleGap = 2;      // between the sample line and the outline's length
    int makerInset = 2;     // the maker's distance from the right edge
    int inset = 20;         // the whole chart's key: 20 units in from the left
    int samplePen = 1;      // an outline sample's pen

    // The metrics at a scale (1 for the editor's units, 4.2 for the page writer): every
    // length trunc(units × scale). The sample pen is the caller's.
    static KeyMetrics at(double scale, bool metres);
    // Thread columns per band on a key `width` wide, at least one.
    int columnsPerBand(int width) const;
    // The height of a band of three rows.
    int bandHeight() const { return 3 * rowHeight; }
};

// The whole chart on one canvas: the chart as one page, the key under it.
struct WholeChartMetrics {
    int extraWidth = 104;   // beside the chart: the rulers and centre marks on both sides
    int bandHeight = 45;    // each band of the key
    int keyRoom = 140;      // the key's header, fabric line, legend and the room around them
    // Canvas of a chart with `pitch` cells: trunc(pitch × columns + 104 × scale) wide;
    // ceiling(threads ÷ key columns) bands of 45, then 140, scaled, plus the chart, the title
    // and `headerRoom` high. Key columns are those of a key `inset` narrower than the canvas.
    static QSize canvas(int pitch, int columns, int rows, int threads, int titleHeight, const KeyMetrics& key, double scale,
                        int headerRoom);
};

}  // namespace brenmark
