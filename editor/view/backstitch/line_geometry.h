#pragma once
// Where outline stitches sit on screen: snapping a client point to a cell corner, a line's
// end points in client pixels, the hit test of the picking tool and the pen widths.
#include "editor/document/backstitch_line.h"
#include "editor/render/chart_geometry.h"

#include <QPoint>
#include <QPointF>

#include <optional>

namespace brenmark {

// What the geometry needs of the view at one moment.
struct LineViewGeometry {
    float cellSize = 8.0f;
    QPoint origin{35, 20};  // client pixel of cell (0, 0)'s top-left corner
    int firstColumn = 0;
    int firstRow = 0;
    int width = 0;  // pattern size in cells
    int height = 0;
    // The same as the chart's mapping, the rulers ending at (35, 20).
    ChartGeometry chart() const
    {
        return ChartGeometry{cellSize, origin, QPoint(35, 20), firstColumn, firstRow, width, height};
    }
};

// A cell corner: the cell, the CellCorner code and the corner's client point.
struct SnappedCorner {
    int column = 0;
    int row = 0;
    std::int32_t corner = TopLeft;
    QPointF client;
    bool operator==(const SnappedCorner&) const = default;
};

// The corner of the cell under a client point nearest to it; nothing on the rulers and
// outside the pattern. The middle of the cell counts as right and bottom.
std::optional<SnappedCorner> snapToCorner(QPoint client, const LineViewGeometry& g);

// A corner's client point by the view's drawing rule.
QPointF cornerPoint(int column, int row, std::int32_t corner, const LineViewGeometry& g);

// Whether a client point picks the line.
bool lineHit(const BackstitchLine& line, QPoint client, const LineViewGeometry& g);
// The first line of the list the point picks, or -1.
template <class Lines>
int firstHitLine(const Lines& lines, QPoint client, const LineViewGeometry& g)
{
    int i = 0;
    for (const BackstitchLine& line : lines) {
        if (lineHit(line, client, g))
            return i;
        ++i;
    }
    return -1;
}

// The rubber band's pen and the drawn lines' pen, in pixels at cell size s; 0 means the
// thinnest pen (one pixel).
int outlinePenWidth(float s);
int drawnLineWidth(float s);

}  // namespace brenmark
