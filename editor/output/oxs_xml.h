#pragma once
// What the OXS reader and writer share: the text of colours, numbers and coordinates in the
// file. The stitch kinds and their OXS names are the document's table (stitch_kind.h).
#include "editor/document/color_ref.h"
#include "editor/document/stitch_kind.h"

#include <cstdio>
#include <string>

namespace brenmark::oxs {

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
