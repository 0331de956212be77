#include "editor/output/colour_operations.h"

#include "editor/document/layer_composer.h"
#include "editor/document/thread_mapping.h"
#include "editor/document/thread_operations.h"
#include "editor/output/picture_converter.h"
#include "editor/output/picture_import.h"
#include "editor/document/symbol_charset.h"

#include <algorithm>

namespace brenmark {

namespace {

void ensureLocks(PatternDocument& doc)
{
    if (doc.lockFlags.size() < doc.threads.colors.size())
        doc.lockFlags.resize(doc.threads.colors.size(), 0);
}

// The colour list follows the table, each colour with its first entry's lock.
void syncColourList(PatternDocument& doc)
{
    ensureLocks(doc);
    doc.distinct.rebuild(doc.threads, doc.lockFlags);
}

std::vector<std::size_t> positionsOf(const PatternDocument& doc, const std::string& number)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < doc.threads.numbers.size(); ++i)
        if (doc.threads.numbers[i] == number)
            out.push_back(i);
    return out;
}

bool anyLocked(const PatternDocument& doc)
{
    return std::any_of(doc.lockFlags.begin(), doc.lockFlags.end(), [](std::uint32_t f) { return f != 0; }) ||
           std::any_of(doc.distinct.locks.begin(), doc.distinct.locks.end(), [](std::uint32_t f) { return f != 0; });
}

// Every line of the document and of every layer (a floating piece's too) for which pick
// holds is given to visit. Returns whether any was.
template <class Pick, class Visit>
bool forEachLine(PatternDocument& doc, Pick&& pick, Visit&& visit)
{
    bool any = false;
    auto walk = [&](std::vector<BackstitchLine>& lines) {
        for (BackstitchLine& line : lines)
            if (pick(line)) {
                visit(line);
                any = true;
            }
    };
    walk(doc.lines);
    for (PatternLayer& layer : doc.layers.layers) {
        walk(layer.lines);
        if (layer.floating)
            walk(layer.floating->lines);
    }
    return any;
}

// The symbol an entry taking colour should draw: that of another entry already of that
// colour (one colour, one symbol), else its own.
std::string symbolForColour(const PatternDocument& doc, std::size_t entry, ColorRef colour,
                            const std::vector<std::size_t>& changing)
{
    for (std::size_t i = 0; i < doc.threads.colors.size() && i < doc.symbols.size(); ++i)
        if (doc.threads.colors[i] == colour && std::find(changing.begin(), changing.end(), i) == changing.end())
            return doc.symbols[i].symbol;
    return entry < doc.symbols.size() ? doc.symbols[entry].symbol : std::string();
}

}  // namespace

ColourOperations::ColourOperations(PatternDocument& doc, UndoRecorder& undo, MessageBoxes* messages)
    : doc_(doc), undo_(undo), messages_(messages)
{
}

bool ColourOperations::refuse(const char* text, const char* title, MessageIcon icon)
{
    if (messages_)
        messages_->show(text, title, icon);
    return false;
}

bool ColourOperations::bothThreadsChosen(bool oldChosen, bool newChosen)
{
    if (oldChosen && newChosen)
        return true;
    return refuse(kMsgChooseBothThreads, kTitleWarning, MessageIcon::Warning);
}

// --- subtracting ---------------------------------------------------------------------------

bool ColourOperations::subtractThread(const std::string& number, ColourChange& change)
{
    if (doc_.isLocked(number))
        return false;
    ThreadChange removed;
    if (!removeThread(doc_, number, &removed))
        return false;
    change.done = true;
    change.symbols = true;
    change.lines = true;
    for (const int p : removed.positions)
        if (std::find(change.threads.begin(), change.threads.end(), p) == change.threads.end())
            change.threads.push_back(p);
    syncColourList(doc_);
    return true;
}

