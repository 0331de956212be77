#include "editor/render/svg_paint_engine.h"

#include "editor/render/decimal_text.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <cmath>

namespace brenmark {

namespace {

// The buffer goes to the device once it holds this much.
constexpr std::size_t kFlushAt = 256 * 1024;


void appendColour(std::string& out, const QColor& c)
{
    static const char hex[] = "0123456789abcdef";
    const QRgb rgb = c.rgb();
    out.push_back('#');
    for (const int part : {qRed(rgb), qGreen(rgb), qBlue(rgb)}) {
        out.push_back(hex[part >> 4]);
        out.push_back(hex[part & 15]);
    }
}

void appendAttribute(std::string& out, const char* name, double v, int places = 2)
{
    out += ' ';
    out += name;
    out += "=\"";
    appendSvgNumber(out, v, places);
    out += '"';
}

void appendPoint(std::string& out, QPointF p)
{
    appendSvgNumber(out, p.x());
    out += ' ';
    appendSvgNumber(out, p.y());
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The colour a brush paints with: its own, or a gradient's middle stop.
QColor brushColour(const QBrush& brush)
{
    if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
        return g->stops().at(g->stops().size() / 2).second;
    return brush.color();
}

// A device path as a shape for a clipPath: a rect when it is one axis-aligned rectangle.
std::string clipShapeOf(const QPainterPath& path)
{
    std::string shape;
    const QList<QPolygonF> polygons = path.toSubpathPolygons();
    if (polygons.isEmpty())
        return "<rect width=\"0\" height=\"0\"/>";  // an empty clip lets nothing through
    if (polygons.size() == 1) {
        QPolygonF corners = polygons.front();
        if (corners.size() > 1 && corners.front() == corners.back())
            corners.removeLast();
        // Four corners of the bounding box, each edge along an axis.
        const QRectF box = corners.boundingRect();
        bool rectangle = corners.size() == 4;
        for (qsizetype i = 0; rectangle && i < 4; ++i) {
            const QPointF p = corners[i], next = corners[(i + 1) % 4];
            rectangle = (p.x() == box.left() || p.x() == box.right()) && (p.y() == box.top() || p.y() == box.bottom()) &&
                        ((p.x() == next.x()) != (p.y() == next.y()));
        }
        if (rectangle) {
            shape = "<rect";
            appendAttribute(shape, "x", box.x());
            appendAttribute(shape, "y", box.y());
            appendAttribute(shape, "width", box.width());
            appendAttribute(shape, "height", box.height());
            shape += "/>";
            return shape;
        }
    }
    shape = "<path d=\"";
    for (const QPolygonF& polygon : polygons) {
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            shape += i == 0 ? "M" : " L";
            appendPoint(shape, polygon[i]);
        }
        shape += 'Z';
    }
    shape += '"';
    if (path.fillRule() == Qt::OddEvenFill)
        shape += " clip-rule=\"evenodd\"";
    shape += "/>";
    return shape;
}

// A path's data: moves, lines and cubic curves, each closed subpath ending in Z.
void appendPathData(std::string& out, const QPainterPath& path)
{
    QPointF start;
    const int n = path.elementCount();
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            out += 'M';
            start = e;
            appendPoint(out, e);
            break;
        case QPainterPath::LineToElement:
            out += 'L';
            appendPoint(out, e);
            if (QPointF(e) == start && (i + 1 == n || path.elementAt(i + 1).isMoveTo()))
                out += 'Z';
            break;
        case QPainterPath::CurveToElement:
            out += 'C';
            appendPoint(out, e);
            for (int k = 1; k <= 2 && i + 1 < n; ++k) {
                out += ' ';
                appendPoint(out, path.elementAt(++i));
            }
            break;
        case QPainterPath::CurveToDataElement:  // only after a curve, taken there
            break;
        }
    }
}

