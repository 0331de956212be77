#pragma once
// "忽略背景色": the colour that becomes empty cells, so the fabric shows through.
#include "editor/output/thread_matcher.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brenmark {

// The colour of the picture's border: the commonest colour (taken in steps of 8 levels a
// channel, then averaged) of the outermost row and column of cells.
ColorRef borderColour(std::span<const ColorRef> pixels, int width, int height);

// 1 for each cell within tolerance (CIEDE2000) of the rule's colour, or of the border's.
std::vector<std::uint8_t> backgroundCells(std::span<const ColorRef> pixels, std::span<const LabVec> labs, int width,
                                          int height, const BackgroundRule& rule);

}  // namespace brenmark
