#pragma once
// A QPainter target that records enhanced metafile records: a paint device of a fixed size in
// 96-per-inch units and the paint engine behind it. Coordinates are transformed here, so the
// records carry device units with no world transform; clip rectangles become saved device
// contexts with INTERSECTCLIPRECT; pens, brushes and fonts are created once per look and kept
// in the handle table while they are in use.
#include "editor/render/emf_records.h"
#include "editor/render/page_device.h"

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace brenmark {

class EmfPaintEngine : public QPaintEngine {
public:
    explicit EmfPaintEngine(QSize size);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& s) override;
    Type type() const override { return Type(User + 17); }

    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;

    // The whole file, once painting has ended.
    const QByteArray& metafile() const { return file_; }

private:
    enum Slot { PenSlot, BrushSlot, FontSlot, SlotCount };
    // What the metafile's device context holds, as the reader will see it.
    struct DcState {
        std::uint32_t selected[SlotCount] = {};
        std::uint32_t textColour = 0;
        std::uint32_t fillMode = 0;
        std::uint32_t stretchMode = 0;
    };
    struct CachedObject {
        std::uint32_t handle = 0;
        unsigned long lastUse = 0;
    };

    void applyClip();
    void select(Slot slot, std::uint32_t handle);
    // The handle of an object made by a create record of this type and body (the record
    // without its type, size and handle), created on first use.
    std::uint32_t object(std::uint32_t type, const QByteArray& body);
    bool referenced(std::uint32_t handle) const;
    std::uint32_t penObject();
    std::uint32_t brushObject(const QBrush& brush);
    std::uint32_t fontObject(const QFont& font);
    void setTextColour(std::uint32_t colour);
    void setFillMode(std::uint32_t mode);
    void setStretchMode(std::uint32_t mode);
    // Selects the painter's pen and brush, or none of either.
    void selectOutline(bool withPen, bool withBrush);
    // Grows the drawn bounds by a rectangle in device units, widened by the pen.
    void noteDrawn(const QRectF& device, bool withPen);
    qreal penWidthOnDevice() const;
    bool hasPen() const;
    bool hasBrush() const;

    QSize size_;
    emf::RecordStream out_;
    QByteArray file_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QTransform transform_;
    bool smooth_ = false;
    bool clipDirty_ = true;
    std::optional<QRect> clip_;  // device rectangle in effect, half-open
    DcState dc_;
    std::vector<DcState> saved_;
    std::map<std::pair<std::uint32_t, QByteArray>, CachedObject> objects_;
    std::vector<std::uint32_t> freeHandles_;
    std::uint32_t nextHandle_ = 1;
    unsigned long uses_ = 0;
    QRect bounds_;
};

class EmfPaintDevice : public PageDevice {
public:
    explicit EmfPaintDevice(QSize size);
    ~EmfPaintDevice() override;

    QPaintEngine* paintEngine() const override { return engine_.get(); }
    // The file, once the painter on this device has ended.
    const QByteArray& metafile() const { return engine_->metafile(); }

private:
    std::unique_ptr<EmfPaintEngine> engine_;
};

}  // namespace brenmark
