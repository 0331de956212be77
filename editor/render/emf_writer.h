#pragma once
// Enhanced metafiles (EMF) from QPainter drawing: lines, rectangles and fills become vector
// records, text becomes text records in its font, so other programs open the chart as a
// drawing and not as a picture. One logical unit is one 96-per-inch pixel.
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
