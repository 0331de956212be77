#pragma once
// Confetti: stitched cells with no 4-neighbour of the same thread. Each is a thread started
// and ended for one stitch, the first reason photo charts are tedious to stitch. The rules
// here take them out of a chart by weighing each cell's colour error against its neighbours:
// a cell takes the thread that minimises its CIEDE2000 to the colour it should show plus a
// penalty for every 4-neighbour of another thread, over a few rounds. A cell only ever takes
// a thread one of its neighbours has, so no thread is ever added; a highlight or an edge far
// from its surroundings (a large CIEDE2000) outweighs a moderate penalty and stays.
#include "editor/output/thread_matcher.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brenmark {

// The share (0..1) of stitched cells (value >= 0) without a 4-neighbour of the same value.
// 0 for a chart without stitches.
double confettiShare(std::span<const std::int32_t> cells, int width, int height);

// The penalty per differing 4-neighbour, in CIEDE2000 units, at a strength 0 .. 10.
double confettiPenalty(int strength);

// Reduces confetti in cells (thread indices, -1 empty) at strength 0 .. 10. cellColours holds
// the colour each cell should show (CIELAB), threadColours the threads' colours. At the full
// strength no isolated stitch is left: each takes the thread of the neighbour nearest its
// colour, or becomes empty when all its neighbours are. Returns the number of cells changed.
int reduceConfetti(std::vector<std::int32_t>& cells, int width, int height, std::span<const LabVec> cellColours,
                   std::span<const LabVec> threadColours, int strength);

// Only the isolated stitches go, as at the full strength; what dithering leaves at any
// strength above 0. Returns the number of cells changed.
int removeIsolatedStitches(std::vector<std::int32_t>& cells, int width, int height, std::span<const LabVec> cellColours,
                           std::span<const LabVec> threadColours);

// Threads used by fewer than minStitches cells join the nearest other used thread (CIEDE2000
// between the threads), the least used first, until every used thread has at least that many
// or one is left. Returns the number of threads merged away; the caller drops unused ones.
int mergeSmallThreads(std::vector<std::int32_t>& cells, std::span<const LabVec> threadColours, int minStitches);

}  // namespace brenmark
