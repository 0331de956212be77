#include "editor/document/transform_contents.h"

#include <algorithm>
#include <optional>

namespace brenmark {
namespace {

std::size_t indexOf(GridPoint p, int width)
{
    return static_cast<std::size_t>(p.column) + static_cast<std::size_t>(p.row) * static_cast<std::size_t>(width);
}

// Where carried contents may land: the cells of a width x height block.
struct Target {
    int width = 0, height = 0;
    bool contains(GridPoint p) const { return p.column >= 0 && p.row >= 0 && p.column < width && p.row < height; }
};

RegionBox cutTo(RegionBox b, int width, int height)
{
    return {std::max(b.left, 0), std::max(b.top, 0), std::min(b.right, width), std::min(b.bottom, height)};
}

bool belongs(const CellRegion& region, const StitchMark& m)
{
    return region.contains(m.column, m.row);
}

bool belongs(const CellRegion& region, const BackstitchLine& l)
{
    return region.contains(l.startColumn, l.startRow) && region.contains(l.endColumn, l.endRow);
}

std::int32_t mappedCorner(const ContentMapping& mapping, std::int32_t corner)
{
    return corner >= 0 && corner < 4 ? mapping.corners[static_cast<std::size_t>(corner)] : corner;
}

std::optional<StitchMark> carried(const StitchMark& m, const ContentMapping& mapping, const Target& to)
{
    const GridPoint t = mapping.cell({m.column, m.row});
    if (!to.contains(t))
        return std::nullopt;
    return StitchMark{m.kind, m.reserved, t.column, t.row};
}

std::optional<BackstitchLine> carried(const BackstitchLine& l, const ContentMapping& mapping, const Target& to)
{
    const GridPoint s = mapping.cell({l.startColumn, l.startRow});
    const GridPoint e = mapping.cell({l.endColumn, l.endRow});
    if (!to.contains(s) || !to.contains(e))
        return std::nullopt;
    BackstitchLine n = l;
    n.startColumn = s.column;
    n.startRow = s.row;
    n.startCorner = mappedCorner(mapping, l.startCorner);
    n.endColumn = e.column;
    n.endRow = e.row;
    n.endCorner = mappedCorner(mapping, l.endCorner);
    return n;
}

// The region's marks or lines among items, each at its mapped place in the target.
template <class Item>
std::vector<Item> carriedItems(const std::vector<Item>& items, const CellRegion& region, const ContentMapping& mapping,
                               const Target& to)
{
    std::vector<Item> out;
    for (const Item& item : items)
        if (belongs(region, item))
            if (auto c = carried(item, mapping, to))
                out.push_back(*c);
    return out;
}

// Writes each member's value, read as it was, where the mapping puts it.
template <class Read, class Write>
void carryCells(const PatternDocument& doc, const std::vector<GridPoint>& members, const ContentMapping& mapping,
                const Target& to, Read read, Write write)
{
    for (const GridPoint& m : members) {
        const std::int32_t v = read(m);
        if (!mapping.everyValue && !doc.isThread(v))
            continue;
        const GridPoint t = mapping.cell(m);
        if (to.contains(t))
            write(t, v);
    }
}

}  // namespace

std::vector<int> editableLayers(const PatternDocument& doc)
{
    std::vector<int> out;
    for (int i = 0; i < doc.layers.size(); ++i) {
        const PatternLayer& layer = doc.layers[i];
        if ((layer.drawable || layer.linked) && layer.cells.size() == doc.grid.cellCount())
            out.push_back(i);
    }
    return out;
}

std::vector<GridPoint> regionMembers(const CellRegion& region, int width, int height)
{
    std::vector<GridPoint> out;
    const RegionBox b = cutTo(region.bounds(), width, height);
    for (int r = b.top; r < b.bottom; ++r)
        for (int c = b.left; c < b.right; ++c)
            if (region.contains(c, r))
                out.push_back({c, r});
    return out;
}

void transformContents(PatternDocument& doc, const CellRegion& region, const ContentMapping& mapping)
{
    const int w = doc.width();
    const Target pattern{w, doc.height()};
    const std::vector<GridPoint> members = regionMembers(region, w, doc.height());
    for (int li : editableLayers(doc)) {
        PatternLayer& layer = doc.layers[li];
        const std::vector<std::int32_t> before = layer.cells.toVector();
        if (!mapping.copy)
            for (const GridPoint& m : members)
                layer.cells.set(indexOf(m, w), EmptyCell);
        carryCells(doc, members, mapping, pattern, [&](GridPoint m) { return before[indexOf(m, w)]; },
                   [&](GridPoint t, std::int32_t v) { layer.cells.set(indexOf(t, w), v); });

        const std::vector<StitchMark> marks = carriedItems(layer.marks, region, mapping, pattern);
        const std::vector<BackstitchLine> lines = carriedItems(layer.lines, region, mapping, pattern);
        if (!mapping.copy) {
            std::erase_if(layer.marks, [&](const StitchMark& m) { return belongs(region, m); });
            std::erase_if(layer.lines, [&](const BackstitchLine& l) { return belongs(region, l); });
        }
        for (const StitchMark& m : marks)
            placeMarkIn(layer.marks, m);
        layer.lines.insert(layer.lines.end(), lines.begin(), lines.end());
    }
}

void clearContents(PatternDocument& doc, const CellRegion& region, bool keepLines)
{
    const std::vector<GridPoint> members = regionMembers(region, doc.width(), doc.height());
    for (int li : editableLayers(doc)) {
        PatternLayer& layer = doc.layers[li];
        for (const GridPoint& m : members)
            layer.cells.set(indexOf(m, doc.width()), EmptyCell);
        std::erase_if(layer.marks, [&](const StitchMark& m) { return belongs(region, m); });
        if (!keepLines)
            std::erase_if(layer.lines, [&](const BackstitchLine& l) { return belongs(region, l); });
    }
}

PatternClipboard copyContents(const PatternDocument& doc, const CellRegion& region)
{
    const RegionBox b = cutTo(region.bounds(), doc.width(), doc.height());
    if (b.right <= b.left || b.bottom <= b.top)
        return {};
    PatternClipboard c;
    c.valid = true;
    c.width = b.right - b.left;
    c.height = b.bottom - b.top;
    c.cells.assign(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height), EmptyCell);
    // The composed pattern carried into the block: every value, the source untouched.
    ContentMapping toBlock;
    toBlock.cell = [&](GridPoint p) { return GridPoint{p.column - b.left, p.row - b.top}; };
    toBlock.copy = true;
    toBlock.everyValue = true;
    const Target block{c.width, c.height};
    carryCells(doc, regionMembers(region, doc.width(), doc.height()), toBlock, block,
               [&](GridPoint m) { return doc.cell(m.column, m.row); },
               [&](GridPoint t, std::int32_t v) { c.cells[indexOf(t, c.width)] = v; });
    c.marks = carriedItems(doc.marks, region, toBlock, block);
    c.lines = carriedItems(doc.lines, region, toBlock, block);
    for (BackstitchLine& l : c.lines)
        l.selected = 0;
    c.threadColors = doc.threads.colors;
    c.threadNumbers = doc.threads.numbers;
    c.barColors = doc.distinct.colors;
    c.barNumbers = doc.distinct.numbers;
    c.brand = doc.brand;
    return c;
}

}  // namespace brenmark
