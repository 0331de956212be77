#include "editor/view/widgets/tool_view_binding.h"

#include "editor/view/pattern_view_widget.h"
#include "editor/view/view_messages.h"
#include "editor/view/widgets/qt_modifiers.h"
#include "editor/view/widgets/tool_icons.h"
#include "editor/view/widgets/view_overlay.h"
#include "interchange/gbk_qstring.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace brenmark {

namespace {

QCursor toolCursor(Tool tool)
{
    return QCursor(QPixmap::fromImage(toolIconImage(tool, 24)), 4, 20);
}

}  // namespace

ToolViewBinding::ToolViewBinding(QWidget* viewWidget, PatternView& view, ToolController& tools)
    : QObject(viewWidget), widget_(viewWidget), view_(view), tools_(tools),
      overlay_(new ViewOverlay(viewWidget, [&tools](QPainter& p) { tools.paintOverlay(p); }))
{
    widget_->setMouseTracking(true);  // the move tool's cursor follows the mirror axes
    widget_->installEventFilter(this);
    tools_.setHost(this);
}

ToolViewBinding::~ToolViewBinding()
{
    tools_.setHost(nullptr);
}

void ToolViewBinding::repaintView()
{
    widget_->update();
    overlay_->update();
}

void ToolViewBinding::repaintRect(const QRect& client)
{
    widget_->update(client);
}

void ToolViewBinding::overlayChanged()
{
    // The band may have moved anywhere: the chart under its old place must be put back.
    widget_->update();
    overlay_->update();
}

QSize ToolViewBinding::clientSize() const
{
    // The chart's part of the widget, without its scroll bars.
    if (const auto* chart = qobject_cast<const PatternViewWidget*>(widget_))
        return chart->chartSize();
    return widget_->size();
}

void ToolViewBinding::setToolCursor(ToolCursor cursor)
{
    switch (cursor) {
    case ToolCursor::Arrow:
        widget_->setCursor(Qt::ArrowCursor);
        break;
    case ToolCursor::Move:
        widget_->setCursor(Qt::SizeAllCursor);
        break;
    case ToolCursor::AxisHorizontal:
        widget_->setCursor(Qt::SplitHCursor);
        break;
    case ToolCursor::AxisVertical:
        widget_->setCursor(Qt::SplitVCursor);
        break;
    case ToolCursor::Eraser:
        widget_->setCursor(toolCursor(Tool::Eraser));
        break;
    case ToolCursor::Clone:
        widget_->setCursor(toolCursor(Tool::Clone));
        break;
    }
}

void ToolViewBinding::bringToFront()
{
    QWidget* top = widget_->window();
    top->raise();
    top->activateWindow();
}

void ToolViewBinding::symbolMenu(QPoint client)
{
    emit symbolMenuRequested(widget_->mapToGlobal(client));
}

bool ToolViewBinding::keyPressed(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        return view_.dispatch(MsgKeyDown, kKeyDelete, (event->modifiers() & Qt::ControlModifier) ? 1 : 0) != 0;
    case Qt::Key_Backspace:
        return view_.dispatch(MsgTextChar, kKeyBackspace, 0) != 0;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return view_.dispatch(MsgTextChar, kKeyEnter, 0) != 0;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    // The text tool takes GBK one byte at a time, as typed characters arrive.
    bool used = false;
    for (const char c : toGbk(text))
        used |= view_.dispatch(MsgTextChar, static_cast<unsigned char>(c), 0) != 0;
    return used;
}

bool ToolViewBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        if (e->button() == Qt::LeftButton)
            tools_.mouseDown(p, modifiersOf(e->modifiers()));
        else if (e->button() == Qt::RightButton)
            tools_.rightDown(p, modifiersOf(e->modifiers()));
        return false;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        tools_.mouseMove(e->position().toPoint(), modifiersOf(e->modifiers()));
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            tools_.mouseUp(e->position().toPoint(), modifiersOf(e->modifiers()));
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            tools_.doubleClick(e->position().toPoint(), modifiersOf(e->modifiers()));
        return false;
    }
    case QEvent::KeyPress:
        return keyPressed(static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

}  // namespace brenmark
