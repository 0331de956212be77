#pragma once
// Rasterising the shape tools at one pixel per cell: a midpoint ellipse inscribed in a box,
// rectangles and a Bresenham line. The result is a mask over the box the tool commits, so
// zoom never changes a shape.
#include <cstdint>
#include <vector>

namespace brenmark {

struct CellPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CellPoint&) const = default;
};

// Cells [left, right) x [top, bottom).
struct CellBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const CellBox&) const = default;
};

enum class ShapeKind { HollowEllipse, HollowRect, Line, SolidEllipse, SolidRect };

// Which cells of a box a shape covers.
class ShapeMask {
public:
    ShapeMask() = default;
    explicit ShapeMask(CellBox box);
    const CellBox& box() const { return box_; }
    // Cells outside the box are dropped: a shape never writes outside its commit box.
    void set(int x, int y)
    {
        if (box_.contains(x, y))
            bits_[index(x, y)] = 1;
    }
    bool at(int x, int y) const { return box_.contains(x, y) && bits_[index(x, y)] != 0; }
    int count() const;

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(x - box_.left) + static_cast<std::size_t>(y - box_.top) * static_cast<std::size_t>(box_.width());
    }
    CellBox box_;
    std::vector<std::uint8_t> bits_;
};

// The box between two cells of the pattern with exclusive right and bottom bounds, the + 1
// applied only while it stays within width x height.
CellBox shapeBounds(CellPoint start, CellPoint end, int width, int height);
// The cells the tool reads back: the bounds for ellipses and filled rectangles, two more to
// the right and below for the hollow rectangle, two on every side for the line; always
// clamped to the pattern.
CellBox commitBox(ShapeKind kind, CellPoint start, CellPoint end, int width, int height);

// The shape from start to end, as the tools draw it.
ShapeMask rasteriseShape(ShapeKind kind, CellPoint start, CellPoint end, int width, int height);

// The building blocks, plotting into a mask (cells outside its box are dropped).
// An ellipse inscribed in box (exclusive bounds): outline, or outline and interior.
void plotEllipse(ShapeMask& mask, CellBox box, bool filled);
// A rectangle with exclusive bounds: its border, or every cell.
void plotRectangle(ShapeMask& mask, CellBox box, bool filled);
// From a to b; the end cell is included.
void plotLine(ShapeMask& mask, CellPoint a, CellPoint b);
// The cells of the Bresenham line from a to b in order, both ends included: consecutive
// cells touch at an edge or a corner.
std::vector<CellPoint> lineCells(CellPoint a, CellPoint b);

}  // namespace brenmark
