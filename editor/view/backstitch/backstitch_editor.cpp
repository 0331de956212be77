#include "editor/view/backstitch/backstitch_editor.h"

#include "editor/view/tools/tool_controller.h"
#include "editor/view/view_messages.h"

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdint>

namespace brenmark {

namespace {

// The grid point a corner stands for: cell (1, 0)'s top-left is cell (0, 0)'s top-right.
QPoint gridPoint(int column, int row, std::int32_t corner)
{
    return {column + (corner == TopRight || corner == BottomRight ? 1 : 0),
            row + (corner == BottomLeft || corner == BottomRight ? 1 : 0)};
}

QPoint gridPoint(const SnappedCorner& c)
{
    return gridPoint(c.column, c.row, c.corner);
}

// The selection flag is view state; the layers never hold it.
bool sameLine(const BackstitchLine& a, const BackstitchLine& b)
{
    BackstitchLine x = a;
    x.selected = b.selected;
    return x == b;
}

QColor qColour(ColorRef c)
{
    return QColor(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)), static_cast<int>(blueOf(c)));
}

const char* cornerName(std::int32_t corner)
{
    switch (corner) {
    case TopLeft:
        return "左上";
    case TopRight:
        return "右上";
    case BottomLeft:
        return "左下";
    case BottomRight:
        return "右下";
    default:
        return "";
    }
}

std::string endText(int column, int row, std::int32_t corner)
{
    // Counted from 1, as the rulers count.
    return "第" + std::to_string(column + 1) + "列第" + std::to_string(row + 1) + "行" + cornerName(corner);
}

}  // namespace

BackstitchEditor::BackstitchEditor(PatternView& view, const CurrentThreadChoice& current, UndoRecorder& undo,
                                   MessageBoxes* messages, BackstitchHost* host, BackstitchDialogs* dialogs)
    : view_(view), doc_(view.document()), current_(current), undo_(undo), messages_(messages),
      host_(host ? host : &nullHost_),
      dialogs_(dialogs)
{
    doc_.addObserver(this);
}

BackstitchEditor::~BackstitchEditor()
{
    if (routed_) {
        ToolController* tools = routed_;
        view_.setToolHandler([tools](int m, std::intptr_t w, std::intptr_t l) { return tools->dispatch(m, w, l); });
    }
    if (tools_)
        detach(*tools_);
    doc_.removeObserver(this);
}

void BackstitchEditor::attach(ToolController& tools)
{
    tools.setDelegate(Tool::Outline, &outline_);
    tools.setDelegate(Tool::SelectOutline, &pick_);
    tools_ = &tools;
}

void BackstitchEditor::detach(ToolController& tools)
{
    tools.setDelegate(Tool::Outline, nullptr);
    tools.setDelegate(Tool::SelectOutline, nullptr);
    if (tools_ == &tools)
        tools_ = nullptr;
}

void BackstitchEditor::routeMessages(ToolController& tools)
{
    routed_ = &tools;
    view_.setToolHandler([this, &tools](int m, std::intptr_t w, std::intptr_t l) -> std::intptr_t {
        if (const auto result = dispatch(m, w, l))
            return *result;
        return tools.dispatch(m, w, l);
    });
}

LineViewGeometry BackstitchEditor::geometry() const
{
    return {view_.cellSize(), view_.origin(), view_.firstColumn(), view_.firstRow(), doc_.width(), doc_.height()};
}

// --- where lines are stored -------------------------------------------------------------

std::optional<BackstitchEditor::Location> BackstitchEditor::locate(std::size_t viewIndex) const
{
    if (viewIndex >= doc_.lines.size())
        return std::nullopt;
    const BackstitchLine& wanted = doc_.lines[viewIndex];
    const LayerList& list = doc_.layers;
    // The view's list is the visible layers' lines, bottom layer first.
    std::size_t offset = 0;
    for (int i = list.size() - 1; i >= 0; --i) {
        const PatternLayer& layer = list[i];
        if (!layer.visible)
            continue;
        if (viewIndex < offset + layer.lines.size()) {
            if (sameLine(layer.lines[viewIndex - offset], wanted))
                return Location{i, viewIndex - offset};
            break;
        }
        offset += layer.lines.size();
    }
    // The list is out of step with the layers (a file whose lines disagree): the first
    // equal record, bottom layer first.
    for (int i = list.size() - 1; i >= 0; --i) {
        const auto& lines = list[i].lines;
        for (std::size_t k = 0; k < lines.size(); ++k)
            if (sameLine(lines[k], wanted))
                return Location{i, k};
    }
    return std::nullopt;
}

