// Printing through the main window: the print details, "打印" on a default printer that
// prints into a PDF file, no default printer, the paper kept for the next print, and the
// preview's pages.
#include "editor/app/app_commands.h"
#include "editor/app/main_window.h"
#include "editor/app/picture_commands.h"
#include "editor/app/print_commands.h"
#include "editor/app/tests/print_test_support.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/output/tests/pdf_test_support.h"
#include "interchange/gbk_qstring.h"

#include <QAction>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using test::kWindowBlue;
using test::kWindowRed;

class Printing : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    test::ScriptedPrintDialogs prints;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.printDialogs = &prints;
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
    }
    void TearDown() override { window.reset(); }
    QAction* action(const char16_t* name) { return window->findChild<QAction*>(QString::fromUtf16(name)); }
    QString pdf() const { return QString::fromStdString(prints.printerFile); }

    // A red and blue pattern of w x h cells.
    void openPattern(int w, int h)
    {
        PatternDocument p;
        p.create(w, h, "DMC");
        p.addThread(kWindowRed, "321");
        p.addThread(kWindowBlue, "796");
        p.assignDefaultSymbols();
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                p.setCell(c, r, (c / 3 + r) % 2);
        p.layers.backgroundFromGrid(p);
        window->commands().replacePattern(std::move(p), std::string());
    }
    void printInto(const char* name) { prints.printerFile = dir.file(name); }
    static PrintChoice choice(int page, int copies = 1, bool colour = true)
    {
        PrintChoice c;
        c.page = page;
        c.copies = copies;
        c.colour = colour;
        return c;
    }
};

TEST_F(Printing, NothingHappensWithoutAnOpenPattern)
{
    printInto("none.pdf");
    EXPECT_FALSE(window->runCommand(CmdPrint));
    EXPECT_FALSE(window->runCommand(CmdPrintPreview));
    EXPECT_EQ(prints.printersMade, 0);
    EXPECT_TRUE(prints.choicesShown.empty());
    EXPECT_TRUE(prints.previewsShown.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Printing, WithoutADefaultPrinterTheUserIsToldAndNothingIsAsked)
{
    openPattern(20, 30);
    action(u"print")->trigger();
    // The message stays, with the offer of a PDF file; declined, nothing is asked.
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0], "ask:没有默认的打印机,请添加默认的打印机再进行打印。\n是否打印到PDF文件?|提示...");
    EXPECT_TRUE(prints.choicesShown.empty());
    // The paper needs a printer as well.
    EXPECT_FALSE(window->runCommand(CmdPageSetup));
    EXPECT_EQ(dialogs.log.size(), 2u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Printing, WithoutADefaultPrinterTheChartCanBePrintedIntoAPdfFile)
{
    openPattern(20, 30);
    dialogs.yesNo.push_back(true);
    dialogs.files.push_back(dir.file("nowhere"));
    prints.choiceAnswers.push_back(choice(0));
    EXPECT_TRUE(window->runCommand(CmdPrint));
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(dialogs.log[1], "save:打印到PDF文件");
    const test::PdfFacts facts = test::pdfFacts(QString::fromStdString(dir.file("nowhere.pdf")));
    EXPECT_EQ(facts.pages, 2);
    EXPECT_EQ(facts.sizes[0], QSize(595, 842));
    // Declining the file prints nothing.
    dialogs.yesNo.push_back(true);
    EXPECT_FALSE(window->runCommand(CmdPrint));
}

TEST_F(Printing, ColourReachesAPrinterWhoseDefaultIsGrey)
{
    openPattern(20, 30);
    prints.greyByDefault = true;
    printInto("colour.pdf");
    prints.choiceAnswers.push_back(choice(1, 1, true));
    ASSERT_TRUE(window->runCommand(CmdPrint));
    const QString png = QString::fromStdString(dir.file("colour"));
    test::runTool(u"pdftoppm"_qs, {u"-png"_qs, u"-r"_qs, u"30"_qs, u"-f"_qs, u"1"_qs, u"-l"_qs, u"1"_qs, u"-singlefile"_qs, pdf(), png});
    const QImage page(png + u".png"_qs);
    ASSERT_FALSE(page.isNull()) << "is pdftoppm (poppler-utils) installed?";
    bool coloured = false;
    for (int y = 0; y < page.height() && !coloured; ++y)
        for (int x = 0; x < page.width() && !coloured; ++x) {
            const QColor c = page.pixelColor(x, y);
            coloured = std::abs(c.red() - c.blue()) > 60 || std::abs(c.red() - c.green()) > 60;
        }
    EXPECT_TRUE(coloured);
}

