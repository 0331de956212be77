// The chart-reader PDF read back as those apps read it: every glyph at its place, the grid as
// lines and the key as a floss list (pdfminer, through pdf_glyphs.py). A converted picture of
// 200 threads must come back cell for cell, on A4 pages with overlap and on one whole page.
#include "editor/output/chart_files.h"
#include "editor/output/colour_matching.h"
#include "editor/output/picture_import.h"
#include "editor/output/sample_picture.h"
#include "editor/output/tests/pdf_test_support.h"
#include "editor/render/chart_export.h"
#include "editor/render/chart_symbol_font.h"
#include "interchange/code_page.h"
#include "interchange/gbk_qstring.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace brenmark;

namespace {

// DMC from the thread table the palettes are built from, with its names.
struct Brand {
    Palette palette;
    ThreadNames names;
};

const Brand& dmc()
{
    static const Brand brand = [] {
        Brand b;
        std::ifstream in(std::string(BRENMARK_THREAD_TABLES) + "dmc.csv");
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::vector<std::string> f;
            std::stringstream ss(line);
            for (std::string field; std::getline(ss, field, ',');)
                f.push_back(field);
            if (f.size() < 5)
                continue;
            const std::size_t n = f.size();
            std::string name = f[1];
            for (std::size_t k = 2; k + 3 < n; ++k)
                name += "," + f[k];
            b.palette.numbers.push_back(f[0]);
            b.palette.colors.push_back(rgb(std::stoi(f[n - 3]), std::stoi(f[n - 2]), std::stoi(f[n - 1])));
            b.palette.flags.push_back(0);
            b.names.emplace(f[0], utf8ToGbk(name));
        }
        return b;
    }();
    return brand;
}

// A picture of hues across and lightness down beside the ball, converted under a limit of
// threads.
PatternDocument manyThreadPattern(int width, int height, int threads = 200)
{
    QImage picture = skyAndBallPicture(QSize(width, height));
    {
        QPainter p(&picture);
        for (int x = 0; x < width / 2; ++x)
            for (int y = 0; y < height; ++y)
                p.setPen(QColor::fromHsv(x * 359 / (width / 2), 80 + 175 * y / height, 255 - 200 * y / height)),
                    p.drawPoint(x, y);
    }
    std::vector<ColorRef> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb c = picture.pixel(x, y);
            pixels.push_back(rgb(qRed(c), qGreen(c), qBlue(c)));
        }
    ConversionOptions options;
    options.metric = ColourMetric::Lab;
    options.maxThreads = threads;
    const ConversionResult result = convertPixelsWith(pixels, width, height, dmc().palette.colors, options);
    return convertedPattern(result, "DMC", dmc().palette, kWhite);
}

struct Glyph {
    QString font;
    QRectF box;  // layout units
    QString text;
};
struct PdfPage {
    std::vector<Glyph> glyphs;
    std::vector<QLineF> lines;
};

// Every page's glyphs and lines in the layout's units (96 an inch).
std::vector<PdfPage> readPdf(const QString& path)
{
    const QString out = test::runTool(u"/usr/bin/python3"_qs, {QString::fromUtf8(PDF_GLYPHS_SCRIPT), path});
    std::vector<PdfPage> pages;
    const double k = 96.0 / 72.0;
    for (const QString& row : out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = row.split(u'\t');
        const auto at = [&](int i) { return f[i].toDouble() * k; };
        if (f[0] == u"P"_qs)
            pages.emplace_back();
        else if (f[0] == u"C"_qs && f.size() >= 8)
            pages.back().glyphs.push_back({f[2], QRectF(QPointF(at(3), at(4)), QPointF(at(5), at(6))), f[7]});
        else if (f[0] == u"L"_qs && f.size() >= 7)
            pages.back().lines.emplace_back(at(2), at(3), at(4), at(5));
    }
    return pages;
}

