// Whole export runs: the reader's refusals, the print colours, the status texts in order,
// the files of both modes, what a refused or cancelled run leaves, a page against the
// preview's chart, the window's worker thread and the program's start.
#include "tiffwriter/batch_export.h"
#include "tiffwriter/cmyk_table.h"
#include "tiffwriter/colour_to_cmyk.h"
#include "tiffwriter/export_run.h"
#include "tiffwriter/options_dialog.h"
#include "tiffwriter/pressly_window.h"
#include "tiffwriter/tiff_chart.h"

#include "interchange/file_bytes.h"
#include "editor/document/output_room.h"
#include "editor/document/path_scramble.h"
#include "editor/document/pattern_file.h"
#include "editor/document/tests/test_support.h"
#include "editor/render/chart_layout.h"
#include "editor/widgets/tests/chinese_texts.h"
#include "interchange/gbk_qstring.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <tiffio.h>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

using namespace brenmark;

namespace {

// A 12 x 8 chart of three threads with an outline line and a mark; threads a table may lack.
PatternDocument threeThreads()
{
    PatternDocument doc;
    doc.create(12, 8, "DMC");
    doc.addThread(rgb(200, 30, 30), "321");
    doc.addThread(rgb(250, 240, 120), "445");
    doc.addThread(rgb(20, 40, 120), "336");
    doc.assignDefaultSymbols();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            doc.setCell(c, r, c < 2 ? EmptyCell : (c + r) % 3);
    BackstitchLine line;
    line.thread = "310";
    line.startColumn = 3, line.startRow = 1, line.startCorner = TopLeft;
    line.endColumn = 8, line.endRow = 5, line.endCorner = BottomRight;
    doc.lines.push_back(line);
    doc.placeMark(10, 5, 3);
    return doc;
}

class Script final : public PageExportDialogs {
public:
    std::optional<std::string> output;
    std::optional<PrintOptions> options = PrintOptions{};
    std::vector<std::string> messages;
    std::vector<std::string> asked;
    bool onMainThread = true;

    void show(const std::string& text, const std::string& title, MessageIcon) override
    {
        EXPECT_EQ(title, kTitleInfo);
        messages.push_back(text);
        note();
    }
    std::string startedIn;
    std::string optionsTitle;
    std::optional<std::string> askOutputName(const std::string& title, const std::string& filter,
                                             const std::string& startIn) override
    {
        asked.push_back(title);
        asked.push_back(filter);
        startedIn = startIn;
        note();
        return output;
    }
    std::optional<PrintOptions> askOptions(const PrintOptions& defaults) override
    {
        EXPECT_EQ(defaults.paperWidthCm, 25.0);
        EXPECT_EQ(defaults.cellCm, 0.3);
        optionsTitle = defaults.title;
        asked.push_back("options");
        note();
        return options;
    }

private:
    void note() { onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread(); }
};

class Status final : public PageExportStatus {
public:
    std::vector<std::string> texts;
    std::vector<int> percents;
    void status(const std::string& text) override { texts.push_back(text); }
    void progress(int percent) override { percents.push_back(percent); }
};

struct Fixture {
    test::TempDir dir;
    std::string pattern;
    PageExportSetup setup;
    explicit Fixture(const PatternDocument& doc = threeThreads())
    {
        pattern = dir.file("chart.xiu");
        EXPECT_TRUE(savePattern(pattern, doc));
        setup.patternPath = pattern;
        setup.programDir = dir.path();  // no palettes, no tables unless a test writes them
        setup.syncFiles = false;
    }
};

// The raw CMYK pixels of a page.
struct Page {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    CmykValue at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
        return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
    }
};

Page readPage(const std::string& path)
{
    Page page;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return page;
    std::uint32_t w = 0, h = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
    page.width = static_cast<int>(w);
    page.height = static_cast<int>(h);
    page.pixels.resize(static_cast<std::size_t>(w) * h * 4);
    for (std::uint32_t y = 0; y < h; ++y)
        TIFFReadScanline(tiff, page.pixels.data() + static_cast<std::size_t>(y) * w * 4, y, 0);
    TIFFClose(tiff);
    return page;
}

const std::vector<std::string> kChartTexts = {"初始化文件",   "初始化文件完毕", "开始绘制针法", "绘制针法完毕",
                                              "开始绘制字符格", "开始绘制行线",   "开始绘制列线", "开始绘制描边线",
                                              "绘制描边线完毕"};

}  // namespace

TEST(PageExport, TheReaderRefusesMissingNewerAndOldLibraryPatterns)
{
    Fixture f;
    Script script;
    Status status;
    PageExportSetup missing = f.setup;
    missing.patternPath = f.dir.file("gone.xiu");
    EXPECT_EQ(runPageExport(missing, script, status).outcome, PageExportOutcome::Refused);
    EXPECT_EQ(script.messages, (std::vector<std::string>{"被选文件不存在"}));

    auto bytes = test::readBytes(f.pattern);
    auto newer = bytes;
    newer[20] = 20281 & 0xFF, newer[21] = 20281 >> 8, newer[22] = newer[23] = 0;
    test::writeBytes(f.dir.file("newer.xiu"), newer);
    auto old = bytes;
    old[33] = 0;  // the current-library flag
    test::writeBytes(f.dir.file("old.xiu"), old);
    script.messages.clear();
    for (const char* name : {"newer.xiu", "old.xiu"}) {
        PageExportSetup s = f.setup;
        s.patternPath = f.dir.file(name);
        EXPECT_EQ(runPageExport(s, script, status).outcome, PageExportOutcome::Refused);
    }
    EXPECT_EQ(script.messages, (std::vector<std::string>{"不能打开高版本制作的绣图",
                                                         "不能打开旧色库制作的绣图,请用Velmora工具转换后再打开"}));
    EXPECT_TRUE(script.asked.empty());  // nothing asked, nothing written
    EXPECT_TRUE(status.texts.empty());
}

