// Per-page export: the folder and file names, the refusals, the pixels of a page, and the
// PDF read back as text through poppler's tools.
#include "editor/output/chart_files.h"

#include "editor/render/chart_export.h"
#include "editor/render/tests/chart_test_support.h"
#include "editor/render/tests/program_output.h"
#include "interchange/code_page.h"
#include "interchange/gbk_qstring.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace brenmark;

namespace {

const QSize kA4 = paperUnits(210, 297);

class CountingProgress final : public ProgressReport {
public:
    void setRange(int low, int high) override { range = {low, high}; }
    void setPosition(int position) override { positions.push_back(position); }
    std::pair<int, int> range{-1, -1};
    std::vector<int> positions;
};

QString run(const QString& program, const QStringList& args)
{
    return test::runProgram(program, args);
}

QImage renderPage(const ChartLayout& layout, int n, ChartStyle style)
{
    QImage page(layout.pageSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    layout.drawPage(p, n, style);
    p.end();
    return page;
}

// Pixels of a colour in a cell's inside (its grid lines left out).
int countIn(const QImage& image, QRect cell, QRgb colour)
{
    int n = 0;
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
    return n;
}

}  // namespace

TEST(PageFiles, TheChosenPathWithoutExtensionIsTheFolderAndTheBase)
{
    const PageFiles files = pageFilesFor(u"/tmp/out/heart.bmp"_qs);
    EXPECT_EQ(files.folder, u"/tmp/out/heart"_qs);
    EXPECT_EQ(files.base, u"heart"_qs);
    EXPECT_EQ(files.file(u"KEY"_qs, u".bmp"_qs), u"/tmp/out/heart/heart_KEY.bmp"_qs);
    EXPECT_EQ(pageFilesFor(u"/tmp/out/heart"_qs).folder, u"/tmp/out/heart"_qs);
}

TEST(PageExport, AOnePagePatternWritesExactlyTheFirstPageAndTheKey)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(20, 20);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    ASSERT_EQ(layout.grid().total, 2);
    CountingProgress progress;
    ExportError error;
    const QStringList files = writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"heart.bmp"_qs),
                                              ChartFormat::Bmp, &progress, &error);
    ASSERT_EQ(files.size(), 2) << error.text;
    EXPECT_EQ(QDir(dir.filePath(u"heart"_qs)).entryList(QDir::Files | QDir::Hidden),
              (QStringList{u"heart_1.bmp"_qs, u"heart_KEY.bmp"_qs}));
    EXPECT_EQ(progress.range, std::pair(0, 2));
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2}));
    const QImage page(files[0]);
    EXPECT_EQ(page.size(), kA4);
}

TEST(PageExport, ManyPagesAreNumberedThenTheKeyInEveryFormat)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(100, 30);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    ASSERT_EQ(layout.grid().total, 3);  // two pages across
    for (const ChartFormat f : {ChartFormat::Png, ChartFormat::Jpeg, ChartFormat::Svg, ChartFormat::Emf}) {
        const QString ext = extensionOf(f);
        const QString sub = dir.filePath(ext.mid(1));
        QDir().mkpath(sub);
        const QStringList files = writeChartPages(layout, ChartStyle::PrintBlackWhite, sub + u"/p.x"_qs, f, nullptr, nullptr);
        EXPECT_EQ(QDir(sub + u"/p"_qs).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{u"p_1"_qs + ext, u"p_2"_qs + ext, u"p_KEY"_qs + ext}))
            << ext.toStdString();
    }
    QFile svg(dir.filePath(u"svg/p/p_1.svg"_qs));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<text"));
}

TEST(PageExport, AFileInTheFoldersPlaceIsRefusedWithAMessage)
{
    QTemporaryDir dir;
    {
        QFile blocker(dir.filePath(u"heart"_qs));
        blocker.open(QIODevice::WriteOnly);
    }
    const PatternDocument doc = test::checkerPattern(10, 10);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    ExportError error;
    EXPECT_TRUE(writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"heart.bmp"_qs), ChartFormat::Bmp,
                                nullptr, &error)
                    .isEmpty());
    EXPECT_EQ(error.text.rfind("无法创建导出文件夹:", 0), 0u) << error.text;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"heart"_qs});
    // A missing folder on the way is made.
    EXPECT_EQ(writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"a/b/c.bmp"_qs), ChartFormat::Bmp, nullptr,
                              &error)
                  .size(),
              2);
}

TEST(PageExport, AFailureMidwayLeavesNoHalfWrittenFile)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(10, 10);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    QDir().mkpath(dir.filePath(u"heart/heart_KEY.bmp"_qs));  // the key page cannot go there
    ExportError error;
    EXPECT_TRUE(writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"heart.bmp"_qs), ChartFormat::Bmp,
                                nullptr, &error)
                    .isEmpty());
    EXPECT_NE(error.text.find("heart_KEY.bmp"), std::string::npos);
    // The set goes in whole or not at all: no page of it was moved in, nothing is left beside.
    EXPECT_EQ(QDir(dir.filePath(u"heart"_qs)).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{u"heart"_qs});
}

