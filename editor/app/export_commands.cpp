#include "editor/app/export_commands.h"

#include "editor/app/app_commands.h"
#include "editor/app/command_router.h"
#include "editor/app/editor_session.h"
#include "editor/app/printer_page.h"
#include "editor/document/path_scramble.h"
#include "editor/document/pattern_file.h"
#include "interchange/gbk_qstring.h"

#include <QFile>

namespace brenmark {

namespace {

QString decoded(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The picture format a chosen name asks for: PNG by its extension, else JPEG.
ChartFormat pictureFormatOf(const std::string& chosen)
{
    return decoded(chosen).toLower().endsWith(u".png"_qs) ? ChartFormat::Png : ChartFormat::Jpeg;
}

std::string withPath(const char* text, const std::string& path)
{
    std::string s = uiText(text);
    if (const auto at = s.find("%s"); at != std::string::npos)
        s.replace(at, 2, toGbk(decoded(path)));
    return s;
}

// The span of one export the user may stop; an export inside another is part of it.
struct CancellableRun {
    const std::function<void(bool)>& shown;
    int& depth;
    CancellableRun(const std::function<void(bool)>& f, int& runs) : shown(f), depth(runs)
    {
        if (depth++ == 0 && shown)
            shown(true);
    }
    ~CancellableRun()
    {
        if (--depth == 0 && shown)
            shown(false);
    }
    CancellableRun(const CancellableRun&) = delete;
    CancellableRun& operator=(const CancellableRun&) = delete;
};

}  // namespace

ExportCommands::ExportCommands(EditorSession& session, ExportDialogs& dialogs, ProgramStarter& starter,
                               std::string programDir, ProgressReport* progress, PageSource pages)
    : session_(session),
      dialogs_(dialogs),
      starter_(starter),
      programDir_(std::move(programDir)),
      progress_(progress),
      pages_(std::move(pages)),
      jpegs_(std::make_unique<JpegConversions>())
{
}

ExportCommands::~ExportCommands() = default;

void ExportCommands::route(CommandRouter& router)
{
    router.add(CmdExportChart, [this](int, Modifiers) { return exportChart(); });
    router.add(CmdExportSimulated, [this](int, Modifiers) { return exportSimulated(); });
    router.add(CmdExportVector, [this](int, Modifiers) { return exportVector(); });
    router.add(CmdExportPdf, [this](int, Modifiers) { return exportPdf(); });
    router.add(CmdExportSvg, [this](int, Modifiers) { return exportSvg(); });
    router.add(CmdExportTiff, [this](int, Modifiers) { return exportTiff(); });
}

void ExportCommands::tell(const char* done)
{
    session_.commands().dialogs().show(done, kTitleInfo, MessageIcon::Information);
}

void ExportCommands::refuse(const ExportError& error)
{
    session_.commands().dialogs().show(error.text, error.title,
                                       error.title == kTitleWarning ? MessageIcon::Warning : MessageIcon::Information);
}

ChartLayout ExportCommands::pageLayout(const PrintSettings& settings) const
{
    const PatternDocument& doc = session_.document();
    const bool portrait = portraitFor(doc);
    const QSize page = pages_ ? pages_(portrait) : defaultPrinterPage(portrait).value_or(fallbackPage(portrait));
    ChartLayout layout(doc, settings, page, session_.fabricName());
    layout.setThreadNames(loadThreadNames(session_.palettes(), doc.brand));
    return layout;
}

bool ExportCommands::writePicture(QImage picture, const QString& chosen, ChartFormat wanted, const char* done)
{
    const bool jpegWriter = jpegWriterAvailable();
    const ChartFormat format = writableFormat(wanted, jpegWriter);
    const QString target = picturePath(chosen, wanted, jpegWriter);
    ExportError error;
    if (format != ChartFormat::Jpeg) {
        const CancellableRun run(cancellable_, cancellableRuns_);
        if (!savePicture(picture, target, format, &error, progress_)) {
            refuse(error);
            return false;
        }
        tell(done);
        return true;
    }
    // The BMP goes to the temporary folder; the worker writes the JPEG from it, and the
    // done message comes when it has.
    const QString bmp = temporaryBmpPath(target);
    if (bmp.isEmpty() || !savePicture(picture, bmp, ChartFormat::Bmp, &error)) {
        QFile::remove(bmp);
        refuse(ExportError{withPath(kTextCannotWrite, QFile::encodeName(bmp).toStdString()), kTitleWarning});
        return false;
    }
    picture = QImage();
    jpegs_->start(bmp, target, [this, done](const QString& jpeg, bool ok) {
        if (ok)
            tell(done);
        else
            refuse(ExportError{withPath(kTextCannotWrite, QFile::encodeName(jpeg).toStdString()), kTitleWarning});
    });
    return true;
}

bool ExportCommands::writeChart(const ExportOptions& options, const std::string& chosenPath, ChartFormat format,
                                const char* done)
{
    const CancellableRun run(cancellable_, cancellableRuns_);
    const PatternDocument& doc = session_.document();
    const QString chosen = decoded(chosenPath);
    const ChartStyle style = options.style();
    ExportError error;
    if (options.chartApp && format == ChartFormat::Pdf) {
        // Pages for chart-reader apps: overlap, the page map, the floss list, the symbol font.
        const ChartLayout layout = pageLayout(chartAppSettings(session_.printSettings()));
        if (writeChartPages(layout, style, chosen, ChartFormat::Pdf, progress_, &error).isEmpty()) {
            refuse(error);
            return false;
        }
        tell(done);
        return true;
    }
    if (options.mode == ExportMode::Pages) {
        const ChartLayout layout = pageLayout(session_.printSettings());
        const ChartFormat f = writableFormat(format, jpegWriterAvailable());
        if (writeChartPages(layout, style, chosen, f, progress_, &error, options.dotsPerInch).isEmpty()) {
            refuse(error);
            return false;
        }
        tell(done);
        return true;
    }
    ChartLayout whole = wholeChartLayout(doc, session_.printSettings(), session_.fabricName());
    whole.setThreadNames(loadThreadNames(session_.palettes(), doc.brand));
    if (isVectorFormat(format)) {
        if (!writeWholeChart(whole, style, withExtension(chosen, extensionOf(format)), format, &error, 96, progress_)) {
            if (format == ChartFormat::Emf && error.text != kTextCanvasTooLarge)
                error = ExportError{kTextEmfFailed, kTitleInfo};
            refuse(error);
            return false;
        }
        tell(done);
        return true;
    }
    auto canvas = renderWholeChart(whole, style, &error, options.dotsPerInch);
    if (!canvas) {
        refuse(error);
        return false;
    }
    return writePicture(std::move(*canvas), chosen, format, done);
}

bool ExportCommands::exportChart()
{
    if (!session_.document().isOpen())
        return false;
    const auto options = dialogs_.imageOptions(imageOptions_);
    if (!options)
        return false;
    imageOptions_ = *options;
    const auto chosen = session_.commands().dialogs().saveFile(kTitleExportChart, kFilterExportChart, {});
    if (!chosen || chosen->empty())
        return false;
    return writeChart(*options, *chosen, pictureFormatOf(*chosen), kTextChartExported);
}

bool ExportCommands::exportSimulated()
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen())
        return false;
    const auto chosen = session_.commands().dialogs().saveFile(kTitleExportSimulated, kFilterExportSimulated, {});
    if (!chosen || chosen->empty())
        return false;
    ExportError error;
    auto picture = renderSimulatedPicture(doc, &error);
    if (!picture) {
        refuse(error);
        return false;
    }
    return writePicture(std::move(*picture), decoded(*chosen), pictureFormatOf(*chosen), kTextSimulatedExported);
}

