#pragma once
// The shape tools (line 6, hollow and solid rectangle 5 and 9, hollow and solid ellipse 4
// and 8): a drag shows a rubber band from the first cell to the one under the pointer, and
// the button up draws the shape at one pixel per cell, mirrored and marked with the stitch
// kind, as one undo step.
#include "editor/view/tools/tool_context.h"

class QPainter;

namespace brenmark {

struct ShapeRubberBand {
    bool shown = false;
    ShapeKind kind = ShapeKind::Line;
    CellPoint start, end;
};

class ShapeTool final : public OwnTool {
public:
    ShapeTool(ToolContext& context, ShapeKind kind, const char* undoLabel)
        : ctx_(context), kind_(kind), undoLabel_(undoLabel)
    {
    }

    void left() override { endStroke(); }
    void mouseDown(QPoint client, Modifiers modifiers) override;
    void mouseMove(QPoint client, Modifiers modifiers, bool buttonHeld) override;
    void mouseUp(QPoint client, Modifiers modifiers) override;
    bool stroking() const override { return active_; }
    void forget() override { endStroke(); }

    const ShapeRubberBand& band() const { return band_; }
    // The band's outline (the controller sets up the painter).
    void paintBand(QPainter& painter) const;

private:
    void endStroke();
    void commit(CellPoint end);

    ToolContext& ctx_;
    ShapeKind kind_;
    const char* undoLabel_;
    bool active_ = false;
    ShapeRubberBand band_;
};

}  // namespace brenmark
