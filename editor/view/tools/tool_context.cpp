#include "editor/view/tools/tool_context.h"

#include <algorithm>
#include <cmath>

namespace brenmark {

std::optional<CellPoint> ToolContext::cellAt(QPoint client) const
{
    const auto c = view.geometry().editedCellAt(client);
    if (!c)
        return std::nullopt;
    return CellPoint{c->x(), c->y()};
}

CellPoint ToolContext::rawCellAt(QPoint client) const
{
    const QPoint c = view.geometry().rawEditedCellAt(client);
    return {c.x(), c.y()};
}

ColorRef ToolContext::colourAt(int column, int row) const
{
    const std::int32_t v = doc.cell(column, row);
    return doc.isThread(v) ? doc.threads.colors[static_cast<std::size_t>(v)] : kWhite;
}

std::vector<CellPoint> ToolContext::withMirrors(CellPoint cell) const
{
    std::vector<CellPoint> cells{cell};
    const PatternView::Marks& m = view.marks();
    auto add = [&](CellPoint c) {
        if (inPattern(c) && std::find(cells.begin(), cells.end(), c) == cells.end())
            cells.push_back(c);
    };
    // Reflections about the marked column A - 1 and row B - 1; with both on, the cell is
    // repeated in all four quarters.
    const int mx = 2 * m.axisColumn - 2 - cell.x, my = 2 * m.axisRow - 2 - cell.y;
    if (m.horizontalMirror)
        add({mx, cell.y});
    if (m.verticalMirror)
        add({cell.x, my});
    if (m.horizontalMirror && m.verticalMirror)
        add({mx, my});
    return cells;
}

QRect ToolContext::cellRect(CellPoint cell) const
{
    return view.geometry().cellRect(cell.x, cell.y);
}

bool ToolContext::drawingPrecondition()
{
    if (!current.chosen())
        return false;
    if (current.stillInTable())
        return drawingLayerShown();
    // A colour operation removed the colour: the colour bar forgets it and nothing is drawn.
    host_->resetColourDisplay();
    host_->repaintView();
    return false;
}

bool ToolContext::drawingLayerShown()
{
    const int drawing = doc.layers.drawingLayer();
    if (drawing < 0 || doc.layers[drawing].visible)
        return true;
    host_->showStatus(kMsgDrawingLayerHidden);
    return false;
}

void ToolContext::message(const char* text, const char* title, MessageIcon icon)
{
    if (messages)
        messages->show(text, title, icon);
}

void ToolContext::finishEdit()
{
    rebuildOverview();
    host_->patternEdited();
    host_->repaintView();
}

void ToolContext::rebuildOverview()
{
    view.rebuildOverview(view.overviewImage().size());
    host_->overviewChanged();
}

}  // namespace brenmark
