#pragma once
// The widget that shows a PatternView: it turns Qt events into calls on the view.
#include "editor/view/pattern_view.h"

#include <QTimer>
#include <QWidget>

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

signals:
    void overviewFrameChanged(const QRect& frame);
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PatternView& view_;
    QTimer flash_;
};

}  // namespace brenmark
