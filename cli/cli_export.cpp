// brenmark-cli export and scramble: the chart files the editor's export commands write, and
// the argument the editor hands the page writer. A refusal writes nothing and exits 1 with
// its message.
#include "cli/cli.h"
#include "cli/cli_support.h"
#include "editor/document/fabric_colors.h"
#include "editor/document/palette_file.h"
#include "editor/document/path_scramble.h"
#include "editor/document/pattern_file.h"
#include "editor/document/thread_names.h"
#include "editor/output/chart_files.h"
#include "editor/render/chart_export.h"
#include "editor/render/replacement_device.h"
#include "interchange/code_page.h"

#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <csignal>
#include <iterator>

#include <signal.h>
#include <unistd.h>
#include <cstdlib>
#include <memory>

namespace brenmark::cli {

namespace {

QGuiApplication* guiApplication = nullptr;

// Painting text needs a GUI application; the command line makes one on first use, without
// a display.
void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "brenmark-cli";
    static char* argv[] = {name, nullptr};
    // Held by a plain pointer, never by a static object: at exit the thread storage Qt's font
    // cache lives in is gone before static objects are destroyed, and an application that
    // registered a font (the chart symbol font) would reach for it while it shuts down. The
    // program's end closes it (closeGuiApplication).
    guiApplication = new QGuiApplication(argc, argv);
}

std::optional<double> decimal(const std::string& text)
{
    double v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ptr != end || r.ec != std::errc{})
        return std::nullopt;
    return v;
}

// A4, LETTER or WxHmm, in millimetres; A4 and LETTER are turned the way the pattern is shaped.
std::optional<QSize> paperPage(const std::string& paper, bool portrait)
{
    double w = 0, h = 0;
    if (paper == "A4" || paper == "a4") {
        w = 210, h = 297;
    } else if (paper == "LETTER" || paper == "letter") {
        w = 215.9, h = 279.4;
    } else {
        const auto x = paper.find('x');
        if (x == std::string::npos || paper.size() < x + 4 || paper.compare(paper.size() - 2, 2, "mm") != 0)
            return std::nullopt;
        const auto pw = decimal(paper.substr(0, x));
        const auto ph = decimal(paper.substr(x + 1, paper.size() - x - 3));
        if (!pw || !ph || *pw < 20 || *ph < 20 || *pw > 5000 || *ph > 5000)
            return std::nullopt;
        return paperUnits(*pw, *ph);
    }
    const QSize page = paperUnits(w, h);
    return portrait ? page : page.transposed();
}

std::optional<ChartFormat> formatNamed(const std::string& name)
{
    return chartFormatNamed(name);
}

// The simulated picture's format from the name asked for: BMP or PNG by its extension,
// else JPEG as the editor writes it.
ChartFormat simulatedFormat(const QString& out)
{
    const QString lower = out.toLower();
    if (lower.endsWith(u".bmp"_qs))
        return ChartFormat::Bmp;
    if (lower.endsWith(u".png"_qs))
        return ChartFormat::Png;
    return ChartFormat::Jpeg;
}

// Ctrl+C during a page run: the run stops after the page at hand and takes back what it
// wrote; the old set stays.
volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

// The pages done, on a terminal's standard error, rewritten in place.
class TerminalProgress final : public ProgressReport {
public:
    explicit TerminalProgress(std::ostream& err) : err_(err), shown_(::isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() override
    {
        if (shown_ && high_ > 0)
            err_ << '\n';
    }
    void setRange(int, int high) override { high_ = high; }
    void setPosition(int position) override
    {
        if (shown_ && high_ > 0)
            err_ << "\rpage " << position << " of " << high_ << std::flush;
    }
    bool cancelled() const override { return interrupted != 0; }

private:
    std::ostream& err_;
    bool shown_;
    int high_ = 0;
};

// Ctrl+C stops the export at hand instead of the program while one is held: what the
// export had begun is taken back and the old output stays.
class InterruptStops {
public:
    InterruptStops()
    {
        interrupted = 0;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        ::sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &before_);
    }
    ~InterruptStops() { ::sigaction(SIGINT, &before_, nullptr); }
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

private:
    struct sigaction before_ {};
};

// For a single file: no progress shown, only Ctrl+C heard.
class InterruptOnly final : public ProgressReport {
public:
    void setRange(int, int) override {}
    void setPosition(int) override {}
    bool cancelled() const override { return interrupted != 0; }
};

int refused(const ExportError& error, std::ostream& err)
{
    err << "brenmark-cli: " << gbkToUtf8(error.text) << '\n';
    return interrupted ? 130 : 1;
}

}  // namespace

