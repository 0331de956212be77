#include "editor/output/colour_matching.h"

#include "editor/output/background_colour.h"
#include "editor/output/confetti.h"
#include "editor/output/thread_choice.h"
#include "editor/output/thread_matcher.h"

#include <lcms2.h>

#include <algorithm>
#include <charconv>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace brenmark {
namespace {

using Matcher = ThreadMatcher;
using Vec = LabVec;

// The 8 x 8 Bayer matrix.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21},
};

// Each pixel's palette entry under the dithering.
// Where error diffusion may carry error: pixels whose 4-neighbours all lie within a few CIELAB
// units (RGB levels) of them, the smooth gradients that banding spoils. At edges and in
// texture diffusion only adds confetti, so error is neither sent from nor into such pixels.
std::vector<std::uint8_t> smoothPixels(const std::vector<Vec>& values, int width, int height, bool lab)
{
    const double limit = lab ? 6.0 : 15.0;
    std::vector<std::uint8_t> smooth(values.size(), 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            auto far = [&](std::size_t j) {
                double d = 0;
                for (std::size_t k = 0; k < 3; ++k)
                    d += (values[i][k] - values[j][k]) * (values[i][k] - values[j][k]);
                return d > limit * limit;
            };
            if ((x > 0 && far(i - 1)) || (x + 1 < width && far(i + 1)) || (y > 0 && far(i - static_cast<std::size_t>(width))) ||
                (y + 1 < height && far(i + static_cast<std::size_t>(width))))
                smooth[i] = 0;
        }
    return smooth;
}

