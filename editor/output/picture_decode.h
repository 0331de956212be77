#pragma once
// The Qt side of reading pictures: decoding at a size, and the picture of a conversion.
#include "editor/document/color_ref.h"
#include "editor/output/picture_converter.h"

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace brenmark {

// The picture at path drawn whole into exactly size (Format_RGB32, transparent parts over
// white). Shrinking asks the reader for the size first (JPEG then decodes at 1/2, 1/4 or
// 1/8 and scales the rest) and smooths; enlarging repeats pixels, so a small picture gives
// blocks of equal cells rather than blends. A null image when it cannot be read.
QImage decodePicture(const QString& path, QSize size);

// Pixels of an image as 0x00BBGGRR, row by row.
std::vector<ColorRef> colourRefsOf(const QImage& image);

// "绣图预览窗": one pixel per cell in the thread colours; a null image for an empty result.
QImage previewImage(const ConversionResult& result);

// The picture dialog's filter, "描述|模式|" pairs in GBK: the classic picture types first,
// then everything else this Qt can read, then all files.
std::string pictureImportFilter();

}  // namespace brenmark
