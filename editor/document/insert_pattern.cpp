// Inserting a pattern or a pasted block as a floating piece in a layer of its own, and
// placing that piece.
#include "editor/document/layer_composer.h"
#include "editor/document/layer_operations.h"
#include "editor/document/pattern_file.h"
#include "editor/document/thread_mapping.h"

namespace brenmark {
namespace {

void refuse(MessageBoxes* messages, const char* text)
{
    if (messages)
        messages->show(text, kTitleWarning, MessageIcon::Stop);
}

// A line end is a cell corner; it may lie on the pattern's outer border.
bool pointInside(const PatternDocument& doc, std::int32_t column, std::int32_t row, std::int32_t corner)
{
    const std::int64_t x = std::int64_t{column} + ((corner & 1) ? 1 : 0);
    const std::int64_t y = std::int64_t{row} + ((corner & 2) ? 1 : 0);
    return x >= 0 && y >= 0 && x <= doc.grid.width && y <= doc.grid.height;
}

FloatingPiece pieceFrom(std::int32_t width, std::int32_t height, const std::vector<std::int32_t>& cells,
                        const std::vector<BackstitchLine>& lines, const std::vector<StitchMark>& marks)
{
    FloatingPiece piece;
    piece.width = width;
    piece.height = height;
    piece.cells = cells;
    piece.cells.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), EmptyCell);
    piece.lines = lines;
    for (const StitchMark& m : marks)
        if (m.column >= 0 && m.row >= 0 && m.column < width && m.row < height)
            placeMarkIn(piece.marks, m);
    return piece;
}

}  // namespace

void paintPiece(FloatingPiece& piece, const std::vector<ColorRef>& threadColors)
{
    piece.picture.width = piece.width;
    piece.picture.height = piece.height;
    piece.picture.pixels.resize(piece.cells.size());
    const ThreadPixels pixel(threadColors, 0u);
    for (std::size_t i = 0; i < piece.cells.size(); ++i)
        piece.picture.pixels[i] = pixel(piece.cells[i]);
}

InsertOutcome LayerOperations::insertPattern(const std::string& path, const LoadContext& ctx)
{
    if (!doc_.isOpen())
        return InsertOutcome::NoPattern;
    PatternDocument source;
    if (readPatternFile(path, LoadMode::Library, source, ctx).result == LoadResult::Failed)
        return InsertOutcome::LoadFailed;
    return insertPatternFrom(source, ctx.messages);
}

InsertOutcome LayerOperations::insertPatternFrom(const PatternDocument& source, MessageBoxes* messages)
{
    if (!doc_.isOpen() || !source.isOpen())
        return InsertOutcome::NoPattern;
    if (source.width() > doc_.width() || source.height() > doc_.height())
        return InsertOutcome::TooLarge;
    if (source.brand != doc_.brand) {
        refuse(messages, kMsgOtherBrand);
        return InsertOutcome::OtherBrand;
    }
    // Checked before the undo step, so that a refusal leaves the history as it was too.
    if (layers().full()) {
        refuse(messages, kMsgTooManyLayers);
        return InsertOutcome::TooManyLayers;
    }
    undo_.recordUndoStep({kUndoInsertPattern, UndoKind::ThreadTable});
    return placePiece(pieceFrom(source.width(), source.height(), source.grid.cells, source.lines, source.marks),
                      source.threads.colors, source.threads.numbers, LayerKind::InsertedPattern);
}

InsertOutcome LayerOperations::paste(const PatternClipboard& clipboard, MessageBoxes* messages)
{
    if (!doc_.isOpen())
        return InsertOutcome::NoPattern;
    if (!clipboard.valid || clipboard.width <= 0 || clipboard.height <= 0)
        return InsertOutcome::NothingToPaste;
    if (clipboard.width > doc_.width() || clipboard.height > doc_.height())
        return InsertOutcome::TooLarge;
    if (clipboard.brand != doc_.brand)
        return InsertOutcome::OtherBrand;
    if (layers().full()) {
        refuse(messages, kMsgTooManyLayers);
        return InsertOutcome::TooManyLayers;
    }
    undo_.recordUndoStep({kUndoPaste, UndoKind::ThreadTable});
    return placePiece(pieceFrom(clipboard.width, clipboard.height, clipboard.cells, clipboard.lines, clipboard.marks),
                      clipboard.threadColors, clipboard.threadNumbers, LayerKind::Paste);
}

