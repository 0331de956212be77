#pragma once
// A chart drawn into a picture whose cells land on whole pixels: the cell colours and symbols
// are written straight into the picture's pixels instead of through one paint call per cell.
// A whole-chart export of 500 x 500 cells is a quarter of a million symbols; drawing each as
// text costs seconds, stamping each from a picture of its symbol costs milliseconds. What is
// written is exactly what the painter would have drawn: cells are opaque rectangles, and a
// symbol's stamp is the text drawn once by the same painter calls, without antialiasing.
#include "editor/render/chart_geometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

namespace brenmark {

// A run of inked pixels in one row of a picture: columns x0 .. x1 - 1.
struct InkRun {
    int row, x0, x1;
};
// The runs of a picture's pixels whose alpha is at least minAlpha, row by row: a glyph
// stamped as runs costs a few stores a row.
std::vector<InkRun> inkRuns(const QImage& picture, int minAlpha);

// A symbol drawn once: its picture (a cell of device pixels) and its ink as runs, relative to
// the cell's top-left pixel.
struct SymbolStamp {
    QImage picture;             // null when the symbol leaves no ink
    std::vector<InkRun> runs;   // every pixel with any ink
    bool solid = true;          // false: some pixels are partly covered, so the runs are not the picture
};

// The stamps of printed symbols for one cell size, font and scale, by symbol and ink.
class PrintStampCache {
public:
    // The symbol as drawSymbolText draws it in `ink` with `font` into a cell of `cellSize`
    // units, at `scale` device pixels a unit (cellSize x scale whole pixels).
    const SymbolStamp& stamp(const std::string& symbol, QRgb ink, const QFont& font, int cellSize, qreal scale);
    std::size_t size() const { return stamps_.size(); }

private:
    QString fontKey_;
    int cellSize_ = 0;
    qreal scale_ = 0;
    std::unordered_map<std::string, SymbolStamp> stamps_;  // symbol bytes + ink
};

// The painter's picture when cells drawn at geometry g land on whole pixels of it: a 32-bit
// picture, drawn with source-over at full opacity, through a scale (the same along both
// axes) and a translation, clipped to at most one rectangle.
class RasterCells {
public:
    static std::optional<RasterCells> of(QPainter& p, const ChartGeometry& g);

    int cellPixels() const { return cell_; }
    qreal scale() const { return scale_; }
    // The device pixels of a cell (before clipping).
    QRect cellPixels(int column, int row) const
    {
        return QRect(x0_ + column * cell_, y0_ + row * cell_, cell_, cell_);
    }
    const QRect& clip() const { return clip_; }

    // Fills the cell's pixels within the clip with an opaque colour.
    void fillCell(int column, int row, QRgb colour);
    // Stamps a solid stamp's ink in `ink` into the cell, within the clip.
    void stampCell(int column, int row, const SymbolStamp& stamp, QRgb ink);

private:
    QRgb* line(int y) const { return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_); }

    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int cell_ = 0;
    int x0_ = 0, y0_ = 0;  // device pixel of cell (0, 0)'s top-left corner
    qreal scale_ = 1;
    QRect clip_;
};

}  // namespace brenmark
