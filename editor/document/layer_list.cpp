#include "editor/document/layer_list.h"

#include "editor/document/pattern_document.h"

#include <algorithm>

namespace brenmark {

LayerTag LayerTag::fresh()
{
    static std::uint64_t last = 0;  // the user-interface thread is the only one editing
    LayerTag tag;
    tag.value_ = ++last;
    return tag;
}

const char* defaultLayerName(LayerKind kind)
{
    switch (kind) {
    case LayerKind::InsertedPattern:
        return kInsertedLayerName;
    case LayerKind::Paste:
        return kPasteLayerName;
    case LayerKind::Text:
        return kTextLayerName;
    }
    return kInsertedLayerName;
}

int LayerList::drawingLayer() const
{
    for (int i = 0; i < size(); ++i)
        if ((*this)[i].drawable)
            return i;
    return -1;
}

int LayerList::floatingLayer() const
{
    for (int i = 0; i < size(); ++i)
        if ((*this)[i].floating)
            return i;
    return -1;
}

int LayerList::visibleCount() const
{
    return static_cast<int>(std::count_if(layers.begin(), layers.end(), [](const PatternLayer& l) { return l.visible; }));
}

int LayerList::linkedCount() const
{
    return static_cast<int>(std::count_if(layers.begin(), layers.end(), [](const PatternLayer& l) { return l.linked; }));
}

void LayerList::reset()
{
    layers.clear();
    layers.shrink_to_fit();
}

void LayerList::refreshButtonStates()
{
    for (PatternLayer& layer : layers)
        layer.buttonState = layer.drawable ? 1 : (layer.linked ? 2 : 0);
}

PatternLayer LayerList::emptyLayer(const PatternDocument& doc, std::string name)
{
    PatternLayer layer;
    layer.name = std::move(name);
    layer.width = doc.grid.width;
    layer.height = doc.grid.height;
    layer.cells.assign(doc.grid.cellCount(), EmptyCell);
    return layer;
}

void LayerList::backgroundFromGrid(const PatternDocument& doc)
{
    reset();
    PatternLayer layer = emptyLayer(doc, kBackgroundLayerName);
    layer.visible = true;
    layer.drawable = true;
    layer.cells = doc.grid.cells.vector();
    layer.threadColors = doc.threads.colors;
    layer.threadNumbers = doc.threads.numbers;
    layer.lines = doc.lines;
    layer.marks = doc.marks;
    layers.push_back(std::move(layer));
    refreshButtonStates();
}

int LayerList::insertLayer(int index, PatternLayer layer, const PatternDocument& doc)
{
    if (full() || !doc.isOpen())
        return -1;
    index = std::clamp(index, 0, size());
    layer.visible = true;
    layer.drawable = true;
    layer.linked = false;
    for (PatternLayer& other : layers)
        other.drawable = false;
    layers.insert(layers.begin() + index, std::move(layer));
    refreshButtonStates();
    return index;
}

void LayerList::erase(int index)
{
    layers.erase(layers.begin() + index);
    refreshButtonStates();
}

void LayerList::setOnlyDrawing(int index)
{
    for (int i = 0; i < size(); ++i)
        (*this)[i].drawable = i == index;
    refreshButtonStates();
}

void LayerList::setLayerCell(int index, int x, int y, std::int32_t value)
{
    PatternLayer& layer = (*this)[index];
    layer.cells.set(static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(layer.width), value);
}

int LayerList::permissionLayer() const
{
    for (int i = 0; i < size(); ++i) {
        const PatternLayer& l = (*this)[i];
        if (l.linked || (l.drawable && l.visible))
            return i;
    }
    return -1;
}

bool LayerList::canPaintCell(std::size_t cell) const
{
    const int first = permissionLayer();
    if (first <= 0)
        return true;
    for (int i = 0; i < first; ++i) {
        const PatternLayer& above = (*this)[i];
        if (above.visible && cell < above.cells.size() && !above.cells.transparentAt(cell))
            return false;
    }
    return true;
}

bool LayerList::canPaint(int x, int y) const
{
    if (empty() || x < 0 || y < 0 || x >= layers.front().width || y >= layers.front().height)
        return true;
    return canPaintCell(static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(layers.front().width));
}

bool LayerList::topVisibleIsLinkedOrDrawable() const
{
    for (const PatternLayer& l : layers)
        if (l.visible)
            return l.linked || l.drawable;
    return false;
}

bool LayerList::invariantsHold(const PatternDocument& doc, bool allowUnknownIndices) const
{
    if (size() > kMaxLayers)
        return false;
    int drawing = 0;
    const std::int32_t threads = doc.threads.size();
    for (const PatternLayer& l : layers) {
        if (l.width != doc.grid.width || l.height != doc.grid.height || l.cells.size() != doc.grid.cellCount())
            return false;
        drawing += l.drawable ? 1 : 0;
        if (!allowUnknownIndices)
            for (std::size_t i = 0; i < l.cells.size(); ++i)
                if (!l.cells.transparentAt(i) && l.cells[i] >= threads)
                    return false;
    }
    return drawing <= 1;
}

}  // namespace brenmark