TEST(PageExport, ThreadsTakeTheirTableRecordOrTheirConvertedColour)
{
    Fixture f;
    std::filesystem::create_directories(f.dir.path() + "cmyk");
    const std::vector<std::string> numbers = {"445", "321", "321"};
    const std::vector<CmykPercent> percents = {{0, 2, 60, 0}, {10, 90, 80, 5}, {1, 1, 1, 1}};
    test::writeBytes(f.dir.file("cmyk/DMC.cmyk"), encodeCmykTable(numbers, percents));
    PatternDocument doc;
    test::RecordingMessages messages;
    ASSERT_TRUE(readExportPattern(f.pattern, f.dir.path(), doc, messages));
    const ColourToCmyk conversion;
    const ChartInk ink = exportInk(doc, f.dir.path(), conversion);
    ASSERT_EQ(ink.threads.size(), 3u);
    EXPECT_EQ(ink.threads[0], valueFromPercent({10, 90, 80, 5}));  // the first "321" record
    EXPECT_EQ(ink.threads[1], valueFromPercent({0, 2, 60, 0}));
    EXPECT_EQ(ink.threads[2], conversion.value(rgb(20, 40, 120)));  // "336" has no record
    EXPECT_EQ(ink.background, kPaperWhite);  // no palette names the fabric here

    // With the build's palettes the white fabric is DMC B5200, whose record is paper white.
    PatternDocument built;
    ASSERT_TRUE(readExportPattern(f.pattern, BRENMARK_PROGRAM_DIR, built, messages));
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_EQ(exportInk(built, BRENMARK_PROGRAM_DIR, conversion).background, kPaperWhite);
}

TEST(PageExport, AWholeChartIsOneFileWithItsStatusTextsInOrder)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("out.jpg");
    Status status;
    const PageExportResult result = runPageExport(f.setup, script, status);
    ASSERT_EQ(result.outcome, PageExportOutcome::Written);
    EXPECT_EQ(result.files, (std::vector<std::string>{f.dir.file("out.tiff")}));
    EXPECT_EQ(script.asked, (std::vector<std::string>{"选择要导出的文件名或目录名", "目录或文件名 (*.*)|*.*||", "options"}));
    std::vector<std::string> expected = kChartTexts;
    expected.push_back("开始绘制KEY");
    expected.push_back("绘制KEY完毕");
    EXPECT_EQ(status.texts, expected);
    EXPECT_EQ(status.percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(status.percents.begin(), status.percents.end()));

    const Page page = readPage(f.dir.file("out.tiff"));
    const int t0 = titleTextHeight(67);
    const WholeFigures w = wholeFigures(35, 12, 8, 3, t0);
    ASSERT_EQ(page.width, w.width);
    ASSERT_EQ(page.height, w.height);
    // Cell (5, 2) holds thread (5 + 2) % 3 = 1; sampled away from its symbol and lines.
    const ColourToCmyk conversion;
    const int x0 = scaled(52), y0 = scaled(40) + t0;
    EXPECT_EQ(page.at(x0 + 5 * 43 + 6, y0 + 2 * 43 + 6), conversion.value(rgb(250, 240, 120)));
    EXPECT_EQ(page.at(x0 + 0 * 43 + 20, y0 + 3 * 43 + 20), kPaperWhite);  // an empty cell
    // The tenth line at column 10 is black over the cell colours it crosses.
    const CmykValue onLine = page.at(x0 + 10 * 43, y0 + 4 * 43 + 20);
    EXPECT_EQ(onLine.k, 255);
    const CmykValue right = conversion.value(rgb(20, 40, 120));  // cell (10, 4) holds thread 2
    EXPECT_EQ((CmykValue{onLine.c, onLine.m, onLine.y, 255}), (CmykValue{right.c, right.m, right.y, 255}));
}

TEST(PageExport, LibtiffsToolsReadThePages)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("tools.tiff");
    Status status;
    ASSERT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written);
    QProcess info;
    info.start(u"tiffinfo"_qs, {QString::fromStdString(f.dir.file("tools.tiff"))});
    ASSERT_TRUE(info.waitForFinished(30000)) << "tiffinfo (libtiff-tools) is needed";
    EXPECT_EQ(info.exitCode(), 0);
    const QString report = QString::fromLocal8Bit(info.readAllStandardOutput());
    EXPECT_TRUE(report.contains(u"Photometric Interpretation: separated"_qs)) << report.toStdString();
    EXPECT_TRUE(report.contains(u"Samples/Pixel: 4"_qs));
    EXPECT_FALSE(QString::fromLocal8Bit(info.readAllStandardError()).contains(u"rror"_qs));
    QProcess rgba;
    rgba.start(u"tiff2rgba"_qs, {QString::fromStdString(f.dir.file("tools.tiff")), QString::fromStdString(f.dir.file("rgba.tif"))});
    ASSERT_TRUE(rgba.waitForFinished(60000));
    EXPECT_EQ(rgba.exitCode(), 0);
    EXPECT_TRUE(fileExists(f.dir.file("rgba.tif")));
}

