#pragma once
// Where the rows of the layer panel go: stacked from y = 5 with a gap of 7 pixels, x = 4,
// scrolled when they do not fit. Plain arithmetic; the panel widget draws from it. This is
// the panel's own state: the layers know nothing of it, and no undo step keeps it.
#include "editor/document/layer_operations.h"

#include <functional>

namespace brenmark {

class LayerPanelLayout {
public:
    static constexpr int kTop = 5;
    static constexpr int kGap = 7;
    static constexpr int kLeft = 4;
    static constexpr int kDefaultRowHeight = 40;

    explicit LayerPanelLayout(int rowHeight = kDefaultRowHeight, int panelHeight = 0)
        : rowHeight_(rowHeight), panelHeight_(panelHeight) {}

    int rowHeight() const { return rowHeight_; }
    int panelHeight() const { return panelHeight_; }
    int rowStep() const { return rowHeight_ + kGap; }
    // The scroll offset is 0 or negative: how far the rows are moved up.
    int scroll() const { return scroll_; }

    void setRowHeight(int height, int rows);
    void setPanelHeight(int height, int rows);

    // Top of row i, scrolled.
    int rowTop(int i) const { return kTop + i * rowStep() + scroll_; }
    // Bottom of the last of rows rows, unscrolled.
    int contentBottom(int rows) const { return rows <= 0 ? kTop : kTop + (rows - 1) * rowStep() + rowHeight_; }
    // The first row never starts below 5; when the rows do not fit, the last one may be
    // brought up to end at the panel's bottom, and no further.
    int minScroll(int rows) const;
    bool canScroll(int rows) const { return minScroll(rows) < 0; }
    // Moves the rows by dy (negative = up), within the limits; false when nothing moved.
    bool scrollBy(int dy, int rows);
    void clampScroll(int rows);

    // The row under a panel y, or -1 in a gap, above the first or below the last row.
    int rowAt(int y, int rows) const;

private:
    int rowHeight_;
    int panelHeight_;
    int scroll_ = 0;
};

// One panel's layout kept in step with a layer list: whenever its rows are added, removed or
// put back whole (an undo step, see LayerOperations::relayout), the scroll is brought back
// within its limits and changed is called, for the panel to draw again.
class LayerPanelRows final : private LayerObserver {
public:
    explicit LayerPanelRows(LayerOperations& layers, std::function<void()> changed = {});
    ~LayerPanelRows() override;
    LayerPanelRows(const LayerPanelRows&) = delete;
    LayerPanelRows& operator=(const LayerPanelRows&) = delete;

    const LayerPanelLayout& layout() const { return layout_; }
    int rows() const { return layers_.layers().size(); }
    int rowTop(int i) const { return layout_.rowTop(i); }
    int rowAt(int y) const { return layout_.rowAt(y, rows()); }

    // Changes of the layout itself, each kept within the limits for the rows there are.
    void setRowHeight(int height);
    void setPanelHeight(int height);
    // False when nothing moved.
    bool scrollBy(int dy);

private:
    void layerRowsChanged() override;

    LayerOperations& layers_;
    LayerPanelLayout layout_;
    std::function<void()> changed_;
};

}  // namespace brenmark
