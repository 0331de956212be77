#include "editor/view/tools/raster_shapes.h"

#include <algorithm>
#include <cstdlib>

namespace brenmark {

ShapeMask::ShapeMask(CellBox box) : box_(box)
{
    if (box_.empty())
        box_ = CellBox{};
    bits_.assign(static_cast<std::size_t>(box_.width()) * static_cast<std::size_t>(box_.height()), 0);
}

int ShapeMask::count() const
{
    return static_cast<int>(std::count(bits_.begin(), bits_.end(), std::uint8_t{1}));
}

CellBox shapeBounds(CellPoint start, CellPoint end, int width, int height)
{
    CellBox b;
    b.left = std::min(start.x, end.x);
    b.top = std::min(start.y, end.y);
    b.right = std::max(start.x, end.x);
    b.bottom = std::max(start.y, end.y);
    if (b.right + 1 <= width)
        ++b.right;
    if (b.bottom + 1 <= height)
        ++b.bottom;
    return b;
}

CellBox commitBox(ShapeKind kind, CellPoint start, CellPoint end, int width, int height)
{
    CellBox b = shapeBounds(start, end, width, height);
    switch (kind) {
    case ShapeKind::HollowRect:
        b.right = std::min(b.right + 2, width);
        b.bottom = std::min(b.bottom + 2, height);
        break;
    case ShapeKind::Line:
        b.left = std::max(std::min(start.x, end.x) - 2, 0);
        b.top = std::max(std::min(start.y, end.y) - 2, 0);
        b.right = std::min(std::max(start.x, end.x) + 2, width);
        b.bottom = std::min(std::max(start.y, end.y) + 2, height);
        break;
    default:
        break;
    }
    return b;
}

void plotEllipse(ShapeMask& mask, CellBox box, bool filled)
{
    if (box.empty())
        return;
    // Midpoint ellipse through the inclusive corner cells, in integers (after A. Zingl): it
    // steps the error of the implicit equation and handles even diameters, so a box of
    // w x h cells gives an ellipse exactly w cells wide and h cells high.
    std::int64_t x0 = box.left, x1 = box.right - 1, y0 = box.top, y1 = box.bottom - 1;
    const std::int64_t a = x1 - x0, b = y1 - y0;
    std::int64_t b1 = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    std::int64_t err = dx + dy + b1 * a * a;
    y0 += (b + 1) / 2;
    y1 = y0 - b1;
    const std::int64_t aa8 = 8 * a * a, bb8 = 8 * b * b;

    // The outline's extent on each row, so the filled ellipse is its rows' spans.
    const int rows = box.height();
    std::vector<int> lo(static_cast<std::size_t>(rows), box.right), hi(static_cast<std::size_t>(rows), box.left - 1);
    auto plot = [&](std::int64_t x, std::int64_t y) {
        const int xi = static_cast<int>(x), yi = static_cast<int>(y);
        if (yi < box.top || yi >= box.bottom || xi < box.left || xi >= box.right)
            return;
        mask.set(xi, yi);
        const std::size_t r = static_cast<std::size_t>(yi - box.top);
        lo[r] = std::min(lo[r], xi);
        hi[r] = std::max(hi[r], xi);
    };
    do {
        plot(x1, y0);
        plot(x0, y0);
        plot(x0, y1);
        plot(x1, y1);
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            dy += aa8;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            dx += bb8;
            err += dx;
        }
    } while (x0 <= x1);
    // A very flat ellipse stops early: finish its tips.
    while (y0 - y1 <= b) {
        plot(x0 - 1, y0);
        plot(x1 + 1, y0++);
        plot(x0 - 1, y1);
        plot(x1 + 1, y1--);
    }
    if (filled)
        for (int r = 0; r < rows; ++r)
            for (int x = lo[static_cast<std::size_t>(r)]; x <= hi[static_cast<std::size_t>(r)]; ++x)
                mask.set(x, box.top + r);
}

void plotRectangle(ShapeMask& mask, CellBox box, bool filled)
{
    if (box.empty())
        return;
    for (int y = box.top; y < box.bottom; ++y) {
        const bool edgeRow = y == box.top || y == box.bottom - 1;
        if (filled || edgeRow) {
            for (int x = box.left; x < box.right; ++x)
                mask.set(x, y);
        } else {
            mask.set(box.left, y);
            mask.set(box.right - 1, y);
        }
    }
}

namespace {

// Bresenham over all octants; the loop stops on the end cell, which it plots.
template <class Plot>
void traceLine(CellPoint a, CellPoint b, Plot&& plot)
{
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x, y = a.y;
    for (;;) {
        plot(x, y);
        if (x == b.x && y == b.y)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace

void plotLine(ShapeMask& mask, CellPoint a, CellPoint b)
{
    traceLine(a, b, [&mask](int x, int y) { mask.set(x, y); });
}

std::vector<CellPoint> lineCells(CellPoint a, CellPoint b)
{
    std::vector<CellPoint> cells;
    cells.reserve(static_cast<std::size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))) + 1);
    traceLine(a, b, [&cells](int x, int y) { cells.push_back({x, y}); });
    return cells;
}

ShapeMask rasteriseShape(ShapeKind kind, CellPoint start, CellPoint end, int width, int height)
{
    const CellBox bounds = shapeBounds(start, end, width, height);
    ShapeMask mask(commitBox(kind, start, end, width, height));
    switch (kind) {
    case ShapeKind::HollowEllipse:
        plotEllipse(mask, bounds, false);
        break;
    case ShapeKind::SolidEllipse:
        plotEllipse(mask, bounds, true);
        break;
    case ShapeKind::HollowRect:
        plotRectangle(mask, bounds, false);
        break;
    case ShapeKind::SolidRect:
        plotRectangle(mask, bounds, true);
        break;
    case ShapeKind::Line:
        plotLine(mask, start, end);
        break;
    }
    return mask;
}

}  // namespace brenmark
