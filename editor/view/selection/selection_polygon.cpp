#include "editor/view/selection/selection_polygon.h"

#include <algorithm>
#include <cmath>

namespace brenmark {

bool evenOddContains(const std::vector<QPoint>& polygon, int x, int y)
{
    const std::size_t n = polygon.size();
    if (n < 3)
        return false;
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        QPoint a = polygon[i], b = polygon[(i + 1) % n];
        if (a.y() == b.y())
            continue;
        if (a.y() > b.y())
            std::swap(a, b);
        // Half-open in y: the top end counts, the bottom end does not.
        if (y < a.y() || y >= b.y())
            continue;
        // The edge crosses row y at xi; the point counts the crossing when xi <= x, so a
        // point on a left edge is inside and one on a right edge outside.
        const std::int64_t lhs = std::int64_t{a.x() - x} * (b.y() - a.y()) + std::int64_t{y - a.y()} * (b.x() - a.x());
        if (lhs <= 0)
            inside = !inside;
    }
    return inside;
}

void SelectionPolygon::setPatternSize(int width, int height)
{
    if (width == patternWidth_ && height == patternHeight_)
        return;
    patternWidth_ = width;
    patternHeight_ = height;
    rebuildMask();
}

void SelectionPolygon::clear()
{
    vertices_.clear();
    closed_ = false;
    rebuildMask();
}

bool SelectionPolygon::append(QPoint vertex)
{
    if (closed_)
        clear();
    vertices_.push_back(vertex);
    if (vertices_.size() > 2 && vertex == vertices_.front()) {
        closed_ = true;
        rebuildMask();
        return true;
    }
    return false;
}

bool SelectionPolygon::closeWithFirst()
{
    if (closed_ || vertices_.size() <= 2)
        return false;
    vertices_.push_back(vertices_.front());
    closed_ = true;
    rebuildMask();
    return true;
}

void SelectionPolygon::assign(std::vector<QPoint> vertices, bool closed)
{
    vertices_ = std::move(vertices);
    closed_ = closed;
    rebuildMask();
}

void SelectionPolygon::moveBy(int dx, int dy)
{
    for (QPoint& p : vertices_)
        p += QPoint(dx, dy);
    rebuildMask();
}

bool SelectionPolygon::contains(int column, int row) const
{
    if (!closed_ || column < maskBox_.left || row < maskBox_.top || column >= maskBox_.right || row >= maskBox_.bottom)
        return false;
    const int w = maskBox_.right - maskBox_.left;
    return mask_[static_cast<std::size_t>(column - maskBox_.left) + static_cast<std::size_t>(row - maskBox_.top) * static_cast<std::size_t>(w)] != 0;
}

std::vector<QPoint> SelectionPolygon::members() const
{
    std::vector<QPoint> out;
    if (!closed_)
        return out;
    for (int r = maskBox_.top; r < maskBox_.bottom; ++r)
        for (int c = maskBox_.left; c < maskBox_.right; ++c)
            if (contains(c, r))
                out.emplace_back(c, r);
    return out;
}

void SelectionPolygon::rebuildMask()
{
    box_ = {};
    maskBox_ = {};
    mask_.clear();
    if (vertices_.empty())
        return;
    box_ = {vertices_[0].x(), vertices_[0].y(), vertices_[0].x(), vertices_[0].y()};
    for (const QPoint& p : vertices_) {
        box_.left = std::min(box_.left, p.x());
        box_.top = std::min(box_.top, p.y());
        box_.right = std::max(box_.right, p.x());
        box_.bottom = std::max(box_.bottom, p.y());
    }
    if (!closed_)
        return;
    maskBox_ = {std::max(box_.left, 0), std::max(box_.top, 0), std::min(box_.right, patternWidth_), std::min(box_.bottom, patternHeight_)};
    if (maskBox_.right <= maskBox_.left || maskBox_.bottom <= maskBox_.top) {
        maskBox_ = {};
        return;
    }
    const int w = maskBox_.right - maskBox_.left;
    mask_.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(maskBox_.bottom - maskBox_.top), 0);
    // The polygon shifted to the box, as the mask keeps it.
    std::vector<QPoint> shifted = vertices_;
    for (QPoint& p : shifted)
        p -= QPoint(maskBox_.left, maskBox_.top);
    for (int r = 0; r < maskBox_.bottom - maskBox_.top; ++r)
        for (int c = 0; c < w; ++c)
            mask_[static_cast<std::size_t>(c) + static_cast<std::size_t>(r) * static_cast<std::size_t>(w)] = evenOddContains(shifted, c, r) ? 1 : 0;
}

QPoint rotatePoint(QPoint p, int cx, int cy, double angle)
{
    const double dx = p.x() - cx, dy = p.y() - cy;
    double polar;
    if (dx == 0) {
        polar = p.y() < cy ? -1.5707963 : 1.5707963;
    } else {
        const double t = std::atan(dy / dx);
        if (t >= 0 && dx >= 0)
            polar = t;
        else if (t < 0 && dx > 0)
            polar = t + 2 * 3.141592654;
        else
            polar = t + 3.141592654;
    }
    polar += angle;
    const double r = std::sqrt(dx * dx + dy * dy);
    // Rounded half up: inside the pattern the same as truncating, and a point left of or
    // above the pattern stays there instead of folding onto column or row 0.
    return {static_cast<int>(std::floor(cx + r * std::cos(polar) + 0.5)), static_cast<int>(std::floor(cy + r * std::sin(polar) + 0.5))};
}

std::int32_t rotatedCorner(std::int32_t corner, double angle)
{
    static constexpr std::int32_t quarter[4] = {1, 3, 0, 2};
    static constexpr std::int32_t half[4] = {3, 2, 1, 0};
    static constexpr std::int32_t threeQuarters[4] = {2, 0, 3, 1};
    if (corner < 0 || corner > 3)
        return corner;
    if (angle > 1.5706963 && angle < 1.5708963)
        return quarter[corner];
    if (angle > 3.1414926 && angle < 3.1425926)
        return half[corner];
    if (angle > 4.7122889 && angle < 4.7133889)
        return threeQuarters[corner];
    return corner;
}

}  // namespace brenmark
