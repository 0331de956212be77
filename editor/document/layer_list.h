#pragma once
#include "editor/document/pattern_layer.h"

#include <vector>

namespace brenmark {

class PatternDocument;

constexpr int kMaxLayers = 10;

// The layers of a pattern, top-most first, and the work grid used to compose them.
class LayerList {
public:
    std::vector<PatternLayer> layers;
    std::vector<std::int32_t> workGrid;

    int size() const { return static_cast<int>(layers.size()); }
    bool empty() const { return layers.empty(); }
    bool full() const { return size() >= kMaxLayers; }
    PatternLayer& operator[](int i) { return layers[static_cast<std::size_t>(i)]; }
    const PatternLayer& operator[](int i) const { return layers[static_cast<std::size_t>(i)]; }

    // Index of the drawing layer, or -1.
    int drawingLayer() const;

    // Removes and frees every layer.
    void reset();

    // Reset, then one layer "背景" holding a copy of the document's visible grid, lines,
    // marks and threads.
    void backgroundFromGrid(const PatternDocument& doc);

    // Keeps each layer's button state in step with its flags.
    void refreshButtonStates();
};

}  // namespace brenmark
