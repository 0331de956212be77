#pragma once
// An outline line for tests, from its two ends (column, row, corner).
#include "editor/document/backstitch_line.h"

#include <string>
#include <utility>

namespace brenmark::test {

inline BackstitchLine outlineLine(std::string thread, ColorRef colour, int c0, int r0, int k0, int c1, int r1, int k1)
{
    BackstitchLine l;
    l.thread = std::move(thread);
    l.color = colour;
    l.startColumn = c0;
    l.startRow = r0;
    l.startCorner = k0;
    l.endColumn = c1;
    l.endRow = r1;
    l.endCorner = k1;
    return l;
}

}  // namespace brenmark::test
