#pragma once
// PNG files of chart pictures, written with libpng row by row.
//
// A chart is flat colour: cells, thin grid lines and one-colour symbols. Qt's own writer
// tries every row filter on every row, which spends most of a big export on choosing; here
// each row is filtered by its difference to the row above (the rows inside a band of cells
// are mostly alike, so they become runs of zeros) and packed at zlib's level 3. On a
// 1000 x 1000 chart that is a third of the time of Qt's writer for a file no bigger
// (bench_chart_export's BM_PngEncoding compares the choices).
#include <QImage>

class QIODevice;

namespace brenmark {

enum class PngRowFilter { None, Sub, Up, Adaptive };

struct PngOptions {
    PngRowFilter filter = PngRowFilter::Up;
    int compression = 3;  // zlib level, 0..9
};

// Writes a 32-bit (RGB32, ARGB32, ARGB32_Premultiplied) picture as 8-bit RGB with its
// resolution (pHYs); other formats are converted first. False on a write failure.
bool writePng(const QImage& image, QIODevice& device, const PngOptions& options = {});

}  // namespace brenmark
