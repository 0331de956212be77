#pragma once
// What "复制选区" keeps for "粘贴选区": a block of cells with the marks and lines inside the
// selection, and the threads and brand of the pattern it came from.
#include "editor/document/backstitch_line.h"
#include "editor/document/color_ref.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

struct PatternClipboard {
    bool valid = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> cells;  // -1 outside the selection polygon
    std::vector<StitchMark> marks;    // relative to the block
    std::vector<BackstitchLine> lines;  // relative to the block
    std::vector<ColorRef> threadColors;  // the source pattern's thread table
    std::vector<std::string> threadNumbers;
    std::vector<ColorRef> barColors;  // the source's colour bar
    std::vector<std::string> barNumbers;
    std::string brand;
};

}  // namespace brenmark
