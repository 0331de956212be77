#include "editor/render/emf_objects.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace brenmark {
namespace {

constexpr int kLogFontFaceUnits = 32;

bool fits16(const QPolygonF& points)
{
    return std::all_of(points.begin(), points.end(), [](const QPointF& p) {
        return std::abs(p.x()) <= SHRT_MAX && std::abs(p.y()) <= SHRT_MAX;
    });
}

// The records' bounds: the rounded points' extent, both edges included.
QRect inclusiveBounds(const QPolygonF& points)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const QPointF& p : points) {
        left = std::min(left, qRound(p.x()));
        right = std::max(right, qRound(p.x()));
        top = std::min(top, qRound(p.y()));
        bottom = std::max(bottom, qRound(p.y()));
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool isSongFace(const QString& family)
{
    static const QString song = QString::fromUtf16(u"\u5B8B\u4F53");  // 宋体
    static const QString newSong = QString::fromUtf16(u"\u65B0\u5B8B\u4F53");  // 新宋体
    return family.compare(u"SimSun"_qs, Qt::CaseInsensitive) == 0 || family.compare(u"NSimSun"_qs, Qt::CaseInsensitive) == 0 ||
           family == song || family == newSong;
}


}  // namespace

QString emfFaceName(const QFont& font)
{
    const QStringList families = font.families().isEmpty() ? QStringList{font.family()} : font.families();
    for (const QString& f : families)
        if (isSongFace(f))
            return QString::fromUtf16(u"\u5B8B\u4F53");
    return families.first();
}

namespace emf {

std::uint32_t colourOf(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return colorRef(rgb.red(), rgb.green(), rgb.blue());
}

QColor brushColour(const QBrush& brush)
{
    // Gradients are written as their middle colour: the reader has no gradient brush.
    if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
        return g->stops()[g->stops().size() / 2].second;
    return brush.color();
}

ObjectRecord penRecord(const QPen& pen, int width)
{
    std::uint32_t style = PS_SOLID;
    switch (pen.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine: style = PS_DASH; break;
    case Qt::DotLine: style = PS_DOT; break;
    case Qt::DashDotLine: style = PS_DASHDOT; break;
    case Qt::DashDotDotLine: style = PS_DASHDOTDOT; break;
    default: break;
    }
    const std::uint32_t colour = colourOf(brushColour(pen.brush()));
    RecordStream body;
    body.begin(0);
    if (width == 1) {
        // A one-unit pen: the plain pen every reader draws the same.
        body.u32(style);
        body.i32(1);
        body.i32(0);
        body.u32(colour);
    } else {
        const std::uint32_t cap = pen.capStyle() == Qt::RoundCap ? PS_ENDCAP_ROUND
                                  : pen.capStyle() == Qt::FlatCap ? PS_ENDCAP_FLAT
                                                                   : PS_ENDCAP_SQUARE;
        const std::uint32_t join = pen.joinStyle() == Qt::RoundJoin ? PS_JOIN_ROUND
                                   : pen.joinStyle() == Qt::BevelJoin ? PS_JOIN_BEVEL
                                                                       : PS_JOIN_MITER;
        body.zeros(16);  // no pattern bitmap
        body.u32(PS_GEOMETRIC | style | cap | join);
        body.u32(static_cast<std::uint32_t>(width));
        body.u32(BS_SOLID);
        body.u32(colour);
        body.u32(0);  // hatch
        body.u32(0);  // no style entries
    }
    body.end();
    return {width == 1 ? EMR_CREATEPEN : EMR_EXTCREATEPEN, body.bytes().mid(8)};
}

ObjectRecord brushRecord(const QBrush& brush)
{
    std::uint32_t style = BS_SOLID, hatch = 0;
    switch (brush.style()) {
    case Qt::HorPattern: style = BS_HATCHED; hatch = 0; break;
    case Qt::VerPattern: style = BS_HATCHED; hatch = 1; break;
    case Qt::FDiagPattern: style = BS_HATCHED; hatch = 2; break;
    case Qt::BDiagPattern: style = BS_HATCHED; hatch = 3; break;
    case Qt::CrossPattern: style = BS_HATCHED; hatch = 4; break;
    case Qt::DiagCrossPattern: style = BS_HATCHED; hatch = 5; break;
    default: break;  // dense patterns, gradients and textures as their colour
    }
    RecordStream body;
    body.begin(0);
    body.u32(style);
    body.u32(colourOf(brushColour(brush)));
    body.u32(hatch);
    body.end();
    return {EMR_CREATEBRUSHINDIRECT, body.bytes().mid(8)};
}

ObjectRecord fontRecord(const QFont& font, qreal pixels)
{
    const QString face = emfFaceName(font);
    RecordStream body;
    body.begin(0);
    body.i32(-std::max(1, qRound(pixels)));  // negative: the character height, as Qt's pixel size
    body.i32(0);                             // width from the face
    body.i32(0);                             // escapement
    body.i32(0);                             // orientation
    body.i32(font.weight());                 // Qt's weights are the 100 … 900 of GDI
    body.u8(font.italic() ? 1 : 0);
    body.u8(font.underline() ? 1 : 0);
    body.u8(font.strikeOut() ? 1 : 0);
    // The Song face with the simplified Chinese character set: where 宋体 is missing, that
    // is what a reader picks its replacement by.
    body.u8(isSongFace(face) ? GB2312_CHARSET : DEFAULT_CHARSET);
    body.u8(0);  // output precision
    body.u8(0);  // clip precision
    body.u8(0);  // quality
    body.u8(0);  // pitch and family
    body.utf16(face, kLogFontFaceUnits);
    body.end();
    return {EMR_EXTCREATEFONTINDIRECTW, body.bytes().mid(8)};
}

void writePoly(RecordStream& out, std::uint32_t type16, std::uint32_t type32, const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    const bool small = fits16(points);
    out.begin(small ? type16 : type32);
    out.rectl(inclusiveBounds(points));
    out.u32(static_cast<std::uint32_t>(points.size()));
    for (const QPointF& p : points) {
        if (small) {
            out.i16(static_cast<std::int16_t>(qRound(p.x())));
            out.i16(static_cast<std::int16_t>(qRound(p.y())));
        } else {
            out.i32(qRound(p.x()));
            out.i32(qRound(p.y()));
        }
    }
    out.end();
}

void writePolyPoly(RecordStream& out, std::uint32_t type16, std::uint32_t type32, const std::vector<QPolygonF>& polygons)
{
    QPolygonF all;
    std::vector<std::uint32_t> counts;
    for (const QPolygonF& polygon : polygons)
        if (polygon.size() >= 2) {
            all += polygon;
            counts.push_back(static_cast<std::uint32_t>(polygon.size()));
        }
    if (counts.empty())
        return;
    const bool small = fits16(all);
    out.begin(small ? type16 : type32);
    out.rectl(inclusiveBounds(all));
    out.u32(static_cast<std::uint32_t>(counts.size()));
    out.u32(static_cast<std::uint32_t>(all.size()));
    for (std::uint32_t n : counts)
        out.u32(n);
    for (const QPointF& p : all) {
        if (small) {
            out.i16(static_cast<std::int16_t>(qRound(p.x())));
            out.i16(static_cast<std::int16_t>(qRound(p.y())));
        } else {
            out.i32(qRound(p.x()));
            out.i32(qRound(p.y()));
        }
    }
    out.end();
}

void writePicture(RecordStream& out, const QRect& to, const QImage& picture)
{
    // Pictures with see-through pixels are blended, the others copied; both as bottom-up
    // device-independent bitmaps, 32 bits premultiplied or 24 bits.
    bool seeThrough = false;
    QImage image;
    if (picture.hasAlphaChannel()) {
        image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height() && !seeThrough; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            seeThrough = std::any_of(line, line + image.width(), [](QRgb px) { return qAlpha(px) != 255; });
        }
    }
    if (!seeThrough)
        image = picture.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int bits = seeThrough ? 32 : 24;
    const int rowBytes = (w * bits + 31) / 32 * 4;
    const int headerBytes = seeThrough ? 108 : 80;
    const auto imageBytes = static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(h);

