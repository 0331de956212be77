#pragma once
// The drawing tools of the pattern view as plain logic: the tool state, the mouse handling
// of every cell-painting tool, fills, eraser, clone stamp, text stamping, colour picking and
// mirrored drawing. Widgets feed it plain calls and private messages; it changes the
// document through CellWriter and records each action's undo step first.
#include "editor/document/layer_operations.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/pattern_view.h"
#include "editor/view/tools/raster_shapes.h"
#include "editor/view/tools/scanline_fill.h"
#include "editor/view/tools/tool_host.h"
#include "editor/view/tools/tool_types.h"

#include <QFont>
#include <QPoint>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace brenmark {

class ToolController : public DocumentObserver, public LayerObserver {
public:
    // Installs itself as the view's tool handler, so messages sent to the view reach it.
    ToolController(PatternView& view, UndoRecorder& undo, MessageBoxes* messages = nullptr, ToolHost* host = nullptr);
    ~ToolController() override;
    ToolController(const ToolController&) = delete;
    ToolController& operator=(const ToolController&) = delete;

    void setHost(ToolHost* host) { host_ = host ? host : &nullHost_; }
    void setMessages(MessageBoxes* messages) { messages_ = messages; }
    // Text layers are made through the layer commands when given (their observers then
    // redraw); otherwise directly in the layer list. The tools also hear of the commands'
    // changes there.
    void setLayerOperations(LayerOperations* operations);
    // Tools 1, 2 and 11 are handled elsewhere.
    void setDelegate(Tool tool, ToolDelegate* delegate) { delegates_[static_cast<std::size_t>(tool)] = delegate; }
    // Offered tool 0's button down first; null removes it.
    void setMoveToolHook(MoveToolHook* hook)
    {
        moveHook_ = hook;
        hooked_ = false;
    }

    // The messages MsgSelectTool, MsgKeyDown, MsgTextChar, MsgSetStitchKind and MsgMirror;
    // anything else returns 0.
    std::intptr_t dispatch(int message, std::intptr_t wParam, std::intptr_t lParam);

    // MsgSelectTool: a tool number, or kSwitchBaseImage / kSwitchGrid with their flag.
    void selectTool(int tool, std::intptr_t flag = 0);
    // MsgKeyDown; true when a tool used the key.
    bool keyDown(int key, std::intptr_t lParam);
    // MsgTextChar: one byte of GBK text (a double-byte character comes as two calls) or a
    // control code; false when the character was not for the text tool.
    bool textChar(int code);
    // Types a whole GBK text, byte by byte.
    void typeText(const std::string& gbk);
    // MsgSetStitchKind: 0 = none, else the kind the point and shape tools mark cells with.
    void setStitchKind(int kind);
    // MsgMirror: axis 1 horizontal (about a column), 2 vertical (about a row).
    void setMirror(bool on, int axis);

    // Mouse input in client pixels of the view.
    void mouseDown(QPoint client, Modifiers modifiers = NoModifier);
    void mouseMove(QPoint client, Modifiers modifiers = NoModifier);
    void mouseUp(QPoint client, Modifiers modifiers = NoModifier);
    void doubleClick(QPoint client, Modifiers modifiers = NoModifier);
    void rightDown(QPoint client, Modifiers modifiers = NoModifier);

    Tool currentTool() const { return tool_; }
    bool stroking() const { return stroke_.active; }
    int stitchKind() const { return stitchKind_; }
    const QFont& textFont() const { return font_; }
    // The font for the next text.
    void setTextFont(const QFont& font);
    const std::string& text() const { return text_.text; }
    bool textActive() const { return text_.active; }
    CellPoint textCell() const { return text_.cell; }
    bool cloneSourceDefined() const { return clone_.defined; }
    CellPoint cloneSource() const { return clone_.source; }
    CellPoint cloneOffset() const { return clone_.offset; }

    // The cell under a client point, by the tools' rule; none on the rulers and outside.
    std::optional<CellPoint> cellAt(QPoint client) const;
    // A cell's thread colour, white for empty cells and indices without a thread.
    ColorRef colourAt(int column, int row) const;
    // The cell and its mirror images while mirroring is on, each once, inside the pattern.
    std::vector<CellPoint> withMirrors(CellPoint cell) const;
    // A cell's rectangle in client pixels.
    QRect cellRect(CellPoint cell) const;

