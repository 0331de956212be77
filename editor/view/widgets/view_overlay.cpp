#include "editor/view/widgets/view_overlay.h"

#include <QEvent>
#include <QPainter>

#include <utility>

namespace brenmark {

ViewOverlay::ViewOverlay(QWidget* view, std::function<void(QPainter&)> paint) : QWidget(view), paint_(std::move(paint))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(view->rect());
    view->installEventFilter(this);
    raise();
    show();  // a child made after its parent was shown stays hidden otherwise
}

void ViewOverlay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint_(p);
}

bool ViewOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

}  // namespace brenmark