ColourChange ColourOperations::subtract(const std::string& number)
{
    ColourChange change;
    if (!doc_.isOpen())
        return change;
    if (doc_.isLocked(number)) {
        refuse(kMsgLockedNoDelete, kTitleWarning, MessageIcon::Warning);
        return change;
    }
    const int at = doc_.findThread(number);
    if (at < 0 || nearestRemainingThread(doc_.threads, number, doc_.threads.colors[static_cast<std::size_t>(at)]) < 0) {
        refuse(kMsgSubtractFailed, kTitleInfo, MessageIcon::Information);
        return change;
    }
    undo_.recordUndoStep({kUndoRemoveColour, UndoKind::ThreadTable});
    subtractThread(number, change);
    return change;
}

int ColourOperations::threadsInColourList() const
{
    DistinctColors list;
    list.rebuild(doc_.threads);
    return static_cast<int>(list.colors.size());
}

ColourChange ColourOperations::reduce(int count, int threadsShown)
{
    ColourChange change;
    if (!doc_.isOpen())
        return change;
    if (count >= threadsShown) {
        refuse(kMsgReduceTooMany, kTitleInfo, MessageIcon::Information);
        return change;
    }
    if (count < 1)
        return change;
    syncColourList(doc_);
    // Something gives way when an unlocked thread has another number to go to.
    std::vector<std::string> numbers = doc_.threads.numbers;
    std::sort(numbers.begin(), numbers.end());
    const bool twoNumbers = std::unique(numbers.begin(), numbers.end()) - numbers.begin() >= 2;
    const bool unlocked = std::any_of(doc_.distinct.numbers.begin(), doc_.distinct.numbers.end(),
                                      [&](const std::string& n) { return !doc_.isLocked(n); });
    if (!twoNumbers || !unlocked)
        return change;
    undo_.recordUndoStep({kUndoReduceColours, UndoKind::ThreadTable});
    // From the end of the list towards its start; the list shrinks as threads leave, and a
    // place past its end is passed over.
    int removed = 0;
    for (int i = static_cast<int>(doc_.distinct.numbers.size()) - 1; i >= 0 && removed < count; --i) {
        if (i >= static_cast<int>(doc_.distinct.numbers.size()))
            continue;
        const std::string number = doc_.distinct.numbers[static_cast<std::size_t>(i)];
        if (subtractThread(number, change))
            ++removed;
    }
    return change;
}

// --- replacing -----------------------------------------------------------------------------

ColourChange ColourOperations::replaceEverywhere(const std::string& oldNumber, const ThreadChoice& replacement)
{
    ColourChange change;
    const std::vector<std::size_t> positions = positionsOf(doc_, oldNumber);
    if (!doc_.isOpen() || positions.empty())
        return change;
    if (doc_.isLocked(oldNumber)) {
        refuse(kMsgLockedNoReplace, kTitleWarning, MessageIcon::Warning);
        return change;
    }
    undo_.recordUndoStep({kUndoReplaceColour, UndoKind::ThreadTable});
    ensureLocks(doc_);
    forEachLine(doc_, [&](const BackstitchLine& l) { return l.thread == oldNumber; },
                [&](BackstitchLine& l) {
                    l.thread = replacement.number;
                    l.color = replacement.colour;
                });
    const bool symbols = symbolsAssigned(doc_.symbols);
    for (const std::size_t i : positions) {
        if (symbols && i < doc_.symbols.size()) {
            doc_.symbols[i].symbol = symbolForColour(doc_, i, replacement.colour, positions);
            doc_.symbols[i].color = static_cast<std::int32_t>(replacement.colour);
        }
        doc_.threads.colors[i] = replacement.colour;
        doc_.threads.numbers[i] = replacement.number;
        doc_.lockFlags[i] = 1;
        if (i < doc_.grid.colorValues.size())
            doc_.grid.colorValues[i] = replacement.colour;
        for (PatternLayer& layer : doc_.layers.layers)
            if (i < layer.threadColors.size() && i < layer.threadNumbers.size()) {
                layer.threadColors[i] = replacement.colour;
                layer.threadNumbers[i] = replacement.number;
            }
        change.threads.push_back(static_cast<int>(i));
    }
    syncColourList(doc_);
    change.done = change.symbols = change.lines = true;
    return change;
}

