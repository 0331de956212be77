#pragma once
// The overview window's logic: the frame of the visible part over the miniature, and
// dragging it to scroll the view.
#include <QImage>
#include <QPoint>
#include <QRect>

namespace brenmark {

class PatternView;

class Overview {
public:
    explicit Overview(PatternView& view) : view_(view) {}

    // From the view at the end of every paint.
    void setVisibleRect(const QRect& rect)
    {
        visible_ = rect;
        dropped_ = false;
    }
    QRect visibleRect() const { return visible_; }
    // The rectangle as it is drawn now: moved by the drag while one is going on.
    QRect frameRect() const { return dragging_ ? visible_.translated(offset_) : visible_; }
    // The frame as it is drawn and grabbed: never smaller than kMinFrame pixels a side, so
    // that it can be seen and taken on a very big chart.
    static constexpr int kMinFrame = 8;
    QRect shownRect() const;
    bool dragging() const { return dragging_; }

    // Returns true when the press starts a drag (it lies inside the frame); a press anywhere
    // else centres the view on the cell there.
    bool press(QPoint point);
    // Scrolls the view so that the cell under an overview point is at its centre.
    bool centreAt(QPoint point);
    // The drag offset is kept within the window of the given size.
    void move(QPoint point, QSize window);
    // Ends a drag and scrolls the view so its top-left shows the frame's top-left.
    bool release(QPoint point, QSize window);

    // The miniature with the frame drawn on it, green while dragging or after a paint.
    QImage frameImage() const;

private:
    PatternView& view_;
    QRect visible_;
    bool dragging_ = false;
    QPoint start_;
    QPoint offset_;
    bool dropped_ = false;  // the frame was just dropped: drawn black until the next paint
};

}  // namespace brenmark
