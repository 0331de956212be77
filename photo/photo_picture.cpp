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

}  // namespace brenmark
