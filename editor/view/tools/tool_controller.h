#pragma once
// The drawing tools of the pattern view as plain logic: the current tool, the routing of
// mouse and key input to that tool, the messages of the tool and stitch-kind windows, the
// stitch kind and mirrored drawing. Each tool family is a delegate of its own (pan and
// pick, the freehand tools with their inks, the shapes, fill and hollow-out, text); the
// outline and selection tools are delegates from other parts of the view.
#include "editor/document/current_thread.h"
#include "editor/document/layer_operations.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/pattern_view.h"
#include "editor/view/tools/fill_tool.h"
#include "editor/view/tools/freehand_tool.h"
#include "editor/view/tools/paint_inks.h"
#include "editor/view/tools/pan_pick_tool.h"
#include "editor/view/tools/shape_tool.h"
#include "editor/view/tools/text_tool.h"
#include "editor/view/tools/tool_context.h"
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
    // Installs itself as the view's tool handler, so messages sent to the view reach it. The
    // tools draw with the current thread and change it when picking.
    ToolController(PatternView& view, CurrentThreadChoice& current, UndoRecorder& undo,
                   MessageBoxes* messages = nullptr, ToolHost* host = nullptr);
    ~ToolController() override;
    ToolController(const ToolController&) = delete;
    ToolController& operator=(const ToolController&) = delete;

    void setHost(ToolHost* host) { ctx_.setHost(host); }
    void setMessages(MessageBoxes* messages) { ctx_.messages = messages; }
    // Text layers are made through the layer commands when given (their observers then
    // redraw); otherwise directly in the layer list. The tools also hear of the commands'
    // changes there.
    void setLayerOperations(LayerOperations* operations);
    // Tools 1, 2 and 11 are handled elsewhere; null gives a tool back to the controller.
    void setDelegate(Tool tool, ToolDelegate* delegate) { external_[static_cast<std::size_t>(tool)] = delegate; }
    // Offered tool 0's button down first; null removes it.
    void setMoveToolHook(MoveToolHook* hook) { pan_.setHook(hook); }

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
    // The thread the tools draw with.
    const CurrentThreadChoice& currentThread() const { return ctx_.current; }
    bool stroking() const;
    int stitchKind() const { return ctx_.stitchKind; }
    const QFont& textFont() const { return text_.font(); }
    // The font for the next text.
    void setTextFont(const QFont& font) { text_.setFont(font); }
    const std::string& text() const { return text_.text(); }
    bool textActive() const { return text_.active(); }
    CellPoint textCell() const { return text_.cell(); }
    bool cloneSourceDefined() const { return cloneInk_.sourceDefined(); }
    CellPoint cloneSource() const { return cloneInk_.source(); }
    CellPoint cloneOffset() const { return cloneInk_.offset(); }

    // The cell under a client point, by the tools' rule; none on the rulers and outside.
    std::optional<CellPoint> cellAt(QPoint client) const { return ctx_.cellAt(client); }
    // A cell's thread colour, white for empty cells and indices without a thread.
    ColorRef colourAt(int column, int row) const { return ctx_.colourAt(column, row); }
    // The cell and its mirror images while mirroring is on, each once, inside the pattern.
    std::vector<CellPoint> withMirrors(CellPoint cell) const { return ctx_.withMirrors(cell); }
    // A cell's rectangle in client pixels.
    QRect cellRect(CellPoint cell) const { return ctx_.cellRect(cell); }

    // Things drawn over the pattern: the rubber band of a shape, the text caret and the
    // clone source marker.
    using RubberBand = ShapeRubberBand;
    const RubberBand& rubberBand() const;
    using Caret = TextCaret;
    const Caret& caret() const { return text_.caret(); }
    // Three cells wide and a line high, at the cell size of the moment (zooming resizes it).
    QSize caretPixels() const { return text_.caretPixels(); }
    std::optional<CellPoint> cloneMarker() const { return cloneInk_.marker(); }
    // Draws them in invert mode, so drawing twice erases them.
    void paintOverlay(QPainter& painter) const;

    // Undo put back another state: the text being typed and strokes are forgotten.
    void forgetTransientState();
    void documentReplaced() override;
    // The layers were changed and composed again: the rows a text saved are out of date.
    void layersRecomposed() override { text_.end(); }
    // The layer commands ended before the controller: text layers are made in the list.
    void layerOperationsEnded(LayerOperations& operations) override;

    // The fills as the tools use them; value goes into every cell of the region. Return the
    // number of cells the region holds.
    std::size_t fillByIndex(CellPoint seed, std::int32_t match, std::int32_t value)
    {
        return fill_.fillByIndex(seed, match, value);
    }
    std::size_t fillByColour(CellPoint seed, ColorRef match, std::int32_t value)
    {
        return fill_.fillByColour(seed, match, value);
    }

private:
    ToolDelegate* delegate(Tool t) const;
    OwnTool* own(Tool t) const { return own_[static_cast<std::size_t>(t)]; }
    // The current tool's when it is a shape tool.
    const ShapeTool* shapeTool() const;

    ToolContext ctx_;
    LayerOperations* layerOps_ = nullptr;
    Tool tool_ = Tool::Move;

    PanPickTool pan_{ctx_};
    PointInk pointInk_{ctx_};
    EraserInk eraserInk_{ctx_};
    CloneInk cloneInk_{ctx_};
    FreehandTool point_{ctx_, pointInk_};
    FreehandTool eraser_{ctx_, eraserInk_};
    FreehandTool clone_{ctx_, cloneInk_};
    ShapeTool hollowEllipse_{ctx_, ShapeKind::HollowEllipse, kUndoHollowEllipse};
    ShapeTool hollowRect_{ctx_, ShapeKind::HollowRect, kUndoHollowRect};
    ShapeTool line_{ctx_, ShapeKind::Line, kUndoLine};
    ShapeTool solidEllipse_{ctx_, ShapeKind::SolidEllipse, kUndoSolidEllipse};
    ShapeTool solidRect_{ctx_, ShapeKind::SolidRect, kUndoSolidRect};
    FillTool fill_{ctx_, FillTool::Mode::Fill};
    FillTool hollowOut_{ctx_, FillTool::Mode::HollowOut};
    TextTool text_;
    // The controller's own tools by number (none for 1, 2, 11, 15 and 16), and the delegates
    // other parts installed, which take precedence.
    std::array<OwnTool*, kToolCount> own_{
        &pan_, nullptr, nullptr, &point_, &hollowEllipse_, &hollowRect_, &line_, &fill_,  // 0-7
        &solidEllipse_, &solidRect_, &text_, nullptr, &hollowOut_, &eraser_, &clone_, nullptr,  // 8-15
        nullptr,  // 16
    };
    std::array<ToolDelegate*, kToolCount> external_{};
};

}  // namespace brenmark
