#pragma once
// The scanline flood fill behind the fill and hollow-out tools: 4-connected, one run per
// seed, with a seed stack that grows as far as the region needs.
#include <cstdint>
#include <utility>
#include <vector>

namespace brenmark {

struct FillSeed {
    int x;
    int y;
};

// Fills the 4-connected region of cells that match, starting from (x, y), calling paint on
// each. paint must make the cell stop matching (callers that cannot promise that wrap match
// in a visited test). Returns the number of cells painted. seeds is working storage the
// caller may keep between fills.
template <class Match, class Paint>
std::size_t scanlineFill(int width, int height, int x, int y, Match&& match, Paint&& paint,
                         std::vector<FillSeed>& seeds)
{
    if (x < 0 || y < 0 || x >= width || y >= height || !match(x, y))
        return 0;
    std::size_t painted = 0;
    seeds.clear();
    seeds.push_back({x, y});
    while (!seeds.empty()) {
        const FillSeed s = seeds.back();
        seeds.pop_back();
        // The run through the seed: right from it, then left from the cell before it.
        int r = s.x;
        while (r < width && match(r, s.y)) {
            paint(r, s.y);
            ++r;
        }
        int l = s.x - 1;
        while (l >= 0 && match(l, s.y)) {
            paint(l, s.y);
            --l;
        }
        if (r - l <= 1)
            continue;  // an earlier run already took this one
        painted += static_cast<std::size_t>(r - l - 1);
        // One seed per run of matching cells above and below the span, just after the run:
        // its leftward walk fills the run and carries on where the run leaves the span.
        for (const int ny : {s.y + 1, s.y - 1}) {
            if (ny < 0 || ny >= height)
                continue;
            int c = l + 1;
            while (c < r) {
                if (!match(c, ny)) {
                    ++c;
                    continue;
                }
                while (c < r && match(c, ny))
                    ++c;
                seeds.push_back({c, ny});
            }
        }
    }
    return painted;
}

template <class Match, class Paint>
std::size_t scanlineFill(int width, int height, int x, int y, Match&& match, Paint&& paint)
{
    std::vector<FillSeed> seeds;
    return scanlineFill(width, height, x, y, std::forward<Match>(match), std::forward<Paint>(paint), seeds);
}

}  // namespace brenmark
