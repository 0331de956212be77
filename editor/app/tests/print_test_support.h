#pragma once
// Scripted print windows: the default printer is a PDF file (or there is none), the dialogs
// answer from queues and log what they were shown.
#include "editor/app/print_dialogs.h"

#include <QPageSize>
#include <QPrinter>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace brenmark::test {

class ScriptedPrintDialogs final : public PrintDialogs {
public:
    // The file the default printer prints into; empty: the system has no default printer.
    std::string printerFile;
    QPageSize printerPaper{QPageSize::A4};
    std::deque<std::optional<PrintSettings>> settingsAnswers;
    std::deque<std::optional<PrintChoice>> choiceAnswers;
    // What the user does in "打印纸设置"; none: Cancel.
    std::function<bool(QPrinter&)> paperScript;
    bool previewWorks = true;
    // A queue whose own default is grey printing.
    bool greyByDefault = false;
    // The turn the printer had when "打印纸设置" opened, each time.
    std::vector<QPageLayout::Orientation> paperShownTurns;

    std::vector<PrintSettings> settingsShown;
    std::vector<PrintChoiceRequest> choicesShown;
    std::vector<PreviewOptions> previewsShown;
    PreviewSource* previewSource = nullptr;
    int printersMade = 0;
    int previewCloses = 0;
    bool previewOpen = false;

    std::optional<PrintSettings> editSettings(const PrintSettings& settings) override
    {
        settingsShown.push_back(settings);
        return take(settingsAnswers);
    }
    std::optional<PrintChoice> choosePrint(const PrintChoiceRequest& request) override
    {
        choicesShown.push_back(request);
        return take(choiceAnswers);
    }
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        if (printerFile.empty())
            return nullptr;
        ++printersMade;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(printerFile));
        printer->setPageSize(printerPaper);
        printer->setPageMargins(QMarginsF(0, 0, 0, 0));
        if (greyByDefault)
            printer->setColorMode(QPrinter::GrayScale);
        return printer;
    }
    bool pageSetup(QPrinter& printer) override
    {
        paperShownTurns.push_back(printer.pageLayout().orientation());
        return paperScript && paperScript(printer);
    }
    bool showPreview(PreviewSource& source, const PreviewOptions& start) override
    {
        previewsShown.push_back(start);
        previewSource = &source;
        previewOpen = previewWorks;
        return previewWorks;
    }
    int previewRefreshes = 0;
    void refreshPreview() override { ++previewRefreshes; }
    bool closePreview() override
    {
        ++previewCloses;
        const bool was = previewOpen;
        previewOpen = false;
        return was;
    }

private:
    template <class T>
    static std::optional<T> take(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> v = queue.front();
        queue.pop_front();
        return v;
    }
};

}  // namespace brenmark::test