TEST(PageExport, PerPageExportWritesNumberedPagesAndTheKey)
{
    PatternDocument doc = threeThreads();
    Fixture f(doc);
    Script script;
    script.output = f.dir.file("pages.tif");
    PrintOptions options;
    options.mode = ExportMode::Pages;
    options.paperWidthCm = 6;  // 708 pixels: 12 columns of 34 fit across
    options.paperHeightCm = 4;  // 472: (472 - 134 - t) / 34 - 1 rows a page
    options.title = "心形";
    script.options = options;
    Status status;
    const PageExportResult result = runPageExport(f.setup, script, status);
    ASSERT_EQ(result.outcome, PageExportOutcome::Written);
    const int t = titleTextHeight(84);
    const PageGrid grid = tiffPageGrid(708, 472, pageFigures(35), t, 12, 8);
    ASSERT_GT(grid.total, 2);
    std::vector<std::string> expected;
    for (int n = 1; n < grid.total; ++n)
        expected.push_back(f.dir.file("pages/pages_" + std::to_string(n) + ".tif"));
    expected.push_back(f.dir.file("pages/pages_KEY.tif"));
    EXPECT_EQ(result.files, expected);
    for (const std::string& file : expected) {
        const Page page = readPage(file);
        EXPECT_EQ(page.width, 708) << file;
        EXPECT_EQ(page.height, 472) << file;
    }
    EXPECT_EQ(std::count(status.texts.begin(), status.texts.end(), std::string("初始化文件完毕")), grid.total);
    EXPECT_EQ(std::count(status.texts.begin(), status.texts.end(), std::string("开始绘制KEY")), 1);

    // A pattern that fits one page writes exactly "_1" and "_KEY".
    options.paperWidthCm = 25, options.paperHeightCm = 20;
    script.options = options;
    script.output = f.dir.file("one");
    ASSERT_EQ(runPageExport(f.setup, script, status).files,
              (std::vector<std::string>{f.dir.file("one/one_1.tif"), f.dir.file("one/one_KEY.tif")}));
}

TEST(PageExport, CancelledAndRefusedRunsWriteNothing)
{
    Fixture f;
    Script script;
    Status status;
    EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Cancelled);  // no name
    script.output = f.dir.file("out");
    script.options.reset();
    EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Cancelled);
    EXPECT_TRUE(status.texts.empty());

    // 1500 columns of 3 cm cells: a whole chart far past 65535 pixels across.
    PatternDocument wide;
    wide.create(1500, 2, "DMC");
    Fixture big(wide);
    PrintOptions options;
    options.cellCm = 3;
    script.options = options;
    script.output = big.dir.file("big");
    EXPECT_EQ(runPageExport(big.setup, script, status).outcome, PageExportOutcome::Refused);
    // The fixture has no CMYK table: said once, before the refusal.
    EXPECT_EQ(script.messages, (std::vector<std::string>{kMsgCmykTableDamaged, kMsgPageTooWide}));
    EXPECT_TRUE(status.texts.empty());
    EXPECT_FALSE(fileExists(big.dir.file("big.tiff")));

    // 1530 x 10 at the default cell: 66226 pixels across, a file of about 330 MB. The limit
    // passed is the side's, not the file's.
    PatternDocument long1530;
    long1530.create(1530, 10, "DMC");
    Fixture longer(long1530);
    script.messages.clear();
    script.options = PrintOptions{};
    script.output = longer.dir.file("long");
    EXPECT_EQ(runPageExport(longer.setup, script, status).outcome, PageExportOutcome::Refused);
    EXPECT_EQ(script.messages, (std::vector<std::string>{kMsgCmykTableDamaged, kMsgPageTooWide}));

    // Pages of 500 x 500 cm: each side fits, the file does not.
    script.messages.clear();
    options = PrintOptions{};
    options.mode = ExportMode::Pages;
    options.paperWidthCm = options.paperHeightCm = 500;
    script.options = options;
    script.output = f.dir.file("huge");
    EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Refused);
    EXPECT_EQ(script.messages, (std::vector<std::string>{kMsgCmykTableDamaged, kMsgPageTooLarge}));
    EXPECT_TRUE(status.texts.empty());

    // A folder that cannot be written: the status line says so, no file is left.
    script.messages.clear();
    script.options = PrintOptions{};
    script.output = f.dir.file("missing/folder/out");
    EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Failed);
    EXPECT_EQ(status.texts.back(), "初始化文件失败");
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("missing")));
}

TEST(PageExport, AChartPageShowsWhatThePreviewShows)
{
    PatternDocument doc = threeThreads();
    Fixture f(doc);
    Script script;
    PrintOptions options;
    options.mode = ExportMode::Pages;
    script.options = options;
    script.output = f.dir.file("cmp");
    Status status;
    ASSERT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written);
    const Page page = readPage(f.dir.file("cmp/cmp_1.tif"));
    ASSERT_EQ(page.width, cmToPixels(25));

    // The preview's page at 10 units a cell.
    PrintSettings settings;
    settings.cellSize = 10;
    const ChartLayout layout(doc, settings, QSize(600, 500));
    ASSERT_EQ(layout.grid().total, 2);
    QImage preview(layout.pageSize(), QImage::Format_RGB32);
    {
        QPainter p(&preview);
        layout.drawPage(p, 1, ChartStyle::PrintColour);
    }
    const QPoint origin = layout.chartOrigin(12);

    const PageFigures fig = pageFigures(35);
    const int t = titleTextHeight(84);
    const int x0 = (page.width - fig.pitch * 12) / 2, y0 = fig.margin + t;
    const ColourToCmyk conversion;
    auto inked = [](auto&& sample, int left, int top, int size, QRgb ground) {
        int n = 0;
        for (int y = top + size / 4; y < top + size * 3 / 4; ++y)
            for (int x = left + size / 4; x < left + size * 3 / 4; ++x)
                n += sample(x, y) != ground;
        return n;
    };
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << c << ", " << r);
            const QRgb shown = preview.pixel(origin.x() + c * 10 + 1, origin.y() + r * 10 + 1) & 0xFFFFFF;
            const CmykValue sample = page.at(x0 + c * fig.pitch + 5, y0 + r * fig.pitch + 5);
            const ColorRef printed = conversion.toScreen(sample);
            if (shown == 0) {  // the outline line crosses here: black ink over the cell
                EXPECT_EQ(sample.k, 255);
                continue;
            }
            EXPECT_NEAR(qRed(shown), static_cast<int>(redOf(printed)), 40);
            EXPECT_NEAR(qGreen(shown), static_cast<int>(greenOf(printed)), 40);
            EXPECT_NEAR(qBlue(shown), static_cast<int>(blueOf(printed)), 40);
            // A symbol in the middle of the cell on both or on neither.
            const int previewInk = inked([&](int x, int y) { return preview.pixel(x, y) & 0xFFFFFF; }, origin.x() + c * 10,
                                         origin.y() + r * 10, 10, shown);
            const CmykValue ground = page.at(x0 + c * fig.pitch + 5, y0 + r * fig.pitch + 5);
            const int pageInk = inked([&](int x, int y) { return page.at(x, y).packed(); }, x0 + c * fig.pitch,
                                      y0 + r * fig.pitch, fig.pitch, ground.packed());
            EXPECT_EQ(previewInk > 0, pageInk > 0);
        }
}

