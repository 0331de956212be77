#include "editor/view/colour_bar_widget.h"

#include "editor/view/overview.h"
#include "editor/view/pattern_view.h"
#include "interchange/gbk_qstring.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace brenmark {

ColourBarWidget::ColourBarWidget(ColourBar& bar, QWidget* parent) : QWidget(parent), bar_(bar)
{
    scroll_ = new QScrollBar(Qt::Vertical, this);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        bar_.scroll(4, value, scroll_->maximum() + 1, 0);
        update();
    });
    setMinimumHeight(ColourBar::kRowStep * 2);
    buildMenu();
}

void ColourBarWidget::buildMenu()
{
    menu_ = new QMenu(this);
    menu_->setObjectName(u"colourBarMenu"_qs);
    orders_ = new QActionGroup(this);
    orders_->setExclusive(true);
    const struct {
        const char* caption;
        const char16_t* name;
        ColourBar::Order order;
    } entries[] = {
        {UI_TEXT_NOOP("原始顺序"), u"orderTable", ColourBar::Order::Table},
        {UI_TEXT_NOOP("按颜色排序"), u"orderByColour", ColourBar::Order::ByColour},
        {UI_TEXT_NOOP("按使用量排序"), u"orderByUsage", ColourBar::Order::ByUsage},
    };
    for (const auto& e : entries) {
        QAction* a = menu_->addAction(uiQStringOf(e.caption));
        a->setObjectName(QString::fromUtf16(e.name));
        a->setCheckable(true);
        a->setData(static_cast<int>(e.order));
        orders_->addAction(a);
        const ColourBar::Order order = e.order;
        connect(a, &QAction::triggered, this, [this, order] {
            setOrder(order);
            emit orderChosen(order);
        });
    }
    checkCurrentOrder();
    connect(menu_, &QMenu::aboutToShow, this, &ColourBarWidget::checkCurrentOrder);
}

QAction* ColourBarWidget::orderAction(ColourBar::Order order) const
{
    for (QAction* a : orders_->actions())
        if (a->data().toInt() == static_cast<int>(order))
            return a;
    return nullptr;
}

void ColourBarWidget::checkCurrentOrder()
{
    if (QAction* a = orderAction(bar_.order()))
        a->setChecked(true);
}

void ColourBarWidget::setOrder(ColourBar::Order order)
{
    bar_.setOrder(order);
    checkCurrentOrder();
    update();
}

void ColourBarWidget::refresh()
{
    checkCurrentOrder();
    updateScrollBar();
    update();
}

void ColourBarWidget::updateScrollBar()
{
    const int width = this->width() - scroll_->sizeHint().width();
    const int rows = bar_.rowCount(std::max(1, width));
    const int visible = std::max(1, height() / ColourBar::kRowStep);
    scroll_->setRange(0, std::max(0, rows - visible));
    scroll_->setVisible(rows > visible);
}

void ColourBarWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int width = scroll_->isVisible() ? this->width() - scroll_->width() : this->width();
    bar_.paint(p, QSize(width, height()));
}

void ColourBarWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int width = scroll_->isVisible() ? this->width() - scroll_->width() : this->width();
    if (const auto pick = bar_.click(event->position().toPoint(), width, event->modifiers() & Qt::ControlModifier)) {
        emit colourPicked(pick->threadIndex, pick->colour, fromGbk(pick->number), pick->ctrl);
        update();
    }
}

void ColourBarWidget::contextMenuEvent(QContextMenuEvent* event)
{
    menu_->exec(event->globalPos());
}

void ColourBarWidget::resizeEvent(QResizeEvent*)
{
    scroll_->setGeometry(width() - scroll_->sizeHint().width(), 0, scroll_->sizeHint().width(), height());
    updateScrollBar();
}

void ColourBarWidget::wheelEvent(QWheelEvent* event)
{
    scroll_->setValue(scroll_->value() + (event->angleDelta().y() < 0 ? 1 : -1));
}

OverviewWidget::OverviewWidget(Overview& overview, PatternView& view, QWidget* parent)
    : QWidget(parent), overview_(overview), view_(view)
{
    setWindowTitle(uiQString("鹰眼窗口"));
    setMinimumSize(80, 80);
}

void OverviewWidget::setVisibleRect(const QRect& rect)
{
    if (overview_.dragging())
        return;
    overview_.setVisibleRect(rect);
    update();
}

void OverviewWidget::patternChanged()
{
    view_.rebuildOverview(size());
    update();
}

void OverviewWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, overview_.frameImage());
}

void OverviewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && overview_.press(event->position().toPoint()))
        grabMouse();
}

void OverviewWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!overview_.dragging())
        return;
    overview_.move(event->position().toPoint(), size());
    update();
}

void OverviewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (overview_.release(event->position().toPoint(), size())) {
        releaseMouse();
        update();
    }
}

void OverviewWidget::resizeEvent(QResizeEvent*)
{
    view_.rebuildOverview(size());
}

}  // namespace brenmark
