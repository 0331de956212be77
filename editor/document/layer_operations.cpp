#include "editor/document/layer_operations.h"

#include "editor/document/composed_lines.h"
#include "editor/document/layer_composer.h"
#include "interchange/code_page.h"

#include <algorithm>

namespace brenmark {

LayerOperations::LayerOperations(PatternDocument& doc, UndoRecorder& undo) : doc_(doc), undo_(undo)
{
    doc_.addObserver(this);
}

LayerOperations::~LayerOperations()
{
    doc_.removeObserver(this);
    // Each observer is let go before it hears of the end, so whatever it does then cannot
    // reach back into these commands' list.
    while (!observers_.empty()) {
        LayerObserver* o = observers_.back();
        observers_.pop_back();
        std::erase(o->observed_, this);
        o->layerOperationsEnded(*this);
    }
}

LayerObserver::~LayerObserver()
{
    for (LayerOperations* operations : std::vector<LayerOperations*>(observed_))
        operations->removeObserver(this);
}

void LayerOperations::addObserver(LayerObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
        observer->observed_.push_back(this);
    }
}

void LayerOperations::removeObserver(LayerObserver* observer)
{
    if (observer && std::erase(observers_, observer) > 0)
        std::erase(observer->observed_, this);
}

void LayerOperations::notifyRows()
{
    for (LayerObserver* o : observers_)
        o->layerRowsChanged();
}

void LayerOperations::layersChanged()
{
    layers().refreshButtonStates();
    notifyRows();
    recompose();
}

void LayerOperations::recompose()
{
    if (!doc_.isOpen())
        return;
    recomposeDocument(doc_);
    for (LayerObserver* o : observers_)
        o->layersRecomposed();
}

bool LayerOperations::newLayer(const std::string& name)
{
    LayerList& list = layers();
    if (list.full() || !doc_.isOpen())
        return false;
    undo_.recordUndoStep(kUndoNewLayer);
    list.insertLayer(0, LayerList::emptyLayer(doc_, std::string(gbkPrefix(name, kMaxLayerNameBytes))), doc_);
    layersChanged();
    return true;
}

bool LayerOperations::deleteLayer()
{
    LayerList& list = layers();
    const int drawing = list.drawingLayer();
    if (list.size() <= 1 || drawing < 0)
        return false;
    undo_.recordUndoStep(kUndoDeleteLayer);
    list.erase(drawing);
    // The layer that was below takes over drawing. A linked layer leaves the linked group
    // for it, as when its name is clicked; the rest of the group stays. Below the bottom
    // layer there is nothing, so then no drawing layer remains.
    if (drawing < list.size()) {
        PatternLayer& below = list[drawing];
        below.drawable = true;
        below.linked = false;
    }
    layersChanged();
    return true;
}

bool LayerOperations::copyDrawingLayer()
{
    LayerList& list = layers();
    const int drawing = list.drawingLayer();
    if (list.full() || !doc_.isOpen() || drawing < 0)
        return false;
    undo_.recordUndoStep(kUndoCopyLayer);
    const PatternLayer& source = list[drawing];
    PatternLayer copy = LayerList::emptyLayer(doc_, kCopyLayerName);
    copy.cells = source.cells;
    copy.threadColors = source.threadColors;
    copy.threadNumbers = source.threadNumbers;
    copy.lines = source.lines;
    copy.marks = source.marks;
    list.insertLayer(0, std::move(copy), doc_);

    layersChanged();
    return true;
}

bool LayerOperations::mergeVisible()
{
    LayerList& list = layers();
    std::vector<int> chosen;
    for (int i = 0; i < list.size(); ++i)
        if (list[i].visible)
            chosen.push_back(i);
    if (chosen.size() < 2)
        return false;
    const int drawing = list.drawingLayer();
    const int target = drawing >= 0 && list[drawing].visible ? drawing : chosen.front();
    return mergeInto(chosen, target, kUndoMergeVisible);
}

bool LayerOperations::mergeLinked()
{
    LayerList& list = layers();
    std::vector<int> chosen;
    for (int i = 0; i < list.size(); ++i)
        if (list[i].linked)
            chosen.push_back(i);
    if (chosen.size() < 2)
        return false;
    return mergeInto(chosen, chosen.front(), kUndoMergeLinked);
}

