#pragma once
// The commands of printing: "设置打印细节" and the toolbar's "设置" (the print details),
// "打印" on the default printer, "打印纸设置" (the paper, kept for the next print and
// preview), "打印预览" and "返回". Registered with the command router in one call; the
// windows and the printer go through PrintDialogs.
#include "editor/app/print_dialogs.h"
#include "interchange/ui_text.h"

#include <QPageLayout>

#include <optional>

namespace brenmark {

class CommandRouter;
class EditorSession;
class PictureCommands;

inline constexpr const char* kNoPrinterMessage = UI_TEXT_NOOP("没有默认的打印机,请添加默认的打印机再进行打印。");
inline constexpr const char* kNoPrinterTitle = UI_TEXT_NOOP("提示...");
inline constexpr const char* kPreviewFailedMessage = UI_TEXT_NOOP("创建绣图打印预览窗口失败");
// Without a default printer the message above is kept and printing into a PDF file offered.
inline constexpr const char* kOfferPdf = UI_TEXT_NOOP("是否打印到PDF文件?");
inline constexpr const char* kTitlePrintToPdf = UI_TEXT_NOOP("打印到PDF文件");
inline constexpr const char* kFilterPrintToPdf = UI_TEXT_NOOP("PDF文件 (*.pdf)|*.pdf|");

class PrintCommands final : private PreviewSource {
public:
    // pictures: told the fabric and strands of the print details, so the statistics count
    // with them; may be null.
    PrintCommands(EditorSession& session, PrintDialogs& dialogs, PictureCommands* pictures = nullptr);
    ~PrintCommands() override;
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    void route(CommandRouter& router);

    // "打印细节设置" over the session's print details; true when they were changed by OK.
    bool editSettings();
    // The print job on the default printer; true when pages were printed.
    bool print();
    // "打印纸设置" on the default printer; true when a paper was chosen.
    bool pageSetup();
    // Opens the preview; nothing without an open pattern.
    bool preview();
    // "返回".
    bool closePreview();
    // The pattern changed: an open preview draws it again, or closes when no pattern is
    // left to show.
    void patternChanged();
    // Another pattern is open: what described the last one (its print title, the turn of
    // the paper chosen for it) starts again.
    void patternOpened();
    // The turn chosen in "打印纸设置" for the open pattern; nothing: its shape decides.
    const std::optional<QPageLayout::Orientation>& chosenOrientation() const { return orientation_; }

    // The paper chosen in "打印纸设置"; nothing before the first choice.
    const std::optional<QPageLayout>& paper() const { return paper_; }
    // Where "打印选择" starts: the last choice's colour, copies and "彩色符", all pages.
    const PrintChoice& lastChoice() const { return lastChoice_; }
    // The page the preview lays the chart out on, in logical units: the default printer's
    // printable area with the chosen paper, turned by the pattern's shape; without a
    // printer the chosen paper at 96 a inch, or A4.
    QSize previewPageSize();

private:
    // The chosen paper and the pattern's turn on a printer.
    void preparePrinter(QPrinter& printer) const;
    // The default printer, or without one (after the message and the user's yes) a printer
    // into a PDF file the user names; nothing when neither.
    std::unique_ptr<QPrinter> printerOrPdf();
    QPageLayout::Orientation orientation() const;

    // PreviewSource
    std::vector<std::string> previewPages() override;
    QImage previewPage(const PreviewOptions& options) override;

    EditorSession& session_;
    PrintDialogs& dialogs_;
    PictureCommands* pictures_;
    std::optional<QPageLayout> paper_;
    std::optional<QPageLayout::Orientation> orientation_;
    PrintChoice lastChoice_;
};

}  // namespace brenmark
