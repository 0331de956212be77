#include "editor/view/tools/text_tool.h"

#include "editor/document/layer_composer.h"
#include "editor/document/layer_operations.h"
#include "editor/render/qt_colour.h"
#include "editor/view/tools/cell_writer.h"
#include "interchange/gbk_qstring.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace brenmark {

namespace {

constexpr int kSavedRowsBelow = 20;  // rows kept beyond the text, for taller glyphs

bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The text font at one pixel per cell: antialiasing would turn glyph edges into stray cells.
QFont cellFont(const QFont& font)
{
    QFont f = font;
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

int textHeight(const QFontMetrics& fm, const QString& text)
{
    return fm.size(Qt::TextSingleLine, text.isEmpty() ? u"望"_qs : text).height();
}

}  // namespace

std::size_t completeGbkLength(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (isLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 >= text.size())
                return i;  // the trail byte has not come yet
            i += 2;
        } else {
            ++i;
        }
    }
    return i;
}

std::size_t lastGbkCharLength(const std::string& text)
{
    // Walked from the start: a trail byte may lie below 0x80, so the last byte alone does not
    // tell a double-byte character from a single one.
    std::size_t i = 0, last = 0;
    while (i < text.size()) {
        last = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        i += last;
    }
    return last;
}

void TextTool::mouseDown(QPoint client, Modifiers)
{
    if (const auto cell = ctx_.cellAt(client))
        click(*cell);
}

int TextTool::prepareLayer()
{
    PatternDocument& doc = ctx_.doc;
    LayerList& list = doc.layers;
    const int drawing = list.drawingLayer();
    // A text layer from a click that was never typed into is used again rather than left
    // behind empty.
    if (drawing >= 0) {
        const PatternLayer& layer = list[drawing];
        if (layer.name == kTextLayerName && layer.visible && layer.cells.size() == doc.grid.cellCount() &&
            layer.cells.allTransparent())
            return drawing;
    }
    // Otherwise a new one directly above the drawing layer.
    const int at = std::max(drawing, 0);
    if (layerOps_)
        return layerOps_->textLayerAt(at);
    const int index = list.insertLayer(at, LayerList::emptyLayer(doc, kTextLayerName), doc);
    if (index >= 0) {
        recomposeDocument(doc);
        ctx_.view.rebuildCellImage();
    }
    return index;
}

void TextTool::click(CellPoint cell)
{
    if (!ctx_.drawingPrecondition())
        return;
    end();
    ctx_.record(kUndoText);
    const int layer = prepareLayer();
    if (layer < 0) {
        // No room for another layer: the text tool gives way to the move tool.
        noLayer_();
        ctx_.host().toolChanged(Tool::Move);
        ctx_.host().setToolCursor(ToolCursor::Arrow);
        return;
    }
    PatternDocument& doc = ctx_.doc;
    const QFontMetrics fm(cellFont(font_));
    doc.layers[layer].tag = LayerTag::fresh();
    text_.active = true;
    text_.text.clear();
    text_.cell = cell;
    text_.layer = layer;
    text_.layerTag = doc.layers[layer].tag.value();
    text_.width = doc.width();
    text_.height = doc.height();
    text_.savedTop = cell.y;
    text_.savedRows = std::min(doc.height(), cell.y + textHeight(fm, {}) + kSavedRowsBelow) - cell.y;
    const auto first = std::as_const(doc.grid.cells).begin() + static_cast<std::ptrdiff_t>(doc.grid.indexOf(0, cell.y));
    text_.savedCells.assign(first, first + static_cast<std::ptrdiff_t>(text_.savedRows) * doc.width());
    caret_ = {true, cell, fm.size(Qt::TextSingleLine, u"i"_qs).height()};
    ctx_.host().overlayChanged();
}

QSize TextTool::caretPixels() const
{
    const float s = ctx_.view.cellSize();
    return QSize(static_cast<int>(3 * s), static_cast<int>(s * caret_.lineHeight));
}

