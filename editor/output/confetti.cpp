#include "editor/output/confetti.h"

#include <algorithm>
#include <array>
#include <limits>

namespace brenmark {

namespace {

constexpr int kRounds = 4;

struct Grid {
    std::vector<std::int32_t>& cells;
    int width, height;
    std::int32_t at(int x, int y) const
    {
        return cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
    // The 4-neighbours' values (-2 past the edge).
    std::array<std::int32_t, 4> around(int x, int y) const
    {
        return {x > 0 ? at(x - 1, y) : -2, x + 1 < width ? at(x + 1, y) : -2, y > 0 ? at(x, y - 1) : -2,
                y + 1 < height ? at(x, y + 1) : -2};
    }
};

bool isolated(std::int32_t v, const std::array<std::int32_t, 4>& n)
{
    return v >= 0 && std::none_of(n.begin(), n.end(), [&](std::int32_t o) { return o == v; }) &&
           std::any_of(n.begin(), n.end(), [](std::int32_t o) { return o != -2; });
}

}  // namespace

double confettiShare(std::span<const std::int32_t> cells, int width, int height)
{
    std::vector<std::int32_t> copy(cells.begin(), cells.end());
    const Grid g{copy, width, height};
    std::size_t stitched = 0, alone = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::int32_t v = g.at(x, y);
            if (v < 0)
                continue;
            ++stitched;
            if (isolated(v, g.around(x, y)))
                ++alone;
        }
    return stitched ? static_cast<double>(alone) / static_cast<double>(stitched) : 0.0;
}

double confettiPenalty(int strength)
{
    // Gentle at first: at 5 a cell gives way to its neighbours' thread only when that costs
    // under 1.5 CIEDE2000 a differing neighbour; at 10 six.
    const int s = std::clamp(strength, 0, 10);
    return 0.06 * s * s;
}

int removeIsolatedStitches(std::vector<std::int32_t>& cells, int width, int height, std::span<const LabVec> cellColours,
                           std::span<const LabVec> threadColours)
{
    Grid g{cells, width, height};
    int changed = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::int32_t v = g.at(x, y);
            const auto n = g.around(x, y);
            if (!isolated(v, n))
                continue;
            // Taking a neighbour's thread makes the pair share it; no other cell loses a
            // neighbour of its own thread, since none had this one's.
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            std::int32_t best = -1;
            double bestCost = std::numeric_limits<double>::max();
            for (const std::int32_t o : n) {
                if (o < 0)
                    continue;
                const double cost = deltaE00(cellColours[i], threadColours[static_cast<std::size_t>(o)]);
                if (cost < bestCost)
                    bestCost = cost, best = o;
            }
            cells[i] = best;  // empty when every neighbour is
            ++changed;
        }
    return changed;
}

int reduceConfetti(std::vector<std::int32_t>& cells, int width, int height, std::span<const LabVec> cellColours,
                   std::span<const LabVec> threadColours, int strength)
{
    if (strength <= 0 || width < 1 || height < 1)
        return 0;
    const double penalty = confettiPenalty(strength);
    const std::vector<std::int32_t> before = cells;
    Grid g{cells, width, height};
    for (int round = 0; round < kRounds; ++round) {
        int moved = 0;
        // Alternate directions so no side of an area is favoured.
        const bool forward = round % 2 == 0;
        for (int yy = 0; yy < height; ++yy) {
            const int y = forward ? yy : height - 1 - yy;
            for (int xx = 0; xx < width; ++xx) {
                const int x = forward ? xx : width - 1 - xx;
                const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
                const std::int32_t v = cells[i];
                if (v < 0)
                    continue;
                const auto n = g.around(x, y);
                // Inside an area of one thread there is nothing else to take.
                if (std::none_of(n.begin(), n.end(), [&](std::int32_t o) { return o >= 0 && o != v; }))
                    continue;
                auto cost = [&](std::int32_t t) {
                    int differing = 0;
                    for (const std::int32_t o : n)
                        differing += o != -2 && o != t;
                    return deltaE00(cellColours[i], threadColours[static_cast<std::size_t>(t)]) + penalty * differing;
                };
                std::int32_t best = v;
                double bestCost = cost(v);
                for (std::size_t k = 0; k < n.size(); ++k) {
                    const std::int32_t t = n[k];
                    if (t < 0 || t == best || std::find(n.begin(), n.begin() + static_cast<std::ptrdiff_t>(k), t) != n.begin() + static_cast<std::ptrdiff_t>(k))
                        continue;
                    const double c = cost(t);
                    if (c < bestCost)
                        bestCost = c, best = t;
                }
                if (best != v)
                    cells[i] = best, ++moved;
            }
        }
        if (moved == 0)
            break;
    }
    if (strength >= kMaxConfettiStrength)
        removeIsolatedStitches(cells, width, height, cellColours, threadColours);
    int changed = 0;
    for (std::size_t i = 0; i < cells.size(); ++i)
        changed += cells[i] != before[i];
    return changed;
}

int mergeSmallThreads(std::vector<std::int32_t>& cells, std::span<const LabVec> threadColours, int minStitches)
{
    if (minStitches <= 1)
        return 0;
    std::vector<std::int64_t> count(threadColours.size(), 0);
    for (const std::int32_t c : cells)
        if (c >= 0)
            ++count[static_cast<std::size_t>(c)];
    std::vector<std::int32_t> into(threadColours.size());
    for (std::size_t t = 0; t < into.size(); ++t)
        into[t] = static_cast<std::int32_t>(t);
    int merged = 0;
    for (;;) {
        std::size_t used = 0, least = count.size();
        for (std::size_t t = 0; t < count.size(); ++t)
            if (count[t] > 0) {
                ++used;
                if (least == count.size() || count[t] < count[least])
                    least = t;
            }
        if (used <= 1 || count[least] >= minStitches)
            break;
        std::size_t nearest = count.size();
        double best = std::numeric_limits<double>::max();
        for (std::size_t t = 0; t < count.size(); ++t)
            if (t != least && count[t] > 0) {
                const double d = deltaE00(threadColours[least], threadColours[t]);
                if (d < best)
                    best = d, nearest = t;
            }
        count[nearest] += count[least];
        count[least] = 0;
        for (std::int32_t& target : into)
            if (target == static_cast<std::int32_t>(least))
                target = static_cast<std::int32_t>(nearest);
        ++merged;
    }
    if (merged)
        for (std::int32_t& c : cells)
            if (c >= 0)
                c = into[static_cast<std::size_t>(c)];
    return merged;
}

}  // namespace brenmark
