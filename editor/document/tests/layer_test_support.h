#pragma once
// Shared by the layer tests: a recording undo history, message boxes and observer, and small
// patterns to work on.
#include "editor/document/layer_operations.h"
#include "editor/document/layer_thumbnail.h"
#include "editor/document/pattern_document.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace brenmark::layertest {

// A layer's thumbnail at one pixel per cell.
inline std::vector<std::uint32_t> thumbnailOf(const PatternLayer& layer, const PatternDocument& doc)
{
    return layerThumbnail(layer, doc, layer.width, layer.height).pixels.vector();
}

class RecordingUndo final : public UndoRecorder {
public:
    std::vector<std::string> labels;
    void recordUndoStep(const UndoStep& step) override { labels.push_back(step.label); }
};

struct Shown {
    std::string text, title;
    MessageIcon icon;
};

class RecordingBoxes final : public MessageBoxes {
public:
    std::vector<Shown> shown;
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
    }
};

class RecordingLayerObserver final : public LayerObserver {
public:
    int recomposed = 0, rows = 0, floating = 0, ended = 0;
    std::vector<std::pair<int, int>> appended;
    void layerOperationsEnded(LayerOperations&) override { ++ended; }
    void layersRecomposed() override { ++recomposed; }
    void layerRowsChanged() override { ++rows; }
    void threadsAppended(int first, int count) override { appended.emplace_back(first, count); }
    void floatingPieceChanged() override { ++floating; }
};

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kBlack = 0x000000;

// A w x h pattern of brand DMC with threads red "1", green "2", blue "3" and the background layer.
inline void makePattern(PatternDocument& doc, int w = 4, int h = 3, const char* brand = "DMC")
{
    doc.create(w, h, brand);
    doc.addThread(kRed, "1");
    doc.addThread(kGreen, "2");
    doc.addThread(kBlue, "3");
    doc.layers.backgroundFromGrid(doc);
}

// A document with its layer commands, recording undo steps and notifications.
struct Fixture {
    PatternDocument doc;
    RecordingUndo undo;
    RecordingLayerObserver seen;
    std::unique_ptr<LayerOperations> ops;

    explicit Fixture(int w = 4, int h = 3)
    {
        makePattern(doc, w, h);
        ops = std::make_unique<LayerOperations>(doc, undo);
        ops->addObserver(&seen);
    }
    LayerList& list() { return doc.layers; }
    PatternLayer& layer(int i) { return doc.layers[i]; }
    std::size_t at(int x, int y) const { return doc.grid.indexOf(x, y); }
    // Paints one layer cell without recomposing.
    void paint(int layerIndex, int x, int y, std::int32_t value) { doc.layers.setLayerCell(layerIndex, x, y, value); }
    // The picture the view shows of the composed grid, one pixel per cell.
    std::vector<std::uint32_t> picture() const
    {
        CellImage image;
        paintCells(image, doc.grid.width, doc.grid.height, doc.grid.cells, doc.threads.colors, doc.fabric);
        return image.pixels.vector();
    }
    // Adds layers with new-layer until there are n.
    void growTo(int n)
    {
        while (list().size() < n)
            ops->newLayer("L" + std::to_string(list().size()));
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> n;
        for (const PatternLayer& l : doc.layers.layers)
            n.push_back(l.name);
        return n;
    }
    // One letter per layer, top first: D drawing, L linked, - plain; lower case when hidden.
    std::string flags() const
    {
        std::string s;
        for (const PatternLayer& l : doc.layers.layers) {
            char c = l.drawable ? 'D' : (l.linked ? 'L' : '-');
            if (!l.visible)
                c = c == '-' ? '.' : static_cast<char>(c - 'A' + 'a');
            s += c;
        }
        return s;
    }
};

inline BackstitchLine line(int c0, int r0, int c1, int r1, ColorRef color = kBlack, const char* thread = "310")
{
    BackstitchLine l;
    l.thread = thread;
    l.color = color;
    l.startColumn = c0;
    l.startRow = r0;
    l.endColumn = c1;
    l.endRow = r1;
    l.endCorner = BottomRight;
    return l;
}

inline std::int32_t int32AtForTest(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::int32_t>(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                     std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24);
}

inline StitchMark mark(int kind, int column, int row) { return StitchMark{kind, 0, column, row}; }

// A fresh folder, removed with its contents at the end of the test.
class ScratchDir {
public:
    ScratchDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("layer-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace brenmark::layertest
