#include "editor/render/pdf_paint_engine.h"

#include "editor/render/decimal_text.h"
#include "editor/render/pdf_font_subset.h"

#include <QIODevice>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QTextItem>
#include <QTextLayout>

#include <libdeflate.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>

namespace brenmark {
namespace {

// The page's own units are 1/96 inch, y downwards; PDF's are points, y upwards.
constexpr double kPointsPerUnit = 72.0 / 96.0;

// A number with at most `decimals` decimals (0 to 8), trailing zeros dropped, then a space.
void appendFixed(std::string& s, double v, int decimals)
{
    appendDecimal(s, v, decimals);
    s += ' ';
}

void appendHex4(std::string& s, unsigned v)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const char digits[4] = {kHex[(v >> 12) & 15], kHex[(v >> 8) & 15], kHex[(v >> 4) & 15], kHex[v & 15]};
    s.append(digits, 4);
}

// A text string for the document information: UTF-16BE with its byte order mark, in hex.
std::string textString(const QString& text)
{
    std::string s = "<FEFF";
    for (QChar c : text)
        appendHex4(s, c.unicode());
    s += '>';
    return s;
}

// A stream's bytes in zlib's format, as FlateDecode reads them: a view into `out`, which the
// writer keeps for the whole file so a page's worth is not mapped afresh for every page;
// empty when compression failed.
QByteArrayView deflated(const char* data, std::size_t size, int level, std::vector<char>& out)
{
    struct Free {
        void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
    };
    thread_local std::unique_ptr<libdeflate_compressor, Free> compressors[13];
    auto& compressor = compressors[std::clamp(level, 1, 12)];
    if (!compressor)
        compressor.reset(libdeflate_alloc_compressor(std::clamp(level, 1, 12)));
    if (!compressor)
        return {};
    out.resize(std::max(out.size(), libdeflate_zlib_compress_bound(compressor.get(), size)));
    const std::size_t length = libdeflate_zlib_compress(compressor.get(), data, size, out.data(), out.size());
    return QByteArrayView(out.data(), static_cast<qsizetype>(length));
}

quint16 be16(const QByteArray& table, int at)
{
    if (at + 2 > table.size())
        return 0;
    return static_cast<quint16>((static_cast<quint8>(table[at]) << 8) | static_cast<quint8>(table[at + 1]));
}

// The PostScript-safe part of a family name, for the font's /BaseFont.
std::string postScriptName(const QRawFont& raw, std::size_t n, const std::set<quint32>& glyphs)
{
    std::string name;
    for (QChar c : raw.familyName() + raw.styleName())
        if (c.unicode() < 128 && (c.isLetterOrNumber() || c == u'-'))
            name += static_cast<char>(c.unicode());
    if (name.empty())
        name = "Font" + std::to_string(n);
    // Six capitals before the name mark an embedded subset; they follow from the glyphs in it,
    // so tools that merge files do not take two different subsets for one.
    std::uint64_t hash = 1469598103934665603ull ^ n;
    for (quint32 g : glyphs)
        hash = (hash ^ g) * 1099511628211ull;
    std::string tag(6, 'A');
    for (char& c : tag) {
        c = static_cast<char>('A' + hash % 26);
        hash /= 26;
    }
    return tag + '+' + name;
}

// Whether a face's tables can go into the file: TrueType or CFF outlines behind a 'head'.
// Type 1 and bitmap faces have no such tables.
bool embeddable(const QRawFont& raw)
{
    return !raw.fontTable("head").isEmpty() && (!raw.fontTable("loca").isEmpty() || !raw.fontTable("CFF ").isEmpty());
}

// The UTF-16 units of the character at k: two for a surrogate pair, one for anything else
// (a lone surrogate included).
qsizetype unitsAt(const QString& text, qsizetype k)
{
    return text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate() ? 2 : 1;
}

}  // namespace

PdfPaintEngine::PdfPaintEngine(QIODevice& out, QSize pageSize)
    // What is not claimed here (gradients, patterns, blend modes) QPainter draws as pictures.
    : QPaintEngine(PrimitiveTransform | PixmapTransform | AlphaBlend | PainterPaths | Antialiasing | ConstantOpacity |
                   PaintOutsidePaintEvent),
      out_(out), size_(pageSize)
{
}

void PdfPaintEngine::write(const char* bytes, qsizetype n)
{
    if (failed_)
        return;
    if (out_.write(bytes, n) != n)
        failed_ = true;
    offset_ += n;
}

