#pragma once
// The select-area tool (tool 11) and the selection menu: building the polygon, moving and
// copying its contents by drag, clear, fill, mirror, rotation about a centre, copy and paste
// through the pattern clipboard, placing floating pieces, and the two whole-pattern
// transforms of the Edit menu. The tool takes the input, draws the overlay and asks the
// dialogs; the edits themselves are the document's (transform_contents.h, layer_operations.h,
// pattern_transforms.h). Every change records its undo step first and ends by recomposing the
// visible grid. The commands are in selection_commands.cpp.
#include "editor/document/layer_operations.h"
#include "editor/document/pattern_clipboard.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/pattern_view.h"
#include "editor/view/selection/selection_commands.h"
#include "editor/view/selection/selection_polygon.h"
#include "editor/view/selection/transform_dialogs.h"
#include "editor/view/tools/tool_controller.h"
#include "editor/view/tools/tool_host.h"

#include <QPoint>

#include <optional>
#include <vector>

class QPainter;

namespace brenmark {

class SelectionTool final : public ToolDelegate, private MoveToolHook {
public:
    // Takes tool 11's input from the controller and draws through the view's overlay hook.
    SelectionTool(PatternView& view, ToolController& tools, UndoRecorder& undo, LayerOperations& layers,
                  MessageBoxes* messages = nullptr, TransformDialogs* dialogs = nullptr, ToolHost* host = nullptr);
    ~SelectionTool() override;
    SelectionTool(const SelectionTool&) = delete;
    SelectionTool& operator=(const SelectionTool&) = delete;

    void setHost(ToolHost* host) { host_ = host ? host : &nullHost_; }
    void setMessages(MessageBoxes* messages) { messages_ = messages; }
    void setDialogs(TransformDialogs* dialogs) { dialogs_ = dialogs; }
    // The clipboard may outlive the pattern (copy from one, paste into another); by default
    // the tool keeps its own.
    void setClipboard(PatternClipboard* clipboard) { clipboard_ = clipboard ? clipboard : &ownClipboard_; }
    const PatternClipboard& clipboard() const { return *clipboard_; }

    // One entry for every id of the selection menu and the two transforms; modifiers as held
    // at the moment of the command (Ctrl makes a rotation copy). True when the command was
    // carried out; false when it was refused, cancelled or found nothing to do (a message
    // may have said why; no undo step is left behind), and for ids it does not carry out
    // (including "删除选区描边", which belongs to the outline editing).
    bool command(int id, Modifiers modifiers = NoModifier);

    // The selection as the outline editing and the plug-ins see it.
    const SelectionQuery& query() const { return poly_; }
    const SelectionPolygon& polygon() const { return poly_; }
    // The vertex list handed to plug-ins.
    std::vector<QPoint> selectionOutline() const { return poly_.vertices(); }
    // Replaces the selection (plug-ins, tests).
    void setSelection(std::vector<QPoint> vertices, bool closed);
    // Drops the selection, the rotation centre and any drag (right click, undo and redo, a
    // new pattern).
    void dropSelection();
    // A closed rectangle over the whole pattern.
    bool selectAll();
    // Copies the selection and clears it (cells, marks and lines), one undo step for the
    // clearing as "清除选区" records it.
    bool cutSelection();
    // Esc: a floating piece is put down, an open or closed selection dropped. False when
    // there was neither.
    bool escape();
    // The rectangle being dragged with Shift, in cell corners, while one is.
    bool draggingRectangle() const { return rect_.active; }

    bool rotationCentreShown() const { return view_.marks().rotationCentreShown; }
    QPoint rotationCentre() const { return centre_; }
    bool draggingCentre() const { return centreDrag_.active; }
    // The rotation centre can be dragged with tool 0 too: the controller offers tool 0's
    // button down here first and, when taken, sends the moves and the button up as well.
    bool centreDown(QPoint client);
    void centreMove(QPoint client);
    void centreUp();

    // A pasted or inserted piece is waiting to be placed.
    bool placing() { return layerOps_.floatingPiece() != nullptr; }
    // Puts the waiting piece down where it is.
    bool placePiece();

    // The plain operations behind the commands; each returns whether it changed anything.
    bool copySelection();
    bool pasteSelection();
    bool fillSelection();
    bool clearSelection(bool blocksOnly);
    bool mirrorSelection();
    bool setRotationCentre();
    bool rotateSelection(double angle, bool copy);
    bool moveContents(int dx, int dy, bool copy);
    bool movePiece(int dx, int dy, bool copy);
    bool scalePattern();
    bool resizePattern();

    // ToolDelegate
    void selected() override;
    void left() override;
    void mouseDown(QPoint client, Modifiers modifiers) override;
    void mouseMove(QPoint client, Modifiers modifiers, bool buttonHeld) override;
    void mouseUp(QPoint client, Modifiers modifiers) override;
    void doubleClick(QPoint client, Modifiers modifiers) override;
    void rightDown(QPoint client, Modifiers modifiers) override;
    bool keyDown(int key, std::intptr_t lParam) override;

    // The polygon (closed: green, 2 pixels; open: black, 1 pixel, with the rubber band), the
    // outline at the drag offset and the floating piece; only while tool 11 is current.
    void paintOverlay(QPainter& painter);

private:
    // MoveToolHook
    bool pressed(QPoint client) override { return centreDown(client); }
    void dragged(QPoint client) override { centreMove(client); }
    void released() override { centreUp(); }

    struct Drag {
        bool active = false;
        bool piece = false;  // the floating piece, not the selection's contents
        QPoint start, current;
        QPoint offset() const { return current - start; }
    };
    struct CentreDrag {
        bool active = false;
        QPoint cellAtDown, centreAtDown;
    };
    // A Shift drag on no selection makes a rectangle from the cell pressed to the cell under
    // the pointer, both included.
    struct RectDrag {
        bool active = false;
        QPoint from;
    };
    void stretchRectangle(QPoint to, bool close);

    bool current() const { return tools_.currentTool() == Tool::SelectArea; }
    void sync();  // the polygon's mask follows the pattern's size
    void finish();  // recompose, redraw, tell the derived displays
    void patternResized();  // after scaling or resizing: the same for a new size
    void message(const char* text, const char* title, MessageIcon icon);
    bool inPiece(QPoint cell);
    void setCentre(QPoint centre);
    void setCursor(ToolCursor cursor);

    PatternView& view_;
    PatternDocument& doc_;
    ToolController& tools_;
    UndoRecorder& undo_;
    LayerOperations& layerOps_;
    MessageBoxes* messages_;
    TransformDialogs* dialogs_;
    ToolHost nullHost_;
    ToolHost* host_;
    PatternClipboard ownClipboard_;
    PatternClipboard* clipboard_ = &ownClipboard_;

    SelectionPolygon poly_;
    std::optional<QPoint> pointer_;  // the rubber band's end
    Drag drag_;
    CentreDrag centreDrag_;
    RectDrag rect_;
    QPoint centre_;
    ToolCursor cursor_ = ToolCursor::Arrow;
};

}  // namespace brenmark
