#include "editor/output/print_job.h"

#include "interchange/gbk_qstring.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cstdio>

namespace brenmark {

std::vector<std::string> pageNames(const PageGrid& grid)
{
    std::vector<std::string> names;
    for (int n = 1; n <= grid.patternPages(); ++n) {
        char name[32];
        std::snprintf(name, sizeof name, uiText("第%d张").c_str(), n);
        names.emplace_back(name);
    }
    if (grid.mapPage)
        names.emplace_back(uiText("页面分布图"));
    names.emplace_back(uiText("绣线表"));
    for (int k = 2; k <= grid.keyPages; ++k) {
        char name[64];
        std::snprintf(name, sizeof name, uiText("绣线表%d").c_str(), k);
        names.emplace_back(name);
    }
    return names;
}

QPageLayout::Orientation pageOrientationFor(const PatternDocument& doc)
{
    return doc.width() < doc.height() ? QPageLayout::Portrait : QPageLayout::Landscape;
}

QSize printablePage(const QPagedPaintDevice& device)
{
    const int dpiX = device.logicalDpiX(), dpiY = device.logicalDpiY();
    if (dpiX <= 0 || dpiY <= 0)
        return QSize();
    return QSize(static_cast<int>(static_cast<long long>(device.width()) * 96 / dpiX),
                 static_cast<int>(static_cast<long long>(device.height()) * 96 / dpiY));
}

std::vector<int> printedPages(const PageGrid& grid, const PrintChoice& choice)
{
    // One pattern page or many, the walk is the same: the pattern pages row of pages by row
    // of pages (the layout numbers them so), then the key page; a chosen page alone.
    const std::vector<int> once = pagesToPrint(grid, choice.page);
    std::vector<int> pages;
    for (int copy = 0; copy < choice.copies; ++copy)
        pages.insert(pages.end(), once.begin(), once.end());
    return pages;
}

PrintResult printChart(PrintTarget target, const PatternDocument& doc, const PrintSettings& settings,
                       const std::optional<FabricName>& fabricName, const AskPrintChoice& ask,
                       const PrintChoice& initial, const ThreadNames& names)
{
    PrintResult result;
    if (!doc.isOpen())
        return result;
    QPagedPaintDevice& device = target.device;
    device.setPageOrientation(target.orientation.value_or(pageOrientationFor(doc)));

    const QSize page = printablePage(device);
    if (page.width() < 1 || page.height() < 1) {
        result.outcome = PrintOutcome::NotStarted;
        return result;
    }
    ChartLayout layout(doc, settings, page, fabricName);
    layout.setThreadNames(names);
    PrintChoiceRequest request{layout.grid(), pageNames(layout.grid()), initial};
    if (request.initial.page > layout.grid().total)
        request.initial.page = 0;
    const std::optional<PrintChoice> choice = ask ? ask(request) : std::optional<PrintChoice>(request.initial);
    if (!choice) {
        result.outcome = PrintOutcome::Cancelled;
        return result;
    }
    result.choice = *choice;
    const std::vector<int> pages = printedPages(layout.grid(), *choice);
    if (pages.empty()) {
        // A page past the key page, or no copies: nothing to start a document for.
        result.outcome = PrintOutcome::Cancelled;
        return result;
    }

    if (target.setDocumentName)
        target.setDocumentName(fromGbk(kPrintDocumentName));
    if (target.setColour)
        target.setColour(choice->colour);
    QPainter p;
    if (!p.begin(&device)) {
        result.outcome = PrintOutcome::NotStarted;
        return result;
    }
    // One logical unit is one 96-per-inch pixel: 96 units across map onto the device's dots
    // per inch, each way on its own.
    p.setWindow(0, 0, 96, 96);
    p.setViewport(0, 0, device.logicalDpiX(), device.logicalDpiY());
    const ChartStyle style = printStyle(choice->colour, choice->colouredSymbols);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            break;
        layout.drawPage(p, pages[i], style);
        result.pages.push_back(pages[i]);
    }
    p.end();
    result.outcome = PrintOutcome::Printed;
    return result;
}

}  // namespace brenmark
