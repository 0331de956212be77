#include "editor/view/tools/pan_pick_tool.h"

#include <algorithm>
#include <cstdlib>

namespace brenmark {

namespace {

// Pan offsets move by whole cells, away from zero, so the grid stays on the ruler ticks.
int roundToCells(int d, float s)
{
    if (s < 1 || d == 0)
        return d;
    const int step = static_cast<int>(s);
    const int cells = (std::abs(d) + step - 1) / step;
    return d < 0 ? -cells * step : cells * step;
}

}  // namespace

void PanPickTool::left()
{
    endDrag();
    if (hooked_) {
        hooked_ = false;
        hook_->released();
    }
}

void PanPickTool::mouseDown(QPoint client, Modifiers modifiers)
{
    // A drag whose button up was lost ends here.
    endDrag();
    hooked_ = hook_ && hook_->pressed(client);
    if (!hooked_)
        press(client, modifiers);
}

void PanPickTool::mouseMove(QPoint client, Modifiers, bool)
{
    if (hooked_)
        hook_->dragged(client);
    else
        drag(client);
}

void PanPickTool::mouseUp(QPoint, Modifiers)
{
    if (hooked_) {
        hooked_ = false;
        if (hook_)
            hook_->released();
        return;
    }
    if (!dragging_)
        return;
    endDrag();
    ctx_.host().setToolCursor(ToolCursor::Arrow);
}

void PanPickTool::rightDown(QPoint client, Modifiers)
{
    const ViewMode mode = ctx_.view.mode();
    if (mode == ViewMode::SymbolsOnColour || mode == ViewMode::SymbolsOnly)
        ctx_.host().symbolMenu(client);
}

int PanPickTool::axisHandleAt(QPoint client) const
{
    const PatternView::Marks& m = ctx_.view.marks();
    if (client.x() < kLeftRuler || client.y() < kTopRuler)
        return 0;
    const CellPoint c = ctx_.rawCellAt(client);
    if (m.horizontalMirror && c.x == m.axisColumn - 1 && c.y >= 0 && c.y < ctx_.doc.height())
        return 1;
    if (m.verticalMirror && c.y == m.axisRow - 1 && c.x >= 0 && c.x < ctx_.doc.width())
        return 2;
    return 0;
}

void PanPickTool::press(QPoint client, Modifiers modifiers)
{
    dragging_ = true;
    startClient_ = client;
    originAtDown_ = ctx_.view.origin();
    axisAtDown_ = cellAtDown_ = 0;
    if (const int axis = axisHandleAt(client)) {
        const PatternView::Marks& m = ctx_.view.marks();
        const CellPoint c = ctx_.rawCellAt(client);
        axis_ = axis;
        axisAtDown_ = axis == 1 ? m.axisColumn : m.axisRow;
        cellAtDown_ = axis == 1 ? c.x : c.y;
        ctx_.host().setToolCursor(axis == 1 ? ToolCursor::AxisHorizontal : ToolCursor::AxisVertical);
        return;
    }
    if (const auto cell = ctx_.cellAt(client))
        pick(*cell, modifiers);
    ctx_.host().setToolCursor(ToolCursor::Move);
}

void PanPickTool::pick(CellPoint cell, Modifiers modifiers)
{
    const PatternDocument& doc = ctx_.doc;
    const std::int32_t v = doc.cell(cell.x, cell.y);
    if (!doc.isThread(v))
        return;
    const std::size_t i = static_cast<std::size_t>(v);
    ctx_.current.set({v, doc.threads.colors[i], doc.threads.numbers[i]});
    if ((modifiers & CtrlModifier) && ctx_.view.flashing())
        ctx_.view.setFlashColour(doc.threads.colors[i]);
    ctx_.host().showPickedThread(ctx_.current.thread());
}

void PanPickTool::drag(QPoint client)
{
    PatternView& view = ctx_.view;
    if (!dragging_) {
        // Hovering: the cursor tells whether an axis can be dragged here.
        const int axis = axisHandleAt(client);
        ctx_.host().setToolCursor(axis == 1   ? ToolCursor::AxisHorizontal
                                  : axis == 2 ? ToolCursor::AxisVertical
                                              : ToolCursor::Arrow);
        return;
    }
    if (axis_) {
        PatternView::Marks& m = view.marks();
        const CellPoint c = ctx_.rawCellAt(client);
        const int limit = axis_ == 1 ? ctx_.doc.width() : ctx_.doc.height();
        // The marked line stays on the pattern.
        const int axis = std::clamp(axisAtDown_ + ((axis_ == 1 ? c.x : c.y) - cellAtDown_), 1, std::max(1, limit));
        int& target = axis_ == 1 ? m.axisColumn : m.axisRow;
        if (axis != target) {
            target = axis;
            ctx_.host().repaintView();
        }
        return;
    }
    const float s = view.cellSize();
    const QPoint d(roundToCells(client.x() - startClient_.x(), s), roundToCells(client.y() - startClient_.y(), s));
    const QPoint before = view.origin();
    view.setOrigin(originAtDown_ + d);
    view.clampOrigin(ctx_.host().clientSize());
    if (view.origin() != before)
        ctx_.host().repaintView();
}

}  // namespace brenmark