TEST_F(Printing, ATurnChosenInPageSetupWinsForThatPatternOnly)
{
    openPattern(20, 30);  // narrower than tall: portrait by its shape
    printInto("turned.pdf");
    prints.paperScript = [](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    ASSERT_TRUE(window->runCommand(CmdPageSetup));
    EXPECT_EQ(prints.paperShownTurns.back(), QPageLayout::Portrait);
    EXPECT_EQ(window->printCommands().chosenOrientation(), QPageLayout::Landscape);
    // The preview and the job are landscape, and the dialog opens on it again.
    EXPECT_EQ(window->printCommands().previewPageSize(), QSize(1122, 793));
    prints.choiceAnswers.push_back(choice(0));
    ASSERT_TRUE(window->runCommand(CmdPrint));
    EXPECT_EQ(test::pdfFacts(pdf()).sizes[0], QSize(842, 595));
    prints.paperScript = [](QPrinter&) { return true; };
    ASSERT_TRUE(window->runCommand(CmdPageSetup));
    EXPECT_EQ(prints.paperShownTurns.back(), QPageLayout::Landscape);
    EXPECT_EQ(window->printCommands().chosenOrientation(), QPageLayout::Landscape);

    // Another pattern: its own shape again.
    openPattern(20, 30);
    EXPECT_FALSE(window->printCommands().chosenOrientation());
    EXPECT_EQ(window->printCommands().previewPageSize(), QSize(793, 1122));
}

TEST_F(Printing, ThePrintTitleBelongsToThePatternItWasSetFor)
{
    openPattern(20, 30);
    PrintSettings edited;
    edited.title = "心";
    edited.cellSize = 20;
    prints.settingsAnswers.push_back(edited);
    ASSERT_TRUE(window->runCommand(CmdPrintSettings));
    EXPECT_EQ(window->session().printSettings().title, "心");
    openPattern(30, 20);
    EXPECT_EQ(window->session().printSettings().title, PrintSettings{}.title);
    EXPECT_EQ(window->session().printSettings().cellSize, 20);  // how to print stays
}

TEST_F(Printing, TheToolbarPrintsEveryPageAndTheKeyOnTheDefaultPrinter)
{
    openPattern(20, 30);
    printInto("all.pdf");
    prints.choiceAnswers.push_back(choice(0));
    action(u"print")->trigger();
    ASSERT_EQ(prints.choicesShown.size(), 1u);
    EXPECT_EQ(prints.choicesShown[0].pages, (std::vector<std::string>{"第1张", "绣线表"}));
    const test::PdfFacts facts = test::pdfFacts(pdf());
    ASSERT_EQ(facts.pages, 2) << "is pdfinfo (poppler-utils) installed?";
    // Narrower than tall: portrait A4.
    EXPECT_EQ(facts.sizes[0], QSize(595, 842));
    EXPECT_EQ(facts.title, fromGbk("绣图打印"));
    EXPECT_TRUE(test::pdfPageText(pdf(), 1).contains(fromGbk("--第1张 共1张")));
    const QString key = test::pdfPageText(pdf(), 2);
    EXPECT_TRUE(key.contains(fromGbk("使用绣线")));
    EXPECT_TRUE(key.contains(u"321"_qs));
    EXPECT_TRUE(key.contains(u"796"_qs));
}

TEST_F(Printing, ACancelledChoicePrintsNothingAndTheNextChoiceStartsFromTheLast)
{
    openPattern(30, 20);
    printInto("cancel.pdf");
    EXPECT_FALSE(window->runCommand(CmdPrint));
    EXPECT_FALSE(test::fileExists(prints.printerFile));

    printInto("copies.pdf");
    prints.choiceAnswers.push_back(choice(1, 2, false));
    EXPECT_TRUE(window->runCommand(CmdPrint));
    const test::PdfFacts facts = test::pdfFacts(pdf());
    ASSERT_EQ(facts.pages, 2);
    // Wider than tall: landscape.
    EXPECT_EQ(facts.sizes[1], QSize(842, 595));
    for (int page : {1, 2})
        EXPECT_FALSE(test::pdfPageText(pdf(), page).contains(fromGbk("使用绣线"))) << page;

    printInto("again.pdf");
    window->runCommand(CmdPrint);
    ASSERT_EQ(prints.choicesShown.size(), 3u);
    EXPECT_EQ(prints.choicesShown[2].initial, choice(0, 2, false));
}

TEST_F(Printing, ThePaperChosenInPageSetupIsKeptForTheNextPrintAndThePreview)
{
    openPattern(20, 30);
    printInto("letter.pdf");
    // Cancelled: nothing kept.
    EXPECT_FALSE(window->runCommand(CmdPageSetup));
    EXPECT_FALSE(window->printCommands().paper());
    prints.paperScript = [](QPrinter& printer) {
        printer.setPageSize(QPageSize(QPageSize::Letter));
        return true;
    };
    EXPECT_TRUE(window->runCommand(CmdPageSetup));
    ASSERT_TRUE(window->printCommands().paper());
    // Letter at 96 a inch, no margins.
    EXPECT_EQ(window->printCommands().previewPageSize(), QSize(816, 1056));

    prints.choiceAnswers.push_back(choice(0));
    EXPECT_TRUE(window->runCommand(CmdPrint));
    const test::PdfFacts facts = test::pdfFacts(pdf());
    ASSERT_EQ(facts.pages, 2);
    EXPECT_EQ(facts.sizes[0], QSize(612, 792));
}

TEST_F(Printing, ThePrintDetailsAreEditedFromTheToolbarAndTheMenuAndCountTheStatistics)
{
    PrintSettings edited;
    edited.cellSize = 20;
    edited.fabric = "18CT";
    edited.strands = 3;
    edited.title = "心";
    prints.settingsAnswers.push_back(edited);
    action(u"printSettings")->trigger();
    ASSERT_EQ(prints.settingsShown.size(), 1u);
    EXPECT_EQ(prints.settingsShown[0].cellSize, 10);
    EXPECT_EQ(window->session().printSettings().cellSize, 20);
    EXPECT_EQ(window->session().printSettings().title, "心");
    EXPECT_EQ(window->pictureCommands().fabric(), "18CT");
    EXPECT_EQ(window->pictureCommands().strands(), 3);

    // Cancel from the menu leaves them.
    action(u"printDetails")->trigger();
    ASSERT_EQ(prints.settingsShown.size(), 2u);
    EXPECT_EQ(prints.settingsShown[1].cellSize, 20);
    EXPECT_EQ(window->session().printSettings().cellSize, 20);
}

TEST_F(Printing, ThePreviewShowsThePagesOfThePatternAsItIsNow)
{
    openPattern(100, 120);
    printInto("preview.pdf");
    EXPECT_TRUE(window->runCommand(CmdPrintPreview));
    ASSERT_EQ(prints.previewsShown.size(), 1u);
    EXPECT_EQ(prints.previewsShown[0], PreviewOptions{});
    PreviewSource& source = *prints.previewSource;
    // A4 portrait: two pages across, two down, the key.
    EXPECT_EQ(source.previewPages().size(), 5u);
    const QImage first = source.previewPage({1, true, false});
    EXPECT_EQ(first.size(), QSize(793, 1122));
    EXPECT_NE(source.previewPage({5, true, false}), first);
    EXPECT_NE(source.previewPage({1, false, false}), first);

    // Bigger cells make more pages, and the preview sees them at once.
    PrintSettings bigger;
    bigger.cellSize = 20;
    prints.settingsAnswers.push_back(bigger);
    window->runCommand(CmdPrintSettings);
    EXPECT_GT(source.previewPages().size(), 5u);

    // "返回" closes it, and then there is nothing to close.
    EXPECT_TRUE(window->runCommand(CmdPreviewReturn));
    EXPECT_FALSE(window->runCommand(CmdPreviewReturn));
}

TEST_F(Printing, AnOpenPreviewFollowsEditsAndStaysWhenANewPatternIsCancelled)
{
    openPattern(20, 30);
    ASSERT_TRUE(window->runCommand(CmdPrintPreview));
    const int before = prints.previewRefreshes;
    window->session().changed(Change::Cells);
    EXPECT_EQ(prints.previewRefreshes, before + 1);
    // Zooming changes nothing printed.
    window->runCommand(CmdZoomIn);
    EXPECT_EQ(prints.previewRefreshes, before + 1);
    prints.settingsAnswers.push_back(PrintSettings{});
    window->runCommand(CmdPrintSettings);
    EXPECT_EQ(prints.previewRefreshes, before + 2);

    // "新建绣图" cancelled keeps the pattern, and the preview stays on it.
    ASSERT_TRUE(prints.previewOpen);
    window->runCommand(CmdNewPattern);
    ASSERT_TRUE(window->document().isOpen());
    EXPECT_TRUE(prints.previewOpen);
}

TEST_F(Printing, APreviewThatCannotBeMadeSaysSo)
{
    openPattern(20, 30);
    prints.previewWorks = false;
    EXPECT_FALSE(window->runCommand(CmdPrintPreview));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "创建绣图打印预览窗口失败");
}

TEST_F(Printing, WithoutAPrinterThePreviewLaysThePagesOnA4)
{
    openPattern(30, 20);
    EXPECT_EQ(window->printCommands().previewPageSize(), QSize(1122, 793));
}

}  // namespace
}  // namespace brenmark
