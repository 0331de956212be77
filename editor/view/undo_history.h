#pragma once
// The undo and redo lists of the pattern view: five steps each, whole-state snapshots.
#include "editor/document/current_thread.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/undo_snapshot.h"
#include "editor/view/undo_store.h"

#include <deque>
#include <functional>
#include <string>

namespace brenmark {

class PatternView;

inline constexpr const char* kNoUndo = "无取消操作";
inline constexpr const char* kNoRedo = "无Redo操作";
inline constexpr const char* kUndoOutOfMemory = "内存不足不能过多UNDO";

class UndoHistory final : public UndoRecorder {
public:
    // Each step keeps the current thread and a restore puts it back.
    UndoHistory(PatternView& view, CurrentThreadChoice& current, MessageBoxes* messages = nullptr);

    // Records the state as it is now, before an operation changes it.
    void pushUndo(const std::string& label);
    void recordUndoStep(const std::string& label) override { pushUndo(label); }
    // Same for the redo list (undo uses it).
    void pushRedo(const std::string& label);
    bool undo();
    bool redo();
    void clear();

    // A snapshot outside the lists (for plug-ins) and putting any snapshot back.
    UndoSnapshot makeSnapshot(const std::string& label) const;
    // The snapshot without cells, picture and layers (the lists take those chunk by chunk).
    UndoSnapshot makeMeta(const std::string& label) const;
    void restore(const UndoSnapshot& snapshot);

    // The next step to undo or redo as the Edit menu shows it.
    std::string undoCaption() const { return undo_.empty() ? kNoUndo : undo_.back().meta.label; }
    std::string redoCaption() const { return redo_.empty() ? kNoRedo : redo_.front().meta.label; }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    // The newest undo step, whole; for inspection.
    UndoSnapshot newestUndoStep() const { return undo_.empty() ? UndoSnapshot{} : undo_.back().unpack(); }
    // Bytes of cell and layer data held by both lists, shared chunks once.
    std::size_t storedBytes() const;

    // Tools that replace one colour record which stitch tile their undo rebuilds.
    void setTileOfLastStep(std::int32_t index, ColorRef colour);

    // After every undo or redo: drop the selection, refresh the colour displays.
    void setAfterRestore(std::function<void(const UndoSnapshot&)> callback) { afterRestore_ = std::move(callback); }

    static std::string redoLabelFor(const std::string& undoLabel);
    static std::string undoLabelFor(const std::string& redoLabel);

    static constexpr std::size_t kLimit = 5;

private:
    bool snapshotInto(std::deque<StoredStep>& list, bool front, const std::string& label, const StoredStep* like);
    // The step a new one most likely shares its chunks with.
    const StoredStep* newestStep() const;

    PatternView& view_;
    CurrentThreadChoice& current_;
    MessageBoxes* messages_;
    std::deque<StoredStep> undo_;  // oldest first
    std::deque<StoredStep> redo_;  // newest first
    std::function<void(const UndoSnapshot&)> afterRestore_;
};

}  // namespace brenmark
