#pragma once
// Thread lengths: metres of strand per cell for a fabric count, the six-strand figures and
// the outline length of a line. The statistics, the printed key and the page writer all
// count with these.
#include "editor/document/pattern_document.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kDefaultFabric = "14CT";
constexpr int kDefaultStrands = 2;

// "8CT", "9CT", "11CT", "14CT", "16CT", "18CT", "24CT", "28CT", "32CT": every fabric list of
// the program.
const std::vector<std::string>& fabricCounts();
// The number before "CT" read as a decimal integer; 0 when there is none.
int stitchesPerInch(const std::string& fabric);
// Metres of one strand per cell: 0.01 x 14 / count, the 14CT figure scaled by the cell's edge
// (0 for no count at all).
double threadRate(const std::string& fabric);
// Metres per cell length of outline: 0.0254 / 48.
constexpr double kOutlineRate = 0.0254 / 48.0;

// Metres of single strand for cells: cells x strands x rate, rounded to single precision,
// then the 20 % allowance (x 1.2).
double strandMetres(const std::string& fabric, std::int64_t cells, int strands);
// The same in six-strand skeins (/ 6), the unit of every "6股" figure.
double skeinMetres(const std::string& fabric, std::int64_t cells, int strands);
// "%.2fm"; an amount above 0 that would show as "0.00m" is "<0.01m".
std::string metresText(double metres);

// The trunc(sqrt(dc^2 + dr^2)) of a line between its start and end cells (corners unused).
std::int64_t outlineLength(const BackstitchLine& line);

}  // namespace brenmark