    // Things drawn over the pattern: the rubber band of a shape, the text caret and the
    // clone source marker.
    struct RubberBand {
        bool shown = false;
        ShapeKind kind = ShapeKind::Line;
        CellPoint start, end;
    };
    const RubberBand& rubberBand() const { return band_; }
    struct Caret {
        bool shown = false;
        CellPoint cell;
        int lineHeight = 0;  // of "i" in the text font, in cells
    };
    const Caret& caret() const { return caret_; }
    // Three cells wide and a line high, at the cell size of the moment (zooming resizes it).
    QSize caretPixels() const;
    std::optional<CellPoint> cloneMarker() const { return marker_; }
    // Draws them in invert mode, so drawing twice erases them.
    void paintOverlay(QPainter& painter) const;

    // Undo put back another state: the text being typed and strokes are forgotten.
    void forgetTransientState();
    void documentReplaced() override;
    // The layers were changed and composed again: the rows a text saved are out of date.
    void layersRecomposed() override;

    // The fills as the tools use them; value goes into every cell of the region. Return the
    // number of cells the region holds.
    std::size_t fillByIndex(CellPoint seed, std::int32_t match, std::int32_t value);
    std::size_t fillByColour(CellPoint seed, ColorRef match, std::int32_t value);

private:
    struct Stroke {
        bool active = false;
        CellPoint start, last;
        QPoint startClient;
    };
    struct Pan {
        QPoint originAtDown;
        int axis = 0;  // 1 or 2 while an axis handle is dragged
        int axisAtDown = 0;
        int cellAtDown = 0;
    };
    struct CloneState {
        bool defined = false;
        CellPoint source;
        CellPoint lastTarget;
        CellPoint offset;
    };
    struct TextState {
        bool active = false;
        std::string text;
        CellPoint cell;
        int layer = -1;
        std::uint64_t layerTag = 0;  // the tag given to that layer
        int width = 0, height = 0;   // the pattern's size when the rows were saved
        int savedTop = 0;
        int savedRows = 0;
        std::vector<std::int32_t> savedCells;
    };

    Tool toolAt(int t) const { return static_cast<Tool>(t); }
    ToolDelegate* delegate(Tool t) const { return delegates_[static_cast<std::size_t>(t)]; }
    // A chosen thread whose colour is still in the colour bar.
    bool drawingPrecondition();
    bool threadChosen() const;
    void message(const char* text, const char* title, MessageIcon icon);
    void record(const char* label) { undo_.recordUndoStep(label); }
    void endStroke();
    void finishEdit();  // derived displays and a repaint after a change
    void rebuildOverview();
    // The column or row under a point without the pattern's bounds (axis dragging).
    CellPoint rawCellAt(QPoint client) const;
    int axisHandleAt(QPoint client) const;

    void panDown(QPoint client, Modifiers modifiers);
    void panMove(QPoint client);
    void pointCell(CellPoint cell);
    void eraseCell(CellPoint cell);
    void cloneCell(CellPoint target);
    void commitShape(CellPoint end);
    void fillClick(CellPoint cell);
    void hollowClick(CellPoint cell);
    void textClick(CellPoint cell);
    int prepareTextLayer();
    // The pattern still has the size the text's rows were saved at, and the text's own
    // layer is still in its place and the drawing layer.
    bool textTargetHolds() const;
    void renderText();
    void endText();
    template <class Match>
    std::size_t fillRegion(CellPoint seed, Match&& match, std::int32_t value, bool valueMatches, bool clearMarks);

    PatternView& view_;
    PatternDocument& doc_;
    UndoRecorder& undo_;
    MessageBoxes* messages_;
    ToolHost nullHost_;
    ToolHost* host_;
    LayerOperations* layerOps_ = nullptr;
    std::array<ToolDelegate*, kToolCount> delegates_{};
    MoveToolHook* moveHook_ = nullptr;
    bool hooked_ = false;  // the hook took the current drag of tool 0

    Tool tool_ = Tool::Move;
    int stitchKind_ = 0;
    Stroke stroke_;
    Pan pan_;
    CloneState clone_;
    TextState text_;
    QFont font_;
    RubberBand band_;
    Caret caret_;
    std::optional<CellPoint> marker_;
    std::vector<FillSeed> seeds_;
};

// The byte length of the last character of a GBK text: 2 when it is a double-byte
// character, else 1 (0 for an empty text).
std::size_t lastGbkCharLength(const std::string& text);
// The length of the text without a lead byte still waiting for its trail byte.
std::size_t completeGbkLength(const std::string& text);

}  // namespace brenmark
