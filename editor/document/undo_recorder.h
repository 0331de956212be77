#pragma once
// Every editing operation hands its undo step here before it changes anything. The undo
// engine implements it by taking a snapshot of the document at that moment.
#include "interchange/ui_text.h"

#include <cstdint>
#include <string>

namespace brenmark {

// What undoing or redoing a step puts back besides the cells, layers, lines and threads,
// which every step restores. The label is only shown; this decides.
enum class UndoKind : std::uint8_t {
    // The symbol table stays as it is: choosing a symbol is no step, so a stroke undone must
    // not take back a symbol chosen since.
    Edit,
    // The step changes the thread table the symbol slots follow (replacing, removing,
    // reducing, adding or converting colours, pasting or inserting a pattern): the symbols
    // come back with the threads, or a thread would show another thread's symbol.
    ThreadTable,
};

struct UndoStep {
    UndoStep(std::string text, UndoKind k = UndoKind::Edit) : label(std::move(text)), kind(k) {}
    UndoStep(const char* text, UndoKind k = UndoKind::Edit) : label(text), kind(k) {}
    std::string label;  // the text shown for undoing the step, e.g. "取消新建层"
    UndoKind kind;
};

class UndoRecorder {
public:
    virtual ~UndoRecorder() = default;
    // Called before the change, while the document still holds the state that undoing
    // returns to.
    virtual void recordUndoStep(const UndoStep& step) = 0;
    // An edit that no step records (a layer shown or hidden, a colour locked, a symbol or the
    // fabric chosen) changed the document: it still leaves the pattern unsaved.
    virtual void recordEditWithoutStep() {}
};

// For callers without an undo history (the command line, batch conversions).
class NoUndo final : public UndoRecorder {
public:
    void recordUndoStep(const UndoStep&) override {}
};

inline constexpr const char* kUndoNewLayer = UI_TEXT_NOOP("取消新建层");
inline constexpr const char* kUndoDeleteLayer = UI_TEXT_NOOP("取消删除层");
inline constexpr const char* kUndoCopyLayer = UI_TEXT_NOOP("取消复制层");
inline constexpr const char* kUndoMergeVisible = UI_TEXT_NOOP("取消合并可见层");
inline constexpr const char* kUndoMergeLinked = UI_TEXT_NOOP("取消合并链接层");
inline constexpr const char* kUndoReorderLayers = UI_TEXT_NOOP("取消调整层顺序");
inline constexpr const char* kUndoChooseDrawingLayer = UI_TEXT_NOOP("取消选定绘制层");
inline constexpr const char* kUndoInsertPattern = UI_TEXT_NOOP("取消插入绣图");
inline constexpr const char* kUndoPaste = UI_TEXT_NOOP("取消粘贴");

// The colour operations. The two that begin with "恢复" leave generic redo and undo labels.
inline constexpr const char* kUndoReplaceColour = UI_TEXT_NOOP("取消替换颜色");
inline constexpr const char* kUndoAreaReplaceColour = UI_TEXT_NOOP("取消区域替换颜色");
inline constexpr const char* kUndoRemoveColour = UI_TEXT_NOOP("取消减去被选颜色");
inline constexpr const char* kUndoReduceColours = UI_TEXT_NOOP("取消成批减色");
inline constexpr const char* kUndoAddColour = UI_TEXT_NOOP("取消增加颜色");
inline constexpr const char* kUndoLastAddedColour = UI_TEXT_NOOP("取消上次增加的颜色");
inline constexpr const char* kUndoDeleteUnusedThreads = UI_TEXT_NOOP("取消删除未使用绣线");
inline constexpr const char* kUndoHollowColour = UI_TEXT_NOOP("恢复挖空指定颜色");
inline constexpr const char* kUndoReleaseLocks = UI_TEXT_NOOP("恢复所有颜色锁定");

}  // namespace brenmark
