#include "editor/render/emf_paint_engine.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <cmath>

namespace brenmark {

using namespace emf;

namespace {

// Stock objects a fresh device context holds.
constexpr std::uint32_t WHITE_BRUSH = 0x80000000;
constexpr std::uint32_t BLACK_PEN = 0x80000007;
constexpr std::uint32_t SYSTEM_FONT = 0x8000000D;

// Objects kept in the handle table before the least recently used is deleted.
constexpr std::size_t kMaxObjects = 1024;

constexpr int kLogFontFaceUnits = 32;

std::uint32_t colourOf(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return colorRef(rgb.red(), rgb.green(), rgb.blue());
}

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

// The half-open pixel rectangle a device rectangle covers, its edges rounded.
QRect roundedRect(const QRectF& r)
{
    const int left = qRound(r.left()), top = qRound(r.top());
    return QRect(left, top, std::max(0, qRound(r.right()) - left), std::max(0, qRound(r.bottom()) - top));
}

QColor brushColour(const QBrush& brush)
{
    // Gradients are written as their middle colour: the reader has no gradient brush.
    if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
        return g->stops()[g->stops().size() / 2].second;
    return brush.color();
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

EmfPaintEngine::EmfPaintEngine(QSize size) : QPaintEngine(AllFeatures), size_(size) {}

bool EmfPaintEngine::begin(QPaintDevice*)
{
    out_ = RecordStream();
    file_.clear();
    objects_.clear();
    freeHandles_.clear();
    nextHandle_ = 1;
    saved_.clear();
    clip_.reset();
    clipDirty_ = true;
    bounds_ = QRect();
    dc_ = DcState{};
    dc_.selected[PenSlot] = BLACK_PEN;
    dc_.selected[BrushSlot] = WHITE_BRUSH;
    dc_.selected[FontSlot] = SYSTEM_FONT;
    dc_.fillMode = ALTERNATE;
    dc_.stretchMode = 0;  // unknown: set before the first picture
    // One logical unit is one device unit; text stands on its baseline and leaves the
    // background alone, as QPainter draws it.
    for (auto [type, value] : {std::pair{EMR_SETMAPMODE, MM_TEXT}, std::pair{EMR_SETBKMODE, TRANSPARENT},
                               std::pair{EMR_SETTEXTALIGN, TA_BASELINE}, std::pair{EMR_SETPOLYFILLMODE, ALTERNATE}}) {
        out_.begin(type);
        out_.u32(value);
        out_.end();
    }
    setActive(true);
    return true;
}

bool EmfPaintEngine::end()
{
    if (clip_) {
        out_.begin(EMR_RESTOREDC);
        out_.i32(-1);
        out_.end();
        clip_.reset();
        dc_ = saved_.back();
        saved_.pop_back();
    }
    // Stock objects back in, then every object made is deleted.
    select(PenSlot, NULL_PEN);
    select(BrushSlot, NULL_BRUSH);
    select(FontSlot, SYSTEM_FONT);
    std::vector<std::uint32_t> handles;
    for (const auto& [key, cached] : objects_)
        handles.push_back(cached.handle);
    std::sort(handles.begin(), handles.end());
    for (std::uint32_t h : handles) {
        out_.begin(EMR_DELETEOBJECT);
        out_.u32(h);
        out_.end();
    }
    FileInfo info;
    info.size = size_;
    info.bounds = bounds_;
    info.handles = static_cast<int>(nextHandle_);
    info.description = u"Brenmark"_qs + QChar(0) + QString::fromUtf16(u"\u77E2\u91CF\u7EE3\u56FE");  // 矢量绣图
    file_ = metafileBytes(info, out_);
    setActive(false);
    return true;
}

void EmfPaintEngine::updateState(const QPaintEngineState& s)
{
    const DirtyFlags flags = s.state();
    if (flags & DirtyPen)
        pen_ = s.pen();
    if (flags & DirtyBrush)
        brush_ = s.brush();
    if (flags & DirtyFont)
        font_ = s.font();
    if (flags & DirtyTransform)
        transform_ = s.transform();
    if (flags & DirtyHints)
        smooth_ = s.renderHints() & QPainter::SmoothPixmapTransform;
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
        clipDirty_ = true;
}

void EmfPaintEngine::applyClip()
{
    if (!clipDirty_)
        return;
    clipDirty_ = false;
    std::optional<QRect> wanted;
    if (QPainter* p = painter(); p && p->hasClipping())
        wanted = roundedRect(p->transform().mapRect(p->clipBoundingRect()));
    if (wanted == clip_)
        return;
    // Each clip lives in a saved device context, so it is dropped by restoring that.
    if (clip_) {
        out_.begin(EMR_RESTOREDC);
        out_.i32(-1);
        out_.end();
        dc_ = saved_.back();
        saved_.pop_back();
    }
    clip_ = wanted;
    if (!clip_)
        return;
    out_.begin(EMR_SAVEDC);
    out_.end();
    saved_.push_back(dc_);
    out_.begin(EMR_INTERSECTCLIPRECT);
    out_.i32(clip_->left());
    out_.i32(clip_->top());
    out_.i32(clip_->left() + clip_->width());
    out_.i32(clip_->top() + clip_->height());
    out_.end();
}

void EmfPaintEngine::select(Slot slot, std::uint32_t handle)
{
    if (dc_.selected[slot] == handle)
        return;
    out_.begin(EMR_SELECTOBJECT);
    out_.u32(handle);
    out_.end();
    dc_.selected[slot] = handle;
}

bool EmfPaintEngine::referenced(std::uint32_t handle) const
{
    auto holds = [handle](const DcState& s) { return std::find(std::begin(s.selected), std::end(s.selected), handle) != std::end(s.selected); };
    return holds(dc_) || std::any_of(saved_.begin(), saved_.end(), holds);
}

std::uint32_t EmfPaintEngine::object(std::uint32_t type, const QByteArray& body)
{
    const auto key = std::pair(type, body);
    if (auto found = objects_.find(key); found != objects_.end()) {
        found->second.lastUse = ++uses_;
        return found->second.handle;
    }
    if (objects_.size() >= kMaxObjects) {
        // The least recently used object nothing holds makes room.
        auto victim = objects_.end();
        for (auto it = objects_.begin(); it != objects_.end(); ++it)
            if (!referenced(it->second.handle) && (victim == objects_.end() || it->second.lastUse < victim->second.lastUse))
                victim = it;
        if (victim != objects_.end()) {
            out_.begin(EMR_DELETEOBJECT);
            out_.u32(victim->second.handle);
            out_.end();
            freeHandles_.push_back(victim->second.handle);
            objects_.erase(victim);
        }
    }
    std::uint32_t handle;
    if (!freeHandles_.empty()) {
        handle = freeHandles_.back();
        freeHandles_.pop_back();
    } else {
        handle = nextHandle_++;
    }
    out_.begin(type);
    out_.u32(handle);
    out_.raw(body);
    out_.end();
    objects_.emplace(key, CachedObject{handle, ++uses_});
    return handle;
}

bool EmfPaintEngine::hasPen() const
{
    return pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush && brushColour(pen_.brush()).alpha() > 0;
}

bool EmfPaintEngine::hasBrush() const
{
    return brush_.style() != Qt::NoBrush && brushColour(brush_).alpha() > 0;
}

qreal EmfPaintEngine::penWidthOnDevice() const
{
    const qreal w = pen_.widthF();
    if (pen_.isCosmetic() || w <= 0)
        return std::max<qreal>(1, w);
    return std::max<qreal>(1, w * std::sqrt(std::abs(transform_.determinant())));
}

std::uint32_t EmfPaintEngine::penObject()
{
    if (!hasPen())
        return NULL_PEN;
    std::uint32_t style = PS_SOLID;
    switch (pen_.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine: style = PS_DASH; break;
    case Qt::DotLine: style = PS_DOT; break;
    case Qt::DashDotLine: style = PS_DASHDOT; break;
    case Qt::DashDotDotLine: style = PS_DASHDOTDOT; break;
    default: break;
    }
    const int width = std::max(1, qRound(penWidthOnDevice()));
    const std::uint32_t colour = colourOf(brushColour(pen_.brush()));
    RecordStream body;
    body.begin(0);
    if (width == 1) {
        // A one-unit pen: the plain pen every reader draws the same.
        body.u32(style);
        body.i32(1);
        body.i32(0);
        body.u32(colour);
    } else {
        const std::uint32_t cap = pen_.capStyle() == Qt::RoundCap ? PS_ENDCAP_ROUND
                                  : pen_.capStyle() == Qt::FlatCap ? PS_ENDCAP_FLAT
                                                                   : PS_ENDCAP_SQUARE;
        const std::uint32_t join = pen_.joinStyle() == Qt::RoundJoin ? PS_JOIN_ROUND
                                   : pen_.joinStyle() == Qt::BevelJoin ? PS_JOIN_BEVEL
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
    return object(width == 1 ? EMR_CREATEPEN : EMR_EXTCREATEPEN, body.bytes().mid(8));
}

std::uint32_t EmfPaintEngine::brushObject(const QBrush& brush)
{
    if (brush.style() == Qt::NoBrush || brushColour(brush).alpha() == 0)
        return NULL_BRUSH;
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
    return object(EMR_CREATEBRUSHINDIRECT, body.bytes().mid(8));
}

std::uint32_t EmfPaintEngine::fontObject(const QFont& font)
{
    qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    pixels *= std::hypot(transform_.m21(), transform_.m22());
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
    return object(EMR_EXTCREATEFONTINDIRECTW, body.bytes().mid(8));
}

void EmfPaintEngine::setTextColour(std::uint32_t colour)
{
    if (dc_.textColour == colour)
        return;
    out_.begin(EMR_SETTEXTCOLOR);
    out_.u32(colour);
    out_.end();
    dc_.textColour = colour;
}

void EmfPaintEngine::setFillMode(std::uint32_t mode)
{
    if (dc_.fillMode == mode)
        return;
    out_.begin(EMR_SETPOLYFILLMODE);
    out_.u32(mode);
    out_.end();
    dc_.fillMode = mode;
}

void EmfPaintEngine::setStretchMode(std::uint32_t mode)
{
    if (dc_.stretchMode == mode)
        return;
    out_.begin(EMR_SETSTRETCHBLTMODE);
    out_.u32(mode);
    out_.end();
    dc_.stretchMode = mode;
}

void EmfPaintEngine::selectOutline(bool withPen, bool withBrush)
{
    select(PenSlot, withPen ? penObject() : NULL_PEN);
    select(BrushSlot, withBrush ? brushObject(brush_) : NULL_BRUSH);
}

void EmfPaintEngine::noteDrawn(const QRectF& device, bool withPen)
{
    const qreal half = withPen ? penWidthOnDevice() / 2 : 0;
    QRect r = device.adjusted(-half, -half, half, half).toAlignedRect();
    if (withPen && r.isEmpty())
        r.setSize(r.size().expandedTo(QSize(1, 1)));
    if (clip_)
        r &= *clip_;
    r &= QRect(QPoint(0, 0), size_);
    if (!r.isEmpty())
        bounds_ |= r;
}

void EmfPaintEngine::poly(std::uint32_t type16, std::uint32_t type32, const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    const bool small = fits16(points);
    out_.begin(small ? type16 : type32);
    out_.rectl(inclusiveBounds(points));
    out_.u32(static_cast<std::uint32_t>(points.size()));
    for (const QPointF& p : points) {
        if (small) {
            out_.i16(static_cast<std::int16_t>(qRound(p.x())));
            out_.i16(static_cast<std::int16_t>(qRound(p.y())));
        } else {
            out_.i32(qRound(p.x()));
            out_.i32(qRound(p.y()));
        }
    }
    out_.end();
}

void EmfPaintEngine::polyPoly(std::uint32_t type16, std::uint32_t type32, const std::vector<QPolygonF>& polygons)
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
    out_.begin(small ? type16 : type32);
    out_.rectl(inclusiveBounds(all));
    out_.u32(static_cast<std::uint32_t>(counts.size()));
    out_.u32(static_cast<std::uint32_t>(all.size()));
    for (std::uint32_t n : counts)
        out_.u32(n);
    for (const QPointF& p : all) {
        if (small) {
            out_.i16(static_cast<std::int16_t>(qRound(p.x())));
            out_.i16(static_cast<std::int16_t>(qRound(p.y())));
        } else {
            out_.i32(qRound(p.x()));
            out_.i32(qRound(p.y()));
        }
    }
    out_.end();
}

void EmfPaintEngine::drawRects(const QRectF* rects, int count)
{
    applyClip();
    const bool pen = hasPen(), brush = hasBrush();
    if (!pen && !brush)
        return;
    selectOutline(pen, brush);
    for (int i = 0; i < count; ++i) {
        // A polygon: with no pen it fills exactly the rectangle, with one it outlines its edges
        // as Qt does; a Rectangle record would lose a unit on the right and bottom.
        const QPolygonF corners = transform_.map(QPolygonF(rects[i]));
        poly(EMR_POLYGON16, EMR_POLYGON, QPolygonF(corners.mid(0, 4)));
        noteDrawn(corners.boundingRect(), pen);
    }
}

void EmfPaintEngine::drawLines(const QLineF* lines, int count)
{
    applyClip();
    if (!hasPen() || count <= 0)
        return;
    selectOutline(true, false);
    std::vector<QPolygonF> segments;
    for (int i = 0; i < count; ++i) {
        const QLineF l = transform_.map(lines[i]);
        segments.push_back(QPolygonF({l.p1(), l.p2()}));
        noteDrawn(QRectF(l.p1(), l.p2()).normalized(), true);
    }
    if (count == 1)
        poly(EMR_POLYLINE16, EMR_POLYLINE, segments.front());
    else
        polyPoly(EMR_POLYPOLYLINE16, EMR_POLYPOLYLINE, segments);
}

void EmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    applyClip();
    const QPolygonF device = transform_.map(QPolygonF(QList<QPointF>(points, points + count)));
    const bool pen = hasPen(), brush = mode != PolylineMode && hasBrush();
    if (!pen && !brush)
        return;
    selectOutline(pen, brush);
    if (mode == PolylineMode) {
        poly(EMR_POLYLINE16, EMR_POLYLINE, device);
    } else {
        setFillMode(mode == WindingMode ? WINDING : ALTERNATE);
        poly(EMR_POLYGON16, EMR_POLYGON, device);
    }
    noteDrawn(device.boundingRect(), pen);
}

void EmfPaintEngine::drawPath(const QPainterPath& path)
{
    applyClip();
    const QList<QPolygonF> subpaths = path.toSubpathPolygons(transform_);
    const std::vector<QPolygonF> polygons(subpaths.begin(), subpaths.end());
    if (polygons.empty())
        return;
    QRectF extent;
    for (const QPolygonF& polygon : polygons)
        extent |= polygon.boundingRect();
    if (hasBrush()) {
        selectOutline(false, true);
        setFillMode(path.fillRule() == Qt::WindingFill ? WINDING : ALTERNATE);
        polyPoly(EMR_POLYPOLYGON16, EMR_POLYPOLYGON, polygons);
        noteDrawn(extent, false);
    }
    if (hasPen()) {
        selectOutline(true, false);
        polyPoly(EMR_POLYPOLYLINE16, EMR_POLYPOLYLINE, polygons);
        noteDrawn(extent, true);
    }
}

void EmfPaintEngine::drawPoints(const QPointF* points, int count)
{
    applyClip();
    if (!hasPen())
        return;
    const qreal width = penWidthOnDevice();
    const std::uint32_t colour = colourOf(brushColour(pen_.brush()));
    if (width > 1.5) {
        // Wide points are squares of the pen's width in its colour.
        select(PenSlot, NULL_PEN);
        select(BrushSlot, brushObject(QBrush(brushColour(pen_.brush()))));
    }
    for (int i = 0; i < count; ++i) {
        const QPointF p = transform_.map(points[i]);
        if (width > 1.5) {
            const QRectF square(p.x() - width / 2, p.y() - width / 2, width, width);
            poly(EMR_POLYGON16, EMR_POLYGON, QPolygonF(QPolygonF(square).mid(0, 4)));
            noteDrawn(square, false);
        } else {
            out_.begin(EMR_SETPIXELV);
            out_.i32(static_cast<int>(std::floor(p.x())));
            out_.i32(static_cast<int>(std::floor(p.y())));
            out_.u32(colour);
            out_.end();
            noteDrawn(QRectF(std::floor(p.x()), std::floor(p.y()), 1, 1), false);
        }
    }
}

void EmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    drawImage(target, pixmap.toImage(), source);
}

void EmfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source, Qt::ImageConversionFlags)
{
    applyClip();
    if (image.isNull())
        return;
    const QRect from = source.toAlignedRect() & image.rect();
    const QRect to = roundedRect(transform_.mapRect(target));
    if (from.isEmpty() || to.isEmpty())
        return;
    setStretchMode(smooth_ ? HALFTONE : COLORONCOLOR);
    dib(to, from == image.rect() ? image : image.copy(from));
    noteDrawn(to, false);
}

