#include "editor/view/tools/paint_inks.h"

#include "editor/view/tools/cell_writer.h"

#include <QPainter>

#include <algorithm>

namespace brenmark {

void PointInk::put(CellPoint cell)
{
    CellWriter writer(ctx_.view);
    const std::int32_t index = ctx_.current.thread().index;
    for (const CellPoint& c : ctx_.withMirrors(cell)) {
        writer.write(c.x, c.y, index);
        writer.markCell(c.x, c.y, ctx_.stitchKind);
        ctx_.host().repaintRect(ctx_.cellRect(c));
    }
}

void EraserInk::put(CellPoint cell)
{
    CellWriter writer(ctx_.view);
    writer.write(cell.x, cell.y, EmptyCell);
    writer.markCell(cell.x, cell.y, 0);
    ctx_.host().repaintRect(ctx_.cellRect(cell));
}

void EraserInk::moved()
{
    // The overview follows the eraser (once per mouse event, not once per cell of its line).
    ctx_.rebuildOverview();
}

bool CloneInk::begin(CellPoint cell, Modifiers modifiers)
{
    if (modifiers & CtrlModifier) {
        source_ = cell;
        return false;
    }
    if (!source_) {
        ctx_.message(kMsgNoCloneSource, kTitleInfo, MessageIcon::Stop);
        return false;
    }
    if (!ctx_.drawingLayerShown())
        return false;
    offset_ = {source_->x - cell.x, source_->y - cell.y};
    return true;
}

void CloneInk::put(CellPoint target)
{
    const CellPoint source{target.x + offset_.x, target.y + offset_.y};
    if (!ctx_.inPattern(source))
        return;
    CellWriter writer(ctx_.view);
    writer.write(target.x, target.y, ctx_.doc.cell(source.x, source.y));
    marker_ = source;
    ctx_.host().repaintRect(ctx_.cellRect(target));
    ctx_.host().overlayChanged();
}

void CloneInk::strokeEnded()
{
    if (!marker_)
        return;
    marker_.reset();
    ctx_.host().overlayChanged();
}

void CloneInk::paintMarker(QPainter& p) const
{
    if (!marker_)
        return;
    const QRect r = ctx_.cellRect(*marker_);
    const QPoint c = r.center();
    const int arm = std::max(3, r.width());
    p.drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
    p.drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
}

}  // namespace brenmark
