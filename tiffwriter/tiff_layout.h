#pragma once
// Where things go on a 300-per-inch page: centimetres to pixels, the figures of a printed
// page and of the whole chart (the screen layout's lengths × 4.2), pagination, the canvas of
// the whole chart and the names of the files written.
#include "editor/render/chart_layout.h"
#include "editor/render/page_plan.h"

#include <string>

namespace brenmark {

inline constexpr double kPixelsPerCm = 118.11023622047243;  // 300 ÷ 2.54
inline constexpr double kPageScale = 4.2;

// Truncated.
int cmToPixels(double cm);
// A length of the screen layout on the page: trunc(units × 4.2).
int scaled(double units);

enum class ExportMode { Whole, Pages };

// The options dialog "导出矢量绣图".
struct PrintOptions {
    std::string title;      // "绣图标题": the page headers' title
    std::string publisher;  // "出图商": the maker named in the outline legend
    double paperWidthCm = 25.0;
    double paperHeightCm = 20.0;
    double cellCm = 0.3;
    ExportMode mode = ExportMode::Whole;
    int overlap = 0;  // "页面重叠行列数": rows and columns a page repeats of the one before
};

// The limits the options dialog and the batch mode accept.
inline constexpr double kMinPaperCm = 2.0, kMaxPaperCm = 500.0;
inline constexpr double kMinCellCm = 0.2, kMaxCellCm = 5.0;
// Empty when acceptable, else what is wrong (GBK).
std::string checkOptions(const PrintOptions& options);

// The rules of the page writer's pages: a cell edge in pixels, every other length of the
// printed layout × 4.2, the margin from the symbol font.
PageRules pageRules(QSize page, int cellPixels, int titleHeight);

// One printed page from a cell edge a: symbol font trunc(a − 2k), pitch trunc(2k + font),
// margin trunc((font − 10) × k).
struct PageFigures {
    int cell = 0;
    int font = 0;
    int pitch = 0;
    int margin = 0;
};
PageFigures pageFigures(int cellPixels);

// The pages of a columns × rows chart on W × H pixels with the page figures and a header of
// titleHeight: the rule of the printed pages with the page writer's margin.
PageGrid tiffPageGrid(int pageWidth, int pageHeight, const PageFigures& figures, int titleHeight, int columns, int rows);

// The cells of pattern page n (1-based), columns then rows, half-open.
struct CellRange {
    int firstColumn = 0, firstRow = 0, endColumn = 0, endRow = 0;
    int columns() const { return endColumn - firstColumn; }
    int rows() const { return endRow - firstRow; }
    bool operator==(const CellRange&) const = default;
};
CellRange tiffPageCells(const PageGrid& grid, int page, int columns, int rows);
CellRange cellRange(const QRect& cells);

// The key of the page writer: the printed key's metrics × 4.2, amounts in cells.
KeyMetrics pageKeyMetrics();
// Key columns per band on a key of `width` pixels (label column 60 × 4.2).
int keyColumnsPerBand(int width);

// The whole chart on one canvas, cell edge e: pitch trunc(e + 2k), symbol font e, width
// trunc(pitch × columns + 104k); height as many key bands as the key really draws
// (ceiling(threads ÷ key columns)) × 45 + 140 units scaled, the chart, the title height t0
// and trunc(40k).
struct WholeFigures {
    int cell = 0;
    int font = 0;
    int pitch = 0;
    int width = 0;
    int height = 0;
    int keyColumns = 0;
    int keyBands = 0;
};
WholeFigures wholeFigures(int cellPixels, int columns, int rows, int threads, int titleHeight);

// The chosen output name: a name already ending in ".tif" or ".tiff" (any case) is kept as
// given; otherwise only the file name after the last "/" changes: from its first "." on it
// becomes ".tiff", and a name without "." gets ".tiff".
std::string tiffOutputName(const std::string& chosen);
// The chosen name without its extension: folder and base name of the page files.
struct PageFiles {
    std::string folder;  // ends in "/"
    std::string base;
};
PageFiles pageFiles(const std::string& chosen);
// "%s%s_1.tif" for a single pattern page, "%s%s_%d.tif" for page n, "%s%s_KEY.tif" for the
// key page (page == total).
std::string pageFileName(const PageFiles& files, int page, int total);

}  // namespace brenmark
