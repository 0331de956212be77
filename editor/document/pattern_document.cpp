#include "editor/document/pattern_document.h"

#include "editor/document/composed_lines.h"
#include "editor/document/symbol_charset.h"

#include <algorithm>

namespace brenmark {

void PatternDocument::create(int w, int h, std::string_view brandName)
{
    grid.free();
    grid.allocate(w, h);
    threads.clear();
    distinct.clear();
    lockFlags.clear();
    lines.clear();
    lineSources.clear();
    marks.clear();
    symbols = SymbolTable{};
    clearSymbols = clearSymbolsForNewPatterns();
    brand = std::string(brandName);
    fabric = kWhite;
    layers.backgroundFromGrid(*this);
    notifyReplaced();
}

void PatternDocument::close()
{
    grid.free();
    threads.clear();
    distinct.clear();
    lockFlags.clear();
    lines.clear();
    lineSources.clear();
    marks.clear();
    layers.reset();
    clearSymbols = false;
    brand = "DMC";
    fabric = kWhite;
    notifyReplaced();
}

void PatternDocument::addThread(ColorRef color, std::string number)
{
    grid.colorValues.push_back(color);
    distinct.addIfNew(color, number);
    threads.add(color, std::move(number));
    lockFlags.push_back(0);
}

bool PatternDocument::isLocked(std::string_view number) const
{
    const int i = findThread(number);
    return i >= 0 && static_cast<std::size_t>(i) < lockFlags.size() && lockFlags[static_cast<std::size_t>(i)] != 0;
}

void PatternDocument::setLocked(std::string_view number, bool locked)
{
    const int i = findThread(number);
    if (i < 0)
        return;
    if (lockFlags.size() < threads.colors.size())
        lockFlags.resize(threads.colors.size(), 0);
    lockFlags[static_cast<std::size_t>(i)] = locked ? 1 : 0;
}

void PatternDocument::setFabricColor(ColorRef color)
{
    if (color == fabric)
        return;
    fabric = color;
    for (DocumentObserver* o : observers_.list)
        o->fabricColorChanged(color);
}

void PatternDocument::assignDefaultSymbols()
{
    const auto& set = symbolSetFor(clearSymbols);
    const std::size_t count = threads.colors.size();
    for (std::size_t i = 0; i < count && i < symbols.size(); ++i) {
        SymbolEntry& slot = symbols[i];
        slot.color = static_cast<std::int32_t>(threads.colors[i]);
        slot.symbol = i < set.size() ? set[i] : overflowSymbol(threads, symbols, i);
    }
}

void placeMarkIn(std::vector<StitchMark>& marks, const StitchMark& mark)
{
    for (StitchMark& m : marks) {
        if (m.column == mark.column && m.row == mark.row) {
            m = mark;
            return;
        }
    }
    marks.push_back(mark);
}

void PatternDocument::placeMark(int kind, int column, int row)
{
    placeMarkIn(marks, StitchMark{kind, 0, column, row});
}

void PatternDocument::removeMark(int column, int row)
{
    std::erase_if(marks, [&](const StitchMark& m) { return m.column == column && m.row == row; });
}

void PatternDocument::finishLoad()
{
    distinct.rebuild(threads);
    clearLocks();
    if (!symbolsAssigned(symbols))
        assignDefaultSymbols();
    if (layers.empty())
        layers.backgroundFromGrid(*this);
    linkLineSources(*this);
    notifyReplaced();
}

void PatternDocument::addObserver(DocumentObserver* observer)
{
    if (std::find(observers_.list.begin(), observers_.list.end(), observer) == observers_.list.end())
        observers_.list.push_back(observer);
}

void PatternDocument::removeObserver(DocumentObserver* observer)
{
    std::erase(observers_.list, observer);
}

void PatternDocument::notifyReplaced()
{
    for (DocumentObserver* o : observers_.list)
        o->documentReplaced();
}

void PatternDocument::notifyLinesComposed()
{
    for (DocumentObserver* o : observers_.list)
        o->linesComposed();
}

}  // namespace brenmark
