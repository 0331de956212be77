#include "editor/view/backstitch/backstitch_editor.h"

#include "editor/document/composed_lines.h"
#include "editor/render/qt_colour.h"
#include "editor/view/tools/tool_controller.h"
#include "editor/view/view_messages.h"
#include "interchange/ui_text.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdint>
#include <cstdio>

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

const char* cornerName(std::int32_t corner)
{
    switch (corner) {
    case TopLeft:
        return UI_TEXT_NOOP("左上");
    case TopRight:
        return UI_TEXT_NOOP("右上");
    case BottomLeft:
        return UI_TEXT_NOOP("左下");
    case BottomRight:
        return UI_TEXT_NOOP("右下");
    default:
        return "";
    }
}

std::string endText(int column, int row, std::int32_t corner)
{
    // Counted from 1, as the rulers count.
    char text[64];
    std::snprintf(text, sizeof text, uiText("第%d列第%d行").c_str(), column + 1, row + 1);
    return text + uiText(cornerName(corner));
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
    // The picked line keeps its pick when the new one comes before it.
    const int picked = pickedLine();
    if (const std::size_t at = addDrawnLine(doc_, line); picked >= 0 && at <= static_cast<std::size_t>(picked))
        view_.marks().pickedLine = picked + 1;
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
    const int picked = view_.marks().pickedLine;
    return picked >= 0 && static_cast<std::size_t>(picked) < doc_.lines.size() ? picked : -1;
}

int BackstitchEditor::pickAt(QPoint client)
{
    // Clicks on the rulers and outside the pattern change nothing.
    if (!doc_.isOpen() || !snapToCorner(client, geometry()))
        return pickedLine();
    const int hit = firstHitLine(doc_.lines, client, geometry());
    view_.marks().pickedLine = hit;
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
    const bool had = pickedLine() >= 0;
    view_.marks().pickedLine = -1;
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
    removeComposedLine(doc_, static_cast<std::size_t>(picked));
    view_.marks().pickedLine = -1;
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
            return recolourLines({chosen.number, line.color, chosen.colour, answer->allLines});
        }
        // OK without a thread: the dialog stays.
        if (messages_)
            messages_->show(kMsgChooseLineColour, kTitleWarning, MessageIcon::Warning);
    }
}

bool BackstitchEditor::recolourLines(const LineRecolourRequest& request)
{
    // Without allLines only the picked line changes, and its record in its layer with it.
    const int picked = pickedLine();
    const bool pickedChanges = picked >= 0 && doc_.lines[static_cast<std::size_t>(picked)].color == request.oldColour;
    auto ofOldColour = [&](const std::vector<BackstitchLine>& lines) {
        return std::any_of(lines.begin(), lines.end(), [&](const BackstitchLine& l) { return l.color == request.oldColour; });
    };
    bool anyChanges = pickedChanges;
    if (request.allLines) {
        anyChanges = ofOldColour(doc_.lines);
        for (const PatternLayer& layer : doc_.layers.layers)
            anyChanges = anyChanges || ofOldColour(layer.lines);
    }
    // A request that changes nothing leaves no undo step.
    if (!anyChanges)
        return false;
    undo_.recordUndoStep({kUndoRecolourLines, UndoKind::ThreadTable});
    auto recolour = [&](BackstitchLine& line) {
        line.color = request.newColour;
        line.thread = request.thread;
        line.selected = 0;
    };
    BackstitchLine* record = !request.allLines && pickedChanges ? storedLine(doc_, static_cast<std::size_t>(picked)) : nullptr;
    for (std::size_t i = 0; i < doc_.lines.size(); ++i)
        if (doc_.lines[i].color == request.oldColour && (request.allLines || static_cast<int>(i) == picked))
            recolour(doc_.lines[i]);
    if (request.allLines) {
        // Hidden layers too: their lines would otherwise come back in the old colour.
        for (PatternLayer& layer : doc_.layers.layers)
            for (BackstitchLine& line : layer.lines)
                if (line.color == request.oldColour)
                    recolour(line);
    } else if (record && record->color == request.oldColour) {
        recolour(*record);
    }
    // A recoloured line is no longer picked.
    if (pickedChanges)
        view_.marks().pickedLine = -1;
    if (pickedLine() < 0)
        host_->clearLineStatus();
    host_->patternEdited();
    host_->repaintView();
    return true;
}

bool BackstitchEditor::deleteSelectionLines()
{
    if (!doc_.isOpen() || !selection_ || !selection_->closed())
        return false;
    undo_.recordUndoStep(kUndoDeleteSelectionLines);
    const SelectionMembership& sel = *selection_;
    const int picked = pickedLine();
    const std::vector<std::int32_t> moved = removeLines(
        doc_, [](const PatternLayer& layer) { return layer.drawable || layer.linked; },
        [&](const BackstitchLine& l) { return sel.contains(l.startColumn, l.startRow) && sel.contains(l.endColumn, l.endRow); });
    view_.marks().pickedLine = picked >= 0 ? moved[static_cast<std::size_t>(picked)] : -1;
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

std::string BackstitchEditor::tracingPictureFilter()
{
    // The formats the picture is read with, as the program's "description|patterns|" text.
    std::string dotted, patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const std::string f = format.toLower().toStdString();
        if (patterns.find("*." + f + ";") != std::string::npos)
            continue;
        dotted += (dotted.empty() ? "." : ";.") + f;
        patterns += "*." + f + ";";
    }
    if (!patterns.empty())
        patterns.pop_back();
    return uiText("图片文件 (") + dotted + ")|" + patterns + "|All Files (*.*)|*.*|";
}

bool BackstitchEditor::loadTracingPicture()
{
    if (!doc_.isOpen() || !dialogs_)
        return false;
    const auto path = dialogs_->openFile(kTracingTitle, tracingPictureFilter());
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
    return recolourLines(*reinterpret_cast<const LineRecolourRequest*>(wParam)) ? 1 : 0;
}

void BackstitchEditor::documentReplaced()
{
    last_.reset();
    band_.reset();
    view_.marks().pickedLine = -1;
}

std::string lineStatusText(const BackstitchLine& line)
{
    return uiText("描边 线号:") + line.thread + uiText(" 颜色:RGB(") + std::to_string(redOf(line.color)) + "," +
           std::to_string(greenOf(line.color)) + "," + std::to_string(blueOf(line.color)) + uiText(") 起点:") +
           endText(line.startColumn, line.startRow, line.startCorner) +
           uiText(" 终点:") + endText(line.endColumn, line.endRow, line.endCorner);
}

}  // namespace brenmark
