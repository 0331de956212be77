#pragma once
// The printed chart in logical units (96 a inch): the print settings, how the pattern is cut
// into pages, where each page puts its chart, rulers, centre marks and header, and the key
// page. Every target (a printer, the preview, image, SVG and PDF files) draws these pages
// through the same calls, scaled to its own resolution.
#include "editor/document/pattern_document.h"
#include "editor/render/chart_painter.h"

#include <QPoint>
#include <QRect>
#include <QSize>

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
    std::string author;
    std::string title = "Velmora十字绣绣图";
};

// The cell size entered in millimetres as whole logical pixels: rounded half up by the first
// decimal, then truncated.
int cellPixelsFromMillimetres(double millimetres);

struct PageGrid {
    int pagesAcross = 1;
    int pagesDown = 1;
    int columnsPerPage = 0;
    int rowsPerPage = 0;
    int total = 2;  // the pattern pages and the key page
    int patternPages() const { return total - 1; }
};

// Cuts a chart of width x height cells at cell size s into pages of W x H units, whose
// header is titleHeight high.
PageGrid paginate(int pageWidth, int pageHeight, int s, int width, int height, int titleHeight);

// What a print job draws: pages by number (1-based; the key page is the last).
std::vector<int> pagesToPrint(const PageGrid& grid, int chosenPage /* 0: all */);

class ChartLayout {
public:
    ChartLayout(const PatternDocument& doc, const PrintSettings& settings, QSize page);

    const PageGrid& grid() const { return grid_; }
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

private:
    const PatternDocument& doc_;
    PrintSettings settings_;
    QSize page_;
    int margin_ = 0;
    int titleHeight_ = 0;
    PageGrid grid_;
    mutable ChartPaintCache cache_;
};

}  // namespace brenmark
