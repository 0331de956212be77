#pragma once
// The windows of the picture import and of the thread statistics and calculators, behind
// one interface: the editor shows real windows, the tests script them.
#include "editor/document/palette_file.h"
#include "editor/document/user_prompts.h"
#include "editor/output/picture_import.h"
#include "editor/output/thread_statistics.h"

#include <string>
#include <vector>

namespace brenmark {

// What the statistics window shows: the rows in colour-bar order and the header's facts.
struct StatisticsRequest {
    std::vector<ThreadStatisticsRow> rows;
    std::string brand;
    int width = 0;
    int height = 0;
    std::string fabric;
    int strands = 0;
    bool clearSymbols = false;  // the symbols are the chart symbol font's
};

class PictureDialogs {
public:
    virtual ~PictureDialogs() = default;
    // The picture dialog (a file dialog with the conversion panel) titled title, every
    // choice and button forwarded to panel, its refusals shown through messages. True when
    // it was closed with "打开".
    virtual bool importPicture(const std::string& title, const std::string& filter, PictureImportPanel& panel,
                               MessageBoxes& messages) = 0;
    // "当前绣图线量统计", modal.
    virtual void showStatistics(const StatisticsRequest& request) = 0;
    // "线量计算工具", "十字绣布计算工具" (its refusals through messages) and "得到绣线工具".
    virtual void threadCalculator() = 0;
    virtual void fabricCalculator(MessageBoxes& messages) = 0;
    virtual void threadFinder(const PaletteStore& palettes) = 0;
};

}  // namespace brenmark