void BackstitchEditor::addLine(const BackstitchLine& line)
{
    LayerList& list = doc_.layers;
    std::size_t at = doc_.lines.size();
    const int drawing = list.drawingLayer();
    if (drawing >= 0) {
        PatternLayer& layer = list[drawing];
        if (layer.visible) {
            // Where recomposing would put it: after the lines of the visible layers below
            // and of the drawing layer itself.
            std::size_t below = 0, total = 0;
            for (int i = list.size() - 1; i >= 0; --i) {
                if (!list[i].visible)
                    continue;
                total += list[i].lines.size();
                if (i >= drawing)
                    below += list[i].lines.size();
            }
            if (total == doc_.lines.size())
                at = below;
        }
        BackstitchLine stored = line;
        stored.selected = 0;
        layer.lines.push_back(stored);
    }
    doc_.lines.insert(doc_.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
}

// --- tool 1 ------------------------------------------------------------------------------

void BackstitchEditor::polylineClick(QPoint client)
{
    if (!doc_.isOpen() || !threadChosen())
        return;
    const auto corner = snapToCorner(client, geometry());
    if (!corner)
        return;
    if (!last_) {
        last_ = corner;
        return;
    }
    // A second click on the same point would make a line nobody can see or pick.
    if (gridPoint(*last_) == gridPoint(*corner))
        return;
    undo_.recordUndoStep(kUndoOutlineSegment);
    const CurrentThread& current = current_.thread();
    BackstitchLine line;
    line.selected = 0;
    line.thread = current.number;
    line.color = current.colour;
    line.startColumn = last_->column;
    line.startRow = last_->row;
    line.startCorner = last_->corner;
    line.endColumn = corner->column;
    line.endRow = corner->row;
    line.endCorner = corner->corner;
    addLine(line);
    last_ = corner;
    band_.reset();
    host_->overlayChanged();
    host_->patternEdited();
    host_->repaintView();
}

void BackstitchEditor::polylineMove(QPoint client)
{
    if (!last_ || !threadChosen())
        return;
    const auto corner = snapToCorner(client, geometry());
    if (!corner)
        return;
    if (band_ && gridPoint(*band_) == gridPoint(*corner))
        return;
    setBand(corner);
}

void BackstitchEditor::setBand(std::optional<SnappedCorner> to)
{
    band_ = to;
    host_->overlayChanged();
}

void BackstitchEditor::endPolyline()
{
    const bool had = last_ || band_;
    last_.reset();
    band_.reset();
    if (had)
        host_->overlayChanged();
}

BackstitchEditor::RubberBand BackstitchEditor::rubberBand() const
{
    if (!last_ || !band_)
        return {};
    const LineViewGeometry g = geometry();
    return {true, cornerPoint(last_->column, last_->row, last_->corner, g),
            cornerPoint(band_->column, band_->row, band_->corner, g)};
}

void BackstitchEditor::paintRubberBand(QPainter& painter) const
{
    const RubberBand band = rubberBand();
    if (!band.shown)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(qColour(current_.colour()), outlinePenPixels(), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(band.from, band.to);
    painter.restore();
}

// --- tool 2 ------------------------------------------------------------------------------

int BackstitchEditor::pickedLine() const
{
    for (std::size_t i = 0; i < doc_.lines.size(); ++i)
        if (doc_.lines[i].selected)
            return static_cast<int>(i);
    return -1;
}

int BackstitchEditor::pickAt(QPoint client)
{
    // Clicks on the rulers and outside the pattern change nothing.
    if (!doc_.isOpen() || !snapToCorner(client, geometry()))
        return pickedLine();
    const int hit = firstHitLine(doc_.lines, client, geometry());
    for (std::size_t i = 0; i < doc_.lines.size(); ++i)
        doc_.lines[i].selected = static_cast<int>(i) == hit ? 1 : 0;
    if (hit >= 0) {
        const BackstitchLine& line = doc_.lines[static_cast<std::size_t>(hit)];
        host_->showLineStatus(line, lineStatusText(line));
    } else {
        host_->clearLineStatus();
    }
    host_->repaintView();
    return hit;
}

void BackstitchEditor::clearPick()
{
    bool had = false;
    for (BackstitchLine& line : doc_.lines) {
        had |= line.selected != 0;
        line.selected = 0;
    }
    if (!had)
        return;
    host_->clearLineStatus();
    host_->repaintView();
}

void BackstitchEditor::pickMenu(QPoint client)
{
    if (doc_.isOpen() && snapToCorner(client, geometry()) && firstHitLine(doc_.lines, client, geometry()) >= 0)
        pickAt(client);
    if (pickedLine() >= 0)
        host_->lineMenu(client);
}

bool BackstitchEditor::PickDelegate::keyDown(int key, std::intptr_t)
{
    return key == kKeyDelete && e_.deletePickedLine();
}

bool BackstitchEditor::deletePickedLine()
{
    const int picked = pickedLine();
    if (picked < 0)
        return false;
    undo_.recordUndoStep(kUndoDeletePickedLine);
    const std::size_t i = static_cast<std::size_t>(picked);
    if (const auto at = locate(i)) {
        auto& lines = doc_.layers[at->layer].lines;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at->index));
    }
    doc_.lines.erase(doc_.lines.begin() + static_cast<std::ptrdiff_t>(i));
    host_->clearLineStatus();
    host_->patternEdited();
    host_->repaintView();
    return true;
}

