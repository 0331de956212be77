#include "editor/view/selection/selection_tool.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace brenmark {

SelectionTool::SelectionTool(PatternView& view, ToolController& tools, UndoRecorder& undo, LayerOperations& layers,
                             MessageBoxes* messages, TransformDialogs* dialogs, ToolHost* host)
    : view_(view), doc_(view.document()), tools_(tools), undo_(undo), layerOps_(layers), messages_(messages),
      dialogs_(dialogs), host_(host ? host : &nullHost_)
{
    tools_.setDelegate(Tool::SelectArea, this);
    tools_.setMoveToolHook(this);
    view_.setOverlayPainter([this](QPainter& p) { paintOverlay(p); });
}

SelectionTool::~SelectionTool()
{
    tools_.setDelegate(Tool::SelectArea, nullptr);
    tools_.setMoveToolHook(nullptr);
    view_.setOverlayPainter({});
}

void SelectionTool::message(const char* text, const char* title, MessageIcon icon)
{
    if (messages_)
        messages_->show(text, title, icon);
}

void SelectionTool::sync()
{
    poly_.setPatternSize(doc_.width(), doc_.height());
}

void SelectionTool::finish()
{
    layerOps_.recompose();
    view_.rebuildCellImage();
    host_->patternEdited();
    host_->overviewChanged();
    host_->repaintView();
}

void SelectionTool::setCursor(ToolCursor cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    host_->setToolCursor(cursor);
}

// --- the selection itself ----------------------------------------------------------------

void SelectionTool::setSelection(std::vector<QPoint> vertices, bool closed)
{
    sync();
    poly_.assign(std::move(vertices), closed);
    view_.marks().selectionClosed = poly_.closed();
    if (!poly_.closed())
        view_.marks().rotationCentreShown = false;
    host_->repaintView();
}

void SelectionTool::dropSelection()
{
    poly_.clear();
    pointer_.reset();
    drag_ = {};
    centreDrag_ = {};
    view_.marks().selectionClosed = false;
    view_.marks().rotationCentreShown = false;
    host_->repaintView();
}

void SelectionTool::selected()
{
    dropSelection();
}

void SelectionTool::left()
{
    placePiece();
    dropSelection();
    setCursor(ToolCursor::Arrow);
}

bool SelectionTool::inPiece(QPoint cell)
{
    const FloatingPiece* piece = layerOps_.floatingPiece();
    return piece && cell.x() >= piece->column && cell.y() >= piece->row && cell.x() < piece->column + piece->width &&
           cell.y() < piece->row + piece->height;
}

bool SelectionTool::selectAll()
{
    if (!doc_.isOpen())
        return false;
    const int w = doc_.width(), h = doc_.height();
    setSelection({QPoint(0, 0), QPoint(w, 0), QPoint(w, h), QPoint(0, h), QPoint(0, 0)}, true);
    return true;
}

bool SelectionTool::cutSelection()
{
    if (!poly_.closed() || !copySelection())
        return false;
    return clearSelection(false);
}

bool SelectionTool::escape()
{
    if (placePiece())
        return true;
    if (poly_.empty() && !rect_.active)
        return false;
    rect_ = {};
    dropSelection();
    return true;
}

void SelectionTool::stretchRectangle(QPoint to, bool close)
{
    const int left = std::min(rect_.from.x(), to.x()), right = std::max(rect_.from.x(), to.x()) + 1;
    const int top = std::min(rect_.from.y(), to.y()), bottom = std::max(rect_.from.y(), to.y()) + 1;
    std::vector<QPoint> corners{QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom),
                                QPoint(left, top)};
    if (!close)
        corners.pop_back();
    setSelection(std::move(corners), close);
    pointer_.reset();
}

void SelectionTool::mouseDown(QPoint client, Modifiers modifiers)
{
    if (!doc_.isOpen())
        return;
    sync();
    const auto hit = tools_.cellAt(client);
    if (!hit)
        return;
    const QPoint cell(hit->x, hit->y);
    if (centreDown(client))
        return;
    if (inPiece(cell) || (poly_.closed() && poly_.contains(cell.x(), cell.y()))) {
        drag_ = {true, inPiece(cell), cell, cell};
        setCursor(ToolCursor::Move);
        return;
    }
    // With Shift a new selection is a rectangle dragged out from here; without, a new
    // polygon, or the next vertex of the open one.
    if ((modifiers & ShiftModifier) && (poly_.closed() || poly_.empty())) {
        dropSelection();
        rect_ = {true, cell};
        stretchRectangle(cell, false);
        return;
    }
    if (poly_.closed())
        dropSelection();
    if (!poly_.vertices().empty() && poly_.vertices().back() == cell && cell != poly_.vertices().front())
        return;
    if (poly_.append(cell)) {
        view_.marks().selectionClosed = true;
        pointer_.reset();
    }
    host_->repaintView();
}

void SelectionTool::mouseMove(QPoint client, Modifiers, bool)
{
    if (!doc_.isOpen())
        return;
    if (centreDrag_.active) {
        centreMove(client);
        return;
    }
    const QPoint raw = view_.cellAt(client);
    if (rect_.active) {
        const QPoint to(std::clamp(raw.x(), 0, doc_.width() - 1), std::clamp(raw.y(), 0, doc_.height() - 1));
        stretchRectangle(to, false);
        return;
    }
    if (drag_.active) {
        if (raw != drag_.current) {
            drag_.current = raw;
            host_->overlayChanged();
        }
        return;
    }
    const auto hit = tools_.cellAt(client);
    if (!poly_.closed() && !poly_.empty()) {
        if (hit && pointer_ != QPoint(hit->x, hit->y)) {
            pointer_ = QPoint(hit->x, hit->y);
            host_->overlayChanged();
        }
        return;
    }
    const bool over = hit && (inPiece({hit->x, hit->y}) || poly_.contains(hit->x, hit->y));
    setCursor(over ? ToolCursor::Move : ToolCursor::Arrow);
}

