#include "editor/render/emf_paint_engine.h"

#include "editor/render/chart_symbol_font.h"
#include "editor/render/emf_objects.h"

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

// The half-open pixel rectangle a device rectangle covers, its edges rounded.
QRect roundedRect(const QRectF& r)
{
    const int left = qRound(r.left()), top = qRound(r.top());
    return QRect(left, top, std::max(0, qRound(r.right()) - left), std::max(0, qRound(r.bottom()) - top));
}

}  // namespace

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
    const ObjectRecord pen = penRecord(pen_, std::max(1, qRound(penWidthOnDevice())));
    return object(pen.type, pen.body);
}

std::uint32_t EmfPaintEngine::brushObject(const QBrush& brush)
{
    if (brush.style() == Qt::NoBrush || brushColour(brush).alpha() == 0)
        return NULL_BRUSH;
    const ObjectRecord record = brushRecord(brush);
    return object(record.type, record.body);
}

std::uint32_t EmfPaintEngine::fontObject(const QFont& font)
{
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    const ObjectRecord record = fontRecord(font, pixels * std::hypot(transform_.m21(), transform_.m22()));
    return object(record.type, record.body);
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
        writePoly(out_, EMR_POLYGON16, EMR_POLYGON, QPolygonF(corners.mid(0, 4)));
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
        writePoly(out_, EMR_POLYLINE16, EMR_POLYLINE, segments.front());
    else
        writePolyPoly(out_, EMR_POLYPOLYLINE16, EMR_POLYPOLYLINE, segments);
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
        writePoly(out_, EMR_POLYLINE16, EMR_POLYLINE, device);
    } else {
        setFillMode(mode == WindingMode ? WINDING : ALTERNATE);
        writePoly(out_, EMR_POLYGON16, EMR_POLYGON, device);
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
        writePolyPoly(out_, EMR_POLYPOLYGON16, EMR_POLYPOLYGON, polygons);
        noteDrawn(extent, false);
    }
    if (hasPen()) {
        selectOutline(true, false);
        writePolyPoly(out_, EMR_POLYPOLYLINE16, EMR_POLYPOLYLINE, polygons);
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
            writePoly(out_, EMR_POLYGON16, EMR_POLYGON, QPolygonF(QPolygonF(square).mid(0, 4)));
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
    writePicture(out_, to, from == image.rect() ? image : image.copy(from));
    noteDrawn(to, false);
}

void EmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem)
{
    applyClip();
    const QString text = textItem.text();
    if (text.isEmpty() || !hasPen())
        return;
    const QFont font = textItem.font();
    if (const QString symbols = chartSymbolFontFamily(); !symbols.isEmpty() && font.family() == symbols) {
        // A metafile cannot carry a font and its readers do not have ours: the chart symbols
        // go down as their outlines, filled in the pen's colour.
        QPainterPath path;
        path.addText(p, font, text);
        const QList<QPolygonF> subpaths = path.toSubpathPolygons(transform_);
        if (subpaths.isEmpty())
            return;
        const std::vector<QPolygonF> polygons(subpaths.begin(), subpaths.end());
        QRectF extent;
        for (const QPolygonF& polygon : polygons)
            extent |= polygon.boundingRect();
        select(PenSlot, NULL_PEN);
        select(BrushSlot, brushObject(pen_.brush()));
        setFillMode(WINDING);
        writePolyPoly(out_, EMR_POLYPOLYGON16, EMR_POLYPOLYGON, polygons);
        noteDrawn(extent, false);
        return;
    }
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

EmfPaintDevice::EmfPaintDevice(QSize size) : PageDevice(size), engine_(std::make_unique<EmfPaintEngine>(size)) {}

EmfPaintDevice::~EmfPaintDevice() = default;


}  // namespace brenmark
