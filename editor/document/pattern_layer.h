#pragma once
#include "editor/document/backstitch_line.h"
#include "editor/document/cell_image.h"
#include "editor/document/color_ref.h"
#include "editor/document/layer_cells.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brenmark {

constexpr std::size_t kMaxLayerNameBytes = 19;  // a 20-byte field in files

// A pasted block or an inserted pattern waiting to be placed. Its cells already use the
// document's thread indices; lines and marks are relative to the piece's top-left cell.
struct FloatingPiece {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> cells;  // -1 = transparent
    std::vector<BackstitchLine> lines;
    std::vector<StitchMark> marks;
    // The piece in its thread colours; transparent cells are 0 (no alpha), so the view can
    // draw it over the chart as a premultiplied ARGB image.
    CellImage picture;
    // Where the piece's top-left cell lies in the pattern; it may lie partly outside.
    std::int32_t column = 0;
    std::int32_t row = 0;

    std::int32_t at(int x, int y) const
    {
        return cells[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
    }
    void moveBy(int dx, int dy)
    {
        column += dx;
        row += dy;
    }
};

// Tells one layer from every other while it lives in the list, for an edit that must come
// back to the layer it started in. Moves carry it along (the list shifting or swapping its
// layers), copies start untagged: a layer put back by undo or made by copying another is a
// different layer. Never stored.
class LayerTag {
public:
    LayerTag() = default;
    LayerTag(const LayerTag&) noexcept {}
    LayerTag& operator=(const LayerTag&) noexcept
    {
        value_ = 0;
        return *this;
    }
    LayerTag(LayerTag&& other) noexcept : value_(std::exchange(other.value_, 0)) {}
    LayerTag& operator=(LayerTag&& other) noexcept
    {
        value_ = std::exchange(other.value_, 0);
        return *this;
    }
    // A tag no other layer has had in this run.
    static LayerTag fresh();
    std::uint64_t value() const { return value_; }  // 0: untagged

private:
    std::uint64_t value_ = 0;
};

// One full-size layer of the pattern; index 0 of the list is the top-most.
struct PatternLayer {
    std::string name;  // at most 19 bytes in files
    bool visible = true;
    bool linked = false;
    bool drawable = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    LayerCells cells;  // one byte a cell; reads give -1 for transparent
    std::vector<ColorRef> threadColors;  // the threads the layer was made from (for merging)
    std::vector<std::string> threadNumbers;
    std::vector<BackstitchLine> lines;
    std::vector<StitchMark> marks;
    std::int32_t buttonState = 0;  // 0 plain, 1 drawing layer, 2 linked
    // The piece being placed in this layer, if any; it becomes cells only when dropped.
    std::optional<FloatingPiece> floating;
    LayerTag tag;

    std::size_t cellCount() const { return cells.size(); }
    bool transparentAt(std::size_t i) const { return cells.transparentAt(i); }
};

}  // namespace brenmark
