#include "editor/document/cell_image.h"

namespace brenmark {

void paintCells(CellImage& image, int width, int height, const std::vector<std::int32_t>& cells,
                const std::vector<ColorRef>& threadColors, ColorRef fabric)
{
    image.width = width;
    image.height = height;
    image.pixels.resize(cells.size());
    // 256 entries: every byte-sized index, known or not, maps to a pixel without a branch.
    std::uint32_t lut[257];
    for (auto& p : lut)
        p = pixelOf(fabric);
    for (std::size_t i = 0; i < threadColors.size() && i < 256; ++i)
        lut[i + 1] = pixelOf(threadColors[i]);
    const std::uint32_t fabricPixel = pixelOf(fabric);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::int32_t v = cells[i];
        image.pixels[i] = (v >= -1 && v < 256) ? lut[v + 1] : fabricPixel;
    }
}

}  // namespace brenmark
