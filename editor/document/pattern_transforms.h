#pragma once
// The whole-pattern transforms of the Edit menu: scaling by a factor and changing the size.
// Both act on the visible grid, its lines and marks and every layer alike, record nothing and
// leave the visible grid recomposed from the layers.
#include "editor/document/pattern_document.h"

namespace brenmark {

// Largest width or height either transform makes.
constexpr int kMaxTransformSide = 10000;

// The size a factor gives: trunc(side * f + 0.5) each way; empty (0, 0) when that size is
// below one cell or above kMaxTransformSide, or f is not a finite positive number.
struct PatternSize {
    int width = 0;
    int height = 0;
};
PatternSize scaledSize(int width, int height, double factor);

// Nearest-neighbour scaling: target (x, y) takes source (trunc(x / f + 0.5), trunc(y / f +
// 0.5)) when that lies in the old pattern. A marked source cell marks each of its targets;
// line ends scale as trunc(v * f + 0.5) with their corners kept. False (nothing changed)
// when no pattern is open or the size is refused.
bool scalePattern(PatternDocument& doc, double factor);

// Cuts or extends at the right and bottom edges; new cells are empty. Lines are kept when
// both end cells lie inside, marks when their cell does. False when nothing is open or the
// size is out of range.
bool resizePattern(PatternDocument& doc, int width, int height);

}  // namespace brenmark