bool ExportCommands::exportDocument(bool vector, const char* title, const char* filter, ChartFormat format,
                                    const char* done)
{
    if (!session_.document().isOpen())
        return false;
    ExportOptions& last = vector ? vectorOptions_ : imageOptions_;
    const auto options = vector                       ? dialogs_.vectorOptions(last)
                         : format == ChartFormat::Pdf ? dialogs_.pdfOptions(last)
                                                      : dialogs_.imageOptions(last);
    if (!options)
        return false;
    last = *options;
    const auto chosen = session_.commands().dialogs().saveFile(title, filter, {});
    if (!chosen || chosen->empty())
        return false;
    return writeChart(*options, *chosen, format, done);
}

bool ExportCommands::exportVector()
{
    return exportDocument(true, kTitleExportVector, kFilterExportVector, ChartFormat::Emf, kTextVectorExported);
}

bool ExportCommands::exportPdf()
{
    return exportDocument(false, kTitleExportPdf, kFilterExportPdf, ChartFormat::Pdf, kTextPdfExported);
}

bool ExportCommands::exportSvg()
{
    return exportDocument(false, kTitleExportSvg, kFilterExportSvg, ChartFormat::Svg, kTextSvgExported);
}

bool ExportCommands::exportTiff()
{
    PatternDocument& doc = session_.document();
    if (!doc.isOpen())
        return false;
    DocumentCommands& commands = session_.commands();
    const std::string path = commands.currentPath();
    if (path.empty()) {
        commands.dialogs().show(kTextSaveBeforeTiff, kTitleInfo, MessageIcon::Information);
        return false;
    }
    // The page writer reads the file, so it must hold what is on screen; a pattern that
    // could not be saved is not handed over.
    commands.deleteUnusedThreads();
    if (!savePattern(path, doc)) {
        refuse(ExportError{withPath(kTextCannotWrite, path), kTitleWarning});
        return false;
    }
    const std::string program = programDir_ + kPageWriterProgram;
    if (!starter_.startDetached(program, {scramblePath(path)})) {
        refuse(ExportError{withPath(kTextPageWriterNotStarted, program), kTitleWarning});
        return false;
    }
    return true;
}

}  // namespace brenmark
