#pragma once
// What the export commands ask of the user beyond the file dialogs and messages of
// UserDialogs: the option dialogs "导出提示" and "导出矢量绣图", and the start of the page
// writer. The editor shows real dialogs and starts real programs; the tests script both.
#include "editor/output/chart_files.h"

#include <optional>
#include <string>
#include <vector>

namespace brenmark {

class ExportDialogs {
public:
    virtual ~ExportDialogs() = default;
    // "导出提示": "导出绣图颜色" ("黑白绣图" / "彩色绣图"), "导出绣图方式" ("整幅导出" /
    // "按打印导出") and "彩色符", starting at shown; nothing on Cancel.
    virtual std::optional<ExportOptions> imageOptions(const ExportOptions& shown) = 0;
    // "导出矢量绣图": the same choices with "彩色字符".
    virtual std::optional<ExportOptions> vectorOptions(const ExportOptions& shown) = 0;
    // The PDF export's: "导出提示" with "图表应用PDF" beside its choices.
    virtual std::optional<ExportOptions> pdfOptions(const ExportOptions& shown) { return imageOptions(shown); }
};

// Starts a program without waiting for it.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // False when the program could not be started.
    virtual bool startDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace brenmark
