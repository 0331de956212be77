#pragma once
// ExportDialogs with the real option dialogs, parented to the main window, and the program
// start through QProcess.
#include "editor/app/export_dialogs.h"

class QWidget;

namespace brenmark {

class QtExportDialogs final : public ExportDialogs {
public:
    explicit QtExportDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<ExportOptions> imageOptions(const ExportOptions& shown) override;
    std::optional<ExportOptions> vectorOptions(const ExportOptions& shown) override;
    std::optional<ExportOptions> pdfOptions(const ExportOptions& shown) override;

private:
    QWidget* parent_;
};

// Starts the program detached, its arguments passed as they are (no shell).
class DetachedProgramStarter final : public ProgramStarter {
public:
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace brenmark
