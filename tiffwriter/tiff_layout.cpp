#include "tiffwriter/tiff_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace brenmark {
namespace {

int ceilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 0; }

}  // namespace

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
        std::snprintf(text, sizeof text, "纸张的宽和高应在%g到%g厘米之间", kMinPaperCm, kMaxPaperCm);
        return text;
    }
    if (!inside(o.cellCm, kMinCellCm, kMaxCellCm)) {
        std::snprintf(text, sizeof text, "印刷格大小应在%g到%g厘米之间", kMinCellCm, kMaxCellCm);
        return text;
    }
    return {};
}

PageFigures pageFigures(int cellPixels)
{
    PageFigures f;
    f.cell = cellPixels;
    f.font = static_cast<int>(cellPixels - 2 * kPageScale);
    f.pitch = static_cast<int>(2 * kPageScale + f.font);
    // Below a 10-pixel font the formula runs negative; the chart then starts at the edge.
    f.margin = std::max(0, static_cast<int>((f.font - 10) * kPageScale));
    return f;
}

PageGrid tiffPageGrid(int pageWidth, int pageHeight, const PageFigures& f, int titleHeight, int columns, int rows)
{
    PageGrid g;
    const int d = std::max(1, f.pitch);
    if (pageWidth - d * columns < 1) {
        g.columnsPerPage = std::max(1, (pageWidth - 2 * f.margin) / d);
        g.pagesAcross = ceilDiv(columns, g.columnsPerPage);
    } else {
        g.pagesAcross = 1;
        g.columnsPerPage = columns;
    }
    // A page too small for two rows still shows one.
    g.rowsPerPage = std::max(1, (pageHeight - 2 * f.margin - titleHeight) / d - 1);
    g.pagesDown = std::max(1, ceilDiv(rows, g.rowsPerPage));
    if (g.rowsPerPage > rows)
        g.rowsPerPage = rows;
    g.total = g.pagesAcross * g.pagesDown + 1;
    return g;
}

CellRange tiffPageCells(const PageGrid& grid, int page, int columns, int rows)
{
    const int index = page - 1;
    const int pageRow = index / grid.pagesAcross, pageColumn = index % grid.pagesAcross;
    CellRange r;
    r.firstColumn = pageColumn * grid.columnsPerPage;
    r.firstRow = pageRow * grid.rowsPerPage;
    r.endColumn = std::min(r.firstColumn + grid.columnsPerPage, columns);
    r.endRow = std::min(r.firstRow + grid.rowsPerPage, rows);
    return r;
}

int keyColumnsPerBand(int width)
{
    return std::max(1, (width - scaled(60)) / scaled(50));
}

WholeFigures wholeFigures(int cellPixels, int columns, int rows, int threads, int titleHeight)
{
    WholeFigures f;
    f.cell = cellPixels;
    f.font = cellPixels;
    f.pitch = static_cast<int>(cellPixels + 2 * kPageScale);
    f.width = static_cast<int>(static_cast<double>(f.pitch) * columns + 104 * kPageScale);
    // The key's left and right 10 units stay free, as on the printed key.
    f.keyColumns = keyColumnsPerBand(f.width - scaled(20));
    f.keyBands = ceilDiv(threads, f.keyColumns);
    f.height = static_cast<int>(((f.keyBands * 45 + 15) + 125) * kPageScale + static_cast<double>(f.pitch) * rows + titleHeight) +
               scaled(40);
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
