#pragma once
// The freehand tools (point 3, eraser 13, clone 14): how a stroke is traced is the same for
// all of them, the cells of a connected line from one mouse event to the next, one undo
// step per stroke; what the stroke puts down is its ink.
#include "editor/view/tools/tool_context.h"

namespace brenmark {

class Ink {
public:
    // Each stroke records its undo step under the label; the cursor shows while the tool is
    // chosen.
    Ink(ToolContext& context, const char* undoLabel, ToolCursor cursor = ToolCursor::Arrow)
        : ctx_(context), undoLabel_(undoLabel), cursor_(cursor)
    {
    }
    virtual ~Ink() = default;
    const char* undoLabel() const { return undoLabel_; }
    ToolCursor cursor() const { return cursor_; }
    // The button went down on a cell: whether a stroke starts there (a refusal records
    // nothing).
    virtual bool begin(CellPoint cell, Modifiers modifiers) = 0;
    // One cell of the stroke: the first one, then each new cell the pointer enters.
    virtual void put(CellPoint cell) = 0;
    // The cells of one mouse event have been put.
    virtual void moved() {}
    // The stroke is over, finished or not.
    virtual void strokeEnded() {}
    // What the ink keeps between strokes goes.
    virtual void reset() {}

protected:
    ToolContext& ctx_;

private:
    const char* undoLabel_;
    ToolCursor cursor_;
};

class FreehandTool final : public OwnTool {
public:
    FreehandTool(ToolContext& context, Ink& ink) : ctx_(context), ink_(ink) {}

    void left() override { endStroke(); }
    void mouseDown(QPoint client, Modifiers modifiers) override;
    void mouseMove(QPoint client, Modifiers modifiers, bool buttonHeld) override;
    void mouseUp(QPoint client, Modifiers modifiers) override;
    ToolCursor cursor() const override { return ink_.cursor(); }
    bool stroking() const override { return active_; }
    void forget() override { endStroke(); }
    void reset() override { ink_.reset(); }

private:
    void endStroke();

    ToolContext& ctx_;
    Ink& ink_;
    bool active_ = false;
    CellPoint last_;
};

}  // namespace brenmark
