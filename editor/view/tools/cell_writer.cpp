#include "editor/view/tools/cell_writer.h"

#include <algorithm>

namespace brenmark {

CellWriter::CellWriter(PatternView& view) : view_(view), doc_(view.document()), width_(doc_.width())
{
    LayerList& layers = doc_.layers;
    const std::size_t cells = doc_.grid.cellCount();
    // With the permission layer on top (or none) nothing can be refused, and the per-cell
    // test is skipped altogether.
    mayRefuse_ = layers.permissionLayer() > 0;
    drawing_ = layers.drawingLayer();
    if (drawing_ >= 0) {
        PatternLayer& layer = layers[drawing_];
        if (layer.cells.size() == cells) {
            layerCells_ = layer.cells.data();
            if (layer.thumbnail.pixels.size() == cells)
                thumbnail_ = layer.thumbnail.pixels.data();
        } else {
            drawing_ = -1;  // a layer of another size cannot take cells
        }
    }
    if (layers.workImage.pixels.size() == cells && cells > 0)
        workImage_ = layers.workImage.pixels.data();
    lastPixel_ = pixelOf(doc_.shownColor(lastValue_));
}

void CellWriter::writeLayerOnly(int x, int y, std::int32_t value)
{
    if (!layerCells_)
        return;
    const std::size_t i = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    layerCells_[i] = value;
    if (thumbnail_)
        thumbnail_[i] = pixelFor(value);
}

void CellWriter::markCell(int x, int y, int kind)
{
    const bool toDocument = writable(x, y);
    if (kind != 0) {
        const StitchMark mark{kind, 0, x, y};
        if (toDocument)
            placeMarkIn(doc_.marks, mark);
        if (drawing_ >= 0)
            placeMarkIn(doc_.layers[drawing_].marks, mark);
        return;
    }
    auto sameCell = [&](const StitchMark& m) { return m.column == x && m.row == y; };
    if (toDocument && !doc_.marks.empty())
        std::erase_if(doc_.marks, sameCell);
    if (drawing_ >= 0 && !doc_.layers[drawing_].marks.empty())
        std::erase_if(doc_.layers[drawing_].marks, sameCell);
}

}  // namespace brenmark
