#include "photo/photo_conversion.h"

#include "editor/output/pass_progress.h"

#include <algorithm>
#include <unordered_map>

namespace brenmark {

namespace {


// The nearest of a fixed candidate list, remembered per colour: a photo drawn smaller holds
// far fewer colours than pixels, and the search is linear over up to 256 candidates.
class NearestCache {
public:
    explicit NearestCache(std::span<const ColorRef> candidates) : candidates_(candidates) {}
    int operator()(ColorRef colour)
    {
        if (colour == lastColour_ && last_ >= 0)
            return last_;
        auto [it, fresh] = known_.try_emplace(colour, 0);
        if (fresh)
            it->second = nearestColour(candidates_, colour);
        lastColour_ = colour;
        last_ = it->second;
        return last_;
    }

private:
    std::span<const ColorRef> candidates_;
    std::unordered_map<ColorRef, int> known_;
    ColorRef lastColour_ = 0;
    int last_ = -1;
};

// A pattern holds at most kMaxConvertedThreads threads: the least used colour (the later one
// on equal counts) goes into its nearest other colour, and the numbers above it move down.
int mergeSurplusColours(ConversionResult& result)
{
    int merged = 0;
    while (result.colorCount() > kMaxConvertedThreads) {
        std::vector<std::int64_t> used(result.colors.size(), 0);
        for (const std::int32_t v : result.cells)
            ++used[static_cast<std::size_t>(v)];
        std::size_t least = 0;
        for (std::size_t c = 1; c < used.size(); ++c)
            if (used[c] <= used[least])
                least = c;
        std::vector<ColorRef> others = result.colors;
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(least));
        const auto into = static_cast<std::int32_t>(nearestColour(others, result.colors[least]));
        const auto gone = static_cast<std::int32_t>(least);
        for (std::int32_t& v : result.cells)
            v = v == gone ? into : (v > gone ? v - 1 : v);
        result.colors.erase(result.colors.begin() + static_cast<std::ptrdiff_t>(least));
        ++merged;
    }
    if (merged == 0)
        return 0;
    // The merged colour may have been used before the one it went into: number them again
    // in order of first use.
    std::vector<std::int32_t> renumbered(result.colors.size(), -1);
    std::vector<ColorRef> colours;
    for (std::int32_t& v : result.cells) {
        std::int32_t& to = renumbered[static_cast<std::size_t>(v)];
        if (to < 0) {
            to = static_cast<std::int32_t>(colours.size());
            colours.push_back(result.colors[static_cast<std::size_t>(v)]);
        }
        v = to;
    }
    result.colors = std::move(colours);
    return merged;
}

}  // namespace

ConversionResult convertPhotoPixels(std::span<const ColorRef> pixels, int width, int height,
                                    std::span<const ColorRef> candidates, std::span<const ColorRef> library,
                                    ProgressReport* progress, PhotoConversionState* state)
{
    PhotoConversionState local;
    PhotoConversionState& s = state ? *state : local;
    s = PhotoConversionState{};
    ConversionResult result;
    const std::size_t count = static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
    if (count == 0 || pixels.size() < count || candidates.empty() || library.empty())
        return result;
    if (progress)
        progress->setRange(0, 10);

    // Pass 1: the nearest candidate of every pixel, an exact match counting twice.
    s.counts.assign(candidates.size(), 0);
    {
        NearestCache nearest(candidates);
        PassProgress pass(progress, count);
        for (std::size_t i = 0; i < count; ++i) {
            const auto c = static_cast<std::size_t>(nearest(pixels[i]));
            s.counts[c] += candidates[c] == pixels[i] ? 2 : 1;
            pass.at(i);
        }
        pass.finish();
    }

    // Highest count first by the exchange sort, which never swaps equal counts; then the
    // candidates nobody chose go.
    s.orderCounts = s.counts;
    s.order.resize(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        s.order[i] = static_cast<std::int32_t>(i);
    exchangeSortByCount(s.orderCounts, s.order);
    const auto kept = static_cast<std::size_t>(
        std::find(s.orderCounts.begin(), s.orderCounts.end(), 0) - s.orderCounts.begin());
    s.order.resize(kept);
    s.orderCounts.resize(kept);

    std::vector<ColorRef> remaining(kept);
    s.libraryColours.resize(kept);
    for (std::size_t k = 0; k < kept; ++k) {
        remaining[k] = candidates[static_cast<std::size_t>(s.order[k])];
        // The strict minimum stops at nothing smaller than an exact match, so the first
        // exact library colour is the one taken.
        s.libraryColours[k] = library[static_cast<std::size_t>(nearestColour(library, remaining[k]))];
    }

    // Pass 2: each pixel's nearest remaining candidate (the earlier in count order on a
    // tie), its library colour, numbered in order of first use.
    result.width = width;
    result.height = height;
    result.cells.resize(count);
    std::vector<std::int32_t> indexOfRank(kept, -1);
    {
        NearestCache nearest(remaining);
        PassProgress pass(progress, count);
        for (std::size_t i = 0; i < count; ++i) {
            const auto rank = static_cast<std::size_t>(nearest(pixels[i]));
            std::int32_t& index = indexOfRank[rank];
            if (index < 0) {
                const ColorRef thread = s.libraryColours[rank];
                const auto found = std::find(result.colors.begin(), result.colors.end(), thread);
                index = static_cast<std::int32_t>(found - result.colors.begin());
                if (found == result.colors.end())
                    result.colors.push_back(thread);
            }
            result.cells[i] = index;
            pass.at(i);
        }
        pass.finish();
    }
    s.merged = mergeSurplusColours(result);
    return result;
}

}  // namespace brenmark
