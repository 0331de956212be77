#pragma once
// Numbers as our vector writers (SVG, PDF) put them in their text: whole numbers, and
// fixed-point decimals with trailing zeros dropped and never an exponent, which neither
// format's readers take.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace brenmark {

inline void appendWhole(std::string& out, long long v)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
}

// v with at most `places` decimals (0 to 8): 12, 12.5, -0.25. What is not finite is 0, and
// magnitudes stop at 10^12.
inline void appendDecimal(std::string& out, double v, int places)
{
    static constexpr long long kTens[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    places = std::clamp(places, 0, 8);
    const long long scale = kTens[places];
    // Beyond a million million nothing on a page means anything; the bound keeps the scaled
    // number inside 64 bits at every count of decimals.
    const double limit = std::min(1e12, 9e18 / static_cast<double>(scale));
    long long n = std::llround(std::isfinite(v) ? std::clamp(v, -limit, limit) * static_cast<double>(scale) : 0.0);
    if (n < 0) {
        out.push_back('-');
        n = -n;
    }
    appendWhole(out, n / scale);
    long long fraction = n % scale;
    if (fraction == 0)
        return;
    int digits = places;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    char buffer[8];
    for (int k = digits - 1; k >= 0; --k) {
        buffer[k] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out.push_back('.');
    out.append(buffer, static_cast<std::size_t>(digits));
}

}  // namespace brenmark
