#pragma once
// An image of one pixel per cell: 32-bit 0xAARRGGBB pixels, rows top-down with no padding,
// so a QImage can wrap the pixels without copying. A picture of cells over the fabric
// (paintCells, a layer's thumbnail) is opaque throughout and read as QImage::Format_RGB32; a
// floating piece's picture leaves its cells without a thread at 0, transparent when read as
// QImage::Format_ARGB32_Premultiplied. The pixels track their writes for the undo history.
#include "editor/document/color_ref.h"
#include "editor/document/tracked_buffer.h"

#include <array>
#include <cstddef>
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

// The pixel of every cell value: a thread index shows its thread's colour; -1, an index
// without a thread and any value past the table show the empty pixel (the fabric's, in a
// picture over the fabric). One table lookup a cell.
class ThreadPixels {
public:
    ThreadPixels(const std::vector<ColorRef>& threadColors, std::uint32_t emptyPixel);

    std::uint32_t operator()(std::int32_t cell) const
    {
        return (cell >= -1 && cell < 256) ? table_[static_cast<std::size_t>(cell + 1)] : table_[0];
    }

private:
    // Slot 0 is -1, slot i + 1 thread i: every byte-sized index, known or not, has one.
    std::array<std::uint32_t, 257> table_;
};

// Paints cells (thread indices) in the given thread colours; -1, indices without a thread
// and values past the table show the fabric.
void paintCells(CellImage& image, int width, int height, const std::vector<std::int32_t>& cells,
                const std::vector<ColorRef>& threadColors, ColorRef fabric);

}  // namespace brenmark
