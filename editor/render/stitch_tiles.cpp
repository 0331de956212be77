#include "editor/render/stitch_tiles.h"

#include "editor/document/stitch_kind.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace brenmark {
namespace {

constexpr int kTextureSize = 24;
constexpr double kPi = 3.14159265358979323846;

// Distance from (x, y) to the line through the texture's corners in one diagonal direction.
double diagonalDistance(double x, double y, bool rising)
{
    const double n = kTextureSize;
    return rising ? std::abs(x + y - n) / std::sqrt(2.0) : std::abs(x - y) / std::sqrt(2.0);
}

// Brightness of a twisted strand: a rounded profile across, fine twists along it.
double strand(double x, double y, bool rising, double halfWidth)
{
    const double d = diagonalDistance(x, y, rising);
    if (d > halfWidth)
        return 0.0;
    const double across = std::cos(d / halfWidth * kPi / 2);
    const double along = rising ? (x - y) : (x + y);
    const double twist = 0.82 + 0.18 * std::sin(along * 1.6 + d * 0.9);
    return across * twist;
}

QImage generate(int kind)
{
    QImage image(kTextureSize, kTextureSize, QImage::Format_RGB32);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            int v = 0;
            if (kind == 0) {  // stitch body: the upper strand lies over the lower one
                const double upper = strand(px, py, true, 5.0);
                const double lower = strand(px, py, false, 5.0) * (upper > 0.05 ? 0.55 : 1.0);
                v = static_cast<int>(60 + 195 * std::max(upper, lower));
            } else if (kind == 1) {  // highlights along the strand crowns
                const double crown = std::max(strand(px, py, true, 2.0), 0.6 * strand(px, py, false, 1.6));
                v = static_cast<int>(70 * crown * crown);
            } else {  // fabric weave: threads in both directions, holes at the corners
                const double wx = 0.5 + 0.5 * std::cos(px / kTextureSize * 2 * kPi * 3);
                const double wy = 0.5 + 0.5 * std::cos(py / kTextureSize * 2 * kPi * 3);
                const double hole = std::max(0.0, 1.0 - std::hypot(std::fmod(px, 8.0) - 0.0, std::fmod(py, 8.0) - 0.0) / 3.0);
                v = static_cast<int>(255 - 18 * wx * wy - 90 * hole);
            }
            v = std::clamp(v, 0, 255);
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return image;
}

struct Hsl {
    double h, s, l;  // degrees, 0..1, 0..1
};

Hsl toHsl(int r, int g, int b)
{
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    Hsl out{0.0, 0.0, (mx + mn) / 510.0};
    if (mx == mn)
        return out;
    const double d = mx - mn;
    out.s = (mx + mn < 256) ? d / (mx + mn) : d / (510.0 - mx - mn);
    if (mx == r)
        out.h = 60.0 * (g - b) / d;
    else if (mx == g)
        out.h = 60.0 * (b - r) / d + 120.0;
    else
        out.h = 60.0 * (r - g) / d + 240.0;
    if (out.h < 0)
        out.h += 360.0;
    if (out.h > 360.0)
        out.h -= 360.0;
    return out;
}

double hueChannel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (t < 1.0 / 6)
        return p + (q - p) * 6 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

int toByte(double v)
{
    v *= 255.0;
    if (v < 1.0)
        return 0;
    if (v > 255.0)
        return 255;
    return static_cast<int>(v + 0.5);
}

}  // namespace

const QImage& stitchBodyTexture()
{
    static const QImage image = generate(0);
    return image;
}

const QImage& stitchHighlightTexture()
{
    static const QImage image = generate(1);
    return image;
}

const QImage& fabricTexture()
{
    static const QImage image = generate(2);
    return image;
}