TEST(PageExport, TheBatchModePrintsTheStatusAndExitsWithTheOutcome)
{
    Fixture f;
    auto parsed = parseBatchArguments({"--out", f.dir.file("b.tiff"), "--mode", "pages", "--paper-cm", "25x20", "--cell-cm",
                                       "0.3", "--title", "\xE5\xBF\x83\xE5\xBD\xA2", "--program-dir", f.dir.path(), f.pattern});
    ASSERT_TRUE(std::holds_alternative<BatchRequest>(parsed));
    const BatchRequest request = std::get<BatchRequest>(parsed);
    EXPECT_EQ(request.options.mode, ExportMode::Pages);
    EXPECT_EQ(request.options.title, "心形");  // GBK inside
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(request, out, err, false), 0);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "\xE5\x88\x9D\xE5\xA7\x8B\xE5\x8C\x96\xE6\x96\x87\xE4\xBB\xB6");  // UTF-8
    // No CMYK table in the fixture: the one note, in UTF-8, and the run goes on.
    EXPECT_EQ(err.str(), gbkToUtf8(kMsgCmykTableDamaged) + "\n");
    EXPECT_TRUE(fileExists(f.dir.file("b/b_1.tif")));

    // A name the user gave with ".tif" is the file written.
    BatchRequest whole = request;
    whole.options.mode = ExportMode::Whole;
    whole.out = f.dir.file("w.tif");
    std::ostringstream out3, err3;
    EXPECT_EQ(runBatch(whole, out3, err3, false), 0);
    EXPECT_TRUE(fileExists(f.dir.file("w.tif")));
    EXPECT_FALSE(fileExists(f.dir.file("w.tiff")));

    BatchRequest gone = request;
    gone.pattern = f.dir.file("gone.xiu");
    std::ostringstream out2, err2;
    EXPECT_EQ(runBatch(gone, out2, err2, false), 1);
    EXPECT_EQ(err2.str(), "\xE8\xA2\xAB\xE9\x80\x89\xE6\x96\x87\xE4\xBB\xB6\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8\n");

    EXPECT_TRUE(std::holds_alternative<std::string>(parseBatchArguments({"--out", "x", "--mode", "both", "p.xiu"})));
    EXPECT_TRUE(std::holds_alternative<std::string>(parseBatchArguments({"--out", "x", "--paper-cm", "25", "p.xiu"})));
    EXPECT_TRUE(std::holds_alternative<std::string>(parseBatchArguments({"--out", "x", "--cell-cm", "0", "p.xiu"})));
    EXPECT_TRUE(std::holds_alternative<std::string>(parseBatchArguments({"p.xiu"})));
    EXPECT_TRUE(std::holds_alternative<std::string>(parseBatchArguments({"--out"})));
}

TEST(PageExport, OverlappingPagesRepeatAndShadeTheLastColumnsOfThePageBefore)
{
    // One thread over 60 columns on paper about 30 cells wide.
    PatternDocument doc;
    doc.create(60, 10, "DMC");
    doc.addThread(rgb(250, 240, 120), "445");
    doc.assignDefaultSymbols();
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 60; ++c)
            doc.setCell(c, r, 0);
    Fixture f(doc);
    const auto pages = [&](const std::string& name, const std::string& overlap) {
        auto parsed = parseBatchArguments({"--out", f.dir.file(name + ".tif"), "--mode", "pages", "--paper-cm", "10x20",
                                           "--cell-cm", "0.3", "--overlap", overlap, "--program-dir", f.dir.path(), f.pattern});
        EXPECT_TRUE(std::holds_alternative<BatchRequest>(parsed));
        std::ostringstream out, err;
        EXPECT_EQ(runBatch(std::get<BatchRequest>(parsed), out, err, false), 0) << err.str();
        int n = 0;
        while (fileExists(f.dir.file(name + "/" + name + "_" + std::to_string(n + 1) + ".tif")))
            ++n;
        return n;
    };
    const int plain = pages("plain", "0");
    const int overlapping = pages("over", "3");
    EXPECT_GT(overlapping, plain);  // each page brings three columns fewer
    // The thread's ink, the most common on the first page; the later pages also carry it
    // with more black, in the repeated columns only.
    const Page first = readPage(f.dir.file("over/over_1.tif"));
    const Page second = readPage(f.dir.file("over/over_2.tif"));
    ASSERT_GT(first.width, 0);
    std::map<std::uint32_t, int> inks;
    for (int y = 0; y < first.height; ++y)
        for (int x = 0; x < first.width; ++x)
            ++inks[first.at(x, y).packed()];
    inks.erase(CmykValue{}.packed());
    const auto thread = std::max_element(inks.begin(), inks.end(), [](auto& a, auto& b) { return a.second < b.second; });
    ASSERT_NE(thread, inks.end());
    CmykValue shaded{static_cast<std::uint8_t>(thread->first), static_cast<std::uint8_t>(thread->first >> 8),
                     static_cast<std::uint8_t>(thread->first >> 16), static_cast<std::uint8_t>(thread->first >> 24)};
    shaded.k = static_cast<std::uint8_t>(std::min(255, shaded.k + 36));
    const auto count = [&](const Page& page) {
        int n = 0;
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                n += page.at(x, y).packed() == shaded.packed();
        return n;
    };
    EXPECT_EQ(count(first), 0);
    EXPECT_GT(count(second), 0);
    EXPECT_LT(count(second), thread->second / 4);  // three columns of about thirty

    EXPECT_TRUE(std::holds_alternative<std::string>(parseBatchArguments({"--out", "x", "--overlap", "6", "p.xiu"})));
}

