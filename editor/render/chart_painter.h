#pragma once
// Draws a chart into any QPainter at a ChartGeometry: the cells as colour, the grid with its
// tenth lines, the symbols, the simulated stitches, the stitch marks and the outline lines.
// The painter itself is const; what it keeps between paints (symbol stamps, the picture
// stitches are laid into) lives in a ChartPaintCache its owner hands in. The style says who
// it draws for: the screen, a colour print, a black-and-white print, or symbols in their
// threads' colours.
#include "editor/document/pattern_document.h"
#include "editor/render/chart_geometry.h"
#include "editor/render/raster_cells.h"
#include "editor/render/symbol_glyphs.h"

#include <QColor>
#include <QImage>
#include <QPen>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>

#include <vector>

class QPainter;

namespace brenmark {

class TextRunEngine;

enum class ChartStyle { Screen, PrintColour, PrintBlackWhite, ColouredSymbols };

struct ChartPaintCache {
    SymbolGlyphCache glyphs;
    PrintStampCache printStamps;
    QImage stitchPicture;
};

class ChartPainter {
public:
    ChartPainter(const PatternDocument& doc, const ChartGeometry& geometry, ChartStyle style, ChartPaintCache& cache)
        : doc_(doc), g_(geometry), style_(style), cache_(cache)
    {
    }

    // The cells of the one-pixel-per-cell picture within the visible cells, enlarged; smooth
    // below a pixel a cell.
    void cells(QPainter& p, const QImage& cellImage, QRect visible) const;
    // A picture stretched over the whole chart (the tracing picture).
    void stretched(QPainter& p, const QImage& picture) const;
    // The cells of a printed page repeated from the pages before it (overlap): the columns
    // and the rows, as cell rectangles.
    struct CellShade {
        QRect columns, rows;
    };
    // The cell fills of a printed page: with `colour`, each thread cell in its thread's
    // shown colour (a quarter darker where shaded); without it only the shaded cells, light
    // grey.
    void fillCells(QPainter& p, QRect visible, bool colour, const CellShade& shade = {}) const;
    // The grid: thin lines, then every tenth line heavy; `device` bounds the lines drawn.
    void grid(QPainter& p, QSize device) const;
    // The grid of exactly these cells (a printed page's): one line per column and row boundary
    // of the rectangle, each running from its first cell's edge to its last cell's, and no
    // line outside it.
    void gridOf(QPainter& p, QRect cells) const;
    // The symbols of the visible cells, stamped; onColour picks the ink against each thread
    // (symbols over colour blocks) instead of against the fabric.
    void symbols(QPainter& p, QRect visible, QSize device, int fontPixels, bool onColour) const;
    // Simulated stitches from tiles of the cell size (one per thread, then the empty cell's),
    // with the white midpoints of the cell edges.
    void stitches(QPainter& p, QRect visible, const std::vector<QImage>& tiles) const;
    // At two pixels a cell: the colour blocks with a white pixel at each cell's corner.
    void smallStitches(QPainter& p, const QImage& cellImage, QRect visible) const;
    void stitchMarks(QPainter& p, QRect visible) const;
    // Outline lines; the highlighted one (an index, -1 none) is drawn red.
    void lines(QPainter& p, int highlighted = -1) const;

    // The grid's pens for this painter (a print's grid colour and ten-line width).
    void setGridPens(const QPen& thin, const QPen& heavy) { pens_ = std::pair(thin, heavy); }
    // The font family printed symbols are drawn in; empty for the text font.
    void setSymbolFamily(const QString& family) { symbolFamily_ = family; }

    // The symbol a cell shows: its thread's symbol-table entry, empty for none.
    static const std::string& cellSymbol(const PatternDocument& doc, std::int32_t index);
    // The grid's pens in this style.
    QPen thinGridPen() const;
    QPen heavyGridPen() const;
    // Whether a symbol on this thread is drawn in white.
    bool whiteInk(std::int32_t index, bool onColour) const;

private:
    struct FillTable {
        std::vector<QRgb> plain, shaded;  // by thread; empty when cells are not filled in colour
    };
    FillTable fillTable(bool colour) const;
    // What fillCells puts in a cell, nothing for a cell left as it is.
    std::optional<QRgb> cellFill(int column, int row, const FillTable& fills, const CellShade& shade) const;
    void printedSymbols(QPainter& p, QRect visible, int fontPixels, bool onColour) const;
    void stampedSymbols(QPainter& p, RasterCells& raster, QRect visible, const QFont& font,
                        const std::vector<QRgb>& inks) const;
    void textRunSymbols(QPainter& p, TextRunEngine& runs, QRect visible, const QFont& font,
                        const std::vector<QRgb>& inks) const;
    // False, drawing nothing, when a symbol needs a character the font lacks.
    bool glyphRunSymbols(QPainter& p, QRect visible, const QFont& font, const std::vector<QRgb>& inks) const;

    const PatternDocument& doc_;
    const ChartGeometry& g_;
    ChartStyle style_;
    ChartPaintCache& cache_;
    std::optional<std::pair<QPen, QPen>> pens_;
    QString symbolFamily_;
};

}  // namespace brenmark
