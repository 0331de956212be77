#include "editor/output/colour_matching.h"

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

    // The nearest allowed entry; values are looked up once per cube of two units of the space
    // (at most 1.7 units from its centre, well below the gap between two threads).
    int nearest(const Vec& v)
    {
        const auto q = [](double x) {
            return static_cast<std::uint64_t>(std::clamp<long>(std::lround(x * 0.5), -1000, 1000) + 1024);
        };
        const std::uint64_t key = q(v[0]) << 22 | q(v[1]) << 11 | q(v[2]);
        if (const auto it = cache_.find(key); it != cache_.end())
            return it->second;
        const int found = search(v);
        cache_.emplace(key, found);
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
        // The few nearest by plain Lab distance, found by walking out from the value's
        // lightness through the entries sorted by lightness until no nearer one can follow.
        constexpr int kShortlist = 3;
        std::array<std::pair<float, int>, kShortlist> shortlist;
        shortlist.fill({std::numeric_limits<float>::max(), -1});
        const float x = static_cast<float>(v[0]), y = static_cast<float>(v[1]), z = static_cast<float>(v[2]);
        auto consider = [&](std::size_t k) {
            const float dx = ls_[k] - x, dy = as_[k] - y, dz = bs_[k] - z;
            const float d = dx * dx + dy * dy + dz * dz;
            if (d >= shortlist.back().first)
                return;
            int at = kShortlist - 1;
            while (at > 0 && shortlist[static_cast<std::size_t>(at - 1)].first > d) {
                shortlist[static_cast<std::size_t>(at)] = shortlist[static_cast<std::size_t>(at - 1)];
                --at;
            }
            shortlist[static_cast<std::size_t>(at)] = {d, ids_[k]};
        };
        const std::size_t n = ls_.size();
        std::size_t up = static_cast<std::size_t>(std::lower_bound(ls_.begin(), ls_.end(), x) - ls_.begin());
        std::size_t down = up;  // the next below is down - 1
        while (up < n || down > 0) {
            const float du = up < n ? ls_[up] - x : std::numeric_limits<float>::max();
            const float dd = down > 0 ? x - ls_[down - 1] : std::numeric_limits<float>::max();
            const bool takeUp = du <= dd;
            const float dl = takeUp ? du : dd;
            if (dl * dl >= shortlist.back().first)
                break;
            consider(takeUp ? up++ : --down);
        }
        if (shortlist[0].second < 0)
            return -1;
        // CIEDE2000 weighs only those within reach of the nearest.
        const double reach = 2.0 * std::sqrt(static_cast<double>(shortlist[0].first)) + 2.0;
        if (shortlist[1].second < 0 || std::sqrt(static_cast<double>(shortlist[1].first)) > reach)
            return shortlist[0].second;  // nothing else within reach: no weighing needed
        int best = -1;
        double bestDistance = std::numeric_limits<double>::max();
        for (const auto& [d, i] : shortlist) {
            if (i < 0 || std::sqrt(static_cast<double>(d)) > reach)
                continue;
            const double e = deltaE2000({v[0], v[1], v[2]}, {point(i)[0], point(i)[1], point(i)[2]});
            if (e < bestDistance || (e == bestDistance && i < best))
                bestDistance = e, best = i;
        }
        return best;
    }

    // The allowed entries sorted by lightness, their coordinates packed.
    void pack()
    {
        std::vector<int> order;
        for (int i = 0; i < size(); ++i)
            if (allowed_[static_cast<std::size_t>(i)])
                order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](int p, int q) { return point(p)[0] < point(q)[0]; });
        ls_.clear(), as_.clear(), bs_.clear(), ids_ = order;
        for (const int i : order) {
            ls_.push_back(static_cast<float>(point(i)[0]));
            as_.push_back(static_cast<float>(point(i)[1]));
            bs_.push_back(static_cast<float>(point(i)[2]));
        }
    }

    ColourMetric metric_;
    std::vector<Vec> points_;
    std::vector<std::uint8_t> allowed_;
    std::unordered_map<std::uint64_t, int> cache_;
    std::vector<float> ls_, as_, bs_;
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
            const Vec& got = m.point(e);
            const Vec err = {v[0] - got[0], v[1] - got[1], v[2] - got[2]};
            auto spreadTo = [&](int dx, int dy, double share) {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || nx >= width || ny >= height)
                    return;
                Vec& n = values[static_cast<std::size_t>(ny) * static_cast<std::size_t>(width) + static_cast<std::size_t>(nx)];
                for (int k = 0; k < 3; ++k)
                    n[static_cast<std::size_t>(k)] += err[static_cast<std::size_t>(k)] * share;
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
