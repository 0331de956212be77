#pragma once
// The Qt side of the photo import: a decoded GIF as an image, and drawn at a pattern's size.
#include "editor/document/color_ref.h"
#include "editor/output/area_average.h"
#include "photo/gif_decoder.h"

#include <QImage>

#include <optional>
#include <vector>

namespace brenmark {

// The photo as an RGB32 image at its own size; indices past the colour table are black.
QImage photoImage(const GifPicture& photo);

// The whole photo drawn into exactly width x height pixels (0x00BBGGRR, row by row): at its
// own size the pixels are taken as they are, at any other size Qt's smooth scaling draws it
// (the blend of neighbouring pixels a halftone stretch gives). Empty for a size below 1.
std::vector<ColorRef> photoPixels(const GifPicture& photo, int width, int height);

// The photo (or the crop of it) averaged in linear light into exactly width x height cells.
// Empty for a size below 1 or a crop that leaves nothing.
std::vector<ColorRef> averagedPhotoPixels(const GifPicture& photo, int width, int height,
                                          const std::optional<CropRect>& crop = std::nullopt);

}  // namespace brenmark
