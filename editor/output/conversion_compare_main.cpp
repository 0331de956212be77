// brenmark-conversion-compare [PICTURE] OUT.png: one picture converted against DMC at
// 150 x 100 cells with the plain RGB rule and with CIEDE2000 and Floyd-Steinberg, shown
// beside the picture itself, four pixels a cell. Without a picture it paints a sky over a
// face-coloured ball, the smooth gradients the plain rule bands.
#include "editor/document/palette_file.h"
#include "editor/document/program_directory.h"
#include "editor/output/colour_matching.h"
#include "editor/output/picture_decode.h"
#include "editor/output/sample_picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRadialGradient>

#include <iostream>

using namespace brenmark;

namespace {

QImage cellsImage(const ConversionResult& r)
{
    QImage image(r.width, r.height, QImage::Format_RGB32);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const ColorRef c = r.colors[static_cast<std::size_t>(r.cells[static_cast<std::size_t>(y * r.width + x)])];
            image.setPixel(x, y, qRgb(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)), static_cast<int>(blueOf(c))));
        }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: brenmark-conversion-compare [PICTURE] OUT.png\n";
        return 2;
    }
    const QSize cells(150, 100);
    const QImage source = argc == 3 ? decodePicture(QString::fromLocal8Bit(argv[1]), cells) : skyAndBallPicture(cells);
    if (source.isNull()) {
        std::cerr << "brenmark-conversion-compare: cannot read " << argv[1] << '\n';
        return 1;
    }
    Palette dmc;
    if (!PaletteStore(programDirectory()).load("DMC", dmc)) {
        std::cerr << "brenmark-conversion-compare: no DMC palette beside the program\n";
        return 1;
    }
    const std::vector<ColorRef> pixels = colourRefsOf(source.convertToFormat(QImage::Format_RGB32));
    const ConversionResult plain = convertPixelsWith(pixels, cells.width(), cells.height(), dmc.colors, {});
    const ConversionResult lab = convertPixelsWith(pixels, cells.width(), cells.height(), dmc.colors,
                                                   {ColourMetric::Lab, Dithering::FloydSteinberg, 0});
    const int scale = 4, gap = 8, label = 24;
    QImage out(3 * cells.width() * scale + 2 * gap, cells.height() * scale + label, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    const QString captions[3] = {u"picture"_qs, QString(u"RGB, %1 threads"_qs).arg(plain.colorCount()),
                                 QString(u"CIELAB \u0394E2000 + Floyd-Steinberg, %1 threads"_qs).arg(lab.colorCount())};
    const QImage images[3] = {source, cellsImage(plain), cellsImage(lab)};
    for (int i = 0; i < 3; ++i) {
        const QRect box(i * (cells.width() * scale + gap), label, cells.width() * scale, cells.height() * scale);
        p.drawImage(box, images[i]);
        p.drawText(QRect(box.left(), 0, box.width(), label), Qt::AlignCenter, captions[i]);
    }
    p.end();
    if (!out.save(QString::fromLocal8Bit(argv[argc - 1]))) {
        std::cerr << "brenmark-conversion-compare: cannot write " << argv[argc - 1] << '\n';
        return 1;
    }
    return 0;
}
