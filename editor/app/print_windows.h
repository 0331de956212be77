#pragma once
// PrintDialogs with the real windows, parented to the main window, printing on the
// system's default printer.
#include "editor/app/print_dialogs.h"
#include "editor/app/print_preview_window.h"

#include <QPointer>

class QWidget;

namespace brenmark {

class QtPrintDialogs final : public PrintDialogs {
public:
    explicit QtPrintDialogs(QWidget* parent) : parent_(parent) {}
    ~QtPrintDialogs() override;

    std::optional<PrintSettings> editSettings(const PrintSettings& settings) override;
    std::optional<PrintChoice> choosePrint(const PrintChoiceRequest& request) override;
    std::unique_ptr<QPrinter> defaultPrinter() override;
    bool pageSetup(QPrinter& printer) override;
    bool showPreview(PreviewSource& source, const PreviewOptions& start) override;
    bool closePreview() override;
    void refreshPreview() override;

    // The open preview, null when none is.
    PrintPreviewWindow* preview() const { return preview_; }

private:
    QWidget* parent_;
    QPointer<PrintPreviewWindow> preview_;
};

}  // namespace brenmark
