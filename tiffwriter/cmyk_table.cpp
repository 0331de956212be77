#include "tiffwriter/cmyk_table.h"

#include "editor/document/byte_io.h"
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/program_directory.h"

#include <algorithm>
#include <cstring>

namespace brenmark {
namespace {

std::uint8_t fromPercent(std::uint8_t p)
{
    return static_cast<std::uint8_t>(static_cast<int>(p * 255 * 0.01));
}

}  // namespace

CmykValue valueFromPercent(CmykPercent p)
{
    return {fromPercent(p.c), fromPercent(p.m), fromPercent(p.y), fromPercent(p.k)};
}

bool decodeCmykTable(std::span<const std::uint8_t> bytes, CmykTable& out)
{
    out.clear();
    if (bytes.size() < kCmykHeaderSize || std::memcmp(bytes.data(), kCmykMagic.data(), kCmykMagic.size()) != 0)
        return false;
    ByteReader in(bytes);
    in.skip(kCmykMagic.size());
    const std::int32_t count = in.i32();
    if (!in.ok() || count < 0 || static_cast<std::uint64_t>(count) * kCmykRecordSize > in.remaining())
        return false;
    CmykTable table;
    table.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        CmykRecord record;
        record.number = in.text(kCmykNumberField);
        const std::uint8_t* p = in.take(4);
        if (!p || std::any_of(p, p + 4, [](std::uint8_t v) { return v > 100; }))
            return false;
        record.value = valueFromPercent({p[0], p[1], p[2], p[3]});
        table.push_back(std::move(record));
    }
    out = std::move(table);
    return true;
}

std::vector<std::uint8_t> encodeCmykTable(std::span<const std::string> numbers, std::span<const CmykPercent> percents)
{
    const std::size_t n = std::min(numbers.size(), percents.size());
    std::vector<std::uint8_t> bytes(kCmykHeaderSize + n * kCmykRecordSize, 0);
    std::memcpy(bytes.data(), kCmykMagic.data(), kCmykMagic.size());
    const auto count = static_cast<std::uint32_t>(n);
    for (int b = 0; b < 4; ++b)
        bytes[6 + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(count >> (8 * b));
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t* record = bytes.data() + kCmykHeaderSize + i * kCmykRecordSize;
        std::memcpy(record, numbers[i].data(), std::min(numbers[i].size(), kCmykNumberField));
        const CmykPercent& p = percents[i];
        record[10] = p.c;
        record[11] = p.m;
        record[12] = p.y;
        record[13] = p.k;
    }
    return bytes;
}

std::string cmykTablePath(const std::string& programDir, std::string_view brand)
{
    if (!isSafeBrandName(brand))
        return {};
    return expandPathTemplate(kCmykTableTemplate, {programDir, brand});
}

CmykTable loadCmykTable(const std::string& programDir, std::string_view brand, bool* damaged)
{
    CmykTable table;
    const std::string path = cmykTablePath(programDir, brand);
    std::vector<std::uint8_t> bytes;
    // The longest table the format can hold: its count is a signed 32-bit number.
    constexpr std::uint64_t kLongest = kCmykHeaderSize + 0x7FFFFFFFull * kCmykRecordSize;
    const bool read = !path.empty() && pathKind(path) == PathKind::RegularFile && readWholeFile(path, bytes, kLongest);
    const bool decoded = read && decodeCmykTable(bytes, table) && !table.empty();
    if (damaged)
        *damaged = !decoded;
    return table;
}

const CmykValue* findCmyk(const CmykTable& table, std::string_view number)
{
    for (const CmykRecord& record : table)
        if (record.number == number)
            return &record.value;
    return nullptr;
}

}  // namespace brenmark