TEST(PagePixels, SymbolsAreWhiteOnDarkCellsAndBlackOnLightOnes)
{
    const PatternDocument doc = test::checkerPattern(20, 20);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    const QImage page = renderPage(layout, 1, ChartStyle::PrintColour);
    const QPoint o = layout.chartOrigin(20);
    const int s = layout.settings().cellSize;
    const QRect dark(o.x(), o.y(), s, s);       // thread 0, dark blue
    const QRect light(o.x() + s, o.y(), s, s);  // thread 1, yellow
    EXPECT_GT(countIn(page, dark, qRgb(255, 255, 255)), 0);
    EXPECT_EQ(countIn(page, dark, qRgb(0, 0, 0)), 0);
    EXPECT_GT(countIn(page, dark, qRgb(0, 0, 96)), 0);
    EXPECT_GT(countIn(page, light, qRgb(0, 0, 0)), 0);
    EXPECT_EQ(countIn(page, light, qRgb(255, 255, 255)), 0);
}

TEST(PagePixels, ColouredSymbolsFillNoCellAndTakeTheThreadsColour)
{
    const PatternDocument doc = test::checkerPattern(20, 20);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    const QImage page = renderPage(layout, 1, ChartStyle::ColouredSymbols);
    const QPoint o = layout.chartOrigin(20);
    const int s = layout.settings().cellSize;
    const QRect dark(o.x(), o.y(), s, s);
    const QRect light(o.x() + s, o.y(), s, s);
    const int inside = (s - 2) * (s - 2);
    EXPECT_GT(countIn(page, dark, qRgb(255, 255, 255)), inside / 2);
    EXPECT_GT(countIn(page, dark, qRgb(0, 0, 96)), 0);
    EXPECT_GT(countIn(page, light, qRgb(255, 255, 0)), 0);
    EXPECT_EQ(countIn(page, light, qRgb(0, 0, 0)), 0);
}

TEST(PagePixels, EveryTenthGridLineIsDrawnWithTheTenLinePen)
{
    PatternDocument doc;
    doc.create(20, 20, "DMC");  // no cells: only the grid in the chart
    PrintSettings settings;
    settings.tenLineWidth = 4;
    const ChartLayout layout(doc, settings, kA4);
    const QImage page = renderPage(layout, 1, ChartStyle::PrintColour);
    const QPoint o = layout.chartOrigin(20);
    const int s = settings.cellSize;
    const int y = o.y() + 3 * s + s / 2;
    const auto run = [&](int boundary, QRgb colour) {
        int n = 0;
        for (int x = o.x() + boundary * s - 4; x <= o.x() + boundary * s + 4; ++x)
            n += (page.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
        return n;
    };
    EXPECT_EQ(run(10, qRgb(0, 0, 0)), 4);
    EXPECT_EQ(run(5, qRgb(0, 0, 0)), 0);
    EXPECT_EQ(run(5, qRgb(0x78, 0x78, 0x78)), 1);
}

TEST(PagePixels, RepeatedCellsAreShadedOnTheNextPageOnly)
{
    const PatternDocument doc = test::checkerPattern(30, 200);
    PrintSettings settings;
    settings.pageOverlap = 3;
    const ChartLayout layout(doc, settings, kA4);
    ASSERT_EQ(layout.grid().pagesDown, 3);
    const QRect first = layout.pageCells(1), second = layout.pageCells(2);
    ASSERT_EQ(second.top(), first.bottom() + 1 - 3);
    // The top-left pixel inside a cell of each page: the grid line is at its edge.
    const auto pixel = [&](const QImage& page, const QRect& cells, int c, int r) {
        const QPoint origin = layout.chartOrigin(cells.width());
        return page.pixel(origin.x() + (c - cells.left()) * 10 + 1, origin.y() + (r - cells.top()) * 10 + 1) & 0xFFFFFF;
    };
    for (const ChartStyle style : {ChartStyle::PrintColour, ChartStyle::PrintBlackWhite}) {
        const QImage one = renderPage(layout, 1, style), two = renderPage(layout, 2, style);
        const int row = second.top() + 1;  // a repeated row, the yellow thread's at column 5
        const int column = row % 2 == 0 ? 5 : 4;
        const QRgb plain = pixel(one, first, column, row), shaded = pixel(two, second, column, row);
        if (style == ChartStyle::PrintColour) {
            EXPECT_EQ(plain, 0xFFFF00u);
            EXPECT_EQ(shaded, qRgb(191, 191, 0) & 0xFFFFFFu);
        } else {
            EXPECT_EQ(plain, 0xFFFFFFu);
            EXPECT_EQ(shaded, qRgb(222, 222, 222) & 0xFFFFFFu);
        }
        // The row after the repeated ones is as on any page.
        const int fresh = second.top() + 3;
        EXPECT_EQ(pixel(two, second, fresh % 2 == 0 ? 5 : 4, fresh), plain);
    }
}

TEST(PagePdf, SymbolsThreadNumbersAndAmountsAreTextInAnEmbeddedFont)
{
    QTemporaryDir dir;
    PatternDocument doc;
    doc.create(30, 12, "DMC");
    const char* numbers[] = {"310", "3865", "B5200", "798", "ECRU"};
    for (int i = 0; i < 5; ++i)
        doc.addThread(rgb(40 * i, 200 - 30 * i, 90), numbers[i]);
    doc.assignDefaultSymbols();
    // Symbols no ruler number or header can hold, so each is counted once per cell.
    const char* symbols[] = {"@", "#", "$", "&", "★"};
    for (int i = 0; i < 5; ++i)
        doc.symbols[static_cast<std::size_t>(i)].symbol = symbols[i];
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            doc.setCell(c, r, c / 6);  // 6 x 12 = 72 cells each
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    const QStringList files =
        writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"chart.x"_qs), ChartFormat::Pdf, nullptr, nullptr);
    ASSERT_EQ(files, QStringList{dir.filePath(u"chart.pdf"_qs)});
    const QString text = run(u"pdftotext"_qs, {u"-layout"_qs, files[0], u"-"_qs});
    ASSERT_FALSE(text.isEmpty());
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(text.contains(QString::fromLatin1(numbers[i]))) << numbers[i];
        const QString symbol = fromGbk(doc.symbols[static_cast<std::size_t>(i)].symbol);
        EXPECT_EQ(text.count(symbol), 72 + 1) << symbols[i];  // the cells and the key
    }
    EXPECT_TRUE(text.contains(u"72"_qs));  // the cells key
    EXPECT_TRUE(text.contains(fromGbk("使用绣线数")));
    const QString fonts = run(u"pdffonts"_qs, {files[0]});
    const QStringList rows = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(rows.isEmpty()) << fonts.toStdString();
    for (const QString& row : rows)  // name type encoding emb sub uni object
        EXPECT_TRUE(row.contains(u" yes "_qs)) << row.toStdString();
}

