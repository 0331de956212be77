#pragma once
// A layer's thumbnail, drawn from its cells at the size it is shown: each pixel takes the
// colour of one cell (transparent cells show the fabric), so the layer panel never keeps a
// picture of the whole layer.
#include "editor/document/cell_image.h"
#include "editor/document/pattern_layer.h"

namespace brenmark {

class PatternDocument;

// width x height pixels (0xFFRRGGBB, rows without padding); at the layer's own size, one
// pixel per cell.
CellImage layerThumbnail(const PatternLayer& layer, const PatternDocument& doc, int width, int height);

}  // namespace brenmark
