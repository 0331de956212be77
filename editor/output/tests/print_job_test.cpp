// The print job into PDF files: what is asked, which pages come out in which order, the
// page size and turn, the pages' texts, and the logical units on the device.
#include "editor/output/print_job.h"

#include "editor/output/print_preview.h"
#include "editor/output/tests/pdf_test_support.h"
#include "editor/render/tests/chart_test_support.h"
#include "interchange/gbk_qstring.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

using test::pdfFacts;
using test::PdfFacts;

QString run(const QString& program, const QStringList& args)
{
    return test::runTool(program, args);
}

QString pageText(const QString& path, int page)
{
    return test::pdfPageText(path, page);
}

bool isKeyPage(const QString& text)
{
    return text.contains(fromGbk("使用绣线"));
}

// A PDF writer on A4 at 600 dots an inch without margins: the whole sheet is printable.
struct PdfPrinter {
    explicit PdfPrinter(const QString& file) : path(file), writer(file)
    {
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
    PrintTarget target()
    {
        return {writer, [this](const QString& name) { writer.setTitle(name); }};
    }
    QString path;
    QPdfWriter writer;
};

struct Asked {
    std::vector<PrintChoiceRequest> requests;
    std::optional<PrintChoice> answer;
    AskPrintChoice ask()
    {
        return [this](const PrintChoiceRequest& r) {
            requests.push_back(r);
            return answer;
        };
    }
};

PrintChoice choose(int page, int copies = 1, bool colour = true)
{
    PrintChoice c;
    c.page = page;
    c.copies = copies;
    c.colour = colour;
    return c;
}

class PrintJob : public ::testing::Test {
protected:
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
    Asked asked;
};

TEST_F(PrintJob, NothingIsAskedOrPrintedWithoutAnOpenPattern)
{
    PdfPrinter printer(file("none.pdf"));
    asked.answer = choose(0);
    const PrintResult r = printChart(printer.target(), PatternDocument{}, PrintSettings{}, {}, asked.ask());
    EXPECT_EQ(r.outcome, PrintOutcome::NoPattern);
    EXPECT_TRUE(asked.requests.empty());
    EXPECT_FALSE(QFile::exists(printer.path));
}

TEST_F(PrintJob, AOnePagePatternPrintsTheWholePageThenTheKeyUnderTheDocumentsName)
{
    const PatternDocument doc = test::checkerPattern(20, 30);  // narrower than tall: portrait
    {
        PdfPrinter printer(file("one.pdf"));
        asked.answer = choose(0);
        const PrintResult r = printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask());
        EXPECT_EQ(r.outcome, PrintOutcome::Printed);
        EXPECT_EQ(r.pages, (std::vector<int>{1, 2}));
    }
    ASSERT_EQ(asked.requests.size(), 1u);
    const PrintChoiceRequest& request = asked.requests[0];
    EXPECT_EQ(request.grid.total, 2);
    EXPECT_EQ(request.pages, (std::vector<std::string>{"第1张", "绣线表"}));

    const QString path = file("one.pdf");
    const PdfFacts facts = pdfFacts(path);
    ASSERT_EQ(facts.pages, 2) << "is pdfinfo (poppler-utils) installed?";
    EXPECT_EQ(facts.sizes, (std::vector<QSize>{QSize(595, 842), QSize(595, 842)}));
    EXPECT_EQ(facts.title, fromGbk(kPrintDocumentName));
    const QString first = pageText(path, 1);
    EXPECT_TRUE(first.contains(fromGbk("Velmora十字绣绣图")));
    EXPECT_TRUE(first.contains(fromGbk("--第1张 共1张")));
    EXPECT_FALSE(isKeyPage(first));
    EXPECT_TRUE(isKeyPage(pageText(path, 2)));
}

