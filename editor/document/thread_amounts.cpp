#include "editor/document/thread_amounts.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace brenmark {

const std::vector<std::string>& fabricCounts()
{
    static const std::vector<std::string> counts = {"8CT", "9CT", "11CT", "14CT", "16CT", "18CT", "24CT", "28CT", "32CT"};
    return counts;
}

int stitchesPerInch(const std::string& fabric)
{
    int value = 0;
    for (const char c : fabric) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > 100000)
            break;
    }
    return value;
}

double threadRate(const std::string& fabric)
{
    // A stitch's thread grows with its cell's edge: 0.01 m of strand a cell on 14CT, the
    // most used fabric, scaled by 14 / count for every other count, so a coarser fabric never
    // needs less thread than a finer one.
    const int count = stitchesPerInch(fabric);
    if (count == 14)
        return 0.01;
    return count > 0 ? 0.01 * 14.0 / count : 0.0;
}

double strandMetres(const std::string& fabric, std::int64_t cells, int strands)
{
    const float single = static_cast<float>(static_cast<double>(cells) * strands * threadRate(fabric));
    return static_cast<double>(single) * 1.2;
}

double skeinMetres(const std::string& fabric, std::int64_t cells, int strands)
{
    return strandMetres(fabric, cells, strands) / 6.0;
}

std::string metresText(double metres)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2fm", metres);
    // Some thread that would read "0.00m" is still thread to buy.
    if (metres > 0 && std::string_view(buffer) == "0.00m")
        return "<0.01m";
    return buffer;
}

std::int64_t outlineLength(const BackstitchLine& line)
{
    const double dc = static_cast<double>(line.endColumn) - line.startColumn;
    const double dr = static_cast<double>(line.endRow) - line.startRow;
    return static_cast<std::int64_t>(std::trunc(std::sqrt(dc * dc + dr * dr)));
}

}  // namespace brenmark
