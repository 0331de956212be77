#pragma once
// Bringing the threads of a pasted or inserted piece into the open pattern.
#include "editor/document/color_ref.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

class PatternDocument;

struct ThreadMapping {
    // The document index for each of the piece's threads.
    std::vector<std::int32_t> indices;
    // Index of the first thread appended to the document, and how many were appended.
    int firstAppended = 0;
    int appended = 0;
};

// Each piece thread is looked up in the document's table by colour (first entry with the
// same COLORREF); a colour not there is appended with its number, unlocked, with a symbol.
// Once the table holds the most threads a pattern file can store, a further colour takes the
// nearest thread instead, so the pattern stays saveable.
ThreadMapping mapThreads(PatternDocument& doc, const std::vector<ColorRef>& colors,
                         const std::vector<std::string>& numbers);

// Rewrites piece cells to document indices; cells naming no piece thread become transparent.
void remapCells(std::vector<std::int32_t>& cells, const ThreadMapping& mapping);

// A symbol for a thread appended at index: the first of the symbol set that no earlier
// thread shows, so the new thread stays distinguishable on the chart.
std::string freshSymbol(const PatternDocument& doc, std::size_t index);

// The first thread whose colour is nearest by squared RGB distance; -1 for an empty table.
int nearestThread(const std::vector<ColorRef>& colors, ColorRef color);

}  // namespace brenmark