std::vector<int> matchAll(Matcher& m, std::vector<Vec> values, int width, int height, Dithering dither, bool lab,
                          ProgressReport* progress, const std::vector<std::uint8_t>& empty = {})
{
    std::vector<int> entry(values.size(), -1);
    const std::vector<Vec> original = values;
    const std::vector<std::uint8_t> smooth =
        dither == Dithering::FloydSteinberg ? smoothPixels(values, width, height, lab) : std::vector<std::uint8_t>();
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
            if (!empty.empty() && empty[i])
                continue;  // the background: no thread, and no error taken or given
            Vec v = values[i];
            if (dither == Dithering::Ordered) {
                // Lightness only under CIELAB: an offset on a and b would shift the hue.
                const double offset = ((kBayer[y % 8][x % 8] + 0.5) / 64.0 - 0.5) * spread;
                if (lab)
                    v[0] += offset;
                else
                    for (double& c : v)
                        c += offset;
            }
            const int e = m.nearest(v);
            entry[i] = e;
            if (dither != Dithering::FloydSteinberg || e < 0 || !smooth[i])
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
                if (!smooth[at] || (!empty.empty() && empty[at]))
                    return;
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

std::optional<BackgroundRule> backgroundRuleNamed(const std::string& word)
{
    BackgroundRule rule;
    std::string colour = word;
    if (const auto slash = word.find('/'); slash != std::string::npos) {
        colour = word.substr(0, slash);
        const std::string tolerance = word.substr(slash + 1);
        double t = 0;
        const auto r = std::from_chars(tolerance.data(), tolerance.data() + tolerance.size(), t);
        if (tolerance.empty() || r.ptr != tolerance.data() + tolerance.size() || r.ec != std::errc{} || !(t >= 0 && t <= 100))
            return std::nullopt;
        rule.tolerance = t;
    }
    if (colour == "border")
        return rule;
    if (colour.size() != 7 || colour[0] != '#')
        return std::nullopt;
    unsigned value = 0;
    const auto r = std::from_chars(colour.data() + 1, colour.data() + 7, value, 16);
    if (r.ptr != colour.data() + 7 || r.ec != std::errc{})
        return std::nullopt;
    rule.colour = rgb((value >> 16) & 0xFFu, (value >> 8) & 0xFFu, value & 0xFFu);
    return rule;
}

std::optional<CropRect> cropNamed(const std::string& word)
{
    int v[4] = {0, 0, 0, 0};
    const char* at = word.data();
    const char* end = word.data() + word.size();
    for (int k = 0; k < 4; ++k) {
        const auto r = std::from_chars(at, end, v[k]);
        if (r.ec != std::errc{} || r.ptr == at)
            return std::nullopt;
        at = r.ptr;
        if (k < 3) {
            if (at == end || *at != ',')
                return std::nullopt;
            ++at;
        }
    }
    if (at != end || v[0] < 0 || v[1] < 0 || v[2] < 1 || v[3] < 1)
        return std::nullopt;
    return CropRect{v[0], v[1], v[2], v[3]};
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

namespace {

// The result's colours in order of first use, unused ones dropped; cells follow.
void renumberByFirstUse(ConversionResult& r)
{
    std::vector<std::int32_t> place(r.colors.size(), -1);
    std::vector<ColorRef> colours;
    for (std::int32_t& c : r.cells) {
        if (c < 0)
            continue;
        std::int32_t& p = place[static_cast<std::size_t>(c)];
        if (p < 0) {
            p = static_cast<std::int32_t>(colours.size());
            colours.push_back(r.colors[static_cast<std::size_t>(c)]);
        }
        c = p;
    }
    r.colors = std::move(colours);
}

// Drops the colours no cell uses, keeping the order of the rest.
void dropUnused(ConversionResult& r)
{
    std::vector<std::uint8_t> used(r.colors.size(), 0);
    for (const std::int32_t c : r.cells)
        if (c >= 0)
            used[static_cast<std::size_t>(c)] = 1;
    if (std::all_of(used.begin(), used.end(), [](std::uint8_t u) { return u != 0; }))
        return;
    std::vector<std::int32_t> place(r.colors.size(), -1);
    std::vector<ColorRef> colours;
    for (std::size_t i = 0; i < r.colors.size(); ++i)
        if (used[i]) {
            place[i] = static_cast<std::int32_t>(colours.size());
            colours.push_back(r.colors[i]);
        }
    for (std::int32_t& c : r.cells)
        if (c >= 0)
            c = place[static_cast<std::size_t>(c)];
    r.colors = std::move(colours);
}

// What every options mode does after matching: the background emptied, confetti reduced
// (only isolated stitches under dithering, whose texture is the point), small threads merged.
void finishResult(ConversionResult& r, const std::vector<Vec>& cellLabs, const std::vector<std::uint8_t>& empty,
                  const ConversionOptions& options)
{
    if (!empty.empty())
        for (std::size_t i = 0; i < r.cells.size(); ++i)
            if (empty[i])
                r.cells[i] = -1;
    const std::vector<Lab> threadLab = labsOf(r.colors);
    std::vector<Vec> threadLabs;
    for (const Lab& l : threadLab)
        threadLabs.push_back(labVecOf(l));
    if (options.confetti > 0) {
        if (options.dither == Dithering::None)
            reduceConfetti(r.cells, r.width, r.height, cellLabs, threadLabs, options.confetti);
        else
            removeIsolatedStitches(r.cells, r.width, r.height, cellLabs, threadLabs);
    }
    mergeSmallThreads(r.cells, threadLabs, options.minStitches);
    dropUnused(r);
}

std::vector<Vec> labVecsOf(std::span<const ColorRef> pixels)
{
    std::vector<Vec> out;
    out.reserve(pixels.size());
    for (const Lab& l : labsOf(pixels))
        out.push_back(labVecOf(l));
    return out;
}

}  // namespace

ConversionResult convertPixelsWith(std::span<const ColorRef> pixels, int width, int height,
                                   std::span<const ColorRef> palette, const ConversionOptions& options,
                                   ProgressReport* progress)
{
    const int limit = std::min(options.maxThreads > 0 ? options.maxThreads : kMaxConvertedThreads, kMaxConvertedThreads);
    const bool extras = options.confetti > 0 || options.minStitches > 1 || options.background;
    const std::size_t count = static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
    if (count == 0 || pixels.size() < count)
        return {};
    pixels = pixels.first(count);
    // CIELAB of every cell, for the background, the confetti rule and the thread choice.
    std::vector<Vec> cellLabs;
    if (extras || options.metric == ColourMetric::Lab)
        cellLabs = labVecsOf(pixels);
    std::vector<std::uint8_t> empty;
    if (options.background)
        empty = backgroundCells(pixels, cellLabs, width, height, *options.background);

    if ((options.metric == ColourMetric::Rgb && options.dither == Dithering::None) || palette.empty()) {
        ConversionResult r = convertPixels(pixels, width, height, palette, progress);
        limitResult(r, options.maxThreads);
        if (extras)
            finishResult(r, cellLabs, empty, options);
        return r;
    }
    if (progress)
        progress->setRange(0, 10);
    Matcher matcher(options.metric, palette);
    const bool lab = options.metric == ColourMetric::Lab;
    const std::vector<Vec> values = lab ? cellLabs : matcher.pixelValues(pixels);
    std::vector<int> entries = matchAll(matcher, values, width, height, options.dither, lab, progress, empty);
    std::vector<std::uint8_t> kept;
    if (lab && options.maxThreads > 0) {
        // Under a limit the threads are chosen for the picture as a whole, unless plain
        // matching already stays within it.
        std::vector<std::uint8_t> used(palette.size(), 0);
        int inUse = 0;
        for (const int e : entries)
            if (e >= 0 && !used[static_cast<std::size_t>(e)])
                used[static_cast<std::size_t>(e)] = 1, ++inUse;
        kept = inUse > limit ? chooseThreads(matcher, values, entries, limit) : used;
    } else {
        kept = reduce(matcher, entries, limit);
    }
    if (std::any_of(entries.begin(), entries.end(), [&](int e) { return e >= 0 && !kept[static_cast<std::size_t>(e)]; })) {
        matcher.restrictTo(kept);
        entries = matchAll(matcher, values, width, height, options.dither, lab, nullptr, empty);
    }
    ConversionResult r;
    r.width = width;
    r.height = height;
    r.cells.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        r.cells[i] = entries[i];
    r.colors.assign(palette.begin(), palette.end());
    if (extras)
        finishResult(r, cellLabs, empty, options);
    renumberByFirstUse(r);
    return r;
}

}  // namespace brenmark