// The key's text lines, glyphs on one baseline joined left to right, a space at each gap.
std::vector<std::pair<QString, std::vector<Glyph>>> textLines(const PdfPage& page)
{
    // Glyphs whose centres lie within a few units of each other down the page share a line.
    std::vector<Glyph> sorted = page.glyphs;
    std::sort(sorted.begin(), sorted.end(), [](const Glyph& a, const Glyph& b) { return a.box.center().y() < b.box.center().y(); });
    std::vector<std::vector<Glyph>> rows;
    for (const Glyph& g : sorted) {
        if (rows.empty() || g.box.center().y() - rows.back().back().box.center().y() > 5)
            rows.emplace_back();
        rows.back().push_back(g);
    }
    std::vector<std::pair<QString, std::vector<Glyph>>> lines;
    for (auto& glyphs : rows) {
        std::sort(glyphs.begin(), glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.box.left() < b.box.left(); });
        QString text;
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            if (i > 0 && glyphs[i].box.left() - glyphs[i - 1].box.right() > 2 && !text.endsWith(u' '))
                text += u' ';
            text += glyphs[i].text;
        }
        lines.emplace_back(text.trimmed(), glyphs);
    }
    return lines;
}

struct ReadChart {
    std::map<std::pair<int, int>, QString> cells;  // (column, row) -> symbol
    std::map<QString, QString> keyNumbers;         // symbol -> thread number
    std::map<QString, QString> keyNames;           // thread number -> name on the key
    std::map<QString, QString> keyStitches;        // thread number -> stitches
    std::set<QString> symbolFonts, textFonts;
    QStringList keyText;
    int conflicts = 0;
};

// Reads the chart as an app does: each pattern page's grid from its lines, each glyph inside
// it as the cell under its centre; the page's first cell is the plan's. Grid faults are
// reported as test failures here.
ReadChart readChart(const ChartLayout& layout, const QString& path)
{
    ReadChart read;
    const std::vector<PdfPage> pages = readPdf(path);
    const PageGrid& grid = layout.grid();
    EXPECT_EQ(static_cast<int>(pages.size()), grid.total);
    bool full = false;  // within the full stitches' list, which runs on over the key's pages
    for (int n = 1; n <= std::min<int>(grid.total, static_cast<int>(pages.size())); ++n) {
        const PdfPage& page = pages[static_cast<std::size_t>(n - 1)];
        if (grid.isKeyPage(n)) {
            for (const auto& [text, glyphs] : textLines(page)) {
                read.keyText.push_back(text);
                if (text == u"Floss Used for Full Stitches:"_qs) {
                    full = true;
                    continue;
                }
                if (text.startsWith(u"Floss Used for Back Stitches:"_qs))
                    full = false;
                const QStringList t = text.split(u' ', Qt::SkipEmptyParts);
                if (!full || t.size() < 5)
                    continue;
                // symbol strands brand number name… stitches
                read.keyNumbers[t[0]] = t[3];
                read.keyNames[t[3]] = t.mid(4, t.size() - 5).join(u' ');
                read.keyStitches[t[3]] = t.last();
                read.symbolFonts.insert(glyphs.front().font);
                for (std::size_t i = 1; i < glyphs.size(); ++i)
                    read.textFonts.insert(glyphs[i].font);
            }
            continue;
        }
        if (n == grid.mapPage)
            continue;
        const QRect cells = layout.pageCells(n);
        std::set<double> xs, ys;
        std::vector<QLineF> vertical, horizontal;
        for (const QLineF& l : page.lines) {
            if (std::abs(l.x1() - l.x2()) < 0.01) {
                vertical.push_back(l);
                xs.insert(std::round(l.x1() * 100) / 100);
            } else if (std::abs(l.y1() - l.y2()) < 0.01) {
                horizontal.push_back(l);
                ys.insert(std::round(l.y1() * 100) / 100);
            }
        }
        // Exactly one line per column and row boundary of the page's cells, each spanning the
        // chart area and none outside it.
        EXPECT_EQ(static_cast<int>(xs.size()), cells.width() + 1) << "page " << n;
        EXPECT_EQ(static_cast<int>(ys.size()), cells.height() + 1) << "page " << n;
        EXPECT_EQ(vertical.size(), xs.size()) << "page " << n;
        EXPECT_EQ(horizontal.size(), ys.size()) << "page " << n;
        if (xs.size() < 2 || ys.size() < 2)
            continue;
        const double left = *xs.begin(), right = *xs.rbegin(), top = *ys.begin(), bottom = *ys.rbegin();
        for (const QLineF& l : vertical)
            EXPECT_TRUE(std::abs(std::min(l.y1(), l.y2()) - top) < 0.05 && std::abs(std::max(l.y1(), l.y2()) - bottom) < 0.05)
                << "page " << n << " vertical line at " << l.x1();
        for (const QLineF& l : horizontal)
            EXPECT_TRUE(std::abs(std::min(l.x1(), l.x2()) - left) < 0.05 && std::abs(std::max(l.x1(), l.x2()) - right) < 0.05)
                << "page " << n << " horizontal line at " << l.y1();
        const double pitchX = (right - left) / cells.width(), pitchY = (bottom - top) / cells.height();
        for (const Glyph& g : page.glyphs) {
            const QPointF c = g.box.center();
            if (c.x() <= left || c.x() >= right || c.y() <= top || c.y() >= bottom)
                continue;
            const int column = cells.left() + static_cast<int>((c.x() - left) / pitchX);
            const int row = cells.top() + static_cast<int>((c.y() - top) / pitchY);
            const auto [it, added] = read.cells.emplace(std::pair(column, row), g.text);
            if (!added && it->second != g.text)
                ++read.conflicts;  // a repeated cell must say what it said the first time
            read.symbolFonts.insert(g.font);
        }
    }
    return read;
}

