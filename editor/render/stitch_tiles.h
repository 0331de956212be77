#pragma once
// The simulated-stitch look: a tile per thread colour made from two stitch textures
// (multiply, then screen, then a saturation boost in HSL), and a fabric tile.
#include "editor/document/color_ref.h"

#include <QImage>

namespace brenmark {

constexpr int kTileSize = 16;

// Our own textures, generated once: the stitch body, its highlights, and the fabric weave.
const QImage& stitchBodyTexture();
const QImage& stitchHighlightTexture();
const QImage& fabricTexture();

QImage makeStitchTile(ColorRef thread);
QImage makeFabricTile(ColorRef fabric);

// One channel pass of the tile algorithm, exposed for testing.
struct Rgb8 {
    int r, g, b;
    bool operator==(const Rgb8&) const = default;
};
Rgb8 stitchPixel(Rgb8 body, Rgb8 highlight, Rgb8 thread);

// The glyph of a stitch mark kind (1..13) over a cell of the given colour, 16 x 16 with a
// transparent background; a null image for kinds without a mark.
QImage stitchMarkGlyph(int kind, ColorRef cell);

// Dark colours carry white text: 0.59 R + 0.30 G + 0.11 B below 122.
inline bool isDarkColour(ColorRef c)
{
    return 0.59 * redOf(c) + 0.30 * greenOf(c) + 0.11 * blueOf(c) < 122.0;
}

}  // namespace brenmark