Rgb8 stitchPixel(Rgb8 body, Rgb8 highlight, Rgb8 thread)
{
    // Multiply the body by the thread colour, then screen the highlights over it.
    auto multiply = [](int t, int c) { return t * c / 255; };
    auto screen = [](int t, int m) { return static_cast<int>(t + m - t * m / 255.0); };
    const int r = screen(highlight.r, multiply(body.r, thread.r));
    const int g = screen(highlight.g, multiply(body.g, thread.g));
    const int b = screen(highlight.b, multiply(body.b, thread.b));

    // Round trip through the 240-step HSL scale with the saturation raised by half.
    const Hsl hsl = toHsl(r, g, b);
    int hue = std::min(239, static_cast<int>(hsl.h / 360.0 * 240.0 + 0.5));
    int sat = std::min(240, static_cast<int>(hsl.s * 241.0 + 0.5));
    int lum = std::min(240, static_cast<int>(hsl.l * 241.0 + 0.5));
    sat = static_cast<int>(sat * 1.5);
    hue = std::clamp(hue, 0, 239);
    sat = std::clamp(sat, 0, 240);
    lum = std::clamp(lum, 0, 240);
    const double h = hue / 239.0, s = sat / 240.0, l = lum / 240.0;
    if (s == 0.0) {
        const int v = toByte(l);
        return {v, v, v};
    }
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {toByte(hueChannel(p, q, h + 1.0 / 3)), toByte(hueChannel(p, q, h)), toByte(hueChannel(p, q, h - 1.0 / 3))};
}

QImage makeStitchTile(ColorRef thread)
{
    const QImage& body = stitchBodyTexture();
    const QImage& highlight = stitchHighlightTexture();
    QImage tile(body.size(), QImage::Format_RGB32);
    const Rgb8 colour{static_cast<int>(redOf(thread)), static_cast<int>(greenOf(thread)), static_cast<int>(blueOf(thread))};
    for (int y = 0; y < body.height(); ++y) {
        const QRgb* b = reinterpret_cast<const QRgb*>(body.constScanLine(y));
        const QRgb* h = reinterpret_cast<const QRgb*>(highlight.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < body.width(); ++x) {
            const Rgb8 c = stitchPixel({qRed(b[x]), qGreen(b[x]), qBlue(b[x])}, {qRed(h[x]), qGreen(h[x]), qBlue(h[x])}, colour);
            out[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return tile.scaled(kTileSize, kTileSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage makeFabricTile(ColorRef fabric)
{
    const QImage& texture = fabricTexture();
    QImage tile(texture.size(), QImage::Format_RGB32);
    for (int y = 0; y < texture.height(); ++y) {
        for (int x = 0; x < texture.width(); ++x) {
            const int t = qRed(texture.pixel(x, y));
            auto channel = [t](unsigned c) { return std::min(255, static_cast<int>(c) * t / 255); };
            tile.setPixel(x, y, qRgb(channel(redOf(fabric)), channel(greenOf(fabric)), channel(blueOf(fabric))));
        }
    }
    return tile.scaled(kTileSize, kTileSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage stitchMarkGlyph(int kind, ColorRef cell)
{
    const StitchKindInfo* info = stitchKindInfo(kind);
    if (!info || info->shape == StitchShape::Full)
        return {};
    QImage glyph(kTileSize, kTileSize, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = isDarkColour(cell) ? QColor(255, 255, 255) : QColor(0, 0, 0);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF tl(2, 2), tr(14, 2), bl(2, 14), br(14, 14), c(8, 8);
    switch (info->kind) {
    case StitchKind::HalfForward: p.drawLine(bl, tr); break;
    case StitchKind::HalfBackward: p.drawLine(tl, br); break;
    case StitchKind::QuarterTopLeft: p.drawLine(tl, c); break;
    case StitchKind::QuarterTopRight: p.drawLine(tr, c); break;
    case StitchKind::QuarterBottomLeft: p.drawLine(bl, c); break;
    case StitchKind::QuarterBottomRight: p.drawLine(br, c); break;
    case StitchKind::ThreeQuarterTopLeft: p.drawLine(bl, tr); p.drawLine(tl, c); break;
    case StitchKind::ThreeQuarterTopRight: p.drawLine(tl, br); p.drawLine(tr, c); break;
    case StitchKind::Petite: p.drawLine(QPointF(5, 5), QPointF(11, 11)); p.drawLine(QPointF(11, 5), QPointF(5, 11)); break;
    case StitchKind::Knot: p.setBrush(ink); p.drawEllipse(c, 3.0, 3.0); break;
    case StitchKind::Bead: p.drawEllipse(c, 4.5, 4.5); break;
    case StitchKind::Star: {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 2.6 : 6.0, a = -kPi / 2 + i * kPi / 5;
            const QPointF pt(8 + r * std::cos(a), 8 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setBrush(ink);
        p.drawPath(star);
        break;
    }
    case StitchKind::UprightCross: p.drawLine(QPointF(8, 2), QPointF(8, 14)); p.drawLine(QPointF(2, 8), QPointF(14, 8)); break;
    case StitchKind::Full: break;
    }
    return glyph;
}

}  // namespace brenmark
