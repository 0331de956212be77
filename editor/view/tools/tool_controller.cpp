#include "editor/view/tools/tool_controller.h"

#include "editor/view/tools/cell_writer.h"
#include "editor/view/view_messages.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brenmark {

namespace {

ShapeKind shapeOf(Tool t)
{
    switch (t) {
    case Tool::HollowEllipse:
        return ShapeKind::HollowEllipse;
    case Tool::HollowRect:
        return ShapeKind::HollowRect;
    case Tool::SolidEllipse:
        return ShapeKind::SolidEllipse;
    case Tool::SolidRect:
        return ShapeKind::SolidRect;
    default:
        return ShapeKind::Line;
    }
}

bool isShape(Tool t)
{
    return t == Tool::HollowEllipse || t == Tool::HollowRect || t == Tool::Line || t == Tool::SolidEllipse ||
           t == Tool::SolidRect;
}

// Pan offsets move by whole cells, away from zero, so the grid stays on the ruler ticks.
int roundToCells(int d, float s)
{
    if (s < 1 || d == 0)
        return d;
    const int step = static_cast<int>(s);
    const int cells = (std::abs(d) + step - 1) / step;
    return d < 0 ? -cells * step : cells * step;
}

}  // namespace

ToolController::ToolController(PatternView& view, UndoRecorder& undo, MessageBoxes* messages, ToolHost* host)
    : view_(view), doc_(view.document()), undo_(undo), messages_(messages), host_(host ? host : &nullHost_)
{
    doc_.addObserver(this);
    view_.setToolHandler([this](int m, std::intptr_t w, std::intptr_t l) { return dispatch(m, w, l); });
}

ToolController::~ToolController()
{
    setLayerOperations(nullptr);
    view_.setToolHandler({});
    doc_.removeObserver(this);
}

