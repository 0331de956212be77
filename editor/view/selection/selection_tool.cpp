#include "editor/view/selection/selection_tool.h"

#include "editor/document/pattern_transforms.h"
#include "editor/view/tools/cell_writer.h"
#include "editor/view/view_messages.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace brenmark {
namespace {

std::size_t indexOf(int x, int y, int width)
{
    return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
}

// Where the quarter turns put the polygon so that it surrounds the turned cells: cells and
// line ends turn about their top-left corner, the polygon's corners about the centre itself.
QPoint quarterTurnShift(double angle)
{
    if (angle > 1.5706963 && angle < 1.5708963)
        return {1, 0};
    if (angle > 3.1414926 && angle < 3.1425926)
        return {1, 1};
    if (angle > 4.7122889 && angle < 4.7133889)
        return {0, 1};
    return {0, 0};
}

}  // namespace

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

std::vector<int> SelectionTool::editedLayers() const
{
    std::vector<int> out;
    for (int i = 0; i < doc_.layers.size(); ++i)
        if (doc_.layers[i].drawable || doc_.layers[i].linked)
            if (doc_.layers[i].cells.size() == doc_.grid.cellCount())
                out.push_back(i);
    return out;
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

void SelectionTool::mouseDown(QPoint client, Modifiers)
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
    // A new polygon, or the next vertex of the open one.
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

// --- moving and copying --------------------------------------------------------------------

bool SelectionTool::moveContents(int dx, int dy, bool copy)
{
    sync();
    if (!poly_.closed() || (dx == 0 && dy == 0))
        return false;
    undo_.recordUndoStep(copy ? kUndoCopySelection : kUndoMoveSelection);
    const std::vector<QPoint> members = poly_.members();
    const int w = doc_.width();
    for (int li : editedLayers()) {
        PatternLayer& layer = doc_.layers[li];
        const std::vector<std::int32_t> source = layer.cells.toVector();
        if (!copy)
            for (const QPoint& m : members)
                layer.cells.set(indexOf(m.x(), m.y(), w), EmptyCell);
        for (const QPoint& m : members) {
            const std::int32_t v = source[indexOf(m.x(), m.y(), w)];
            if (doc_.isThread(v) && doc_.grid.contains(m.x() + dx, m.y() + dy))
                layer.cells.set(indexOf(m.x() + dx, m.y() + dy, w), v);
        }
        std::vector<StitchMark> moved;
        for (const StitchMark& m : layer.marks)
            if (poly_.contains(m.column, m.row) && doc_.grid.contains(m.column + dx, m.row + dy))
                moved.push_back({m.kind, m.reserved, m.column + dx, m.row + dy});
        if (!copy)
            std::erase_if(layer.marks, [&](const StitchMark& m) { return poly_.contains(m.column, m.row); });
        for (const StitchMark& m : moved)
            placeMarkIn(layer.marks, m);
        std::vector<BackstitchLine> lines;
        for (const BackstitchLine& l : layer.lines)
            if (poly_.containsLine(l)) {
                BackstitchLine n = l;
                n.startColumn += dx;
                n.endColumn += dx;
                n.startRow += dy;
                n.endRow += dy;
                if (doc_.grid.contains(n.startColumn, n.startRow) && doc_.grid.contains(n.endColumn, n.endRow))
                    lines.push_back(n);
            }
        if (!copy)
            std::erase_if(layer.lines, [&](const BackstitchLine& l) { return poly_.containsLine(l); });
        layer.lines.insert(layer.lines.end(), lines.begin(), lines.end());
    }
    poly_.moveBy(dx, dy);
    if (view_.marks().rotationCentreShown)
        setCentre(centre_ + QPoint(dx, dy));
    finish();
    return true;
}

bool SelectionTool::movePiece(int dx, int dy, bool copy)
{
    if (!placing() || (dx == 0 && dy == 0))
        return false;
    undo_.recordUndoStep(copy ? kUndoCopyMovePiece : kUndoMovePiece);
    // A copy-move leaves the piece written where it was and carries a copy on.
    if (copy)
        layerOps_.dropFloating(true);
    layerOps_.moveFloating(dx, dy);
    view_.rebuildCellImage();
    host_->repaintView();
    return true;
}

bool SelectionTool::placePiece()
{
    if (!placing())
        return false;
    layerOps_.dropFloating();
    view_.rebuildCellImage();
    host_->patternEdited();
    host_->repaintView();
    return true;
}

// --- clear and fill --------------------------------------------------------------------

bool SelectionTool::clearSelection(bool blocksOnly)
{
    sync();
    if (!doc_.isOpen() || !poly_.closed())
        return false;
    undo_.recordUndoStep(blocksOnly ? kUndoClearSelectionBlocks : kUndoClearSelection);
    const std::vector<QPoint> members = poly_.members();
    for (int li : editedLayers()) {
        PatternLayer& layer = doc_.layers[li];
        for (const QPoint& m : members)
            layer.cells.set(indexOf(m.x(), m.y(), doc_.width()), EmptyCell);
        std::erase_if(layer.marks, [&](const StitchMark& m) { return poly_.contains(m.column, m.row); });
        if (!blocksOnly)
            std::erase_if(layer.lines, [&](const BackstitchLine& l) { return poly_.containsLine(l); });
    }
    finish();
    return true;
}

bool SelectionTool::fillSelection()
{
    sync();
    if (!doc_.isOpen())
        return false;
    const CurrentThread& thread = tools_.currentThread().thread();
    if (!doc_.isThread(thread.index)) {
        message(kMsgChooseColour, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    if (!poly_.closed())
        return false;
    undo_.recordUndoStep(kUndoFillSelection);
    const SelectionPolygon::Box b = poly_.bounds();
    const QImage& image = view_.cellImage();
    const QRgb shown = pixelOf(thread.colour) | 0xFF000000u;
    CellWriter writer(view_);
    std::vector<CellPoint> filled;
    for (int r = std::max(b.top, 0); r < std::min(b.bottom, doc_.height()); ++r)
        for (int c = std::max(b.left, 0); c < std::min(b.right, doc_.width()); ++c) {
            const bool sameColour = !image.isNull() && image.pixel(c, r) == shown;
            if (poly_.contains(c, r) || sameColour) {
                writer.write(c, r, thread.index);
                filled.push_back({c, r});
            }
        }
    writer.markCells(filled, tools_.stitchKind());
    host_->patternEdited();
    host_->overviewChanged();
    host_->repaintView();
    return true;
}

// --- mirror ------------------------------------------------------------------------------

bool SelectionTool::mirrorSelection()
{
    sync();
    if (!doc_.isOpen())
        return false;
    if (!poly_.closed()) {
        message(kMsgChooseSelection, kTitleInfo, MessageIcon::Information);
        return false;
    }
    const PatternView::Marks& marks = view_.marks();
    if (!marks.horizontalMirror && !marks.verticalMirror) {
        message(kMsgChooseMirror, kTitleInfo, MessageIcon::Information);
        return false;
    }
    const std::vector<QPoint> members = poly_.members();
    const int w = doc_.width(), h = doc_.height();
    // One pass per axis: map turns a cell into its mirror, corner swaps the line ends.
    auto mirror = [&](const char* label, auto map, const std::int32_t (&corner)[4]) {
        undo_.recordUndoStep(label);
        for (int li : editedLayers()) {
            PatternLayer& layer = doc_.layers[li];
            const std::vector<std::int32_t> source = layer.cells.toVector();
            std::vector<StitchMark> added;
            for (const QPoint& m : members) {
                const QPoint t = map(m);
                if (!doc_.grid.contains(t.x(), t.y()))
                    continue;
                layer.cells.set(indexOf(t.x(), t.y(), w), source[indexOf(m.x(), m.y(), w)]);
            }
            for (const StitchMark& m : layer.marks)
                if (poly_.contains(m.column, m.row)) {
                    const QPoint t = map(QPoint(m.column, m.row));
                    if (doc_.grid.contains(t.x(), t.y()))
                        added.push_back({m.kind, m.reserved, t.x(), t.y()});
                }
            for (const StitchMark& m : added)
                placeMarkIn(layer.marks, m);
            std::vector<BackstitchLine> lines;
            for (const BackstitchLine& l : layer.lines)
                if (poly_.containsLine(l)) {
                    BackstitchLine n = l;
                    const QPoint s = map(QPoint(l.startColumn, l.startRow)), e = map(QPoint(l.endColumn, l.endRow));
                    n.startColumn = s.x();
                    n.startRow = s.y();
                    n.endColumn = e.x();
                    n.endRow = e.y();
                    if (n.startCorner >= 0 && n.startCorner < 4)
                        n.startCorner = corner[n.startCorner];
                    if (n.endCorner >= 0 && n.endCorner < 4)
                        n.endCorner = corner[n.endCorner];
                    if (doc_.grid.contains(n.startColumn, n.startRow) && doc_.grid.contains(n.endColumn, n.endRow))
                        lines.push_back(n);
                }
            layer.lines.insert(layer.lines.end(), lines.begin(), lines.end());
        }
        finish();
    };
    (void)h;
    if (marks.horizontalMirror) {
        const int a = marks.axisColumn;
        static constexpr std::int32_t leftRight[4] = {TopRight, TopLeft, BottomRight, BottomLeft};
        mirror(kUndoMirrorHorizontal, [a](QPoint p) { return QPoint(2 * a - 2 - p.x(), p.y()); }, leftRight);
    }
    if (marks.verticalMirror) {
        const int b = marks.axisRow;
        static constexpr std::int32_t topBottom[4] = {BottomLeft, BottomRight, TopLeft, TopRight};
        mirror(kUndoMirrorVertical, [b](QPoint p) { return QPoint(p.x(), 2 * b - 2 - p.y()); }, topBottom);
    }
    return true;
}

// --- rotation ----------------------------------------------------------------------------

bool SelectionTool::rotateSelection(double angle, bool copy)
{
    sync();
    if (!doc_.isOpen() || !poly_.closed() || !view_.marks().rotationCentreShown || centreDrag_.active)
        return false;
    undo_.recordUndoStep(kUndoRotateSelection);
    const int cx = centre_.x(), cy = centre_.y();
    const int w = doc_.width();
    const std::vector<QPoint> members = poly_.members();
    const SelectionPolygon::Box b = poly_.bounds();
    for (int li : editedLayers()) {
        PatternLayer& layer = doc_.layers[li];
        std::vector<BackstitchLine> lines, rotated;
        for (const BackstitchLine& l : layer.lines) {
            const bool belongs = poly_.containsLine(l);
            if (!belongs || copy)
                lines.push_back(l);
            if (!belongs)
                continue;
            BackstitchLine n = l;
            const QPoint s = rotatePoint({l.startColumn, l.startRow}, cx, cy, angle);
            const QPoint e = rotatePoint({l.endColumn, l.endRow}, cx, cy, angle);
            n.startColumn = s.x();
            n.startRow = s.y();
            n.endColumn = e.x();
            n.endRow = e.y();
            n.startCorner = rotatedCorner(l.startCorner, angle);
            n.endCorner = rotatedCorner(l.endCorner, angle);
            if (doc_.grid.contains(s.x(), s.y()) && doc_.grid.contains(e.x(), e.y()))
                rotated.push_back(n);
        }
        lines.insert(lines.end(), rotated.begin(), rotated.end());
        std::vector<StitchMark> marks;
        std::vector<StitchMark> turned;
        for (const StitchMark& m : layer.marks) {
            const bool belongs = poly_.contains(m.column, m.row);
            if (!belongs || copy)
                marks.push_back(m);
            if (!belongs)
                continue;
            const QPoint t = rotatePoint({m.column, m.row}, cx, cy, angle);
            if (doc_.grid.contains(t.x(), t.y()))
                turned.push_back({m.kind, m.reserved, t.x(), t.y()});
        }
        for (const StitchMark& m : turned)
            placeMarkIn(marks, m);
        std::vector<std::int32_t> cells = layer.cells.toVector();
        if (!copy)
            for (int r = std::max(b.top, 0); r < std::min(b.bottom, doc_.height()); ++r)
                for (int c = std::max(b.left, 0); c < std::min(b.right, w); ++c)
                    if (poly_.contains(c, r))
                        cells[indexOf(c, r, w)] = EmptyCell;
        for (const QPoint& m : members) {
            const std::int32_t v = layer.cells[indexOf(m.x(), m.y(), w)];
            if (!doc_.isThread(v))
                continue;
            const QPoint t = rotatePoint(m, cx, cy, angle);
            if (doc_.grid.contains(t.x(), t.y()))
                cells[indexOf(t.x(), t.y(), w)] = v;
        }
        layer.cells = std::move(cells);
        layer.lines = std::move(lines);
        layer.marks = std::move(marks);
    }
    std::vector<QPoint> vertices;
    const QPoint shift = quarterTurnShift(angle);
    for (const QPoint& v : poly_.vertices())
        vertices.push_back(rotatePoint(v, cx, cy, angle) + shift);
    poly_.assign(std::move(vertices), true);
    finish();
    return true;
}

// --- copy and paste ------------------------------------------------------------------------

bool SelectionTool::copySelection()
{
    sync();
    if (!doc_.isOpen() || !poly_.closed() || poly_.vertices().size() <= 2)
        return false;
    // The block is the polygon's box, cut to the pattern.
    SelectionPolygon::Box b = poly_.bounds();
    b.left = std::max(b.left, 0);
    b.top = std::max(b.top, 0);
    b.right = std::min(b.right, doc_.width());
    b.bottom = std::min(b.bottom, doc_.height());
    if (b.right <= b.left || b.bottom <= b.top)
        return false;
    PatternClipboard c;
    c.valid = true;
    c.width = b.right - b.left;
    c.height = b.bottom - b.top;
    c.cells.assign(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height), EmptyCell);
    for (int r = b.top; r < b.bottom; ++r)
        for (int col = b.left; col < b.right; ++col)
            if (poly_.contains(col, r))
                c.cells[indexOf(col - b.left, r - b.top, c.width)] = doc_.cell(col, r);
    for (const StitchMark& m : doc_.marks)
        if (poly_.contains(m.column, m.row))
            c.marks.push_back({m.kind, m.reserved, m.column - b.left, m.row - b.top});
    for (const BackstitchLine& l : doc_.lines)
        if (poly_.containsLine(l)) {
            BackstitchLine n = l;
            n.selected = 0;
            n.startColumn -= b.left;
            n.endColumn -= b.left;
            n.startRow -= b.top;
            n.endRow -= b.top;
            c.lines.push_back(n);
        }
    c.threadColors = doc_.threads.colors;
    c.threadNumbers = doc_.threads.numbers;
    c.barColors = doc_.distinct.colors;
    c.barNumbers = doc_.distinct.numbers;
    c.brand = doc_.brand;
    *clipboard_ = std::move(c);
    return true;
}

bool SelectionTool::pasteSelection()
{
    if (!doc_.isOpen() || !clipboard_->valid)
        return false;
    const PatternClipboard& c = *clipboard_;
    if (c.width > doc_.width() || c.height > doc_.height()) {
        message(kMsgPasteTooLarge, kTitleWarning, MessageIcon::Warning);
        return false;
    }
    if (c.brand != doc_.brand) {
        message(kMsgPasteOtherBrand, kTitleWarning, MessageIcon::Warning);
        return false;
    }
    if (layerOps_.paste(c, messages_) != InsertOutcome::Inserted)
        return false;
    // The block appears at the top-left of what is in view, inside the pattern.
    const int column = std::clamp(view_.firstColumn(), 0, doc_.width() - c.width);
    const int row = std::clamp(view_.firstRow(), 0, doc_.height() - c.height);
    if (FloatingPiece* piece = layerOps_.floatingPiece())
        layerOps_.moveFloating(column - piece->column, row - piece->row);
    view_.rebuildCellImage();
    host_->patternEdited();
    host_->repaintView();
    return true;
}

// --- the whole-pattern transforms ----------------------------------------------------------

void SelectionTool::patternResized()
{
    // The old polygon named cells of the old size.
    dropSelection();
    sync();
    layerOps_.recompose();
    view_.rebuildCellImage();
    host_->patternEdited();
    host_->overviewChanged();
    host_->repaintView();
}

bool SelectionTool::scalePattern()
{
    if (!doc_.isOpen() || !dialogs_)
        return false;
    const std::optional<double> factor = dialogs_->askScaleFactor();
    if (!factor || !doc_.isOpen())
        return false;
    if (scaledSize(doc_.width(), doc_.height(), *factor).width == 0) {
        message(kMsgScaleOutOfRange, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    undo_.recordUndoStep(kUndoScalePattern);
    placePiece();
    brenmark::scalePattern(doc_, *factor);
    patternResized();
    return true;
}

bool SelectionTool::resizePattern()
{
    if (!doc_.isOpen() || !dialogs_)
        return false;
    const std::optional<TransformDialogs::Size> size = dialogs_->askPatternSize({doc_.width(), doc_.height()});
    if (!size || !doc_.isOpen())
        return false;
    if (size->width < 1 || size->height < 1 || size->width > kMaxTransformSide || size->height > kMaxTransformSide) {
        message(kMsgSizeOutOfRange, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    if (size->width == doc_.width() && size->height == doc_.height())
        return false;
    undo_.recordUndoStep(kUndoResizePattern);
    placePiece();
    brenmark::resizePattern(doc_, size->width, size->height);
    patternResized();
    return true;
}

// --- commands ------------------------------------------------------------------------------

bool SelectionTool::command(int id, Modifiers modifiers)
{
    for (const RotationCommand& r : kRotations)
        if (r.id == id) {
            rotateSelection(r.angle, (modifiers & CtrlModifier) != 0);
            return true;
        }
    switch (id) {
    case CmdCopySelection:
        copySelection();
        return true;
    case CmdPasteSelection:
        pasteSelection();
        return true;
    case CmdFillSelection:
        fillSelection();
        return true;
    case CmdClearSelection:
    case CmdClearSelectionBlocks:
        // As the Delete key of the frame, only while this tool is current.
        if (current())
            view_.dispatch(MsgKeyDown, kKeyDelete, id == CmdClearSelectionBlocks ? 1 : 0);
        return true;
    case CmdMirrorSelection:
        mirrorSelection();
        return true;
    case CmdSetRotationCentre:
        setRotationCentre();
        return true;
    case CmdScalePattern:
        scalePattern();
        return true;
    case CmdResizePattern:
        resizePattern();
        return true;
    default:
        return false;
    }
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
