#include "editor/output/colour_matching.h"

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace brenmark {
namespace {

// One sRGB to Lab (D50) transform for the whole program; LittleCMS transforms may be used
// from any thread once made.
cmsHTRANSFORM labTransform()
{
    static const cmsHTRANSFORM transform = [] {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);  // D50
        // 0x00BBGGRR in memory is R, G, B and a spare byte.
        cmsHTRANSFORM t = cmsCreateTransform(srgb, TYPE_RGBA_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
        return t;
    }();
    return transform;
}

std::vector<Lab> labsOf(std::span<const ColorRef> colours)
{
    std::vector<cmsCIELab> out(colours.size());
    if (!colours.empty())
        cmsDoTransform(labTransform(), colours.data(), out.data(), static_cast<cmsUInt32Number>(colours.size()));
    std::vector<Lab> labs(colours.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        labs[i] = {out[i].L, out[i].a, out[i].b};
    return labs;
}

using Vec = std::array<double, 3>;

// The space pixels are matched and dithered in: Lab with CIEDE2000, or RGB with the squared
// distance of the histogram rule.
class Matcher {
public:
    Matcher(ColourMetric metric, std::span<const ColorRef> palette) : metric_(metric)
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

    std::vector<Vec> pixelValues(std::span<const ColorRef> pixels) const
    {
        std::vector<Vec> values(pixels.size());
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

    const Vec& point(int entry) const { return points_[static_cast<std::size_t>(entry)]; }
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
    int nearest(const Vec& v)
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
        const Vec& a = point(x);
        const Vec& b = point(y);
        if (metric_ == ColourMetric::Lab)
            return deltaE2000({a[0], a[1], a[2]}, {b[0], b[1], b[2]});
        return square(a, b);
    }

private:
    static double square(const Vec& a, const Vec& b)
    {
        return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
    }

    int search(const Vec& v) const
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
    double lowerBound(const Vec& v, double c, std::size_t k, double limit) const
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
    std::vector<Vec> points_;
    std::vector<std::uint8_t> allowed_;
    struct VecHash {
        std::size_t operator()(const Vec& v) const
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
    std::unordered_map<Vec, int, VecHash> cache_;
    std::vector<double> ls_, as_, bs_, cs_;  // lightness, a, b and chroma of the allowed entries
    std::vector<int> ids_;
};

// The 8 x 8 Bayer matrix.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21},
};

// Each pixel's palette entry under the dithering.
std::vector<int> matchAll(Matcher& m, std::vector<Vec> values, int width, int height, Dithering dither, bool lab,
                          ProgressReport* progress)
{
    std::vector<int> entry(values.size(), -1);
    const std::vector<Vec> original = values;
    // Floyd-Steinberg's shares of what each pixel missed, carried at 85 %, each channel at
    // most this far per step and each pixel at most kMaxDrift from its own colour (in Lab
    // units; RGB levels are about 2.5 times finer).
    constexpr double kCarried = 0.85;
    const double kMaxCarried = lab ? 24.0 : 60.0, kMaxDrift = lab ? 18.0 : 45.0;
    // The ordered matrix moves each pixel by up to half the spread either way: about the gap
    // between neighbouring threads of a brand.
    const double spread = lab ? 10.0 : 24.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            Vec v = values[i];
            if (dither == Dithering::Ordered) {
                const double offset = ((kBayer[y % 8][x % 8] + 0.5) / 64.0 - 0.5) * spread;
                for (double& c : v)
                    c += offset;
            }
            const int e = m.nearest(v);
            entry[i] = e;
            if (dither != Dithering::FloydSteinberg || e < 0)
                continue;
            // Error carried on is damped and bounded: a colour no thread comes near (a deep
            // sky blue) would otherwise pile error up until far-off threads speckle the area.
            const Vec& got = m.point(e);
            Vec err;
            for (std::size_t k = 0; k < 3; ++k)
                err[k] = std::clamp((v[k] - got[k]) * kCarried, -kMaxCarried, kMaxCarried);
            auto spreadTo = [&](int dx, int dy, double share) {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || nx >= width || ny >= height)
                    return;
                const std::size_t at = static_cast<std::size_t>(ny) * static_cast<std::size_t>(width) + static_cast<std::size_t>(nx);
                Vec& n = values[at];
                for (std::size_t k = 0; k < 3; ++k)
                    n[k] = std::clamp(n[k] + err[k] * share, original[at][k] - kMaxDrift, original[at][k] + kMaxDrift);
            };
            spreadTo(1, 0, 7.0 / 16);
            spreadTo(-1, 1, 3.0 / 16);
            spreadTo(0, 1, 5.0 / 16);
            spreadTo(1, 1, 1.0 / 16);
        }
        if (progress && (y % 16 == 0 || y == height - 1))
            progress->setPosition(10 * (y + 1) / height);
    }
    return entry;
}