// Every cell of the pattern read back and mapped through the key to its thread's number.
void expectEveryCell(const PatternDocument& doc, const ReadChart& read)
{
    EXPECT_EQ(read.conflicts, 0);
    int wrong = 0, missing = 0;
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c) {
            const std::int32_t index = doc.cell(c, r);
            const auto cell = read.cells.find({c, r});
            if (!doc.isThread(index)) {
                EXPECT_EQ(cell, read.cells.end());
                continue;
            }
            if (cell == read.cells.end()) {
                ++missing;
                continue;
            }
            const auto number = read.keyNumbers.find(cell->second);
            wrong += number == read.keyNumbers.end() ||
                     number->second != fromGbk(doc.threads.numbers[static_cast<std::size_t>(index)]);
        }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(wrong, 0);
}

class ChartAppPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() { doc_ = new PatternDocument(manyThreadPattern(96, 120)); }
    static void TearDownTestSuite() { delete doc_; }
    static PatternDocument* doc_;
    QTemporaryDir dir_;

    ChartLayout layout(QSize page) const
    {
        ChartLayout l(*doc_, chartAppSettings(PrintSettings{}), page);
        l.setThreadNames(dmc().names);
        return l;
    }
    QString write(const ChartLayout& l, const QString& name) const
    {
        const QStringList files = writeChartPages(l, ChartStyle::PrintColour, dir_.filePath(name), ChartFormat::Pdf, nullptr, nullptr);
        return files.size() == 1 ? files[0] : QString();
    }
};
PatternDocument* ChartAppPdf::doc_ = nullptr;

}  // namespace

TEST_F(ChartAppPdf, EveryCellComesBackThroughTheKeyOnA4PagesWithOverlap)
{
    ASSERT_EQ(doc_->threads.size(), 200);
    const ChartLayout a4 = layout(paperUnits(210, 297));
    const PageGrid& grid = a4.grid();
    ASSERT_GT(grid.patternPages(), 2);
    EXPECT_EQ(grid.overlapColumns, 3);
    EXPECT_EQ(grid.overlapRows, 3);
    EXPECT_EQ(grid.mapPage, grid.patternPages() + 1);
    EXPECT_GT(grid.keyPages, 1);  // 200 threads do not fit one page of lines
    const QString pdf = write(a4, u"a4.pdf"_qs);
    ASSERT_FALSE(pdf.isEmpty());
    const ReadChart read = readChart(a4, pdf);
    ASSERT_EQ(read.keyNumbers.size(), 200u) << read.keyText.size() << "\n" << read.keyText.join(u"\n"_qs).toStdString();
    expectEveryCell(*doc_, read);

    // The key: the size, the fabric, and each thread's name and stitches.
    const auto has = [&](const QString& line) { return read.keyText.contains(line); };
    EXPECT_TRUE(has(u"96w X 120h Stitches"_qs));
    EXPECT_TRUE(has(u"Fabric: 14 count Aida, white"_qs));
    const ThreadUsage usage(*doc_);
    for (std::size_t i = 0; i < 200; ++i) {
        const QString number = fromGbk(doc_->threads.numbers[i]);
        EXPECT_EQ(read.keyStitches.at(number), QString::number(usage.cellsOf(i))) << number.toStdString();
        const QString name = fromGbk(threadName(dmc().names, doc_->threads.numbers[i]));
        if (name.size() < 20) {  // long names are cut to their column
            EXPECT_EQ(read.keyNames.at(number), name) << number.toStdString();
        }
    }
}