int PdfPaintEngine::beginObject(int id)
{
    if (id == 0) {
        objects_.push_back(0);
        id = static_cast<int>(objects_.size());
    }
    objects_[static_cast<std::size_t>(id - 1)] = offset_;
    std::string s;
    appendWhole(s, id);
    s += " 0 obj\n";
    write(s);
    return id;
}

void PdfPaintEngine::endObject()
{
    write("\nendobj\n", 8);
}

int PdfPaintEngine::writeStream(const std::string& dictionary, const QByteArray& data, bool compress)
{
    const QByteArrayView packed =
        compress ? deflated(data.constData(), static_cast<std::size_t>(data.size()), 6, packed_) : QByteArrayView(data);
    if (packed.isEmpty() && !data.isEmpty())
        failed_ = true;
    const int id = beginObject();
    std::string head = "<<" + dictionary;
    if (compress)
        head += " /Filter /FlateDecode";
    head += " /Length ";
    appendWhole(head, packed.size());
    head += ">>\nstream\n";
    write(head);
    write(packed.constData(), packed.size());
    write("\nendstream", 10);
    endObject();
    return id;
}

bool PdfPaintEngine::begin(QPaintDevice*)
{
    offset_ = 0;
    failed_ = false;
    objects_.assign(4, 0);  // catalogue, page tree, resources, information: written last
    pages_.clear();
    fonts_.clear();
    fontUses_.clear();
    lastFont_.reset();
    images_.clear();
    cff_ = false;
    opacity_ = 1;
    smooth_ = false;
    xobjects_.clear();
    alphas_.clear();
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n", 15);
    startPage();
    setActive(true);
    return !failed_;
}

void PdfPaintEngine::startPage()
{
    content_.clear();
    // Page units to points with y downwards, so everything below draws in the page's units.
    appendFixed(content_, kPointsPerUnit, 3);
    content_ += "0 0 ";
    appendFixed(content_, -kPointsPerUnit, 3);
    content_ += "0 ";
    appendWhole(content_, pagePoints().height());
    content_ += " cm\n";
    blockOpen_ = false;
    stateDirty_ = true;
    clip_.reset();
    blockTransform_ = QTransform();
}

QSize PdfPaintEngine::pagePoints() const
{
    // Paper comes in whole points, a size close to a standard paper's as that paper.
    return QPageSize(QSizeF(size_.width() * 25.4 / 96, size_.height() * 25.4 / 96), QPageSize::Millimeter).sizePoints();
}

void PdfPaintEngine::finishPage()
{
    closeBlock();
    const QByteArrayView packed = deflated(content_.data(), content_.size(), compression_, packed_);
    if (packed.isEmpty())
        failed_ = true;
    std::string head = "<</Filter /FlateDecode /Length ";
    appendWhole(head, packed.size());
    head += ">>\nstream\n";
    const int contents = beginObject();
    write(head);
    write(packed.constData(), packed.size());
    write("\nendstream", 10);
    endObject();
    const int page = beginObject();
    std::string s = "<</Type /Page /Parent 2 0 R /MediaBox [0 0 ";
    appendWhole(s, pagePoints().width());
    s += ' ';
    appendWhole(s, pagePoints().height());
    s += "] /Resources 3 0 R /Contents ";
    appendWhole(s, contents);
    s += " 0 R>>";
    write(s);
    endObject();
    pages_.push_back(page);
}

bool PdfPaintEngine::newPage()
{
    if (!isActive())
        return false;
    finishPage();
    startPage();
    return !failed_;
}

