#pragma once
// A QPainter target that writes an SVG 1.1 document into a QIODevice: a paint device of a
// fixed size in 96-per-inch units and the paint engine behind it. The engine writes through
// a byte buffer of its own. Elements of one look (fill, stroke, font) share a group that
// carries the look; around those groups stand one for the world transform and, outermost, one
// for the clip, a clipPath in device units. Consecutive lines of one opaque pen share a path.
// Each row's chart symbols of one ink come as one text element (TextRunEngine), a character
// a tspan at its own place.
#include "editor/render/page_device.h"
#include "editor/render/text_run_engine.h"

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

#include <memory>
#include <string>

class QIODevice;

namespace brenmark {

// Appends v rounded to `places` decimals (at most 6), without trailing zeros: 12, 12.5, -0.25.
void appendSvgNumber(std::string& out, double v, int places = 2);
// Appends UTF-16 text as UTF-8 with the five XML entities escaped (& < > " '); characters
// XML 1.0 cannot carry (controls other than tab, line feed and return; lone surrogates) are
// left out.
void appendSvgEscaped(std::string& out, const QChar* text, qsizetype length);

class SvgPaintEngine : public QPaintEngine, public TextRunEngine {
public:
    // Writes into out (open for writing) a document of size units with the title.
    SvgPaintEngine(QIODevice* out, QSize size, QString title);

    bool begin(QPaintDevice* device) override;
    // Closes the document; false when a write into the device failed.
    bool end() override;
    void updateState(const QPaintEngineState& s) override;
    Type type() const override { return Type(User + 18); }

    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawEllipse(const QRectF& r) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    void drawTextRun(const QFont& font, QRgb ink, const QString& text, const QPointF* origins) override;

private:
    // The groups open around the element being written.
    void applyClip();
    void enter(const std::string& look, bool mergesLines = false);
    void flushLines();
    void closeLook();
    void closeTransform();
    void closeClip();
    void flushIfFull();
    void write(const char* data, std::size_t size);

    bool hasPen() const;
    bool hasBrush() const;
    bool opaque(const QColor& c) const;
    // The look attributes of filled shapes (with the pen's stroke when withPen), of lines
    // and outlines, and of text in a font and colour.
    std::string shapeLook(bool withBrush, bool withPen, bool evenOdd) const;
    void appendStroke(std::string& out) const;
    void appendPaint(std::string& out, const char* what, const QColor& colour) const;
    std::string textLook(const QFont& font, const QColor& colour);
    QColor penColour() const;
    // The pen's width in user units; a cosmetic pen keeps its width in device units.
    qreal strokeWidth() const;

    QIODevice* device_;
    QSize size_;
    QString title_;
    std::string buffer_;
    bool failed_ = false;

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    qreal opacity_ = 1;
    bool smoothPictures_ = false;
    bool clipDirty_ = true;

    // What is open: the clip group (its shape), the transform group, the look group, and the
    // lines waiting to be written as one path.
    std::string clipShape_;
    int clips_ = 0;
    bool transformOpen_ = false;
    QTransform groupTransform_;
    bool lookOpen_ = false;
    std::string look_;
    std::string pendingLines_;

    // The last font's attributes, worked out once.
    QFont lastFont_;
    std::string lastFontAttributes_;
};

class SvgPaintDevice : public PageDevice {
public:
    // A page of size units (96 an inch) written into out with the title.
    SvgPaintDevice(QIODevice* out, QSize size, const QString& title);
    ~SvgPaintDevice() override;

    QPaintEngine* paintEngine() const override { return engine_.get(); }

private:
    std::unique_ptr<SvgPaintEngine> engine_;
};

}  // namespace brenmark
