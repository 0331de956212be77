#pragma once
// The thread-library mapping of the plug-in "绣线管理工具": pairs of a new brand's thread
// number and the DMC number it matches, the ".x2x" file that keeps them, the grid of three
// pairs a row, and building the new brand's palette from the DMC colours.
#include "editor/document/palette_file.h"
#include "editor/document/user_prompts.h"
#include "interchange/ui_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

struct MappingPair {
    std::string number;  // the new brand's thread number
    std::string dmc;
    bool operator==(const MappingPair&) const = default;
};

// ".x2x": a signed 32-bit count N, then N pairs of two 10-byte texts, NUL-terminated when
// shorter (bytes after the terminator mean nothing); 4 + 20 N bytes in all.
constexpr std::size_t kMappingTextBytes = 10;
constexpr std::size_t kMappingPairBytes = 2 * kMappingTextBytes;

std::vector<std::uint8_t> encodeMapping(std::span<const MappingPair> pairs);

struct MappingRead {
    std::vector<MappingPair> pairs;
    // The count promised more than the file holds (or was negative): the whole pairs there
    // are were read.
    bool cutShort = false;
};
// Nothing is allocated from the count alone. Nothing at all for a file under 4 bytes.
std::optional<MappingRead> decodeMapping(std::span<const std::uint8_t> bytes);

// A chosen save path gets ".x2x" unless it holds that anywhere already.
std::string withMappingExtension(std::string path);

inline constexpr const char* kMappingFilter = UI_TEXT_NOOP("绣库对应文件 (*.x2x)|*.x2x||");

// The grid: column 0 the row number, then three pairs (number, DMC) a row.
class MappingGrid {
public:
    using Row = std::array<std::string, 7>;

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const Row& row(int r) const { return rows_[static_cast<std::size_t>(r)]; }
    // Columns 1..6 only; column 0 is the row number.
    void setText(int r, int column, std::string text);
    // Appends rows numbered from the current count on ("%d", 0-based).
    void addRows(int count);
    // Every pair of every row, empty ones included (what is saved).
    std::vector<MappingPair> allPairs() const;
    // The pairs up to the first one with an empty text (what a library is built from).
    std::vector<MappingPair> pairsToBuild() const;
    // Appends ceil(N / 3) rows after the existing ones and fills them pair by pair.
    void appendPairs(std::span<const MappingPair> pairs);

private:
    std::vector<Row> rows_;
};

inline constexpr const char* kAskLibraryName = UI_TEXT_NOOP("请输入新绣线库名");
inline constexpr const char* kDmcUnreadable = UI_TEXT_NOOP("读取DMC色库出错");
inline constexpr const char* kUnmatchedFormat = UI_TEXT_NOOP("找不到新线:%s对应的DMC:%s线生成绣线库失败");
inline constexpr const char* kBadLibraryName = UI_TEXT_NOOP("绣线库名不能含有\"/\"");
inline constexpr const char* kLibraryNotWritten = UI_TEXT_NOOP("绣线库文件写入失败");
inline constexpr const char* kMappingCutShort = UI_TEXT_NOOP("绣库对应文件不完整,只读入了其中完整的%d对");

enum class BuildOutcome { Built, NoName, BadName, NoDmc, Unmatched, NotWritten };

// "生成库": the palette "<name>" with the pairs' numbers and their DMC colours, written to
// the palette folder of the store; the user hears of every refusal.
BuildOutcome buildThreadLibrary(const PaletteStore& store, const std::string& name,
                                std::span<const MappingPair> pairs, MessageBoxes& messages);

}  // namespace brenmark
