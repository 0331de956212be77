// Development tool: a CMYK page as a PNG for looking at it, read back through libtiff (its
// plain CMYK to RGB conversion) and scaled to a width.
//
//   pressly-png PAGE.tif OUT.png [WIDTH]
#include <tiffio.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: pressly-png PAGE.tif OUT.png [WIDTH]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TIFF* tiff = TIFFOpen(argv[1], "r");
    if (!tiff)
        return 1;
    std::uint32_t w = 0, h = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(w) * h);
    const int ok = TIFFReadRGBAImageOriented(tiff, w, h, raster.data(), ORIENTATION_TOPLEFT, 0);
    TIFFClose(tiff);
    if (!ok)
        return 1;
    QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    for (std::uint32_t y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint32_t p = raster[static_cast<std::size_t>(y) * w + x];
            line[x] = qRgb(static_cast<int>(TIFFGetR(p)), static_cast<int>(TIFFGetG(p)), static_cast<int>(TIFFGetB(p)));
        }
    }
    const int width = argc > 3 ? std::atoi(argv[3]) : 0;
    if (width > 0 && width < image.width())
        image = image.scaledToWidth(width, Qt::SmoothTransformation);
    return image.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
