#pragma once
// What the controller's own tools share: the view, the document, the current thread, the
// undo recorder, the windows around them, the stitch kind, and the rules every tool maps
// clicks and cells by. The controller owns one and hands it to each of its tools.
#include "editor/document/current_thread.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/pattern_view.h"
#include "editor/view/tools/raster_shapes.h"
#include "editor/view/tools/tool_host.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

namespace brenmark {

class ToolContext {
public:
    ToolContext(PatternView& patternView, CurrentThreadChoice& currentThread, UndoRecorder& recorder,
                MessageBoxes* messageBoxes, ToolHost* toolHost)
        : view(patternView), doc(patternView.document()), current(currentThread), undo(recorder), messages(messageBoxes)
    {
        setHost(toolHost);
    }
    ToolContext(const ToolContext&) = delete;
    ToolContext& operator=(const ToolContext&) = delete;

    PatternView& view;
    PatternDocument& doc;
    CurrentThreadChoice& current;
    UndoRecorder& undo;
    MessageBoxes* messages;
    // 0 = none, else the kind the point and shape tools mark cells with.
    int stitchKind = 0;

    ToolHost& host() const { return *host_; }
    void setHost(ToolHost* host) { host_ = host ? host : &nullHost_; }

    // The cell under a client point, by the tools' rule; none on the rulers and outside.
    std::optional<CellPoint> cellAt(QPoint client) const;
    // The column and row under a point without the pattern's bounds (axis dragging).
    CellPoint rawCellAt(QPoint client) const;
    bool inPattern(CellPoint c) const { return c.x >= 0 && c.y >= 0 && c.x < doc.width() && c.y < doc.height(); }
    // A cell's thread colour, white for empty cells and indices without a thread.
    ColorRef colourAt(int column, int row) const;
    // The cell and its mirror images while mirroring is on, each once, inside the pattern.
    std::vector<CellPoint> withMirrors(CellPoint cell) const;
    // A cell's rectangle in client pixels.
    QRect cellRect(CellPoint cell) const;

    // The drawing precondition: a chosen thread whose colour is still in the colour bar.
    // When a colour operation removed it, the colour bar forgets it.
    // It also needs drawingLayerShown().
    bool drawingPrecondition();
    // The drawing layer, when there is one, is shown: a stroke on a hidden layer would change
    // cells nobody sees, so it is refused and the status bar says why.
    bool drawingLayerShown();
    void message(const char* text, const char* title, MessageIcon icon);
    void record(const char* label) { undo.recordUndoStep(label); }
    // Derived displays and a repaint after a change.
    void finishEdit();
    void rebuildOverview();

private:
    ToolHost nullHost_;
    ToolHost* host_ = nullptr;
};

// A tool the controller carries out itself. Beside its input it tells the controller its
// cursor and whether a stroke is in progress, and hears of undo and of leaving for good.
class OwnTool : public ToolDelegate {
public:
    // Shown while the tool is chosen.
    virtual ToolCursor cursor() const { return ToolCursor::Arrow; }
    // The button went down and has not come up.
    virtual bool stroking() const { return false; }
    // Undo put back another state or another pattern came: a stroke or a text in progress
    // ends; nothing is finished.
    virtual void forget() {}
    // Another tool was chosen (not this one again) or another pattern came: what the tool
    // keeps from one stroke to the next (the clone source) goes.
    virtual void reset() {}
};

}  // namespace brenmark
