#include "editor/output/thread_choice.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>

namespace brenmark {

namespace {

// Colours a centre misses by more than this (CIELAB units) weigh more, growing with the miss.
constexpr double kSalientMiss = 12.0;
constexpr int kLloydRounds = 16;
constexpr int kRefineRounds = 3;
// Palette threads tried in place of each chosen one: the nearest to its colours' mean.
constexpr std::size_t kRefineCandidates = 8;
// Beyond this many distinct colours, colours closer than a CIELAB unit are taken together.
constexpr std::size_t kMaxPoints = 40000;

struct Point {
    LabVec lab;
    double count = 0;
};

double squared(const LabVec& a, const LabVec& b)
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
}

std::vector<Point> pointsOf(std::span<const LabVec> values, std::span<const int> entries)
{
    std::map<LabVec, double> exact;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (entries[i] >= 0)
            exact[values[i]] += 1;
    std::vector<Point> points;
    if (exact.size() <= kMaxPoints) {
        for (const auto& [lab, n] : exact)
            points.push_back({lab, n});
        return points;
    }
    // Whole CIELAB units, each bin at its colours' mean.
    std::map<std::array<long, 3>, Point> bins;
    for (const auto& [lab, n] : exact) {
        Point& p = bins[{std::lround(lab[0]), std::lround(lab[1]), std::lround(lab[2])}];
        for (std::size_t k = 0; k < 3; ++k)
            p.lab[k] += lab[k] * n;
        p.count += n;
    }
    for (auto& [key, p] : bins) {
        for (double& c : p.lab)
            c /= p.count;
        points.push_back(p);
    }
    return points;
}

std::size_t nearestCentre(const LabVec& v, const std::vector<LabVec>& centres, double* distance = nullptr)
{
    std::size_t best = 0;
    double d = std::numeric_limits<double>::max();
    for (std::size_t c = 0; c < centres.size(); ++c) {
        const double s = squared(v, centres[c]);
        if (s < d)
            d = s, best = c;
    }
    if (distance)
        *distance = std::sqrt(d);
    return best;
}

// k-means++ seeding and Lloyd's rounds, the weights growing for colours far from their centre.
std::vector<LabVec> cluster(const std::vector<Point>& points, int k)
{
    std::mt19937 rng(20240613u);
    std::vector<LabVec> centres;
    std::vector<double> d2(points.size(), std::numeric_limits<double>::max());
    {
        // The first centre: the most frequent colour, so the seed is stable.
        std::size_t first = 0;
        for (std::size_t i = 1; i < points.size(); ++i)
            if (points[i].count > points[first].count)
                first = i;
        centres.push_back(points[first].lab);
    }
    while (static_cast<int>(centres.size()) < k) {
        double total = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            d2[i] = std::min(d2[i], squared(points[i].lab, centres.back()));
            total += d2[i] * points[i].count;
        }
        if (total <= 0)
            break;
        double pick = std::uniform_real_distribution<double>(0, total)(rng);
        std::size_t chosen = points.size() - 1;
        for (std::size_t i = 0; i < points.size(); ++i) {
            pick -= d2[i] * points[i].count;
            if (pick <= 0) {
                chosen = i;
                break;
            }
        }
        centres.push_back(points[chosen].lab);
    }
    std::vector<std::size_t> owner(points.size(), 0);
    for (int round = 0; round < kLloydRounds; ++round) {
        std::vector<LabVec> sum(centres.size(), LabVec{0, 0, 0});
        std::vector<double> weight(centres.size(), 0);
        bool moved = false;
        for (std::size_t i = 0; i < points.size(); ++i) {
            double miss = 0;
            const std::size_t c = nearestCentre(points[i].lab, centres, &miss);
            moved |= c != owner[i] || round == 0;
            owner[i] = c;
            const double w = points[i].count * (1 + std::max(0.0, miss - kSalientMiss) / kSalientMiss);
            for (std::size_t a = 0; a < 3; ++a)
                sum[c][a] += points[i].lab[a] * w;
            weight[c] += w;
        }
        for (std::size_t c = 0; c < centres.size(); ++c)
            if (weight[c] > 0)
                for (std::size_t a = 0; a < 3; ++a)
                    centres[c][a] = sum[c][a] / weight[c];
        if (!moved)
            break;
    }
    return centres;
}

