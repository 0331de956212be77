#include "editor/document/layer_panel_layout.h"

#include "editor/document/layer_list.h"

#include <algorithm>

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

void LayerPanelLayout::apply(LayerList& list) const
{
    for (int i = 0; i < list.size(); ++i)
        list[i].rowPosition = rowTop(i);
}

}  // namespace brenmark
