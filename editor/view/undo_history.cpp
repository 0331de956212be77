#include "editor/view/undo_history.h"

#include "editor/view/pattern_view.h"
#include "interchange/code_page.h"

#include <new>

namespace brenmark {

namespace {

const std::string kUndoWord = "取消";
const std::string kRedoWord = "Redo";

}  // namespace

UndoHistory::UndoHistory(PatternView& view, MessageBoxes* messages) : view_(view), messages_(messages) {}

std::string UndoHistory::redoLabelFor(const std::string& label)
{
    const std::size_t at = gbkFind(label, kUndoWord);
    if (at == std::string::npos)
        return "Redo上一次操作";
    return kRedoWord + label.substr(at + kUndoWord.size());
}

std::string UndoHistory::undoLabelFor(const std::string& label)
{
    const std::size_t at = gbkFind(label, kRedoWord);
    if (at == std::string::npos)
        return "取消上一次操作";
    return kUndoWord + label.substr(at + kRedoWord.size());
}

UndoSnapshot UndoHistory::makeMeta(const std::string& label) const
{
    const PatternDocument& doc = view_.document();
    UndoSnapshot s;
    s.libraryName = doc.brand;
    s.label = std::string(gbkPrefix(label, kUndoLabelBytes));
    s.width = doc.width();
    s.height = doc.height();
    s.tileIndex = -1;
    s.threadColours = doc.threads.colors;
    s.threadNumbers = doc.threads.numbers;
    s.colourListColours = doc.distinct.colors;
    s.colourListNumbers = doc.distinct.numbers;
    s.colourListLocks = doc.distinct.locks;
    s.threadLocks = doc.lockFlags;
    s.lines = doc.lines;
    s.symbols = doc.symbols;
    s.marks = doc.marks;
    s.glyphs.reserve(doc.marks.size());
    for (const StitchMark& m : doc.marks) {
        const std::int32_t v = doc.grid.contains(m.column, m.row) ? doc.cell(m.column, m.row) : EmptyCell;
        s.glyphs.push_back({m.kind, doc.isThread(v) ? doc.threads.colors[static_cast<std::size_t>(v)] : kWhite, {}});
    }
    const auto& current = view_.currentThread();
    s.currentColour = {current.index, current.colour, std::string(gbkPrefix(current.number, 11))};
    return s;
}

UndoSnapshot UndoHistory::makeSnapshot(const std::string& label) const
{
    UndoSnapshot s = makeMeta(label);
    s.cells = view_.document().grid.cells;
    s.picture = view_.cellImage();
    s.layers = view_.document().layers;
    return s;
}

const StoredStep* UndoHistory::newestStep() const
{
    if (!undo_.empty())
        return &undo_.back();
    return redo_.empty() ? nullptr : &redo_.front();
}

std::size_t UndoHistory::storedBytes() const
{
    std::vector<const StoredStep*> steps;
    for (const StoredStep& s : undo_)
        steps.push_back(&s);
    for (const StoredStep& s : redo_)
        steps.push_back(&s);
    return storedChunkBytes(steps);
}

bool UndoHistory::snapshotInto(std::deque<StoredStep>& list, bool front, const std::string& label,
                               const StoredStep* like)
{
    if (list.size() >= kLimit) {
        if (like == (front ? &list.back() : &list.front()))
            like = nullptr;
        front ? list.pop_back() : list.pop_front();
    }
    try {
        StoredStep s = StoredStep::capture(view_.document(), makeMeta(label), like);
        front ? list.push_front(std::move(s)) : list.push_back(std::move(s));
        return true;
    } catch (const std::bad_alloc&) {
        if (messages_)
            messages_->show(kUndoOutOfMemory, kTitleWarning, MessageIcon::Warning);
        return false;
    }
}

void UndoHistory::pushUndo(const std::string& label)
{
    snapshotInto(undo_, false, label, newestStep());
}

void UndoHistory::pushRedo(const std::string& label)
{
    snapshotInto(redo_, true, label, newestStep());
}

void UndoHistory::setTileOfLastStep(std::int32_t index, ColorRef colour)
{
    if (undo_.empty())
        return;
    undo_.back().meta.tileIndex = index;
    undo_.back().meta.tileColour = colour;
}

bool UndoHistory::undo()
{
    if (undo_.empty())
        return false;
    StoredStep step = std::move(undo_.back());
    undo_.pop_back();
    snapshotInto(redo_, true, redoLabelFor(step.meta.label), &step);
    restore(step.unpack());
    return true;
}

bool UndoHistory::redo()
{
    if (redo_.empty())
        return false;
    StoredStep step = std::move(redo_.front());
    redo_.pop_front();
    snapshotInto(undo_, false, undoLabelFor(step.meta.label), &step);
    restore(step.unpack());
    return true;
}

void UndoHistory::clear()
{
    undo_.clear();
    redo_.clear();
}

void UndoHistory::restore(const UndoSnapshot& s)
{
    PatternDocument& doc = view_.document();
    doc.threads.colors = s.threadColours;
    doc.threads.numbers = s.threadNumbers;
    doc.grid.colorValues = s.threadColours;
    // Only the thread-library conversions change symbols.
    if (gbkFind(s.label, "转") != std::string::npos)
        doc.symbols = s.symbols;
    doc.distinct.locks = s.colourListLocks;
    doc.lockFlags = s.threadLocks;
    doc.grid.width = s.width;
    doc.grid.height = s.height;
    doc.distinct.colors = s.colourListColours;
    doc.distinct.numbers = s.colourListNumbers;
    doc.lines = s.lines;
    doc.brand = s.libraryName;
    doc.grid.cells = s.cells;
    doc.marks = s.marks;
    doc.layers = s.layers;
    view_.restoreFromSnapshot({s.currentColour.index, s.currentColour.colour, s.currentColour.number},
                              s.tileIndex, s.tileColour);
    if (afterRestore_)
        afterRestore_(s);
}

}  // namespace brenmark
