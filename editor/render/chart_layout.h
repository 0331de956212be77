#pragma once
// The printed chart in logical units (96 a inch): the print settings, how the pattern is cut
// into pages, where each page puts its chart, rulers, centre marks and header, and the key
// page. Every target (a printer, the preview, image, SVG and PDF files) draws these pages
// through the same calls, scaled to its own resolution.
#include "editor/document/fabric_colors.h"
#include "editor/document/pattern_document.h"
#include "editor/document/thread_names.h"
#include "editor/render/chart_painter.h"
#include "editor/render/key_model.h"
#include "editor/render/page_plan.h"
#include "interchange/ui_text.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace brenmark {

struct PrintSettings {
    int cellSize = 10;  // logical pixels
    int tenLineWidth = 2;
    ColorRef gridColour = rgb(0x78, 0x78, 0x78);
    bool amountsInMetres = false;
    std::string fabric = "14CT";
    int strands = 2;
    int outlineStrands = 1;
    std::string author = kDefaultAuthor;
    std::string title = UI_TEXT_NOOP("Velmora十字绣绣图");
    int pageOverlap = 0;        // "页面重叠行列数": rows and columns a page repeats of the one before
    bool pageMap = false;       // "页面分布图": a page showing which page holds which cells
    bool englishKey = false;    // "英文图例": the key as a floss list in English
    bool chartSymbols = false;  // symbols in the chart symbol font, every other text in the text font
    KeySettings key() const { return {amountsInMetres, fabric, strands, outlineStrands, author}; }
};

// The details of a chart for chart-reader apps ("图表应用PDF"): three rows and columns of
// overlap, the page map, the English floss list and the chart symbol font, the rest as given.
PrintSettings chartAppSettings(PrintSettings settings);

// One line of the English key.
struct FlossLine {
    enum class Kind { Text, FullStitch, BackStitch };
    Kind kind = Kind::Text;
    std::string text;  // a Text line
    int index = -1;    // the key row (FullStitch) or the outline (BackStitch)
    std::string symbol, strands, brand, number, name, amount;
};

// The cell size entered in millimetres as whole logical pixels: rounded half up by the first
// decimal, then truncated.
int cellPixelsFromMillimetres(double millimetres);

// Cuts a chart of width x height cells at cell size s into pages of W x H units, whose
// header is titleHeight high: the printed rules of paginate(PageRules).
PageGrid paginate(int pageWidth, int pageHeight, int s, int width, int height, int titleHeight);

// What a print job draws: pages by number (1-based; the key page is the last).
std::vector<int> pagesToPrint(const PageGrid& grid, int chosenPage /* 0: all */);

// The style of a print or export: colour or black and white, and "彩色符" (symbols in their
// threads' colours, no cells filled) over either.
ChartStyle printStyle(bool colour, bool colouredSymbols);

class ChartLayout {
public:
    // fabricName: the fabric colour's name and thread number for the key ("绣布 %s(%s)"),
    // nothing when the fabric colour has no name.
    ChartLayout(const PatternDocument& doc, const PrintSettings& settings, QSize page,
                std::optional<FabricName> fabricName = {});

    // The whole chart on one canvas, the key below it: cells of b + 2 units (symbols of
    // height b), a canvas of (b + 2) x width + 104 by ceiling(threads / C) x 45 +
    // (b + 2) x height + title + 140, C being the key's threads per band at 20 units in.
    static ChartLayout wholeChart(const PatternDocument& doc, const PrintSettings& settings, int b = 8,
                                  std::optional<FabricName> fabricName = {});
    // The canvas of wholeChart without making the layout (for refusing a canvas too large).
    static QSize wholeChartSize(const PatternDocument& doc, bool amountsInMetres, int b = 8);

    const PageGrid& grid() const { return plan_.grid(); }
    const PagePlan& plan() const { return plan_; }
    QSize pageSize() const { return page_; }
    int margin() const { return margin_; }
    int titleHeight() const { return titleHeight_; }
    // The cells of pattern page n: columns and rows, half-open as a QRect of that size.
    QRect pageCells(int page) const;
    // Top-left corner of the chart on a page showing `columns` columns.
    QPoint chartOrigin(int columns) const;
    // The header of pattern page n.
    std::string header(int page) const;
    // Where ruler numbers stand: 1, every tenth, and the last, for a run of `count` cells;
    // the values are the numbers written (index + 1).
    static std::vector<int> rulerNumbers(int count);
    // The centre mark's offset from the chart's edge in cells: on the line between the two
    // middle cells for an even count, in the middle of the middle cell for an odd one.
    static double centreOffset(int count);

