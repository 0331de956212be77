#include "tiffwriter/tiff_layout.h"

#include "interchange/ui_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace brenmark {
int cmToPixels(double cm)
{
    return static_cast<int>(cm * kPixelsPerCm);
}

int scaled(double units)
{
    return static_cast<int>(units * kPageScale);
}

std::string checkOptions(const PrintOptions& o)
{
    auto inside = [](double v, double low, double high) { return std::isfinite(v) && v >= low && v <= high; };
    char text[128];
    if (!inside(o.paperWidthCm, kMinPaperCm, kMaxPaperCm) || !inside(o.paperHeightCm, kMinPaperCm, kMaxPaperCm)) {
        std::snprintf(text, sizeof text, uiText("纸张的宽和高应在%g到%g厘米之间").c_str(), kMinPaperCm, kMaxPaperCm);
        return text;
    }
    if (!inside(o.cellCm, kMinCellCm, kMaxCellCm)) {
        std::snprintf(text, sizeof text, uiText("印刷格大小应在%g到%g厘米之间").c_str(), kMinCellCm, kMaxCellCm);
        return text;
    }
    return {};
}

PageRules pageRules(QSize page, int cellPixels, int titleHeight)
{
    return PageRules::scaledPages(page, cellPixels, kPageScale, titleHeight);
}

PageFigures pageFigures(int cellPixels)
{
    const PageRules rules = pageRules(QSize(), cellPixels, 0);
    PageFigures f;
    f.cell = cellPixels;
    f.font = rules.symbolFont();
    f.pitch = rules.pitch();
    f.margin = rules.margin();
    return f;
}

PageGrid tiffPageGrid(int pageWidth, int pageHeight, const PageFigures& f, int titleHeight, int columns, int rows)
{
    return paginate(pageRules(QSize(pageWidth, pageHeight), f.cell, titleHeight), columns, rows).grid();
}

CellRange cellRange(const QRect& cells)
{
    return {cells.left(), cells.top(), cells.left() + cells.width(), cells.top() + cells.height()};
}

CellRange tiffPageCells(const PageGrid& grid, int page, int columns, int rows)
{
    return cellRange(pageCells(grid, page, columns, rows));
}

KeyMetrics pageKeyMetrics()
{
    return KeyMetrics::at(kPageScale, false);
}

int keyColumnsPerBand(int width)
{
    return pageKeyMetrics().columnsPerBand(width);
}

WholeFigures wholeFigures(int cellPixels, int columns, int rows, int threads, int titleHeight)
{
    WholeFigures f;
    f.cell = cellPixels;
    f.font = cellPixels;
    f.pitch = static_cast<int>(cellPixels + 2 * kPageScale);
    // The chart starts 40 units down, below the title; the key's left and right 10 units
    // stay free, as on the printed key.
    const KeyMetrics key = pageKeyMetrics();
    const QSize canvas = WholeChartMetrics::canvas(f.pitch, columns, rows, threads, titleHeight, key, kPageScale, scaled(40));
    f.width = canvas.width();
    f.height = canvas.height();
    f.keyColumns = key.columnsPerBand(f.width - key.inset);
    f.keyBands = threads > 0 ? (threads + f.keyColumns - 1) / f.keyColumns : 0;
    return f;
}

namespace {

// Whether a file name ends in ".tif" or ".tiff", in any case.
bool namedTiff(const std::string& name)
{
    auto endsWith = [&](const char* tail) {
        const std::size_t n = std::strlen(tail);
        if (name.size() <= n)
            return false;
        for (std::size_t i = 0; i < n; ++i)
            if (std::tolower(static_cast<unsigned char>(name[name.size() - n + i])) != tail[i])
                return false;
        return true;
    };
    return endsWith(".tif") || endsWith(".tiff");
}

}  // namespace

std::string tiffOutputName(const std::string& chosen)
{
    const std::size_t slash = chosen.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (namedTiff(chosen.substr(nameStart)))
        return chosen;
    const std::size_t dot = chosen.find('.', nameStart);
    return (dot == std::string::npos ? chosen : chosen.substr(0, dot)) + ".tiff";
}

PageFiles pageFiles(const std::string& chosen)
{
    const std::string named = tiffOutputName(chosen);
    const std::string stem = named.substr(0, named.rfind('.'));  // without ".tif" or ".tiff"
    const std::size_t slash = stem.rfind('/');
    const std::string base = slash == std::string::npos ? stem : stem.substr(slash + 1);
    return {stem + "/", base};
}

std::string pageFileName(const PageFiles& files, int page, int total)
{
    char suffix[32];
    if (page >= total)
        std::snprintf(suffix, sizeof suffix, "_KEY.tif");
    else if (total == 2)
        std::snprintf(suffix, sizeof suffix, "_1.tif");
    else
        std::snprintf(suffix, sizeof suffix, "_%d.tif", page);
    return files.folder + files.base + suffix;
}

}  // namespace brenmark