    out.begin(seeThrough ? EMR_ALPHABLEND : EMR_STRETCHDIBITS);
    out.rectl(to);
    out.i32(to.x());
    out.i32(to.y());
    if (seeThrough) {
        out.i32(to.width());
        out.i32(to.height());
        out.u32(0x01FF0000);  // source over, constant alpha 255, per-pixel alpha
        out.i32(0);           // source x, y
        out.i32(0);
        for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
            out.f32(f);
        out.u32(0);  // background colour
        out.u32(DIB_RGB_COLORS);
        out.u32(static_cast<std::uint32_t>(headerBytes));
        out.u32(40);
        out.u32(static_cast<std::uint32_t>(headerBytes + 40));
        out.u32(imageBytes);
        out.i32(w);
        out.i32(h);
    } else {
        out.i32(0);  // source x, y, width, height
        out.i32(0);
        out.i32(w);
        out.i32(h);
        out.u32(static_cast<std::uint32_t>(headerBytes));
        out.u32(40);
        out.u32(static_cast<std::uint32_t>(headerBytes + 40));
        out.u32(imageBytes);
        out.u32(DIB_RGB_COLORS);
        out.u32(SRCCOPY);
        out.i32(to.width());
        out.i32(to.height());
    }
    Q_ASSERT(out.offsetInRecord() == headerBytes);
    // BITMAPINFOHEADER.
    out.u32(40);
    out.i32(w);
    out.i32(h);  // positive: the last row first
    out.u16(1);
    out.u16(static_cast<std::uint16_t>(bits));
    out.u32(0);  // uncompressed
    out.u32(imageBytes);
    out.i32(3780);  // 96 an inch in pixels a metre
    out.i32(3780);
    out.u32(0);
    out.u32(0);
    QByteArray row(rowBytes, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        char* o = row.data();
        for (int x = 0; x < w; ++x) {
            *o++ = static_cast<char>(qBlue(line[x]));
            *o++ = static_cast<char>(qGreen(line[x]));
            *o++ = static_cast<char>(qRed(line[x]));
            if (seeThrough)
                *o++ = static_cast<char>(qAlpha(line[x]));
        }
        out.raw(row);
    }
    out.end();
}

}  // namespace emf
}  // namespace brenmark