TEST_F(ChartAppPdf, EveryCellComesBackFromOneWholePage)
{
    const ChartLayout whole = layout(QSize(1400, 1700));
    ASSERT_EQ(whole.grid().patternPages(), 1);
    EXPECT_EQ(whole.grid().mapPage, 0);  // no map for a single page
    const QString pdf = write(whole, u"whole.pdf"_qs);
    ASSERT_FALSE(pdf.isEmpty());
    const ReadChart read = readChart(whole, pdf);
    expectEveryCell(*doc_, read);
}

TEST_F(ChartAppPdf, EveryOrdinaryPageHasExactlyItsCellsGridLines)
{
    // The printed layout as it always was (no overlap, the table key): lower and later pages
    // carry no line of the page before and no line running off the page.
    const ChartLayout plain(*doc_, PrintSettings{}, paperUnits(210, 297));
    ASSERT_GE(plain.grid().pagesAcross, 2);
    ASSERT_GE(plain.grid().pagesDown, 2);
    const QString pdf = write(plain, u"plain.pdf"_qs);
    ASSERT_FALSE(pdf.isEmpty());
    const ReadChart read = readChart(plain, pdf);  // the grid checks are readChart's
    EXPECT_EQ(read.conflicts, 0);
    EXPECT_EQ(read.cells.size(), static_cast<std::size_t>(doc_->width() * doc_->height()));
}

TEST_F(ChartAppPdf, SymbolsHaveAFontOfTheirOwnBothEmbedded)
{
    // A face other than the text's stands in for the symbol font, so the separation is
    // checked whether the chart symbol font is installed or not.
    const QString family = u"DejaVu Sans"_qs;
    PatternDocument small = manyThreadPattern(40, 30, 30);  // symbols every face has
    ChartLayout l(small, chartAppSettings(PrintSettings{}), paperUnits(210, 297));
    l.setSymbolFamily(family);
    const QString pdf = write(l, u"fonts.pdf"_qs);
    ASSERT_FALSE(pdf.isEmpty());
    const ReadChart read = readChart(l, pdf);
    ASSERT_EQ(read.symbolFonts.size(), 1u);
    EXPECT_TRUE(read.symbolFonts.begin()->contains(u"DejaVuSans"_qs)) << read.symbolFonts.begin()->toStdString();
    for (const QString& font : read.textFonts)
        EXPECT_NE(font, *read.symbolFonts.begin());
    expectEveryCell(small, read);

    const auto fontRows = [](const QString& path) {
        const QString fonts = test::runTool(u"pdffonts"_qs, {path});
        return fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    };
    const QStringList rows = fontRows(pdf);
    ASSERT_GE(rows.size(), 2);  // the symbols' face and the text's
    int symbolRows = 0;
    for (const QString& row : rows) {  // name type encoding emb sub uni object ID
        const QStringList f = row.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(f.size(), 7);
        EXPECT_EQ(f[f.size() - 5], u"yes"_qs) << row.toStdString();  // embedded
        EXPECT_EQ(f[f.size() - 3], u"yes"_qs) << row.toStdString();  // a Unicode map
        symbolRows += row.contains(u"DejaVuSans"_qs);
    }
    EXPECT_EQ(symbolRows, 1);

    // The chart symbol font itself, when it is installed, is embedded as a face of its own.
    const QString chartFont = chartSymbolFontFamily();
    if (chartFont.isEmpty())
        return;
    const ChartLayout own(*doc_, chartAppSettings(PrintSettings{}), paperUnits(210, 297));
    const QString ownPdf = write(own, u"own.pdf"_qs);
    const QStringList ownRows = fontRows(ownPdf);
    const auto named = std::find_if(ownRows.begin(), ownRows.end(),
                                    [&](const QString& row) { return row.contains(QString(chartFont).remove(u' ')); });
    ASSERT_NE(named, ownRows.end()) << test::runTool(u"pdffonts"_qs, {ownPdf}).toStdString();
    EXPECT_GE(ownRows.size(), 2);
    const QStringList f = named->split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(f[f.size() - 5], u"yes"_qs);
    EXPECT_EQ(f[f.size() - 3], u"yes"_qs);
}
