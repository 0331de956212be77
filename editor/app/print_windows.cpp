#include "editor/app/print_windows.h"

#include "editor/app/print_choice_dialog.h"
#include "editor/app/print_preview_window.h"
#include "editor/app/print_settings_dialog.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace brenmark {

QtPrintDialogs::~QtPrintDialogs()
{
    closePreview();
}

std::optional<PrintSettings> QtPrintDialogs::editSettings(const PrintSettings& settings)
{
    PrintSettingsDialog dialog(settings, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

std::optional<PrintChoice> QtPrintDialogs::choosePrint(const PrintChoiceRequest& request)
{
    PrintChoiceDialog dialog(request, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::unique_ptr<QPrinter> QtPrintDialogs::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool QtPrintDialogs::pageSetup(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialogs::showPreview(PreviewSource& source, const PreviewOptions& start)
{
    if (preview_) {
        preview_->setOptions(start);
    } else {
        preview_ = new PrintPreviewWindow(source, start, parent_);
        preview_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!preview_->hasPage()) {
        delete preview_;
        return false;
    }
    preview_->show();
    preview_->raise();
    preview_->activateWindow();
    return true;
}

bool QtPrintDialogs::closePreview()
{
    if (!preview_)
        return false;
    // Gone at once: it draws through the print commands, which may be going too.
    delete preview_;
    return true;
}

void QtPrintDialogs::refreshPreview()
{
    if (preview_)
        preview_->reloadSoon();
}

}  // namespace brenmark