bool PdfPaintEngine::end()
{
    finishPage();
    std::string fonts, xobjects, states;
    for (std::size_t n = 0; n < fonts_.size(); ++n) {
        const int id = writeFont(*fonts_[n], n);
        fonts += '/' + fonts_[n]->name + ' ' + std::to_string(id) + " 0 R ";
    }
    for (const auto& [name, id] : xobjects_)
        xobjects += '/' + name + ' ' + std::to_string(id) + " 0 R ";
    for (const auto& [name, dictionary] : alphas_)
        states += '/' + name + ' ' + dictionary + ' ';
    beginObject(3);
    write("<</ProcSet [/PDF /Text /ImageB /ImageC] /Font <<" + fonts + ">> /XObject <<" + xobjects +
          ">> /ExtGState <<" + states + ">>>>");
    endObject();
    beginObject(2);
    std::string kids;
    for (int page : pages_)
        kids += std::to_string(page) + " 0 R ";
    write("<</Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) + ">>");
    endObject();
    beginObject(1);
    // OpenType font programs came with PDF 1.6; the catalogue raises the header's 1.4.
    write(std::string(cff_ ? "<</Type /Catalog /Version /1.6 /Pages 2 0 R>>" : "<</Type /Catalog /Pages 2 0 R>>"));
    endObject();
    beginObject(4);
    write("<</Title " + textString(title_) + " /Producer " + textString(QStringLiteral("Brenmark")) + ">>");
    endObject();

    const qint64 xref = offset_;
    std::string table = "xref\n0 " + std::to_string(objects_.size() + 1) + "\n0000000000 65535 f \n";
    for (qint64 at : objects_) {
        char line[21];
        std::snprintf(line, sizeof line, "%010lld 00000 n \n", static_cast<long long>(at));
        table.append(line, 20);
    }
    table += "trailer\n<</Size " + std::to_string(objects_.size() + 1) + " /Root 1 0 R /Info 4 0 R>>\nstartxref\n" +
             std::to_string(xref) + "\n%%EOF\n";
    write(table);
    // The file's buffers go with it; the engine may stay alive with its device.
    std::string().swap(content_);
    std::vector<char>().swap(packed_);
    setActive(false);
    return !failed_;
}

void PdfPaintEngine::updateState(const QPaintEngineState& s)
{
    const DirtyFlags flags = s.state();
    if (flags & DirtyPen)
        pen_ = s.pen();
    if (flags & DirtyBrush)
        brush_ = s.brush();
    if (flags & DirtyOpacity)
        opacity_ = std::clamp<qreal>(s.opacity(), 0, 1);
    if (flags & DirtyHints)
        smooth_ = s.renderHints() & QPainter::SmoothPixmapTransform;
    if (flags & DirtyTransform) {
        transform_ = s.transform();
        stateDirty_ = true;
    }
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
        stateDirty_ = true;
}

void PdfPaintEngine::closeBlock()
{
    // Q puts back the page's own state, where nothing is ever set: everything is drawn in a
    // block, so what the block set is forgotten with it.
    if (blockOpen_)
        content_ += "Q\n";
    blockOpen_ = false;
    drawn_ = Drawn{};
}

void PdfPaintEngine::applyState()
{
    if (!stateDirty_ && blockOpen_)
        return;
    stateDirty_ = false;
    // The clip is kept in page units; the transform is set after it, inside the same block.
    std::optional<QPainterPath> clip;
    if (QPainter* p = painter(); p && p->hasClipping())
        clip = transform_.map(p->clipPath());
    if (blockOpen_ && clip == clip_ && transform_ == blockTransform_)
        return;
    closeBlock();
    clip_ = clip;
    blockTransform_ = transform_;
    content_ += "q\n";
    blockOpen_ = true;
    if (clip) {
        addPath(*clip);
        content_ += clip->fillRule() == Qt::OddEvenFill ? "W* n\n" : "W n\n";
    }
    if (!transform_.isIdentity()) {
        // Scales as small as a picture's 1/24 need their digits: 0.042 would be 1 % off.
        for (qreal v : {transform_.m11(), transform_.m12(), transform_.m21(), transform_.m22()})
            appendFixed(content_, v, 8);
        appendFixed(content_, transform_.dx(), 4);
        appendFixed(content_, transform_.dy(), 4);
        content_ += "cm\n";
    }
}

void PdfPaintEngine::num(qreal v)
{
    appendFixed(content_, v, 2);
}

void PdfPaintEngine::colourNum(int channel)
{
    appendFixed(content_, channel / 255.0, 3);
}

void PdfPaintEngine::setFill(QRgb colour)
{
    colour |= 0xFF000000u;
    if (drawn_.fill == colour)
        return;
    drawn_.fill = colour;
    colourNum(qRed(colour));
    colourNum(qGreen(colour));
    colourNum(qBlue(colour));
    content_ += "rg\n";
}

void PdfPaintEngine::setAlpha(int fill, int stroke)
{
    fill = static_cast<int>(std::lround(fill * opacity_));
    stroke = static_cast<int>(std::lround(stroke * opacity_));
    std::string name;
    if (fill < 255 || stroke < 255)
        name = "GA" + std::to_string(fill) + '_' + std::to_string(stroke);
    else if (!drawn_.alpha.empty())
        name = "GA255_255";
    if (name.empty() || name == drawn_.alpha)
        return;
    if (!alphas_.count(name)) {
        std::string d = "<</ca ";
        appendFixed(d, fill / 255.0, 3);
        d += "/CA ";
        appendFixed(d, stroke / 255.0, 3);
        alphas_[name] = d + ">>";
    }
    drawn_.alpha = name;
    content_ += '/' + name + " gs\n";
}

void PdfPaintEngine::setStroke()
{
    const QColor colour = pen_.color();
    const QRgb rgb = colour.rgb() | 0xFF000000u;
    if (drawn_.stroke != rgb) {
        drawn_.stroke = rgb;
        colourNum(qRed(rgb));
        colourNum(qGreen(rgb));
        colourNum(qBlue(rgb));
        content_ += "RG\n";
    }
    qreal width = pen_.widthF();
    if (pen_.isCosmetic()) {
        // A cosmetic pen keeps its width in page units whatever the transform.
        const qreal scale = std::sqrt(std::abs(transform_.determinant()));
        width = std::max<qreal>(width, 1) / (scale > 0 ? scale : 1);
    }
    if (width != drawn_.lineWidth) {
        drawn_.lineWidth = width;
        appendFixed(content_, width, 6);
        content_ += "w\n";
    }
    const int cap = pen_.capStyle() == Qt::RoundCap ? 1 : pen_.capStyle() == Qt::SquareCap ? 2 : 0;
    if (cap != drawn_.cap) {
        drawn_.cap = cap;
        appendWhole(content_, cap);
        content_ += " J\n";
    }
    const int join = pen_.joinStyle() == Qt::RoundJoin ? 1 : pen_.joinStyle() == Qt::BevelJoin ? 2 : 0;
    if (join != drawn_.join) {
        drawn_.join = join;
        appendWhole(content_, join);
        content_ += " j\n";
    }
    // Qt measures the miter limit from the join point, PDF along the whole miter: twice as long.
    if (const qreal miter = std::max<qreal>(1, 2 * pen_.miterLimit()); join == 0 && miter != drawn_.miter) {
        drawn_.miter = miter;
        appendFixed(content_, miter, 3);
        content_ += "M\n";
    }
    // An empty dash is a block's solid line.
    std::string dash;
    if (pen_.style() != Qt::SolidLine) {
        dash = "[";
        const qreal unit = width > 0 ? width : 1;
        for (qreal v : pen_.dashPattern())
            appendFixed(dash, v * unit, 3);
        dash += "] ";
        appendFixed(dash, pen_.dashOffset() * unit, 3);
        dash += "d\n";
    }
    if (dash != drawn_.dash) {
        content_ += dash.empty() ? std::string("[] 0 d\n") : dash;
        drawn_.dash = dash;
    }
}

// Sets what the next path operator fills and strokes with; false when it would draw nothing.
bool PdfPaintEngine::prepare(bool fill, bool stroke)
{
    if (!fill && !stroke)
        return false;
    applyState();
    if (fill)
        setFill(brush_.color().rgb());
    if (stroke)
        setStroke();
    setAlpha(fill ? brush_.color().alpha() : 255, stroke ? pen_.color().alpha() : 255);
    return true;
}

void PdfPaintEngine::paint(bool fill, bool stroke, bool oddEven)
{
    if (fill && stroke)
        content_ += oddEven ? "B*\n" : "B\n";
    else if (fill)
        content_ += oddEven ? "f*\n" : "f\n";
    else
        content_ += "S\n";
}

void PdfPaintEngine::addPath(const QPainterPath& path)
{
    for (int k = 0; k < path.elementCount(); ++k) {
        const QPainterPath::Element e = path.elementAt(k);
        num(e.x);
        num(e.y);
        if (e.type == QPainterPath::MoveToElement) {
            content_ += "m\n";
        } else if (e.type == QPainterPath::LineToElement) {
            content_ += "l\n";
        } else if (e.type == QPainterPath::CurveToElement && k + 2 < path.elementCount()) {
            for (int d = 1; d <= 2; ++d) {
                num(path.elementAt(k + d).x);
                num(path.elementAt(k + d).y);
            }
            content_ += "c\n";
            k += 2;
        } else {
            content_ += "l\n";
        }
    }
}

void PdfPaintEngine::drawRects(const QRectF* rects, int count)
{
    const bool fill = hasBrush(), stroke = hasPen();
    if (!prepare(fill, stroke))
        return;
    for (int k = 0; k < count; ++k) {
        num(rects[k].x());
        num(rects[k].y());
        num(rects[k].width());
        num(rects[k].height());
        content_ += "re\n";
    }
    paint(fill, stroke, false);
}

void PdfPaintEngine::drawLines(const QLineF* lines, int count)
{
    if (!prepare(false, hasPen()))
        return;
    for (int k = 0; k < count; ++k) {
        num(lines[k].x1());
        num(lines[k].y1());
        content_ += "m ";
        num(lines[k].x2());
        num(lines[k].y2());
        content_ += "l\n";
    }
    content_ += "S\n";
}

void PdfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    const bool fill = mode != PolylineMode && hasBrush(), stroke = hasPen();
    if (count < 2 || !prepare(fill, stroke))
        return;
    for (int k = 0; k < count; ++k) {
        num(points[k].x());
        num(points[k].y());
        content_ += k == 0 ? "m\n" : "l\n";
    }
    if (mode != PolylineMode)
        content_ += "h\n";
    paint(fill, stroke, mode == OddEvenMode);
}