TEST(PageExport, TheWindowRunsTheExportOnAWorkerAndAsksOnItsOwnThread)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("w.tiff");
    PresslyWindow window(f.setup, script);
    EXPECT_EQ(window.windowTitle(), fromGbk("导出印刷格式"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    QEventLoop loop;
    QObject::connect(&window, &PresslyWindow::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    window.start();
    loop.exec();
    ASSERT_FALSE(window.running());
    EXPECT_EQ(window.result().outcome, PageExportOutcome::Written);
    EXPECT_TRUE(script.onMainThread);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.statusText(), fromGbk("绘制KEY完毕"));
    EXPECT_EQ(window.progressValue(), 100);
    EXPECT_TRUE(fileExists(f.dir.file("w.tiff")));
}

TEST(PageExport, TheDialogsStartInThePatternsFolderWithTheChartTitle)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("out.tif");
    Status status;
    ASSERT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written);
    EXPECT_EQ(std::filesystem::path(script.startedIn), std::filesystem::path(f.pattern).parent_path());
    EXPECT_EQ(script.optionsTitle, PrintSettings{}.title);
    EXPECT_EQ(startingOptions().title, "Velmora十字绣绣图");
    EXPECT_DOUBLE_EQ(startingOptions().paperWidthCm, 25.0);
    // The key page's header keeps the title and "KEY" apart.
    EXPECT_EQ(keyPageHeader("心形"), "心形 KEY");
    EXPECT_EQ(keyPageHeader(""), "KEY");
    OptionsDialog dialog(startingOptions());
    EXPECT_EQ(dialog.options().title, PrintSettings{}.title);
}

TEST(PageExport, TheOptionsDialogOpensAtItsDefaults)
{
    OptionsDialog dialog(PrintOptions{});
    EXPECT_EQ(dialog.windowTitle(), fromGbk("导出矢量绣图"));
    const PrintOptions o = dialog.options();
    EXPECT_EQ(o.title, "");
    EXPECT_EQ(o.publisher, "");
    EXPECT_DOUBLE_EQ(o.paperWidthCm, 25.0);
    EXPECT_DOUBLE_EQ(o.paperHeightCm, 20.0);
    EXPECT_DOUBLE_EQ(o.cellCm, 0.3);
    EXPECT_EQ(o.mode, ExportMode::Whole);
}

TEST(PageExport, TheProgramStartsOnlyForAScrambledPatternPath)
{
    QProcess refused;
    refused.start(QString::fromUtf8(PRESSLY_BINARY), {QString::fromStdString(scramblePath("/tmp/chart.pal"))});
    ASSERT_TRUE(refused.waitForFinished(10000));
    EXPECT_EQ(refused.exitCode(), 0);
    QProcess none;
    none.start(QString::fromUtf8(PRESSLY_BINARY), {});
    ASSERT_TRUE(none.waitForFinished(10000));
    EXPECT_EQ(none.exitCode(), 0);

    // The editor's letters for a pattern path open the window, which stays until closed.
    QProcess accepted;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    accepted.setProcessEnvironment(env);
    accepted.start(QString::fromUtf8(PRESSLY_BINARY), {QString(), QString::fromStdString(scramblePath("/tmp/用户/chart.xiu"))});
    ASSERT_TRUE(accepted.waitForStarted(10000));
    EXPECT_FALSE(accepted.waitForFinished(1500));
    accepted.kill();
    accepted.waitForFinished(5000);
}

