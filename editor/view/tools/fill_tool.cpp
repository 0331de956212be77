#include "editor/view/tools/fill_tool.h"

#include "editor/view/tools/cell_writer.h"

#include <array>

namespace brenmark {

void FillTool::mouseDown(QPoint client, Modifiers)
{
    const auto cell = ctx_.cellAt(client);
    if (!cell)
        return;
    if (mode_ == Mode::Fill)
        fillClick(*cell);
    else
        hollowClick(*cell);
}

template <class Match>
std::size_t FillTool::fillRegion(CellPoint seed, Match&& match, std::int32_t value, bool valueMatches, bool clearMarks)
{
    PatternDocument& doc = ctx_.doc;
    CellWriter writer(ctx_.view);
    const int w = doc.width(), h = doc.height();
    auto paint = [&](int x, int y) { writer.write(x, y, value); };
    // The scanline walk relies on a painted cell no longer matching. When the new value
    // still matches, or the layers may refuse a cell so it keeps its old value, or the
    // region's marks must go afterwards, every cell visited is remembered instead.
    const bool hasMarks = !doc.marks.empty() || (writer.drawingLayer() >= 0 && !doc.layers[writer.drawingLayer()].marks.empty());
    if (!valueMatches && !writer.mayRefuse() && !(clearMarks && hasMarks))
        return scanlineFill(w, h, seed.x, seed.y, match, paint, seeds_);
    std::vector<std::uint8_t> visited(doc.grid.cellCount(), 0);
    auto at = [w](int x, int y) { return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(w); };
    const std::size_t n = scanlineFill(
        w, h, seed.x, seed.y, [&](int x, int y) { return !visited[at(x, y)] && match(x, y); },
        [&](int x, int y) {
            visited[at(x, y)] = 1;
            paint(x, y);
        },
        seeds_);
    if (clearMarks && hasMarks)
        writer.removeMarksWhere([&](int x, int y) { return visited[at(x, y)] != 0; });
    return n;
}

std::size_t FillTool::fillByIndex(CellPoint seed, std::int32_t match, std::int32_t value)
{
    const std::int32_t* cells = ctx_.doc.grid.cells.data();
    const std::size_t w = static_cast<std::size_t>(ctx_.doc.width());
    auto matches = [cells, w, match](int x, int y) {
        return cells[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * w] == match;
    };
    return fillRegion(seed, matches, value, value == match, value == EmptyCell);
}

std::size_t FillTool::fillByColour(CellPoint seed, ColorRef match, std::int32_t value)
{
    const PatternDocument& doc = ctx_.doc;
    // Whether each cell value shows the colour, looked up instead of asking the thread table
    // per cell: -1 and 0..255 in the table, anything else (no thread) is white.
    std::array<std::uint8_t, 257> hit{};
    for (int v = -1; v < 256; ++v)
        hit[static_cast<std::size_t>(v + 1)] = (doc.isThread(v) ? doc.threads.colors[static_cast<std::size_t>(v)] : kWhite) == match;
    const bool otherHit = kWhite == match;
    const std::int32_t* cells = ctx_.doc.grid.cells.data();
    const std::size_t w = static_cast<std::size_t>(doc.width());
    auto matches = [&hit, otherHit, cells, w](int x, int y) {
        const std::uint32_t k = static_cast<std::uint32_t>(cells[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * w] + 1);
        return k < 257 ? hit[k] != 0 : otherHit;
    };
    const bool valueMatches = (doc.isThread(value) ? doc.threads.colors[static_cast<std::size_t>(value)] : kWhite) == match;
    return fillRegion(seed, matches, value, valueMatches, value == EmptyCell);
}

bool FillTool::layerTakesFills(const char* refusal)
{
    if (ctx_.doc.layers.topVisibleIsLinkedOrDrawable())
        return true;
    ctx_.message(refusal, kTitleWarning, MessageIcon::Warning);
    ctx_.host().repaintView();
    return false;
}

void FillTool::fillClick(CellPoint cell)
{
    if (!ctx_.drawingPrecondition() || !layerTakesFills(kMsgFillLayer))
        return;
    ctx_.record(kUndoFill);
    const std::int32_t index = ctx_.current.thread().index;
    const ColorRef current = ctx_.current.colour();
    const ColorRef clicked = ctx_.colourAt(cell.x, cell.y);
    if (ctx_.doc.cell(cell.x, cell.y) == EmptyCell && current == clicked) {
        // A white thread on an empty cell: only the empty cells, or it would spread over
        // white thread cells too.
        fillByIndex(cell, EmptyCell, index);
    } else if (clicked != current) {
        fillByColour(cell, clicked, index);
    }
    ctx_.finishEdit();
}

void FillTool::hollowClick(CellPoint cell)
{
    if (!layerTakesFills(kMsgHollowLayer))
        return;
    const std::int32_t clickedIndex = ctx_.doc.cell(cell.x, cell.y);
    if (clickedIndex == EmptyCell)
        return;
    ctx_.record(kUndoHollowOut);
    const ColorRef clicked = ctx_.colourAt(cell.x, cell.y);
    // A thread in the fabric's colour cannot be told from empty cells by colour.
    if (clicked == ctx_.doc.fabric)
        fillByIndex(cell, clickedIndex, EmptyCell);
    else
        fillByColour(cell, clicked, EmptyCell);
    ctx_.finishEdit();
}

}  // namespace brenmark