void PdfPaintEngine::drawPath(const QPainterPath& path)
{
    const bool fill = hasBrush(), stroke = hasPen();
    if (path.isEmpty() || !prepare(fill, stroke))
        return;
    addPath(path);
    paint(fill, stroke, path.fillRule() == Qt::OddEvenFill);
}

void PdfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    drawPicture(target, pictureOfPixmap(pixmap, pen_.color()), source, false);
}

void PdfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags flags)
{
    drawPicture(target, image, source, paintedByPainter(flags));
}

void PdfPaintEngine::drawPicture(const QRectF& target, const QImage& image, const QRectF& source, bool ownOpacity)
{
    if (image.isNull() || target.isEmpty())
        return;
    applyState();
    // Each picture (and part of one) becomes one image object, however often it is drawn.
    const auto key = std::make_tuple(image.cacheKey(), source.x(), source.y(), source.width(), source.height(), smooth_);
    auto known = images_.find(key);
    if (known == images_.end()) {
        const QRect part = source.toAlignedRect() & image.rect();
        if (part.isEmpty())
            return;
        const QImage piece = part == image.rect() ? image : image.copy(part);
        const QImage rgb = piece.convertToFormat(QImage::Format_RGB888);
        QByteArray pixels;
        pixels.reserve(static_cast<qsizetype>(rgb.width()) * rgb.height() * 3);
        for (int y = 0; y < rgb.height(); ++y)
            pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
        // Without smooth scaling asked for, readers keep a chart picture's cells sharp.
        std::string size = " /Width " + std::to_string(rgb.width()) + " /Height " + std::to_string(rgb.height()) +
                           " /BitsPerComponent 8" + (smooth_ ? " /Interpolate true" : "");
        std::string mask;
        if (piece.hasAlphaChannel()) {
            const QImage alpha = piece.convertToFormat(QImage::Format_Alpha8);
            QByteArray coverage;
            bool opaque = true;
            for (int y = 0; y < alpha.height(); ++y) {
                const auto* row = reinterpret_cast<const char*>(alpha.constScanLine(y));
                coverage.append(row, alpha.width());
                opaque = opaque && std::all_of(row, row + alpha.width(), [](char c) { return static_cast<uchar>(c) == 255; });
            }
            if (!opaque)
                mask = " /SMask " +
                       std::to_string(writeStream("/Type /XObject /Subtype /Image /ColorSpace /DeviceGray" + size,
                                                  coverage, true)) +
                       " 0 R";
        }
        const int id = writeStream("/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB" + size + mask, pixels, true);
        const std::string name = "Im" + std::to_string(xobjects_.size() + 1);
        xobjects_[name] = id;
        known = images_.emplace(key, name).first;
    }
    // The picture's own mask, under the painter's opacity unless QPainter put that in already.
    if (ownOpacity) {
        const qreal opacity = opacity_;
        opacity_ = 1;
        setAlpha(255, 255);
        opacity_ = opacity;
    } else {
        setAlpha(255, 255);
    }
    // The image's unit square, its first row at the top of the target.
    content_ += "q ";
    num(target.width());
    content_ += "0 0 ";
    num(-target.height());
    num(target.x());
    num(target.y() + target.height());
    content_ += "cm /" + known->second + " Do Q\n";
}

