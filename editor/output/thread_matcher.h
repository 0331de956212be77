#pragma once
// Finding the nearest thread of a palette: by CIEDE2000 in CIELAB (D50, through LittleCMS) or
// by the histogram rule's squared RGB distance, exactly, with each value searched once.
// Shared by the conversion options, the thread choice under a limit and the confetti rules.
#include "editor/output/colour_matching.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <unordered_map>
#include <vector>

namespace brenmark {

// A colour in the matching space: L, a, b (or R, G, B for the RGB rule).
using LabVec = std::array<double, 3>;

// CIELAB (D50) of many sRGB colours in one LittleCMS transform.
std::vector<Lab> labsOf(std::span<const ColorRef> colours);
inline LabVec labVecOf(const Lab& l)
{
    return {l.L, l.a, l.b};
}
inline double deltaE00(const LabVec& x, const LabVec& y)
{
    return deltaE2000(Lab{x[0], x[1], x[2]}, Lab{y[0], y[1], y[2]});
}


// The space pixels are matched and dithered in: Lab with CIEDE2000, or RGB with the squared
// distance of the histogram rule.
class ThreadMatcher {
public:
    ThreadMatcher(ColourMetric metric, std::span<const ColorRef> palette) : metric_(metric)
    {
        if (metric_ == ColourMetric::Lab)
            for (const Lab& l : labsOf(palette))
                points_.push_back({l.L, l.a, l.b});
        else
            for (const ColorRef c : palette)
                points_.push_back({double(redOf(c)), double(greenOf(c)), double(blueOf(c))});
        allowed_.assign(points_.size(), 1);
        pack();
        cache_.reserve(1 << 14);
    }

    std::vector<LabVec> pixelValues(std::span<const ColorRef> pixels) const
    {
        std::vector<LabVec> values(pixels.size());
        if (metric_ == ColourMetric::Lab) {
            const std::vector<Lab> labs = labsOf(pixels);
            for (std::size_t i = 0; i < labs.size(); ++i)
                values[i] = {labs[i].L, labs[i].a, labs[i].b};
        } else {
            for (std::size_t i = 0; i < pixels.size(); ++i)
                values[i] = {double(redOf(pixels[i])), double(greenOf(pixels[i])), double(blueOf(pixels[i]))};
        }
        return values;
    }

    const LabVec& point(int entry) const { return points_[static_cast<std::size_t>(entry)]; }
    int size() const { return static_cast<int>(points_.size()); }

    void restrictTo(const std::vector<std::uint8_t>& allowed)
    {
        allowed_ = allowed;
        cache_.clear();
        pack();
    }

    // The nearest allowed entry. Each exact value is searched once: a photo repeats its
    // colours, and dithering gives values of their own, so the cache is emptied when it grows
    // past a million of them.
    int nearest(const LabVec& v)
    {
        if (const auto it = cache_.find(v); it != cache_.end())
            return it->second;
        const int found = search(v);
        if (cache_.size() >= kCacheLimit)
            cache_.clear();
        cache_.emplace(v, found);
        return found;
    }

    // CIEDE2000 (Lab) or the squared RGB distance between two entries.
    double distance(int x, int y) const
    {
        const LabVec& a = point(x);
        const LabVec& b = point(y);
        if (metric_ == ColourMetric::Lab)
            return deltaE2000({a[0], a[1], a[2]}, {b[0], b[1], b[2]});
        return square(a, b);
    }

private:
    static double square(const LabVec& a, const LabVec& b)
    {
        return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
    }

    int search(const LabVec& v) const
    {
        if (metric_ == ColourMetric::Rgb) {
            // The exact rule of the histogram conversion: the earliest of the smallest.
            int best = -1;
            double bestDistance = std::numeric_limits<double>::max();
            for (int i = 0; i < size(); ++i)
                if (allowed_[static_cast<std::size_t>(i)] && square(v, point(i)) < bestDistance)
                    bestDistance = square(v, point(i)), best = i;
            return best;
        }
        // Every entry is weighed by CIEDE2000 unless its lightness alone puts it farther
        // than the best found: the lightness term of CIEDE2000 is |ΔL| / SL with SL at most
        // lightnessWeightBound(), and the other terms add to it (the rotation term never
        // outweighs the chroma and hue terms it mixes), so |ΔL| / that bound is a lower bound.
        // The entries are walked out from the value's lightness, nearest lightness first,
        // until that bound passes the best.
        const double x = v[0];
        const double weight = lightnessWeightBound(x);
        const double chroma = std::sqrt(v[1] * v[1] + v[2] * v[2]);
        const std::size_t n = ls_.size();
        std::size_t up = static_cast<std::size_t>(std::lower_bound(ls_.begin(), ls_.end(), x) - ls_.begin());
        std::size_t down = up;  // the next below is down - 1
        // A good first guess keeps the walk short: the entry nearest by plain Lab distance.
        int best = -1;
        double bestDistance = std::numeric_limits<double>::max();
        {
            // Walked out from the value's lightness until no nearer one can follow.
            double nearestSquare = std::numeric_limits<double>::max();
            std::size_t seed = n;
            std::size_t u = up, d = down;
            while (u < n || d > 0) {
                const double du = u < n ? ls_[u] - x : std::numeric_limits<double>::max();
                const double dd = d > 0 ? x - ls_[d - 1] : std::numeric_limits<double>::max();
                const bool takeUp = du <= dd;
                const double dl = takeUp ? du : dd;
                if (dl * dl >= nearestSquare)
                    break;
                const std::size_t k = takeUp ? u++ : --d;
                const double da = as_[k] - v[1], db = bs_[k] - v[2];
                const double sq = dl * dl + da * da + db * db;
                if (sq < nearestSquare)
                    nearestSquare = sq, seed = k;
            }
            if (seed < n) {
                best = ids_[seed];
                bestDistance = deltaE2000({v[0], v[1], v[2]}, {point(best)[0], point(best)[1], point(best)[2]});
            }
        }
        while (up < n || down > 0) {
            const double du = up < n ? ls_[up] - x : std::numeric_limits<double>::max();
            const double dd = down > 0 ? x - ls_[down - 1] : std::numeric_limits<double>::max();
            const bool takeUp = du <= dd;
            if ((takeUp ? du : dd) / weight > bestDistance)
                break;
            const std::size_t k = takeUp ? up++ : --down;
            const int i = ids_[k];
            if (lowerBound(v, chroma, k, bestDistance) > bestDistance)
                continue;
            const double e = deltaE2000({v[0], v[1], v[2]}, {point(i)[0], point(i)[1], point(i)[2]});
            if (e < bestDistance || (e == bestDistance && i < best))
                bestDistance = e, best = i;
        }
        return best;
    }

