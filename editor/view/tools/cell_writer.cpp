#include "editor/view/tools/cell_writer.h"

#include <algorithm>
#include <unordered_map>

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
            layerCells_ = &layer.cells;
            layerHidden_ = !layer.visible;
        } else {
            drawing_ = -1;  // a layer of another size cannot take cells
        }
    }
}

void CellWriter::writeLayerOnly(int x, int y, std::int32_t value)
{
    if (!layerCells_)
        return;
    const std::size_t i = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    layerCells_->set(i, value);
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

void CellWriter::markCells(const std::vector<CellPoint>& cells, int kind)
{
    const bool layerMarks = drawing_ >= 0 && !doc_.layers[drawing_].marks.empty();
    if (cells.empty() || (kind == 0 && doc_.marks.empty() && !layerMarks))
        return;
    // Few cells or few marks: the plain per-cell search is cheaper than building an index.
    const std::size_t marks = std::max(doc_.marks.size(), layerMarks ? doc_.layers[drawing_].marks.size() : 0);
    if (cells.size() * (marks + 1) < 65536) {
        for (const CellPoint& c : cells)
            markCell(c.x, c.y, kind);
        return;
    }
    applyMarks(doc_.marks, cells, kind, true);
    if (drawing_ >= 0)
        applyMarks(doc_.layers[drawing_].marks, cells, kind, false);
}

void CellWriter::applyMarks(std::vector<StitchMark>& marks, const std::vector<CellPoint>& cells, int kind,
                            bool onlyWritable)
{
    auto key = [this](int x, int y) { return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); };
    std::unordered_map<std::size_t, std::size_t> at;  // cell -> its mark
    at.reserve(marks.size() + (kind != 0 ? cells.size() : 0));
    for (std::size_t k = 0; k < marks.size(); ++k)
        if (doc_.grid.contains(marks[k].column, marks[k].row))
            at[key(marks[k].column, marks[k].row)] = k;
    std::vector<std::uint8_t> removed(kind == 0 ? marks.size() : 0, 0);
    for (const CellPoint& c : cells) {
        if (onlyWritable && !writable(c.x, c.y))
            continue;
        const auto found = at.find(key(c.x, c.y));
        if (kind == 0) {
            if (found != at.end())
                removed[found->second] = 1;
        } else if (found != at.end()) {
            marks[found->second] = StitchMark{kind, 0, c.x, c.y};  // the one mark a cell holds is replaced
        } else {
            at.emplace(key(c.x, c.y), marks.size());
            marks.push_back(StitchMark{kind, 0, c.x, c.y});
        }
    }
    if (kind == 0) {
        std::size_t k = 0;
        std::erase_if(marks, [&](const StitchMark&) { return removed[k++] != 0; });
    }
}

}  // namespace brenmark
