#include "editor/view/backstitch/line_geometry.h"

#include <algorithm>
#include <cmath>

namespace brenmark {


std::optional<SnappedCorner> snapToCorner(QPoint client, const LineViewGeometry& g)
{
    // The tools' cell rule: the rulers and anything past the last column or row are outside.
    const ChartGeometry chart = g.chart();
    const auto cell = chart.editedCellAt(client);
    if (!cell)
        return std::nullopt;
    const float s = g.cellSize;
    const int column = cell->x(), row = cell->y();
    const float left = chart.areaStart.x() + (column - g.firstColumn) * s;
    const float top = chart.areaStart.y() + (row - g.firstRow) * s;
    const bool right = client.x() >= left + s / 2;
    const bool bottom = client.y() >= top + s / 2;
    const std::int32_t corner = bottom ? (right ? BottomRight : BottomLeft) : (right ? TopRight : TopLeft);
    return SnappedCorner{column, row, corner, QPointF(right ? left + s : left, bottom ? top + s : top)};
}

QPointF cornerPoint(int column, int row, std::int32_t corner, const LineViewGeometry& g)
{
    return g.chart().cornerPoint(column, row, corner);
}

bool lineHit(const BackstitchLine& line, QPoint client, const LineViewGeometry& g)
{
    const QPointF a = cornerPoint(line.startColumn, line.startRow, line.startCorner, g);
    const QPointF b = cornerPoint(line.endColumn, line.endRow, line.endCorner, g);
    double left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
    double top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
    // A line without width or height would be impossible to hit.
    if (left == right) {
        left -= 1;
        right += 1;
    }
    if (top == bottom) {
        top -= 1;
        bottom += 1;
    }
    const double x = client.x(), y = client.y();
    if (x < left || x > right || y < top || y > bottom)
        return false;
    if (a.x() == b.x())
        return true;
    const double onLine = a.y() + (x - a.x()) * (b.y() - a.y()) / (b.x() - a.x());
    return std::abs(y - onLine) < g.cellSize + 1;
}

int outlinePenWidth(float s)
{
    return static_cast<int>(s / 3);
}

int drawnLineWidth(float s)
{
    return static_cast<int>(s * 0.25f);
}

}  // namespace brenmark