void TextTool::paintCaret(QPainter& p) const
{
    if (!caret_.shown)
        return;
    const QRect r = ctx_.cellRect(caret_.cell);
    p.fillRect(QRect(r.topLeft(), caretPixels().expandedTo(QSize(1, 1))), Qt::white);
}

void TextTool::end()
{
    const bool hadCaret = caret_.shown;
    text_ = TextState{};
    caret_.shown = false;
    if (hadCaret)
        ctx_.host().overlayChanged();
}

bool TextTool::targetHolds() const
{
    const PatternDocument& doc = ctx_.doc;
    const LayerList& list = doc.layers;
    return doc.width() == text_.width && doc.height() == text_.height && list.validIndex(text_.layer) &&
           list[text_.layer].tag.value() == text_.layerTag && list.drawingLayer() == text_.layer;
}

bool TextTool::textChar(int code)
{
    if (!text_.active || code < 0 || code > 255)
        return false;
    if (!targetHolds()) {
        // The pattern changed under the text (its size, an undo step put back, its layer
        // gone, moved or no longer the drawing layer) without the tools hearing of it: the
        // saved rows and the layer are not the text's any more, so the text ends here.
        end();
        return false;
    }
    if (code == kKeyBackspace) {
        if (text_.text.empty())
            return true;
        text_.text.resize(text_.text.size() - lastGbkCharLength(text_.text));
        render();
        return true;
    }
    if (code == kKeyEnter) {
        // Enter finishes the text: its cells stay, the caret goes.
        end();
        return true;
    }
    if (code <= 9)
        return false;  // other control codes are not the text tool's
    if (!ctx_.drawingPrecondition())
        return true;
    text_.text.push_back(static_cast<char>(code));
    render();
    return true;
}

void TextTool::render()
{
    PatternView& view = ctx_.view;
    const PatternDocument& doc = ctx_.doc;
    const int w = doc.width(), h = doc.height();
    if (!text_.active || text_.cell.x >= w || text_.cell.y >= h)
        return;
    // A lead byte waits for its trail byte before it is drawn.
    const QString shown = fromGbk(text_.text.substr(0, completeGbkLength(text_.text)));
    const QFont font = cellFont(font_);
    const QFontMetrics fm(font);
    const int rows = std::min(textHeight(fm, shown), h - text_.cell.y);
    const int columns = w - text_.cell.x;

    // The text in the current colour on white, one pixel per cell.
    QImage scratch(columns, std::max(rows, 1), QImage::Format_RGB32);
    const QRgb background = qRgb(255, 255, 255);
    scratch.fill(background);
    const ColorRef colour = ctx_.current.colour();
    {
        QPainter p(&scratch);
        p.setFont(font);
        p.setPen(qColour(colour));
        p.drawText(0, fm.ascent(), shown);
    }

    // The rows as they were before this text, then the text over them.
    for (int r = 0; r < text_.savedRows; ++r)
        for (int x = 0; x < w; ++x)
            view.setCell(x, text_.savedTop + r, text_.savedCells[static_cast<std::size_t>(r) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)]);
    CellWriter writer(view);
    const std::int32_t index = ctx_.current.thread().index;
    for (int py = 0; py < rows; ++py) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(py));
        const int y = text_.cell.y + py;
        for (int px = 0; px < columns; ++px) {
            const int x = text_.cell.x + px;
            if ((line[px] & 0xFFFFFFu) != (background & 0xFFFFFFu))
                writer.write(x, y, index);
            else
                writer.writeLayerOnly(x, y, EmptyCell);  // characters removed since
        }
    }
    const int advance = shown.isEmpty() ? 0 : fm.horizontalAdvance(shown);
    caret_.cell = {std::min(text_.cell.x + advance, w), text_.cell.y};
    caret_.shown = true;
    ctx_.rebuildOverview();
    ctx_.host().patternEdited();
    ctx_.host().repaintView();
    ctx_.host().overlayChanged();
}

}  // namespace brenmark
