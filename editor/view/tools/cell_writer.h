#pragma once
// The one way the drawing tools change a cell: the composed grid and the view's cell image
// where the layers allow painting, and the drawing layer always.
#include "editor/view/pattern_view.h"
#include "editor/view/tools/raster_shapes.h"

#include <cstdint>
#include <vector>

namespace brenmark {

class CellWriter {
public:
    // Takes the layer arrangement as it is now; make one per action, since adding or
    // reordering layers invalidates it.
    explicit CellWriter(PatternView& view);

    // Whether the layers let a tool paint the composed cell.
    bool writable(int x, int y) const
    {
        if (layerHidden_)
            return false;
        return !mayRefuse_ || doc_.layers.canPaintCell(static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_));
    }
    // Some cells may be refused; fills then have to remember what they visited, since a
    // refused cell keeps matching.
    bool mayRefuse() const { return mayRefuse_ || layerHidden_; }

    // Writes value to (x, y) of the pattern (the caller checks bounds): grid and cell image
    // pixel where writable, the drawing layer always. Returns whether the grid took it.
    bool write(int x, int y, std::int32_t value)
    {
        const std::size_t i = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        if (layerCells_)
            layerCells_->set(i, value);
        // A hidden drawing layer takes the cell, but the composed grid shows only the
        // visible layers.
        if (layerHidden_)
            return false;
        if (mayRefuse_ && !doc_.layers.canPaintCell(i))
            return false;
        view_.setCell(x, y, value);
        return true;
    }
    // Writes only the drawing layer (the text tool clears its own layer behind the text).
    void writeLayerOnly(int x, int y, std::int32_t value);

    // The cell's stitch mark: kind 0 removes it, any other kind places one; in the
    // document where writable, in the drawing layer always.
    void markCell(int x, int y, int kind);
    // The same for many cells at once (shapes): one pass over the marks instead of one per
    // cell.
    void markCells(const std::vector<CellPoint>& cells, int kind);
    // Removes the marks of every cell for which covered(x, y) holds, in one pass.
    template <class Covered>
    void removeMarksWhere(Covered&& covered);

    int drawingLayer() const { return drawing_; }

private:
    void applyMarks(std::vector<StitchMark>& marks, const std::vector<CellPoint>& cells, int kind, bool onlyWritable);

    PatternView& view_;
    PatternDocument& doc_;
    int width_ = 0;
    int drawing_ = -1;
    bool mayRefuse_ = false;
    bool layerHidden_ = false;
    // Written through the buffers, so the undo history sees which parts changed.
    LayerCells* layerCells_ = nullptr;
};

template <class Covered>
void CellWriter::removeMarksWhere(Covered&& covered)
{
    std::erase_if(doc_.marks, [&](const StitchMark& m) {
        return doc_.grid.contains(m.column, m.row) && covered(m.column, m.row) && writable(m.column, m.row);
    });
    if (drawing_ >= 0) {
        auto& marks = doc_.layers[drawing_].marks;
        std::erase_if(marks, [&](const StitchMark& m) { return doc_.grid.contains(m.column, m.row) && covered(m.column, m.row); });
    }
}

}  // namespace brenmark
