#pragma once
// Reading picture files for conversion: their size, and their pixels drawn at the pattern's
// size. No Qt types here, so the command line can use it; picture_decode.h has the Qt side.
#include "editor/document/color_ref.h"
#include "editor/output/area_average.h"

#include <optional>
#include <string>
#include <vector>

namespace brenmark {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The picture's size in pixels from its header alone; nothing when no reader knows the file.
std::optional<PictureSize> readPictureSize(const std::string& path);

// The whole picture drawn into exactly width x height pixels (0x00BBGGRR, row by row),
// transparent parts over white. Readers that can decode at a reduced size (JPEG) do so, so a
// photo of many megapixels is never decoded whole for a chart of a few hundred cells.
// Nothing when the path is empty or the file cannot be read or decoded.
std::optional<std::vector<ColorRef>> readPicturePixels(const std::string& path, int width, int height);

// The picture (or the crop of it, in the file's own pixels) averaged in linear light into
// exactly width x height cells (area_average.h). A JPEG is decoded at 1/2, 1/4 or 1/8 only
// while the area then keeps at least four pixels a cell each way: at two, a sharp edge on a
// cell's border comes out tens of levels off, at four within a few. Nothing when the file
// cannot be read or decoded or the crop leaves nothing of it.
std::optional<std::vector<ColorRef>> readPictureAveraged(const std::string& path, int width, int height,
                                                         const std::optional<CropRect>& crop = std::nullopt);

}  // namespace brenmark
