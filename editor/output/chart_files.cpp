#include "editor/output/chart_files.h"

#include "editor/output/png_writer.h"

#include "editor/document/output_room.h"
#include "editor/render/chart_export.h"
#include "editor/render/emf_writer.h"
#include "editor/render/pdf_paint_engine.h"
#include "editor/render/replacement_device.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/svg_paint_engine.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace brenmark {

namespace {

// The raster painter draws nothing past this coordinate.
constexpr int kMaxCanvasSide = 32767;
constexpr std::int64_t kMaxCanvasBytes = std::numeric_limits<std::int32_t>::max();
// The information header and pixels go in one write up to this size, in row blocks above it.
constexpr std::int64_t kOneWriteLimit = 16 << 20;

std::string withPath(const char* text, const QString& path)
{
    std::string s = uiText(text);
    const auto at = s.find("%s");
    if (at != std::string::npos)
        s.replace(at, 2, toGbk(QDir::toNativeSeparators(path)));
    return s;
}

void fail(ExportError* error, const char* text, const QString& path, const char* title = kTitleWarning)
{
    if (error)
        *error = ExportError{withPath(text, path), title};
}

// Every export makes the missing folders of its target first, so a file under a new folder
// is written however it is exported; false (with kTextCannotMakeFolder) when they cannot be.
// The folders go again when made keeps nothing.
bool makeTargetFolder(const QString& path, ExportError* error, MadeFolders& made)
{
    if (made.make(parentFolderBytes(fileNameBytes(path))))
        return true;
    fail(error, kTextCannotMakeFolder, QFileInfo(path).absolutePath());
    return false;
}

// "无法写入文件:<path>" and why, when the system said.
void failWrite(ExportError* error, const QString& path, const std::string& reason)
{
    fail(error, kTextCannotWrite, path);
    if (error && !reason.empty())
        error->text += "(" + reason + ")";
}

// A stopped export: nothing written, and the user is told so.
void failCancelled(ExportError* error)
{
    if (error)
        *error = ExportError{kTextExportCancelled, kTitleInfo};
}

bool refuseWithoutRoom(ExportError* error, const QString& target, std::uint64_t needed, int pages = -1)
{
    const std::optional<NoRoom> room = checkRoom(fileNameBytes(target), needed);
    if (!room)
        return false;
    if (error)
        *error = ExportError{noRoomText(pages < 0 ? kTextNoRoom : kTextNoRoomPages, *room, pages), kTitleWarning};
    return true;
}

std::function<bool()> cancelOf(ProgressReport* progress)
{
    if (!progress)
        return {};
    return [progress] { return progress->cancelled(); };
}

// Counts what a writer writes and keeps none of it: the size of a file without the file.
class ByteCounter final : public QIODevice {
public:
    ByteCounter() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    std::uint64_t bytes() const { return bytes_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        bytes_ += static_cast<std::uint64_t>(size);
        return size;
    }

private:
    std::uint64_t bytes_ = 0;
};

void putLe16(QByteArray& b, int at, std::uint32_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void putLe32(QByteArray& b, int at, std::uint32_t v)
{
    putLe16(b, at, v & 0xFFFF);
    putLe16(b, at + 2, v >> 16);
}

std::uint32_t bmpImageBytes(QSize size)
{
    return static_cast<std::uint32_t>(bmpRowBytes(size.width()) * size.height());
}

// One row of a 32-bit picture as BMP pixels: blue, green, red, padded with zeros.
void bmpRow(const QImage& image, int y, char* out, std::int64_t rowBytes)
{
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    char* o = out;
    const int width = image.width();  // read once: the stores below might alias the picture
    for (int x = 0; x < width; ++x) {
        const QRgb v = in[x];
        *o++ = static_cast<char>(qBlue(v));
        *o++ = static_cast<char>(qGreen(v));
        *o++ = static_cast<char>(qRed(v));
    }
    std::fill(o, out + rowBytes, '\0');
}

bool writeAll(QIODevice& device, const char* data, std::int64_t size)
{
    return device.write(data, size) == size;
}

QImage::Format canvasFormat() { return QImage::Format_RGB32; }

}  // namespace

QString extensionOf(ChartFormat format)
{
    return QString::fromLatin1(chartFormatInfo(format).extension);
}

QString withExtension(const QString& chosen, const QString& extension)
{
    const qsizetype slash = std::max(chosen.lastIndexOf(u'/'), chosen.lastIndexOf(u'\\'));
    const qsizetype dot = chosen.indexOf(u'.', slash + 1);
    return (dot < 0 ? chosen : chosen.left(dot)) + extension;
}

bool jpegWriterAvailable()
{
    return QImageWriter::supportedImageFormats().contains("jpeg");
}

ChartFormat writableFormat(ChartFormat wanted, bool jpegWriter)
{
    return wanted == ChartFormat::Jpeg && !jpegWriter ? ChartFormat::Bmp : wanted;
}

QString picturePath(const QString& chosen, ChartFormat wanted, bool jpegWriter)
{
    return withExtension(chosen, extensionOf(writableFormat(wanted, jpegWriter)));
}

bool canvasFits(QSize size)
{
    if (size.width() <= 0 || size.height() <= 0 || size.width() > kMaxCanvasSide || size.height() > kMaxCanvasSide)
        return false;
    return std::int64_t{size.width()} * size.height() * 4 <= kMaxCanvasBytes;
}

std::optional<QImage> makeCanvas(QSize size, ExportError* error)
{
    if (canvasFits(size)) {
        QImage canvas(size, canvasFormat());
        if (!canvas.isNull()) {
            canvas.fill(Qt::white);
            return canvas;
        }
    }
    if (error)
        *error = ExportError{kTextCanvasTooLarge, kTitleWarning};
    return std::nullopt;
}

// ---- BMP ----

std::int64_t bmpRowBytes(int width)
{
    return (std::int64_t{24} * width + 31) / 32 * 4;
}

QByteArray bmpFileHeader(QSize size)
{
    QByteArray h(14, '\0');
    h[0] = 'B';
    h[1] = 'M';
    putLe32(h, 2, 14 + 40 + bmpImageBytes(size));  // no palette at 24 bits
    putLe32(h, 10, 14 + 40);
    return h;
}

QByteArray bmpInfoHeader(QSize size, int dotsPerMetreX, int dotsPerMetreY)
{
    QByteArray h(40, '\0');
    putLe32(h, 0, 40);
    putLe32(h, 4, static_cast<std::uint32_t>(size.width()));
    putLe32(h, 8, static_cast<std::uint32_t>(size.height()));  // positive: bottom-up rows
    putLe16(h, 12, 1);                                           // planes
    putLe16(h, 14, 24);                                          // bits per pixel
    putLe32(h, 16, 0);                                           // no compression
    putLe32(h, 20, bmpImageBytes(size));
    putLe32(h, 24, static_cast<std::uint32_t>(std::max(0, dotsPerMetreX)));  // the resolution
    putLe32(h, 28, static_cast<std::uint32_t>(std::max(0, dotsPerMetreY)));
    return h;
}

bool writeBmp(const QImage& picture, QIODevice& device)
{
    if (picture.isNull() || !canvasFits(picture.size()))
        return false;
    const QImage image = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    const QSize size = image.size();
    const std::int64_t rowBytes = bmpRowBytes(size.width());
    const std::int64_t pixels = rowBytes * size.height();
    const QByteArray fileHeader = bmpFileHeader(size);
    if (!writeAll(device, fileHeader.constData(), fileHeader.size()))
        return false;
    const QByteArray info = bmpInfoHeader(size, image.dotsPerMeterX(), image.dotsPerMeterY());
    if (40 + pixels <= kOneWriteLimit) {
        // The information header and the pixels in the second write.
        QByteArray rest(static_cast<qsizetype>(40 + pixels), '\0');
        std::copy(info.begin(), info.end(), rest.begin());
        for (int y = 0; y < size.height(); ++y)
            bmpRow(image, size.height() - 1 - y, rest.data() + 40 + y * rowBytes, rowBytes);
        return writeAll(device, rest.constData(), rest.size());
    }
    // A big picture: the same bytes in blocks of rows, so memory stays near the canvas.
    if (!writeAll(device, info.constData(), info.size()))
        return false;
    const int rowsPerBlock = static_cast<int>(std::max<std::int64_t>(1, (4 << 20) / rowBytes));
    QByteArray block(static_cast<qsizetype>(rowsPerBlock * rowBytes), '\0');
    for (int y = 0; y < size.height(); y += rowsPerBlock) {
        const int rows = std::min(rowsPerBlock, size.height() - y);
        for (int i = 0; i < rows; ++i)
            bmpRow(image, size.height() - 1 - (y + i), block.data() + i * rowBytes, rowBytes);
        if (!writeAll(device, block.constData(), rows * rowBytes))
            return false;
    }
    return true;
}

namespace {

bool encodePicture(const QImage& image, QIODevice& device, ChartFormat format)
{
    if (format == ChartFormat::Bmp)
        return writeBmp(image, device);
    if (format == ChartFormat::Png)
        return writePng(image, device);
    QImageWriter writer(&device, "jpeg");
    writer.setQuality(80);
    return writer.write(image);
}

// The picture written, without the room check (a page set checks for all its pages).
bool writePicture(const QImage& image, const QString& path, ChartFormat format, ExportError* error,
                  ProgressReport* progress)
{
    MadeFolders made;
    if (!makeTargetFolder(path, error, made))
        return false;
    ReplacementDevice file(path);
    file.setCancel(cancelOf(progress));
    const bool ok = file.begin() && encodePicture(image, file, format);
    if (!ok || !file.commit()) {
        if (file.cancelled())
            failCancelled(error);
        else
            failWrite(error, path, file.failure());
        return false;
    }
    made.keep();
    return true;
}

}  // namespace

std::uint64_t estimatePictureBytes(const QImage& image, ChartFormat format)
{
    const int h = image.height();
    if (format == ChartFormat::Bmp)
        return 54 + static_cast<std::uint64_t>(bmpRowBytes(image.width())) * static_cast<std::uint64_t>(std::max(h, 0));
    // Sixteen bands of rows spread from the top to the foot: the blank margins and the dense
    // chart between them are both in the sample, as they are in the picture.
    constexpr int kBand = 64, kBands = 16;
    if (h <= kBands * kBand) {
        ByteCounter counter;
        encodePicture(image, counter, format);
        return counter.bytes();
    }
    std::uint64_t sampled = 0;
    for (int i = 0; i < kBands; ++i) {
        const int top = static_cast<int>(static_cast<std::int64_t>(h - kBand) * i / (kBands - 1));
        ByteCounter counter;
        encodePicture(image.copy(0, top, image.width(), kBand), counter, format);
        sampled += counter.bytes();
    }
    return sampled * static_cast<std::uint64_t>(h) / (kBands * kBand);
}

bool savePicture(const QImage& image, const QString& path, ChartFormat format, ExportError* error,
                 ProgressReport* progress)
{
    if (refuseWithoutRoom(error, path, estimatePictureBytes(image, format)))
        return false;
    return writePicture(image, path, format, error, progress);
}

bool convertToJpeg(const QString& bmpPath, const QString& jpegPath)
{
    QImageReader reader(bmpPath, "bmp");
    reader.setAllocationLimit(0);  // the canvas was within our own limit when it was made
    const QImage image = reader.read();
    return !image.isNull() && savePicture(image, jpegPath, ChartFormat::Jpeg, nullptr);
}

// ---- Vector pages ----

namespace {

// An SVG or PDF page into a device; false when the painter could not draw it.
bool paintVector(QIODevice& device, QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw,
                 const QString& title)
{
    bool painted = false;
    if (format == ChartFormat::Svg) {
        SvgPaintDevice svg(&device, size, title.isEmpty() ? u"Velmora"_qs : title);
        QPainter p;
        if ((painted = p.begin(&svg))) {
            draw(p);
            painted = p.end();
        }
    } else {
        PdfPaintDevice pdf(device, size);
        pdf.setTitle(title.isEmpty() ? u"Velmora"_qs : title);
        QPainter p;
        if ((painted = p.begin(&pdf))) {
            draw(p);
            painted = p.end();
        }
    }
    return painted;
}

bool writeVector(const QString& path, QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw,
                 ExportError* error, const QString& title, const std::function<bool()>& cancel)
{
    MadeFolders made;
    if (!makeTargetFolder(path, error, made))
        return false;
    if (format == ChartFormat::Emf) {
        QString why;
        if (!writeEmf(path, size, draw, &why)) {
            const qsizetype at = why.lastIndexOf(u": "_qs);
            failWrite(error, path, at < 0 ? std::string() : toGbk(why.mid(at + 2)));
            return false;
        }
        made.keep();
        return true;
    }
    ReplacementDevice file(path);
    if (!file.begin()) {
        failWrite(error, path, file.failure());
        return false;
    }
    file.setCancel(cancel);
    if (!paintVector(file, size, format, draw, title) || !file.commit()) {
        if (file.cancelled())
            failCancelled(error);
        else
            failWrite(error, path, file.failure());
        return false;
    }
    made.keep();
    return true;
}

}  // namespace

bool writeVectorPage(const QString& path, QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw,
                     ExportError* error, const QString& title)
{
    return writeVector(path, size, format, draw, error, title, {});
}

std::uint64_t estimateVectorBytes(QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw)
{
    ByteCounter counter;
    paintVector(counter, size, format, draw, {});
    return counter.bytes();
}

// ---- The whole chart ----

ChartLayout wholeChartLayout(const PatternDocument& doc, const PrintSettings& settings,
                             std::optional<FabricName> fabricName)
{
    return ChartLayout::wholeChart(doc, settings, 8, std::move(fabricName));
}

QSize rasterSize(QSize units, int dotsPerInch)
{
    return QSize(static_cast<int>(std::ceil(units.width() * (dotsPerInch / 96.0))),
                 static_cast<int>(std::ceil(units.height() * (dotsPerInch / 96.0))));
}

int dotsPerMetre(int dotsPerInch)
{
    return static_cast<int>(std::lround(dotsPerInch / 0.0254));
}

namespace {

// A white picture for a page of `units` at dotsPerInch, stamped with its resolution.
std::optional<QImage> pageCanvas(QSize units, int dotsPerInch, ExportError* error)
{
    auto canvas = makeCanvas(rasterSize(units, dotsPerInch), error);
    if (canvas) {
        canvas->setDotsPerMeterX(dotsPerMetre(dotsPerInch));
        canvas->setDotsPerMeterY(dotsPerMetre(dotsPerInch));
    }
    return canvas;
}

}  // namespace

std::optional<QImage> renderWholeChart(const ChartLayout& whole, ChartStyle style, ExportError* error, int dotsPerInch)
{
    auto canvas = pageCanvas(whole.pageSize(), dotsPerInch, error);
    if (!canvas)
        return std::nullopt;
    QPainter p(&*canvas);
    p.scale(dotsPerInch / 96.0, dotsPerInch / 96.0);
    whole.drawWholeChart(p, style);
    p.end();
    return canvas;
}

bool writeWholeChart(const ChartLayout& whole, ChartStyle style, const QString& path, ChartFormat format,
                     ExportError* error, int dotsPerInch, ProgressReport* progress)
{
    if (isVectorFormat(format)) {
        // Vector targets have no pixels, but the same limit keeps other programs able to open them.
        if (!canvasFits(whole.pageSize())) {
            if (error)
                *error = ExportError{kTextCanvasTooLarge, kTitleWarning};
            return false;
        }
        const auto draw = [&](QPainter& p) { whole.drawWholeChart(p, style); };
        // A whole chart takes well under 64 bytes a unit of its page (an SVG of many colours
        // about 8, a PDF under 1). With less room than that it is drawn once into a counter
        // first, so drawing twice costs only where the room is in doubt.
        const std::int64_t room = freeSpaceFor(fileNameBytes(path));
        const double bound = 64.0 * whole.pageSize().width() * whole.pageSize().height() + (16 << 20);
        if (format != ChartFormat::Emf && room >= 0 && static_cast<double>(room) < bound &&
            refuseWithoutRoom(error, path, estimateVectorBytes(whole.pageSize(), format, draw)))
            return false;
        if (progress && progress->cancelled()) {
            failCancelled(error);
            return false;
        }
        return writeVector(path, whole.pageSize(), format, draw, error, fromGbk(whole.settings().title),
                           cancelOf(progress));
    }
    const auto canvas = renderWholeChart(whole, style, error, dotsPerInch);
    if (canvas && progress && progress->cancelled()) {
        failCancelled(error);
        return false;
    }
    return canvas && savePicture(*canvas, path, format, error, progress);
}

// ---- The simulated picture ----

namespace {

QFont simulatedTitleFont()
{
    QFont f = songTi(20);
    f.setBold(true);
    return f;
}

int simulatedTitleHeight()
{
    return QFontMetrics(simulatedTitleFont()).boundingRect(fromGbk(kSimulatedTitle)).height();
}

}  // namespace

QSize simulatedPictureSize(const PatternDocument& doc)
{
    const std::int64_t w = std::int64_t{kSimulatedCell} * doc.width();
    const std::int64_t h = std::int64_t{kSimulatedCell} * doc.height() + simulatedTitleHeight() + 20;
    const auto clampInt = [](std::int64_t v) { return static_cast<int>(std::min<std::int64_t>(v, std::numeric_limits<int>::max())); };
    return QSize(clampInt(w), clampInt(h));
}

std::optional<QImage> renderSimulatedPicture(const PatternDocument& doc, ExportError* error)
{
    auto canvas = makeCanvas(simulatedPictureSize(doc), error);
    if (!canvas)
        return std::nullopt;
    const int top = simulatedTitleHeight() + 20;
    QPainter p(&*canvas);
    p.setFont(simulatedTitleFont());
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, canvas->width(), top), Qt::AlignHCenter | Qt::AlignVCenter, fromGbk(kSimulatedTitle));

    std::vector<QImage> tiles;
    tiles.reserve(doc.threads.colors.size() + 1);
    for (const ColorRef c : doc.threads.colors)
        tiles.push_back(makeStitchTile(c).scaled(kSimulatedCell, kSimulatedCell, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation));
    tiles.push_back(makeFabricTile(doc.fabric).scaled(kSimulatedCell, kSimulatedCell, Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation));
    ChartGeometry g;
    g.cellSize = kSimulatedCell;
    g.origin = g.areaStart = QPoint(0, top);
    g.width = doc.width();
    g.height = doc.height();
    const QRect cells(0, 0, doc.width(), doc.height());
    ChartPaintCache cache;
    const ChartPainter stitches(doc, g, ChartStyle::Screen, cache);
    stitches.stitches(p, cells, tiles);
    stitches.stitchMarks(p, cells);
    // Outline lines as on paper: black, a third of the cell wide (1).
    const ChartPainter outlines(doc, g, ChartStyle::PrintBlackWhite, cache);
    outlines.lines(p);
    p.end();
    return canvas;
}

