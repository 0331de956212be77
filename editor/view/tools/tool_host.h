#pragma once
// What the tool controller asks of the windows around it, the interface every tool is
// carried out through, and the hook through which the selection takes tool 0's drags.
#include "editor/view/pattern_view.h"
#include "editor/view/tools/tool_types.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>

namespace brenmark {

enum class ToolCursor { Arrow, Move, AxisHorizontal, AxisVertical, Eraser, Clone };

// Every call has a do-nothing default, so tests and the command line implement only what
// they look at.
class ToolHost {
public:
    virtual ~ToolHost() = default;
    // The whole view, or a part of it in client pixels, must be drawn again.
    virtual void repaintView() {}
    virtual void repaintRect(const QRect& /*client*/) { repaintView(); }
    // The rubber band, the text caret or the clone marker moved (see paintOverlay).
    virtual void overlayChanged() { repaintView(); }
    virtual QSize clientSize() const { return {}; }
    virtual void setToolCursor(ToolCursor) {}
    virtual void bringToFront() {}
    // The colour bar shows the thread just picked from the pattern.
    virtual void showPickedThread(const CurrentThread&) {}
    // The current thread's colour left the colour bar: its display goes back to blank.
    virtual void resetColourDisplay() {}
    // Cells changed: thread usage and other derived displays recount.
    virtual void patternEdited() {}
    virtual void overviewChanged() {}
    // The symbol menu of the main frame, for a client point of the view.
    virtual void symbolMenu(QPoint /*client*/) {}
    // A short note for the status bar (why an action did nothing).
    virtual void showStatus(const char* /*text*/) {}
    // The controller switched tools itself (the text layer could not be made); the tool
    // window shows the new tool.
    virtual void toolChanged(Tool) {}
};

// One tool's handling of the input the controller routes to it. The controller's own tools
// (tool_context.h) and the outline (1, 2) and selection (11) tools of other parts of the view
// all implement it.
class ToolDelegate {
public:
    virtual ~ToolDelegate() = default;
    virtual void selected() {}
    // Another tool was chosen (or this one again): rubber bands and selections go.
    virtual void left() {}
    virtual void mouseDown(QPoint /*client*/, Modifiers) {}
    virtual void mouseMove(QPoint /*client*/, Modifiers, bool /*buttonHeld*/) {}
    virtual void mouseUp(QPoint /*client*/, Modifiers) {}
    virtual void doubleClick(QPoint /*client*/, Modifiers) {}
    virtual void rightDown(QPoint /*client*/, Modifiers) {}
    // Delete (46) with lParam as the frame sent it; true when handled.
    virtual bool keyDown(int /*key*/, std::intptr_t /*lParam*/) { return false; }
};

// Gets the first refusal on tool 0's button down, before panning and picking: the rotation
// centre of a selection can be dragged with tool 0 too. Once pressed() takes a press, the
// moves and the button up of that drag go here as well.
class MoveToolHook {
public:
    virtual ~MoveToolHook() = default;
    virtual bool pressed(QPoint client) = 0;
    virtual void dragged(QPoint client) = 0;
    virtual void released() = 0;
};

}  // namespace brenmark
