#pragma once
// Shared by the colour operation tests: a small pattern whose grid and background layer
// agree, a recording undo history and recorded message boxes.
#include "editor/document/pattern_document.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "editor/output/colour_operations.h"

#include <string>
#include <vector>

namespace brenmark::colourtest {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kDarkRed = rgb(150, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);
constexpr ColorRef kGreen = rgb(0, 200, 0);
constexpr ColorRef kYellow = rgb(220, 220, 0);

class Labels final : public UndoRecorder {
public:
    std::vector<std::string> labels;
    void recordUndoStep(const UndoStep& step) override { labels.push_back(step.label); }
};

struct Message {
    std::string text, title;
};
class Boxes final : public MessageBoxes {
public:
    std::vector<Message> shown;
    void show(const std::string& text, const std::string& title, MessageIcon) override { shown.push_back({text, title}); }
};

struct ColourPattern {
    PatternDocument doc;
    Labels undo;
    Boxes boxes;
    ColourOperations ops{doc, undo, &boxes};

    explicit ColourPattern(std::initializer_list<std::pair<ColorRef, const char*>> threads, int w = 4, int h = 4)
    {
        doc.create(w, h, "DMC");
        for (const auto& [colour, number] : threads)
            doc.addThread(colour, number);
        doc.assignDefaultSymbols();
        doc.layers.backgroundFromGrid(doc);
    }
    // Grid and background layer together.
    void paint(int x, int y, std::int32_t index)
    {
        doc.setCell(x, y, index);
        doc.layers[doc.layers.size() - 1].cells[doc.grid.indexOf(x, y)] = index;
    }
    void paintRow(int y, std::initializer_list<std::int32_t> values)
    {
        int x = 0;
        for (const std::int32_t v : values)
            paint(x++, y, v);
    }
    static BackstitchLine line(const char* thread, ColorRef colour, int endColumn = 1, int endRow = 0)
    {
        BackstitchLine l;
        l.thread = thread;
        l.color = colour;
        l.endColumn = endColumn;
        l.endRow = endRow;
        return l;
    }
    std::vector<std::int32_t> cells() const { return {doc.grid.cells.begin(), doc.grid.cells.end()}; }
    std::vector<std::int32_t> firstCells(std::size_t n) const
    {
        return {doc.grid.cells.begin(), doc.grid.cells.begin() + static_cast<std::ptrdiff_t>(n)};
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> t;
        for (const auto& m : boxes.shown)
            t.push_back(m.text);
        return t;
    }
};

}  // namespace brenmark::colourtest
