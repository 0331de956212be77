#include "editor/view/tools/freehand_tool.h"

namespace brenmark {

void FreehandTool::mouseDown(QPoint client, Modifiers modifiers)
{
    if (active_) {
        // The button up of the last stroke was lost: that stroke ends here.
        endStroke();
        ctx_.finishEdit();
    }
    const auto cell = ctx_.cellAt(client);
    if (!cell || !ink_.begin(*cell, modifiers))
        return;
    ctx_.record(ink_.undoLabel());
    active_ = true;
    last_ = *cell;
    ink_.put(*cell);
}

void FreehandTool::mouseMove(QPoint client, Modifiers, bool)
{
    if (!active_)
        return;
    // One cell per event, no interpolation; staying in a cell paints nothing new.
    const auto cell = ctx_.cellAt(client);
    if (!cell || *cell == last_)
        return;
    last_ = *cell;
    ink_.put(*cell);
}

void FreehandTool::mouseUp(QPoint, Modifiers)
{
    if (!active_)
        return;
    endStroke();
    ctx_.finishEdit();
}

void FreehandTool::endStroke()
{
    active_ = false;
    ink_.strokeEnded();
}

}  // namespace brenmark
