#pragma once
// Printing a chart onto any paged device: a printer, or a PDF writer in the tests. The job
// turns the page the way the pattern is shaped, cuts the chart into pages for the device's
// printable area, asks what to print ("打印选择") and walks the copies and pages. It knows
// only QPagedPaintDevice, so it runs without widgets and without the printer library.
#include "editor/render/chart_layout.h"
#include "interchange/ui_text.h"

#include <QPageLayout>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace brenmark {

// The name the spooler shows for a print of the chart.
inline constexpr const char* kPrintDocumentName = UI_TEXT_NOOP("绣图打印");

// What "打印选择" hands back.
struct PrintChoice {
    bool colour = true;            // "彩色"; false: "黑白"
    int page = 0;                  // 0: "全打印"; else "指定页打印" with page 1 … total
    int copies = 1;                // "打印份数"
    bool colouredSymbols = false;  // "彩色符"
    bool operator==(const PrintChoice&) const = default;
};

// What "打印选择" offers: the pages by name (the pattern pages, then the key page) and the
// choice it starts from.
struct PrintChoiceRequest {
    PageGrid grid;
    std::vector<std::string> pages;  // GBK, pages[n - 1] names page n
    PrintChoice initial;
};

// "第%d张" for each pattern page, "页面分布图" for the page map, then "绣线表" for the key
// page ("绣线表2" … for its further pages).
std::vector<std::string> pageNames(const PageGrid& grid);

// Portrait when the pattern is narrower than it is tall, else landscape.
QPageLayout::Orientation pageOrientationFor(const PatternDocument& doc);

// The device's printable area in logical units: its dots x 96 / its dots per inch,
// truncated, each way.
QSize printablePage(const QPagedPaintDevice& device);

// The page numbers a choice prints, in order, every copy after the other: all pages (the
// key page last) or the one chosen page, copies times.
std::vector<int> printedPages(const PageGrid& grid, const PrintChoice& choice);

// The device to print on and how to name its document (QPrinter::setDocName,
// QPdfWriter::setTitle); the name is left alone when there is no way to set it.
struct PrintTarget {
    QPagedPaintDevice& device;
    std::function<void(const QString&)> setDocumentName;
    // Told the colour chosen in "打印选择" before the first page (a printer's colour mode).
    std::function<void(bool colour)> setColour = {};
    // The turn of the paper the user chose; nothing: the pattern's shape decides.
    std::optional<QPageLayout::Orientation> orientation = {};
};

using AskPrintChoice = std::function<std::optional<PrintChoice>(const PrintChoiceRequest&)>;

enum class PrintOutcome {
    NoPattern,   // nothing open: nothing asked, nothing printed
    Cancelled,   // "打印选择" was cancelled: no page
    NotStarted,  // the device would not start: given up without a message
    Printed,
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::NoPattern;
    std::vector<int> pages;  // the pages printed, in order
    PrintChoice choice;      // what was chosen (when something was)
};

// The whole job. `initial` is where "打印选择" starts. The choice is asked before the
// document starts, so a cancelled job leaves no page behind (a device that was begun always
// gives at least one page). names: the threads' names for the English key.
PrintResult printChart(PrintTarget target, const PatternDocument& doc, const PrintSettings& settings,
                       const std::optional<FabricName>& fabricName, const AskPrintChoice& ask,
                       const PrintChoice& initial = {}, const ThreadNames& names = {});

}  // namespace brenmark
