#pragma once
// The dialogs of the colour operations. The window shows real ones (qt_colour_dialogs.h), the
// tests script them, so the commands behind them run without a display.
#include "editor/output/colour_operations.h"

#include <optional>
#include <string>
#include <vector>

namespace brenmark {

// The two threads a replace dialog hands back; either may be left unchosen.
struct ReplaceAnswer {
    std::optional<ThreadChoice> oldThread;
    std::optional<ThreadChoice> newThread;
};

class ColourDialogs {
public:
    virtual ~ColourDialogs() = default;
    // "成批减色" with "要减的颜色数" showing initial; threadsShown is the colour bar's count.
    // Nothing on Cancel.
    virtual std::optional<int> reduceCount(int threadsShown, int initial) = 0;
    // "颜色替换窗口" or "区域替换颜色" (title): the old thread from the pattern's threads, the
    // new one from the brand's palette. Nothing on Cancel.
    virtual std::optional<ReplaceAnswer> chooseReplacement(const std::string& title,
                                                           const std::vector<ThreadChoice>& patternThreads,
                                                           const std::vector<ThreadChoice>& paletteThreads) = 0;
    // "选择增加绣线窗口": "添加关闭" gives the thread, "取消关闭" nothing.
    virtual std::optional<ThreadChoice> chooseThreadToAdd(const std::vector<ThreadChoice>& paletteThreads) = 0;
    // "更换描边颜色" for the lines of oldNumber: OK gives the answer (its thread may be unchosen),
    // Cancel nothing.
    virtual std::optional<std::optional<ThreadChoice>> chooseOutlineThread(
        const std::string& oldNumber, const std::vector<ThreadChoice>& paletteThreads) = 0;
    // "颜色符号代替": "要更换符号%s" over the grid of the symbol set (the chart symbol font's
    // glyphs when clearSymbols); the chosen symbol on OK.
    virtual std::optional<std::string> chooseSymbol(const std::string& currentSymbol,
                                                    const std::vector<std::string>& symbols, bool clearSymbols) = 0;
    // "清理单针": the strength, 1 to 10 (5 at first). Nothing on Cancel.
    virtual std::optional<int> confettiStrength() { return 5; }
};

}  // namespace brenmark