// ---- Per page ----

QString PageFiles::file(const QString& n, const QString& extension) const
{
    return QDir(folder).filePath(base + u'_' + n + extension);
}

PageFiles pageFilesFor(const QString& chosen)
{
    const QString folder = withExtension(chosen, QString());
    return PageFiles{folder, QFileInfo(folder).fileName()};
}

bool makePageFolder(const PageFiles& files, ExportError* error)
{
    const QFileInfo info(files.folder);
    if (info.isDir() || (!info.exists() && QDir().mkpath(files.folder)))
        return true;
    fail(error, kTextCannotMakeFolder, files.folder);
    return false;
}

std::uint64_t estimatePageSetBytes(const ChartLayout& layout, ChartStyle style, ChartFormat format, int dotsPerInch)
{
    const auto total = static_cast<std::uint64_t>(std::max(layout.grid().total, 0));
    if (total == 0)
        return 0;
    if (format == ChartFormat::Pdf) {
        // The fonts and the file's frame come once; each further page adds about what the
        // first did. A page goes into the file when the next one starts, so the bytes counted
        // as the second page is drawn are the file's head and the first page.
        struct FirstPage final : ProgressReport {
            const ByteCounter& file;
            std::uint64_t bytes = 0;
            explicit FirstPage(const ByteCounter& f) : file(f) {}
            void setRange(int, int) override {}
            void setPosition(int n) override
            {
                if (n == 2)
                    bytes = file.bytes();
            }
        };
        ByteCounter file;
        FirstPage first(file);
        paintChartPdf(layout, file, style, total == 1 ? 1 : 2, &first);
        if (total <= 2)
            return file.bytes();
        return file.bytes() + first.bytes * (total - 2);
    }
    if (format == ChartFormat::Emf)
        return 0;  // the metafile writer reports its own failures; no estimate is made
    std::optional<QImage> canvas;
    if (format != ChartFormat::Svg) {
        const QSize pixels = rasterSize(layout.pageSize(), dotsPerInch);
        if (!canvasFits(pixels))
            return 0;  // refused for its size when the pages are drawn
        canvas.emplace(pixels, QImage::Format_RGB32);
        if (canvas->isNull())
            return 0;
    }
    // One page's file in the format.
    const auto pageBytes = [&](int n) -> double {
        if (!canvas)
            return static_cast<double>(
                estimateVectorBytes(layout.pageSize(), format, [&](QPainter& p) { layout.drawPage(p, n, style); }));
        canvas->fill(Qt::white);
        {
            QPainter p(&*canvas);
            p.scale(dotsPerInch / 96.0, dotsPerInch / 96.0);
            layout.drawPage(p, n, style);
        }
        return static_cast<double>(estimatePictureBytes(*canvas, format));
    };
    const auto cellsOn = [&](int n) {
        const QRect r = layout.pageCells(n);
        return static_cast<double>(std::max(r.width(), 0)) * std::max(r.height(), 0);
    };
    // The key and map pages as they are; the pattern pages from the first (a full page) and
    // the last (the corner, often the smallest), the bytes of the others following their cells.
    const PageGrid& grid = layout.grid();
    const int patternPages = grid.patternPages();
    double sum = 0;
    for (int n = patternPages + 1; n <= grid.total; ++n)
        sum += pageBytes(n);
    const double first = pageBytes(1);
    if (patternPages <= 1)
        return static_cast<std::uint64_t>(sum + first);
    const double last = pageBytes(patternPages);
    const double c1 = cellsOn(1), cl = cellsOn(patternPages);
    const double perCell = c1 > cl ? (first - last) / (c1 - cl) : 0;
    for (int n = 1; n <= patternPages; ++n)
        sum += c1 > cl ? std::max(last, first - perCell * (c1 - cellsOn(n))) : first;
    return static_cast<std::uint64_t>(sum);
}

