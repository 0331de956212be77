// Pictures the photo dialog after a conversion, for the documentation:
//   brenmark-photo-shot OUT.png
// It writes a small photo (a sky, a sun and a hill) into a scratch folder beside OUT.png,
// converts it against the DMC palette of the program directory and grabs the dialog.
#include "editor/document/program_directory.h"
#include "editor/render/replacement_device.h"
#include "photo/photo_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

using namespace brenmark;

namespace {

// Qt reads GIFs but cannot write them: the photo is written here as a GIF whose codes are
// all roots, with a clear code before the decoder's table would widen the codes.
std::vector<std::uint8_t> simpleGif(const std::vector<std::uint8_t>& pixels, int width, int height,
                                    const std::vector<ColorRef>& colours)
{
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    auto word = [&out](int v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    word(width);
    word(height);
    out.insert(out.end(), {0xF7, 0, 0});
    for (std::size_t i = 0; i < 256; ++i) {
        const ColorRef c = i < colours.size() ? colours[i] : 0;
        out.insert(out.end(), {static_cast<std::uint8_t>(redOf(c)), static_cast<std::uint8_t>(greenOf(c)),
                               static_cast<std::uint8_t>(blueOf(c))});
    }
    out.push_back(0x2C);
    word(0);
    word(0);
    word(width);
    word(height);
    out.push_back(0);
    out.push_back(8);
    // 9-bit codes: a clear before every 254 roots keeps the decoder's table from growing.
    std::vector<std::uint8_t> data;
    std::uint32_t buffer = 0;
    int bits = 0;
    auto put = [&](unsigned code) {
        buffer |= code << bits;
        bits += 9;
        while (bits >= 8) {
            data.push_back(static_cast<std::uint8_t>(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i % 254 == 0)
            put(256);
        put(pixels[i]);
    }
    put(257);
    if (bits)
        data.push_back(static_cast<std::uint8_t>(buffer));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

class NoMessages final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string&, MessageIcon) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brenmark-photo-shot OUT.png\n");
        return 2;
    }
    QTemporaryDir scratch;
    // A landscape of 64 colours: sky shading from blue to pale, a sun, a green hill.
    const int width = 120, height = 80;
    std::vector<ColorRef> colours;
    for (int i = 0; i < 32; ++i)
        colours.push_back(rgb(static_cast<unsigned>(60 + i * 5), static_cast<unsigned>(110 + i * 4), 235));
    for (int i = 0; i < 16; ++i)
        colours.push_back(rgb(static_cast<unsigned>(40 + i * 6), static_cast<unsigned>(120 + i * 7), static_cast<unsigned>(30 + i * 2)));
    for (int i = 0; i < 16; ++i)
        colours.push_back(rgb(255, static_cast<unsigned>(200 + i * 3), static_cast<unsigned>(40 + i * 8)));
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double hill = 55 + 12 * std::sin(x / 19.0);
            const double sun = std::hypot(x - 88.0, y - 22.0);
            if (y > hill)
                pixels.push_back(static_cast<std::uint8_t>(32 + std::min(15, (y - static_cast<int>(hill)) / 2)));
            else if (sun < 12)
                pixels.push_back(static_cast<std::uint8_t>(48 + std::min(15, static_cast<int>(sun))));
            else
                pixels.push_back(static_cast<std::uint8_t>(std::min(31, y * 32 / 60)));
        }
    const QString photo = scratch.filePath(u"landscape.gif"_qs);
    const auto bytes = simpleGif(pixels, width, height, colours);
    QFile file(photo);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return 1;
    file.close();

    const PaletteStore palettes(programDirectory());
    PhotoImportPanel panel(palettes);
    NoMessages messages;
    PhotoImportDialog dialog(panel, messages);
    dialog.fileDialog()->setDirectory(scratch.path());
    dialog.fileDialog()->selectFile(photo);
    dialog.selectPhoto(photo);
    dialog.resize(980, 560);
    dialog.show();
    dialog.widthEdit()->setText(u"60"_qs);
    emit dialog.widthEdit()->textEdited(u"60"_qs);
    dialog.convert();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    if (!panel.converted()) {
        std::fprintf(stderr, "brenmark-photo-shot: the conversion failed\n");
        return 1;
    }
    // Through the one write path: an old picture under that name stays until the new one is whole.
    const QString shot = fileNameFromBytes(argv[1]);
    const QByteArray format = QFileInfo(shot).suffix().toLower().toLatin1();
    ReplacementDevice out(shot);
    QImageWriter writer(&out, format.isEmpty() ? QByteArray("png") : format);
    return out.begin() && writer.write(dialog.grab().toImage()) && out.commit() ? 0 : 1;
}
