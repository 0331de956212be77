#pragma once
// The commands that take the chart out of the program: "导出" (the chart as JPEG or PNG),
// "存为绣图仿真文件", "导出矢量绣图" (EMF), "导出PDF绣图", "导出SVG绣图", each whole or page by
// page, and "印刷输出" (the TIFF pages of the page writer). Registered with the command
// router in one call; the option dialogs and the program start go through ExportDialogs and
// ProgramStarter, files and messages through the session's UserDialogs.
#include "editor/app/export_dialogs.h"
#include "editor/output/chart_formats.h"
#include "editor/output/jpeg_conversion.h"
#include "interchange/ui_text.h"

#include <QSize>

#include <functional>
#include <memory>
#include <string>

namespace brenmark {

class CommandRouter;
class EditorSession;

// File dialog titles and filters.
inline constexpr const char* kTitleExportChart = chartFormatInfo(ChartFormat::Jpeg).dialogTitle;
inline constexpr const char* kFilterExportChart = chartFormatInfo(ChartFormat::Jpeg).dialogFilter;
inline constexpr const char* kTitleExportSimulated = UI_TEXT_NOOP("存储仿真绣图JPG");
inline constexpr const char* kFilterExportSimulated = UI_TEXT_NOOP("仿真绣图JPG (.jpg)|*.jpg|仿真绣图PNG (.png)|*.png|");
inline constexpr const char* kTitleExportVector = chartFormatInfo(ChartFormat::Emf).dialogTitle;
inline constexpr const char* kFilterExportVector = chartFormatInfo(ChartFormat::Emf).dialogFilter;
inline constexpr const char* kTitleExportPdf = chartFormatInfo(ChartFormat::Pdf).dialogTitle;
inline constexpr const char* kFilterExportPdf = chartFormatInfo(ChartFormat::Pdf).dialogFilter;
inline constexpr const char* kTitleExportSvg = chartFormatInfo(ChartFormat::Svg).dialogTitle;
inline constexpr const char* kFilterExportSvg = chartFormatInfo(ChartFormat::Svg).dialogFilter;
inline constexpr const char* kTextSaveBeforeTiff = UI_TEXT_NOOP("必须先保存文件才能导出tiff文件");
inline constexpr const char* kTextEmfFailed = "Error";
inline constexpr const char* kTextPageWriterNotStarted = UI_TEXT_NOOP("无法启动印刷输出程序:%s");
inline constexpr const char* kPageWriterProgram = "pressly";

class ExportCommands {
public:
    // The page the per-page exports lay out on, for a portrait or landscape pattern.
    using PageSource = std::function<QSize(bool portrait)>;

    // programDir: where the page writer lives (ends in "/"). pages: null for the default
    // printer's page, else A4 without one.
    ExportCommands(EditorSession& session, ExportDialogs& dialogs, ProgramStarter& starter, std::string programDir,
                   ProgressReport* progress = nullptr, PageSource pages = {});
    ~ExportCommands();

    void route(CommandRouter& router);
    // Told when an export the user may stop begins (true) and ends (false); the progress
    // report's cancelled() then stops it, leaving the old output as it was.
    void setCancellable(std::function<void(bool)> shown) { cancellable_ = std::move(shown); }

    // Each needs an open pattern and does nothing without one. True when the export was
    // written (or, for JPEG, handed to the worker thread).
    bool exportChart();
    bool exportSimulated();
    bool exportVector();
    bool exportPdf();
    bool exportSvg();
    // "印刷输出": refuses an unsaved pattern, saves it to its path, starts the page writer.
    bool exportTiff();

    // The JPEG conversions still running.
    const JpegConversions& conversions() const { return *jpegs_; }

private:
    // The layout for per-page export: the print details on the page of the pattern's shape.
    ChartLayout pageLayout(const PrintSettings& settings) const;
    // Whole or per page into the chosen path in format; shows the done message or the refusal.
    bool writeChart(const ExportOptions& options, const std::string& chosen, ChartFormat format, const char* done);
    // A document export: its options dialog ("导出矢量绣图" for vector, else "导出提示"), the
    // file dialog, then the chart written.
    bool exportDocument(bool vector, const char* title, const char* filter, ChartFormat format, const char* done);
    // A picture that may be a JPEG: JPEG goes through a temporary BMP and the worker thread.
    // The picture is let go before the worker reads the BMP back, so memory stays near one canvas.
    bool writePicture(QImage picture, const QString& target, ChartFormat format, const char* done);
    void refuse(const ExportError& error);
    void tell(const char* done);

    EditorSession& session_;
    ExportDialogs& dialogs_;
    ProgramStarter& starter_;
    std::string programDir_;
    ProgressReport* progress_;
    PageSource pages_;
    ExportOptions imageOptions_;
    ExportOptions vectorOptions_;
    std::unique_ptr<JpegConversions> jpegs_;
    std::function<void(bool)> cancellable_;
    int cancellableRuns_ = 0;
};

}  // namespace brenmark
