#pragma once
// The one mapping between a chart's cells and device points: the cell size, where cell
// (0, 0)'s top-left corner lies, where the chart area starts (on screen, past the rulers),
// cell rectangles, corner points and the cell under a point. The view, the tools, the
// outline editor and the page layout all take their positions from it.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <cstdint>
#include <optional>

namespace brenmark {

struct ChartGeometry {
    float cellSize = 8.0f;
    QPoint origin{0, 0};     // device point of cell (0, 0)'s top-left corner
    QPoint areaStart{0, 0};  // first device point of the chart area (the rulers end here)
    int firstColumn = 0;     // the cells at areaStart (scrolled away before it)
    int firstRow = 0;
    int width = 0;  // the chart in cells
    int height = 0;

    QRectF cellRectF(int column, int row) const
    {
        return QRectF(origin.x() + column * cellSize, origin.y() + row * cellSize, cellSize, cellSize);
    }
    // The device pixels a cell covers, rounded outwards: what a repaint of the cell needs.
    QRect cellRect(int column, int row) const;
    // The whole chart.
    QRectF chartRect() const { return QRectF(origin.x(), origin.y(), width * cellSize, height * cellSize); }
    // A CellCorner's device point.
    QPointF cornerPoint(int column, int row, std::int32_t corner) const;
    // Column and row under a device point by the drawing rule (may lie outside the chart).
    QPoint cellAt(QPoint point) const;
    // The editing rule: counted from the chart area's start and its first cells; nothing
    // before the area starts or outside the chart.
    std::optional<QPoint> editedCellAt(QPoint point) const;
    // The editing rule without the bounds.
    QPoint rawEditedCellAt(QPoint point) const;
    bool contains(int column, int row) const { return column >= 0 && row >= 0 && column < width && row < height; }
    // The cells that touch a device rectangle: columns [left, right], rows [top, bottom],
    // the area's start as its top-left bound.
    QRect visibleCells(QSize device) const;
};

}  // namespace brenmark