PdfPaintEngine::FontUse PdfPaintEngine::fontFor(const QFont& font)
{
    // A chart draws row after row in one font: that one is known without working out its key.
    if (lastFont_ && *lastFont_ == font)
        return lastUse_;
    lastFont_ = font;
    lastUse_ = fontUse(font);
    return lastUse_;
}

PdfPaintEngine::FontUse PdfPaintEngine::fontUse(const QFont& font)
{
    const QString key = font.key();
    if (auto known = fontUses_.find(key); known != fontUses_.end())
        return known.value();
    QRawFont raw = QRawFont::fromFont(font);
    qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    FontUse use{nullptr, pixels, false, {}};
    if (raw.isValid() && !embeddable(raw)) {
        raw.setPixelSize(pixels);
        use.outlines = raw;
    } else if (raw.isValid()) {
        use.font = fontOf(raw);
        // A face without its own bold is drawn bold by stroking the outline as well.
        const QByteArray os2 = raw.fontTable("OS/2");
        const int faceWeight = be16(os2, 4) ? be16(os2, 4) : 400;
        use.syntheticBold = font.weight() >= QFont::DemiBold && faceWeight < 600;
    }
    fontUses_.emplace(key, use);
    return use;
}

PdfPaintEngine::Font* PdfPaintEngine::fontOf(const QRawFont& raw)
{
    for (auto& f : fonts_)
        if (f->raw.familyName() == raw.familyName() && f->raw.styleName() == raw.styleName() &&
            f->raw.style() == raw.style() && f->raw.fontTable("head") == raw.fontTable("head"))
            return f.get();
    auto f = std::make_unique<Font>();
    f->raw = raw;
    f->raw.setPixelSize(1000);
    f->name = "F" + std::to_string(fonts_.size() + 1);
    fonts_.push_back(std::move(f));
    return fonts_.back().get();
}

