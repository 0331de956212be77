#pragma once
// The metafile records made whole from Qt's values: pens, brushes and fonts as the bodies of
// their create records (all that follows the handle), point lists as polygon and polyline
// records, and pictures as device-independent bitmaps. Coordinates are device units.
#include "editor/render/emf_records.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPolygonF>

#include <vector>

namespace brenmark {

// The face a font is written with: "宋体" for the Song faces (SimSun and its fallbacks, the
// chart's font), else the font's first family.
QString emfFaceName(const QFont& font);

namespace emf {

std::uint32_t colourOf(const QColor& c);
// The one colour a brush is written with; a gradient gives its middle stop.
QColor brushColour(const QBrush& brush);

struct ObjectRecord {
    std::uint32_t type = 0;
    QByteArray body;
};

// A pen deviceWidth units wide: a plain pen at one unit, else a geometric one with Qt's caps
// and joins.
ObjectRecord penRecord(const QPen& pen, int deviceWidth);
// A solid or hatched brush; other patterns as their colour.
ObjectRecord brushRecord(const QBrush& brush);
// The font at a character height of `pixels` device units.
ObjectRecord fontRecord(const QFont& font, qreal pixels);

// A polygon or polyline record, in 16-bit coordinates when they fit, else 32-bit.
void writePoly(RecordStream& out, std::uint32_t type16, std::uint32_t type32, const QPolygonF& points);
void writePolyPoly(RecordStream& out, std::uint32_t type16, std::uint32_t type32, const std::vector<QPolygonF>& polygons);
// A picture stretched over `to`: alpha-blended when it has see-through pixels, else copied.
void writePicture(RecordStream& out, const QRect& to, const QImage& picture);

}  // namespace emf
}  // namespace brenmark