int ColourOperations::appendThread(const ThreadChoice& thread, ColourChange& change, bool locked)
{
    const auto index = static_cast<std::size_t>(doc_.threads.size());
    ensureLocks(doc_);
    doc_.addThread(thread.colour, thread.number);
    doc_.lockFlags[index] = locked ? 1 : 0;
    if (index < doc_.symbols.size()) {
        if (!symbolsAssigned(doc_.symbols))
            doc_.assignDefaultSymbols();
        doc_.symbols[index].color = static_cast<std::int32_t>(thread.colour);
        doc_.symbols[index].symbol = freshSymbol(doc_, index);
    }
    syncColourList(doc_);
    change.done = change.symbols = true;
    change.threads.push_back(static_cast<int>(index));
    return static_cast<int>(index);
}

ColourChange ColourOperations::replaceInRegion(const std::string& oldNumber, const ThreadChoice& replacement,
                                               const CellPredicate& region)
{
    ColourChange change;
    const std::vector<std::size_t> positions = positionsOf(doc_, oldNumber);
    if (!doc_.isOpen() || positions.empty())
        return change;
    int target = doc_.findThread(replacement.number);
    if (target < 0 && doc_.threads.size() >= kMaxThreads)
        return change;  // the file could not hold the replacement
    undo_.recordUndoStep({kUndoAreaReplaceColour, UndoKind::ThreadTable});
    if (target < 0)
        target = appendThread(replacement, change);
    change.done = true;
    std::vector<std::uint8_t> replaced(doc_.threads.colors.size(), 0);
    for (const std::size_t p : positions)
        replaced[p] = 1;
    const int drawing = doc_.layers.drawingLayer();
    LayerCells* layerCells = nullptr;
    if (drawing >= 0 && doc_.layers[drawing].cells.size() == doc_.grid.cellCount())
        layerCells = &doc_.layers[drawing].cells;
    const int w = doc_.width();
    for (int y = 0; y < doc_.height(); ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = doc_.grid.indexOf(x, y);
            const std::int32_t v = doc_.grid.cells[i];
            if (v < 0 || static_cast<std::size_t>(v) >= replaced.size() || !replaced[static_cast<std::size_t>(v)])
                continue;
            if (!region(x, y) || !doc_.layers.canPaintCell(i))
                continue;
            doc_.grid.cells.set(i, target);
            if (layerCells)
                layerCells->set(i, target);
            change.cells = true;
        }
    return change;
}

// --- hollowing out, unused threads ---------------------------------------------------------

ColourChange ColourOperations::hollowOut(std::optional<ColorRef> currentColour)
{
    ColourChange change;
    if (!doc_.isOpen() || !currentColour)
        return change;
    std::vector<std::uint8_t> hollow(doc_.threads.colors.size(), 0);
    bool any = false;
    for (std::size_t i = 0; i < hollow.size(); ++i)
        if (doc_.threads.colors[i] == *currentColour)
            hollow[i] = 1, any = true;
    if (!any)
        return change;
    undo_.recordUndoStep({kUndoHollowColour, UndoKind::ThreadTable});
    auto isHollow = [&](std::int32_t v) { return v >= 0 && static_cast<std::size_t>(v) < hollow.size() && hollow[static_cast<std::size_t>(v)]; };
    for (std::size_t i = 0; i < doc_.grid.cells.size(); ++i)
        if (isHollow(doc_.grid.cells[i]))
            doc_.grid.cells.set(i, EmptyCell);
    for (PatternLayer& layer : doc_.layers.layers)
        for (std::size_t i = 0; i < layer.cells.size(); ++i)
            if (isHollow(layer.cells[i]))
                layer.cells.set(i, EmptyCell);
    ThreadChange removed;
    deleteUnusedThreads(doc_, &removed);
    syncColourList(doc_);
    change.done = change.cells = change.symbols = true;
    change.threads = removed.positions;
    return change;
}

