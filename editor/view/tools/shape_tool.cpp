#include "editor/view/tools/shape_tool.h"

#include "editor/view/tools/cell_writer.h"

#include <QPainter>

#include <algorithm>

namespace brenmark {

void ShapeTool::mouseDown(QPoint client, Modifiers)
{
    // The button up of the last drag was lost: its shape is dropped rather than drawn where
    // this click happens to be.
    endStroke();
    const auto cell = ctx_.cellAt(client);
    if (!cell || !ctx_.drawingPrecondition())
        return;
    active_ = true;
    band_ = {false, kind_, *cell, *cell};
}

void ShapeTool::mouseMove(QPoint client, Modifiers, bool)
{
    if (!active_)
        return;
    const auto cell = ctx_.cellAt(client);
    if (!cell || (band_.shown && band_.end == *cell))
        return;
    band_.end = *cell;
    band_.shown = true;
    ctx_.host().overlayChanged();
}

void ShapeTool::mouseUp(QPoint client, Modifiers)
{
    if (!active_)
        return;
    endStroke();
    if (const auto end = ctx_.cellAt(client))
        commit(*end);
}

void ShapeTool::endStroke()
{
    const bool hadBand = band_.shown;
    active_ = false;
    band_.shown = false;
    if (hadBand)
        ctx_.host().overlayChanged();
}

void ShapeTool::commit(CellPoint end)
{
    ctx_.record(undoLabel_);
    const ShapeMask mask = rasteriseShape(kind_, band_.start, end, ctx_.doc.width(), ctx_.doc.height());
    CellWriter writer(ctx_.view);
    const std::int32_t index = ctx_.current.thread().index;
    const CellBox& box = mask.box();
    std::vector<CellPoint> written;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            if (!mask.at(x, y))
                continue;
            for (const CellPoint& c : ctx_.withMirrors({x, y})) {
                writer.write(c.x, c.y, index);
                written.push_back(c);
            }
        }
    writer.markCells(written, ctx_.stitchKind);
    ctx_.finishEdit();
}

void ShapeTool::paintBand(QPainter& p) const
{
    if (!band_.shown)
        return;
    const CellPoint lo{std::min(band_.start.x, band_.end.x), std::min(band_.start.y, band_.end.y)};
    const CellPoint hi{std::max(band_.start.x, band_.end.x), std::max(band_.start.y, band_.end.y)};
    const QRect box = ctx_.cellRect(lo).united(ctx_.cellRect(hi)).adjusted(0, 0, -1, -1);
    switch (band_.kind) {
    case ShapeKind::HollowEllipse:
    case ShapeKind::SolidEllipse:
        p.drawEllipse(box);
        break;
    case ShapeKind::HollowRect:
    case ShapeKind::SolidRect:
        p.drawRect(box);
        break;
    case ShapeKind::Line:
        p.drawLine(ctx_.cellRect(band_.start).center(), ctx_.cellRect(band_.end).center());
        break;
    }
}

}  // namespace brenmark
