#pragma once
// The undo history as the editor uses it: every step the commands, layers and tools record,
// every undo, redo and clear goes through here, so the Edit menu's captions follow the lists.
#include "editor/app/document_commands.h"
#include "editor/document/undo_recorder.h"
#include "editor/view/undo_history.h"

#include <functional>
#include <string>

namespace brenmark {

class PatternView;

class EditHistory final : public UndoRecorder, public EditingState, public SavePoint {
public:
    EditHistory(PatternView& view, CurrentThreadChoice& current, MessageBoxes* messages)
        : lists_(view, current, messages)
    {
    }

    UndoHistory& lists() { return lists_; }

    void recordUndoStep(const UndoStep& step) override
    {
        lists_.pushUndo(step);
        changed();
    }
    bool undo()
    {
        const bool done = lists_.undo();
        changed();
        return done;
    }
    bool redo()
    {
        const bool done = lists_.redo();
        changed();
        return done;
    }
    void clear()
    {
        lists_.clear();
        lists_.leaveState();
        changed();
    }
    void recordEditWithoutStep() override
    {
        // No undo goes back to before it, so no undo can reach the saved state any more.
        lists_.leaveState();
        savedState_ = 0;
        changed();
    }

    // SavePoint: the pattern is saved while it is in the state it was saved in.
    bool modified() const override { return lists_.state() != savedState_; }
    void markSaved() override
    {
        savedState_ = lists_.state();
        changed();
    }
    void markModified() override
    {
        savedState_ = 0;
        changed();
    }
    // Counts every change of state, for those that write copies of the pattern as it goes.
    std::uint64_t state() const { return lists_.state(); }
    // Another pattern takes the place of the open one: both lists go.
    void resetEditingState() override { clear(); }

    bool canUndo() const { return lists_.undoCount() > 0; }
    bool canRedo() const { return lists_.redoCount() > 0; }
    // "无取消操作" / "无Redo操作" while the list is empty, the step's label otherwise.
    std::string undoCaption() const { return lists_.undoCaption(); }
    std::string redoCaption() const { return lists_.redoCaption(); }

    // After every undo and redo, once the state is back: the displays that depend on it.
    void setAfterRestore(std::function<void(const UndoSnapshot&)> callback) { lists_.setAfterRestore(std::move(callback)); }
    // After the lists changed in any way.
    void setChanged(std::function<void()> callback) { changed_ = std::move(callback); }

private:
    void changed()
    {
        if (changed_)
            changed_();
    }

    UndoHistory lists_;
    std::function<void()> changed_;
    std::uint64_t savedState_ = 0;
};

}  // namespace brenmark