TEST_F(PrintJob, AWidePatternTurnsThePageToLandscape)
{
    const PatternDocument doc = test::checkerPattern(30, 20);
    {
        PdfPrinter printer(file("wide.pdf"));
        asked.answer = choose(0);
        printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask());
    }
    const PdfFacts facts = pdfFacts(file("wide.pdf"));
    ASSERT_EQ(facts.pages, 2);
    EXPECT_EQ(facts.sizes[0], QSize(842, 595));
    // A square pattern is not narrower than tall either.
    EXPECT_EQ(pageOrientationFor(test::checkerPattern(10, 10)), QPageLayout::Landscape);
    EXPECT_EQ(pageOrientationFor(test::checkerPattern(9, 10)), QPageLayout::Portrait);
}

TEST_F(PrintJob, AChosenPatternPagePrintsAloneAndTheChosenKeyPageAlone)
{
    const PatternDocument doc = test::checkerPattern(20, 30);
    {
        PdfPrinter printer(file("page.pdf"));
        asked.answer = choose(1);
        EXPECT_EQ(printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask()).pages, std::vector<int>{1});
    }
    ASSERT_EQ(pdfFacts(file("page.pdf")).pages, 1);
    EXPECT_FALSE(isKeyPage(pageText(file("page.pdf"), 1)));
    {
        PdfPrinter printer(file("key.pdf"));
        asked.answer = choose(2);
        EXPECT_EQ(printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask()).pages, std::vector<int>{2});
    }
    ASSERT_EQ(pdfFacts(file("key.pdf")).pages, 1);
    EXPECT_TRUE(isKeyPage(pageText(file("key.pdf"), 1)));
}

TEST_F(PrintJob, ManyPagesAreWalkedRowByRowWithTheKeyLastForEveryCopy)
{
    // 100 x 120 cells of 10 units on A4 portrait (793 x 1122): 70 columns and fewer than
    // 120 rows a page, two pages across and two down.
    const PatternDocument doc = test::checkerPattern(100, 120);
    {
        PdfPrinter printer(file("copies.pdf"));
        asked.answer = choose(0, 2);
        const PrintResult r = printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask());
        EXPECT_EQ(r.pages, (std::vector<int>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
    }
    const PageGrid& grid = asked.requests.at(0).grid;
    EXPECT_EQ(grid.pagesAcross, 2);
    EXPECT_EQ(grid.pagesDown, 2);
    EXPECT_EQ(grid.columnsPerPage, 70);
    const QString path = file("copies.pdf");
    ASSERT_EQ(pdfFacts(path).pages, 10);
    EXPECT_TRUE(pageText(path, 2).contains(fromGbk("--第2张 共4张")));
    EXPECT_TRUE(isKeyPage(pageText(path, 5)));
    EXPECT_TRUE(pageText(path, 6).contains(fromGbk("--第1张 共4张")));
    EXPECT_TRUE(isKeyPage(pageText(path, 10)));

    // Three copies of one chosen page.
    {
        PdfPrinter printer(file("three.pdf"));
        asked.answer = choose(3, 3);
        EXPECT_EQ(printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask()).pages, (std::vector<int>{3, 3, 3}));
    }
    EXPECT_EQ(pdfFacts(file("three.pdf")).pages, 3);
}

TEST_F(PrintJob, PaginationUsesThePrintableAreaOnly)
{
    const PatternDocument doc = test::checkerPattern(100, 120);
    PdfPrinter printer(file("margins.pdf"));
    printer.writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    asked.answer.reset();
    printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask());
    ASSERT_EQ(asked.requests.size(), 1u);
    // 170 mm across: 642 units, (642 - 86) / 10 = 55 columns a page.
    const QSize page = printablePage(printer.writer);
    EXPECT_NEAR(page.width(), 642, 1);
    EXPECT_NEAR(page.height(), 971, 1);
    EXPECT_EQ(asked.requests[0].grid.columnsPerPage, 55);
    EXPECT_EQ(asked.requests[0].grid.pagesAcross, 2);
}

