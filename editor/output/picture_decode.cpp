#include "editor/output/picture_decode.h"

#include "editor/output/picture_file.h"
#include "interchange/ui_text.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace brenmark {

namespace {

QString pathOf(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The picture file opened for its reader, only when it is a regular file: a pipe would
// keep the reader waiting for a writer forever, a device may never end. Opened without
// blocking and looked at through the open file, so nothing can take its place in between.
std::unique_ptr<QFile> openPicture(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

// Alpha over white, pixel by pixel: the picture as it would look on white fabric.
QImage overWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(src[x]);
            auto blend = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            dst[x] = qRgb(blend(qRed(src[x])), blend(qGreen(src[x])), blend(qBlue(src[x])));
        }
    }
    return out;
}

}  // namespace

QImage decodePicture(const QString& path, QSize size)
{
    if (path.isEmpty() || size.isEmpty())
        return {};
    const std::unique_ptr<QFile> file = openPicture(QFile::encodeName(path));
    if (!file)
        return {};
    QImageReader reader(file.get());
    const QSize full = reader.size();
    // Only shrinking is handed to the reader; a reader that cannot scale scales smoothly
    // itself after decoding whole.
    if (full.isValid() && size.width() <= full.width() && size.height() <= full.height() && size != full)
        reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    image = overWhite(image);
    if (image.size() != size) {
        const bool shrinking = size.width() <= image.width() && size.height() <= image.height();
        image = image.scaled(size, Qt::IgnoreAspectRatio,
                             shrinking ? Qt::SmoothTransformation : Qt::FastTransformation);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

std::vector<ColorRef> colourRefsOf(const QImage& image)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    std::vector<ColorRef> out;
    out.reserve(static_cast<std::size_t>(source.width()) * static_cast<std::size_t>(source.height()));
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            out.push_back(rgb(static_cast<unsigned>(qRed(line[x])), static_cast<unsigned>(qGreen(line[x])),
                              static_cast<unsigned>(qBlue(line[x]))));
    }
    return out;
}

QImage previewImage(const ConversionResult& result)
{
    if (result.empty())
        return {};
    QImage image(result.width, result.height, QImage::Format_RGB32);
    for (int y = 0; y < result.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < result.width; ++x) {
            const std::int32_t v = result.cells[static_cast<std::size_t>(x + y * result.width)];
            const ColorRef c = v >= 0 && v < result.colorCount() ? result.colors[static_cast<std::size_t>(v)] : kWhite;
            line[x] = pixelOf(c);
        }
    }
    return image;
}

std::string pictureImportFilter()
{
    // The classic types keep their place; whatever else the image readers offer follows.
    const std::vector<QByteArray> classic = {"bmp", "jpg", "jpeg", "gif", "ico"};
    std::string patterns;
    std::string suffixes;
    auto add = [&](const QByteArray& format) {
        if (!patterns.empty()) {
            patterns += ";";
            suffixes += ";";
        }
        patterns += "*." + format.toStdString();
        suffixes += "." + format.toStdString();
    };
    for (const QByteArray& f : classic)
        add(f);
    const QList<QByteArray> supported = QImageReader::supportedImageFormats();
    for (const QByteArray& f : supported)
        if (std::find(classic.begin(), classic.end(), f.toLower()) == classic.end())
            add(f.toLower());
    return uiText("图片文件 (") + suffixes + ")|" + patterns + "|All Files (*.*)|*.*|";
}

std::optional<PictureSize> readPictureSize(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    const std::unique_ptr<QFile> file = openPicture(QByteArray::fromStdString(path));
    if (!file)
        return std::nullopt;
    QImageReader reader(file.get());
    QSize size = reader.size();
    if (!size.isValid()) {
        // A reader that cannot tell the size without decoding: decode once.
        const QImage image = reader.read();
        if (image.isNull())
            return std::nullopt;
        size = image.size();
    }
    if (size.isEmpty())
        return std::nullopt;
    return PictureSize{size.width(), size.height()};
}

std::optional<std::vector<ColorRef>> readPicturePixels(const std::string& path, int width, int height)
{
    if (width < 1 || height < 1)
        return std::nullopt;
    const QImage image = decodePicture(pathOf(path), QSize(width, height));
    if (image.isNull())
        return std::nullopt;
    return colourRefsOf(image);
}

std::optional<std::vector<ColorRef>> readPictureAveraged(const std::string& path, int width, int height,
                                                         const std::optional<CropRect>& crop)
{
    if (width < 1 || height < 1 || path.empty())
        return std::nullopt;
    const std::unique_ptr<QFile> file = openPicture(QByteArray::fromStdString(path));
    if (!file)
        return std::nullopt;
    QImageReader reader(file.get());
    const QSize full = reader.size();
    // The area in the file's pixels; the decoded picture may be smaller.
    PictureArea area{0, 0, static_cast<double>(full.width()), static_cast<double>(full.height())};
    if (full.isValid() && crop) {
        const auto inside = clampCrop(*crop, full.width(), full.height());
        if (!inside)
            return std::nullopt;
        area = {double(inside->x), double(inside->y), double(inside->width), double(inside->height)};
    }
    if (full.isValid() && reader.format() == "jpeg") {
        for (const int d : {8, 4, 2})
            if (area.width / d >= 4.0 * width && area.height / d >= 4.0 * height) {
                reader.setScaledSize(QSize(full.width() / d, full.height() / d));
                break;
            }
    }
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    image = overWhite(image).convertToFormat(QImage::Format_RGB32);
    if (!full.isValid()) {
        area = {0, 0, double(image.width()), double(image.height())};
        if (crop) {
            const auto inside = clampCrop(*crop, image.width(), image.height());
            if (!inside)
                return std::nullopt;
            area = {double(inside->x), double(inside->y), double(inside->width), double(inside->height)};
        }
    } else if (image.size() != full) {
        const double fx = double(image.width()) / full.width(), fy = double(image.height()) / full.height();
        area = {area.x * fx, area.y * fy, area.width * fx, area.height * fy};
    }
    std::vector<ColorRef> averaged = areaAverage(colourRefsOf(image), image.width(), image.height(), area, width, height);
    if (averaged.empty())
        return std::nullopt;
    return averaged;
}

}  // namespace brenmark
