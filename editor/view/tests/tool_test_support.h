#pragma once
// A pattern, its view and the tool controller, driven by synthetic mouse and key input.
#include "editor/view/pattern_view.h"
#include "editor/view/tools/tool_controller.h"
#include "editor/view/view_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brenmark::test {

// Keeps each undo step's label with the cells as they were when it was recorded, so a test
// can tell that nothing had changed yet.
struct RecordingUndo final : UndoRecorder {
    struct Step {
        std::string label;
        std::vector<std::int32_t> grid;
        std::vector<std::int32_t> drawingLayer;
        std::vector<StitchMark> marks;
        int layerCount = 0;
    };
    explicit RecordingUndo(const PatternDocument& d) : doc(d) {}
    void recordUndoStep(const UndoStep& step) override
    {
        Step s{step.label, doc.grid.cells, {}, doc.marks, doc.layers.size()};
        if (const int i = doc.layers.drawingLayer(); i >= 0)
            s.drawingLayer = doc.layers[i].cells.toVector();
        steps.push_back(std::move(s));
    }
    std::vector<std::string> labels() const
    {
        std::vector<std::string> out;
        for (const Step& s : steps)
            out.push_back(s.label);
        return out;
    }
    const PatternDocument& doc;
    std::vector<Step> steps;
};

struct RecordedMessages final : MessageBoxes {
    struct Shown {
        std::string text, title;
        MessageIcon icon;
    };
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
    }
    std::vector<Shown> shown;
};

struct RecordingHost final : ToolHost {
    void repaintView() override { ++repaints; }
    void repaintRect(const QRect& r) override { rects.push_back(r); }
    void overlayChanged() override { ++overlays; }
    void setToolCursor(ToolCursor c) override { cursor = c; }
    void showPickedThread(const PatternView::CurrentThread& t) override { picked.push_back(t); }
    void resetColourDisplay() override { ++colourResets; }
    void patternEdited() override { ++edits; }
    void symbolMenu(QPoint p) override { menus.push_back(p); }
    void toolChanged(Tool t) override { changedTo.push_back(t); }
    void showStatus(const char* text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
    int repaints = 0, overlays = 0, colourResets = 0, edits = 0;
    std::vector<QRect> rects;
    ToolCursor cursor = ToolCursor::Arrow;
    std::vector<PatternView::CurrentThread> picked;
    std::vector<QPoint> menus;
    std::vector<Tool> changedTo;
};

constexpr ColorRef kRed = rgb(255, 0, 0);
constexpr ColorRef kGreen = rgb(0, 255, 0);
constexpr ColorRef kBlue = rgb(0, 0, 255);
constexpr ColorRef kBlack = rgb(0, 0, 0);
constexpr ColorRef kCream = rgb(250, 240, 200);

struct ToolFixture {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    RecordingUndo undo{doc};
    RecordedMessages messages;
    RecordingHost host;
    ToolController tools{view, current, undo, &messages, &host};

    // A w x h pattern with threads 0, 1, ... in the given colours; cells empty.
    void make(int w, int h, std::initializer_list<ColorRef> threads = {kRed, kGreen, kBlue})
    {
        doc.create(w, h, "DMC");
        int i = 0;
        for (ColorRef c : threads)
            doc.addThread(c, std::to_string(i++));
        view.patternReplaced();
    }
    // Rows of the grid as text: '.' empty, '0'..'9' thread index. Written to the grid and the
    // background layer alike.
    void load(const std::vector<std::string>& rows)
    {
        for (int y = 0; y < static_cast<int>(rows.size()); ++y)
            for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x) {
                const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                const std::int32_t v = c == '.' ? EmptyCell : c - '0';
                doc.setCell(x, y, v);
                doc.layers[doc.layers.size() - 1].cells[doc.grid.indexOf(x, y)] = v;
            }
        view.rebuildCellImage();
    }
    static std::vector<std::string> rowsOf(const std::vector<std::int32_t>& cells, int w, int h)
    {
        std::vector<std::string> out;
        for (int y = 0; y < h; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                const std::int32_t v = cells[static_cast<std::size_t>(x + y * w)];
                row.push_back(v == EmptyCell ? '.' : v >= 0 && v <= 9 ? static_cast<char>('0' + v) : '?');
            }
            out.push_back(row);
        }
        return out;
    }
    std::vector<std::string> rows() const { return rowsOf(doc.grid.cells, doc.width(), doc.height()); }
    std::vector<std::string> layerRows(int layer) const { return rowsOf(doc.layers[layer].cells.toVector(), doc.width(), doc.height()); }

    // The centre of a cell in client pixels at the default 8-pixel cells.
    static QPoint at(int column, int row) { return {kLeftRuler + column * 8 + 4, kTopRuler + row * 8 + 4}; }

    void choose(int index)
    {
        const std::size_t i = static_cast<std::size_t>(index);
        current.set({index, doc.threads.colors[i], doc.threads.numbers[i]});
    }
    void select(Tool t) { view.dispatch(MsgSelectTool, static_cast<int>(t), 0); }
    void click(int column, int row, Modifiers m = NoModifier)
    {
        tools.mouseDown(at(column, row), m);
        tools.mouseUp(at(column, row), m);
    }
    // Button down on the first cell, moves over the others, button up on the last.
    void stroke(std::initializer_list<CellPoint> cells, Modifiers m = NoModifier)
    {
        const CellPoint* c = cells.begin();
        tools.mouseDown(at(c->x, c->y), m);
        for (++c; c != cells.end(); ++c)
            tools.mouseMove(at(c->x, c->y), m);
        tools.mouseUp(at((cells.end() - 1)->x, (cells.end() - 1)->y), m);
    }
    // The pixel of a cell in the view's cell image, as a COLORREF.
    ColorRef pixel(int x, int y) const
    {
        const QRgb p = view.cellImage().pixel(x, y);
        return rgb(static_cast<unsigned>(qRed(p)), static_cast<unsigned>(qGreen(p)), static_cast<unsigned>(qBlue(p)));
    }
    // Every pixel of the cell image shows its cell.
    bool imageMatchesGrid() const
    {
        for (int y = 0; y < doc.height(); ++y)
            for (int x = 0; x < doc.width(); ++x)
                if (pixel(x, y) != doc.shownColor(doc.cell(x, y)))
                    return false;
        return true;
    }
};

}  // namespace brenmark::test
