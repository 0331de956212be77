#pragma once
// Text stamping (tool 10): a click starts a text in a text layer of its own, typed text is
// rendered in the current thread at one pixel per cell over the rows it covers, and a caret
// shows where the next character goes.
#include "editor/view/tools/tool_context.h"

#include <QFont>
#include <QSize>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace brenmark {

class LayerOperations;

struct TextCaret {
    bool shown = false;
    CellPoint cell;
    int lineHeight = 0;  // of "i" in the text font, in cells
};

class TextTool final : public OwnTool {
public:
    // noLayer: no room for another layer, so the text tool gives way to the move tool.
    TextTool(ToolContext& context, std::function<void()> noLayer) : ctx_(context), noLayer_(std::move(noLayer)) {}

    // Text layers are made through the layer commands when given; otherwise directly in the
    // layer list.
    void setLayerOperations(LayerOperations* operations) { layerOps_ = operations; }

    void left() override { end(); }
    void mouseDown(QPoint client, Modifiers modifiers) override;
    void forget() override { end(); }

    // One byte of GBK text (a double-byte character comes as two calls) or a control code;
    // false when the character was not for the text tool.
    bool textChar(int code);
    // The text ends: its cells stay, the caret goes.
    void end();

    const QFont& font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    const std::string& text() const { return text_.text; }
    bool active() const { return text_.active; }
    CellPoint cell() const { return text_.cell; }
    const TextCaret& caret() const { return caret_; }
    // Three cells wide and a line high, at the cell size of the moment (zooming resizes it).
    QSize caretPixels() const;
    // The caret as a filled block (the controller sets up the painter).
    void paintCaret(QPainter& painter) const;

private:
    struct TextState {
        bool active = false;
        std::string text;
        CellPoint cell;
        int layer = -1;
        std::uint64_t layerTag = 0;  // the tag given to that layer
        int width = 0, height = 0;   // the pattern's size when the rows were saved
        int savedTop = 0;
        int savedRows = 0;
        std::vector<std::int32_t> savedCells;
    };

    void click(CellPoint cell);
    int prepareLayer();
    // The pattern still has the size the text's rows were saved at, and the text's own
    // layer is still in its place and the drawing layer.
    bool targetHolds() const;
    void render();

    ToolContext& ctx_;
    std::function<void()> noLayer_;
    LayerOperations* layerOps_ = nullptr;
    QFont font_;
    TextState text_;
    TextCaret caret_;
};

// The byte length of the last character of a GBK text: 2 when it is a double-byte
// character, else 1 (0 for an empty text).
std::size_t lastGbkCharLength(const std::string& text);
// The length of the text without a lead byte still waiting for its trail byte.
std::size_t completeGbkLength(const std::string& text);

}  // namespace brenmark
