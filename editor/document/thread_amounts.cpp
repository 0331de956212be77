#include "editor/document/thread_amounts.h"

#include <cmath>
#include <cstdio>

namespace brenmark {

const std::vector<std::string>& fabricCounts()
{
    static const std::vector<std::string> counts = {"8CT", "9CT", "11CT", "14CT", "18CT", "24CT", "32CT"};
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
    switch (stitchesPerInch(fabric)) {
    case 8: return 0.0228;
    case 9: return 0.025;
    case 11: return 1.0 / 85.0;
    case 14: return 0.01;
    case 18: return 0.0102;
    case 24: return 0.0078;
    case 32: return 0.006;
    case 0: return 0;
    default: return 0.14 / stitchesPerInch(fabric);
    }
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
    return buffer;
}

std::int64_t outlineLength(const BackstitchLine& line)
{
    const double dc = static_cast<double>(line.endColumn) - line.startColumn;
    const double dr = static_cast<double>(line.endRow) - line.startRow;
    return static_cast<std::int64_t>(std::trunc(std::sqrt(dc * dc + dr * dr)));
}

}  // namespace brenmark
