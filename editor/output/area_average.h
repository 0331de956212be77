#pragma once
// Shrinking a picture to the pattern's size the way the eye sees it from afar: every cell is
// the average of the picture area it covers, in linear light (sRGB decoded, averaged, encoded
// again), partly covered pixels weighed by the part they cover. Plain logic on pixel values.
#include "editor/document/color_ref.h"

#include <optional>
#include <span>
#include <vector>

namespace brenmark {

// A rectangle of a picture, in its pixels (fractions allowed: a crop given on the full
// picture lands between the pixels of a picture decoded smaller).
struct PictureArea {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PictureArea&) const = default;
};

// A crop the user gave, in whole pixels of the picture as it is on file.
struct CropRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CropRect&) const = default;
};

// The crop inside a picture of that size, or nothing when nothing of it is left.
std::optional<CropRect> clampCrop(const CropRect& crop, int pictureWidth, int pictureHeight);

// The part of area between fractions of its width and height (0..1, in either order), in
// whole pixels and at least 1 x 1: a rectangle dragged on a preview of area. Nothing for a
// rectangle of no width or height.
std::optional<CropRect> cropWithin(const CropRect& area, double left, double top, double right, double bottom);

// sRGB transfer: an 8-bit channel to linear light (0..1), and back with rounding.
double linearOf(unsigned channel);
unsigned encodedOf(double linear);

// Averages area of the width x height pixels (0x00BBGGRR, row by row) into exactly
// outWidth x outHeight cells. An area reaching past the picture is cut to it. Empty when a
// size is below 1 or nothing of the area is inside the picture.
std::vector<ColorRef> areaAverage(std::span<const ColorRef> pixels, int width, int height, PictureArea area,
                                  int outWidth, int outHeight);

}  // namespace brenmark
