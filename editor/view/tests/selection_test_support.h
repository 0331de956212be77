#pragma once
// A pattern with its view, tools, layer commands, undo history and the selection tool.
#include "editor/document/layer_operations.h"
#include "editor/document/tests/line_builder.h"
#include "editor/view/selection/selection_tool.h"
#include "editor/view/tests/tool_test_support.h"
#include "editor/view/undo_history.h"

namespace brenmark::test {

struct ScriptedDialogs final : TransformDialogs {
    std::optional<double> factor;
    std::optional<Size> size;
    Size asked;
    std::optional<double> askScaleFactor() override { return factor; }
    std::optional<Size> askPatternSize(Size current) override
    {
        asked = current;
        return size;
    }
};

// Everything undo must put back, compared as a whole.
struct DocumentState {
    int width = 0, height = 0;
    std::vector<std::int32_t> cells;
    std::vector<BackstitchLine> lines;
    std::vector<StitchMark> marks;
    std::vector<ColorRef> colors;
    std::vector<std::string> numbers;
    struct Layer {
        std::string name;
        bool visible, linked, drawable;
        std::vector<std::int32_t> cells;
        std::vector<BackstitchLine> lines;
        std::vector<StitchMark> marks;
        bool floating;
        bool operator==(const Layer&) const = default;
    };
    std::vector<Layer> layers;
    bool operator==(const DocumentState&) const = default;

    static DocumentState of(const PatternDocument& doc)
    {
        DocumentState s{doc.width(), doc.height(), doc.grid.cells, doc.lines, doc.marks, doc.threads.colors, doc.threads.numbers, {}};
        for (const PatternLayer& l : doc.layers.layers)
            s.layers.push_back({l.name, l.visible, l.linked, l.drawable, l.cells.toVector(), l.lines, l.marks, l.floating.has_value()});
        return s;
    }
};

struct SelectionFixture {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    RecordedMessages messages;
    UndoHistory history{view, current, &messages};
    RecordingHost host;
    ToolController tools{view, current, history, &messages, &host};
    LayerOperations layerOps{doc, history};
    ScriptedDialogs dialogs;
    SelectionTool sel{view, tools, history, layerOps, &messages, &dialogs, &host};

    SelectionFixture() { history.setAfterRestore([this](const UndoSnapshot&) { sel.dropSelection(); }); }

    void make(int w, int h)
    {
        doc.create(w, h, "DMC");
        int i = 0;
        for (ColorRef c : {kRed, kGreen, kBlue})
            doc.addThread(c, std::to_string(i++));
        view.patternReplaced();
        view.dispatch(MsgSelectTool, static_cast<int>(Tool::SelectArea), 0);
    }
    // Writes the background layer and recomposes; '.' empty, digits thread indices.
    void load(const std::vector<std::string>& rows)
    {
        PatternLayer& layer = doc.layers[doc.layers.size() - 1];
        for (int y = 0; y < static_cast<int>(rows.size()); ++y)
            for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x) {
                const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                layer.cells[doc.grid.indexOf(x, y)] = c == '.' ? EmptyCell : c - '0';
            }
        layerOps.recompose();
        view.rebuildCellImage();
    }
    void fillRect(int left, int top, int right, int bottom, std::int32_t v)
    {
        PatternLayer& layer = doc.layers[doc.layers.size() - 1];
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                layer.cells[doc.grid.indexOf(x, y)] = v;
        layerOps.recompose();
        view.rebuildCellImage();
    }
    void addLine(int c0, int r0, int k0, int c1, int r1, int k1)
    {
        doc.layers[doc.layers.size() - 1].lines.push_back(outlineLine("0", kRed, c0, r0, k0, c1, r1, k1));
        layerOps.recompose();
    }
    void addMark(int c, int r, int kind = 2)
    {
        placeMarkIn(doc.layers[doc.layers.size() - 1].marks, {kind, 0, c, r});
        layerOps.recompose();
    }
    // A closed rectangle of vertices, cells [left, right) x [top, bottom).
    void selectRect(int left, int top, int right, int bottom)
    {
        sel.setSelection({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}, true);
    }
    std::vector<std::string> rows() const { return ToolFixture::rowsOf(doc.grid.cells, doc.width(), doc.height()); }
    std::string lastLabel() const { return history.undoCaption(); }
    static QPoint at(int column, int row) { return ToolFixture::at(column, row); }
    bool imageMatchesGrid() const
    {
        for (int y = 0; y < doc.height(); ++y)
            for (int x = 0; x < doc.width(); ++x) {
                const QRgb p = view.cellImage().pixel(x, y);
                if (rgb(static_cast<unsigned>(qRed(p)), static_cast<unsigned>(qGreen(p)), static_cast<unsigned>(qBlue(p))) != doc.shownColor(doc.cell(x, y)))
                    return false;
            }
        return true;
    }
};

}  // namespace brenmark::test
