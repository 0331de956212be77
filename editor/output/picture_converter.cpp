#include "editor/output/picture_converter.h"

#include "editor/output/pass_progress.h"

#include <algorithm>
#include <utility>

namespace brenmark {

namespace {

std::int64_t squaredDistance(ColorRef a, ColorRef b)
{
    const auto d = [](unsigned x, unsigned y) {
        const std::int64_t v = static_cast<std::int64_t>(x) - static_cast<std::int64_t>(y);
        return v * v;
    };
    return d(redOf(a), redOf(b)) + d(greenOf(a), greenOf(b)) + d(blueOf(a), blueOf(b));
}


// Step E: entries walked in order; a thread colour not yet in a group starts the next group.
void groupEntries(ColorHistogram& h)
{
    h.entryToGroup.assign(static_cast<std::size_t>(h.binPaletteSize), 0);
    h.groupColors.clear();
    for (int k = 0; k < h.binPaletteSize; ++k) {
        const ColorRef thread = h.entryThread[static_cast<std::size_t>(k)];
        const auto found = std::find(h.groupColors.begin(), h.groupColors.end(), thread);
        if (found != h.groupColors.end()) {
            h.entryToGroup[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(found - h.groupColors.begin());
            continue;
        }
        h.entryToGroup[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(h.groupColors.size());
        h.groupColors.push_back(thread);
    }
}

void countGroupCells(ColorHistogram& h)
{
    h.groupCells.assign(h.groupColors.size(), 0);
    for (std::size_t r = 0; r < h.keys.size(); ++r) {
        const auto entry = static_cast<std::size_t>(h.binToEntry[r]);
        h.groupCells[static_cast<std::size_t>(h.entryToGroup[entry])] += h.keyCounts[r];
    }
}

// A file holds at most kMaxConvertedThreads threads: the least used group (the later one on
// equal counts, as the less popular) goes into its nearest remaining group until they fit.
void mergeSurplusGroups(ColorHistogram& h)
{
    while (static_cast<int>(h.groupColors.size()) > kMaxConvertedThreads) {
        std::size_t least = 0;
        for (std::size_t g = 1; g < h.groupCells.size(); ++g)
            if (h.groupCells[g] <= h.groupCells[least])
                least = g;
        std::vector<ColorRef> others = h.groupColors;
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(least));
        const auto into = static_cast<std::int32_t>(nearestColour(others, h.groupColors[least]));
        // Numbers above the merged group move down by one; "into" already counts without it.
        for (std::int32_t& g : h.entryToGroup) {
            if (g == static_cast<std::int32_t>(least))
                g = into;
            else if (g > static_cast<std::int32_t>(least))
                --g;
        }
        const std::int64_t moved = h.groupCells[least];
        h.groupColors.erase(h.groupColors.begin() + static_cast<std::ptrdiff_t>(least));
        h.groupCells.erase(h.groupCells.begin() + static_cast<std::ptrdiff_t>(least));
        h.groupCells[static_cast<std::size_t>(into)] += moved;
    }
}

}  // namespace

int nearestColour(std::span<const ColorRef> candidates, ColorRef colour)
{
    std::int64_t best = 1000000000;
    int hit = -1;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::int64_t d = squaredDistance(candidates[i], colour);
        if (d < best) {
            best = d;
            hit = static_cast<int>(i);
        }
    }
    return hit;
}

void exchangeSortByCount(std::vector<std::int32_t>& counts, std::vector<std::int32_t>& keys)
{
    const std::size_t n = counts.size();
    if (n < 2)
        return;
    for (std::size_t a = 0; a + 1 < n; ++a) {
        // The entry at a only grows during its pass, so it is kept in registers.
        std::int32_t count = counts[a];
        std::int32_t key = keys[a];
        for (std::size_t b = a + 1; b < n; ++b) {
            if (count < counts[b]) {
                std::swap(count, counts[b]);
                std::swap(key, keys[b]);
            }
        }
        counts[a] = count;
        keys[a] = key;
    }
}

ConversionResult convertPixels(std::span<const ColorRef> pixels, int width, int height,
                               std::span<const ColorRef> palette, ProgressReport* progress, ColorHistogram* state)
{
    ColorHistogram local;
    ColorHistogram& h = state ? *state : local;
    h = ColorHistogram{};
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    ConversionResult result;
    if (width < 1 || height < 1 || pixels.size() < count)
        return result;
    if (progress)
        progress->setRange(0, 10);

    // B. One increment per pixel.
    {
        PassProgress pass(progress, count);
        for (std::size_t i = 0; i < count; ++i) {
            ++h.counts[static_cast<std::size_t>(binKey(pixels[i]))];
            pass.at(i);
        }
        pass.finish();
    }

    // C. The used bins in key order, then by count, largest first.
    for (int key = 0; key < kHistogramBins; ++key)
        if (h.counts[static_cast<std::size_t>(key)] > 0) {
            h.keys.push_back(key);
            h.keyCounts.push_back(h.counts[static_cast<std::size_t>(key)]);
        }
    exchangeSortByCount(h.keyCounts, h.keys);
    const std::size_t used = h.keys.size();
    h.binPaletteSize = static_cast<int>(std::min<std::size_t>(used, kBinPaletteSize));
    const auto paletteSize = static_cast<std::size_t>(h.binPaletteSize);
    std::vector<ColorRef> entryColours(paletteSize);
    for (std::size_t k = 0; k < paletteSize; ++k)
        entryColours[k] = binColour(h.keys[k]);
    h.binToEntry.resize(used);
    for (std::size_t r = 0; r < used; ++r)
        h.binToEntry[r] = r < paletteSize ? static_cast<std::int32_t>(r)
                                          : static_cast<std::int32_t>(nearestColour(entryColours, binColour(h.keys[r])));

    // D. Each entry's thread: the nearest palette colour, or the entry's own colour.
    h.entryThread.resize(paletteSize);
    for (std::size_t k = 0; k < paletteSize; ++k) {
        const int t = nearestColour(palette, entryColours[k]);
        h.entryThread[k] = t >= 0 ? palette[static_cast<std::size_t>(t)] : entryColours[k];
    }
    h.matched = true;

    // E. Entries matching the same thread are one thread of the pattern.
    groupEntries(h);
    countGroupCells(h);
    mergeSurplusGroups(h);

    // F. Every pixel through its bin. Keys are unique, so a table of all 4096 bins gives what
    // a search of the used bins would.
    std::array<std::int32_t, kHistogramBins> groupOfKey{};
    for (std::size_t r = 0; r < used; ++r)
        groupOfKey[static_cast<std::size_t>(h.keys[r])] =
            h.entryToGroup[static_cast<std::size_t>(h.binToEntry[r])];
    result.width = width;
    result.height = height;
    result.cells.resize(count);
    {
        PassProgress pass(progress, count);
        for (std::size_t i = 0; i < count; ++i) {
            result.cells[i] = groupOfKey[static_cast<std::size_t>(binKey(pixels[i]))];
            pass.at(i);
        }
        pass.finish();
    }
    result.colors = h.groupColors;
    return result;
}

}  // namespace brenmark
