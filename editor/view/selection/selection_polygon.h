#pragma once
// The selection polygon: vertices at cell corners, the closed flag and the membership mask.
//
// Vertices are kept exactly as moved or rotated, in signed coordinates that may lie outside
// the pattern; membership is worked out over the part of the polygon's box that lies in the
// pattern, so a selection pushed partly off the pattern keeps selecting what is still on it.
#include "editor/document/backstitch_line.h"
#include "editor/document/transform_contents.h"
#include "editor/view/selection/selection_query.h"

#include <QPoint>

#include <cstdint>
#include <vector>

namespace brenmark {

// Even-odd membership of the integer point (x, y) in a polygon, with the platform's region
// convention: points on left and top edges are inside, on right and bottom edges outside.
bool evenOddContains(const std::vector<QPoint>& polygon, int x, int y);

// The closed polygon is also the region the selection commands carry the contents of.
class SelectionPolygon final : public SelectionQuery, public CellRegion {
public:
    // Cells [left, right) x [top, bottom).
    using Box = RegionBox;

    const std::vector<QPoint>& vertices() const { return vertices_; }
    bool empty() const { return vertices_.empty(); }
    bool closed() const override { return closed_; }
    bool contains(int column, int row) const override;
    // A line belongs when both its end cells do.
    bool containsLine(const BackstitchLine& line) const
    {
        return contains(line.startColumn, line.startRow) && contains(line.endColumn, line.endRow);
    }

    // The pattern the mask is limited to; call when it changes size.
    void setPatternSize(int width, int height);
    void clear();
    // Appends a vertex of an open polygon; returns true when this closed it (the vertex equals
    // the first and the list then holds more than 2).
    bool append(QPoint vertex);
    // Closes with the first vertex when more than 2 are there; false otherwise.
    bool closeWithFirst();
    void assign(std::vector<QPoint> vertices, bool closed);
    void moveBy(int dx, int dy);

    // The box of the vertices (right and bottom exclusive, as the region's box).
    Box bounds() const override { return box_; }
    // The members within the pattern, row by row.
    std::vector<QPoint> members() const;

private:
    void rebuildMask();

    std::vector<QPoint> vertices_;
    bool closed_ = false;
    int patternWidth_ = 0, patternHeight_ = 0;
    Box box_;
    Box maskBox_;  // box_ cut to the pattern
    std::vector<std::uint8_t> mask_;
};

// Rotates a point about (cx, cy) by angle radians (clockwise on screen) through its polar
// angle, rounding the result to the nearest whole cell.
QPoint rotatePoint(QPoint p, int cx, int cy, double angle);
// The corner a backstitch end takes under that rotation: the quarter turns turn it, other
// angles keep it.
std::int32_t rotatedCorner(std::int32_t corner, double angle);

}  // namespace brenmark