// Centres that snapped to the same thread leave slots free: they go to the brand threads
// nearest the colours the chosen threads miss most (count times CIEDE2000), one thread per
// colour, the worst served first.
void fillFreeSlots(ThreadMatcher& matcher, const std::vector<Point>& points, std::vector<int>& chosen, std::size_t room)
{
    if (chosen.empty() || chosen.size() >= room)
        return;
    std::vector<std::uint8_t> flags(static_cast<std::size_t>(matcher.size()), 0);
    for (const int t : chosen)
        flags[static_cast<std::size_t>(t)] = 1;
    ThreadMatcher among(matcher);
    among.restrictTo(flags);
    std::vector<std::pair<double, std::size_t>> misses;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double e = deltaE00(points[i].lab, matcher.point(among.nearest(points[i].lab)));
        if (e > 0)
            misses.push_back({points[i].count * e, i});
    }
    std::sort(misses.begin(), misses.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [weight, i] : misses) {
        if (chosen.size() >= room)
            break;
        const int t = matcher.nearest(points[i].lab);
        if (t >= 0 && !flags[static_cast<std::size_t>(t)]) {
            flags[static_cast<std::size_t>(t)] = 1;
            chosen.push_back(t);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> chooseThreads(ThreadMatcher& matcher, std::span<const LabVec> values,
                                        std::span<const int> entries, int limit)
{
    std::vector<std::uint8_t> allowed(static_cast<std::size_t>(matcher.size()), 0);
    const std::vector<Point> points = pointsOf(values, entries);
    if (points.empty() || limit < 1)
        return allowed;
    const int k = std::min<int>(limit, static_cast<int>(points.size()));

    // Centres snapped to the brand: the nearest thread of each by CIEDE2000.
    std::vector<int> chosen;
    for (const LabVec& c : cluster(points, k)) {
        const int t = matcher.nearest(c);
        if (t >= 0 && std::find(chosen.begin(), chosen.end(), t) == chosen.end())
            chosen.push_back(t);
    }
    fillFreeSlots(matcher, points, chosen, static_cast<std::size_t>(k));

    // Refining within the palette: each chosen thread's colours (those nearest it among the
    // chosen) may be served better by one of the palette threads nearest their mean. Each
    // colour's miss is weighed as in the clustering.
    std::vector<int> palette(static_cast<std::size_t>(matcher.size()));
    for (int i = 0; i < matcher.size(); ++i)
        palette[static_cast<std::size_t>(i)] = i;
    auto missWeight = [](double e) { return 1 + std::max(0.0, e - kSalientMiss) / kSalientMiss; };
    for (int round = 0; round < kRefineRounds; ++round) {
        std::vector<std::vector<std::size_t>> members(chosen.size());
        {
            std::vector<std::uint8_t> flags(static_cast<std::size_t>(matcher.size()), 0);
            std::vector<std::size_t> slot(static_cast<std::size_t>(matcher.size()), 0);
            for (std::size_t c = 0; c < chosen.size(); ++c)
                flags[static_cast<std::size_t>(chosen[c])] = 1, slot[static_cast<std::size_t>(chosen[c])] = c;
            ThreadMatcher among(matcher);
            among.restrictTo(flags);
            for (std::size_t i = 0; i < points.size(); ++i)
                members[slot[static_cast<std::size_t>(among.nearest(points[i].lab))]].push_back(i);
        }
        bool changed = false;
        for (std::size_t c = 0; c < chosen.size(); ++c) {
            if (members[c].empty())
                continue;
            LabVec mean{0, 0, 0};
            double n = 0;
            for (const std::size_t i : members[c]) {
                for (std::size_t a = 0; a < 3; ++a)
                    mean[a] += points[i].lab[a] * points[i].count;
                n += points[i].count;
            }
            for (double& m : mean)
                m /= n;
            std::partial_sort(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(std::min(kRefineCandidates, palette.size())),
                              palette.end(), [&](int p, int q) {
                                  return squared(matcher.point(p), mean) < squared(matcher.point(q), mean);
                              });
            auto costOf = [&](int t) {
                double sum = 0;
                for (const std::size_t i : members[c]) {
                    const double e = deltaE00(points[i].lab, matcher.point(t));
                    sum += points[i].count * e * missWeight(e);
                }
                return sum;
            };
            int best = chosen[c];
            double bestCost = costOf(best);
            for (std::size_t j = 0; j < std::min(kRefineCandidates, palette.size()); ++j) {
                const int t = palette[j];
                if (t == best || std::find(chosen.begin(), chosen.end(), t) != chosen.end())
                    continue;
                const double cost = costOf(t);
                if (cost < bestCost)
                    bestCost = cost, best = t;
            }
            if (best != chosen[c])
                chosen[c] = best, changed = true;
        }
        if (!changed)
            break;
    }
    for (const int t : chosen)
        allowed[static_cast<std::size_t>(t)] = 1;
    return allowed;
}

}  // namespace brenmark
