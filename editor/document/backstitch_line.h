#pragma once
#include "editor/document/color_ref.h"

#include <cstdint>
#include <string>

namespace brenmark {

// Which corner of a cell a backstitch end sits on.
enum CellCorner : std::int32_t {
    TopLeft = 0,
    TopRight = 1,
    BottomLeft = 2,
    BottomRight = 3,
};

// One outline stitch from a corner of one cell to a corner of another.
struct BackstitchLine {
    // The records' picked flag: files always hold 0, a plug-in's record marks the line picked
    // in the view. The editor keeps its pick in the view, never in the document's lines.
    std::uint8_t selected = 0;
    std::string thread;         // thread number, at most 10 bytes in files
    ColorRef color = 0;
    std::int32_t startColumn = 0;
    std::int32_t startRow = 0;
    std::int32_t startCorner = TopLeft;
    std::int32_t endColumn = 0;
    std::int32_t endRow = 0;
    std::int32_t endCorner = TopLeft;

    bool operator==(const BackstitchLine&) const = default;
};

// A per-cell stitch-kind overlay; kind 0 (the plain full stitch) has no mark.
struct StitchMark {
    std::int32_t kind = 0;
    std::int32_t reserved = 0;
    std::int32_t column = 0;
    std::int32_t row = 0;

    bool operator==(const StitchMark&) const = default;
};

}  // namespace brenmark
