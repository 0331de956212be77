#pragma once
// Shows a ColourBar and reports picks; the owner forwards them to the view (2265).
#include "editor/view/colour_bar.h"

#include <QScrollBar>
#include <QWidget>

class QAction;
class QActionGroup;
class QMenu;

namespace brenmark {

class ColourBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit ColourBarWidget(ColourBar& bar, QWidget* parent = nullptr);
    ColourBar& bar() { return bar_; }
    // The threads, locks or symbols changed.
    void refresh();

    // The right-click menu, made once: the three orders, the current one checked. Owners
    // may add their own entries after them.
    QMenu* contextMenu() const { return menu_; }
    QAction* orderAction(ColourBar::Order order) const;
    // Sorts the bar and repaints it, as the menu entries do.
    void setOrder(ColourBar::Order order);

signals:
    // Message 1524: a swatch was clicked.
    void colourPicked(int threadIndex, unsigned colour, const QString& number, bool ctrl);
    // The bar was sorted another way from its menu.
    void orderChosen(ColourBar::Order order);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollBar();
    void buildMenu();
    // The checked entry follows the bar's order, however it was set.
    void checkCurrentOrder();
    ColourBar& bar_;
    QScrollBar* scroll_;
    QMenu* menu_ = nullptr;
    QActionGroup* orders_ = nullptr;
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