void SelectionTool::mouseUp(QPoint client, Modifiers modifiers)
{
    if (centreDrag_.active) {
        centreMove(client);
        centreUp();
        return;
    }
    if (rect_.active) {
        const QPoint raw = view_.cellAt(client);
        const QPoint to(std::clamp(raw.x(), 0, doc_.width() - 1), std::clamp(raw.y(), 0, doc_.height() - 1));
        stretchRectangle(to, true);
        rect_ = {};
        return;
    }
    if (!drag_.active)
        return;
    drag_.current = view_.cellAt(client);
    const Drag d = drag_;
    drag_ = {};
    setCursor(ToolCursor::Arrow);
    const QPoint off = d.offset();
    if (off.isNull()) {
        host_->overlayChanged();
        return;
    }
    const bool copy = (modifiers & CtrlModifier) != 0;
    if (d.piece)
        movePiece(off.x(), off.y(), copy);
    else
        moveContents(off.x(), off.y(), copy);
}

void SelectionTool::doubleClick(QPoint client, Modifiers)
{
    if (!doc_.isOpen())
        return;
    if (const auto hit = tools_.cellAt(client); hit && inPiece({hit->x, hit->y})) {
        placePiece();
        return;
    }
    sync();
    if (poly_.closeWithFirst()) {
        view_.marks().selectionClosed = true;
        pointer_.reset();
        host_->repaintView();
    }
}

void SelectionTool::rightDown(QPoint, Modifiers)
{
    // A waiting piece is put down first; the next right click drops the selection.
    if (placePiece())
        return;
    dropSelection();
}

bool SelectionTool::keyDown(int key, std::intptr_t lParam)
{
    if (key != kKeyDelete || !poly_.closed())
        return false;
    return clearSelection(lParam != 0);
}

// --- the rotation centre -----------------------------------------------------------------

void SelectionTool::setCentre(QPoint centre)
{
    centre_ = centre;
    view_.marks().rotationCentreCells = QRect(centre - QPoint(1, 1), centre + QPoint(1, 1));
}

bool SelectionTool::setRotationCentre()
{
    if (!poly_.closed())
        return false;
    const SelectionPolygon::Box b = poly_.bounds();
    setCentre({static_cast<int>(std::trunc(b.left + (b.right - b.left) * 0.5)), static_cast<int>(std::trunc(b.top + (b.bottom - b.top) * 0.5))});
    view_.marks().rotationCentreShown = true;
    view_.marks().selectionClosed = true;
    host_->repaintView();
    return true;
}

bool SelectionTool::centreDown(QPoint client)
{
    if (!view_.marks().rotationCentreShown || !poly_.closed())
        return false;
    const QPoint cell = view_.cellAt(client);
    if (std::abs(cell.x() - centre_.x()) > 1 || std::abs(cell.y() - centre_.y()) > 1)
        return false;
    centreDrag_ = {true, cell, centre_};
    setCursor(ToolCursor::Move);
    return true;
}

void SelectionTool::centreMove(QPoint client)
{
    if (!centreDrag_.active)
        return;
    const QPoint next = centreDrag_.centreAtDown + (view_.cellAt(client) - centreDrag_.cellAtDown);
    if (next != centre_) {
        setCentre(next);
        host_->repaintView();
    }
}

void SelectionTool::centreUp()
{
    centreDrag_ = {};
    setCursor(ToolCursor::Arrow);
}

// --- drawing -------------------------------------------------------------------------------

void SelectionTool::paintOverlay(QPainter& p)
{
    if (!current() || !doc_.isOpen())
        return;
    const double s = view_.cellSize();
    const QPoint o = view_.origin();
    auto at = [&](QPoint cell) { return QPointF(o.x() + cell.x() * s, o.y() + cell.y() * s); };
    p.save();
    p.setBrush(Qt::NoBrush);
    if (const FloatingPiece* piece = layerOps_.floatingPiece(); piece && piece->width > 0 && piece->height > 0 &&
                                                               piece->picture.pixels.size() == piece->cells.size()) {
        QPoint topLeft(piece->column, piece->row);
        if (drag_.active && drag_.piece)
            topLeft += drag_.offset();
        const QImage picture(reinterpret_cast<const uchar*>(piece->picture.pixels.data()), piece->width, piece->height,
                             piece->width * 4, QImage::Format_ARGB32_Premultiplied);
        const QRectF target(at(topLeft), QSizeF(piece->width * s, piece->height * s));
        p.drawImage(target, picture);
        p.setPen(QPen(QColor(0, 0, 0), 1));
        p.drawRect(target);
    }
    if (!poly_.empty()) {
        const QPoint shift = drag_.active && !drag_.piece ? drag_.offset() : QPoint();
        QPolygonF outline;
        for (const QPoint& v : poly_.vertices())
            outline << at(v + shift);
        if (poly_.closed()) {
            p.setPen(QPen(QColor(0, 255, 0), 2));
            p.drawPolygon(outline);
        } else {
            p.setPen(QPen(QColor(0, 0, 0), 1));
            if (outline.size() > 1)
                p.drawPolyline(outline);
            else
                p.drawPoint(outline.front());
            if (pointer_) {
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                p.setPen(QPen(QColor(255, 255, 255), 1));
                p.drawLine(outline.back(), at(*pointer_));
            }
        }
    }
    p.restore();
}

}  // namespace brenmark