int PdfPaintEngine::widthOf(Font& f, quint32 glyph)
{
    if (glyph >= f.widths.size())
        f.widths.resize(glyph + 1, -1);
    int& w = f.widths[glyph];
    if (w < 0) {
        const QList<QPointF> advance = f.raw.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics);
        w = advance.isEmpty() ? 0 : static_cast<int>(std::lround(advance.front().x()));
    }
    return w;
}

void PdfPaintEngine::noteGlyph(Font& f, quint32 glyph, const QString& text)
{
    if (glyph >= f.used.size())
        f.used.resize(glyph + 1, false);
    if (!f.used[glyph]) {
        f.used[glyph] = true;
        f.text.emplace(glyph, text);
    }
}

void PdfPaintEngine::showGlyphs(const FontUse& use, QRgb ink, int alpha, const std::vector<Glyph>& glyphs)
{
    if (glyphs.empty())
        return;
    if (!use.font) {
        fillOutlines(use, ink, alpha, glyphs);
        return;
    }
    Font& f = *use.font;
    applyState();
    const qreal size = use.pixels;
    // Synthetic bold strokes the outlines too, with a plain solid pen of its own inside a
    // block of its own; what the block around it had set comes back with Q.
    const Drawn before = drawn_;
    if (use.syntheticBold) {
        content_ += "q 2 Tr [] 0 d 0 J 1 j ";
        appendFixed(content_, size / 30, 3);
        content_ += "w ";
        colourNum(qRed(ink));
        colourNum(qGreen(ink));
        colourNum(qBlue(ink));
        content_ += "RG\n";
        drawn_.stroke = ink | 0xFF000000u;
    }
    setFill(ink);
    setAlpha(alpha, use.syntheticBold ? alpha : 255);
    content_ += "BT /" + f.name + ' ';
    appendFixed(content_, size, 3);
    content_ += "Tf\n";
    // Each glyph where it was asked for: a new line where the baseline changes, otherwise an
    // adjustment wherever the glyph's own advance would not bring the next one to its place.
    qreal cursor = 0, line = 0;
    bool inString = false, first = true;
    for (const Glyph& g : glyphs) {
        if (first || std::abs(g.origin.y() - line) > 1e-6) {
            if (!first)
                content_ += inString ? ">] TJ\n" : "] TJ\n";
            content_ += "1 0 0 -1 ";
            num(g.origin.x());
            num(g.origin.y());
            content_ += "Tm [<";
            inString = true;
            cursor = g.origin.x();
            line = g.origin.y();
            first = false;
        } else {
            const double wanted = (cursor - g.origin.x()) * 1000 / size;
            const long long adjust = static_cast<long long>(wanted >= 0 ? wanted + 0.5 : wanted - 0.5);
            if (adjust != 0) {
                content_ += inString ? ">" : "";
                appendWhole(content_, adjust);
                content_ += '<';
                inString = true;
                cursor -= static_cast<qreal>(adjust) * size / 1000;
            }
        }
        appendHex4(content_, g.index);
        cursor += widthOf(f, g.index) * size / 1000;
    }
    content_ += inString ? ">] TJ ET\n" : "] TJ ET\n";
    if (use.syntheticBold) {
        content_ += "Q\n";
        drawn_ = before;
    }
}

