#pragma once
#include "editor/document/color_ref.h"
#include "editor/document/thread_table.h"
#include "editor/document/tracked_buffer.h"

#include <cstdint>
#include <vector>

namespace brenmark {

// The visible, flattened grid: thread index per cell (row-major, x + y * width), -1 empty,
// plus a mirror of the thread colours, index for index.
struct CellGrid {
    std::int32_t width = 0;
    std::int32_t height = 0;
    TrackedBuffer<std::int32_t> cells;
    std::vector<ColorRef> colorValues;

    std::size_t cellCount() const { return cells.size(); }
    bool empty() const { return cells.empty(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::size_t indexOf(int x, int y) const
    {
        return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
    std::int32_t at(int x, int y) const { return cells[indexOf(x, y)]; }
    void set(int x, int y, std::int32_t value) { cells.set(indexOf(x, y), value); }

    // A fresh grid: every cell empty.
    void allocate(std::int32_t w, std::int32_t h)
    {
        width = w;
        height = h;
        cells.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), EmptyCell);
        colorValues.clear();
    }
    void free()
    {
        width = height = 0;
        cells.clear();
        cells.shrink_to_fit();
        colorValues.clear();
    }
};

}  // namespace brenmark
