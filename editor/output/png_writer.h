#pragma once
// PNG files of chart pictures, written with libpng row by row.
//
// A chart is flat colour: cells, thin grid lines and one-colour symbols. Qt's own writer
// tries every row filter on every row and converts the whole picture first, which spends
// most of a big export on nothing; here each row is filtered by its difference to the row
// above (identical rows inside a cell become zeros) and packed at zlib's fastest level with
// run-length matching, which keeps the file within a few percent of the default's size.
#include <QImage>

class QIODevice;

namespace brenmark {

enum class PngRowFilter { None, Sub, Up, Adaptive };

struct PngOptions {
    PngRowFilter filter = PngRowFilter::Up;
    int compression = 1;  // zlib level, 0..9
    bool runLengthOnly = true;  // zlib's Z_RLE strategy: matches only against the byte before
};

// Writes a 32-bit (RGB32, ARGB32, ARGB32_Premultiplied) picture as 8-bit RGB with its
// resolution (pHYs); other formats are converted first. False on a write failure.
bool writePng(const QImage& image, QIODevice& device, const PngOptions& options = {});

}  // namespace brenmark