void PdfPaintEngine::fillOutlines(const FontUse& use, QRgb ink, int alpha, const std::vector<Glyph>& glyphs)
{
    // A face that cannot be embedded is drawn as its glyphs' outlines: the page looks right,
    // though a reader cannot pick that text out.
    if (!use.outlines.isValid())
        return;
    applyState();
    setFill(ink);
    setAlpha(alpha, 255);
    for (const Glyph& g : glyphs)
        addPath(use.outlines.pathForGlyph(g.index).translated(g.origin));
    content_ += "f\n";
}

void PdfPaintEngine::laidOutText(const QFont& font, QRgb ink, int alpha, const QString& text, QPointF origin)
{
    // Text the font cannot show on its own: laid out by Qt with its fallback faces, each
    // character on its own so every glyph knows the characters it stands for.
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    layout.endLayout();
    if (!textLine.isValid())
        return;
    const QPointF shift = origin - QPointF(0, textLine.ascent());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const qsizetype length = unitsAt(text, k);
        const QString chars = text.mid(k, length);
        for (const QGlyphRun& run : layout.glyphRuns(static_cast<int>(k), static_cast<int>(length))) {
            const QRawFont raw = run.rawFont();
            if (!raw.isValid())
                continue;
            FontUse use{nullptr, raw.pixelSize(), false, {}};
            if (embeddable(raw))
                use.font = fontOf(raw);
            else
                use.outlines = raw;
            std::vector<Glyph> glyphs;
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype j = 0; j < indexes.size(); ++j) {
                if (use.font)
                    noteGlyph(*use.font, indexes[j], chars);
                glyphs.push_back(Glyph{indexes[j], shift + positions[j]});
            }
            showGlyphs(use, ink, alpha, glyphs);
        }
        k += length - 1;
    }
}

void PdfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty() || !hasPen())
        return;
    const QColor colour = pen_.color();
    const FontUse use = fontFor(textItem.font());
    if (!use.font && !use.outlines.isValid())
        return;
    const QRawFont& face = use.font ? use.font->raw : use.outlines;
    const QList<quint32> indexes = face.glyphIndexesForString(text);
    if (indexes.contains(0u)) {
        laidOutText(textItem.font(), colour.rgb(), colour.alpha(), text, p);
        return;
    }
    // One glyph per character (a surrogate pair is one character), advanced as the font
    // says and stretched to the width the painter laid the text out at.
    std::vector<Glyph> glyphs;
    glyphs.reserve(static_cast<std::size_t>(indexes.size()));
    qreal advance = 0;
    qsizetype k = 0;
    for (quint32 glyph : indexes) {
        if (k >= text.size())
            break;
        const qsizetype length = unitsAt(text, k);
        glyphs.push_back(Glyph{glyph, QPointF(advance, 0)});
        if (use.font) {
            noteGlyph(*use.font, glyph, text.mid(k, length));
            advance += widthOf(*use.font, glyph) * use.pixels / 1000;
        } else {
            advance += face.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics).value(0).x();
        }
        k += length;
    }
    const qreal stretch = advance > 0 && textItem.width() > 0 ? textItem.width() / advance : 1;
    for (Glyph& g : glyphs)
        g.origin = p + QPointF(g.origin.x() * stretch, 0);
    showGlyphs(use, colour.rgb(), colour.alpha(), glyphs);
}

void PdfPaintEngine::drawTextRun(const QFont& font, QRgb ink, const QString& text, const QPointF* origins)
{
    if (text.isEmpty())
        return;
    const FontUse use = fontFor(font);
    if (!use.font && !use.outlines.isValid())
        return;
    const QList<quint32> indexes = (use.font ? use.font->raw : use.outlines).glyphIndexesForString(text);
    std::vector<Glyph>& glyphs = runGlyphs_;  // kept from run to run with its storage
    glyphs.clear();
    qsizetype k = 0;
    for (quint32 glyph : indexes) {
        if (k >= text.size())
            break;
        const qsizetype length = unitsAt(text, k);
        if (glyph == 0) {
            laidOutText(font, ink, 255, text.mid(k, length), origins[k]);
        } else {
            if (use.font && (glyph >= use.font->used.size() || !use.font->used[glyph]))
                noteGlyph(*use.font, glyph, text.mid(k, length));
            glyphs.push_back(Glyph{glyph, origins[k]});
        }
        k += length;
    }
    showGlyphs(use, ink, 255, glyphs);
}

