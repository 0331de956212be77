#include "editor/view/undo_history.h"

#include "editor/document/composed_lines.h"
#include "editor/view/backstitch/backstitch_interfaces.h"
#include "editor/view/pattern_view.h"
#include "interchange/code_page.h"

#include <algorithm>
#include <new>

namespace brenmark {

namespace {

const std::string kUndoWord = "取消";
const std::string kRedoWord = "Redo";

// The operation a label names, the same in its undo and its redo form: the text after the
// first "取消" or, failing that, the first "Redo"; the whole label otherwise.
std::string operationOf(const std::string& label)
{
    for (const std::string& word : {kUndoWord, kRedoWord}) {
        const std::size_t at = gbkFind(label, word);
        if (at != std::string::npos)
            return label.substr(at + word.size());
    }
    return label;
}

// Whether undoing or redoing the step puts the symbol table back. Choosing a symbol is no
// undo step, so between steps the table is the user's, and most steps leave it as it is (a
// stroke undone must not take back a symbol chosen since). The table comes back when the
// step's label
// - contains "绣线转": the thread-library conversions ("取消%s绣线转%s绣线" and their redo
//   form), which convert the symbols' colours (a bare "转" is also in "取消选区旋转");
// - names, in its undo or its redo form, one of the operations that change the thread table
//   the symbol slots follow: replacing, area replacing, removing, reducing and adding colours,
//   undoing the last added colour, deleting unused threads, hollowing out a colour
//   ("恢复挖空指定颜色", which has no "取消" and so is matched whole), pasting and inserting a
//   pattern;
// - names replacing an outline thread, which may add its new thread with a symbol;
// - is one of the generic labels "Redo上一次操作" and "取消上一次操作", whose operation is no
//   longer known: they follow the steps whose labels have no "取消" ("恢复挖空指定颜色",
//   "恢复所有颜色锁定"). So for releasing the locks the first undo leaves the symbols alone,
//   while its redo, and every undo or redo after that, puts them back.
// Putting back a table that did not change costs nothing; missing one that did would pair a
// thread with another thread's symbol.
bool restoresSymbols(const std::string& label)
{
    if (gbkFind(label, "绣线转") != std::string::npos)
        return true;
    const std::string operation = operationOf(label);
    for (const char* changer : {kUndoReplaceColour, kUndoAreaReplaceColour, kUndoRemoveColour, kUndoReduceColours,
                                kUndoAddColour, kUndoLastAddedColour, kUndoDeleteUnusedThreads, kUndoHollowColour,
                                kUndoPaste, kUndoInsertPattern, kUndoRecolourLines})
        if (operation == operationOf(changer))
            return true;
    return operation == "上一次操作";  // "Redo上一次操作", "取消上一次操作"
}

}  // namespace

UndoHistory::UndoHistory(PatternView& view, CurrentThreadChoice& current, MessageBoxes* messages)
    : view_(view), current_(current), messages_(messages)
{
}

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

bool UndoHistory::snapshotInto(std::deque<StoredStep>& list, bool front, const std::string& label,
                               const StoredStep* like, std::uint64_t state)
{
    while (!list.empty() && list.size() >= limit_) {
        if (like == (front ? &list.back() : &list.front()))
            like = nullptr;
        dropStep(list, front);
    }
    try {
        StoredStep s = StoredStep::capture(view_.document(), makeMeta(label), like);
        s.state = state;
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

void UndoHistory::pushUndo(const std::string& label)
{
    // The step keeps the state the document is in now; the edit that follows leaves it.
    const std::uint64_t before = state_;
    leaveState();
    snapshotInto(undo_, false, label, newestStep(), before);
}

void UndoHistory::pushRedo(const std::string& label)
{
    snapshotInto(redo_, true, label, newestStep(), state_);
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
    snapshotInto(redo_, true, redoLabelFor(step.meta.label), &step, state_);
    // Known before the restore tells anyone: the displays ask whether the pattern is saved.
    state_ = step.state;
    restore(step.unpack());
    return true;
}

bool UndoHistory::redo()
{
    if (redo_.empty())
        return false;
    StoredStep step = std::move(redo_.front());
    redo_.pop_front();
    countOut(step);
    snapshotInto(undo_, false, undoLabelFor(step.meta.label), &step, state_);
    state_ = step.state;
    restore(step.unpack());
    return true;
}

void UndoHistory::clear()
{
    undo_.clear();
    redo_.clear();
    chunkUses_.clear();
    heldBytes_ = 0;
}

void UndoHistory::restore(const UndoSnapshot& s)
{
    PatternDocument& doc = view_.document();
    doc.threads.colors = s.threadColours;
    doc.threads.numbers = s.threadNumbers;
    doc.grid.colorValues = s.threadColours;
    if (restoresSymbols(s.label))  // see there for which steps do
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
