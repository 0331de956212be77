#pragma once
// Choosing at most N threads of a brand for a picture: k-means in CIELAB over the picture's
// colours (seeded by k-means++ with a fixed seed, so a picture always gives the same
// threads), each centre snapped to the brand's nearest thread by CIEDE2000, then refined
// within the palette (each chosen thread gives way to the palette thread that fits its
// colours better by CIEDE2000). A saliency term weighs colours the centres miss by far more
// heavily, so a small region of a colour far from everything else (a cat's yellow-green eyes)
// keeps a thread of its own instead of dissolving into its neighbour's.
#include "editor/output/thread_matcher.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brenmark {

// matcher: CIELAB over the whole palette (its restriction is left as found). values: each
// cell's colour; cells with entry -1 (the background) take no part. Returns the allowed
// flags over the palette, at most limit of them set.
std::vector<std::uint8_t> chooseThreads(ThreadMatcher& matcher, std::span<const LabVec> values,
                                        std::span<const int> entries, int limit);

}  // namespace brenmark
