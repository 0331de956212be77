#pragma once
// One export run, as the worker thread performs it: the pattern is read, each thread gets
// its print colour, the user names the output and picks the options, and the pages are
// written. The dialogs and messages go through PageExportDialogs, so the batch mode and the
// tests script them.
#include "editor/document/user_prompts.h"
#include "interchange/ui_text.h"
#include "tiffwriter/tiff_layout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

class PatternDocument;
class ColourToCmyk;
struct ChartInk;

inline constexpr const char* kOutputDialogTitle = UI_TEXT_NOOP("选择要导出的文件名或目录名");
inline constexpr const char* kOutputDialogFilter = UI_TEXT_NOOP("目录或文件名 (*.*)|*.*||");
inline constexpr const char* kMsgPageTooLarge = UI_TEXT_NOOP("绣图太大,印刷页超过TIFF文件4GB的限制,不能导出");
inline constexpr const char* kMsgPageTooWide = UI_TEXT_NOOP("绣图太大,印刷页的宽或高超过TIFF文件65535像素的限制,不能导出");
inline constexpr const char* kMsgCannotWrite = UI_TEXT_NOOP("印刷文件写入失败");
inline constexpr const char* kMsgCannotMakeFolder = UI_TEXT_NOOP("不能建立存放印刷文件的目录");
// The status line after the user stopped a run.
inline constexpr const char* kStatusCancelled = UI_TEXT_NOOP("导出已取消");
// Before anything is written: the pages, the room they take and the room there is.
inline constexpr const char* kMsgNoRoom = UI_TEXT_NOOP("印刷文件共%d页,需要%s磁盘空间,目标磁盘只有%s可用,不能导出");

// The room a run's pages need at a target; a message (kMsgNoRoom) when the target's file
// system has less free, empty when it has enough or does not say.
std::string roomRefusal(const std::string& target, int pages, std::uint64_t pageBytes);

class PageExportDialogs : public MessageBoxes {
public:
    // The output name as chosen, the dialog starting in the folder startIn (the pattern's);
    // nothing on Cancel.
    virtual std::optional<std::string> askOutputName(const std::string& title, const std::string& filter,
                                                     const std::string& startIn) = 0;
    // The options dialog "导出矢量绣图" opened at the defaults (the title the print details
    // start with); nothing on Cancel.
    virtual std::optional<PrintOptions> askOptions(const PrintOptions& defaults) = 0;
};

class PageExportStatus {
public:
    virtual ~PageExportStatus() = default;
    virtual void status(const std::string& text) = 0;  // GBK
    virtual void progress(int percent) = 0;
    // Whether the user asked to stop; the run looks between pages and before a page is
    // finished, and a stopped run leaves the old output as it was (PageExportOutcome::Cancelled).
    virtual bool cancelled() const { return false; }
};

struct PageExportSetup {
    std::string patternPath;
    std::string programDir;  // palettes, "cmyk/" tables
    bool syncFiles = true;   // each file synced before it is renamed over its name
};

enum class PageExportOutcome { Written, Cancelled, Refused, Failed };

struct PageExportResult {
    PageExportOutcome outcome = PageExportOutcome::Failed;
    std::vector<std::string> files;  // the files written, in order
};

PageExportResult runPageExport(const PageExportSetup& setup, PageExportDialogs& dialogs, PageExportStatus& status);

// The options the dialog opens at: the chart title of the print details, the rest as the
// dialog's defaults.
PrintOptions startingOptions();
// The header of the key page of a per-page export: the title, a blank, "KEY".
std::string keyPageHeader(const std::string& title);

// The pattern as the page writer reads it: the three refusals "被选文件不存在",
// "不能打开高版本制作的绣图" and "不能打开旧色库制作的绣图,请用Velmora工具转换后再打开" (and the
// editor reader's own for a damaged file or a path that is no file), symbols completed.
bool readExportPattern(const std::string& path, const std::string& programDir, PatternDocument& doc, MessageBoxes& messages);
// Each thread's print colour: the first record of the brand's table with its number, else
// its screen colour converted; the background from the fabric's DMC number (paper white
// without one).
// tableDamaged (may be null) is set when the brand's table is missing or damaged; the run
// then says "CMYK表损坏,已按颜色换算" once.
ChartInk exportInk(const PatternDocument& doc, const std::string& programDir, const ColourToCmyk& converter,
                   bool* tableDamaged = nullptr);

}  // namespace brenmark
