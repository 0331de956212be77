#pragma once
// The widget that shows a PatternView: it turns Qt events into calls on the view. Two
// scroll bars along its right and bottom edges move over the chart; the view paints the
// rest of the widget.
#include "editor/view/pattern_view.h"

#include <QTimer>
#include <QWidget>

class QScrollBar;

namespace brenmark {

class PatternViewWidget : public QWidget, public ViewHost {
    Q_OBJECT
public:
    explicit PatternViewWidget(PatternView& view, QWidget* parent = nullptr);
    ~PatternViewWidget() override;

    PatternView& view() { return view_; }

    void invalidate() override { update(); }
    void overviewFrame(const QRect& frame) override { emit overviewFrameChanged(frame); }
    void flashTimer(bool run) override;

    // What the view paints: the widget less the scroll bars.
    QSize chartSize() const;
    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }
    // The scroll bars' ranges and positions from the view's origin and zoom.
    void syncScrollBars();
    // The view's keys: arrows a few cells, Page Up / Page Down a screenful, Home / End to
    // the start or end of the rows (with Ctrl of the whole chart), + and - zoom about the
    // centre. False for other keys.
    bool navigationKey(int key, Qt::KeyboardModifiers modifiers);

signals:
    void overviewFrameChanged(const QRect& frame);
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scrolledTo(Qt::Orientation orientation, int value);
    // One step of the arrows and the wheel: a few cells, never less than a few pixels.
    int lineStep() const;

    PatternView& view_;
    QTimer flash_;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    QWidget* corner_ = nullptr;
    bool syncing_ = false;
};

}  // namespace brenmark
