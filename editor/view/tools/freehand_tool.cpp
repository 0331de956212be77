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
    ink_.moved();
}

void FreehandTool::mouseMove(QPoint client, Modifiers, bool)
{
    if (!active_)
        return;
    // The stroke is a connected line: every cell between the last one painted and the one
    // under the pointer, however far the pointer went between two events. Staying in a cell
    // paints nothing new; outside the pattern the stroke waits where it left.
    const auto cell = ctx_.cellAt(client);
    if (!cell || *cell == last_)
        return;
    const std::vector<CellPoint> line = lineCells(last_, *cell);
    last_ = *cell;
    for (std::size_t i = 1; i < line.size(); ++i)
        if (ctx_.inPattern(line[i]))
            ink_.put(line[i]);
    ink_.moved();
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
