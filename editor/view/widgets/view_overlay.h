#pragma once
// A see-through child over the widget that shows the pattern, for what the tools draw over
// the chart: rubber bands, the text caret, the clone marker. It is painted after the view
// in the same backing store, so NOT-mode strokes invert the chart beneath them and a
// repaint of the view puts the chart back where they were. It lets every mouse event
// through, never takes the focus and keeps the view's size.
#include <QWidget>

#include <functional>

class QPainter;

namespace brenmark {

class ViewOverlay : public QWidget {
public:
    // paint draws the overlay each time it is painted.
    ViewOverlay(QWidget* view, std::function<void(QPainter&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QPainter&)> paint_;
};

}  // namespace brenmark