TEST_F(PrintJob, CancellingTheChoiceOrChoosingNothingPrintsNoPage)
{
    const PatternDocument doc = test::checkerPattern(20, 30);
    {
        PdfPrinter printer(file("cancel.pdf"));
        asked.answer.reset();
        EXPECT_EQ(printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask()).outcome, PrintOutcome::Cancelled);
    }
    EXPECT_EQ(asked.requests.size(), 1u);
    EXPECT_FALSE(QFile::exists(file("cancel.pdf")) && QFile(file("cancel.pdf")).size() > 0);
    {
        PdfPrinter printer(file("past.pdf"));
        asked.answer = choose(7);  // there are two pages
        const PrintResult r = printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask());
        EXPECT_EQ(r.outcome, PrintOutcome::Cancelled);
        EXPECT_TRUE(r.pages.empty());
    }
    EXPECT_FALSE(QFile::exists(file("past.pdf")) && QFile(file("past.pdf")).size() > 0);
}

TEST_F(PrintJob, ADeviceThatWillNotStartIsGivenUpQuietly)
{
    const PatternDocument doc = test::checkerPattern(20, 30);
    PdfPrinter printer(file("missing/folder/x.pdf"));
    asked.answer = choose(0);
    const PrintResult r = printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask());
    EXPECT_EQ(r.outcome, PrintOutcome::NotStarted);
    EXPECT_TRUE(r.pages.empty());
}

TEST_F(PrintJob, TheChoiceStartsFromTheGivenOneAndAPageGoneIsForgotten)
{
    const PatternDocument doc = test::checkerPattern(20, 30);
    PdfPrinter printer(file("initial.pdf"));
    PrintChoice initial = choose(2, 4, false);
    initial.colouredSymbols = true;
    asked.answer.reset();
    printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask(), initial);
    EXPECT_EQ(asked.requests.at(0).initial, initial);
    initial.page = 9;
    printChart(printer.target(), doc, PrintSettings{}, {}, asked.ask(), initial);
    EXPECT_EQ(asked.requests.at(1).initial.page, 0);
    EXPECT_EQ(asked.requests.at(1).initial.copies, 4);
}

TEST_F(PrintJob, OneLogicalUnitIsA96thOfAnInchOnTheDevice)
{
    // The page printed at 600 dots an inch and read back at 96 matches the page drawn at
    // one pixel a unit: the dark cells land where the layout puts them.
    if (run(u"pdftoppm"_qs, {u"-v"_qs}).isNull() && !QFile::exists(u"/usr/bin/pdftoppm"_qs))
        GTEST_SKIP() << "no pdftoppm";
    const PatternDocument doc = test::checkerPattern(20, 30);
    PrintSettings settings;
    settings.cellSize = 20;
    {
        PdfPrinter printer(file("units.pdf"));
        asked.answer = choose(1);
        printChart(printer.target(), doc, settings, {}, asked.ask());
    }
    run(u"pdftoppm"_qs, {u"-r"_qs, u"96"_qs, u"-png"_qs, u"-singlefile"_qs, file("units.pdf"), file("units")});
    const QImage printed(file("units.png"));
    ASSERT_FALSE(printed.isNull());
    const ChartLayout layout(doc, settings, QSize(793, 1122));
    const QImage drawn = printPageImage(layout, 1, ChartStyle::PrintColour);
    EXPECT_LE(std::abs(printed.width() - drawn.width()), 1);
    const QPoint origin = layout.chartOrigin(20);
    // Cell (0, 0) is the dark blue thread, cell (1, 0) the yellow one; look near their
    // corners, away from the symbols in the middle.
    for (const QImage* image : {&printed, &drawn}) {
        const QColor dark = image->pixelColor(origin + QPoint(2, 2));
        const QColor yellow = image->pixelColor(origin + QPoint(22, 2));
        EXPECT_LT(dark.red() + dark.green(), 60) << (image == &printed ? "printed" : "drawn");
        EXPECT_GT(yellow.red() + yellow.green(), 400) << (image == &printed ? "printed" : "drawn");
    }
}

}  // namespace
