// The selection menu's commands and the two whole-pattern transforms: each checks what it
// needs, records its undo step, lets the document carry out the edit and brings the
// selection, the picture and the derived displays along.
#include "editor/view/selection/selection_tool.h"

#include "editor/document/pattern_transforms.h"
#include "editor/document/transform_contents.h"
#include "editor/view/tools/cell_writer.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <utility>

namespace brenmark {
namespace {

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

ContentMapping shiftBy(int dx, int dy, bool copy)
{
    ContentMapping m;
    m.cell = [dx, dy](GridPoint p) { return GridPoint{p.column + dx, p.row + dy}; };
    m.copy = copy;
    return m;
}

// A mirror image next to the source: every value is carried, the source stays.
ContentMapping mirrorBy(std::function<GridPoint(GridPoint)> map, std::array<std::int32_t, 4> corners)
{
    ContentMapping m;
    m.cell = std::move(map);
    m.corners = corners;
    m.copy = true;
    m.everyValue = true;
    return m;
}

ContentMapping turnBy(QPoint centre, double angle, bool copy)
{
    ContentMapping m;
    m.cell = [centre, angle](GridPoint p) {
        const QPoint t = rotatePoint({p.column, p.row}, centre.x(), centre.y(), angle);
        return GridPoint{t.x(), t.y()};
    };
    for (std::int32_t k = 0; k < 4; ++k)
        m.corners[static_cast<std::size_t>(k)] = rotatedCorner(k, angle);
    m.copy = copy;
    return m;
}

}  // namespace

// --- moving and copying --------------------------------------------------------------------

bool SelectionTool::moveContents(int dx, int dy, bool copy)
{
    sync();
    if (!poly_.closed() || (dx == 0 && dy == 0))
        return false;
    undo_.recordUndoStep(copy ? kUndoCopySelection : kUndoMoveSelection);
    transformContents(doc_, poly_, shiftBy(dx, dy, copy));
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
    clearContents(doc_, poly_, blocksOnly);
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

// --- mirror and rotation -------------------------------------------------------------------

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
    // One step per axis; both may apply, the horizontal one first.
    if (marks.horizontalMirror) {
        const int a = marks.axisColumn;
        undo_.recordUndoStep(kUndoMirrorHorizontal);
        transformContents(doc_, poly_, mirrorBy([a](GridPoint p) { return GridPoint{2 * a - 2 - p.column, p.row}; },
                                                {TopRight, TopLeft, BottomRight, BottomLeft}));
        finish();
    }
    if (marks.verticalMirror) {
        const int b = marks.axisRow;
        undo_.recordUndoStep(kUndoMirrorVertical);
        transformContents(doc_, poly_, mirrorBy([b](GridPoint p) { return GridPoint{p.column, 2 * b - 2 - p.row}; },
                                                {BottomLeft, BottomRight, TopLeft, TopRight}));
        finish();
    }
    return true;
}

bool SelectionTool::rotateSelection(double angle, bool copy)
{
    sync();
    if (!doc_.isOpen() || !poly_.closed() || !view_.marks().rotationCentreShown || centreDrag_.active)
        return false;
    undo_.recordUndoStep(kUndoRotateSelection);
    transformContents(doc_, poly_, turnBy(centre_, angle, copy));
    std::vector<QPoint> vertices;
    const QPoint shift = quarterTurnShift(angle);
    for (const QPoint& v : poly_.vertices())
        vertices.push_back(rotatePoint(v, centre_.x(), centre_.y(), angle) + shift);
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
    PatternClipboard c = copyContents(doc_, poly_);
    if (!c.valid)
        return false;
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
        if (r.id == id)
            return rotateSelection(r.angle, (modifiers & CtrlModifier) != 0);
    if (id == CmdClearSelection || id == CmdClearSelectionBlocks) {
        // As the Delete key of the frame, only while this tool is current.
        return current() && view_.dispatch(MsgKeyDown, kKeyDelete, id == CmdClearSelectionBlocks ? 1 : 0) != 0;
    }
    // The commands that need nothing but the selection and the tool's own state.
    using Operation = bool (SelectionTool::*)();
    static constexpr std::pair<int, Operation> kOperations[] = {
        {CmdCopySelection, &SelectionTool::copySelection},
        {CmdPasteSelection, &SelectionTool::pasteSelection},
        {CmdFillSelection, &SelectionTool::fillSelection},
        {CmdMirrorSelection, &SelectionTool::mirrorSelection},
        {CmdSetRotationCentre, &SelectionTool::setRotationCentre},
        {CmdScalePattern, &SelectionTool::scalePattern},
        {CmdResizePattern, &SelectionTool::resizePattern},
    };
    for (const auto& [command, operation] : kOperations)
        if (command == id)
            return (this->*operation)();
    return false;
}

}  // namespace brenmark
