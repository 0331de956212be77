#include "editor/view/layer_panel_layout.h"

#include <algorithm>
#include <utility>

namespace brenmark {

void LayerPanelLayout::setRowHeight(int height, int rows)
{
    rowHeight_ = std::max(1, height);
    clampScroll(rows);
}

void LayerPanelLayout::setPanelHeight(int height, int rows)
{
    panelHeight_ = std::max(0, height);
    clampScroll(rows);
}

int LayerPanelLayout::minScroll(int rows) const
{
    return std::min(0, panelHeight_ - contentBottom(rows));
}

void LayerPanelLayout::clampScroll(int rows)
{
    scroll_ = std::clamp(scroll_, minScroll(rows), 0);
}

bool LayerPanelLayout::scrollBy(int dy, int rows)
{
    const int before = scroll_;
    scroll_ = std::clamp(scroll_ + dy, minScroll(rows), 0);
    return scroll_ != before;
}

int LayerPanelLayout::rowAt(int y, int rows) const
{
    const int offset = y - kTop - scroll_;
    if (offset < 0)
        return -1;
    const int i = offset / rowStep();
    if (i >= rows || offset - i * rowStep() >= rowHeight_)
        return -1;
    return i;
}

LayerPanelRows::LayerPanelRows(LayerOperations& layers, std::function<void()> changed)
    : layers_(layers), changed_(std::move(changed))
{
    layers_.addObserver(this);
}

LayerPanelRows::~LayerPanelRows()
{
    layers_.removeObserver(this);
}

void LayerPanelRows::setRowHeight(int height)
{
    layout_.setRowHeight(height, rows());
}

void LayerPanelRows::setPanelHeight(int height)
{
    layout_.setPanelHeight(height, rows());
}

bool LayerPanelRows::scrollBy(int dy)
{
    return layout_.scrollBy(dy, rows());
}

void LayerPanelRows::layerRowsChanged()
{
    layout_.clampScroll(rows());
    if (changed_)
        changed_();
}

}  // namespace brenmark