void ToolController::setLayerOperations(LayerOperations* operations)
{
    if (layerOps_)
        layerOps_->removeObserver(this);
    layerOps_ = operations;
    if (layerOps_)
        layerOps_->addObserver(this);
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

void ToolController::message(const char* text, const char* title, MessageIcon icon)
{
    if (messages_)
        messages_->show(text, title, icon);
}

bool ToolController::threadChosen() const
{
    return view_.currentThread().index >= 0;
}

bool ToolController::drawingPrecondition()
{
    const auto& current = view_.currentThread();
    if (current.index < 0)
        return false;
    const auto& colours = doc_.threads.colors;
    if (doc_.isThread(current.index) && std::find(colours.begin(), colours.end(), current.colour) != colours.end())
        return true;
    // A colour operation removed the colour: the colour bar forgets it and nothing is drawn.
    host_->resetColourDisplay();
    host_->repaintView();
    return false;
}

void ToolController::selectTool(int t, std::intptr_t flag)
{
    if (t == kSwitchBaseImage) {
        view_.setShowBaseImage(flag != 0);
        host_->repaintView();
        return;
    }
    if (t == kSwitchGrid) {
        view_.setShowGrid(flag != 0);
        host_->repaintView();
        return;
    }
    if (!isTool(t))
        return;
    host_->bringToFront();
    const Tool previous = tool_;
    endStroke();
    if (hooked_) {
        hooked_ = false;
        moveHook_->released();
    }
    if (previous == Tool::Text)
        endText();
    if (previous == Tool::Clone && toolAt(t) != Tool::Clone)
        clone_ = CloneState{};
    if (ToolDelegate* d = delegate(previous))
        d->left();
    tool_ = toolAt(t);
    if (needsThread(tool_) && tool_ != Tool::Fill && !threadChosen())
        message(kMsgChooseColour, kTitleInfo, MessageIcon::Warning);
    if (ToolDelegate* d = delegate(tool_))
        d->selected();
    switch (tool_) {
    case Tool::Eraser:
        host_->setToolCursor(ToolCursor::Eraser);
        break;
    case Tool::Clone:
        host_->setToolCursor(ToolCursor::Clone);
        break;
    default:
        host_->setToolCursor(ToolCursor::Arrow);
        break;
    }
}

bool ToolController::keyDown(int key, std::intptr_t lParam)
{
    // Delete belongs to the outline-picking and selection tools.
    if (key == kKeyDelete && (tool_ == Tool::SelectOutline || tool_ == Tool::SelectArea))
        if (ToolDelegate* d = delegate(tool_))
            return d->keyDown(key, lParam);
    return false;
}

void ToolController::setStitchKind(int kind)
{
    if (kind >= 0 && kind < kStitchKindCount)
        stitchKind_ = kind;
}

void ToolController::setMirror(bool on, int axis)
{
    PatternView::Marks& marks = view_.marks();
    if (axis == 1) {
        marks.horizontalMirror = on;
        marks.axisColumn = on ? doc_.width() / 2 : 0;
    } else if (axis == 2) {
        marks.verticalMirror = on;
        marks.axisRow = on ? doc_.height() / 2 : 0;
    } else {
        return;
    }
    host_->repaintView();
}

void ToolController::setTextFont(const QFont& font)
{
    font_ = font;
}

std::optional<CellPoint> ToolController::cellAt(QPoint client) const
{
    if (client.x() <= kLeftRuler - 1 || client.y() <= kTopRuler - 1)
        return std::nullopt;
    const CellPoint c = rawCellAt(client);
    if (c.x < 0 || c.y < 0 || c.x >= doc_.width() || c.y >= doc_.height())
        return std::nullopt;
    return c;
}

CellPoint ToolController::rawCellAt(QPoint client) const
{
    const float s = view_.cellSize();
    return {static_cast<int>((client.x() - kLeftRuler) / s) + view_.firstColumn(),
            static_cast<int>((client.y() - kTopRuler) / s) + view_.firstRow()};
}

ColorRef ToolController::colourAt(int column, int row) const
{
    const std::int32_t v = doc_.cell(column, row);
    return doc_.isThread(v) ? doc_.threads.colors[static_cast<std::size_t>(v)] : kWhite;
}

std::vector<CellPoint> ToolController::withMirrors(CellPoint cell) const
{
    std::vector<CellPoint> cells{cell};
    const PatternView::Marks& m = view_.marks();
    auto add = [&](CellPoint c) {
        if (c.x < 0 || c.y < 0 || c.x >= doc_.width() || c.y >= doc_.height())
            return;
        if (std::find(cells.begin(), cells.end(), c) == cells.end())
            cells.push_back(c);
    };
    // Reflections about the marked column A - 1 and row B - 1; with both on, the cell is
    // repeated in all four quarters.
    const int mx = 2 * m.axisColumn - 2 - cell.x, my = 2 * m.axisRow - 2 - cell.y;
    if (m.horizontalMirror)
        add({mx, cell.y});
    if (m.verticalMirror)
        add({cell.x, my});
    if (m.horizontalMirror && m.verticalMirror)
        add({mx, my});
    return cells;
}

QRect ToolController::cellRect(CellPoint cell) const
{
    const float s = view_.cellSize();
    const QPoint o = view_.origin();
    const int x = static_cast<int>(std::floor(o.x() + cell.x * s)), y = static_cast<int>(std::floor(o.y() + cell.y * s));
    const int size = std::max(1, static_cast<int>(std::ceil(s)));
    return QRect(x, y, size, size);
}

void ToolController::endStroke()
{
    const bool hadOverlay = band_.shown || marker_.has_value();
    stroke_.active = false;
    pan_.axis = 0;
    band_.shown = false;
    marker_.reset();
    if (hadOverlay)
        host_->overlayChanged();
}

void ToolController::finishEdit()
{
    rebuildOverview();
    host_->patternEdited();
    host_->repaintView();
}

void ToolController::rebuildOverview()
{
    view_.rebuildOverview(view_.overviewImage().size());
    host_->overviewChanged();
}

// --- mouse ------------------------------------------------------------------------------

void ToolController::mouseDown(QPoint client, Modifiers modifiers)
{
    if (stroke_.active) {
        // The button up of the last stroke was lost: that stroke ends here, and an unfinished
        // shape is dropped rather than drawn where this click happens to be.
        const bool painting = tool_ == Tool::Point || tool_ == Tool::Eraser || tool_ == Tool::Clone;
        endStroke();
        if (painting)
            finishEdit();
    }
    if (!doc_.isOpen())
        return;
    if (ToolDelegate* d = delegate(tool_)) {
        d->mouseDown(client, modifiers);
        return;
    }
    if (tool_ == Tool::Move) {
        hooked_ = moveHook_ && moveHook_->pressed(client);
        if (!hooked_)
            panDown(client, modifiers);
        return;
    }
    const auto cell = cellAt(client);
    if (!cell)
        return;
    switch (tool_) {
    case Tool::Point:
        if (!drawingPrecondition())
            return;
        record(kUndoPoint);
        stroke_ = {true, *cell, *cell, client};
        pointCell(*cell);
        break;
    case Tool::HollowEllipse:
    case Tool::HollowRect:
    case Tool::Line:
    case Tool::SolidEllipse:
    case Tool::SolidRect:
        if (!drawingPrecondition())
            return;
        stroke_ = {true, *cell, *cell, client};
        band_ = {false, shapeOf(tool_), *cell, *cell};
        break;
    case Tool::Fill:
        fillClick(*cell);
        break;
    case Tool::HollowOut:
        hollowClick(*cell);
        break;
    case Tool::Text:
        textClick(*cell);
        break;
    case Tool::Eraser:
        record(kUndoErase);
        stroke_ = {true, *cell, *cell, client};
        eraseCell(*cell);
        break;
    case Tool::Clone:
        if (modifiers & CtrlModifier) {
            clone_.defined = true;
            clone_.source = *cell;
            return;
        }
        if (!clone_.defined) {
            message(kMsgNoCloneSource, kTitleInfo, MessageIcon::Stop);
            return;
        }
        clone_.offset = {clone_.source.x - cell->x, clone_.source.y - cell->y};
        record(kUndoClone);
        stroke_ = {true, *cell, *cell, client};
        cloneCell(*cell);
        break;
    default:
        break;  // tool 15 does nothing
    }
}

void ToolController::mouseMove(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_)) {
        d->mouseMove(client, modifiers, stroke_.active);
        return;
    }
    if (tool_ == Tool::Move) {
        if (hooked_)
            moveHook_->dragged(client);
        else
            panMove(client);
        return;
    }
    if (!stroke_.active)
        return;
    const auto cell = cellAt(client);
    if (!cell)
        return;
    if (isShape(tool_)) {
        if (band_.shown && band_.end == *cell)
            return;
        band_.end = *cell;
        band_.shown = true;
        host_->overlayChanged();
        return;
    }
    // One cell per event, no interpolation; staying in a cell paints nothing new.
    if (*cell == stroke_.last)
        return;
    stroke_.last = *cell;
    switch (tool_) {
    case Tool::Point:
        pointCell(*cell);
        break;
    case Tool::Eraser:
        eraseCell(*cell);
        break;
    case Tool::Clone:
        cloneCell(*cell);
        break;
    default:
        break;
    }
}