void appendFamily(std::string& out, const QString& family)
{
    // Every name but CSS's generic families is quoted, its quotes and backslashes escaped the
    // CSS way: an unquoted name such as "3D Sans" would make readers drop the whole list.
    static const QStringList generic = {u"serif"_qs, u"sans-serif"_qs, u"monospace"_qs, u"cursive"_qs, u"fantasy"_qs};
    if (generic.contains(family)) {
        appendSvgEscaped(out, family.constData(), family.size());
        return;
    }
    QString name = family;
    name.replace(u'\\', u"\\\\"_qs);
    name.replace(u'\'', u"\\'"_qs);
    out += '\'';
    appendSvgEscaped(out, name.constData(), name.size());
    out += '\'';
}

}  // namespace

void appendSvgNumber(std::string& out, double v, int places)
{
    appendDecimal(out, v, std::clamp(places, 0, 6));
}

void appendSvgEscaped(std::string& out, const QChar* text, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t u = text[i].unicode();
        switch (u) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        case u'"': out += "&quot;"; continue;
        case u'\'': out += "&apos;"; continue;
        default: break;
        }
        if (u < 0x80) {
            if (u >= 0x20 || u == u'\t' || u == u'\n' || u == u'\r')
                out.push_back(static_cast<char>(u));
            continue;
        }
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 < length && text[i + 1].isLowSurrogate()) {
                appendUtf8(out, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
                ++i;
            }
            continue;
        }
        if (QChar::isLowSurrogate(u) || u == 0xFFFE || u == 0xFFFF)
            continue;
        appendUtf8(out, u);
    }
}

SvgPaintEngine::SvgPaintEngine(QIODevice* out, QSize size, QString title)
    // What is not claimed here (gradients, patterns, blend modes) QPainter draws as pictures.
    : QPaintEngine(PrimitiveTransform | PixmapTransform | AlphaBlend | PainterPaths | Antialiasing | ConstantOpacity |
                   PaintOutsidePaintEvent),
      device_(out), size_(size), title_(std::move(title))
{
}

bool SvgPaintEngine::begin(QPaintDevice*)
{
    buffer_.clear();
    buffer_.reserve(kFlushAt + 4096);
    failed_ = !device_ || !device_->isWritable();
    clipShape_.clear();
    clips_ = 0;
    transformOpen_ = false;
    groupTransform_ = QTransform();
    lookOpen_ = false;
    look_.clear();
    pendingLines_.clear();
    clipDirty_ = true;
    lastFont_ = QFont();
    lastFontAttributes_.clear();

    std::string& o = buffer_;
    o += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg";
    // The size on paper at 96 units an inch, the drawing in those units. In points a unit is
    // exactly 0.75, so a reader at 96 dots an inch makes a picture of exactly the page's size.
    o += " width=\"";
    appendSvgNumber(o, size_.width() * 0.75);
    o += "pt\" height=\"";
    appendSvgNumber(o, size_.height() * 0.75);
    o += "pt\" viewBox=\"0 0 ";
    appendWhole(o, static_cast<long long>(std::max(0, size_.width())));
    o += ' ';
    appendWhole(o, static_cast<long long>(std::max(0, size_.height())));
    o += "\" version=\"1.1\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n<title>";
    appendSvgEscaped(o, title_.constData(), title_.size());
    o += "</title>\n";
    setActive(true);
    return !failed_;
}

bool SvgPaintEngine::end()
{
    closeClip();
    buffer_ += "</svg>\n";
    write(buffer_.data(), buffer_.size());
    buffer_.clear();
    setActive(false);
    return !failed_;
}

