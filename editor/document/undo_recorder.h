#pragma once
// Every editing operation hands its undo step here before it changes anything. The undo
// engine implements it by taking a snapshot of the document at that moment.
#include <string>

namespace brenmark {

class UndoRecorder {
public:
    virtual ~UndoRecorder() = default;
    // label is the text shown for undoing the step, e.g. "取消新建层". Called before the
    // change, while the document still holds the state that undoing returns to.
    virtual void recordUndoStep(const std::string& label) = 0;
};

// For callers without an undo history (the command line, batch conversions).
class NoUndo final : public UndoRecorder {
public:
    void recordUndoStep(const std::string&) override {}
};

inline constexpr const char* kUndoNewLayer = "取消新建层";
inline constexpr const char* kUndoDeleteLayer = "取消删除层";
inline constexpr const char* kUndoCopyLayer = "取消复制层";
inline constexpr const char* kUndoMergeVisible = "取消合并可见层";
inline constexpr const char* kUndoMergeLinked = "取消合并链接层";
inline constexpr const char* kUndoReorderLayers = "取消调整层顺序";
inline constexpr const char* kUndoChooseDrawingLayer = "取消选定绘制层";
inline constexpr const char* kUndoInsertPattern = "取消插入绣图";
inline constexpr const char* kUndoPaste = "取消粘贴";

}  // namespace brenmark
