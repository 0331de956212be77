#pragma once
// What the OXS reader and writer share: the stitch mark kinds and their OXS names, and the
// text of colours, numbers and coordinates in the file.
#include "editor/document/color_ref.h"

#include <cstdio>
#include <string>

namespace brenmark::oxs {

// Stitch mark kinds and what OXS calls them.
enum MarkKind : int {
    HalfForward = 1,   // "/"
    HalfBackward = 2,  // "\"
    QuarterTopLeft = 3,
    QuarterTopRight = 4,
    QuarterBottomLeft = 5,
    QuarterBottomRight = 6,
    ThreeQuarterTopLeft = 7,   // "/" and the top-left quarter
    ThreeQuarterTopRight = 8,  // "\" and the top-right quarter
    Petite = 9,
    Knot = 10,
    Bead = 11,
    Star = 12,
    UprightCross = 13,
};

// Ornaments that sit on a cell with its full stitch; the part stitches replace it.
inline bool ornament(int kind) { return kind >= Petite; }
// The OXS object type of an ornament; nullptr for other kinds.
const char* ornamentName(int kind);
// The ornament an object type names (the bead sizes are beads); 0 for none.
int ornamentKind(const std::string& name);

// printf into a string of at most 255 bytes.
template <typename... Values>
std::string format(const char* pattern, Values... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

// "RRGGBB".
std::string hexColour(ColorRef c);
// A number with at most two decimals and no trailing zeros ("3", "3.5", "3.25").
std::string coordinate(double v);

}  // namespace brenmark::oxs
