#pragma once
// The chart as files: the whole chart on one canvas, one file per printed page plus the key,
// the simulated-stitch picture, as BMP, JPEG, PNG, EMF, SVG or PDF. Every file is written
// beside its name and renamed over it when whole, so a failure never leaves half a file
// under the chosen name. The texts here are the messages the commands show.
#include "editor/document/pattern_document.h"
#include "editor/document/user_prompts.h"
#include "editor/output/chart_formats.h"
#include "editor/render/chart_layout.h"
#include "interchange/ui_text.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QIODevice;
class QPainter;

namespace brenmark {

// Done messages (title "提示").
inline constexpr const char* kTextChartExported = chartFormatInfo(ChartFormat::Jpeg).doneText;
inline constexpr const char* kTextSimulatedExported = UI_TEXT_NOOP("仿真图导出完毕");
inline constexpr const char* kTextVectorExported = chartFormatInfo(ChartFormat::Emf).doneText;
inline constexpr const char* kTextPdfExported = chartFormatInfo(ChartFormat::Pdf).doneText;
inline constexpr const char* kTextSvgExported = chartFormatInfo(ChartFormat::Svg).doneText;
// Refusals.
inline constexpr const char* kTextCanvasTooLarge = UI_TEXT_NOOP("不能导出过大的绣图");  // title "警告"
inline constexpr const char* kTextCannotWrite = UI_TEXT_NOOP("无法写入文件:%s");
inline constexpr const char* kTextCannotMakeFolder = UI_TEXT_NOOP("无法创建导出文件夹:%s");
inline constexpr const char* kTextExportCancelled = UI_TEXT_NOOP("导出已取消");
// Before anything is written, when the estimated size passes the target's free space (title
// "警告"): the room needed, the room there is; for a page set the pages first.
inline constexpr const char* kTextNoRoom = UI_TEXT_NOOP("导出文件需要%s磁盘空间,目标磁盘只有%s可用,不能导出");
inline constexpr const char* kTextNoRoomPages = UI_TEXT_NOOP("导出文件共%d页,需要%s磁盘空间,目标磁盘只有%s可用,不能导出");

enum class ExportMode { Whole, Pages };

// What "导出提示" and "导出矢量绣图" ask.
struct ExportOptions {
    bool colour = true;            // "彩色绣图", else "黑白绣图"
    ExportMode mode = ExportMode::Whole;
    bool colouredSymbols = false;  // "彩色符" / "彩色字符"
    int dotsPerInch = 96;          // "图片分辨率": pictures at 96, 150 or 300 per inch
    bool chartApp = false;         // "图表应用PDF": PDF pages for chart-reader apps (chartAppSettings)
    ChartStyle style() const { return printStyle(colour, colouredSymbols); }
    bool operator==(const ExportOptions&) const = default;
};


// The caption of the chart-reader PDF choice.
inline constexpr const char* kChartAppCaption = UI_TEXT_NOOP("图表应用PDF");

// The resolutions pictures are offered at, and the caption of the choice.
inline constexpr int kExportResolutions[] = {96, 150, 300};
inline constexpr const char* kResolutionCaption = UI_TEXT_NOOP("图片分辨率(每英寸点数)");
// A page of `units` logical units (96 an inch) at dotsPerInch: the pixels of its picture.
QSize rasterSize(QSize units, int dotsPerInch);
// dotsPerInch as dots per metre, as picture headers store it.
int dotsPerMetre(int dotsPerInch);

// The extension a format's files get, with its dot: ".bmp", ".jpg", ".png", ".emf", ".svg",
// ".pdf".
QString extensionOf(ChartFormat format);

// The chosen file name's text from its first "." on replaced by extension (with its dot); a
// name without "." gets it appended. Folder names are never changed.
QString withExtension(const QString& chosen, const QString& extension);

// Whether Qt can write JPEG files here (its image plug-in is present).
bool jpegWriterAvailable();
// A picture format as it can be written: JPEG becomes BMP without a JPEG writer.
ChartFormat writableFormat(ChartFormat wanted, bool jpegWriter);
// The path a picture export writes: the format's extension after the path rule, ".bmp"
// for JPEG without a writer (so a chosen "a.jpeg" becomes "a.bmp").
QString picturePath(const QString& chosen, ChartFormat wanted, bool jpegWriter);

// Why an export stopped: the message (GBK) and its title.
struct ExportError {
    std::string text;
    std::string title = kTitleInfo;
};

// Whether a canvas of that size can be painted in memory: each side within what Qt's raster
// painter draws (32767) and the 32-bit canvas within 2 GiB, which also keeps a 24-bit BMP
// of it within the 32-bit sizes of its header.
bool canvasFits(QSize size);

// A white 32-bit canvas of that size; nothing (with kTextCanvasTooLarge, title "警告")
// when it would not fit or cannot be had. Nothing is allocated for a refused size.
std::optional<QImage> makeCanvas(QSize size, ExportError* error);

// ---- BMP ----
// The 14-byte file header and the 40-byte information header of a 24-bit bottom-up BMP of
// that size, little-endian.
QByteArray bmpFileHeader(QSize size);
QByteArray bmpInfoHeader(QSize size, int dotsPerMetreX = 0, int dotsPerMetreY = 0);
// Rows are padded to four bytes.
std::int64_t bmpRowBytes(int width);
// Writes a picture as a 24-bit BMP to a device: the file header in one write, then the
// information header and the pixels, in one write when that buffer stays small and row
// blocks otherwise (the bytes are the same).
bool writeBmp(const QImage& image, QIODevice& device);
// Writes a picture file (BMP by our writer, JPEG at quality 80, PNG) beside path and renames
// it over path when whole. Refused (kTextNoRoom) when its estimated size passes the free
// space there; progress (may be null) may stop it, which leaves nothing written
// (kTextExportCancelled).
bool savePicture(const QImage& image, const QString& path, ChartFormat format, ExportError* error,
                 ProgressReport* progress = nullptr);
// Reads a BMP and writes it as JPEG at quality 80 (beside the target, then renamed).
bool convertToJpeg(const QString& bmpPath, const QString& jpegPath);

// ---- The whole chart ----
// The whole-chart layout at cell size 8 and its canvas.
ChartLayout wholeChartLayout(const PatternDocument& doc, const PrintSettings& settings,
                             std::optional<FabricName> fabricName = {});
// The chart and its key on one canvas; nothing when the canvas is refused.
// Pictures carry their resolution (PNG pHYs, JPEG density, BMP header) from the canvas.
std::optional<QImage> renderWholeChart(const ChartLayout& whole, ChartStyle style, ExportError* error,
                                       int dotsPerInch = 96);
// The whole chart as one picture (BMP, JPEG, PNG) or one vector page (EMF, SVG, PDF) at path,
// refused as savePicture's when it would not fit; progress (may be null) may stop it.
bool writeWholeChart(const ChartLayout& whole, ChartStyle style, const QString& path, ChartFormat format,
                     ExportError* error, int dotsPerInch = 96, ProgressReport* progress = nullptr);

// ---- The simulated picture ----
inline constexpr int kSimulatedCell = 5;
inline constexpr const char* kSimulatedTitle = UI_TEXT_NOOP("Velmora十字绣仿真图");
// 5 x width by 5 x height + title + 20.
QSize simulatedPictureSize(const PatternDocument& doc);
// The title centred at the top, under it each cell's stitch tile at 5 x 5 with the white
// midpoints of its edges, the stitch marks and the outline lines (black, width 1).
std::optional<QImage> renderSimulatedPicture(const PatternDocument& doc, ExportError* error);

// ---- Per page ("按打印导出") ----
// The folder and base name of the page files for a chosen path: the path without its
// extension is the folder, its file name the base.
struct PageFiles {
    QString folder;
    QString base;
    // <folder>/<base>_<n><extension>, n "KEY" for the key page.
    QString file(const QString& n, const QString& extension) const;
};
PageFiles pageFilesFor(const QString& chosen);
// The folder made when missing; false (with kTextCannotMakeFolder) when it cannot be, or
// when a file stands under its name.
bool makePageFolder(const PageFiles& files, ExportError* error);
// Every page of the layout in its own file: _1 … _N then _KEY, each page drawn on a white
// page of the layout's size. The PDF format writes one file at the chosen path (with
// extension) instead, one page per printed page. progress (may be null) counts the pages
// and may cancel between them. Refused (kTextNoRoomPages) before anything is written when
// the set's estimate passes the free space. The set is written beside the folder and moved in whole:
// returns the files written; empty with error set on failure or cancel, the old set then
// as it was.
QStringList writeChartPages(const ChartLayout& layout, ChartStyle style, const QString& chosen, ChartFormat format,
                            ProgressReport* progress, ExportError* error, int dotsPerInch = 96);

// ---- The room an export takes ----
// A picture's file size in a format: exact for BMP; for JPEG and PNG the picture encoded in
// memory, or for a tall one sixteen bands of its rows, scaled to its height.
std::uint64_t estimatePictureBytes(const QImage& image, ChartFormat format);
// A vector page's file size (SVG or PDF): the page drawn once into a counter, nothing kept.
std::uint64_t estimateVectorBytes(QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw);
// What writeChartPages would write: the key page, the first and the last pattern page
// measured in their format, the other pattern pages by their cells between those two (a
// PDF: its first two pages, the second's bytes for each further page); 0 for EMF.
std::uint64_t estimatePageSetBytes(const ChartLayout& layout, ChartStyle style, ChartFormat format,
                                   int dotsPerInch = 96);

// One vector page (EMF, SVG or PDF) of size units drawn by draw, written beside path and renamed.
bool writeVectorPage(const QString& path, QSize size, ChartFormat format, const std::function<void(QPainter&)>& draw,
                     ExportError* error,
                     const QString& title = {});

}  // namespace brenmark