bool BackstitchEditor::recolourPickedLine()
{
    const int picked = pickedLine();
    if (picked < 0 || !dialogs_)
        return false;
    const BackstitchLine line = doc_.lines[static_cast<std::size_t>(picked)];
    LineColourOffer offer;
    offer.current = {line.thread, line.color};
    for (std::size_t i = 0; i < doc_.threads.colors.size(); ++i)
        offer.threads.push_back({doc_.threads.numbers[i], doc_.threads.colors[i]});
    for (;;) {
        const auto answer = dialogs_->chooseLineColour(offer);
        if (!answer)
            return false;
        if (answer->thread >= 0 && static_cast<std::size_t>(answer->thread) < offer.threads.size()) {
            const LineThreadChoice& chosen = offer.threads[static_cast<std::size_t>(answer->thread)];
            recolourLines({chosen.number, line.color, chosen.colour, answer->allLines});
            return true;
        }
        // OK without a thread: the dialog stays.
        if (messages_)
            messages_->show(kMsgChooseLineColour, kTitleWarning, MessageIcon::Warning);
    }
}

void BackstitchEditor::recolourLines(const LineRecolourRequest& request)
{
    undo_.recordUndoStep(kUndoRecolourLines);
    auto recolour = [&](BackstitchLine& line) {
        line.color = request.newColour;
        line.thread = request.thread;
        line.selected = 0;
    };
    // The picked lines' records in the layers, found while they still match.
    std::vector<Location> picked;
    if (!request.allLines) {
        for (std::size_t i = 0; i < doc_.lines.size(); ++i)
            if (doc_.lines[i].selected && doc_.lines[i].color == request.oldColour)
                if (const auto at = locate(i))
                    picked.push_back(*at);
    }
    for (BackstitchLine& line : doc_.lines)
        if (line.color == request.oldColour && (request.allLines || line.selected))
            recolour(line);
    if (request.allLines) {
        // Hidden layers too: their lines would otherwise come back in the old colour.
        for (PatternLayer& layer : doc_.layers.layers)
            for (BackstitchLine& line : layer.lines)
                if (line.color == request.oldColour)
                    recolour(line);
    } else {
        for (const Location& at : picked) {
            BackstitchLine& line = doc_.layers[at.layer].lines[at.index];
            if (line.color == request.oldColour)
                recolour(line);
        }
    }
    if (pickedLine() < 0)
        host_->clearLineStatus();
    host_->patternEdited();
    host_->repaintView();
}