namespace {

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(PageExport, APageSetThatFailsPartWayLeavesTheOldSetWhole)
{
    test::TempDir dir;
    const std::string mount = dir.file("small");
    ASSERT_EQ(::mkdir(mount.c_str(), 0700), 0);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=8m") != 0)
        GTEST_SKIP() << "a small tmpfs needs root (mount: " << std::strerror(errno) << ")";
    struct Unmount {
        std::string where;
        ~Unmount() { ::umount(where.c_str()); }
    } unmount{mount};

    PrintOptions options;
    options.mode = ExportMode::Pages;
    options.paperWidthCm = 6;  // 1.3 MB a page
    options.paperHeightCm = 4;
    Fixture f;
    Script script;
    script.output = mount + "/pages.tif";
    script.options = options;
    Status status;
    const PageExportResult first = runPageExport(f.setup, script, status);
    ASSERT_EQ(first.outcome, PageExportOutcome::Written);
    const std::vector<std::string> oldSet = namesIn(mount + "/pages");
    ASSERT_GT(oldSet.size(), 2u);
    const auto oldKey = test::readBytes(mount + "/pages/pages_KEY.tif");

    // Four times the pages: refused before anything is written, with what it would take.
    PatternDocument big;
    big.create(48, 32, "DMC");
    big.addThread(rgb(200, 30, 30), "321");
    big.assignDefaultSymbols();
    Fixture g(big);
    script.messages.clear();
    EXPECT_EQ(runPageExport(g.setup, script, status).outcome, PageExportOutcome::Refused);
    ASSERT_EQ(script.messages.size(), 2u);  // the CMYK note, then the refusal
    EXPECT_EQ(script.messages[1].rfind("印刷文件共", 0), 0u);
    EXPECT_NE(script.messages[1].find(" MB"), std::string::npos);
    EXPECT_EQ(namesIn(mount + "/pages"), oldSet);
    EXPECT_EQ(test::readBytes(mount + "/pages/pages_KEY.tif"), oldKey);
    EXPECT_EQ(namesIn(mount), std::vector<std::string>{"pages"});  // nothing beside it

    // Room for the pages' count but not for a second copy of the set: the old set is only
    // removed after the new one is whole, so the disk fills part-way and the old set stays.
    const std::string filler = mount + "/filler";
    const std::int64_t room = freeBytesFor(mount);
    ASSERT_GT(room, 0);
    Fixture h;
    script.messages.clear();
    {
        // Taken between the check and the writing: the check passes, the writing fails.
        struct Squeeze final : PageExportStatus {
            std::string filler;
            bool done = false;
            void status(const std::string& text) override
            {
                if (!done && text == "初始化文件完毕") {
                    done = true;
                    const std::int64_t left = freeBytesFor(filler);
                    test::writeBytes(filler, std::vector<std::uint8_t>(static_cast<std::size_t>(std::max<std::int64_t>(0, left - 4096)), 1));
                }
            }
            void progress(int) override {}
        } squeeze;
        squeeze.filler = filler;
        EXPECT_EQ(runPageExport(h.setup, script, squeeze).outcome, PageExportOutcome::Failed);
    }
    ::unlink(filler.c_str());
    EXPECT_EQ(namesIn(mount + "/pages"), oldSet);
    EXPECT_EQ(test::readBytes(mount + "/pages/pages_KEY.tif"), oldKey);
    EXPECT_EQ(namesIn(mount), std::vector<std::string>{"pages"});

    // Into a new folder: a failure leaves none.
    script.output = mount + "/other.tif";
    EXPECT_EQ(runPageExport(g.setup, script, status).outcome, PageExportOutcome::Refused);
    EXPECT_EQ(namesIn(mount), std::vector<std::string>{"pages"});
}

TEST(PageExport, ADamagedCmykTableIsToldOnceAndTheRunGoesOn)
{
    const std::vector<std::string> numbers = {"445", "321"};
    const std::vector<CmykPercent> percents = {{0, 2, 60, 0}, {10, 90, 80, 5}};
    const std::vector<std::vector<std::uint8_t>> damaged = {
        {}, {1, 2, 3, 4, 5, 6, 7, 8}, encodeCmykTable({}, {}),
    };
    for (std::size_t k = 0; k <= damaged.size(); ++k) {
        Fixture f;
        std::filesystem::create_directories(f.dir.path() + "cmyk");
        if (k < damaged.size())
            test::writeBytes(f.dir.file("cmyk/DMC.cmyk"), damaged[k]);
        else
            ASSERT_EQ(::mkfifo(f.dir.file("cmyk/DMC.cmyk").c_str(), 0600), 0);  // never waited on
        Script script;
        script.output = f.dir.file("w.tif");
        Status status;
        EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written) << k;
        EXPECT_EQ(script.messages, std::vector<std::string>{kMsgCmykTableDamaged}) << k;
    }
    Fixture good;
    std::filesystem::create_directories(good.dir.path() + "cmyk");
    test::writeBytes(good.dir.file("cmyk/DMC.cmyk"), encodeCmykTable(numbers, percents));
    Script script;
    script.output = good.dir.file("w.tif");
    Status status;
    EXPECT_EQ(runPageExport(good.setup, script, status).outcome, PageExportOutcome::Written);
    EXPECT_TRUE(script.messages.empty());
}

namespace {

// The pieces of one kind of a key, in drawing order.
std::vector<KeyPiece> piecesOf(const KeyDrawing& d, KeyPiece::Kind kind)
{
    std::vector<KeyPiece> out;
    for (const KeyPiece& p : d.pieces)
        if (p.kind == kind)
            out.push_back(p);
    return out;
}

// The most frequent value inside a box, its border left out: a cell's colour under its
// symbol.
template <typename Sample>
auto dominant(Sample&& sample, const QRect& box)
{
    std::map<decltype(sample(0, 0)), int> counts;
    for (int y = box.top() + 2; y < box.bottom() - 1; ++y)
        for (int x = box.left() + 2; x < box.right() - 1; ++x)
            ++counts[sample(x, y)];
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

// Whether any pixel of the middle half of a box differs from its corner's.
template <typename Sample>
bool inkedInside(Sample&& sample, const QRect& box)
{
    const auto ground = sample(box.left() + box.width() / 8, box.top() + box.height() / 2);
    for (int y = box.top() + box.height() / 4; y < box.top() + box.height() * 3 / 4; ++y)
        for (int x = box.left() + box.width() / 4; x < box.left() + box.width() * 3 / 4; ++x)
            if (sample(x, y) != ground)
                return true;
    return false;
}

// The key of the editor's picture and of the page writer's page, thread by thread: the
// same threads in the same order, each symbol cell in the thread's colour on both (the
// page's converted back through the profile), a symbol, a number and an amount on both.
void expectSameKey(const QImage& picture, const KeyDrawing& editor, const Page& page, const KeyDrawing& writer)
{
    const ColourToCmyk conversion;
    for (const KeyPiece::Kind kind : {KeyPiece::Kind::ThreadFill, KeyPiece::Kind::SymbolText, KeyPiece::Kind::FittedText,
                                      KeyPiece::Kind::Sample, KeyPiece::Kind::Text})
        EXPECT_EQ(piecesOf(editor, kind).size(), piecesOf(writer, kind).size()) << static_cast<int>(kind);
    const auto editorFills = piecesOf(editor, KeyPiece::Kind::ThreadFill);
    const auto writerFills = piecesOf(writer, KeyPiece::Kind::ThreadFill);
    ASSERT_EQ(editorFills.size(), writerFills.size());
    for (std::size_t i = 0; i < editorFills.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "key thread " << i);
        const QRect a = editorFills[i].box, b = writerFills[i].box;
        ASSERT_TRUE(QRect(0, 0, page.width, page.height).contains(b));
        const QRgb shown = picture.pixel(a.left() + 3, a.top() + 3) & 0xFFFFFF;
        const ColorRef printed = conversion.toScreen(page.at(b.left() + 10, b.top() + 10));
        EXPECT_NEAR(qRed(shown), static_cast<int>(redOf(printed)), 40);
        EXPECT_NEAR(qGreen(shown), static_cast<int>(greenOf(printed)), 40);
        EXPECT_NEAR(qBlue(shown), static_cast<int>(blueOf(printed)), 40);
        const auto pictureAt = [&](int x, int y) { return picture.pixel(x, y) & 0xFFFFFF; };
        const auto pageAt = [&](int x, int y) { return page.at(x, y).packed(); };
        EXPECT_TRUE(inkedInside(pictureAt, a));
        EXPECT_TRUE(inkedInside(pageAt, b));
        // The number and amount cells under it.
        for (const int row : {1, 2}) {
            EXPECT_TRUE(inkedInside(pictureAt, a.translated(0, row * a.height())));
            EXPECT_TRUE(inkedInside(pageAt, b.translated(0, row * b.height())));
        }
    }
    // The outline samples in their colours.
    const auto editorSamples = piecesOf(editor, KeyPiece::Kind::Sample);
    const auto writerSamples = piecesOf(writer, KeyPiece::Kind::Sample);
    for (std::size_t i = 0; i < editorSamples.size() && i < writerSamples.size(); ++i) {
        const QLine a = editorSamples[i].line;
        const QRect b = writerSamples[i].box;
        const QRgb shown = picture.pixel(a.center()) & 0xFFFFFF;
        const ColorRef printed = conversion.toScreen(page.at(b.center().x(), b.center().y()));
        EXPECT_NEAR(qRed(shown), static_cast<int>(redOf(printed)), 40);
        EXPECT_NEAR(qGreen(shown), static_cast<int>(greenOf(printed)), 40);
        EXPECT_NEAR(qBlue(shown), static_cast<int>(blueOf(printed)), 40);
    }
}

// Asks to stop once the run has reached a share of its pages.
class StopAtPercent final : public PageExportStatus {
public:
    explicit StopAtPercent(int percent) : at_(percent) {}
    std::vector<std::string> texts;
    int last = -1;
    void status(const std::string& text) override { texts.push_back(text); }
    void progress(int percent) override { last = percent; }
    bool cancelled() const override { return last >= at_; }

private:
    int at_;
};

PatternDocument manyPages()
{
    PatternDocument doc;
    doc.create(48, 32, "DMC");
    doc.addThread(rgb(200, 30, 30), "321");
    doc.addThread(rgb(20, 40, 120), "336");
    doc.assignDefaultSymbols();
    for (int r = 0; r < 32; ++r)
        for (int c = 0; c < 48; ++c)
            doc.setCell(c, r, (c + r) % 2);
    return doc;
}

PrintOptions smallPages()
{
    PrintOptions options;
    options.mode = ExportMode::Pages;
    options.paperWidthCm = 6;
    options.paperHeightCm = 4;
    return options;
}

}  // namespace