void ToolController::mouseUp(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_)) {
        d->mouseUp(client, modifiers);
        return;
    }
    if (hooked_) {
        hooked_ = false;
        if (tool_ == Tool::Move && moveHook_)
            moveHook_->released();
        return;
    }
    if (!stroke_.active)
        return;
    const Tool t = tool_;
    endStroke();
    switch (t) {
    case Tool::Move:
        host_->setToolCursor(ToolCursor::Arrow);
        break;
    case Tool::Point:
    case Tool::Eraser:
    case Tool::Clone:
        finishEdit();
        break;
    default:
        if (isShape(t)) {
            if (const auto end = cellAt(client))
                commitShape(*end);
        }
        break;
    }
}

void ToolController::doubleClick(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_))
        d->doubleClick(client, modifiers);
}

void ToolController::rightDown(QPoint client, Modifiers modifiers)
{
    if (ToolDelegate* d = delegate(tool_)) {
        d->rightDown(client, modifiers);
        return;
    }
    if (tool_ == Tool::Move && (view_.mode() == ViewMode::SymbolsOnColour || view_.mode() == ViewMode::SymbolsOnly))
        host_->symbolMenu(client);
}

// --- tool 0: pan, pick and the mirror axes -----------------------------------------------

int ToolController::axisHandleAt(QPoint client) const
{
    const PatternView::Marks& m = view_.marks();
    if (client.x() < kLeftRuler || client.y() < kTopRuler)
        return 0;
    const CellPoint c = rawCellAt(client);
    if (m.horizontalMirror && c.x == m.axisColumn - 1 && c.y >= 0 && c.y < doc_.height())
        return 1;
    if (m.verticalMirror && c.y == m.axisRow - 1 && c.x >= 0 && c.x < doc_.width())
        return 2;
    return 0;
}

