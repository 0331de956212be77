#include "editor/app/confetti_brush.h"

#include "editor/view/pattern_view.h"

#include <algorithm>
#include <cstdlib>

namespace brenmark {

ConfettiBrush::ConfettiBrush(PatternView& view, Clean clean) : view_(view), clean_(std::move(clean)) {}

void ConfettiBrush::mouseDown(QPoint client, Modifiers)
{
    const PatternDocument& doc = view_.document();
    if (!doc.isOpen())
        return;
    width_ = doc.width();
    height_ = doc.height();
    brushed_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    stroking_ = true;
    last_ = view_.cellAt(client);
    brushAt(last_);
}

void ConfettiBrush::mouseMove(QPoint client, Modifiers, bool buttonHeld)
{
    if (stroking_ && buttonHeld)
        brushTo(view_.cellAt(client));
}

void ConfettiBrush::mouseUp(QPoint client, Modifiers)
{
    if (!stroking_)
        return;
    brushTo(view_.cellAt(client));
    stroking_ = false;
    // The pattern may have changed size under a stroke (an undo from the keyboard).
    const PatternDocument& doc = view_.document();
    if (doc.isOpen() && doc.width() == width_ && doc.height() == height_)
        clean_([this](int column, int row) {
            return brushed_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(column)] != 0;
        });
    brushed_.clear();
}

void ConfettiBrush::left()
{
    stroking_ = false;
    brushed_.clear();
}

// Every cell on the way from the last one, so a quick stroke leaves no gaps.
void ConfettiBrush::brushTo(QPoint cell)
{
    const int steps = std::max(std::abs(cell.x() - last_.x()), std::abs(cell.y() - last_.y()));
    for (int i = 1; i <= steps; ++i)
        brushAt(QPoint(last_.x() + (cell.x() - last_.x()) * i / steps, last_.y() + (cell.y() - last_.y()) * i / steps));
    last_ = cell;
}

void ConfettiBrush::brushAt(QPoint cell)
{
    for (int row = std::max(0, cell.y() - kReach); row <= std::min(height_ - 1, cell.y() + kReach); ++row)
        for (int column = std::max(0, cell.x() - kReach); column <= std::min(width_ - 1, cell.x() + kReach); ++column)
            brushed_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(column)] = 1;
}

}  // namespace brenmark