// Chart-reading programs take each symbol's place from the PDF: every cell's symbol must be a
// character whose middle lies in that cell on its page, and nowhere else in the chart.
TEST(PagePdf, EverySymbolStandsInItsCellOnItsPage)
{
    QTemporaryDir dir;
    PatternDocument doc;
    doc.create(83, 101, "DMC");  // several pages both ways on A4
    for (int i = 0; i < 12; ++i)
        doc.addThread(rgb(20 * i, 240 - 20 * i, 90), std::to_string(700 + i));
    doc.assignDefaultSymbols();
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            doc.setCell(c, r, (c * 5 + r * 7) % 13 - 1);  // every thread, and empty cells
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    const QStringList files =
        writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"chart.pdf"_qs), ChartFormat::Pdf, nullptr, nullptr);
    ASSERT_EQ(files.size(), 1);
    const QString listing = run(u"/usr/bin/python3"_qs, {QString::fromUtf8(PDF_CHARS_SCRIPT), files[0]});
    ASSERT_FALSE(listing.isEmpty()) << "pdfminer (python3-pdfminer) read nothing";

    const int s = layout.settings().cellSize;
    std::map<std::pair<int, int>, QString> found;  // cell → characters drawn in it
    for (const QString& line : listing.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(u' ');
        ASSERT_GE(f.size(), 7) << line.toStdString();
        const int page = f[0].toInt();
        if (page >= layout.grid().total)
            continue;  // the key page
        const double units = 96.0 / 72.0;
        const double x = (f[1].toDouble() + f[3].toDouble()) / 2 * units;
        const double y = (f[5].toDouble() - (f[2].toDouble() + f[4].toDouble()) / 2) * units;
        const QRect cells = layout.pageCells(page);
        const QPoint origin = layout.chartOrigin(cells.width());
        const QRectF chart(origin, QSizeF(cells.width() * s, cells.height() * s));
        if (!chart.contains(x, y))
            continue;  // rulers, header, centre marks
        const int c = cells.left() + static_cast<int>((x - origin.x()) / s);
        const int r = cells.top() + static_cast<int>((y - origin.y()) / s);
        found[{c, r}] += f.mid(6).join(u' ');
    }
    int symbols = 0;
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c) {
            const std::int32_t index = doc.cell(c, r);
            const auto at = found.find({c, r});
            if (!doc.isThread(index)) {
                EXPECT_TRUE(at == found.end()) << c << "," << r;
                continue;
            }
            ++symbols;
            ASSERT_TRUE(at != found.end()) << "no symbol at " << c << "," << r;
            EXPECT_EQ(at->second, fromGbk(doc.symbols[static_cast<std::size_t>(index)].symbol)) << c << "," << r;
        }
    EXPECT_EQ(found.size(), static_cast<std::size_t>(symbols));
}
