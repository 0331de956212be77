#pragma once
// Shared by the outline editing tests: a pattern with its view, undo history, tools and
// outline editor, scripted dialogs, a recording host and a rectangular selection.
#include "editor/document/tests/line_builder.h"
#include "editor/view/backstitch/backstitch_editor.h"
#include "editor/view/tests/tool_test_support.h"
#include "editor/view/undo_history.h"

#include <QRect>

#include <deque>

namespace brenmark::outlinetest {

using test::kBlue;
using test::kGreen;
using test::kRed;

struct ScriptedDialogs final : BackstitchDialogs {
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override
    {
        asked.push_back({title, filter});
        if (files.empty())
            return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::optional<LineColourAnswer> chooseLineColour(const LineColourOffer& offer) override
    {
        offers.push_back(offer);
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<LineColourAnswer>> answers;
    std::vector<std::pair<std::string, std::string>> asked;
    std::vector<LineColourOffer> offers;
};

// A closed rectangle of cells.
struct RectSelection final : SelectionMembership {
    bool closed() const override { return isClosed; }
    bool contains(int column, int row) const override { return cells.contains(column, row); }
    bool isClosed = true;
    QRect cells;
};

struct RecordingHost final : BackstitchHost {
    void repaintView() override { ++repaints; }
    void overlayChanged() override { ++overlays; }
    void showLineStatus(const BackstitchLine& line, const std::string& text) override
    {
        shown.push_back(line);
        statusText = text;
    }
    void clearLineStatus() override { ++cleared; }
    void patternEdited() override { ++edits; }
    void lineMenu(QPoint client) override { menus.push_back(client); }
    void tracingPictureShown() override { ++tracing; }
    void selectionLinesDeleted() override { ++selectionDeletes; }
    int repaints = 0, overlays = 0, cleared = 0, edits = 0, tracing = 0, selectionDeletes = 0;
    std::vector<BackstitchLine> shown;
    std::string statusText;
    std::vector<QPoint> menus;
};

// The lines as the view and every layer hold them.
struct LineState {
    std::vector<BackstitchLine> view;
    std::vector<std::vector<BackstitchLine>> layers;
    std::vector<std::int32_t> cells;
    bool operator==(const LineState&) const = default;
};

inline BackstitchLine lineOf(int c0, int r0, int k0, int c1, int r1, int k1, ColorRef colour, std::string thread)
{
    return test::outlineLine(std::move(thread), colour, c0, r0, k0, c1, r1, k1);
}

struct Fixture {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    test::RecordedMessages messages;
    UndoHistory undo{view, current, &messages};
    ScriptedDialogs dialogs;
    RecordingHost host;
    ToolController tools{view, current, undo, &messages};
    BackstitchEditor editor{view, current, undo, &messages, &host, &dialogs};

    Fixture()
    {
        editor.attach(tools);
        doc.create(20, 20, "DMC");
        doc.addThread(kRed, "0");
        doc.addThread(kGreen, "1");
        doc.addThread(kBlue, "2");
        view.patternReplaced();
    }
    void choose(int index)
    {
        const std::size_t i = static_cast<std::size_t>(index);
        current.set({index, doc.threads.colors[i], doc.threads.numbers[i]});
    }
    void select(Tool t) { view.dispatch(MsgSelectTool, static_cast<int>(t), 0); }
    // A client point of the cell at 8-pixel cells that snaps to the corner.
    static QPoint near(int column, int row, int corner)
    {
        const int dx = (corner == TopRight || corner == BottomRight) ? 6 : 1;
        const int dy = (corner == BottomLeft || corner == BottomRight) ? 6 : 1;
        return {kLeftRuler + column * 8 + dx, kTopRuler + row * 8 + dy};
    }
    void click(int column, int row, int corner) { tools.mouseDown(near(column, row, corner)); tools.mouseUp(near(column, row, corner)); }
    // Lines stored in the background layer and composed, as a loaded pattern has them.
    void give(std::vector<BackstitchLine> lines)
    {
        doc.layers[doc.layers.size() - 1].lines = lines;
        doc.lines = std::move(lines);
    }
    LineState state() const
    {
        LineState s{doc.lines, {}, doc.grid.cells};
        for (const PatternLayer& layer : doc.layers.layers)
            s.layers.push_back(layer.lines);
        return s;
    }
};

}  // namespace brenmark::outlinetest
