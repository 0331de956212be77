#include "editor/output/thread_statistics.h"

#include "editor/document/thread_usage.h"
#include "editor/output/picture_converter.h"
#include "interchange/ui_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace brenmark {

namespace {

std::string format(const char* pattern, auto... values)
{
    // Every specifier is ASCII, and '%' is never the second byte of a GBK character.
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

}  // namespace

std::vector<ThreadStatisticsRow> threadStatistics(const PatternDocument& doc, const std::string& fabric, int strands)
{
    DistinctColors list;
    list.rebuild(doc.threads);
    const std::size_t n = list.colors.size();
    // Table position -> colour-list place: the usage per entry is summed per colour.
    std::vector<std::int32_t> place(doc.threads.colors.size());
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> firstEntry(n, kNone);
    for (std::size_t i = 0; i < place.size(); ++i) {
        const auto at = static_cast<std::size_t>(
            std::find(list.colors.begin(), list.colors.end(), doc.threads.colors[i]) - list.colors.begin());
        place[i] = static_cast<std::int32_t>(at);
        if (firstEntry[at] == kNone)
            firstEntry[at] = i;
    }
    const ThreadUsage usage(doc);
    std::vector<std::int64_t> cells(n, 0);
    for (std::size_t i = 0; i < place.size(); ++i)
        cells[static_cast<std::size_t>(place[i])] += usage.cellsOf(i);
    std::vector<std::int64_t> outline(n, 0);
    std::vector<std::uint8_t> hasLines(n, 0);
    for (const OutlineGroup& group : usage.outlines()) {
        const auto at = static_cast<std::size_t>(std::find(list.colors.begin(), list.colors.end(), group.colour) -
                                                 list.colors.begin());
        if (at < n) {
            outline[at] += group.length;
            hasLines[at] = 1;
        }
    }
    std::vector<ThreadStatisticsRow> rows;
    for (std::size_t k = 0; k < n; ++k) {
        if (cells[k] == 0 && !hasLines[k])
            continue;
        ThreadStatisticsRow row;
        row.colour = list.colors[k];
        row.number = list.numbers[k];
        const std::size_t entry = firstEntry[k];
        row.symbol = entry < doc.symbols.size() ? doc.symbols[entry].symbol : std::string();
        row.cells = cells[k];
        row.outline = outline[k];
        row.metres = (cells[k] > 0 ? skeinMetres(fabric, cells[k], strands) : 0.0) +
                     (hasLines[k] ? static_cast<double>(outline[k]) * kOutlineRate : 0.0);
        row.metresLabel = metresText(row.metres);
        rows.push_back(std::move(row));
    }
    return rows;
}

void sortByUsage(std::vector<ThreadStatisticsRow>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const ThreadStatisticsRow& a, const ThreadStatisticsRow& b) { return a.cells > b.cells; });
}

// --- the window's layout -------------------------------------------------------------------

BoxRect StatisticsLayout::labelCell(int band, int row) const
{
    return {0, bandsTop + band * bandStep() + row * rowHeight, kLabelWidth, rowHeight};
}

BoxRect StatisticsLayout::threadCell(int thread, int row) const
{
    const int band = thread / columns;
    const int column = thread % columns;
    return {kLabelWidth + column * kCellWidth, bandsTop + band * bandStep() + row * rowHeight, kCellWidth, rowHeight};
}

int StatisticsLayout::threadAt(int x, int y, int threads) const
{
    if (x < kLabelWidth || y < bandsTop || columns < 1 || rowHeight < 1)
        return -1;
    const int column = (x - kLabelWidth) / kCellWidth;
    const int band = (y - bandsTop) / bandStep();
    if (column >= columns || y - bandsTop - band * bandStep() >= 3 * rowHeight)
        return -1;  // right of the last column, or in the gap under a band
    const int thread = band * columns + column;
    return thread < threads ? thread : -1;
}

void nameThreads(std::vector<ThreadStatisticsRow>& rows, const ThreadNames& names)
{
    for (ThreadStatisticsRow& row : rows)
        row.name = threadName(names, row.number);
}

