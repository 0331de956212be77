#include "editor/view/tools/tool_context.h"

#include <algorithm>
#include <cmath>

namespace brenmark {

std::optional<CellPoint> ToolContext::cellAt(QPoint client) const
{
    if (client.x() <= kLeftRuler - 1 || client.y() <= kTopRuler - 1)
        return std::nullopt;
    const CellPoint c = rawCellAt(client);
    if (!inPattern(c))
        return std::nullopt;
    return c;
}

CellPoint ToolContext::rawCellAt(QPoint client) const
{
    const float s = view.cellSize();
    return {static_cast<int>((client.x() - kLeftRuler) / s) + view.firstColumn(),
            static_cast<int>((client.y() - kTopRuler) / s) + view.firstRow()};
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
    const float s = view.cellSize();
    const QPoint o = view.origin();
    const int x = static_cast<int>(std::floor(o.x() + cell.x * s)), y = static_cast<int>(std::floor(o.y() + cell.y * s));
    const int size = std::max(1, static_cast<int>(std::ceil(s)));
    return QRect(x, y, size, size);
}

bool ToolContext::drawingPrecondition()
{
    if (!current.chosen())
        return false;
    if (current.stillInTable())
        return true;
    // A colour operation removed the colour: the colour bar forgets it and nothing is drawn.
    host_->resetColourDisplay();
    host_->repaintView();
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
