#pragma once
#include "editor/document/backstitch_line.h"
#include "editor/document/cell_image.h"
#include "editor/document/color_ref.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

// One full-size layer of the pattern; index 0 of the list is the top-most.
struct PatternLayer {
    std::string name;  // at most 19 bytes in files
    bool visible = true;
    bool linked = false;
    bool drawable = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> cells;  // -1 = transparent
    std::vector<ColorRef> threadColors;  // the threads the layer was made from (for merging)
    std::vector<std::string> threadNumbers;
    std::vector<BackstitchLine> lines;
    std::vector<StitchMark> marks;
    CellImage thumbnail;  // one pixel per cell, transparent cells in the fabric colour
    std::int32_t rowPosition = 0;  // y of the layer's row in the layer panel
    std::int32_t buttonState = 0;  // 0 plain, 1 drawing layer, 2 linked
};

}  // namespace brenmark
