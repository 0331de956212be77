#pragma once
// The windows of printing behind one interface: "打印细节设置", "打印选择", the default
// printer, "打印纸设置" and the print preview. The editor shows real windows and prints on
// the system's default printer; the tests script the dialogs and print into PDF files.
#include "editor/output/print_job.h"
#include "editor/render/chart_layout.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;

namespace brenmark {

// What the preview shows: which page, and the colour options it is drawn with.
struct PreviewOptions {
    int page = 1;  // 1 … total; the last is the key page
    bool colour = true;
    bool colouredSymbols = false;
    bool operator==(const PreviewOptions&) const = default;
};

// The pages of the preview, drawn on demand from the open pattern as it is at that moment.
class PreviewSource {
public:
    virtual ~PreviewSource() = default;
    // The pages by name (GBK), pattern pages then the key page; empty without a pattern.
    virtual std::vector<std::string> previewPages() = 0;
    // The chosen page at one pixel a logical unit, white paper included; null without a
    // pattern.
    virtual QImage previewPage(const PreviewOptions& options) = 0;
};

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // "打印细节设置" over a copy of settings; the edited settings on OK, nothing on Cancel.
    virtual std::optional<PrintSettings> editSettings(const PrintSettings& settings) = 0;
    // "打印选择"; nothing on Cancel.
    virtual std::optional<PrintChoice> choosePrint(const PrintChoiceRequest& request) = 0;
    // A printer on the system's default printer, or nothing when there is none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
    // "打印纸设置" on printer; true when it was accepted (the printer's page layout then
    // holds the choice).
    virtual bool pageSetup(QPrinter& printer) = 0;
    // Opens the preview over source (or brings it up again with these options); false when
    // the window could not be made.
    virtual bool showPreview(PreviewSource& source, const PreviewOptions& start) = 0;
    // "返回": closes the preview; false when none was open.
    virtual bool closePreview() = 0;
    // The open preview draws its page again from the source (the pattern or the print
    // details changed); nothing when none is open.
    virtual void refreshPreview() = 0;
};

}  // namespace brenmark
