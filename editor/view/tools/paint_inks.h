#pragma once
// The inks of the freehand tools: the current thread with the stitch kind and mirroring
// (point), empty cells without marks (eraser), and the cells at a fixed offset from the
// pointer (clone stamp).
#include "editor/view/tools/freehand_tool.h"

#include <optional>

class QPainter;

namespace brenmark {

class PointInk final : public Ink {
public:
    explicit PointInk(ToolContext& context) : Ink(context, kUndoPoint) {}
    // Needs the drawing precondition.
    bool begin(CellPoint, Modifiers) override { return ctx_.drawingPrecondition(); }
    void put(CellPoint cell) override;
};

class EraserInk final : public Ink {
public:
    explicit EraserInk(ToolContext& context) : Ink(context, kUndoErase, ToolCursor::Eraser) {}
    bool begin(CellPoint, Modifiers) override { return ctx_.drawingLayerShown(); }
    void put(CellPoint cell) override;
    void moved() override;
};

// A Ctrl click defines the source; each stroke then copies from the source onwards, the
// offset taken from where the stroke starts. The source shows as a marker while stroking.
class CloneInk final : public Ink {
public:
    explicit CloneInk(ToolContext& context) : Ink(context, kUndoClone, ToolCursor::Clone) {}
    bool begin(CellPoint cell, Modifiers modifiers) override;
    void put(CellPoint target) override;
    void strokeEnded() override;
    void reset() override
    {
        source_.reset();
        offset_ = {};
    }

    bool sourceDefined() const { return source_.has_value(); }
    CellPoint source() const { return source_.value_or(CellPoint{}); }
    CellPoint offset() const { return offset_; }
    std::optional<CellPoint> marker() const { return marker_; }
    // A cross over the source cell (the controller sets up the painter).
    void paintMarker(QPainter& painter) const;

private:
    std::optional<CellPoint> source_;
    CellPoint offset_;
    std::optional<CellPoint> marker_;
};

}  // namespace brenmark