    // Draws page n (a pattern page or the key page) onto a painter in logical units, white
    // background included.
    void drawPage(QPainter& p, int page, ChartStyle style) const;
    void drawPatternPage(QPainter& p, int page, ChartStyle style) const;
    void drawKeyPage(QPainter& p, ChartStyle style) const;
    // The whole chart and its key on the canvas of wholeChart.
    void drawWholeChart(QPainter& p, ChartStyle style) const;
    // The page map: the chart's outline with every pattern page's cells as a numbered
    // rectangle, the repeated cells shaded.
    void drawPageMap(QPainter& p, ChartStyle style) const;

    // The English key, a floss list as chart-reader apps read it: the title, "NNw X NNh
    // Stitches", "Fabric: 14 count Aida, white", "Floss Used for Full Stitches:" and one line
    // "symbol strands brand number name stitches" per thread with cells, then "Floss Used for
    // Back Stitches:" and one line per outline thread.
    std::vector<FlossLine> flossLines() const;
    // How many lines of it a key page holds, and the height of one.
    int flossLinesPerPage() const;
    static constexpr int kFlossLineHeight = 16;
    static constexpr int kFlossFontHeight = 12;
    // Draws the English key's page `index` (0-based).
    void drawFlossPage(QPainter& p, ChartStyle style, int index) const;
    // Draws lines [first, last) of the English key from topLeft down.
    void drawFlossLines(QPainter& p, ChartStyle style, const std::vector<FlossLine>& lines, int first, int last,
                        QPoint topLeft) const;

    // Thread names for the keys (by number), none until given.
    void setThreadNames(ThreadNames names) { names_ = std::move(names); }
    const ThreadNames& threadNames() const { return names_; }
    // The family symbols are printed in: the chart symbol font when the settings ask for it
    // and it is installed (or the one a caller set), else empty for the text font.
    QString symbolFamily() const;
    void setSymbolFamily(const QString& family) { symbolFamilyOverride_ = family; }

    // The key: the header, bands of three rows of threads, the fabric line with the outline
    // legend and the maker. Drawn from topLeft across width units; returns the y below it.
    int drawKey(QPainter& p, ChartStyle style, QPoint topLeft, int width) const;
    // Where the key's pieces stand when drawn from topLeft across width units.
    KeyDrawing keyDrawing(QPoint topLeft, int width) const;
    // The key of the whole chart: 20 units in, under the chart and its lower ruler.
    QPoint wholeKeyTopLeft() const;
    // The key's lengths on these pages and what it says.
    KeyMetrics keyMetrics() const;
    const KeyModel& keyModel() const { return key_; }
    const ThreadUsage& usage() const { return usage_; }
    // Threads per band and the label column's width for a key width units wide.
    int keyLabelWidth() const { return keyMetrics().labelWidth; }
    int keyColumns(int width) const { return keyMetrics().columnsPerBand(width); }
    // What the key's third row says for thread table entry i: its cells, or its six-strand
    // metres ("%.2fm") with its colour's outline when it is the colour's first entry.
    std::string keyAmount(std::size_t entry) const;
    // The key's font made smaller, if need be, until text fits a cell `width` wide.
    static QFont fittedKeyFont(const QFont& font, const QString& text, int width);
    // One legend item per distinct outline colour, in the order the lines first use it.
    using OutlineThread = OutlineGroup;
    const std::vector<OutlineThread>& outlineThreads() const { return usage_.outlines(); }
    const PrintSettings& settings() const { return settings_; }

private:
    const PatternDocument& doc_;
    PrintSettings settings_;
    QSize page_;
    std::optional<FabricName> fabricName_;
    ThreadUsage usage_;
    KeyModel key_;
    int margin_ = 0;
    int titleHeight_ = 0;
    PagePlan plan_;
    ThreadNames names_;
    std::optional<QString> symbolFamilyOverride_;
    mutable ChartPaintCache cache_;
    // The ruler numbers printed along the rows and columns, the same on every page of a
    // cell size and pattern size; worked out by the first page drawn.
    struct RulerNumbers {
        int cellSize = -1, width = -1, height = -1;
        std::vector<int> rows, columns;
    };
    mutable RulerNumbers rulers_;
};

}  // namespace brenmark