QStringList writeChartPages(const ChartLayout& layout, ChartStyle style, const QString& chosen, ChartFormat format,
                            ProgressReport* progress, ExportError* error, int dotsPerInch)
{
    const int total = layout.grid().total;
    const bool single = format == ChartFormat::Pdf;
    const PageFiles files = pageFilesFor(chosen);
    const QString target = single ? withExtension(chosen, extensionOf(format)) : files.folder;
    // Everything is written before the old set goes, so the new one must fit beside it. As
    // for a whole chart, a page takes well under 64 bytes a unit of its page at 96 dpi (a BMP
    // at 300 dpi about 29): the pages are estimated only where the room is in doubt.
    const std::int64_t room = freeSpaceFor(fileNameBytes(target));
    const double scale = dotsPerInch / 96.0;
    const double bound =
        64.0 * scale * scale * layout.pageSize().width() * layout.pageSize().height() * std::max(total, 1) + (16 << 20);
    if (room >= 0 && static_cast<double>(room) < bound &&
        refuseWithoutRoom(error, target, estimatePageSetBytes(layout, style, format, dotsPerInch), total))
        return {};
    if (progress) {
        progress->setRange(0, total);
        progress->setPosition(0);
    }
    // Folders made for this run go again when it does not complete.
    MadeFolders made;
    if (single) {
        const QString path = target;
        if (!made.make(parentFolderBytes(fileNameBytes(path)))) {
            fail(error, kTextCannotMakeFolder, QFileInfo(path).absolutePath());
            return {};
        }
        QString why;
        if (!writeChartPdf(layout, path, style, &why, progress)) {
            if (progress && progress->cancelled()) {
                failCancelled(error);
                return {};
            }
            const qsizetype at = why.lastIndexOf(u": "_qs);
            failWrite(error, path, at < 0 ? std::string() : toGbk(why.mid(at + 2)));
            return {};
        }
        made.keep();
        if (progress)
            progress->setPosition(total);
        return {path};
    }
    const std::string folder = fileNameBytes(files.folder);
    // The set is written into a folder of its own beside the target and moved in whole, so
    // a run that fails leaves the old set as it was and no folder of its own behind.
    const PathKind kind = pathKind(folder);
    if (kind != PathKind::Missing && kind != PathKind::Folder) {
        fail(error, kTextCannotMakeFolder, files.folder);
        return {};
    }
    if (kind == PathKind::Missing && !made.make(parentFolderBytes(folder))) {
        fail(error, kTextCannotMakeFolder, files.folder);
        if (error)
            error->text += "(" + writeFailureReason(errno) + ")";
        return {};
    }
    ReplacementFolder staging(folder);
    if (!staging.ok()) {
        fail(error, kTextCannotMakeFolder, files.folder);
        if (error)
            error->text += "(" + writeFailureReason(staging.error()) + ")";
        return {};
    }
    const PageFiles staged{fileNameFromBytes(staging.stagingPath()), files.base};
    const QString extension = extensionOf(format);
    const bool vector = isVectorFormat(format);  // PDF pages were written above
    std::optional<QImage> page;
    if (!vector && !(page = pageCanvas(layout.pageSize(), dotsPerInch, error)))
        return {};
    QStringList written;
    for (int n = 1; n <= total; ++n) {
        const QString name = QString::fromStdString(pageFileSuffix(layout.grid(), n));
        const QString path = staged.file(name, extension);
        bool ok;
        if (vector) {
            ok = writeVector(path, layout.pageSize(), format, [&](QPainter& p) { layout.drawPage(p, n, style); },
                             error, fromGbk(layout.settings().title), cancelOf(progress));
        } else {
            page->fill(Qt::white);
            {
                QPainter p(&*page);
                p.scale(dotsPerInch / 96.0, dotsPerInch / 96.0);
                layout.drawPage(p, n, style);
            }
            ok = writePicture(*page, path, format, error, progress);
        }
        if (!ok && progress && progress->cancelled()) {
            failCancelled(error);
            return {};
        }
        if (!ok) {
            if (error)
                error->text = withPath(kTextCannotWrite, files.file(name, extension)) +
                              error->text.substr(std::min(error->text.size(), withPath(kTextCannotWrite, path).size()));
            return {};
        }
        written << files.file(name, extension);
        if (progress) {
            progress->setPosition(n);
            if (progress->cancelled()) {
                if (error)
                    *error = ExportError{kTextExportCancelled, kTitleInfo};
                return {};
            }
        }
    }
    // The old set: <base>_<number or KEY><extension>.
    const std::string prefix = fileNameBytes(files.base) + "_";
    const std::string suffix = fileNameBytes(extension);
    const auto oldMember = [&](const std::string& name) {
        if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            return false;
        const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        const auto digits = [](const std::string& t) {
            return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
        };
        return middle == "MAP" || (middle.compare(0, 3, "KEY") == 0 && digits(middle.substr(3))) ||
               (!middle.empty() && digits(middle));
    };
    if (!staging.commit(oldMember)) {
        const QString failed = staging.failedName().empty() ? files.folder
                                                            : QDir(files.folder).filePath(fileNameFromBytes(staging.failedName()));
        failWrite(error, failed, writeFailureReason(staging.error()));
        return {};
    }
    made.keep();
    return written;
}

}  // namespace brenmark