// chosen is top-most first and holds target.
bool LayerOperations::mergeInto(const std::vector<int>& chosen, int target, const char* label)
{
    LayerList& list = layers();
    undo_.recordUndoStep(label);

    std::vector<const PatternLayer*> bottomFirst;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        bottomFirst.push_back(&list[*it]);

    LayerCells merged(doc_.grid.cellCount(), EmptyCell);
    composeLayerBytes(bottomFirst, merged.range(0, merged.size()), merged.size());
    std::vector<BackstitchLine> lines = composeLines(bottomFirst);
    std::vector<StitchMark> marks = composeMarks(bottomFirst);

    // The bottom-most layer's threads, then every other colour in the order met going up.
    std::vector<ColorRef> colors = bottomFirst.front()->threadColors;
    std::vector<std::string> numbers = bottomFirst.front()->threadNumbers;
    numbers.resize(colors.size());
    for (std::size_t k = 1; k < bottomFirst.size(); ++k) {
        const PatternLayer& layer = *bottomFirst[k];
        for (std::size_t t = 0; t < layer.threadColors.size(); ++t) {
            if (std::find(colors.begin(), colors.end(), layer.threadColors[t]) != colors.end())
                continue;
            colors.push_back(layer.threadColors[t]);
            numbers.push_back(t < layer.threadNumbers.size() ? layer.threadNumbers[t] : std::string{});
        }
    }

    // A piece still being placed in a merged layer goes on being placed in the result.
    std::optional<FloatingPiece> floating;
    bool drawingRemoved = false;
    for (int i : chosen) {
        if (list[i].floating && !floating)
            floating = list[i].floating;
        if (i != target && list[i].drawable)
            drawingRemoved = true;
    }

    PatternLayer& result = list[target];
    result.cells.swap(merged);
    result.lines = std::move(lines);
    result.marks = std::move(marks);
    result.threadColors = std::move(colors);
    result.threadNumbers = std::move(numbers);
    result.floating = std::move(floating);
    if (drawingRemoved) {
        result.drawable = true;
        result.linked = false;
    }


    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        if (*it != target)
            list.layers.erase(list.layers.begin() + *it);
    layersChanged();
    return true;
}

int LayerOperations::insertLayerAt(int index, LayerKind kind)
{
    LayerList& list = layers();
    if (list.full() || !doc_.isOpen())
        return -1;
    const int at = list.insertLayer(index, LayerList::emptyLayer(doc_, defaultLayerName(kind)), doc_);
    layersChanged();
    return at;
}

bool LayerOperations::reorder(int dragged, int target)
{
    LayerList& list = layers();
    if (!list.validIndex(dragged) || !list.validIndex(target) || dragged == target)
        return false;
    undo_.recordUndoStep(kUndoReorderLayers);
    std::swap(list[dragged], list[target]);
    layersChanged();
    return true;
}

bool LayerOperations::moveLayer(int from, int to)
{
    LayerList& list = layers();
    if (!list.validIndex(from) || !list.validIndex(to) || from == to)
        return false;
    undo_.recordUndoStep(kUndoReorderLayers);
    // Adjacent swaps carry the layer along, so the others keep their order.
    const int step = to > from ? 1 : -1;
    for (int i = from; i != to; i += step)
        std::swap(list[i], list[i + step]);
    layersChanged();
    return true;
}

bool LayerOperations::toggleVisible(int index)
{
    LayerList& list = layers();
    if (!list.validIndex(index))
        return false;
    list[index].visible = !list[index].visible;
    undo_.recordEditWithoutStep();
    notifyRows();
    recompose();
    return true;
}

bool LayerOperations::toggleLinked(int index)
{
    LayerList& list = layers();
    if (!list.validIndex(index) || list[index].drawable)
        return false;
    list[index].linked = !list[index].linked;
    undo_.recordEditWithoutStep();
    list.refreshButtonStates();
    notifyRows();
    return true;
}

// Choosing a linked layer keeps the group together: the old drawing layer joins it in the
// new one's place. Choosing a plain layer breaks the group up.
bool LayerOperations::chooseDrawingLayer(int index)
{
    LayerList& list = layers();
    if (!list.validIndex(index) || list[index].drawable)
        return false;
    undo_.recordUndoStep(kUndoChooseDrawingLayer);
    const bool wasLinked = list[index].linked;
    for (int i = 0; i < list.size(); ++i) {
        PatternLayer& other = list[i];
        if (i == index)
            continue;
        if (wasLinked) {
            if (other.drawable)
                other.linked = true;
        } else {
            other.linked = false;
        }
        other.drawable = false;
    }
    list[index].drawable = true;
    list[index].linked = false;
    list.refreshButtonStates();
    notifyRows();
    return true;
}

void LayerOperations::reset()
{
    layers().reset();
    notifyRows();
}

void LayerOperations::backgroundFromGrid()
{
    layers().backgroundFromGrid(doc_);
    linkLineSources(doc_);
    notifyRows();
    for (LayerObserver* o : observers_)
        o->layersRecomposed();
}

void LayerOperations::fabricColorChanged(ColorRef)
{
    notifyRows();  // the thumbnails show the fabric in transparent cells
}

void LayerOperations::documentReplaced()
{
    layers().refreshButtonStates();
    notifyRows();
}

}  // namespace brenmark
