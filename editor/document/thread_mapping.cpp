#include "editor/document/thread_mapping.h"

#include "editor/document/pattern_document.h"
#include "editor/document/symbol_charset.h"

#include <algorithm>

namespace brenmark {

std::string freshSymbol(const PatternDocument& doc, std::size_t index)
{
    const auto& set = symbolSetFor(doc.clearSymbols);
    const std::size_t before = std::min(index, doc.symbols.size());
    auto usable = [&](const std::string& candidate, bool apart) {
        for (std::size_t j = 0; j < before; ++j)
            if (doc.symbols[j].symbol == candidate || (apart && symbolsLookAlike(doc.symbols[j].symbol, candidate)))
                return false;
        return true;
    };
    // With the font's symbols, one that looks like none of the earlier threads' first.
    for (const bool apart : {true, false})
        for (const std::string& candidate : set)
            if (usable(candidate, apart && doc.clearSymbols))
                return candidate;
    if (index < set.size())
        return set[index];
    return overflowSymbol(doc.threads, doc.symbols, index);
}

int nearestThread(const std::vector<ColorRef>& colors, ColorRef color)
{
    long long best = 1000000000;
    int hit = -1;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const long long dr = static_cast<long long>(redOf(colors[i])) - redOf(color);
        const long long dg = static_cast<long long>(greenOf(colors[i])) - greenOf(color);
        const long long db = static_cast<long long>(blueOf(colors[i])) - blueOf(color);
        const long long d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            hit = static_cast<int>(i);
        }
    }
    return hit;
}

ThreadMapping mapThreads(PatternDocument& doc, const std::vector<ColorRef>& colors,
                         const std::vector<std::string>& numbers)
{
    ThreadMapping mapping;
    mapping.firstAppended = doc.threads.size();
    mapping.indices.reserve(colors.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const ColorRef color = colors[i];
        const auto& table = doc.threads.colors;
        const auto found = std::find(table.begin(), table.end(), color);
        if (found != table.end()) {
            mapping.indices.push_back(static_cast<std::int32_t>(found - table.begin()));
            continue;
        }
        if (doc.threads.size() >= kMaxThreads) {
            mapping.indices.push_back(nearestThread(table, color));
            continue;
        }
        const std::size_t index = table.size();
        doc.addThread(color, i < numbers.size() ? numbers[i] : std::string{});
        if (index < doc.symbols.size()) {
            doc.symbols[index].color = static_cast<std::int32_t>(color);
            doc.symbols[index].symbol = freshSymbol(doc, index);
        }
        mapping.indices.push_back(static_cast<std::int32_t>(index));
        ++mapping.appended;
    }
    return mapping;
}

void remapCells(std::vector<std::int32_t>& cells, const ThreadMapping& mapping)
{
    const auto count = static_cast<std::int32_t>(mapping.indices.size());
    for (std::int32_t& v : cells)
        v = (v >= 0 && v < count) ? mapping.indices[static_cast<std::size_t>(v)] : EmptyCell;
}

}  // namespace brenmark
