#include "editor/view/undo_history.h"

#include "editor/document/composed_lines.h"
#include "editor/view/pattern_view.h"
#include "interchange/code_page.h"

#include <algorithm>
#include <new>

namespace brenmark {

namespace {

// untranslated: the words labels are made of; the menu shows the labels translated.
const std::string kUndoWord = "取消";
const std::string kRedoWord = "Redo";
const std::string kAnyOperation = "上一次操作";  // untranslated, as above

}  // namespace

UndoHistory::UndoHistory(PatternView& view, CurrentThreadChoice& current, MessageBoxes* messages)
    : view_(view), current_(current), messages_(messages)
{
}

std::string UndoHistory::operationOf(const std::string& undoLabel)
{
    const std::size_t at = gbkFind(undoLabel, kUndoWord);
    return at == std::string::npos ? kAnyOperation : undoLabel.substr(at + kUndoWord.size());
}

std::string UndoHistory::undoLabel(const std::string& operation)
{
    return kUndoWord + operation;
}

std::string UndoHistory::redoLabel(const std::string& operation)
{
    return kRedoWord + operation;
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
    const CurrentThread& current = current_.thread();
    s.currentColour = {current.index, current.colour, std::string(gbkPrefix(current.number, 11))};
    return s;
}

UndoSnapshot UndoHistory::makeSnapshot(const std::string& label) const
{
    UndoSnapshot s = makeMeta(label);
    s.cells = view_.document().grid.cells;
    s.picture = view_.cellImage();
    s.layers = view_.document().layers;
    // A plug-in's record names the picked line by its flag, as the line records always have;
    // the steps of the undo lists leave the pick out, it is the view's.
    if (const int picked = view_.marks().pickedLine; picked >= 0 && static_cast<std::size_t>(picked) < s.lines.size())
        s.lines[static_cast<std::size_t>(picked)].selected = 1;
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
    return heldBytes_;
}

std::size_t UndoHistory::storedBytesByWalk() const
{
    std::vector<const StoredStep*> steps;
    for (const StoredStep& s : undo_)
        steps.push_back(&s);
    for (const StoredStep& s : redo_)
        steps.push_back(&s);
    return storedChunkBytes(steps);
}

void UndoHistory::countIn(const StoredStep& step)
{
    for (const SharedBuffer& b : step.buffers)
        for (const auto& chunk : b.chunks()) {
            ChunkUse& use = chunkUses_[chunk.get()];
            if (use.steps++ == 0) {
                use.bytes = chunk->size();
                heldBytes_ += use.bytes;
            }
        }
}

void UndoHistory::countOut(const StoredStep& step)
{
    for (const SharedBuffer& b : step.buffers)
        for (const auto& chunk : b.chunks()) {
            const auto it = chunkUses_.find(chunk.get());
            if (it == chunkUses_.end())
                continue;
            if (--it->second.steps == 0) {
                heldBytes_ -= it->second.bytes;
                chunkUses_.erase(it);
            }
        }
}

void UndoHistory::dropStep(std::deque<StoredStep>& list, bool back)
{
    countOut(back ? list.back() : list.front());
    back ? list.pop_back() : list.pop_front();
}

bool UndoHistory::snapshotInto(std::deque<StoredStep>& list, bool front, const std::string& label, UndoKind kind,
                               const std::string& operation, const StoredStep* like, std::uint64_t state)
{
    while (!list.empty() && list.size() >= limit_) {
        if (like == (front ? &list.back() : &list.front()))
            like = nullptr;
        dropStep(list, front);
    }
    try {
        StoredStep s = StoredStep::capture(view_.document(), makeMeta(label), like);
        s.state = state;
        s.kind = kind;
        s.operation = operation;
        countIn(s);
        front ? list.push_front(std::move(s)) : list.push_back(std::move(s));
    } catch (const std::bad_alloc&) {
        if (messages_)
            messages_->show(kUndoOutOfMemory, kTitleWarning, MessageIcon::Warning);
        return false;
    }
    keepWithinCap(front);
    return true;
}

void UndoHistory::keepWithinCap(bool newestInRedo)
{
    if (byteCap_ == 0)
        return;
    // The oldest steps go first: the undo list's front, then the redo list's back. The step
    // just recorded stays, and so does the newest redo step after an undo: it is the work
    // the user just stepped back from.
    while (storedBytes() > byteCap_) {
        if (undo_.size() > (newestInRedo ? 0u : 1u))
            dropStep(undo_, false);
        else if (redo_.size() > (newestInRedo ? 1u : 0u))
            dropStep(redo_, true);
        else
            break;
    }
}

void UndoHistory::setLimits(std::size_t steps, std::size_t bytes)
{
    limit_ = std::clamp<std::size_t>(steps, 1, kMaxLimit);
    byteCap_ = bytes;
    while (undo_.size() > limit_)
        dropStep(undo_, false);
    while (redo_.size() > limit_)
        dropStep(redo_, true);
    keepWithinCap(false);
}

void UndoHistory::pushUndo(const UndoStep& step)
{
    // The step keeps the state the document is in now; the edit that follows leaves it.
    const std::uint64_t before = state_;
    leaveState();
    const std::string label(gbkPrefix(step.label, kUndoLabelBytes));
    snapshotInto(undo_, false, label, step.kind, operationOf(label), newestStep(), before);
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
    countOut(step);
    snapshotInto(redo_, true, redoLabel(step.operation), step.kind, step.operation, &step, state_);
    // Known before the restore tells anyone: the displays ask whether the pattern is saved.
    state_ = step.state;
    restore(step.unpack(), step.kind);
    return true;
}

bool UndoHistory::redo()
{
    if (redo_.empty())
        return false;
    StoredStep step = std::move(redo_.front());
    redo_.pop_front();
    countOut(step);
    snapshotInto(undo_, false, undoLabel(step.operation), step.kind, step.operation, &step, state_);
    state_ = step.state;
    restore(step.unpack(), step.kind);
    return true;
}

void UndoHistory::clear()
{
    undo_.clear();
    redo_.clear();
    chunkUses_.clear();
    heldBytes_ = 0;
}

void UndoHistory::restore(const UndoSnapshot& s, UndoKind kind)
{
    PatternDocument& doc = view_.document();
    doc.threads.colors = s.threadColours;
    doc.threads.numbers = s.threadNumbers;
    doc.grid.colorValues = s.threadColours;
    if (kind == UndoKind::ThreadTable)
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
    current_.set({s.currentColour.index, s.currentColour.colour, s.currentColour.number});
    // The lines came from the step, not from composing: where each is kept is worked out
    // again, and indices into the old lines (the picked line) no longer hold.
    linkLineSources(doc);
    doc.notifyLinesComposed();
    view_.restoreFromSnapshot(s.tileIndex, s.tileColour);
    if (afterRestore_)
        afterRestore_(s);
}

}  // namespace brenmark