BoxRect StatisticsLayout::symbolFill(int thread) const
{
    const BoxRect cell = threadCell(thread, 0);
    return {cell.x + 1, cell.y + 1, cell.width - 1, cell.height - 1};
}

int StatisticsLayout::scrollLimit(int clientHeight) const
{
    if (contentHeight <= clientHeight || bands == 0)
        return 0;
    const int hidden = contentHeight - clientHeight;
    return std::min(bands - 1, (hidden + bandStep() - 1) / bandStep());
}

StatisticsLayout layoutStatistics(int clientWidth, int textHeight, int threads)
{
    StatisticsLayout l;
    l.rowHeight = textHeight + 5;
    l.columns = std::max(1, (clientWidth - StatisticsLayout::kLabelWidth) / StatisticsLayout::kCellWidth);
    l.title = {0, 0, clientWidth, l.rowHeight};
    const int column = clientWidth / 6;
    for (int i = 0; i < 6; ++i)
        l.header[static_cast<std::size_t>(i)] = {i * column, l.rowHeight, column, l.rowHeight};
    l.bandsTop = 2 * l.rowHeight + StatisticsLayout::kBandGap;
    l.bands = threads > 0 ? (threads + l.columns - 1) / l.columns : 0;
    l.contentHeight = l.bandsTop + l.bands * l.bandStep();
    return l;
}

std::array<std::string, 6> statisticsHeader(bool metres, const std::string& fabric, int strands,
                                            const std::string& brand, int rows, int width, int height)
{
    return {metres ? format(uiText("使用绣线(%s %d股绣)").c_str(), fabric.c_str(), strands) : std::string(UI_TEXT_NOOP("使用绣线")),
            brand,
            UI_TEXT_NOOP("使用绣线数"),
            std::to_string(rows),
            UI_TEXT_NOOP("绣图宽和高(格)"),
            format(uiText("宽%d * 高%d").c_str(), width, height)};
}

std::array<std::string, 3> bandLabels(bool metres)
{
    return {UI_TEXT_NOOP("符号"), UI_TEXT_NOOP("线号"), metres ? UI_TEXT_NOOP("线量(6股米数)") : UI_TEXT_NOOP("线量(格数)")};
}

std::string amountText(const ThreadStatisticsRow& row, bool metres)
{
    return metres ? row.metresLabel : std::to_string(row.cells);
}

bool drawsWhite(ColorRef colour)
{
    return 0.59 * redOf(colour) + 0.30 * greenOf(colour) + 0.11 * blueOf(colour) < 122.0;
}

// --- calculators -----------------------------------------------------------------------------

int recommendedStrands(const std::string& fabric)
{
    const int count = stitchesPerInch(fabric);
    if (count == 8 || count == 9)
        return 4;
    if (count == 11)
        return 3;
    return 2;
}

std::string threadAmountText(const std::string& fabric, int strands, std::int64_t cells)
{
    return format(uiText("%s %d股绣需要绣线:%.3f米(注:指的是六股)").c_str(), fabric.c_str(), strands, skeinMetres(fabric, cells, strands));
}

FabricSize fabricSize(const std::string& fabric, int width, int height)
{
    FabricSize size;
    if (width == 0 || height == 0) {
        size.refusal = kMsgBadFabricSize;
        return size;
    }
    const int k = stitchesPerInch(fabric);
    if (fabric.empty() || k == 0) {
        size.refusal = kMsgChooseFabric;
        return size;
    }
    size.widthCm = static_cast<double>(width) / k * 2.54;
    size.heightCm = static_cast<double>(height) / k * 2.54;
    size.text = format(uiText("计算出绣布的宽为:%.1f厘米,高为:%.1f厘米,\r\n这是理论值请自行加边(计算值+留边*2)推荐留边1厘米也就是 计算值+1*2").c_str(),
                       size.widthCm, size.heightCm);
    return size;
}

std::optional<int> matchThread(std::span<const ColorRef> palette, std::optional<ColorRef> picked)
{
    if (!picked || palette.empty())
        return std::nullopt;
    return nearestColour(palette, *picked);
}


}  // namespace brenmark
