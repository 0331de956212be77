#include "plugins/threadmap/thread_mapping_file.h"


#include <algorithm>
#include <cstdio>
#include <cstring>

namespace brenmark {

namespace {

void putText(std::vector<std::uint8_t>& out, const std::string& text)
{
    std::uint8_t field[kMappingTextBytes] = {};
    std::memcpy(field, text.data(), std::min(text.size(), kMappingTextBytes));
    out.insert(out.end(), field, field + kMappingTextBytes);
}

std::string getText(const std::uint8_t* field)
{
    const auto* end = std::find(field, field + kMappingTextBytes, std::uint8_t{0});
    return std::string(field, end);
}

std::string format(const char* pattern, const std::string& a, const std::string& b = {})
{
    std::vector<char> buffer(std::strlen(pattern) + a.size() + b.size() + 16);
    std::snprintf(buffer.data(), buffer.size(), pattern, a.c_str(), b.c_str());
    return buffer.data();
}

}  // namespace

std::vector<std::uint8_t> encodeMapping(std::span<const MappingPair> pairs)
{
    std::vector<std::uint8_t> out;
    out.reserve(4 + kMappingPairBytes * pairs.size());
    const auto n = static_cast<std::uint32_t>(pairs.size());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(n >> shift));
    for (const MappingPair& p : pairs) {
        putText(out, p.number);
        putText(out, p.dmc);
    }
    return out;
}

std::optional<MappingRead> decodeMapping(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                                 static_cast<std::uint32_t>(bytes[2]) << 16 |
                                                 static_cast<std::uint32_t>(bytes[3]) << 24);
    const std::size_t held = (bytes.size() - 4) / kMappingPairBytes;
    MappingRead read;
    std::size_t take = 0;
    if (count < 0) {
        read.cutShort = true;
    } else if (static_cast<std::size_t>(count) > held) {
        read.cutShort = true;
        take = held;
    } else {
        take = static_cast<std::size_t>(count);
    }
    read.pairs.reserve(take);
    for (std::size_t k = 0; k < take; ++k) {
        const std::uint8_t* pair = bytes.data() + 4 + kMappingPairBytes * k;
        read.pairs.push_back({getText(pair), getText(pair + kMappingTextBytes)});
    }
    return read;
}

std::string withMappingExtension(std::string path)
{
    if (path.find(".x2x") == std::string::npos)
        path += ".x2x";
    return path;
}

void MappingGrid::setText(int r, int column, std::string text)
{
    if (r < 0 || r >= rowCount() || column < 1 || column > 6)
        return;
    rows_[static_cast<std::size_t>(r)][static_cast<std::size_t>(column)] = std::move(text);
}

void MappingGrid::addRows(int count)
{
    const int first = rowCount();
    for (int i = 0; i < count; ++i) {
        Row row;
        row[0] = std::to_string(first + i);
        rows_.push_back(std::move(row));
    }
}

std::vector<MappingPair> MappingGrid::allPairs() const
{
    std::vector<MappingPair> pairs;
    for (const Row& row : rows_)
        for (int p = 0; p < 3; ++p)
            pairs.push_back({row[static_cast<std::size_t>(1 + 2 * p)], row[static_cast<std::size_t>(2 + 2 * p)]});
    return pairs;
}

std::vector<MappingPair> MappingGrid::pairsToBuild() const
{
    std::vector<MappingPair> pairs = allPairs();
    const auto end = std::find_if(pairs.begin(), pairs.end(),
                                  [](const MappingPair& p) { return p.number.empty() || p.dmc.empty(); });
    pairs.erase(end, pairs.end());
    return pairs;
}

void MappingGrid::appendPairs(std::span<const MappingPair> pairs)
{
    const int first = rowCount();
    addRows(static_cast<int>((pairs.size() + 2) / 3));
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const int r = first + static_cast<int>(k / 3);
        const int column = 1 + 2 * static_cast<int>(k % 3);
        setText(r, column, pairs[k].number);
        setText(r, column + 1, pairs[k].dmc);
    }
}

BuildOutcome buildThreadLibrary(const PaletteStore& store, const std::string& name,
                                std::span<const MappingPair> pairs, MessageBoxes& messages)
{
    if (name.empty()) {
        messages.show(kAskLibraryName, kTitleInfo, MessageIcon::Information);
        return BuildOutcome::NoName;
    }
    // The name becomes a file name in the palette folder, nothing outside it.
    if (!isSafeBrandName(name)) {
        messages.show(kBadLibraryName, kTitleInfo, MessageIcon::Stop);
        return BuildOutcome::BadName;
    }
    Palette dmc;
    if (!store.load("DMC", dmc)) {
        messages.show(kDmcUnreadable, kTitleInfo, MessageIcon::Stop);
        return BuildOutcome::NoDmc;
    }
    std::vector<ColorRef> colours;
    std::vector<std::string> numbers;
    for (const MappingPair& p : pairs) {
        const int i = dmc.find(p.dmc);
        if (i < 0) {
            messages.show(format(kUnmatchedFormat, p.number, p.dmc), kTitleInfo, MessageIcon::Stop);
            return BuildOutcome::Unmatched;
        }
        colours.push_back(dmc.colors[static_cast<std::size_t>(i)]);
        numbers.push_back(p.number);
    }
    if (!store.save(name, colours, numbers)) {
        messages.show(kLibraryNotWritten, kTitleInfo, MessageIcon::Stop);
        return BuildOutcome::NotWritten;
    }
    return BuildOutcome::Built;
}

}  // namespace brenmark