void SvgPaintEngine::write(const char* data, std::size_t size)
{
    if (failed_ || size == 0)
        return;
    if (device_->write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
        failed_ = true;
}

void SvgPaintEngine::flushIfFull()
{
    if (buffer_.size() < kFlushAt)
        return;
    write(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void SvgPaintEngine::updateState(const QPaintEngineState& s)
{
    const DirtyFlags flags = s.state();
    if (flags & DirtyPen)
        pen_ = s.pen();
    if (flags & DirtyBrush)
        brush_ = s.brush();
    if (flags & DirtyTransform)
        transform_ = s.transform();
    if (flags & DirtyOpacity)
        opacity_ = s.opacity();
    if (flags & DirtyHints)
        smoothPictures_ = s.renderHints() & QPainter::SmoothPixmapTransform;
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
        clipDirty_ = true;
}

// ---- Groups ----

void SvgPaintEngine::flushLines()
{
    if (pendingLines_.empty())
        return;
    buffer_ += "<path d=\"";
    buffer_ += pendingLines_;
    buffer_ += "\"/>\n";
    pendingLines_.clear();
}

void SvgPaintEngine::closeLook()
{
    flushLines();
    if (lookOpen_)
        buffer_ += "</g>\n";
    lookOpen_ = false;
    look_.clear();
}

void SvgPaintEngine::closeTransform()
{
    closeLook();
    if (transformOpen_)
        buffer_ += "</g>\n";
    transformOpen_ = false;
    groupTransform_ = QTransform();
}

void SvgPaintEngine::closeClip()
{
    closeTransform();
    if (!clipShape_.empty())
        buffer_ += "</g>\n";
    clipShape_.clear();
}

void SvgPaintEngine::applyClip()
{
    if (!clipDirty_)
        return;
    clipDirty_ = false;
    std::string wanted;
    if (QPainter* p = painter(); p && p->hasClipping())
        wanted = clipShapeOf(transform_.map(p->clipPath()));
    if (wanted == clipShape_)
        return;
    closeClip();
    if (wanted.empty())
        return;
    clipShape_ = std::move(wanted);
    const std::string id = "c" + std::to_string(++clips_);
    buffer_ += "<defs><clipPath id=\"" + id + "\">" + clipShape_ + "</clipPath></defs>\n<g clip-path=\"url(#" + id + ")\">\n";
}

void SvgPaintEngine::enter(const std::string& look, bool mergesLines)
{
    applyClip();
    if (transform_ != groupTransform_) {
        closeTransform();
        if (!transform_.isIdentity()) {
            buffer_ += "<g transform=\"matrix(";
            const QTransform& t = transform_;
            for (const double v : {t.m11(), t.m12(), t.m21(), t.m22()}) {
                appendSvgNumber(buffer_, v, 6);
                buffer_ += ' ';
            }
            appendSvgNumber(buffer_, t.dx(), 3);
            buffer_ += ' ';
            appendSvgNumber(buffer_, t.dy(), 3);
            buffer_ += ")\">\n";
            transformOpen_ = true;
        }
        groupTransform_ = transform_;
    }
    if (look != look_ || !lookOpen_) {
        closeLook();
        buffer_ += "<g";
        buffer_ += look;
        buffer_ += ">\n";
        look_ = look;
        lookOpen_ = true;
    }
    if (!mergesLines)
        flushLines();
    flushIfFull();
}

// ---- Looks ----

bool SvgPaintEngine::opaque(const QColor& c) const
{
    return c.alpha() == 255 && opacity_ >= 1;
}

QColor SvgPaintEngine::penColour() const
{
    return brushColour(pen_.brush());
}

bool SvgPaintEngine::hasPen() const
{
    return pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush && penColour().alpha() > 0 && opacity_ > 0;
}

bool SvgPaintEngine::hasBrush() const
{
    return brush_.style() != Qt::NoBrush && brushColour(brush_).alpha() > 0 && opacity_ > 0;
}

qreal SvgPaintEngine::strokeWidth() const
{
    const qreal w = pen_.widthF();
    if (!pen_.isCosmetic() && w > 0)
        return w;
    // A cosmetic pen is as wide on the page whatever the transform; a zero width is one unit.
    const qreal scale = std::sqrt(std::abs(transform_.determinant()));
    return (w > 0 ? w : 1) / (scale > 0 ? scale : 1);
}

void SvgPaintEngine::appendPaint(std::string& out, const char* what, const QColor& colour) const
{
    out += ' ';
    out += what;
    out += "=\"";
    appendColour(out, colour);
    out += '"';
    const double alpha = colour.alphaF() * opacity_;
    if (alpha < 1) {
        out += ' ';
        out += what;
        out += "-opacity=\"";
        appendSvgNumber(out, alpha, 3);
        out += '"';
    }
}

void SvgPaintEngine::appendStroke(std::string& out) const
{
    appendPaint(out, "stroke", penColour());
    const qreal width = strokeWidth();
    if (width != 1)
        appendAttribute(out, "stroke-width", width, 3);
    switch (pen_.capStyle()) {
    case Qt::SquareCap: out += " stroke-linecap=\"square\""; break;
    case Qt::RoundCap: out += " stroke-linecap=\"round\""; break;
    default: break;
    }
    switch (pen_.joinStyle()) {
    case Qt::BevelJoin: out += " stroke-linejoin=\"bevel\""; break;
    case Qt::RoundJoin: out += " stroke-linejoin=\"round\""; break;
    default:
        // Qt measures the limit from the join point, SVG along the whole miter: twice as long.
        if (2 * pen_.miterLimit() != 4)
            appendAttribute(out, "stroke-miterlimit", std::max<qreal>(1, 2 * pen_.miterLimit()));
        break;
    }
    if (pen_.style() != Qt::SolidLine) {
        // Qt counts dashes in pen widths, SVG in units.
        const QList<qreal> pattern = pen_.dashPattern();
        if (!pattern.isEmpty()) {
            out += " stroke-dasharray=\"";
            for (qsizetype i = 0; i < pattern.size(); ++i) {
                if (i)
                    out += ',';
                appendSvgNumber(out, pattern[i] * width);
            }
            out += '"';
            if (pen_.dashOffset() != 0)
                appendAttribute(out, "stroke-dashoffset", pen_.dashOffset() * width);
        }
    }
}

std::string SvgPaintEngine::shapeLook(bool withBrush, bool withPen, bool evenOdd) const
{
    std::string look;
    if (withBrush) {
        appendPaint(look, "fill", brushColour(brush_));
        if (evenOdd)
            look += " fill-rule=\"evenodd\"";
    } else {
        look += " fill=\"none\"";
    }
    if (withPen)
        appendStroke(look);
    else
        look += " stroke=\"none\"";
    return look;
}

std::string SvgPaintEngine::textLook(const QFont& font, const QColor& colour)
{
    if (lastFontAttributes_.empty() || !(font == lastFont_)) {
        std::string& a = lastFontAttributes_;
        a = " font-family=\"";
        QStringList families = font.families();
        if (families.isEmpty())
            families = {font.family()};
        families.removeAll(QString());
        for (qsizetype i = 0; i < families.size(); ++i) {
            if (i)
                a += ',';
            appendFamily(a, families[i]);
        }
        a += '"';
        const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
        appendAttribute(a, "font-size", pixels);
        const int weight = std::clamp((font.weight() + 50) / 100 * 100, 100, 900);
        if (weight != 400) {
            a += " font-weight=\"";
            appendWhole(a, static_cast<long long>(weight));
            a += '"';
        }
        if (font.style() != QFont::StyleNormal)
            a += font.style() == QFont::StyleItalic ? " font-style=\"italic\"" : " font-style=\"oblique\"";
        // Underlines and the like come from the painter as lines of their own.
        a += " xml:space=\"preserve\"";
        lastFont_ = font;
    }
    std::string look;
    appendPaint(look, "fill", colour);
    look += " stroke=\"none\"";
    look += lastFontAttributes_;
    return look;
}

// ---- Drawing ----

void SvgPaintEngine::drawRects(const QRectF* rects, int count)
{
    const bool pen = hasPen(), brush = hasBrush();
    if ((!pen && !brush) || count <= 0)
        return;
    enter(shapeLook(brush, pen, false));
    if (!pen && opaque(brushColour(brush_))) {
        // Opaque fills of one colour: every rectangle in one path.
        buffer_ += "<path d=\"";
        for (int i = 0; i < count; ++i) {
            const QRectF r = rects[i].normalized();
            buffer_ += 'M';
            appendPoint(buffer_, r.topLeft());
            buffer_ += 'h';
            appendSvgNumber(buffer_, r.width());
            buffer_ += 'v';
            appendSvgNumber(buffer_, r.height());
            buffer_ += 'h';
            appendSvgNumber(buffer_, -r.width());
            buffer_ += 'z';
            if (buffer_.size() > kFlushAt && i + 1 < count) {
                buffer_ += "\"/>\n";
                flushIfFull();
                buffer_ += "<path d=\"";
            }
        }
        buffer_ += "\"/>\n";
        return;
    }
    for (int i = 0; i < count; ++i) {
        const QRectF r = rects[i].normalized();
        buffer_ += "<rect";
        appendAttribute(buffer_, "x", r.x());
        appendAttribute(buffer_, "y", r.y());
        appendAttribute(buffer_, "width", r.width());
        appendAttribute(buffer_, "height", r.height());
        buffer_ += "/>\n";
        flushIfFull();
    }
}

void SvgPaintEngine::drawLines(const QLineF* lines, int count)
{
    if (!hasPen() || count <= 0)
        return;
    // Lines of an opaque pen wait to share one path with the next ones of the same look.
    const bool merge = opaque(penColour());
    enter(shapeLook(false, true, false), merge);
    for (int i = 0; i < count; ++i) {
        pendingLines_ += 'M';
        appendPoint(pendingLines_, lines[i].p1());
        pendingLines_ += 'L';
        appendPoint(pendingLines_, lines[i].p2());
        if (!merge || pendingLines_.size() > 64 * 1024) {
            flushLines();
            flushIfFull();
        }
    }
}

void SvgPaintEngine::drawEllipse(const QRectF& r)
{
    const bool pen = hasPen(), brush = hasBrush();
    if (!pen && !brush)
        return;
    enter(shapeLook(brush, pen, false));
    const QRectF e = r.normalized();
    buffer_ += "<ellipse";
    appendAttribute(buffer_, "cx", e.center().x());
    appendAttribute(buffer_, "cy", e.center().y());
    appendAttribute(buffer_, "rx", e.width() / 2);
    appendAttribute(buffer_, "ry", e.height() / 2);
    buffer_ += "/>\n";
}

void SvgPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    const bool polyline = mode == PolylineMode;
    const bool pen = hasPen(), brush = !polyline && hasBrush();
    if ((!pen && !brush) || count <= 0)
        return;
    enter(shapeLook(brush, pen, mode == OddEvenMode));
    buffer_ += polyline ? "<polyline points=\"" : "<polygon points=\"";
    for (int i = 0; i < count; ++i) {
        if (i)
            buffer_ += ' ';
        appendSvgNumber(buffer_, points[i].x());
        buffer_ += ',';
        appendSvgNumber(buffer_, points[i].y());
    }
    buffer_ += "\"/>\n";
}

void SvgPaintEngine::drawPath(const QPainterPath& path)
{
    const bool pen = hasPen(), brush = hasBrush();
    if ((!pen && !brush) || path.isEmpty())
        return;
    enter(shapeLook(brush, pen, path.fillRule() == Qt::OddEvenFill));
    buffer_ += "<path d=\"";
    appendPathData(buffer_, path);
    buffer_ += "\"/>\n";
}

void SvgPaintEngine::drawPoints(const QPointF* points, int count)
{
    if (!hasPen() || count <= 0)
        return;
    // A point is a square of the pen's width in its colour, a round dot for a round cap; one
    // a unit or less wide covers the unit right of and below the point, as a pixel would.
    const qreal w = strokeWidth();
    const qreal scale = std::sqrt(std::abs(transform_.determinant()));
    const bool thin = w * (scale > 0 ? scale : 1) <= 1;
    const bool round = !thin && pen_.capStyle() == Qt::RoundCap;
    std::string look;
    appendPaint(look, "fill", penColour());
    look += " stroke=\"none\"";
    enter(look);
    buffer_ += "<path d=\"";
    for (int i = 0; i < count; ++i) {
        const QPointF p = points[i];
        if (round) {
            // Two half circles.
            buffer_ += 'M';
            appendPoint(buffer_, QPointF(p.x() - w / 2, p.y()));
            for (const int side : {1, -1}) {
                buffer_ += 'a';
                appendSvgNumber(buffer_, w / 2);
                buffer_ += ' ';
                appendSvgNumber(buffer_, w / 2);
                buffer_ += " 0 1 0 ";
                appendSvgNumber(buffer_, side * w);
                buffer_ += " 0";
            }
            buffer_ += 'z';
            continue;
        }
        buffer_ += 'M';
        appendPoint(buffer_, thin ? p : QPointF(p.x() - w / 2, p.y() - w / 2));
        buffer_ += 'h';
        appendSvgNumber(buffer_, w);
        buffer_ += 'v';
        appendSvgNumber(buffer_, w);
        buffer_ += 'h';
        appendSvgNumber(buffer_, -w);
        buffer_ += 'z';
    }
    buffer_ += "\"/>\n";
}

void SvgPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    drawImage(target, pictureOfPixmap(pixmap, penColour()), source);
}

void SvgPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags flags)
{
    if (image.isNull() || target.isEmpty())
        return;
    const QRect from = source.toAlignedRect() & image.rect();
    if (from.isEmpty())
        return;
    QByteArray png;
    {
        QBuffer into(&png);
        into.open(QIODevice::WriteOnly);
        if (!(from == image.rect() ? image : image.copy(from)).save(&into, "PNG"))
            return;
    }
    // A picture needs no look of its own: it goes into whatever group is open.
    applyClip();
    if (transform_ != groupTransform_ || !lookOpen_)
        enter(look_.empty() ? std::string(" fill=\"none\" stroke=\"none\"") : look_);
    flushLines();
    buffer_ += "<image";
    appendAttribute(buffer_, "x", target.x());
    appendAttribute(buffer_, "y", target.y());
    appendAttribute(buffer_, "width", target.width());
    appendAttribute(buffer_, "height", target.height());
    buffer_ += " preserveAspectRatio=\"none\"";
    if (opacity_ < 1 && !paintedByPainter(flags))
        appendAttribute(buffer_, "opacity", opacity_, 3);
    buffer_ += smoothPictures_ ? " image-rendering=\"optimizeQuality\"" : " image-rendering=\"optimizeSpeed\"";
    buffer_ += " xlink:href=\"data:image/png;base64,";
    const QByteArray encoded = png.toBase64();
    buffer_.append(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    buffer_ += "\"/>\n";
    flushIfFull();
}

void SvgPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty() || !hasPen())
        return;
    enter(textLook(textItem.font(), penColour()));
    buffer_ += "<text";
    appendAttribute(buffer_, "x", p.x());
    appendAttribute(buffer_, "y", p.y());
    buffer_ += '>';
    appendSvgEscaped(buffer_, text.constData(), text.size());
    buffer_ += "</text>\n";
}