int PdfPaintEngine::writeFont(const Font& f, std::size_t n)
{
    std::set<quint32> used;
    for (const auto& [glyph, text] : f.text)
        used.insert(glyph);
    const FontProgram program = subsetFontProgram(f.raw, used);
    // A face that could not be cut would leave its glyphs to whatever the reader has: the
    // file would show the wrong text, so it is a failure.
    if (program.data.isEmpty())
        failed_ = true;
    cff_ = cff_ || program.cff;
    const std::string base = postScriptName(f.raw, n, used);

    const QByteArray head = f.raw.fontTable("head");
    const qreal unitsPerEm = be16(head, 18) ? be16(head, 18) : 1000;
    auto toThousandths = [&](int at) { return std::lround(static_cast<qint16>(be16(head, at)) * 1000 / unitsPerEm); };
    int file = 0;
    if (!program.data.isEmpty()) {
        const QByteArrayView packed =
            deflated(program.data.constData(), static_cast<std::size_t>(program.data.size()), 6, packed_);
        if (packed.isEmpty())
            failed_ = true;
        file = beginObject();
        std::string d = program.cff ? "<</Subtype /OpenType" : "<</Length1 " + std::to_string(program.data.size());
        d += " /Filter /FlateDecode /Length " + std::to_string(packed.size()) + ">>\nstream\n";
        write(d);
        write(packed.constData(), packed.size());
        write("\nendstream", 10);
        endObject();
    }
    const int descriptor = beginObject();
    std::string d = "<</Type /FontDescriptor /FontName /" + base + " /Flags 4 /FontBBox [";
    for (int at : {36, 38, 40, 42})
        appendWhole(d, toThousandths(at)), d += ' ';
    d += "] /ItalicAngle 0 /Ascent " + std::to_string(std::lround(f.raw.ascent())) + " /Descent " +
         std::to_string(-std::lround(f.raw.descent())) + " /CapHeight " + std::to_string(std::lround(f.raw.ascent())) +
         " /StemV 80";
    if (file)
        d += std::string(program.cff ? " /FontFile3 " : " /FontFile2 ") + std::to_string(file) + " 0 R";
    write(d + ">>");
    endObject();

    // The glyphs' widths, runs of consecutive glyphs together.
    std::string widths = "[";
    for (auto it = used.begin(); it != used.end();) {
        appendWhole(widths, *it);
        widths += " [";
        quint32 next = *it;
        for (; it != used.end() && *it == next; ++it, ++next) {
            const int w = *it < f.widths.size() && f.widths[*it] >= 0 ? f.widths[*it] : 0;
            appendWhole(widths, w);
            widths += ' ';
        }
        widths += "] ";
    }
    widths += ']';
    const int cidFont = beginObject();
    write("<</Type /Font /Subtype /" + std::string(program.cff ? "CIDFontType0" : "CIDFontType2") + " /BaseFont /" +
          base + " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) /Supplement 0>> /FontDescriptor " +
          std::to_string(descriptor) + " 0 R" + (program.cff ? "" : " /CIDToGIDMap /Identity") + " /DW 1000 /W " +
          widths + ">>");
    endObject();

    // Which characters each glyph stands for, so readers can copy and search the text.
    std::string cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n/CIDSystemInfo <</Registry (Adobe) "
        "/Ordering (UCS) /Supplement 0>> def\n/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<quint32, QString>> mapped(f.text.begin(), f.text.end());
    for (std::size_t at = 0; at < mapped.size(); at += 100) {
        const std::size_t count = std::min<std::size_t>(100, mapped.size() - at);
        cmap += std::to_string(count) + " beginbfchar\n";
        for (std::size_t k = at; k < at + count; ++k) {
            cmap += '<';
            appendHex4(cmap, mapped[k].first);
            cmap += "> <";
            for (QChar c : mapped[k].second)
                appendHex4(cmap, c.unicode());
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    const int toUnicode = writeStream("", QByteArray(cmap.data(), static_cast<qsizetype>(cmap.size())), true);

    const int font = beginObject();
    write("<</Type /Font /Subtype /Type0 /BaseFont /" + base + " /Encoding /Identity-H /DescendantFonts [" +
          std::to_string(cidFont) + " 0 R] /ToUnicode " + std::to_string(toUnicode) + " 0 R>>");
    endObject();
    return font;
}

PdfPaintDevice::PdfPaintDevice(QIODevice& out, QSize pageSize)
    : PageDevice(pageSize), engine_(std::make_unique<PdfPaintEngine>(out, pageSize))
{
}

PdfPaintDevice::~PdfPaintDevice() = default;


}  // namespace brenmark
