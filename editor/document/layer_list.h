#pragma once
#include "editor/document/cell_image.h"
#include "editor/document/pattern_layer.h"
#include "interchange/ui_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

class PatternDocument;

constexpr int kMaxLayers = 10;

// Default names; a layer's kind is known only by its name.
inline constexpr const char* kBackgroundLayerName = UI_TEXT_NOOP("背景");
inline constexpr const char* kTextLayerName = UI_TEXT_NOOP("文本层");
inline constexpr const char* kPasteLayerName = UI_TEXT_NOOP("粘贴层");
inline constexpr const char* kInsertedLayerName = UI_TEXT_NOOP("插入绣图层");
inline constexpr const char* kCopyLayerName = UI_TEXT_NOOP("复制层");

enum class LayerKind { InsertedPattern, Paste, Text };
const char* defaultLayerName(LayerKind kind);

// The layers of a pattern, top-most first. The composed picture of the visible grid is the
// view's; a layer's thumbnail is drawn from its cells at the size it is shown.
//
// The members here are the plain building blocks: they record no undo step and do not
// recompose. The user's commands are LayerOperations.
class LayerList {
public:
    std::vector<PatternLayer> layers;

    int size() const { return static_cast<int>(layers.size()); }
    bool empty() const { return layers.empty(); }
    bool full() const { return size() >= kMaxLayers; }
    bool validIndex(int i) const { return i >= 0 && i < size(); }
    PatternLayer& operator[](int i) { return layers[static_cast<std::size_t>(i)]; }
    const PatternLayer& operator[](int i) const { return layers[static_cast<std::size_t>(i)]; }

    // Index of the drawing layer (the first drawable one), or -1.
    int drawingLayer() const;
    // Index of the layer holding a floating piece, or -1.
    int floatingLayer() const;
    int visibleCount() const;
    int linkedCount() const;

    // Removes and frees every layer.
    void reset();

    // Reset, then one layer "背景" holding a copy of the document's visible grid, lines,
    // marks and threads.
    void backgroundFromGrid(const PatternDocument& doc);

    // A layer of the document's size with every cell transparent, and no lines, marks or
    // threads.
    static PatternLayer emptyLayer(const PatternDocument& doc, std::string name);

    // Puts layer before index (clamped to 0..size), visible and the only drawing layer.
    // Returns its index, or -1 (nothing changed) when the list is full or no pattern is open.
    int insertLayer(int index, PatternLayer layer, const PatternDocument& doc);
    void erase(int index);
    // Makes index the only drawable layer; -1 leaves none.
    void setOnlyDrawing(int index);

    // Keeps each layer's button state in step with its flags.
    void refreshButtonStates();

    // One cell of a layer; the caller checks bounds.
    void setLayerCell(int index, int x, int y, std::int32_t value);

    // The layer the drawing-permission test starts from: the first from the top that is
    // linked, or drawable and visible; -1 when there is none.
    int permissionLayer() const;
    // Whether a tool may paint the composed cell at x + y * width: refused when a visible
    // layer above the permission layer covers it.
    bool canPaint(int x, int y) const;
    bool canPaintCell(std::size_t cell) const;
    // The fill and hollow-out tools need the top-most visible layer to be linked or drawable.
    bool topVisibleIsLinkedOrDrawable() const;

    // All layers of the document's size, at most kMaxLayers, at most one drawing layer, and
    // every cell -1 or below the thread count (or, with allowUnknownIndices, any value, as a
    // file may hold).
    bool invariantsHold(const PatternDocument& doc, bool allowUnknownIndices = false) const;
};

}  // namespace brenmark
