#pragma once
// The layer commands of the editor: the layer menu, the rows of the layer panel, inserting a
// pattern as a layer and the floating piece it leaves. Each command that changes layers
// records its undo step first and ends by recomposing the visible grid.
#include "editor/document/layer_list.h"
#include "editor/document/pattern_clipboard.h"
#include "editor/document/pattern_document.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "interchange/ui_text.h"

#include <string>
#include <vector>

namespace brenmark {

struct LoadContext;

inline constexpr const char* kMsgOtherBrand = UI_TEXT_NOOP("绣线色系不同不能插入");
inline constexpr const char* kMsgTooManyLayers = UI_TEXT_NOOP("创件层失败,层数超出范围");

class LayerOperations;

// The view, the overview and the layer panel listen here; the document never calls them.
// Either side may go first: an observer leaves the commands it listens to when it ends, and
// commands that end first let their observers go (layerOperationsEnded), so neither ever
// calls the other after its end.
class LayerObserver {
public:
    LayerObserver() = default;
    // A copy listens to nothing until it is added itself.
    LayerObserver(const LayerObserver&) {}
    LayerObserver& operator=(const LayerObserver&) { return *this; }
    virtual ~LayerObserver();
    // The commands this observer listened to are ending; it is no longer among their
    // observers, and anything it kept of them must be forgotten now.
    virtual void layerOperationsEnded(LayerOperations& /*operations*/) {}
    // The visible grid, its lines and marks and the work image were recomputed: redraw the
    // view and the overview.
    virtual void layersRecomposed() {}
    // Rows were added, removed or moved, or a row's flags, name or thumbnail changed; the
    // panels lay out their rows again.
    virtual void layerRowsChanged() {}
    // count threads were appended to the thread table from index first: the colour bar
    // shows them.
    virtual void threadsAppended(int /*first*/, int /*count*/) {}
    // A floating piece appeared, moved, was dropped or discarded.
    virtual void floatingPieceChanged() {}

private:
    friend class LayerOperations;
    std::vector<LayerOperations*> observed_;
};

enum class InsertOutcome {
    Inserted,
    NoPattern,       // nothing open to insert into
    LoadFailed,      // the file was refused; the reader said why
    NothingToPaste,  // the clipboard holds nothing
    TooLarge,        // wider or taller than the open pattern
    OtherBrand,      // the thread brands differ
    TooManyLayers,   // the list already holds the most layers
};

class LayerOperations : public DocumentObserver {
public:
    LayerOperations(PatternDocument& doc, UndoRecorder& undo);
    ~LayerOperations() override;
    LayerOperations(const LayerOperations&) = delete;
    LayerOperations& operator=(const LayerOperations&) = delete;

    PatternDocument& document() { return doc_; }
    LayerList& layers() { return doc_.layers; }
    const LayerList& layers() const { return doc_.layers; }

    void addObserver(LayerObserver* observer);
    void removeObserver(LayerObserver* observer);

    // The list was put back whole (an undo step): the panels lay their rows out again.
    void relayout() { notifyRows(); }

    // "新建层": an empty layer on top, the only drawing layer. Refused at the limit or with
    // no pattern open. The name is cut to what the file can hold.
    bool newLayer(const std::string& name);
    // "删除层": removes the drawing layer; the layer below it becomes the drawing layer.
    // Refused for the only layer or when there is no drawing layer.
    bool deleteLayer();
    // "复制当前绘制层": a copy "复制层" of the drawing layer on top.
    bool copyDrawingLayer();
    // "合并可见层", "合并链接层": need two layers each.
    bool mergeVisible();
    bool mergeLinked();
    // An empty layer named for its kind before index (above the layer there), the only
    // drawing layer. The caller records the undo step. Returns the new index, or -1.
    int insertLayerAt(int index, LayerKind kind);
    int textLayerAt(int index) { return insertLayerAt(index, LayerKind::Text); }
    // Dragging one row onto another swaps the two layers.
    bool reorder(int dragged, int target);
    // Moves a layer to another place in the list, the layers between closing up (the layer
    // panel's drag and drop); one undo step as reorder.
    bool moveLayer(int from, int to);
    // The row's eye icon (recomposes) and link icon (a drawing layer ignores it).
    bool toggleVisible(int index);
    bool toggleLinked(int index);
    // A click on a row's name makes that layer the drawing layer; see the .cpp for how the
    // linked group follows.
    bool chooseDrawingLayer(int index);
    // Before a load: no layers at all.
    void reset();
    // A single layer "背景" from the visible grid (no undo step).
    void backgroundFromGrid();
    void recompose();

    // "插入绣图": the pattern file at path, read in library mode, becomes a floating piece in
    // a new layer "插入绣图层" above the drawing layer.
    InsertOutcome insertPattern(const std::string& path, const LoadContext& ctx);
    // The same for a pattern already read.
    InsertOutcome insertPatternFrom(const PatternDocument& source, MessageBoxes* messages);
    // "粘贴选区": the clipboard's block becomes a floating piece in a new layer "粘贴层".
    InsertOutcome paste(const PatternClipboard& clipboard, MessageBoxes* messages);

    // The floating piece, wherever it is; null when none.
    FloatingPiece* floatingPiece();
    // Moves it by whole cells; the caller records the undo step.
    bool moveFloating(int dx, int dy);
    // Writes the piece into its layer at its position (cells outside the pattern are
    // skipped) and recomposes; with keepFloating the piece stays to be placed again.
    bool dropFloating(bool keepFloating = false);
    // Forgets the piece without writing it.
    bool discardFloating();

    void fabricColorChanged(ColorRef fabric) override;
    void documentReplaced() override;

private:
    bool mergeInto(const std::vector<int>& chosen, int target, const char* label);
    InsertOutcome placePiece(FloatingPiece piece, const std::vector<ColorRef>& colors,
                             const std::vector<std::string>& numbers, LayerKind kind);
    void layersChanged();  // rows, then the composite
    void notifyRows();

    PatternDocument& doc_;
    UndoRecorder& undo_;
    std::vector<LayerObserver*> observers_;
};

// A piece's picture: thread colours, transparent (0) where a cell names no thread.
void paintPiece(FloatingPiece& piece, const std::vector<ColorRef>& threadColors);

}  // namespace brenmark
