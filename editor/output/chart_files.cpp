#include "editor/output/chart_files.h"

#include "editor/render/chart_export.h"
#include "editor/render/emf_writer.h"
#include "editor/render/replacement_device.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

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
    std::string s = text;
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
bool makeTargetFolder(const QString& path, ExportError* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QFileInfo info(folder);
    if (info.isDir() || (!info.exists() && QDir().mkpath(folder)))
        return true;
    fail(error, kTextCannotMakeFolder, folder);
    return false;
}

// "无法写入文件:<path>" and why, when the system said.
void failWrite(ExportError* error, const QString& path, const std::string& reason)
{
    fail(error, kTextCannotWrite, path);
    if (error && !reason.empty())
        error->text += "(" + reason + ")";
}

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
    for (int x = 0; x < image.width(); ++x) {
        *o++ = static_cast<char>(qBlue(in[x]));
        *o++ = static_cast<char>(qGreen(in[x]));
        *o++ = static_cast<char>(qRed(in[x]));
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

bool savePicture(const QImage& image, const QString& path, ChartFormat format, ExportError* error)
{
    if (!makeTargetFolder(path, error))
        return false;
    ReplacementDevice file(path);
    bool ok = file.begin();
    if (ok) {
        if (format == ChartFormat::Bmp) {
            ok = writeBmp(image, file);
        } else {
            QImageWriter writer(&file, format == ChartFormat::Jpeg ? "jpeg" : "png");
            if (format == ChartFormat::Jpeg)
                writer.setQuality(80);
            else
                writer.setQuality(kPngQuality);
            ok = writer.write(image);
        }
    }
    if (!ok || !file.commit()) {
        failWrite(error, path, file.failure());
        return false;
    }
    return true;
}

bool convertToJpeg(const QString& bmpPath, const QString& jpegPath)
{
    QImageReader reader(bmpPath, "bmp");
    reader.setAllocationLimit(0);  // the canvas was within our own limit when it was made
    const QImage image = reader.read();
    return !image.isNull() && savePicture(image, jpegPath, ChartFormat::Jpeg, nullptr);
}

// ---- Vector pages ----

bool writeVectorPage(const QString& path, QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw,
                     ExportError* error, const QString& title)
{
    if (!makeTargetFolder(path, error))
        return false;
    if (format == ChartFormat::Emf) {
        QString why;
        if (!writeEmf(path, size, draw, &why)) {
            const qsizetype at = why.lastIndexOf(u": "_qs);
            failWrite(error, path, at < 0 ? std::string() : toGbk(why.mid(at + 2)));
            return false;
        }
        return true;
    }
    ReplacementDevice file(path);
    if (!file.begin()) {
        failWrite(error, path, file.failure());
        return false;
    }
    bool painted = false;
    if (format == ChartFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(title.isEmpty() ? u"Velmora"_qs : title);
        QPainter p;
        if ((painted = p.begin(&svg))) {
            draw(p);
            painted = p.end();
        }
    } else {
        QPdfWriter pdf(&file);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 25.4 / 96, size.height() * 25.4 / 96), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(title.isEmpty() ? u"Velmora"_qs : title);
        QPainter p;
        if ((painted = p.begin(&pdf))) {
            draw(p);
            painted = p.end();
        }
    }
    if (!painted || !file.commit()) {
        failWrite(error, path, file.failure());
        return false;
    }
    return true;
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
                     ExportError* error, int dotsPerInch)
{
    if (isVectorFormat(format)) {
        // Vector targets have no pixels, but the same limit keeps other programs able to open them.
        if (!canvasFits(whole.pageSize())) {
            if (error)
                *error = ExportError{kTextCanvasTooLarge, kTitleWarning};
            return false;
        }
        return writeVectorPage(path, whole.pageSize(), format, [&](QPainter& p) { whole.drawWholeChart(p, style); },
                               error, fromGbk(whole.settings().title));
    }
    const auto canvas = renderWholeChart(whole, style, error, dotsPerInch);
    return canvas && savePicture(*canvas, path, format, error);
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

QStringList writeChartPages(const ChartLayout& layout, ChartStyle style, const QString& chosen, ChartFormat format,
                            ProgressReport* progress, ExportError* error, int dotsPerInch)
{
    const int total = layout.grid().total;
    if (progress) {
        progress->setRange(0, total);
        progress->setPosition(0);
    }
    if (format == ChartFormat::Pdf) {
        const QString path = withExtension(chosen, extensionOf(format));
        QString why;
        if (!writeChartPdf(layout, path, style, &why)) {
            const qsizetype at = why.lastIndexOf(u": "_qs);
            failWrite(error, path, at < 0 ? std::string() : toGbk(why.mid(at + 2)));
            return {};
        }
        if (progress)
            progress->setPosition(total);
        return {path};
    }
    const PageFiles files = pageFilesFor(chosen);
    const std::string folder = fileNameBytes(files.folder);
    // The set is written into a folder of its own beside the target and moved in whole, so
    // a run that fails leaves the old set as it was and no folder of its own behind.
    const PathKind kind = pathKind(folder);
    if (kind != PathKind::Missing && kind != PathKind::Folder) {
        fail(error, kTextCannotMakeFolder, files.folder);
        return {};
    }
    if (kind == PathKind::Missing) {
        const std::filesystem::path parent = std::filesystem::path(folder).parent_path();
        std::error_code ec;
        if (!parent.empty())
            std::filesystem::create_directories(parent, ec);
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
        const QString name = n == total ? u"KEY"_qs : QString::number(n);
        const QString path = staged.file(name, extension);
        bool ok;
        if (vector) {
            ok = writeVectorPage(path, layout.pageSize(), format, [&](QPainter& p) { layout.drawPage(p, n, style); },
                                 error, fromGbk(layout.settings().title));
        } else {
            page->fill(Qt::white);
            {
                QPainter p(&*page);
                p.scale(dotsPerInch / 96.0, dotsPerInch / 96.0);
                layout.drawPage(p, n, style);
            }
            ok = savePicture(*page, path, format, error);
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
        return middle == "KEY" || std::all_of(middle.begin(), middle.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!staging.commit(oldMember)) {
        const QString failed = staging.failedName().empty() ? files.folder
                                                            : QDir(files.folder).filePath(fileNameFromBytes(staging.failedName()));
        failWrite(error, failed, writeFailureReason(staging.error()));
        return {};
    }
    return written;
}

}  // namespace brenmark
