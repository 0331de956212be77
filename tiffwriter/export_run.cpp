#include "tiffwriter/export_run.h"

#include "editor/document/fabric_colors.h"
#include "interchange/file_bytes.h"
#include "editor/document/output_room.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "interchange/gbk_qstring.h"
#include "tiffwriter/colour_to_cmyk.h"
#include "tiffwriter/tiff_chart.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace brenmark {
namespace {

// A failure's message with why it failed, when the system said.
std::string withReason(const char* text, int error)
{
    return error ? std::string(text) + "(" + writeFailureReason(error) + ")" : std::string(text);
}

// Pages drawn and written one after the other; the run's progress spreads over them.
class PageRun {
public:
    PageRun(const PageExportSetup& setup, PageExportDialogs& dialogs, PageExportStatus& status, int pages)
        : setup_(setup), dialogs_(dialogs), status_(status), pages_(pages)
    {
    }

    DrawReport report()
    {
        DrawReport r;
        r.status = [this](const std::string& text) { status_.status(text); };
        r.progress = [this](double fraction) {
            const int percent = static_cast<int>((done_ + fraction) * 100 / pages_);
            if (percent != shown_) {
                shown_ = percent;
                status_.progress(percent);
            }
        };
        return r;
    }

    // Creates a page; false (the status line has said so, and a message says why) when it
    // cannot be made.
    bool begin(TiffCanvas& canvas, const std::string& path, int w, int h, CmykValue background)
    {
        if (canvas.create(path, w, h, background, [this](const std::string& text) { status_.status(text); }) ==
            TiffCanvas::Result::Created)
            return true;
        if (canvas.error())
            dialogs_.show(withReason(kMsgCannotWrite, canvas.error()), kTitleInfo, MessageIcon::Information);
        return false;
    }

    bool end(TiffCanvas& canvas)
    {
        const std::string path = canvas.path();
        if (!canvas.finish(setup_.syncFiles)) {
            dialogs_.show(withReason(kMsgCannotWrite, canvas.error()), kTitleInfo, MessageIcon::Information);
            return false;
        }
        files_.push_back(path);
        ++done_;
        report().advance(0);
        return true;
    }

