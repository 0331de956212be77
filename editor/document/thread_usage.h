#pragma once
// What the pattern uses of each thread: cells per thread table entry and the outline lines
// grouped by colour. Counted once from the document; the key, the statistics, the colour
// bar's order, the thread operations and the page writer all read it.
#include "editor/document/pattern_document.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

// The outline lines of one colour.
struct OutlineGroup {
    ColorRef colour = 0;
    std::string number;       // the first line's thread, else the colour's first thread entry
    std::int64_t length = 0;  // cell lengths of all its lines
    std::size_t lines = 0;
};

class ThreadUsage {
public:
    ThreadUsage() = default;
    // The visible grid's cells and lines: what is shown and printed.
    explicit ThreadUsage(const PatternDocument& doc);
    // The visible grid, every layer's cells and any floating piece: what a thread
    // operation must not lose (lines as on the visible grid).
    static ThreadUsage withLayers(const PatternDocument& doc);

    // Cells per thread table entry (empty and unknown indices not counted).
    const std::vector<std::int64_t>& cells() const { return cells_; }
    std::int64_t cellsOf(std::size_t entry) const { return entry < cells_.size() ? cells_[entry] : 0; }
    // Cells of every entry of a colour summed.
    std::int64_t cellsOfColour(const PatternDocument& doc, ColorRef colour) const;
    // One group per distinct line colour, in the order the lines first use it.
    const std::vector<OutlineGroup>& outlines() const { return outlines_; }
    const OutlineGroup* outlineOf(ColorRef colour) const;

private:
    std::vector<std::int64_t> cells_;
    std::vector<OutlineGroup> outlines_;
};

}  // namespace brenmark
