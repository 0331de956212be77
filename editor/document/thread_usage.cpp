#include "editor/document/thread_usage.h"

#include "editor/document/thread_amounts.h"

#include <algorithm>

namespace brenmark {
namespace {

void countGrid(const auto& cells, std::vector<std::int64_t>& usage)
{
    const auto size = static_cast<std::int32_t>(usage.size());
    for (const std::int32_t v : cells)
        if (v >= 0 && v < size)
            ++usage[static_cast<std::size_t>(v)];
}

void countCells(const LayerCells& cells, std::vector<std::int64_t>& usage)
{
    // A byte histogram first: one pass, no branches, then 255 additions.
    std::int64_t counts[256] = {};
    const LayerByte* bytes = cells.bytes();
    for (std::size_t i = 0, n = cells.size(); i < n; ++i)
        ++counts[bytes[i]];
    for (std::size_t v = 0; v < kTransparentByte && v < usage.size(); ++v)
        usage[v] += counts[v];
}

std::vector<OutlineGroup> groupOutlines(const PatternDocument& doc)
{
    std::vector<OutlineGroup> groups;
    for (const BackstitchLine& line : doc.lines) {
        auto it = std::find_if(groups.begin(), groups.end(), [&](const OutlineGroup& g) { return g.colour == line.color; });
        if (it == groups.end()) {
            OutlineGroup g;
            g.colour = line.color;
            g.number = line.thread;
            const auto& colours = doc.threads.colors;
            const auto entry = std::find(colours.begin(), colours.end(), line.color);
            if (g.number.empty() && entry != colours.end())
                g.number = doc.threads.numbers[static_cast<std::size_t>(entry - colours.begin())];
            groups.push_back(std::move(g));
            it = groups.end() - 1;
        }
        it->length += outlineLength(line);
        ++it->lines;
    }
    return groups;
}

}  // namespace

ThreadUsage::ThreadUsage(const PatternDocument& doc)
    : cells_(doc.threads.colors.size(), 0), outlines_(groupOutlines(doc))
{
    countGrid(doc.grid.cells, cells_);
}

ThreadUsage ThreadUsage::withLayers(const PatternDocument& doc)
{
    ThreadUsage usage(doc);
    for (const PatternLayer& layer : doc.layers.layers) {
        countCells(layer.cells, usage.cells_);
        // A piece still being placed becomes cells of its layer later; its threads stay.
        if (layer.floating)
            countCells(layer.floating->cells, usage.cells_);
    }
    return usage;
}

std::int64_t ThreadUsage::cellsOfColour(const PatternDocument& doc, ColorRef colour) const
{
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < cells_.size() && i < doc.threads.colors.size(); ++i)
        if (doc.threads.colors[i] == colour)
            sum += cells_[i];
    return sum;
}

const OutlineGroup* ThreadUsage::outlineOf(ColorRef colour) const
{
    const auto it = std::find_if(outlines_.begin(), outlines_.end(), [&](const OutlineGroup& g) { return g.colour == colour; });
    return it == outlines_.end() ? nullptr : &*it;
}

}  // namespace brenmark