void EmfPaintEngine::dib(const QRect& to, const QImage& picture)
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

    out_.begin(seeThrough ? EMR_ALPHABLEND : EMR_STRETCHDIBITS);
    out_.rectl(to);
    out_.i32(to.x());
    out_.i32(to.y());
    if (seeThrough) {
        out_.i32(to.width());
        out_.i32(to.height());
        out_.u32(0x01FF0000);  // source over, constant alpha 255, per-pixel alpha
        out_.i32(0);           // source x, y
        out_.i32(0);
        for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
            out_.f32(f);
        out_.u32(0);  // background colour
        out_.u32(DIB_RGB_COLORS);
        out_.u32(static_cast<std::uint32_t>(headerBytes));
        out_.u32(40);
        out_.u32(static_cast<std::uint32_t>(headerBytes + 40));
        out_.u32(imageBytes);
        out_.i32(w);
        out_.i32(h);
    } else {
        out_.i32(0);  // source x, y, width, height
        out_.i32(0);
        out_.i32(w);
        out_.i32(h);
        out_.u32(static_cast<std::uint32_t>(headerBytes));
        out_.u32(40);
        out_.u32(static_cast<std::uint32_t>(headerBytes + 40));
        out_.u32(imageBytes);
        out_.u32(DIB_RGB_COLORS);
        out_.u32(SRCCOPY);
        out_.i32(to.width());
        out_.i32(to.height());
    }
    Q_ASSERT(out_.offsetInRecord() == headerBytes);
    // BITMAPINFOHEADER.
    out_.u32(40);
    out_.i32(w);
    out_.i32(h);  // positive: the last row first
    out_.u16(1);
    out_.u16(static_cast<std::uint16_t>(bits));
    out_.u32(0);  // uncompressed
    out_.u32(imageBytes);
    out_.i32(3780);  // 96 an inch in pixels a metre
    out_.i32(3780);
    out_.u32(0);
    out_.u32(0);
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
        out_.raw(row);
    }
    out_.end();
}

void EmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem)
{
    applyClip();
    const QString text = textItem.text();
    if (text.isEmpty() || !hasPen())
        return;
    const QFont font = textItem.font();
    select(FontSlot, fontObject(font));
    setTextColour(colourOf(brushColour(pen_.brush())));

    // Each character's advance as laid out here, so a reader with another face still puts
    // every character where this one stood; the high half of a surrogate pair carries the
    // pair's advance.
    const qreal across = std::hypot(transform_.m11(), transform_.m12());
    const QFontMetricsF metrics(font);
    const int n = static_cast<int>(text.size());
    std::vector<qreal> at(static_cast<std::size_t>(n) + 1, 0);
    for (int k = n; k >= 1; --k)
        at[k] = k < n && text[k].isLowSurrogate() ? at[k + 1] : metrics.horizontalAdvance(text.left(k));
    const qreal laidOut = at[n] > 0 ? textItem.width() / at[n] : 1;
    const QPointF origin = transform_.map(p);
    const QRectF extent = transform_.mapRect(
        QRectF(p.x(), p.y() - textItem.ascent(), textItem.width(), textItem.ascent() + textItem.descent()));

    out_.begin(EMR_EXTTEXTOUTW);
    out_.rectl(roundedRect(extent));
    out_.u32(GM_COMPATIBLE);
    out_.f32(2540.0f / 96);  // page units to hundredths of a millimetre
    out_.f32(2540.0f / 96);
    out_.i32(qRound(origin.x()));
    out_.i32(qRound(origin.y()));
    out_.u32(static_cast<std::uint32_t>(n));
    const int stringAt = 76;
    const int dxAt = stringAt + (2 * n + 3) / 4 * 4;
    out_.u32(stringAt);
    out_.u32(0);               // no clipping or opaque box
    out_.rectl(QRect());       // the unused box
    out_.u32(static_cast<std::uint32_t>(dxAt));
    Q_ASSERT(out_.offsetInRecord() == stringAt);
    out_.utf16(text, n);
    out_.align4();
    Q_ASSERT(out_.offsetInRecord() == dxAt);
    int previous = 0;
    for (int k = 1; k <= n; ++k) {
        const int next = qRound(at[k] * laidOut * across);
        out_.i32(next - previous);
        previous = next;
    }
    out_.end();
    noteDrawn(extent, false);
}

EmfPaintDevice::EmfPaintDevice(QSize size) : size_(size), engine_(std::make_unique<EmfPaintEngine>(size)) {}

EmfPaintDevice::~EmfPaintDevice() = default;

int EmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return qRound(size_.width() * 25.4 / 96);
    case PdmHeightMM: return qRound(size_.height() * 25.4 / 96);
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

}  // namespace brenmark