    // A lower bound of CIEDE2000 between v (of chroma c) and packed entry k, from plain
    // arithmetic: every term of the formula is computed as it is, except the two that depend
    // on the hue, which are bounded. With x = ΔC'/SC and y = ΔH'/SH, ΔE00² = (ΔL/SL)² + x² +
    // y² + RT·x·y ≥ (ΔL/SL)² + x² + y² − |RT|·|x|·|y|, where |RT| ≤ RC · sin 60° (Δθ is at
    // most 30°) and SH = 1 + 0.015 C̄' T ≤ 1 + 0.015 C̄' · 1.93 (T's terms at their largest);
    // ΔH'² = Δa'² + Δb² − ΔC'².
    double lowerBound(const LabVec& v, double c, std::size_t k, double limit) const
    {
        auto rc = [](double chroma) {
            const double c2 = chroma * chroma, c7 = c2 * c2 * c2 * chroma;
            return std::sqrt(c7 / (c7 + 6103515625.0));  // 25^7
        };
        const double dl = v[0] - ls_[k];
        const double meanL = (v[0] + ls_[k]) / 2 - 50;
        const double sl = 1 + 0.015 * meanL * meanL / std::sqrt(20 + meanL * meanL);
        if (std::fabs(dl) / sl * 0.9999 > limit)
            return std::fabs(dl) / sl * 0.9999;  // the lightness alone is too far
        const double g = 0.5 * (1 - rc((c + cs_[k]) / 2));
        const double a1 = v[1] * (1 + g), a2 = as_[k] * (1 + g);
        const double c1 = std::sqrt(a1 * a1 + v[2] * v[2]), c2 = std::sqrt(a2 * a2 + bs_[k] * bs_[k]);
        const double meanC = (c1 + c2) / 2;
        const double dc = c2 - c1;
        const double da = a2 - a1, db = bs_[k] - v[2];
        const double dh2 = std::max(0.0, da * da + db * db - dc * dc);
        const double sc = 1 + 0.045 * meanC;
        const double shMax = 1 + 0.015 * meanC * 1.93;
        const double rt = 2 * rc(meanC) * 0.8660254037844387;
        // y² − rt·x·y falls until y = rt·x / 2, so a y below that bounds nothing.
        const double x = std::fabs(dc) / sc, y = std::max(std::sqrt(dh2) / shMax, rt * x / 2);
        const double bound = dl * dl / (sl * sl) + x * x + y * y - rt * x * y;
        return std::sqrt(std::max(0.0, bound)) * 0.9999 - 1e-9;
    }

    // The largest SL of CIEDE2000, 1 + 0.015 t² / √(20 + t²) with t = |L̄ − 50|, for a value
    // of lightness L against entries of lightness 0 … 100 (with a little room for rounding).
    static double lightnessWeightBound(double L)
    {
        const double t = std::max(50.0, std::fabs(L - 50.0)) + 0.5;
        return (1.0 + 0.015 * t * t / std::sqrt(20.0 + t * t)) * 1.0001;
    }

    // The allowed entries sorted by lightness, their coordinates packed.
    void pack()
    {
        std::vector<int> order;
        for (int i = 0; i < size(); ++i)
            if (allowed_[static_cast<std::size_t>(i)])
                order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](int p, int q) { return point(p)[0] < point(q)[0]; });
        ls_.clear(), as_.clear(), bs_.clear(), cs_.clear(), ids_ = order;
        for (const int i : order) {
            ls_.push_back(point(i)[0]);
            as_.push_back(point(i)[1]);
            bs_.push_back(point(i)[2]);
            cs_.push_back(std::sqrt(point(i)[1] * point(i)[1] + point(i)[2] * point(i)[2]));
        }
    }

    ColourMetric metric_;
    std::vector<LabVec> points_;
    std::vector<std::uint8_t> allowed_;
    struct LabVecHash {
        std::size_t operator()(const LabVec& v) const
        {
            std::size_t h = 0;
            for (const double d : v) {
                std::uint64_t bits = 0;
                std::memcpy(&bits, &d, sizeof bits);
                h = (h ^ std::hash<std::uint64_t>{}(bits)) * 0x9E3779B97F4A7C15ull;
            }
            return h;
        }
    };
    static constexpr std::size_t kCacheLimit = 1u << 20;
    std::unordered_map<LabVec, int, LabVecHash> cache_;
    std::vector<double> ls_, as_, bs_, cs_;  // lightness, a, b and chroma of the allowed entries
    std::vector<int> ids_;
};

}  // namespace brenmark
