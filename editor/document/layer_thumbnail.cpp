#include "editor/document/layer_thumbnail.h"

#include "editor/document/pattern_document.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brenmark {

CellImage layerThumbnail(const PatternLayer& layer, const PatternDocument& doc, int width, int height)
{
    CellImage image;
    if (width <= 0 || height <= 0 || layer.width <= 0 || layer.height <= 0 ||
        layer.cells.size() != static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height))
        return image;
    image.reset(width, height, doc.fabric);
    // The transparent byte and every index without a thread show the fabric.
    const ThreadPixels pixel(doc.threads.colors, pixelOf(doc.fabric));
    // Cells are picked the way a painter scales a picture without smoothing: a 16.16 fixed
    // step of cells per pixel, starting half a pixel in, so the panel looks as it did when it
    // scaled a whole picture of the layer.
    auto steps = [](int cells, int pixels) {
        const double scale = static_cast<double>(pixels) / cells;
        const auto step = static_cast<std::int64_t>(65536.0 / scale);
        const auto first = static_cast<std::int64_t>(std::ceil(0.5 * static_cast<double>(step))) - 1;
        std::vector<std::size_t> at(static_cast<std::size_t>(pixels));
        for (int i = 0; i < pixels; ++i)
            at[static_cast<std::size_t>(i)] =
                static_cast<std::size_t>(std::min<std::int64_t>((first + i * step) >> 16, cells - 1));
        return at;
    };
    const std::vector<std::size_t> columns = steps(layer.width, width);
    const std::vector<std::size_t> rows = steps(layer.height, height);
    const LayerByte* cells = layer.cells.bytes();
    std::uint32_t* out = image.pixels.range(0, image.pixels.size());
    for (int y = 0; y < height; ++y) {
        const LayerByte* line = cells + rows[static_cast<std::size_t>(y)] * static_cast<std::size_t>(layer.width);
        for (int x = 0; x < width; ++x) {
            *out++ = pixel(cellOfLayerByte(line[columns[static_cast<std::size_t>(x)]]));
        }
    }
    return image;
}

}  // namespace brenmark
