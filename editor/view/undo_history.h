#pragma once
// The undo and redo lists of the pattern view: five steps each unless the user asks for
// more, whole-state snapshots.
#include "editor/document/current_thread.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/undo_snapshot.h"
#include "editor/view/undo_store.h"
#include "interchange/ui_text.h"

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>

namespace brenmark {

class PatternView;

inline constexpr const char* kNoUndo = UI_TEXT_NOOP("无取消操作");
inline constexpr const char* kNoRedo = UI_TEXT_NOOP("无Redo操作");
inline constexpr const char* kUndoOutOfMemory = UI_TEXT_NOOP("内存不足不能过多UNDO");

class UndoHistory final : public UndoRecorder {
public:
    // Each step keeps the current thread and a restore puts it back.
    UndoHistory(PatternView& view, CurrentThreadChoice& current, MessageBoxes* messages = nullptr);

    // Records the state as it is now, before an operation changes it.
    void pushUndo(const UndoStep& step);
    void recordUndoStep(const UndoStep& step) override { pushUndo(step); }
    bool undo();
    bool redo();
    void clear();

    // A snapshot outside the lists (for plug-ins) and putting any snapshot back.
    UndoSnapshot makeSnapshot(const std::string& label) const;
    // The snapshot without cells, picture and layers (the lists take those chunk by chunk).
    UndoSnapshot makeMeta(const std::string& label) const;
    // The symbols come back only for a step that changed the thread table they follow.
    void restore(const UndoSnapshot& snapshot, UndoKind kind = UndoKind::Edit);

    // The next step to undo or redo as the Edit menu shows it.
    std::string undoCaption() const { return undo_.empty() ? kNoUndo : undo_.back().meta.label; }
    std::string redoCaption() const { return redo_.empty() ? kNoRedo : redo_.front().meta.label; }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    // The newest undo step, whole; for inspection.
    UndoSnapshot newestUndoStep() const { return undo_.empty() ? UndoSnapshot{} : undo_.back().unpack(); }
    // Bytes of cell and layer data held by both lists, shared chunks once.
    std::size_t storedBytes() const;
    // The same counted by a walk over every step, for checking the running count.
    std::size_t storedBytesByWalk() const;

    // How many steps each list keeps (1 to kMaxLimit) and how many bytes of cell and layer
    // data both lists may hold together (0: no cap). Over either, the oldest steps go first;
    // the newest undo step always stays.
    void setLimits(std::size_t steps, std::size_t bytes);
    std::size_t stepLimit() const { return limit_; }
    std::size_t byteCap() const { return byteCap_; }

    // Names the state the document is in now. Every recorded step moves the document to a
    // new state; undo and redo move it back to the state a step was recorded in, so the
    // document is as it was at some moment exactly when the state is the same. A state once
    // left by an edit is never named again.
    std::uint64_t state() const { return state_; }
    // The document changed in a way no step records: the state is a new one.
    void leaveState() { state_ = ++lastState_; }

    // Tools that replace one colour record which stitch tile their undo rebuilds.
    void setTileOfLastStep(std::int32_t index, ColorRef colour);

    // After every undo or redo: drop the selection, refresh the colour displays.
    void setAfterRestore(std::function<void(const UndoSnapshot&)> callback) { afterRestore_ = std::move(callback); }

    // The operation a recorded label names, shown after the undo and the redo word: the
    // text after the first "取消"; a label without it (the two colour operations that begin
    // with "恢复") names none, and its steps show the generic "上一次操作".
    static std::string operationOf(const std::string& undoLabel);
    static std::string undoLabel(const std::string& operation);
    static std::string redoLabel(const std::string& operation);

    static constexpr std::size_t kLimit = 5;
    static constexpr std::size_t kMaxLimit = 200;

private:
    // A step of the given name and kind holding the document as it is now, in state.
    bool snapshotInto(std::deque<StoredStep>& list, bool front, const std::string& label, UndoKind kind,
                      const std::string& operation, const StoredStep* like, std::uint64_t state);
    // Drops the oldest steps until both lists are within the byte cap; newestInRedo says
    // which list the step just recorded went to.
    void keepWithinCap(bool newestInRedo);
    // Every step leaves a list through here, so the chunk counts stay right.
    void dropStep(std::deque<StoredStep>& list, bool back);
    void countIn(const StoredStep& step);
    void countOut(const StoredStep& step);
    // The step a new one most likely shares its chunks with.
    const StoredStep* newestStep() const;

    PatternView& view_;
    CurrentThreadChoice& current_;
    MessageBoxes* messages_;
    std::deque<StoredStep> undo_;  // oldest first
    std::deque<StoredStep> redo_;  // newest first
    std::function<void(const UndoSnapshot&)> afterRestore_;
    // How many steps hold each chunk, so the bytes held are known without a walk over
    // every step.
    struct ChunkUse {
        std::size_t steps = 0;
        std::size_t bytes = 0;
    };
    std::unordered_map<const void*, ChunkUse> chunkUses_;
    std::size_t heldBytes_ = 0;
    std::size_t limit_ = kLimit;
    std::size_t byteCap_ = 0;
    std::uint64_t state_ = 1;
    std::uint64_t lastState_ = 1;
};

}  // namespace brenmark