int exportChart(Args& args, std::ostream& out, std::ostream& err)
{
    const auto formatText = args.option("--format");
    const bool chartApp = args.flag("--chart-app");
    const bool pages = args.flag("--pages") || chartApp;
    const auto overlapText = args.option("--overlap");
    const bool englishKey = args.flag("--english-key");
    const bool blackWhite = args.flag("--bw");
    const bool colouredSymbols = args.flag("--coloured-symbols");
    const auto cellText = args.option("--cell-mm");
    const auto paperText = args.option("--paper");
    const auto dpiText = args.option("--dpi");
    const auto outText = args.option("-o");
    const std::string dir = programDirFrom(args);
    const std::string path = args.operands(1)[0];
    if (!formatText || !outText || outText->empty())
        throw UsageError{};
    const bool simulated = *formatText == "sim";
    const auto format = formatNamed(*formatText);
    if (!format && !simulated)
        throw UsageError{};
    int dotsPerInch = 96;
    if (dpiText) {
        const auto dpi = decimal(*dpiText);
        if (!dpi || std::find(std::begin(kExportResolutions), std::end(kExportResolutions), static_cast<int>(*dpi)) ==
                        std::end(kExportResolutions) || *dpi != static_cast<int>(*dpi)) {
            err << "brenmark-cli: --dpi is 96, 150 or 300\n";
            return 2;
        }
        dotsPerInch = static_cast<int>(*dpi);
    }
    PrintSettings settings;
    if (cellText) {
        const auto mm = decimal(*cellText);
        if (!mm || *mm < 1 || *mm > 50) {
            err << "brenmark-cli: --cell-mm must be a number of millimetres from 1 to 50\n";
            return 2;
        }
        settings.cellSize = cellPixelsFromMillimetres(*mm);
    }

    if (chartApp) {
        if (*formatText != "pdf") {
            err << "brenmark-cli: --chart-app writes PDF pages only (--format pdf)\n";
            return 2;
        }
        settings = chartAppSettings(settings);
    }
    settings.englishKey = settings.englishKey || englishKey;
    if (overlapText) {
        const auto rows = decimal(*overlapText);
        if (!rows || *rows < 0 || *rows > kMaxPageOverlap || *rows != static_cast<int>(*rows)) {
            err << "brenmark-cli: --overlap is a number of rows from 0 to " << kMaxPageOverlap << '\n';
            return 2;
        }
        settings.pageOverlap = static_cast<int>(*rows);
    }

    ensureGuiApplication();
    const PaletteStore palettes = PaletteStore::forProgram(dir);
    StderrMessages messages(err);
    PatternDocument doc;
    if (loadPattern(path, LoadMode::Library, doc, {&palettes, &messages, nullptr}).result == LoadResult::Failed) {
        err << "brenmark-cli: cannot open " << path << pathProblem(path) << '\n';
        return 1;
    }
    const std::optional<QSize> page = paperPage(paperText.value_or("A4"), doc.width() < doc.height());
    if (!page) {
        err << "brenmark-cli: --paper must be A4, LETTER or WIDTHxHEIGHTmm\n";
        return 2;
    }
    Palette dmc;
    const std::optional<FabricName> fabric =
        palettes.load("DMC", dmc) ? nameFabricColor(doc.fabric, dmc) : std::nullopt;
    const ChartStyle style = printStyle(!blackWhite, colouredSymbols);
    // The name's own bytes are kept, whatever their encoding.
    const QString chosen = fileNameFromBytes(*outText);
    ExportError error;

    if (simulated) {
        const ChartFormat f = simulatedFormat(chosen);
        const QString target = picturePath(chosen, f, jpegWriterAvailable());
        InterruptStops stops;
        InterruptOnly interrupt;
        const auto picture = renderSimulatedPicture(doc, &error);
        if (!picture || !savePicture(*picture, target, writableFormat(f, jpegWriterAvailable()), &error, &interrupt))
            return refused(error, err);
        out << fileNameBytes(target) << '\n';
        return 0;
    }
    if (pages) {
        ChartLayout layout(doc, settings, *page, fabric);
        layout.setThreadNames(loadThreadNames(palettes, doc.brand));
        QStringList files;
        {
            InterruptStops stops;
            TerminalProgress progress(err);
            files = writeChartPages(layout, style, chosen, writableFormat(*format, jpegWriterAvailable()), &progress, &error, dotsPerInch);
        }
        if (files.isEmpty())
            return refused(error, err);
        for (const QString& f : files)
            out << fileNameBytes(f) << '\n';
        return 0;
    }
    ChartLayout whole = wholeChartLayout(doc, settings, fabric);
    whole.setThreadNames(loadThreadNames(palettes, doc.brand));
    const ChartFormat f = writableFormat(*format, jpegWriterAvailable());
    const QString target = withExtension(chosen, extensionOf(f));
    InterruptStops stops;
    InterruptOnly interrupt;
    if (!writeWholeChart(whole, style, target, f, &error, dotsPerInch, &interrupt))
        return refused(error, err);
    out << fileNameBytes(target) << '\n';
    return 0;
}

int scramble(Args& args, std::ostream& out)
{
    out << scramblePath(args.operands(1)[0]) << '\n';
    return 0;
}

}  // namespace brenmark::cli

namespace brenmark {

void closeGuiApplication()
{
    delete cli::guiApplication;
    cli::guiApplication = nullptr;
}

}  // namespace brenmark
