#pragma once
// The print colours: a CMYK value per thread, read from "cmyk/<brand>.cmyk" in the program
// directory. The file is "KOVRAN", a record count and 14-byte records: the thread number in
// a 10-byte NUL-padded field, then C, M, Y and K in percent.
#include "interchange/ui_text.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// C in the lowest byte, then M, Y and K; files hold the bytes in that order.
struct CmykValue {
    std::uint8_t c = 0, m = 0, y = 0, k = 0;

    constexpr std::uint32_t packed() const
    {
        return std::uint32_t(c) | std::uint32_t(m) << 8 | std::uint32_t(y) << 16 | std::uint32_t(k) << 24;
    }
    // Pure black ink prints over what is under it.
    constexpr bool isBlack() const { return c == 0 && m == 0 && y == 0 && k == 255; }
    bool operator==(const CmykValue&) const = default;
};

inline constexpr CmykValue kPaperWhite{0, 0, 0, 0};
inline constexpr CmykValue kBlackInk{0, 0, 0, 255};

// Ink coverage in percent, 0 … 100 each, as the table files hold it.
struct CmykPercent {
    std::uint8_t c = 0, m = 0, y = 0, k = 0;
    bool operator==(const CmykPercent&) const = default;
};

// Each percentage p becomes trunc(p × 255 × 0.01).
CmykValue valueFromPercent(CmykPercent p);

struct CmykRecord {
    std::string number;
    CmykValue value;
};
using CmykTable = std::vector<CmykRecord>;

inline constexpr std::array<char, 6> kCmykMagic = {'K', 'O', 'V', 'R', 'A', 'N'};
constexpr std::size_t kCmykHeaderSize = 10;
constexpr std::size_t kCmykRecordSize = 14;
constexpr std::size_t kCmykNumberField = 10;

// False, and an empty table, for a wrong magic, a negative count, a count the bytes cannot
// hold, or a percentage above 100: a damaged table counts as no table. Bytes past the last
// record are ignored.
bool decodeCmykTable(std::span<const std::uint8_t> bytes, CmykTable& out);
// Numbers longer than the field are cut to 10 bytes, unterminated.
std::vector<std::uint8_t> encodeCmykTable(std::span<const std::string> numbers, std::span<const CmykPercent> percents);

inline constexpr std::string_view kCmykTableTemplate = "%scmyk/%s.cmyk";
inline constexpr std::string_view kCmykFolderTemplate = "%scmyk";

// "<dir>cmyk/<brand>.cmyk"; empty for a brand that is no plain file name.
std::string cmykTablePath(const std::string& programDir, std::string_view brand);
// The brand's table; empty when the file is missing or damaged.
// damaged (may be null) is set when the table is missing, unreadable, empty or no table.
CmykTable loadCmykTable(const std::string& programDir, std::string_view brand, bool* damaged = nullptr);
inline constexpr const char* kMsgCmykTableDamaged = UI_TEXT_NOOP("CMYK表损坏,已按颜色换算");
// The first record with exactly this number (bytes compared as they are), null for none.
const CmykValue* findCmyk(const CmykTable& table, std::string_view number);

}  // namespace brenmark