    // A run that stops half-way takes back the pages it wrote: the set would be incomplete.
    PageExportResult fail()
    {
        for (const std::string& f : files_)
            std::remove(f.c_str());
        return {PageExportOutcome::Failed, {}};
    }
    bool stopAsked() const { return status_.cancelled(); }
    // The user stopped the run: the same, and the page at hand is dropped unfinished.
    PageExportResult stop(TiffCanvas& canvas)
    {
        canvas.abandon();
        fail();
        status_.status(kStatusCancelled);
        return {PageExportOutcome::Cancelled, {}};
    }
    PageExportResult written() { return {PageExportOutcome::Written, files_}; }

private:
    const PageExportSetup& setup_;
    PageExportDialogs& dialogs_;
    PageExportStatus& status_;
    int pages_;
    int done_ = 0;
    int shown_ = -1;
    std::vector<std::string> files_;
};

std::optional<FabricName> fabricName(const PatternDocument& doc, const std::string& programDir)
{
    Palette dmc;
    PaletteStore(programDir).load("DMC", dmc);
    return nameFabricColor(doc.fabric, dmc);
}

// The refusal of a page the format cannot hold, naming the limit it passes.
const char* pageLimitMessage(std::int64_t w, std::int64_t h)
{
    return TiffCanvas::limitPassed(w, h) == TiffCanvas::Limit::Side ? kMsgPageTooWide : kMsgPageTooLarge;
}

std::string pageHeader(const std::string& title, int page, int patternPages)
{
    char tail[64];
    std::snprintf(tail, sizeof tail, uiText(" --第%d张 共%d张").c_str(), page, patternPages);
    return title + tail;
}

PageExportResult writeWhole(const PageExportSetup& setup, PageExportDialogs& dialogs, PageExportStatus& status,
                            const PatternDocument& doc, const ChartInk& ink, const PrintOptions& options,
                            const std::string& path)
{
    const int titleFont = static_cast<int>(20 * 0.8 * kPageScale);
    const int t0 = titleTextHeight(titleFont);
    const WholeFigures f = wholeFigures(cmToPixels(options.cellCm), doc.width(), doc.height(), doc.threads.size(), t0);
    if (!TiffCanvas::fits(f.width, f.height)) {
        dialogs.show(pageLimitMessage(f.width, f.height), kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Refused, {}};
    }
    if (const std::string refusal = roomRefusal(path, 1, TiffCanvas::fileSize(f.width, f.height)); !refusal.empty()) {
        dialogs.show(refusal, kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Refused, {}};
    }
    PageRun run(setup, dialogs, status, 1);
    TiffCanvas canvas;
    if (!run.begin(canvas, path, f.width, f.height, ink.background))
        return run.fail();
    const ChartPlacement place = wholeChartPlacement(f, doc.width(), doc.height(), t0);
    ChartDrawing chart(doc, place, ink);
    const KeyPlacement key = wholeKeyPlacement(f, place);
    const KeyModel keyModel = pageKeyModel(doc, options.publisher, fabricName(doc, setup.programDir));
    const CanvasKey canvasKey(keyModel, key);

    PageContent page;
    page.header = PageHeader{QRect(0, scaled(10), f.width, t0), fromGbk(options.title), pageFont(titleFont, true)};
    page.chart = &chart;
    page.key = &canvasKey;
    page.ink = &ink;
    drawPage(canvas, page, run.report());
    if (run.stopAsked())
        return run.stop(canvas);
    if (!run.end(canvas))
        return run.fail();
    return run.written();
}

PageExportResult writePages(const PageExportSetup& setup, PageExportDialogs& dialogs, PageExportStatus& status,
                            const PatternDocument& doc, const ChartInk& ink, const PrintOptions& options,
                            const std::string& chosen)
{
    const int W = cmToPixels(options.paperWidthCm), H = cmToPixels(options.paperHeightCm);
    const int headerFont = scaled(20);
    const int t = titleTextHeight(headerFont);
    PageRules pageRulesOfRun = pageRules(QSize(W, H), cmToPixels(options.cellCm), t);
    pageRulesOfRun.overlap = options.overlap;
    const PagePlan plan = paginate(pageRulesOfRun, doc.width(), doc.height());
    const PageGrid& grid = plan.grid();
    const PageRules& rules = plan.rules();
    if (!TiffCanvas::fits(W, H)) {
        dialogs.show(pageLimitMessage(W, H), kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Refused, {}};
    }
    const PageFiles files = pageFiles(chosen);
    // The whole set is written before the old one goes, so all of it must fit beside it.
    if (const std::string refusal = roomRefusal(files.folder, grid.total, TiffCanvas::fileSize(W, H)); !refusal.empty()) {
        dialogs.show(refusal, kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Refused, {}};
    }
    // The pages go into a folder of their own beside the target and are moved in when every
    // one is complete: a run that fails leaves the old set whole and no new folder behind.
    const std::string folder = files.folder.substr(0, files.folder.size() - 1);
    const PathKind kind = pathKind(folder);
    // Folders above the set made for this run go again unless it completes.
    MadeFolders made;
    int folderError = kind == PathKind::Missing || kind == PathKind::Folder ? 0 : ENOTDIR;
    if (kind == PathKind::Missing && !made.make(parentFolderBytes(folder)))
        folderError = errno;
    std::optional<ReplacementFolder> staging;
    if (folderError == 0) {
        staging.emplace(folder);
        folderError = staging->error();
    }
    if (!staging || !staging->ok()) {
        dialogs.show(withReason(kMsgCannotMakeFolder, folderError), kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Failed, {}};
    }
    const PageFiles staged{staging->stagingPath(), files.base};
    PageRun run(setup, dialogs, status, grid.total);
    const QFont header = pageFont(headerFont, true);
    for (int page = 1; page <= grid.total; ++page) {
        TiffCanvas canvas;
        if (!run.begin(canvas, pageFileName(staged, page, grid.total), W, H, ink.background))
            return run.fail();
        const QRect headerBox(0, 0, W, t);
        PageContent content;
        std::optional<ChartDrawing> chart;
        std::optional<KeyModel> keyModel;
        std::optional<CanvasKey> canvasKey;
        if (page < grid.total) {
            ChartPlacement place;
            place.cells = cellRange(plan.cells(page));
            place.repeatedColumns = plan.repeatedColumns(page);
            place.repeatedRows = plan.repeatedRows(page);
            place.pitch = plan.pitch();
            place.font = rules.symbolFont();
            place.margin = plan.margin();
            const QPoint origin = plan.chartOrigin(place.cells.columns());
            place.originX = origin.x();
            place.originY = origin.y();
            // The rulers and centre marks stand in the margin above the chart, below the
            // header: at the margin of these pages the screen's 12 × 4.2 would run into both.
            place.rulerFont = std::clamp((plan.margin() - scaled(3)) / 2, 1, scaled(12));
            chart.emplace(doc, place, ink);
            content.header = PageHeader{headerBox, fromGbk(pageHeader(options.title, page, grid.patternPages())), header};
            content.chart = &*chart;
        } else {
            const KeyPlacement key = keyPagePlacement(plan);
            keyModel.emplace(pageKeyModel(doc, options.publisher, fabricName(doc, setup.programDir)));
            canvasKey.emplace(*keyModel, key);
            content.header = PageHeader{headerBox, fromGbk(keyPageHeader(options.title)), header};
            content.key = &*canvasKey;
            content.ink = &ink;
        }
        drawPage(canvas, content, run.report());
        if (run.stopAsked())
            return run.stop(canvas);
        if (!run.end(canvas))
            return run.fail();
    }
    // The old set: <base>_<number or KEY>.tif.
    const std::string prefix = files.base + "_";
    const auto oldMember = [&](const std::string& name) {
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, ".tif") != 0)
            return false;
        const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        return middle == "KEY" || std::all_of(middle.begin(), middle.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!staging->commit(oldMember)) {
        dialogs.show(withReason(kMsgCannotWrite, staging->error()), kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Failed, {}};
    }
    made.keep();
    std::vector<std::string> written;
    for (int page = 1; page <= grid.total; ++page)
        written.push_back(pageFileName(files, page, grid.total));
    return {PageExportOutcome::Written, written};
}

}  // namespace