void SvgPaintEngine::drawTextRun(const QFont& font, QRgb ink, const QString& text, const QPointF* origins)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    enter(textLook(font, QColor::fromRgba(ink | 0xFF000000u)));
    // One text element; each character a tspan at its own origin, which readers without
    // position lists (librsvg among them) place too. The baseline is given once when it is
    // the same for every character, else on every tspan.
    const qreal baseline = origins[0].y();
    const bool oneBaseline = std::all_of(origins, origins + n, [&](QPointF o) { return o.y() == baseline; });
    // The first character's place on the text too: a reader that takes no place from a
    // tspan (Qt's) starts the text there.
    buffer_ += "<text";
    appendAttribute(buffer_, "x", origins[0].x());
    appendAttribute(buffer_, "y", baseline);
    buffer_ += '>';
    for (qsizetype k = 0; k < n; ++k) {
        const qsizetype units = text[k].isHighSurrogate() && k + 1 < n && text[k + 1].isLowSurrogate() ? 2 : 1;
        buffer_ += "<tspan";
        appendAttribute(buffer_, "x", origins[k].x());
        if (!oneBaseline)
            appendAttribute(buffer_, "y", origins[k].y());
        buffer_ += '>';
        appendSvgEscaped(buffer_, text.constData() + k, units);
        buffer_ += "</tspan>";
        k += units - 1;
    }
    buffer_ += "</text>\n";
    flushIfFull();
}

// ---- The device ----

SvgPaintDevice::SvgPaintDevice(QIODevice* out, QSize size, const QString& title)
    : PageDevice(size), engine_(std::make_unique<SvgPaintEngine>(out, size, title))
{
}

SvgPaintDevice::~SvgPaintDevice() = default;


}  // namespace brenmark
