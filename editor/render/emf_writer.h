#pragma once
// Enhanced metafiles (EMF) from QPainter drawing: lines, rectangles and fills become vector
// records, text becomes text records in its font, so other programs open the chart as a
// drawing and not as a picture. One logical unit is one 96-per-inch pixel.
//
// The chart's font is written as the face "宋体" with the simplified Chinese character set:
// every Chinese Windows has it, and a reader without it (LibreOffice on Linux) picks its
// replacement by that character set and falls back per glyph to a face with Chinese in it.
// Each character carries its advance as laid out here, so a replacement face of other widths
// still puts every character where the chart has it. Pictures with see-through pixels are
// alpha-blended; a clip is its bounding rectangle; text is drawn upright.
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace brenmark {

// Draws into a metafile of size logical units and writes it to path (beside it first, then
// renamed over it). False with error set when the file cannot be written; nothing is then
// left under path.
bool writeEmf(const QString& path, QSize size, const std::function<void(QPainter&)>& draw, QString* error = nullptr);

}  // namespace brenmark