// Merges the least used entry into its nearest remaining one until at most limit are used;
// what is left is allowed.
std::vector<std::uint8_t> reduce(const Matcher& m, const std::vector<int>& entries, int limit)
{
    std::vector<std::int64_t> count(static_cast<std::size_t>(m.size()), 0);
    for (const int e : entries)
        if (e >= 0)
            ++count[static_cast<std::size_t>(e)];
    std::vector<std::uint8_t> used(count.size(), 0);
    int inUse = 0;
    for (std::size_t i = 0; i < count.size(); ++i)
        if (count[i] > 0)
            used[i] = 1, ++inUse;
    while (inUse > limit && inUse > 1) {
        int least = -1;
        for (int i = 0; i < m.size(); ++i)
            if (used[static_cast<std::size_t>(i)] && (least < 0 || count[static_cast<std::size_t>(i)] < count[static_cast<std::size_t>(least)]))
                least = i;
        int into = -1;
        double best = std::numeric_limits<double>::max();
        for (int i = 0; i < m.size(); ++i)
            if (i != least && used[static_cast<std::size_t>(i)] && m.distance(least, i) < best)
                best = m.distance(least, i), into = i;
        count[static_cast<std::size_t>(into)] += count[static_cast<std::size_t>(least)];
        used[static_cast<std::size_t>(least)] = 0;
        --inUse;
    }
    return used;
}

// The plain conversion under a thread limit: the least used result colour joins its nearest
// (CIEDE2000) until the limit holds, its cells with it.
void limitResult(ConversionResult& r, int limit)
{
    if (limit <= 0 || r.colorCount() <= limit)
        return;
    Matcher m(ColourMetric::Lab, r.colors);
    std::vector<int> entries(r.cells.begin(), r.cells.end());
    const std::vector<std::uint8_t> kept = reduce(m, entries, limit);
    std::vector<std::int32_t> target(r.colors.size());
    std::vector<std::int32_t> place(r.colors.size(), -1);
    std::vector<ColorRef> colours;
    for (std::size_t i = 0; i < r.colors.size(); ++i)
        if (kept[i]) {
            place[i] = static_cast<std::int32_t>(colours.size());
            colours.push_back(r.colors[i]);
        }
    for (std::size_t i = 0; i < r.colors.size(); ++i) {
        int best = static_cast<int>(i);
        double bestDistance = std::numeric_limits<double>::max();
        if (!kept[i])
            for (std::size_t k = 0; k < r.colors.size(); ++k)
                if (kept[k] && m.distance(static_cast<int>(i), static_cast<int>(k)) < bestDistance)
                    bestDistance = m.distance(static_cast<int>(i), static_cast<int>(k)), best = static_cast<int>(k);
        target[i] = place[static_cast<std::size_t>(best)];
    }
    for (std::int32_t& c : r.cells)
        if (c >= 0)
            c = target[static_cast<std::size_t>(c)];
    r.colors = std::move(colours);
}

}  // namespace

std::optional<ColourMetric> metricNamed(const std::string& word)
{
    if (word == "rgb")
        return ColourMetric::Rgb;
    if (word == "lab")
        return ColourMetric::Lab;
    return std::nullopt;
}

std::optional<Dithering> ditheringNamed(const std::string& word)
{
    if (word == "none")
        return Dithering::None;
    if (word == "fs")
        return Dithering::FloydSteinberg;
    if (word == "ordered")
        return Dithering::Ordered;
    return std::nullopt;
}

Lab labOf(ColorRef colour)
{
    return labsOf(std::span(&colour, 1)).front();
}

double deltaE2000(const Lab& x, const Lab& y)
{
    const cmsCIELab a{x.L, x.a, x.b}, b{y.L, y.a, y.b};
    return cmsCIE2000DeltaE(&a, &b, 1, 1, 1);
}

ConversionResult convertPixelsWith(std::span<const ColorRef> pixels, int width, int height,
                                   std::span<const ColorRef> palette, const ConversionOptions& options,
                                   ProgressReport* progress)
{
    const int limit = std::min(options.maxThreads > 0 ? options.maxThreads : kMaxConvertedThreads, kMaxConvertedThreads);
    if ((options.metric == ColourMetric::Rgb && options.dither == Dithering::None) || palette.empty()) {
        ConversionResult r = convertPixels(pixels, width, height, palette, progress);
        limitResult(r, options.maxThreads);
        return r;
    }
    if (progress)
        progress->setRange(0, 10);
    Matcher matcher(options.metric, palette);
    const std::vector<Vec> values = matcher.pixelValues(pixels);
    const bool lab = options.metric == ColourMetric::Lab;
    std::vector<int> entries = matchAll(matcher, values, width, height, options.dither, lab, progress);
    const std::vector<std::uint8_t> kept = reduce(matcher, entries, limit);
    if (std::any_of(entries.begin(), entries.end(), [&](int e) { return !kept[static_cast<std::size_t>(e)]; })) {
        matcher.restrictTo(kept);
        entries = matchAll(matcher, values, width, height, options.dither, lab, nullptr);
    }
    ConversionResult r;
    r.width = width;
    r.height = height;
    r.cells.resize(entries.size());
    std::vector<std::int32_t> place(static_cast<std::size_t>(matcher.size()), -1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int e = entries[i];
        std::int32_t& p = place[static_cast<std::size_t>(e)];
        if (p < 0) {
            p = static_cast<std::int32_t>(r.colors.size());
            r.colors.push_back(palette[static_cast<std::size_t>(e)]);
        }
        r.cells[i] = p;
    }
    return r;
}

}  // namespace brenmark
