#pragma once
// How much of each thread a pattern needs: cells and outline length per thread, metres for a
// fabric count and a number of strands, the statistics window's band layout, and the thread
// amount, fabric size and thread finder calculators. Plain logic; the windows only draw.
#include "editor/document/color_ref.h"
#include "editor/document/pattern_document.h"
#include "editor/document/thread_amounts.h"
#include "editor/document/thread_brands.h"
#include "editor/document/thread_names.h"
#include "interchange/ui_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kTitleStatistics = UI_TEXT_NOOP("当前绣图线量统计");
inline constexpr const char* kTitleThreadCalculator = UI_TEXT_NOOP("线量计算工具");
inline constexpr const char* kTitleFabricCalculator = UI_TEXT_NOOP("十字绣布计算工具");
inline constexpr const char* kTitleThreadFinder = UI_TEXT_NOOP("得到绣线工具");
inline constexpr const char* kByCells = UI_TEXT_NOOP("按格数");
inline constexpr const char* kByMetres = UI_TEXT_NOOP("按具体米数");
inline constexpr const char* kSortByUsage = UI_TEXT_NOOP("按使用量排序");
inline constexpr const char* kMsgBadFabricSize = UI_TEXT_NOOP("请输入正确的宽高数据");
inline constexpr const char* kMsgChooseFabric = UI_TEXT_NOOP("请选择绣布类型");
// One row of the statistics, per distinct thread colour.
struct ThreadStatisticsRow {
    ColorRef colour = 0;
    std::string symbol;
    std::string number;
    std::int64_t cells = 0;
    std::int64_t outline = 0;  // outline length in cell lengths
    double metres = 0;         // six-strand metres
    std::string metresLabel;   // "%.2fm"
    std::string name;          // the thread's name in its brand's table, empty when unknown
};

// Rows in colour-list order: every distinct colour with cells, or with outline lines of its
// colour; cells are counted on the visible grid (equal colours summed; empty and unknown
// indices not counted) and lines over the visible lines.
std::vector<ThreadStatisticsRow> threadStatistics(const PatternDocument& doc, const std::string& fabric, int strands);
// Each row named from its brand's names by its number.
void nameThreads(std::vector<ThreadStatisticsRow>& rows, const ThreadNames& names);
// "按使用量排序": most cells first; equal counts keep their order.
void sortByUsage(std::vector<ThreadStatisticsRow>& rows);

// The statistics window's drawing, as rectangles in content coordinates (scrolled by the
// window): the title, a header row of six equal columns, then bands of three rows ("符号",
// "线号", the amount) with an 80-pixel label column and 45-pixel thread columns.
struct BoxRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const BoxRect&) const = default;
};
struct StatisticsLayout {
    static constexpr int kLabelWidth = 80;
    static constexpr int kCellWidth = 45;
    static constexpr int kBandGap = 10;
    BoxRect title;
    std::array<BoxRect, 6> header;
    int columns = 1;    // threads per band: (client width - 80) / 45, at least 1
    int rowHeight = 0;  // text height + 5
    int bandsTop = 0;
    int bands = 0;
    int contentHeight = 0;

    int bandStep() const { return 3 * rowHeight + kBandGap; }
    // Row 0 "符号", 1 "线号", 2 the amount.
    BoxRect labelCell(int band, int row) const;
    BoxRect threadCell(int thread, int row) const;
    // The symbol cell's fill: one pixel inside the grid lines.
    BoxRect symbolFill(int thread) const;
    // The thread whose column holds a content point (any of its three rows), -1 for none.
    int threadAt(int x, int y, int threads) const;
    // How many bands the spin control can scroll past in a client of this height.
    int scrollLimit(int clientHeight) const;
};
StatisticsLayout layoutStatistics(int clientWidth, int textHeight, int threads);

// The texts of the window: the header's six columns and the band labels.
std::array<std::string, 6> statisticsHeader(bool metres, const std::string& fabric, int strands,
                                            const std::string& brand, int rows, int width, int height);
std::array<std::string, 3> bandLabels(bool metres);
// The third row of a thread: "%d" cells or its metres text.
std::string amountText(const ThreadStatisticsRow& row, bool metres);
// Symbols on dark colours are drawn white: 0.59 R + 0.30 G + 0.11 B below 122.
bool drawsWhite(ColorRef colour);

// "线量计算工具": strands the fabric suggests (8CT, 9CT: 4; 11CT: 3; finer: 2), and the result
// "%s %d股绣需要绣线:%.3f米(注:指的是六股)".
int recommendedStrands(const std::string& fabric);
std::string threadAmountText(const std::string& fabric, int strands, std::int64_t cells);

// "十字绣布计算工具": centimetres of fabric for a pattern, or the refusal to show.
struct FabricSize {
    std::optional<std::string> refusal;  // "请输入正确的宽高数据" or "请选择绣布类型"
    double widthCm = 0;
    double heightCm = 0;
    std::string text;  // "计算出绣布的宽为:%.1f厘米,高为:%.1f厘米,\r\n这是理论值..."
};
FabricSize fabricSize(const std::string& fabric, int width, int height);

// "得到绣线工具": the palette thread nearest to a picked colour, by the shared rule; nothing
// without a picked colour or palette.
std::optional<int> matchThread(std::span<const ColorRef> palette, std::optional<ColorRef> picked);
// The finder's brand list is the program's one list (PaletteStore::threadKindList); DMC
// is selected first when it is there.
inline constexpr const char* kFinderDefaultBrand = kDefaultBrand;

}  // namespace brenmark
