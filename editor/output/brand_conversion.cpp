// Converting a pattern to another thread brand: every distinct colour goes to the target
// palette's thread of exactly that colour, or to its nearest.
#include "editor/output/colour_operations.h"
#include "editor/document/layer_operations.h"
#include "editor/output/picture_converter.h"
#include "editor/output/picture_import.h"

#include <algorithm>

namespace brenmark {

namespace {

// The palette entry a colour goes to: the first of exactly that colour, else the nearest.
std::size_t targetEntry(const Palette& palette, ColorRef colour)
{
    const auto exact = std::find(palette.colors.begin(), palette.colors.end(), colour);
    if (exact != palette.colors.end())
        return static_cast<std::size_t>(exact - palette.colors.begin());
    return static_cast<std::size_t>(nearestColour(palette.colors, colour));
}

template <class Cells>
void repoint(Cells& cells, const std::vector<std::int32_t>& newIndex)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::int32_t v = cells[i];
        if (v < 0)
            continue;
        const std::int32_t to = static_cast<std::size_t>(v) < newIndex.size() ? newIndex[static_cast<std::size_t>(v)] : EmptyCell;
        if (to != v)
            cells.set(i, to);
    }
}

}  // namespace

ColourChange ColourOperations::convertBrand(const std::string& target, const PaletteStore& palettes)
{
    ColourChange change;
    if (!doc_.isOpen())
        return change;
    Palette palette;
    if (!palettes.load(target, palette) || palette.size() == 0) {
        if (messages_)
            messages_->show(paletteUnusableMessage(target), kTitleInfo, MessageIcon::Information);
        return change;
    }
    if (target == doc_.brand)
        return change;
    undo_.recordUndoStep({brandConversionLabel(doc_.brand, target), UndoKind::ThreadTable});

    // One new thread per distinct colour, in colour-list order.
    DistinctColors list;
    list.rebuild(doc_.threads);
    ThreadTable table;
    SymbolTable symbols = doc_.symbols;
    const bool hadSymbols = symbolsAssigned(doc_.symbols);
    for (std::size_t k = 0; k < list.colors.size(); ++k) {
        const std::size_t entry = targetEntry(palette, list.colors[k]);
        table.add(palette.colors[entry], palette.numbers[entry]);
        if (hadSymbols && k < symbols.size()) {
            // The chart keeps its symbols: each new thread draws what its colour drew.
            const int first = static_cast<int>(std::find(doc_.threads.colors.begin(), doc_.threads.colors.end(),
                                                         list.colors[k]) - doc_.threads.colors.begin());
            symbols[k].symbol = doc_.symbols[static_cast<std::size_t>(first)].symbol;
            symbols[k].color = static_cast<std::int32_t>(palette.colors[entry]);
        }
    }
    // Old table position -> new one, through the old position's colour.
    std::vector<std::int32_t> newIndex(doc_.threads.colors.size());
    for (std::size_t i = 0; i < newIndex.size(); ++i)
        newIndex[i] = static_cast<std::int32_t>(
            std::find(list.colors.begin(), list.colors.end(), doc_.threads.colors[i]) - list.colors.begin());

    repoint(doc_.grid.cells, newIndex);
    for (PatternLayer& layer : doc_.layers.layers) {
        repoint(layer.cells, newIndex);
        if (layer.floating)
            for (std::int32_t& v : layer.floating->cells)
                v = v >= 0 && static_cast<std::size_t>(v) < newIndex.size() ? newIndex[static_cast<std::size_t>(v)] : EmptyCell;
        if (layer.floating)
            paintPiece(*layer.floating, table.colors);
        layer.threadColors = table.colors;
        layer.threadNumbers = table.numbers;
    }
    // Lines are stitched in threads of the new brand too, matched by their colour.
    auto convertLines = [&](std::vector<BackstitchLine>& lines) {
        for (BackstitchLine& line : lines) {
            const std::size_t entry = targetEntry(palette, line.color);
            line.color = palette.colors[entry];
            line.thread = palette.numbers[entry];
        }
    };
    convertLines(doc_.lines);
    for (PatternLayer& layer : doc_.layers.layers) {
        convertLines(layer.lines);
        if (layer.floating)
            convertLines(layer.floating->lines);
    }

    doc_.threads = std::move(table);
    doc_.grid.colorValues = doc_.threads.colors;
    if (hadSymbols)
        doc_.symbols = symbols;
    else
        doc_.assignDefaultSymbols();
    doc_.brand = target;
    doc_.lockFlags.assign(doc_.threads.colors.size(), 0);
    doc_.distinct.rebuild(doc_.threads, doc_.lockFlags);
    change.done = change.allThreads = change.cells = change.symbols = change.lines = true;
    return change;
}

}  // namespace brenmark
