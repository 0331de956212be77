#pragma once
// "清理单针": confetti taken out of an existing pattern by the rule of the conversion's
// "减少单针" (confetti.h), the colour each cell should show being its own thread's colour. One
// undo step; the threads stay in the table (the unused ones leave at the next save).
#include "editor/document/pattern_document.h"
#include "editor/document/undo_recorder.h"
#include "editor/output/colour_operations.h"
#include "interchange/ui_text.h"

#include <functional>

namespace brenmark {

inline constexpr const char* kCleanConfettiCommand = UI_TEXT_NOOP("清理单针");
inline constexpr const char* kUndoCleanConfetti = UI_TEXT_NOOP("取消清理单针");

// Strength 1 .. 10 (10 leaves no isolated stitch). A cell changed in the composed grid
// changes in every layer that showed the old thread there. Nothing to change records no
// step and is not done.
ColourChange cleanConfetti(PatternDocument& doc, UndoRecorder& undo, int strength);
// The same rule worked out over the whole pattern, with only the cells within takes changed:
// the brush of the tools, which cleans where the user strokes.
ColourChange cleanConfetti(PatternDocument& doc, UndoRecorder& undo, int strength,
                           const std::function<bool(int column, int row)>& within);

}  // namespace brenmark
