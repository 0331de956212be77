#include "editor/output/png_writer.h"

#include <QIODevice>

#include <png.h>

#include <csetjmp>
#include <vector>

namespace brenmark {
namespace {

struct Sink {
    QIODevice* device;
    bool failed = false;
};

void writeBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    if (sink->device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) !=
        static_cast<qint64>(length)) {
        sink->failed = true;
        png_error(png, "write failed");
    }
}

void flushNothing(png_structp) {}

// libpng reports errors by a long jump; nothing with a destructor lives between the jump
// buffer and the calls that may jump.
bool encode(png_structp png, png_infop info, const QImage& image, const PngOptions& options, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    const int width = image.width(), height = image.height();
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                     static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    int filters = PNG_FILTER_UP;
    switch (options.filter) {
    case PngRowFilter::None: filters = PNG_FILTER_NONE; break;
    case PngRowFilter::Sub: filters = PNG_FILTER_SUB; break;
    case PngRowFilter::Up: filters = PNG_FILTER_UP; break;
    case PngRowFilter::Adaptive: filters = PNG_ALL_FILTERS; break;
    }
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_set_compression_level(png, options.compression);
    png_set_compression_buffer_size(png, 256 * 1024);  // IDAT chunks, and writes, of 256 KB
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        png_bytep out = row;
        for (int x = 0; x < width; ++x) {
            const QRgb v = in[x];
            *out++ = static_cast<png_byte>(qRed(v));
            *out++ = static_cast<png_byte>(qGreen(v));
            *out++ = static_cast<png_byte>(qBlue(v));
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool writePng(const QImage& picture, QIODevice& device, const PngOptions& options)
{
    if (picture.isNull())
        return false;
    // Premultiplied or not, an opaque picture's pixels are its colours; a translucent one is
    // flattened as Qt would show it over black.
    const QImage image = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32 ||
                                 picture.format() == QImage::Format_ARGB32_Premultiplied
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    Sink sink{&device};
    png_set_write_fn(png, &sink, writeBytes, flushNothing);
    std::vector<png_byte> row(static_cast<std::size_t>(image.width()) * 3);
    const bool ok = encode(png, info, image, options, row.data());
    png_destroy_write_struct(&png, &info);
    return ok && !sink.failed;
}

}  // namespace brenmark
