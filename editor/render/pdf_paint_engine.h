#pragma once
// A QPainter target that writes a PDF of our own: pages of a fixed size in 96-per-inch units,
// each page's content one compressed stream. Fills, lines and paths go down as path operators
// under the painter's transform and clip; pictures as image objects, each written once; text
// as glyphs of embedded font subsets with a Unicode map, so readers can pick the text out. A
// row of chart symbols comes as one text run (TextRunEngine): one text object with the glyphs
// placed by adjustments instead of a text object per cell.
#include "editor/render/page_device.h"
#include "editor/render/text_run_engine.h"

#include <QBrush>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QTransform>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

class QIODevice;

namespace brenmark {

class PdfPaintEngine : public QPaintEngine, public TextRunEngine {
public:
    PdfPaintEngine(QIODevice& out, QSize pageSize);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& s) override;
    Type type() const override { return Type(User + 19); }

    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    void drawTextRun(const QFont& font, QRgb ink, const QString& text, const QPointF* origins) override;

    void setTitle(const QString& title) { title_ = title; }
    // Ends the page being drawn and starts the next.
    bool newPage();
    // Content streams are compressed at this zlib level (1 to 9).
    void setCompression(int level) { compression_ = level; }

private:
    struct Font {
        QRawFont raw;                 // at 1000 pixels to the em: advances in thousandths
        std::string name;             // resource name, "F1"
        std::vector<bool> used;       // by glyph index
        std::vector<int> widths;      // thousandths of the em, as /W gives them; -1 unknown
        std::map<quint32, QString> text;  // each used glyph's characters, for the Unicode map
    };
    // A QFont as drawn: its embedded face, its size in page units, and whether the face
    // lacks the bold asked for.
    struct FontUse {
        Font* font = nullptr;
        qreal pixels = 0;
        bool syntheticBold = false;
        // A face whose tables cannot be embedded (Type 1, bitmaps): its glyphs go down as
        // filled outlines, at the size drawn.
        QRawFont outlines;
    };
    // What the content stream has set within the open block.
    struct Drawn {
        std::optional<QRgb> fill, stroke;
        qreal lineWidth = -1;
        int cap = -1, join = -1;
        qreal miter = -1;
        std::string dash;
        std::string alpha;
    };
    struct Glyph {
        quint32 index = 0;
        QPointF origin;  // baseline origin in the painter's coordinates
    };

    void write(const char* bytes, qsizetype n);
    void write(const std::string& s) { write(s.data(), static_cast<qsizetype>(s.size())); }
    // Starts object `id` (a new number when 0) and returns its number.
    int beginObject(int id = 0);
    void endObject();
    int writeStream(const std::string& dictionary, const QByteArray& data, bool compress);
    QSize pagePoints() const;
    void startPage();
    void finishPage();

    // Opens the q ... Q block the painter's clip and transform stand in, when they changed.
    void applyState();
    void closeBlock();
    void setFill(QRgb colour);
    void setStroke();
    // Fill and stroke alpha (0 to 255), before the painter's opacity.
    void setAlpha(int fill, int stroke);
    bool prepare(bool fill, bool stroke);
    bool hasPen() const { return pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush; }
    bool hasBrush() const { return brush_.style() != Qt::NoBrush; }
    void paint(bool fill, bool stroke, bool oddEven);
    void addPath(const QPainterPath& path);
    // ownOpacity: the picture's pixels already carry the painter's opacity.
    void drawPicture(const QRectF& target, const QImage& image, const QRectF& source, bool ownOpacity);

    FontUse fontFor(const QFont& font);
    FontUse fontUse(const QFont& font);
    Font* fontOf(const QRawFont& raw);
    int widthOf(Font& f, quint32 glyph);
    void noteGlyph(Font& f, quint32 glyph, const QString& text);
    void showGlyphs(const FontUse& use, QRgb ink, int alpha, const std::vector<Glyph>& glyphs);
    void fillOutlines(const FontUse& use, QRgb ink, int alpha, const std::vector<Glyph>& glyphs);
    void laidOutText(const QFont& font, QRgb ink, int alpha, const QString& text, QPointF origin);
    int writeFont(const Font& f, std::size_t n);

    void num(qreal v);
    void colourNum(int channel);
    void op(const char* s);

    QIODevice& out_;
    QSize size_;
    QString title_;
    int compression_ = 1;
    bool failed_ = false;
    qint64 offset_ = 0;
    std::vector<qint64> objects_;  // each object's offset by id - 1; 0 while not yet written
    std::vector<int> pages_;
    std::string content_;
    std::vector<char> packed_;  // compressed streams on their way out
    bool pageOpen_ = false;

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    bool stateDirty_ = true;
    bool blockOpen_ = false;
    std::optional<QPainterPath> clip_;  // in page units, as the open block has it
    QTransform blockTransform_;
    Drawn drawn_;
    qreal opacity_ = 1;
    bool smooth_ = false;

    std::vector<std::unique_ptr<Font>> fonts_;
    QHash<QString, FontUse> fontUses_;                          // by QFont::key()
    std::optional<QFont> lastFont_;
    std::vector<Glyph> runGlyphs_;
    FontUse lastUse_;
    std::map<std::tuple<qint64, qreal, qreal, qreal, qreal, bool>, std::string> images_;  // picture, part, smooth
    bool cff_ = false;  // a CFF face is embedded: the file needs PDF 1.6
    std::map<std::string, int> xobjects_;                      // resource name -> object
    std::map<std::string, std::string> alphas_;                // resource name -> dictionary
};

class PdfPaintDevice : public PageDevice {
public:
    // Pages of `pageSize` units of 1/96 inch, written to `out` as they end.
    PdfPaintDevice(QIODevice& out, QSize pageSize);
    ~PdfPaintDevice() override;

    QPaintEngine* paintEngine() const override { return engine_.get(); }
    void setTitle(const QString& title) { engine_->setTitle(title); }
    void setCompression(int level) { engine_->setCompression(level); }
    bool newPage() { return engine_->newPage(); }

private:
    std::unique_ptr<PdfPaintEngine> engine_;
};

}  // namespace brenmark
