#pragma once
// Composing layers: the visible grid from the visible layers, and merged layers.
#include "editor/document/cell_image.h"
#include "editor/document/layer_cells.h"
#include "editor/document/pattern_document.h"
#include "editor/document/pattern_layer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brenmark {

// Every layer byte of src that is not transparent replaces the byte of dst.
void overlayLayerBytes(LayerByte* dst, const LayerByte* src, std::size_t n);

// Top-most non-transparent cell wins. Layers are given bottom-most first; none gives an
// all-transparent result. Layers whose cell count differs from n are skipped.
// Into signed cell values (the visible grid):
void composeCells(std::span<const PatternLayer* const> bottomFirst, std::int32_t* out, std::size_t n);
// Into layer bytes (a merged layer):
void composeLayerBytes(std::span<const PatternLayer* const> bottomFirst, LayerByte* out, std::size_t n);

// Lines: the concatenation, bottom-most first.
std::vector<BackstitchLine> composeLines(std::span<const PatternLayer* const> bottomFirst);
// Marks: the bottom-most layer's, then each layer going up replaces the mark on the same
// column and row or appends its own.
std::vector<StitchMark> composeMarks(std::span<const PatternLayer* const> bottomFirst);

// The visible layers, bottom-most (highest index) first.
std::vector<const PatternLayer*> visibleBottomFirst(const std::vector<PatternLayer>& layers);

// Where each line composeLines makes of the visible layers of list comes from, in its order.
std::vector<LineSource> composeLineSources(const std::vector<PatternLayer>& list);

// Recomputes the document's visible grid, lines (with their sources) and marks from the
// visible layers, and tells the document's observers the lines were composed. With
// none visible the grid is all empty and there are no lines or marks. Does nothing when no
// pattern is open. The view's picture follows the grid when it is next rebuilt.
void recomposeDocument(PatternDocument& doc);

}  // namespace brenmark