ColourChange ColourOperations::deleteUnused()
{
    ColourChange change;
    if (!doc_.isOpen())
        return change;
    syncColourList(doc_);
    if (!hasRemovableUnusedThread(doc_))
        return change;
    undo_.recordUndoStep({kUndoDeleteUnusedThreads, UndoKind::ThreadTable});
    ThreadChange removed;
    deleteUnusedThreads(doc_, &removed);
    syncColourList(doc_);
    change.done = change.symbols = true;
    change.threads = removed.positions;
    return change;
}

// --- adding, locks ---------------------------------------------------------------------------

ColourChange ColourOperations::addThread(const ThreadChoice& thread)
{
    ColourChange change;
    if (!doc_.isOpen())
        return change;
    syncColourList(doc_);
    if (findNumber(doc_.distinct.numbers, thread.number) >= 0) {
        undo_.recordUndoStep({kUndoAddColour, UndoKind::ThreadTable});
        change = setLocked(thread.number, true);
        change.currentThread = doc_.findThread(thread.number);
        return change;
    }
    if (doc_.threads.size() >= kMaxThreads)
        return change;
    undo_.recordUndoStep({kUndoLastAddedColour, UndoKind::ThreadTable});
    // A thread the user adds stays free until the user locks it.
    change.currentThread = appendThread(thread, change, false);
    return change;
}

ColourChange ColourOperations::setLocked(const std::string& number, bool locked)
{
    ColourChange change;
    const std::vector<std::size_t> positions = positionsOf(doc_, number);
    if (positions.empty())
        return change;
    setThreadLocked(doc_, number, locked);
    change.done = change.locks = true;
    return change;
}

ColourChange ColourOperations::clearLocks()
{
    ColourChange change;
    if (!doc_.isOpen() || !anyLocked(doc_))
        return change;
    undo_.recordUndoStep(kUndoReleaseLocks);
    doc_.lockFlags.assign(doc_.threads.colors.size(), 0);
    doc_.distinct.locks.assign(doc_.distinct.numbers.size(), 0);
    change.done = change.locks = true;
    return change;
}

// --- outline thread, symbols -----------------------------------------------------------------

ColourChange ColourOperations::replaceOutlineThread(const std::string& oldNumber,
                                                    const std::optional<ThreadChoice>& replacement)
{
    ColourChange change;
    if (!doc_.isOpen())
        return change;
    if (!replacement) {
        refuse(kMsgChooseOutlineThread, kTitleWarning, MessageIcon::Warning);
        return change;
    }
    syncColourList(doc_);
    const bool present = findNumber(doc_.distinct.numbers, replacement->number) >= 0;
    const bool roomForIt = present || doc_.threads.size() < kMaxThreads;
    const bool lines = forEachLine(doc_, [&](const BackstitchLine& l) { return l.thread == oldNumber; },
                                   [](BackstitchLine&) {});
    if (!lines && !roomForIt)
        return change;
    undo_.recordUndoStep({kUndoReplaceOutlineThread, UndoKind::ThreadTable});
    forEachLine(doc_, [&](const BackstitchLine& l) { return l.thread == oldNumber; },
                [&](BackstitchLine& l) {
                    l.thread = replacement->number;
                    l.color = replacement->colour;
                });
    change.done = true;
    change.lines = lines;
    // The replacement joins the pattern as "选择增加绣线窗口" would add it, within this step.
    if (present) {
        const ColourChange locked = setLocked(replacement->number, true);
        change.locks = locked.locks;
        change.currentThread = doc_.findThread(replacement->number);
    } else if (roomForIt) {
        change.currentThread = appendThread(*replacement, change);
    }
    return change;
}