bool BackstitchEditor::deleteSelectionLines()
{
    if (!doc_.isOpen() || !selection_ || !selection_->closed())
        return false;
    undo_.recordUndoStep(kUndoDeleteSelectionLines);
    const SelectionMembership& sel = *selection_;
    auto inside = [&](const BackstitchLine& l) {
        return sel.contains(l.startColumn, l.startRow) && sel.contains(l.endColumn, l.endRow);
    };
    auto editable = [&](int layer) { return doc_.layers[layer].drawable || doc_.layers[layer].linked; };
    // The view's lines first, while their records can still be found in the layers; a line
    // the layers do not hold belongs to nobody else.
    std::vector<BackstitchLine> kept;
    kept.reserve(doc_.lines.size());
    for (std::size_t i = 0; i < doc_.lines.size(); ++i) {
        const BackstitchLine& line = doc_.lines[i];
        bool goes = false;
        if (inside(line)) {
            const auto at = locate(i);
            goes = !at || editable(at->layer);
        }
        if (!goes)
            kept.push_back(line);
    }
    for (int i = 0; i < doc_.layers.size(); ++i)
        if (editable(i))
            std::erase_if(doc_.layers[i].lines, inside);
    doc_.lines = std::move(kept);
    if (pickedLine() < 0)
        host_->clearLineStatus();
    host_->selectionLinesDeleted();
    host_->patternEdited();
    host_->repaintView();
    return true;
}

// --- the tracing picture -----------------------------------------------------------------

QImage tracingPictureFrom(const QImage& source, int width, int height)
{
    if (source.isNull() || width <= 0 || height <= 0)
        return {};
    const auto cap = [](int cells) {
        return static_cast<int>(std::min<std::int64_t>(std::int64_t{cells} * kTracingPixelsPerCell, kTracingLongestSide));
    };
    // The picture is stretched over the pattern anyway, so each side is capped on its own.
    const QSize size = source.size().boundedTo(QSize(cap(width), cap(height)));
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    return size == rgb.size() ? rgb : rgb.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool BackstitchEditor::loadTracingPicture()
{
    if (!doc_.isOpen() || !dialogs_)
        return false;
    const auto path = dialogs_->openFile(kTracingTitle, kTracingFilter);
    if (!path)
        return false;
    return loadTracingPicture(*path);
}

bool BackstitchEditor::loadTracingPicture(const std::string& path)
{
    if (!doc_.isOpen())
        return false;
    // A file that is no picture changes nothing; the user is told so.
    const QImage picture = tracingPictureFrom(QImage(QFile::decodeName(QByteArray::fromStdString(path))),
                                              doc_.width(), doc_.height());
    if (picture.isNull()) {
        if (messages_)
            messages_->show(kMsgTracingUnreadable, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    view_.setShowGrid(true);
    view_.setBaseImage(picture);
    view_.setShowBaseImage(true);
    host_->tracingPictureShown();
    host_->repaintView();
    return true;
}

// --- commands and messages ---------------------------------------------------------------

bool BackstitchEditor::command(int id)
{
    switch (id) {
    case CmdDeleteSelectionLines:
        return deleteSelectionLines();
    case CmdLoadTracingPicture:
        return loadTracingPicture();
    case CmdRecolourPickedLine:
        return recolourPickedLine();
    case CmdDeletePickedLine:
        return deletePickedLine();
    default:
        return false;
    }
}

std::optional<std::intptr_t> BackstitchEditor::dispatch(int message, std::intptr_t wParam, std::intptr_t)
{
    if (message != MsgRecolourLines)
        return std::nullopt;
    if (!wParam)
        return 0;
    recolourLines(*reinterpret_cast<const LineRecolourRequest*>(wParam));
    return 1;
}

void BackstitchEditor::documentReplaced()
{
    last_.reset();
    band_.reset();
}

std::string lineStatusText(const BackstitchLine& line)
{
    return "描边 线号:" + line.thread + " 颜色:RGB(" + std::to_string(redOf(line.color)) + "," +
           std::to_string(greenOf(line.color)) + "," + std::to_string(blueOf(line.color)) + ") 起点:" +
           endText(line.startColumn, line.startRow, line.startCorner) +
           " 终点:" + endText(line.endColumn, line.endRow, line.endCorner);
}

}  // namespace brenmark
