#include "editor/document/layer_composer.h"

#include "editor/document/pattern_document.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace brenmark {
namespace {

// Sixteen layer bytes at a time with plain vector extensions (SSE2 on every x86-64, NEON on
// ARM): the compiler's own vectoriser is not reliable at -O2 for a select loop.
using Lanes = LayerByte __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes);

inline Lanes load(const LayerByte* p)
{
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store(LayerByte* p, Lanes v) { std::memcpy(p, &v, sizeof v); }

// Cells are composed in blocks that stay in the first-level cache while every layer is laid
// over them, so each layer is read from memory once and the result written once.
constexpr std::size_t kBlock = 8192;

std::uint64_t cellKey(std::int32_t column, std::int32_t row)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32) | static_cast<std::uint32_t>(row);
}

// The layers that can take part: those of the right size.
std::vector<const LayerByte*> usableCells(std::span<const PatternLayer* const> bottomFirst, std::size_t n)
{
    std::vector<const LayerByte*> sources;
    sources.reserve(bottomFirst.size());
    for (const PatternLayer* layer : bottomFirst)
        if (layer && layer->cells.size() == n)
            sources.push_back(layer->cells.bytes());
    return sources;
}

// Composes the bytes of cells first .. first + len - 1 into out.
void composeBlock(const std::vector<const LayerByte*>& sources, std::size_t first, std::size_t len, LayerByte* out)
{
    if (sources.empty()) {
        std::memset(out, kTransparentByte, len);
        return;
    }
    std::memcpy(out, sources[0] + first, len);
    for (std::size_t s = 1; s < sources.size(); ++s)
        overlayLayerBytes(out, sources[s] + first, len);
}

}  // namespace

void overlayLayerBytes(LayerByte* dst, const LayerByte* src, std::size_t n)
{
    Lanes transparent;
    std::memset(&transparent, kTransparentByte, sizeof transparent);
    std::size_t i = 0;
    for (; i + 2 * kLanes <= n; i += 2 * kLanes) {
        const Lanes s0 = load(src + i), s1 = load(src + i + kLanes);
        const Lanes d0 = load(dst + i), d1 = load(dst + i + kLanes);
        const Lanes keep0 = s0 == transparent, keep1 = s1 == transparent;
        store(dst + i, (d0 & keep0) | (s0 & ~keep0));
        store(dst + i + kLanes, (d1 & keep1) | (s1 & ~keep1));
    }
    for (; i < n; ++i)
        if (src[i] != kTransparentByte)
            dst[i] = src[i];
}

void composeCells(std::span<const PatternLayer* const> bottomFirst, std::int32_t* out, std::size_t n)
{
    const std::vector<const LayerByte*> sources = usableCells(bottomFirst, n);
    LayerByte block[kBlock];
    for (std::size_t start = 0; start < n; start += kBlock) {
        const std::size_t len = std::min(kBlock, n - start);
        composeBlock(sources, start, len, block);
        std::int32_t* dst = out + start;
        for (std::size_t i = 0; i < len; ++i)
            dst[i] = cellOfLayerByte(block[i]);
    }
}

void composeLayerBytes(std::span<const PatternLayer* const> bottomFirst, LayerByte* out, std::size_t n)
{
    const std::vector<const LayerByte*> sources = usableCells(bottomFirst, n);
    for (std::size_t start = 0; start < n; start += kBlock)
        composeBlock(sources, start, std::min(kBlock, n - start), out + start);
}

std::vector<BackstitchLine> composeLines(std::span<const PatternLayer* const> bottomFirst)
{
    std::size_t total = 0;
    for (const PatternLayer* layer : bottomFirst)
        total += layer->lines.size();
    std::vector<BackstitchLine> lines;
    lines.reserve(total);
    for (const PatternLayer* layer : bottomFirst)
        lines.insert(lines.end(), layer->lines.begin(), layer->lines.end());
    return lines;
}

std::vector<StitchMark> composeMarks(std::span<const PatternLayer* const> bottomFirst)
{
    std::vector<StitchMark> marks;
    if (bottomFirst.empty())
        return marks;
    marks = bottomFirst.front()->marks;
    if (bottomFirst.size() == 1)
        return marks;
    // Where each cell's mark sits, so that many marks do not cost a search each.
    std::unordered_map<std::uint64_t, std::size_t> at;
    at.reserve(marks.size() * 2);
    for (std::size_t i = 0; i < marks.size(); ++i)
        at.emplace(cellKey(marks[i].column, marks[i].row), i);
    for (std::size_t k = 1; k < bottomFirst.size(); ++k) {
        for (const StitchMark& m : bottomFirst[k]->marks) {
            const auto [it, added] = at.emplace(cellKey(m.column, m.row), marks.size());
            if (added)
                marks.push_back(m);
            else
                marks[it->second] = m;
        }
    }
    return marks;
}

std::vector<const PatternLayer*> visibleBottomFirst(const std::vector<PatternLayer>& layers)
{
    std::vector<const PatternLayer*> visible;
    for (auto it = layers.rbegin(); it != layers.rend(); ++it)
        if (it->visible)
            visible.push_back(&*it);
    return visible;
}

std::vector<LineSource> composeLineSources(const std::vector<PatternLayer>& list)
{
    std::vector<LineSource> sources;
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i].visible)
            for (std::size_t k = 0; k < list[i].lines.size(); ++k)
                sources.push_back({static_cast<std::int32_t>(i), static_cast<std::int32_t>(k)});
    return sources;
}

void recomposeDocument(PatternDocument& doc)
{
    if (!doc.isOpen())
        return;
    const std::size_t n = doc.grid.cellCount();
    const std::vector<const PatternLayer*> visible = visibleBottomFirst(doc.layers.layers);
    composeCells(visible, doc.grid.cells.data(), n);
    doc.lines = composeLines(visible);
    doc.lineSources = composeLineSources(doc.layers.layers);
    doc.marks = composeMarks(visible);
    doc.notifyLinesComposed();
}

}  // namespace brenmark