std::string roomRefusal(const std::string& target, int pages, std::uint64_t pageBytes)
{
    const std::uint64_t needed = pageBytes * static_cast<std::uint64_t>(std::max(pages, 0));
    const std::optional<NoRoom> room = checkRoom(target, needed);
    return room ? noRoomText(kMsgNoRoom, *room, pages) : std::string();
}

bool readExportPattern(const std::string& path, const std::string& programDir, PatternDocument& doc, MessageBoxes& messages)
{
    const PathKind kind = pathKind(path);
    if (kind != PathKind::RegularFile) {
        messages.show(pathRefusal(kind), kTitleInfo, MessageIcon::Information);
        return false;
    }
    const PaletteStore palettes = PaletteStore::forProgram(programDir);
    LoadContext ctx;
    ctx.palettes = &palettes;
    ctx.messages = &messages;
    return loadPattern(path, LoadMode::Library, doc, ctx).result != LoadResult::Failed;
}

ChartInk exportInk(const PatternDocument& doc, const std::string& programDir, const ColourToCmyk& converter,
                   bool* tableDamaged)
{
    ChartInk ink;
    ink.converter = &converter;
    const CmykTable table = loadCmykTable(programDir, doc.brand, tableDamaged);
    for (int i = 0; i < doc.threads.size(); ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const CmykValue* record = findCmyk(table, doc.threads.numbers[k]);
        ink.threads.push_back(record ? *record : converter.value(doc.threads.colors[k]));
    }
    // The fabric list names DMC threads, so the fabric's number is looked up in DMC's table.
    if (const std::optional<FabricName> fabric = fabricName(doc, programDir)) {
        const CmykTable dmc = doc.brand == "DMC" ? table : loadCmykTable(programDir, "DMC");
        const CmykValue* record = findCmyk(dmc, fabric->number);
        ink.background = record ? *record : converter.value(doc.fabric);
    }
    return ink;
}

PrintOptions startingOptions()
{
    PrintOptions o;
    o.title = PrintSettings{}.title;
    return o;
}

std::string keyPageHeader(const std::string& title)
{
    return title.empty() ? std::string("KEY") : title + " KEY";
}

PageExportResult runPageExport(const PageExportSetup& setup, PageExportDialogs& dialogs, PageExportStatus& status)
{
    PatternDocument doc;
    if (!readExportPattern(setup.patternPath, setup.programDir, doc, dialogs))
        return {PageExportOutcome::Refused, {}};
    const ColourToCmyk converter;
    bool tableDamaged = false;
    const ChartInk ink = exportInk(doc, setup.programDir, converter, &tableDamaged);

    const std::string folder = std::filesystem::path(setup.patternPath).parent_path().string();
    const std::optional<std::string> chosen = dialogs.askOutputName(kOutputDialogTitle, kOutputDialogFilter, folder);
    if (!chosen || chosen->empty())
        return {PageExportOutcome::Cancelled, {}};
    const std::optional<PrintOptions> options = dialogs.askOptions(startingOptions());
    if (!options)
        return {PageExportOutcome::Cancelled, {}};
    if (const std::string refusal = checkOptions(*options); !refusal.empty()) {
        dialogs.show(refusal, kTitleInfo, MessageIcon::Information);
        return {PageExportOutcome::Refused, {}};
    }
    // Said once, when the run is under way; it goes on with every colour converted.
    if (tableDamaged)
        dialogs.show(kMsgCmykTableDamaged, kTitleInfo, MessageIcon::Information);
    status.progress(0);
    if (options->mode == ExportMode::Whole)
        return writeWhole(setup, dialogs, status, doc, ink, *options, tiffOutputName(*chosen));
    return writePages(setup, dialogs, status, doc, ink, *options, *chosen);
}

}  // namespace brenmark
