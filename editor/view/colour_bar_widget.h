#pragma once
// Shows a ColourBar and reports picks; the owner forwards them to the view (2265).
#include "editor/view/colour_bar.h"

#include <QScrollBar>
#include <QWidget>

namespace brenmark {

class ColourBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit ColourBarWidget(ColourBar& bar, QWidget* parent = nullptr);
    ColourBar& bar() { return bar_; }
    // The threads, locks or symbols changed.
    void refresh();

signals:
    // Message 1524: a swatch was clicked.
    void colourPicked(int threadIndex, unsigned colour, const QString& number, bool ctrl);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollBar();
    ColourBar& bar_;
    QScrollBar* scroll_;
};

class OverviewWidget : public QWidget {
    Q_OBJECT
public:
    OverviewWidget(class Overview& overview, class PatternView& view, QWidget* parent = nullptr);
    void setVisibleRect(const QRect& rect);
    void patternChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    Overview& overview_;
    PatternView& view_;
};

}  // namespace brenmark