void ToolController::panDown(QPoint client, Modifiers modifiers)
{
    stroke_ = {true, {}, {}, client};
    pan_ = Pan{view_.origin(), 0, 0, 0};
    if (const int axis = axisHandleAt(client)) {
        const PatternView::Marks& m = view_.marks();
        const CellPoint c = rawCellAt(client);
        pan_.axis = axis;
        pan_.axisAtDown = axis == 1 ? m.axisColumn : m.axisRow;
        pan_.cellAtDown = axis == 1 ? c.x : c.y;
        host_->setToolCursor(axis == 1 ? ToolCursor::AxisHorizontal : ToolCursor::AxisVertical);
        return;
    }
    if (const auto cell = cellAt(client)) {
        const std::int32_t v = doc_.cell(cell->x, cell->y);
        if (doc_.isThread(v)) {
            const std::size_t i = static_cast<std::size_t>(v);
            view_.setCurrentThread({v, doc_.threads.colors[i], doc_.threads.numbers[i]});
            if ((modifiers & CtrlModifier) && view_.flashing())
                view_.setFlashColour(doc_.threads.colors[i]);
            host_->showPickedThread(view_.currentThread());
        }
    }
    host_->setToolCursor(ToolCursor::Move);
}

void ToolController::panMove(QPoint client)
{
    if (!stroke_.active) {
        // Hovering: the cursor tells whether an axis can be dragged here.
        const int axis = axisHandleAt(client);
        host_->setToolCursor(axis == 1 ? ToolCursor::AxisHorizontal : axis == 2 ? ToolCursor::AxisVertical : ToolCursor::Arrow);
        return;
    }
    if (pan_.axis) {
        PatternView::Marks& m = view_.marks();
        const CellPoint c = rawCellAt(client);
        const int limit = pan_.axis == 1 ? doc_.width() : doc_.height();
        // The marked line stays on the pattern.
        const int axis = std::clamp(pan_.axisAtDown + ((pan_.axis == 1 ? c.x : c.y) - pan_.cellAtDown), 1, std::max(1, limit));
        int& target = pan_.axis == 1 ? m.axisColumn : m.axisRow;
        if (axis != target) {
            target = axis;
            host_->repaintView();
        }
        return;
    }
    const float s = view_.cellSize();
    const QPoint d(roundToCells(client.x() - stroke_.startClient.x(), s), roundToCells(client.y() - stroke_.startClient.y(), s));
    const QPoint before = view_.origin();
    view_.setOrigin(pan_.originAtDown + d);
    view_.clampOrigin(host_->clientSize());
    if (view_.origin() != before)
        host_->repaintView();
}

// --- tool 3: point --------------------------------------------------------------------------

