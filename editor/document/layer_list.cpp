#include "editor/document/layer_list.h"

#include "editor/document/pattern_document.h"

namespace brenmark {

int LayerList::drawingLayer() const
{
    for (int i = 0; i < size(); ++i)
        if ((*this)[i].drawable)
            return i;
    return -1;
}

void LayerList::reset()
{
    layers.clear();
    workGrid.clear();
}

void LayerList::refreshButtonStates()
{
    for (PatternLayer& layer : layers)
        layer.buttonState = layer.drawable ? 1 : (layer.linked ? 2 : 0);
}

void LayerList::backgroundFromGrid(const PatternDocument& doc)
{
    reset();
    PatternLayer layer;
    layer.name = "背景";
    layer.visible = true;
    layer.drawable = true;
    layer.width = doc.grid.width;
    layer.height = doc.grid.height;
    layer.cells = doc.grid.cells;
    layer.threadColors = doc.threads.colors;
    layer.threadNumbers = doc.threads.numbers;
    layer.lines = doc.lines;
    layer.marks = doc.marks;
    paintCells(layer.thumbnail, layer.width, layer.height, layer.cells, layer.threadColors, doc.fabric);
    layers.push_back(std::move(layer));
    workGrid.assign(doc.grid.cells.size(), EmptyCell);
    refreshButtonStates();
}

}  // namespace brenmark
