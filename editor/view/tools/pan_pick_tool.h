#pragma once
// Tool 0: dragging pans the view by whole cells, or moves a mirror axis when it starts on
// the axis; a button down on a cell picks its thread (Ctrl also moves the flash colour); the
// right button asks for the symbol menu in the symbol modes. A MoveToolHook gets the first
// refusal on each button down.
#include "editor/view/tools/tool_context.h"

namespace brenmark {

class PanPickTool final : public OwnTool {
public:
    explicit PanPickTool(ToolContext& context) : ctx_(context) {}

    // Offered each button down first; null removes it.
    void setHook(MoveToolHook* hook)
    {
        hook_ = hook;
        hooked_ = false;
    }

    void left() override;
    void mouseDown(QPoint client, Modifiers modifiers) override;
    void mouseMove(QPoint client, Modifiers modifiers, bool buttonHeld) override;
    void mouseUp(QPoint client, Modifiers modifiers) override;
    void rightDown(QPoint client, Modifiers modifiers) override;
    bool stroking() const override { return dragging_; }
    void forget() override { endDrag(); }

private:
    void endDrag()
    {
        dragging_ = false;
        axis_ = 0;
    }
    // 1 on the horizontal mirror's axis column, 2 on the vertical mirror's axis row.
    int axisHandleAt(QPoint client) const;
    void press(QPoint client, Modifiers modifiers);
    void pick(CellPoint cell, Modifiers modifiers);
    void drag(QPoint client);

    ToolContext& ctx_;
    MoveToolHook* hook_ = nullptr;
    bool hooked_ = false;  // the hook took the current drag
    bool dragging_ = false;
    QPoint startClient_;
    QPoint originAtDown_;
    int axis_ = 0;  // 1 or 2 while an axis handle is dragged
    int axisAtDown_ = 0;
    int cellAtDown_ = 0;
};

}  // namespace brenmark