void ToolController::pointCell(CellPoint cell)
{
    CellWriter writer(view_);
    const std::int32_t index = view_.currentThread().index;
    for (const CellPoint& c : withMirrors(cell)) {
        writer.write(c.x, c.y, index);
        writer.markCell(c.x, c.y, stitchKind_);
        host_->repaintRect(cellRect(c));
    }
}

// --- tools 4, 5, 6, 8, 9: shapes -------------------------------------------------------------

void ToolController::commitShape(CellPoint end)
{
    const Tool t = tool_;
    record(toolButton(t).undoLabel);
    const ShapeMask mask = rasteriseShape(shapeOf(t), stroke_.start, end, doc_.width(), doc_.height());
    CellWriter writer(view_);
    const std::int32_t index = view_.currentThread().index;
    const CellBox& box = mask.box();
    std::vector<CellPoint> written;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            if (!mask.at(x, y))
                continue;
            for (const CellPoint& c : withMirrors({x, y})) {
                writer.write(c.x, c.y, index);
                written.push_back(c);
            }
        }
    writer.markCells(written, stitchKind_);
    finishEdit();
}

// --- tool 13: eraser ---------------------------------------------------------------------------

void ToolController::eraseCell(CellPoint cell)
{
    CellWriter writer(view_);
    writer.write(cell.x, cell.y, EmptyCell);
    writer.markCell(cell.x, cell.y, 0);
    host_->repaintRect(cellRect(cell));
    rebuildOverview();
}

// --- tool 14: clone stamp ----------------------------------------------------------------------

void ToolController::cloneCell(CellPoint target)
{
    const CellPoint source{target.x + clone_.offset.x, target.y + clone_.offset.y};
    if (source.x < 0 || source.y < 0 || source.x >= doc_.width() || source.y >= doc_.height())
        return;
    CellWriter writer(view_);
    writer.write(target.x, target.y, doc_.cell(source.x, source.y));
    clone_.lastTarget = target;
    marker_ = source;
    host_->repaintRect(cellRect(target));
    host_->overlayChanged();
}

// --- overlay --------------------------------------------------------------------------------------

void ToolController::paintOverlay(QPainter& p) const
{
    if (!band_.shown && !caret_.shown && !marker_)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.setClipRect(QRect(QPoint(kLeftRuler, kTopRuler), QSize(1 << 20, 1 << 20)));
    if (band_.shown) {
        const CellPoint lo{std::min(band_.start.x, band_.end.x), std::min(band_.start.y, band_.end.y)};
        const CellPoint hi{std::max(band_.start.x, band_.end.x), std::max(band_.start.y, band_.end.y)};
        const QRect box = cellRect(lo).united(cellRect(hi)).adjusted(0, 0, -1, -1);
        switch (band_.kind) {
        case ShapeKind::HollowEllipse:
        case ShapeKind::SolidEllipse:
            p.drawEllipse(box);
            break;
        case ShapeKind::HollowRect:
        case ShapeKind::SolidRect:
            p.drawRect(box);
            break;
        case ShapeKind::Line:
            p.drawLine(cellRect(band_.start).center(), cellRect(band_.end).center());
            break;
        }
    }
    if (caret_.shown) {
        const QRect r = cellRect(caret_.cell);
        p.fillRect(QRect(r.topLeft(), caretPixels().expandedTo(QSize(1, 1))), Qt::white);
    }
    if (marker_) {
        const QRect r = cellRect(*marker_);
        const QPoint c = r.center();
        const int arm = std::max(3, r.width());
        p.drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
        p.drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
    }
    p.restore();
}

// --- lifecycle ----------------------------------------------------------------------------------

void ToolController::forgetTransientState()
{
    endStroke();
    endText();
}

void ToolController::documentReplaced()
{
    forgetTransientState();
    clone_ = CloneState{};
}

void ToolController::layersRecomposed()
{
    // Making the text's own layer recomposes too, but before the text has saved its rows.
    endText();
}

}  // namespace brenmark
