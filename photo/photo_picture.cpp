#include "photo/photo_picture.h"

#include "editor/output/picture_decode.h"

namespace brenmark {

QImage photoImage(const GifPicture& photo)
{
    if (photo.width < 1 || photo.height < 1)
        return {};
    QImage image(photo.width, photo.height, QImage::Format_RGB32);
    for (int y = 0; y < photo.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < photo.width; ++x)
            line[x] = pixelOf(photo.colourAt(x, y));
    }
    return image;
}

std::vector<ColorRef> photoPixels(const GifPicture& photo, int width, int height)
{
    if (width < 1 || height < 1 || photo.width < 1 || photo.height < 1)
        return {};
    if (width == photo.width && height == photo.height) {
        std::vector<ColorRef> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width)] =
                    photo.colourAt(x, y);
        return out;
    }
    const QImage scaled = photoImage(photo).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return {};
    return colourRefsOf(scaled);
}

std::vector<ColorRef> averagedPhotoPixels(const GifPicture& photo, int width, int height, const std::optional<CropRect>& crop)
{
    if (width < 1 || height < 1 || photo.width < 1 || photo.height < 1)
        return {};
    PictureArea area{0, 0, double(photo.width), double(photo.height)};
    if (crop) {
        const auto inside = clampCrop(*crop, photo.width, photo.height);
        if (!inside)
            return {};
        area = {double(inside->x), double(inside->y), double(inside->width), double(inside->height)};
    }
    std::vector<ColorRef> all(static_cast<std::size_t>(photo.width) * static_cast<std::size_t>(photo.height));
    for (int y = 0; y < photo.height; ++y)
        for (int x = 0; x < photo.width; ++x)
            all[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(photo.width)] =
                photo.colourAt(x, y);
    return areaAverage(all, photo.width, photo.height, area, width, height);
}

}  // namespace brenmark