ColourChange ColourOperations::changeSymbol(int thread, const std::string& symbol)
{
    ColourChange change;
    if (!doc_.isThread(thread) || symbol.empty())
        return change;
    if (!symbolsAssigned(doc_.symbols))
        doc_.assignDefaultSymbols();
    const ColorRef colour = doc_.threads.colors[static_cast<std::size_t>(thread)];
    for (std::size_t i = 0; i < doc_.threads.colors.size() && i < doc_.symbols.size(); ++i)
        if (doc_.threads.colors[i] == colour) {
            doc_.symbols[i].symbol = symbol;
            doc_.symbols[i].color = static_cast<std::int32_t>(colour);
        }
    change.done = change.symbols = true;
    // Only a warning: the stitcher may still want the pair.
    for (std::size_t i = 0; i < doc_.threads.colors.size() && i < doc_.symbols.size(); ++i)
        if (doc_.threads.colors[i] != colour && symbolsLookAlike(symbol, doc_.symbols[i].symbol)) {
            if (messages_)
                messages_->show(lookAlikeSymbolWarning(doc_.threads.numbers[i], doc_.symbols[i].symbol), kTitleWarning,
                                MessageIcon::Warning);
            break;
        }
    return change;
}

ColourChange ColourOperations::useClearSymbols()
{
    ColourChange change;
    if (!doc_.isOpen() || doc_.clearSymbols)
        return change;
    doc_.clearSymbols = true;
    doc_.assignDefaultSymbols();
    // Threads of one colour share a symbol, as a symbol change gives them.
    for (std::size_t i = 0; i < doc_.threads.colors.size() && i < doc_.symbols.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (doc_.threads.colors[j] == doc_.threads.colors[i]) {
                doc_.symbols[i].symbol = doc_.symbols[j].symbol;
                break;
            }
    change.done = change.symbols = true;
    // Past two hundred or so colours the set runs into its look-alikes.
    const auto alike = lookAlikeThreads(doc_.symbols, doc_.threads.colors.size());
    if (!alike.empty() && messages_) {
        const auto [a, b] = alike.front();
        messages_->show(lookAlikeSymbolWarning(doc_.threads.numbers[static_cast<std::size_t>(a)],
                                               doc_.symbols[static_cast<std::size_t>(a)].symbol),
                        kTitleWarning, MessageIcon::Warning);
    }
    return change;
}

// --- helpers for the dialogs ----------------------------------------------------------------

std::string brandConversionLabel(const std::string& from, const std::string& to)
{
    return "取消" + from + "绣线转" + to + "绣线";  // untranslated: shown translated by the menu
}

std::vector<BrandMenuItem> brandConversionMenu(const std::vector<std::string>& threadKinds,
                                               const std::string& currentBrand)
{
    std::vector<BrandMenuItem> items;
    for (const std::string& brand : threadKinds)
        if (brand != currentBrand)
            items.push_back({uiText("转") + brand + uiText("线系列"), brand});
    return items;
}

std::string changeSymbolCaption(const std::string& currentSymbol)
{
    return uiText("要更换符号") + currentSymbol;
}

std::string lookAlikeSymbolWarning(const std::string& number, const std::string& symbol)
{
    // The template is translated whole; its two places are filled in order.
    std::string text = uiText("所选符号与线号%1的符号%2相似,图上不易分辨");
    for (const auto& [place, value] : {std::pair{std::string("%1"), number}, std::pair{std::string("%2"), symbol}})
        if (const std::size_t at = text.find(place); at != std::string::npos)
            text.replace(at, place.size(), value);
    return text;
}

std::optional<GridSpot> symbolGridSpot(int symbolIndex, int setSize)
{
    const int count = setSize;
    if (symbolIndex < 0 || symbolIndex >= count || symbolIndex >= kSymbolGridColumns * kSymbolGridRows)
        return std::nullopt;
    return GridSpot{symbolIndex / kSymbolGridColumns, symbolIndex % kSymbolGridColumns};
}

}  // namespace brenmark