InsertOutcome LayerOperations::placePiece(FloatingPiece piece, const std::vector<ColorRef>& colors,
                                          const std::vector<std::string>& numbers, LayerKind kind)
{
    // One piece is placed at a time: one still floating is put down where it is first.
    if (floatingPiece())
        dropFloating();

    const ThreadMapping mapping = mapThreads(doc_, colors, numbers);
    remapCells(piece.cells, mapping);
    paintPiece(piece, doc_.threads.colors);

    LayerList& list = layers();
    const int drawing = list.drawingLayer();
    PatternLayer layer = LayerList::emptyLayer(doc_, defaultLayerName(kind));
    layer.threadColors = doc_.threads.colors;
    layer.threadNumbers = doc_.threads.numbers;
    layer.floating = std::move(piece);
    list.insertLayer(drawing < 0 ? 0 : drawing, std::move(layer), doc_);

    if (mapping.appended > 0)
        for (LayerObserver* o : observers_)
            o->threadsAppended(mapping.firstAppended, mapping.appended);
    layersChanged();
    for (LayerObserver* o : observers_)
        o->floatingPieceChanged();
    return InsertOutcome::Inserted;
}

FloatingPiece* LayerOperations::floatingPiece()
{
    const int i = layers().floatingLayer();
    return i < 0 ? nullptr : &*layers()[i].floating;
}

bool LayerOperations::moveFloating(int dx, int dy)
{
    FloatingPiece* piece = floatingPiece();
    if (!piece)
        return false;
    piece->moveBy(dx, dy);
    for (LayerObserver* o : observers_)
        o->floatingPieceChanged();
    return true;
}

bool LayerOperations::dropFloating(bool keepFloating)
{
    LayerList& list = layers();
    const int index = list.floatingLayer();
    if (index < 0)
        return false;
    PatternLayer& layer = list[index];
    const FloatingPiece& piece = *layer.floating;
    const std::int32_t threads = doc_.threads.size();
    if (layer.cells.size() == doc_.grid.cellCount()) {
        for (std::int32_t y = 0; y < piece.height; ++y) {
            const std::int32_t row = piece.row + y;
            if (row < 0 || row >= doc_.height())
                continue;
            for (std::int32_t x = 0; x < piece.width; ++x) {
                const std::int32_t column = piece.column + x;
                const std::int32_t v = piece.at(x, y);
                if (column < 0 || column >= doc_.width() || v < 0 || v >= threads)
                    continue;
                list.setLayerCell(index, column, row, v);
            }
        }
        for (BackstitchLine line : piece.lines) {
            line.startColumn += piece.column;
            line.startRow += piece.row;
            line.endColumn += piece.column;
            line.endRow += piece.row;
            line.selected = 0;
            if (pointInside(doc_, line.startColumn, line.startRow, line.startCorner) &&
                pointInside(doc_, line.endColumn, line.endRow, line.endCorner))
                layer.lines.push_back(line);
        }
        // A layer keeps marks only on its own stitches, as files do.
        for (StitchMark m : piece.marks) {
            m.column += piece.column;
            m.row += piece.row;
            if (!doc_.grid.contains(m.column, m.row))
                continue;
            if (layer.cells[doc_.grid.indexOf(m.column, m.row)] != EmptyCell)
                placeMarkIn(layer.marks, m);
        }
    }
    if (!keepFloating)
        layer.floating.reset();
    notifyRows();
    recompose();
    for (LayerObserver* o : observers_)
        o->floatingPieceChanged();
    return true;
}

bool LayerOperations::discardFloating()
{
    LayerList& list = layers();
    const int index = list.floatingLayer();
    if (index < 0)
        return false;
    list[index].floating.reset();
    for (LayerObserver* o : observers_)
        o->floatingPieceChanged();
    return true;
}

}  // namespace brenmark
