#pragma once
// Outline (backstitch) editing as plain logic: the polyline tool with its rubber band, the
// picking tool, deleting and recolouring lines, deleting the lines of a selection and the
// tracing picture. Lines live in the layers; the view draws the document's composed list,
// each line of which knows where it is kept, and the edits of composed_lines.h keep the two in
// step. The picked line is the view's (PatternView::Marks). Every change records its undo step
// first.
//
// The tool controller holds the editor's delegates and, after routeMessages, the view's
// message handler calls into it: destroy the editor before the controller.
#include "editor/document/pattern_document.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/view/backstitch/backstitch_interfaces.h"
#include "editor/view/backstitch/line_geometry.h"
#include "editor/view/pattern_view.h"
#include "editor/view/tools/tool_host.h"

#include <QImage>
#include <QPoint>
#include <QPointF>

#include <cstdint>
#include <optional>
#include <string>

class QPainter;

namespace brenmark {

class ToolController;

class BackstitchEditor : public DocumentObserver {
public:
    BackstitchEditor(PatternView& view, const CurrentThreadChoice& current, UndoRecorder& undo,
                     MessageBoxes* messages = nullptr, BackstitchHost* host = nullptr,
                     BackstitchDialogs* dialogs = nullptr);
    ~BackstitchEditor() override;
    BackstitchEditor(const BackstitchEditor&) = delete;
    BackstitchEditor& operator=(const BackstitchEditor&) = delete;

    void setHost(BackstitchHost* host) { host_ = host ? host : &nullHost_; }
    void setMessages(MessageBoxes* messages) { messages_ = messages; }
    void setDialogs(BackstitchDialogs* dialogs) { dialogs_ = dialogs; }
    // The area selection whose lines "删除选区描边" deletes; null when there is none.
    void setSelection(const SelectionMembership* selection) { selection_ = selection; }

    // Tools 1 and 2 of the controller hand their mouse input and Delete key here.
    void attach(ToolController& tools);
    void detach(ToolController& tools);
    ToolDelegate& outlineTool() { return outline_; }
    ToolDelegate& pickTool() { return pick_; }

    // The view as the geometry sees it now.
    LineViewGeometry geometry() const;

    // --- tool 1: the polyline -------------------------------------------------------------
    // A click: the first one starts a polyline, each further one adds a segment (one undo
    // step each) from the previous corner. Needs a chosen thread.
    void polylineClick(QPoint client);
    // The pointer moved: the rubber band follows it while a polyline is in progress.
    void polylineMove(QPoint client);
    // A right click or another tool: the rubber band goes and the start is forgotten.
    void endPolyline();
    bool polylineActive() const { return last_.has_value(); }
    // The corner the next segment starts from.
    std::optional<SnappedCorner> polylineEnd() const { return last_; }

    struct RubberBand {
        bool shown = false;
        QPointF from, to;  // client pixels
    };
    RubberBand rubberBand() const;
    // Draws the rubber band with the outline pen in NOT mode, so the chart shows through
    // inverted; drawing it twice puts the chart back.
    void paintRubberBand(QPainter& painter) const;
    // The outline pen: current colour, trunc(s / 3) wide.
    int outlinePenPixels() const { return outlinePenWidth(view_.cellSize()); }

    // --- tool 2: picking ------------------------------------------------------------------
    // The first line under the point becomes the picked one (the status display shows it);
    // a miss clears the pick. Returns the picked index in the document's lines, or -1.
    int pickAt(QPoint client);
    void clearPick();
    // The picked line's index in the document's lines, or -1.
    int pickedLine() const;
    // Right button: picks the line under the point if any and asks for the line menu while
    // a line is picked.
    void pickMenu(QPoint client);

    // "删除选中的描边" and Delete: false (nothing recorded) without a picked line.
    bool deletePickedLine();
    // "更换指定描边颜色": asks for the new thread and sends the request; false without a
    // picked line, dialogs or a choice.
    bool recolourPickedLine();
    // Message 3226: lines of the old colour take the new thread, all of them with allLines,
    // otherwise only the picked one. False (nothing recorded) when no line has that colour
    // (or, without allLines, the picked line does not).
    bool recolourLines(const LineRecolourRequest& request);
    // "删除选区描边": false (nothing recorded) without a closed selection.
    bool deleteSelectionLines();
    // "载入钩边原图": asks for the file; false when cancelled, without a pattern or when the
    // file is no picture.
    bool loadTracingPicture();
    bool loadTracingPicture(const std::string& path);
    // The open dialog's filter for a tracing picture: every format the picture reader
    // knows (PNG among them), then all files.
    static std::string tracingPictureFilter();

    // The menu commands of kBackstitchCommands; false for other ids.
    bool command(int id);
    // Message 3226 (wParam points to a LineRecolourRequest): 1 when lines changed, 0 when
    // none did; nothing for other messages.
    std::optional<std::intptr_t> dispatch(int message, std::intptr_t wParam, std::intptr_t lParam);
    // Makes the view's messages reach this first and then the tool controller.
    void routeMessages(ToolController& tools);

    void documentReplaced() override;

private:
    class OutlineDelegate final : public ToolDelegate {
    public:
        explicit OutlineDelegate(BackstitchEditor& e) : e_(e) {}
        void selected() override { e_.endPolyline(); }
        void left() override { e_.endPolyline(); }
        void mouseDown(QPoint client, Modifiers) override { e_.polylineClick(client); }
        // The second click of a quick pair comes as a double click.
        void doubleClick(QPoint client, Modifiers) override { e_.polylineClick(client); }
        void mouseMove(QPoint client, Modifiers, bool) override { e_.polylineMove(client); }
        void rightDown(QPoint, Modifiers) override { e_.endPolyline(); }

    private:
        BackstitchEditor& e_;
    };
    class PickDelegate final : public ToolDelegate {
    public:
        explicit PickDelegate(BackstitchEditor& e) : e_(e) {}
        void mouseDown(QPoint client, Modifiers) override { e_.pickAt(client); }
        void rightDown(QPoint client, Modifiers) override { e_.pickMenu(client); }
        bool keyDown(int key, std::intptr_t) override;

    private:
        BackstitchEditor& e_;
    };

    bool threadChosen() const { return current_.chosen(); }
    void setBand(std::optional<SnappedCorner> to);

    PatternView& view_;
    PatternDocument& doc_;
    const CurrentThreadChoice& current_;
    UndoRecorder& undo_;
    MessageBoxes* messages_;
    BackstitchHost nullHost_;
    BackstitchHost* host_;
    BackstitchDialogs* dialogs_;
    const SelectionMembership* selection_ = nullptr;
    ToolController* tools_ = nullptr;   // attached to
    ToolController* routed_ = nullptr;  // messages routed through
    OutlineDelegate outline_{*this};
    PickDelegate pick_{*this};

    std::optional<SnappedCorner> last_;  // the polyline's previous corner
    std::optional<SnappedCorner> band_;  // the rubber band's far end
};

// The picked line as the status display shows it (GBK).
std::string lineStatusText(const BackstitchLine& line);

// A tracing picture made from a decoded image for a width x height pattern. The view
// stretches it over the pattern, so it is kept at its own resolution, smoothly scaled down
// only where it holds more than 8 pixels a cell (all the default zoom shows) or more than
// 4096 pixels on its longer side (a big pattern would otherwise need gigabytes).
QImage tracingPictureFrom(const QImage& source, int width, int height);
constexpr int kTracingPixelsPerCell = 8;
constexpr int kTracingLongestSide = 4096;

}  // namespace brenmark
