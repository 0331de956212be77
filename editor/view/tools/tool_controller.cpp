#include "editor/view/tools/tool_controller.h"

#include "editor/view/view_messages.h"

#include <QPainter>

namespace brenmark {

ToolController::ToolController(PatternView& view, CurrentThreadChoice& current, UndoRecorder& undo,
                               MessageBoxes* messages, ToolHost* host)
    : ctx_(view, current, undo, messages, host), text_(ctx_, [this] { tool_ = Tool::Move; })
{
    ctx_.doc.addObserver(this);
    view.setToolHandler([this](int m, std::intptr_t w, std::intptr_t l) { return dispatch(m, w, l); });
}

ToolController::~ToolController()
{
    setLayerOperations(nullptr);
    ctx_.view.setToolHandler({});
    ctx_.doc.removeObserver(this);
}

void ToolController::setLayerOperations(LayerOperations* operations)
{
    if (layerOps_)
        layerOps_->removeObserver(this);
    layerOps_ = operations;
    text_.setLayerOperations(operations);
    if (layerOps_)
        layerOps_->addObserver(this);
}

void ToolController::layerOperationsEnded(LayerOperations& operations)
{
    if (layerOps_ != &operations)
        return;
    layerOps_ = nullptr;
    text_.setLayerOperations(nullptr);
}

ToolDelegate* ToolController::delegate(Tool t) const
{
    const std::size_t i = static_cast<std::size_t>(t);
    return external_[i] ? external_[i] : own_[i];
}

std::intptr_t ToolController::dispatch(int message, std::intptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case MsgSelectTool:
        selectTool(static_cast<int>(wParam), lParam);
        return 1;
    case MsgKeyDown:
        return keyDown(static_cast<int>(wParam), lParam) ? 1 : 0;
    case MsgTextChar:
        return textChar(static_cast<int>(wParam)) ? 1 : 0;
    case MsgSetStitchKind:
        setStitchKind(static_cast<int>(wParam));
        return 1;
    case MsgMirror:
        setMirror(wParam != 0, static_cast<int>(lParam));
        return 1;
    default:
        return 0;
    }
}

void ToolController::selectTool(int t, std::intptr_t flag)
{
    if (t == kSwitchBaseImage || t == kSwitchGrid) {
        if (t == kSwitchBaseImage)
            ctx_.view.setShowBaseImage(flag != 0);
        else
            ctx_.view.setShowGrid(flag != 0);
        ctx_.host().repaintView();
        return;
    }
    if (!isTool(t))
        return;
    ctx_.host().bringToFront();
    const Tool previous = tool_, next = static_cast<Tool>(t);
    // Strokes, rubber bands, texts and selections of the tool left go.
    if (ToolDelegate* d = delegate(previous))
        d->left();
    if (OwnTool* o = own(previous); o && next != previous)
        o->reset();
    tool_ = next;
    if (toolButton(tool_).has(AsksForThread) && !ctx_.current.chosen())
        ctx_.message(kMsgChooseColour, kTitleInfo, MessageIcon::Warning);
    if (ToolDelegate* d = delegate(tool_))
        d->selected();
    const OwnTool* o = own(tool_);
    ctx_.host().setToolCursor(o ? o->cursor() : ToolCursor::Arrow);
}

bool ToolController::keyDown(int key, std::intptr_t lParam)
{
    // Delete belongs to the outline-picking and selection tools.
    if (key == kKeyDelete && toolButton(tool_).has(TakesDelete))
        if (ToolDelegate* d = delegate(tool_))
            return d->keyDown(key, lParam);
    return false;
}

bool ToolController::textChar(int code)
{
    return toolButton(tool_).has(TakesText) && text_.textChar(code);
}

void ToolController::typeText(const std::string& gbk)
{
    for (const char c : gbk)
        textChar(static_cast<unsigned char>(c));
}

void ToolController::setStitchKind(int kind)
{
    if (kind >= 0 && kind < kStitchKindCount)
        ctx_.stitchKind = kind;
}

void ToolController::setMirror(bool on, int axis)
{
    PatternView::Marks& marks = ctx_.view.marks();
    if (axis == 1) {
        marks.horizontalMirror = on;
        marks.axisColumn = on ? ctx_.doc.width() / 2 : 0;
    } else if (axis == 2) {
        marks.verticalMirror = on;
        marks.axisRow = on ? ctx_.doc.height() / 2 : 0;
    } else {
        return;
    }
    ctx_.host().repaintView();
}

// --- mouse ------------------------------------------------------------------------------

bool ToolController::stroking() const
{
    const OwnTool* o = own(tool_);
    return o && o->stroking();
}

void ToolController::mouseDown(QPoint client, Modifiers modifiers)
{
    if (!ctx_.doc.isOpen())
        return;
    if (ToolDelegate* d = delegate(tool_))
        d->mouseDown(client, modifiers);
}

void ToolController::mouseMove(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_))
        d->mouseMove(client, modifiers, stroking());
}

void ToolController::mouseUp(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_))
        d->mouseUp(client, modifiers);
}

void ToolController::doubleClick(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_))
        d->doubleClick(client, modifiers);
}

void ToolController::rightDown(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_))
        d->rightDown(client, modifiers);
}

// --- overlay ------------------------------------------------------------------------------

const ShapeTool* ToolController::shapeTool() const
{
    switch (tool_) {
    case Tool::HollowEllipse:
        return &hollowEllipse_;
    case Tool::HollowRect:
        return &hollowRect_;
    case Tool::Line:
        return &line_;
    case Tool::SolidEllipse:
        return &solidEllipse_;
    case Tool::SolidRect:
        return &solidRect_;
    default:
        return nullptr;
    }
}

const ToolController::RubberBand& ToolController::rubberBand() const
{
    static const RubberBand none;
    const ShapeTool* shape = shapeTool();
    return shape ? shape->band() : none;
}

void ToolController::paintOverlay(QPainter& p) const
{
    if (!rubberBand().shown && !text_.caret().shown && !cloneInk_.marker())
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.setClipRect(QRect(QPoint(kLeftRuler, kTopRuler), QSize(1 << 20, 1 << 20)));
    if (const ShapeTool* shape = shapeTool())
        shape->paintBand(p);
    text_.paintCaret(p);
    cloneInk_.paintMarker(p);
    p.restore();
}

// --- lifecycle ----------------------------------------------------------------------------------

void ToolController::forgetTransientState()
{
    for (OwnTool* o : own_)
        if (o)
            o->forget();
}

void ToolController::documentReplaced()
{
    for (OwnTool* o : own_)
        if (o) {
            o->forget();
            o->reset();
        }
}

}  // namespace brenmark