TEST(PageExport, TheKeyPageShowsWhatTheEditorsKeyPageShows)
{
    PatternDocument doc = threeThreads();
    doc.lines[0].color = rgb(200, 30, 30);
    Fixture f(doc);
    Script script;
    PrintOptions options;
    options.mode = ExportMode::Pages;
    script.options = options;
    script.output = f.dir.file("key");
    Status status;
    ASSERT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written);
    const Page page = readPage(f.dir.file("key/key_KEY.tif"));
    ASSERT_EQ(page.width, cmToPixels(25));

    const ChartLayout layout(doc, PrintSettings{}, QSize(600, 500));
    QImage picture(layout.pageSize(), QImage::Format_RGB32);
    {
        QPainter p(&picture);
        layout.drawPage(p, layout.grid().total, ChartStyle::PrintColour);
    }
    const KeyDrawing editor = layout.keyDrawing(QPoint(layout.margin(), layout.margin()), 600 - 2 * layout.margin());

    const PagePlan plan = paginate(pageRules(QSize(page.width, page.height), cmToPixels(0.3), titleTextHeight(scaled(20))),
                                   doc.width(), doc.height());
    const KeyModel model = pageKeyModel(doc, "", std::nullopt);
    const CanvasKey key(model, keyPagePlacement(plan));
    expectSameKey(picture, editor, page, key.drawing());
}

TEST(PageExport, TheWholePageShowsWhatTheEditorsWholeChartShows)
{
    PatternDocument doc = threeThreads();
    doc.lines[0].color = rgb(200, 30, 30);
    Fixture f(doc);
    Script script;
    script.output = f.dir.file("whole.tiff");
    Status status;
    ASSERT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written);
    const Page page = readPage(f.dir.file("whole.tiff"));

    const ChartLayout layout = ChartLayout::wholeChart(doc, PrintSettings{});
    QImage picture(layout.pageSize(), QImage::Format_RGB32);
    {
        QPainter p(&picture);
        layout.drawWholeChart(p, ChartStyle::PrintColour);
    }
    const int t0 = titleTextHeight(static_cast<int>(20 * 0.8 * kPageScale));
    const WholeFigures figures = wholeFigures(cmToPixels(0.3), doc.width(), doc.height(), doc.threads.size(), t0);
    ASSERT_EQ(page.width, figures.width);
    ASSERT_EQ(page.height, figures.height);
    const ChartPlacement chart = wholeChartPlacement(figures, doc.width(), doc.height(), t0);

    // The chart, cell by cell: the same colour, a symbol on both or on neither.
    const ColourToCmyk conversion;
    const int s = layout.settings().cellSize;
    const QPoint origin = layout.chartOrigin(doc.width());
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << c << ", " << r);
            const QRect a(origin.x() + c * s, origin.y() + r * s, s, s);
            const QRect b(chart.originX + c * chart.pitch, chart.originY + r * chart.pitch, chart.pitch, chart.pitch);
            // The outline line and the mark cover part of these cells.
            if ((c >= 3 && c <= 8 && r >= 1 && r <= 5) || (c == 10 && r == 5))
                continue;
            const QRgb shown = dominant([&](int x, int y) { return picture.pixel(x, y) & 0xFFFFFF; }, a);
            const std::uint32_t ink = dominant([&](int x, int y) { return page.at(x, y).packed(); }, b);
            const ColorRef printed = conversion.toScreen(
                {static_cast<std::uint8_t>(ink), static_cast<std::uint8_t>(ink >> 8), static_cast<std::uint8_t>(ink >> 16),
                 static_cast<std::uint8_t>(ink >> 24)});
            EXPECT_NEAR(qRed(shown), static_cast<int>(redOf(printed)), 40);
            EXPECT_NEAR(qGreen(shown), static_cast<int>(greenOf(printed)), 40);
            EXPECT_NEAR(qBlue(shown), static_cast<int>(blueOf(printed)), 40);
        }

    const KeyModel model = pageKeyModel(doc, "", std::nullopt);
    const CanvasKey key(model, wholeKeyPlacement(figures, chart));
    const QPoint keyAt = layout.wholeKeyTopLeft();
    const KeyDrawing editor = layout.keyDrawing(keyAt, layout.pageSize().width() - keyAt.x());
    // The key fits the canvas the rule gives.
    EXPECT_LE(key.drawing().bottom, page.height);
    EXPECT_LE(editor.bottom, layout.pageSize().height());
    expectSameKey(picture, editor, page, key.drawing());
}

