#pragma once
// An image of one pixel per cell, 32-bit 0xFFRRGGBB pixels, rows top-down with no padding:
// the layout of QImage::Format_RGB32, so the view can wrap the pixels without copying.
#include "editor/document/color_ref.h"
#include "editor/document/tracked_buffer.h"

#include <cstdint>
#include <vector>

namespace brenmark {

struct CellImage {
    int width = 0;
    int height = 0;
    TrackedBuffer<std::uint32_t> pixels;

    void reset(int w, int h, ColorRef fill)
    {
        width = w;
        height = h;
        pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), pixelOf(fill));
    }
    bool empty() const { return pixels.empty(); }
};

// Paints cells (thread indices) in the given thread colours; -1 and indices without a thread
// show the fabric.
void paintCells(CellImage& image, int width, int height, const std::vector<std::int32_t>& cells,
                const std::vector<ColorRef>& threadColors, ColorRef fabric);

}  // namespace brenmark
