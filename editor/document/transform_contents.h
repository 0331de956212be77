#pragma once
// Carrying what lies in a region of the pattern somewhere else: the cells, stitch marks and
// outline lines of every layer that can be edited, moved, copied, mirrored or turned by one
// mapping of cells. Moving by drag, mirroring, rotating and copying to the clipboard are all
// this one operation with another mapping; none of these record undo steps or recompose.
#include "editor/document/backstitch_line.h"
#include "editor/document/pattern_clipboard.h"
#include "editor/document/pattern_document.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace brenmark {

// A cell, or a point counted in cells.
struct GridPoint {
    std::int32_t column = 0;
    std::int32_t row = 0;
    bool operator==(const GridPoint&) const = default;
};

// Cells [left, right) x [top, bottom).
struct RegionBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const RegionBox&) const = default;
};

// A region of cells: the cells of its box for which contains holds. A stitch mark belongs to
// it when its cell does, an outline line when both its end cells do.
class CellRegion {
public:
    virtual ~CellRegion() = default;
    virtual bool contains(int column, int row) const = 0;
    // Holds every member; it may reach outside the pattern.
    virtual RegionBox bounds() const = 0;
};

// Where the contents of a region go.
struct ContentMapping {
    // The place of a cell, of the mark on it and of a line end at it.
    std::function<GridPoint(GridPoint)> cell;
    // The corner a line end on corner k takes there; codes outside 0..3 stay as they are.
    std::array<std::int32_t, 4> corners{TopLeft, TopRight, BottomLeft, BottomRight};
    // The region keeps what it holds; otherwise its cells are emptied and its marks and lines
    // leave before the carried ones are put down.
    bool copy = false;
    // Every member carries its value, an empty cell its emptiness (a mirror image); otherwise
    // only cells holding a thread are written and the others leave the target as it was.
    bool everyValue = false;
};

// The layers region edits work on: drawable or linked, and of the pattern's size.
std::vector<int> editableLayers(const PatternDocument& doc);

// The members within a width x height pattern, row by row.
std::vector<GridPoint> regionMembers(const CellRegion& region, int width, int height);

// On every editable layer: unless copying, the members become empty and the region's marks
// and lines are taken out; then each member's value (see everyValue) is written where the
// mapping puts it, and each of the region's marks and lines is added there, as long as the
// place lies in the pattern. Marks keep to one a cell; carried lines follow the layer's others.
// Members are read as the layer was before the change, so overlapping places are safe; when
// two members land on one cell, the later one (row by row) wins.
void transformContents(PatternDocument& doc, const CellRegion& region, const ContentMapping& mapping);

// On every editable layer the members become empty and the region's marks go; its lines go
// too unless keepLines.
void clearContents(PatternDocument& doc, const CellRegion& region, bool keepLines);

// The region's part of the composed pattern, as "复制选区" keeps it: a block of the region's box
// cut to the pattern, the members' values in it (every other cell empty), the region's marks
// and unpicked lines relative to the block, and the pattern's threads, colour bar and brand.
// Not valid when the box holds no cell of the pattern.
PatternClipboard copyContents(const PatternDocument& doc, const CellRegion& region);

}  // namespace brenmark
