#include "editor/document/layer_thumbnail.h"

#include "editor/document/layer_composer.h"
#include "editor/document/pattern_document.h"

#include <vector>

namespace brenmark {

CellImage layerThumbnail(const PatternLayer& layer, const PatternDocument& doc, int width, int height)
{
    CellImage image;
    if (width <= 0 || height <= 0 || layer.width <= 0 || layer.height <= 0 ||
        layer.cells.size() != static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height))
        return image;
    image.reset(width, height, doc.fabric);
    // 256 entries: the transparent byte and every index without a thread show the fabric.
    const std::vector<std::uint32_t> lut = pixelTable(doc.threads.colors, doc.fabric);
    std::vector<std::size_t> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] =
            static_cast<std::size_t>((2 * static_cast<std::int64_t>(x) + 1) * layer.width / (2 * static_cast<std::int64_t>(width)));
    const LayerByte* cells = layer.cells.bytes();
    std::uint32_t* out = image.pixels.range(0, image.pixels.size());
    for (int y = 0; y < height; ++y) {
        const auto row = static_cast<std::size_t>((2 * static_cast<std::int64_t>(y) + 1) * layer.height / (2 * static_cast<std::int64_t>(height)));
        const LayerByte* line = cells + row * static_cast<std::size_t>(layer.width);
        for (int x = 0; x < width; ++x) {
            const LayerByte b = line[columns[static_cast<std::size_t>(x)]];
            *out++ = lut[b == kTransparentByte ? 0 : b + 1u];
        }
    }
    return image;
}

}  // namespace brenmark
