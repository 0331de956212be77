#include "editor/app/print_commands.h"

#include "editor/app/app_commands.h"
#include "editor/app/command_router.h"
#include "editor/app/editor_session.h"
#include "editor/app/picture_commands.h"
#include "editor/app/printer_page.h"
#include "editor/app/user_dialogs.h"
#include "editor/output/print_preview.h"
#include "interchange/ui_text.h"

#include <QFile>
#include <QPrinter>

#include <algorithm>

namespace brenmark {

PrintCommands::PrintCommands(EditorSession& session, PrintDialogs& dialogs, PictureCommands* pictures)
    : session_(session), dialogs_(dialogs), pictures_(pictures)
{
}

PrintCommands::~PrintCommands()
{
    // The preview draws through this object; it goes first.
    dialogs_.closePreview();
}

void PrintCommands::route(CommandRouter& router)
{
    router.add(CmdPrintSettings, [this](int, Modifiers) { return editSettings(); });
    router.add(CmdPrintDetails, [this](int, Modifiers) { return editSettings(); });
    router.add(CmdPrint, [this](int, Modifiers) { return print(); });
    router.add(CmdPrintPreview, [this](int, Modifiers) { return preview(); });
    router.add(CmdPageSetup, [this](int, Modifiers) { return pageSetup(); });
    router.add(CmdPreviewReturn, [this](int, Modifiers) { return closePreview(); });
}

bool PrintCommands::editSettings()
{
    std::optional<PrintSettings> edited = dialogs_.editSettings(session_.printSettings());
    if (!edited)
        return false;
    // A cell needs at least one unit; the dialog offers no less, this keeps it so.
    edited->cellSize = std::max(1, edited->cellSize);
    session_.printSettings() = *edited;
    if (pictures_)
        pictures_->setAmountSettings(edited->fabric, edited->strands);
    dialogs_.refreshPreview();
    return true;
}

std::unique_ptr<QPrinter> PrintCommands::printerOrPdf()
{
    if (std::unique_ptr<QPrinter> printer = dialogs_.defaultPrinter())
        return printer;
    UserDialogs& ask = session_.commands().dialogs();
    if (!ask.askYesNo(std::string(kNoPrinterMessage) + "\n" + kOfferPdf, kNoPrinterTitle))
        return nullptr;
    std::optional<std::string> file = ask.saveFile(kTitlePrintToPdf, kFilterPrintToPdf, {});
    if (!file || file->empty())
        return nullptr;
    if (!QString::fromStdString(*file).endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        *file += ".pdf";
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QFile::decodeName(QByteArray::fromStdString(*file)));
    return printer;
}

QPageLayout::Orientation PrintCommands::orientation() const
{
    // The user's own choice for this pattern wins over its shape.
    return orientation_.value_or(pageOrientationFor(session_.document()));
}

void PrintCommands::preparePrinter(QPrinter& printer) const
{
    if (paper_)
        printer.setPageLayout(*paper_);
    if (session_.document().isOpen())
        printer.setPageOrientation(orientation());
}

bool PrintCommands::print()
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen())
        return false;
    const std::unique_ptr<QPrinter> printer = printerOrPdf();
    if (!printer)
        return false;
    preparePrinter(*printer);
    QPrinter* device = printer.get();
    PrintTarget target{*device, [device](const QString& name) { device->setDocName(name); }};
    // "彩色" reaches the printer: a queue whose own default is grey prints in colour too.
    target.setColour = [device](bool colour) { device->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale); };
    target.orientation = orientation();
    const PrintResult result = printChart(
        target, doc, session_.printSettings(),
        session_.fabricName(), [this](const PrintChoiceRequest& request) { return dialogs_.choosePrint(request); },
        lastChoice_, loadThreadNames(session_.palettes(), doc.brand));
    if (result.outcome == PrintOutcome::Printed) {
        lastChoice_ = result.choice;
        lastChoice_.page = 0;
    }
    return result.outcome == PrintOutcome::Printed;
}

bool PrintCommands::pageSetup()
{
    const std::unique_ptr<QPrinter> printer = printerOrPdf();
    if (!printer)
        return false;
    preparePrinter(*printer);
    const QPageLayout::Orientation before = printer->pageLayout().orientation();
    if (!dialogs_.pageSetup(*printer))
        return false;
    paper_ = printer->pageLayout();
    // A turn the user changed is theirs for this pattern, in the preview and the job.
    if (session_.document().isOpen() && (orientation_ || paper_->orientation() != before))
        orientation_ = paper_->orientation();
    dialogs_.refreshPreview();
    return true;
}

bool PrintCommands::preview()
{
    if (!session_.document().isOpen())
        return false;
    PreviewOptions start;
    start.colour = lastChoice_.colour;
    start.colouredSymbols = lastChoice_.colouredSymbols;
    if (!dialogs_.showPreview(*this, start)) {
        session_.commands().dialogs().show(kPreviewFailedMessage, UI_TEXT_NOOP("提示"), MessageIcon::Information);
        return false;
    }
    return true;
}

bool PrintCommands::closePreview()
{
    return dialogs_.closePreview();
}

void PrintCommands::patternOpened()
{
    orientation_.reset();
    session_.printSettings().title = PrintSettings{}.title;
}

void PrintCommands::patternChanged()
{
    if (session_.document().isOpen())
        dialogs_.refreshPreview();
    else
        dialogs_.closePreview();
}

QSize PrintCommands::previewPageSize()
{
    const QPageLayout::Orientation turn = orientation();
    if (const std::unique_ptr<QPrinter> printer = dialogs_.defaultPrinter()) {
        preparePrinter(*printer);
        const QSize page = printablePage(*printer);
        if (!page.isEmpty())
            return page;
    }
    if (paper_) {
        QPageLayout paper = *paper_;
        paper.setOrientation(turn);
        return paper.paintRectPixels(96).size();
    }
    return fallbackPage(turn == QPageLayout::Portrait);
}

std::vector<std::string> PrintCommands::previewPages()
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen())
        return {};
    const ChartLayout layout(doc, session_.printSettings(), previewPageSize());
    return pageNames(layout.grid());
}

QImage PrintCommands::previewPage(const PreviewOptions& options)
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen())
        return QImage();
    ChartLayout layout(doc, session_.printSettings(), previewPageSize(), session_.fabricName());
    layout.setThreadNames(loadThreadNames(session_.palettes(), doc.brand));
    return printPageImage(layout, options.page, printStyle(options.colour, options.colouredSymbols));
}

}  // namespace brenmark