TEST(PageExport, AStoppedRunKeepsTheOldSetAndRemovesTheFoldersItMade)
{
    Fixture f(manyPages());
    Script script;
    script.options = smallPages();
    // Into folders that are not there yet: stopped after the first pages, none of them stay.
    script.output = f.dir.file("new/deeper/set.tif");
    StopAtPercent stop(20);
    EXPECT_EQ(runPageExport(f.setup, script, stop).outcome, PageExportOutcome::Cancelled);
    EXPECT_EQ(stop.texts.back(), kStatusCancelled);
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("new")));

    // Over an old set: the old set stays as it was, and nothing is left beside it.
    script.output = f.dir.file("set.tif");
    Status status;
    ASSERT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Written);
    const std::vector<std::string> oldSet = namesIn(f.dir.file("set"));
    const auto oldKey = test::readBytes(f.dir.file("set/set_KEY.tif"));
    StopAtPercent again(50);
    EXPECT_EQ(runPageExport(f.setup, script, again).outcome, PageExportOutcome::Cancelled);
    EXPECT_EQ(namesIn(f.dir.file("set")), oldSet);
    EXPECT_EQ(test::readBytes(f.dir.file("set/set_KEY.tif")), oldKey);
    EXPECT_EQ(namesIn(f.dir.path()), (std::vector<std::string>{"chart.xiu", "set"}));
}

TEST(PageExport, AStoppedWholeRunWritesNothing)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("w.tif");
    StopAtPercent stop(0);
    EXPECT_EQ(runPageExport(f.setup, script, stop).outcome, PageExportOutcome::Cancelled);
    EXPECT_EQ(namesIn(f.dir.path()), std::vector<std::string>{"chart.xiu"});
}

TEST(PageExport, AWriteFailureSaysWhy)
{
    Fixture f;
    Script script;
    // A file stands where the folder should be.
    test::writeBytes(f.dir.file("plain"), {1, 2, 3});
    script.output = f.dir.file("plain/w.tif");
    Status status;
    EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Failed);
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(script.messages.back(), std::string(kMsgCannotWrite) + "(文件夹不存在)");
    // In page mode the folder for the set cannot be made under it either.
    script.messages.clear();
    script.options = smallPages();
    EXPECT_EQ(runPageExport(f.setup, script, status).outcome, PageExportOutcome::Failed);
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(script.messages.back(), std::string(kMsgCannotMakeFolder) + "(文件夹不存在)");
}

TEST(PageExport, TheRoomCheckUsesTheFreeSpaceItIsGiven)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("w.tif");
    injectFreeSpace(1000);
    Status status;
    const PageExportOutcome outcome = runPageExport(f.setup, script, status).outcome;
    injectFreeSpace(-1);
    EXPECT_EQ(outcome, PageExportOutcome::Refused);
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(script.messages.back().rfind("印刷文件共1页,需要", 0), 0u) << script.messages.back();
    EXPECT_NE(script.messages.back().find("只有1 KB可用"), std::string::npos) << script.messages.back();
    EXPECT_EQ(namesIn(f.dir.path()), std::vector<std::string>{"chart.xiu"});
}

TEST(PageExport, TheWindowsCancelStopsItsRun)
{
    Fixture f;
    Script script;
    script.output = f.dir.file("w.tiff");
    PresslyWindow window(f.setup, script);
    auto* cancel = window.findChild<QPushButton*>(u"cancel"_qs);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), fromGbk("取消"));
    EXPECT_FALSE(cancel->isEnabled());
    QEventLoop loop;
    QObject::connect(&window, &PresslyWindow::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    window.start();
    EXPECT_TRUE(cancel->isEnabled());
    cancel->click();  // before the worker has its answers, so before any page is finished
    EXPECT_TRUE(window.cancelRequested());
    loop.exec();
    ASSERT_FALSE(window.running());
    EXPECT_EQ(window.result().outcome, PageExportOutcome::Cancelled);
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_FALSE(fileExists(f.dir.file("w.tiff")));
}

TEST(PageExport, TheWindowAndTheOptionsSpeakEnglishWithTheCatalogue)
{
    ASSERT_TRUE(loadUiCatalogue(BRENMARK_CATALOGUE));
    {
        OptionsDialog dialog(startingOptions());
        EXPECT_EQ(test::chineseTexts(dialog), std::vector<std::string>());
        EXPECT_EQ(dialog.windowTitle(), u"Export Vector Chart"_qs);
        // The default title is shown in English and stays the program's own when left alone.
        EXPECT_EQ(dialog.options().title, startingOptions().title);
        Fixture f;
        Script script;
        PresslyWindow window(f.setup, script);
        EXPECT_EQ(test::chineseTexts(window), std::vector<std::string>());
    }
    loadUiCatalogue("");
}
