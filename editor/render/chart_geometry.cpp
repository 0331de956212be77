#include "editor/render/chart_geometry.h"

#include "editor/document/backstitch_line.h"

#include <algorithm>
#include <cmath>

namespace brenmark {

QRect ChartGeometry::cellRect(int column, int row) const
{
    const int x = static_cast<int>(std::floor(origin.x() + column * cellSize));
    const int y = static_cast<int>(std::floor(origin.y() + row * cellSize));
    const int size = std::max(1, static_cast<int>(std::ceil(cellSize)));
    return QRect(x, y, size, size);
}

QPointF ChartGeometry::cornerPoint(int column, int row, std::int32_t corner) const
{
    const int dx = (corner == TopRight || corner == BottomRight) ? 1 : 0;
    const int dy = (corner == BottomLeft || corner == BottomRight) ? 1 : 0;
    return QPointF(origin.x() + (column + dx) * cellSize, origin.y() + (row + dy) * cellSize);
}

QPoint ChartGeometry::cellAt(QPoint point) const
{
    return QPoint(static_cast<int>(std::floor((point.x() - origin.x()) / cellSize)),
                  static_cast<int>(std::floor((point.y() - origin.y()) / cellSize)));
}

QPoint ChartGeometry::rawEditedCellAt(QPoint point) const
{
    return QPoint(static_cast<int>((point.x() - areaStart.x()) / cellSize) + firstColumn,
                  static_cast<int>((point.y() - areaStart.y()) / cellSize) + firstRow);
}

std::optional<QPoint> ChartGeometry::editedCellAt(QPoint point) const
{
    if (point.x() < areaStart.x() || point.y() < areaStart.y())
        return std::nullopt;
    const QPoint c = rawEditedCellAt(point);
    if (!contains(c.x(), c.y()))
        return std::nullopt;
    return c;
}

QRect ChartGeometry::visibleCells(QSize device) const
{
    const float s = cellSize;
    const int c0 = std::max(0, static_cast<int>(std::floor((areaStart.x() - origin.x()) / s)));
    const int r0 = std::max(0, static_cast<int>(std::floor((areaStart.y() - origin.y()) / s)));
    const int c1 = std::min(width, static_cast<int>(std::ceil((device.width() - origin.x()) / s)) + 1);
    const int r1 = std::min(height, static_cast<int>(std::ceil((device.height() - origin.y()) / s)) + 1);
    return QRect(QPoint(c0, r0), QPoint(c1 - 1, r1 - 1));
}

}  // namespace brenmark
