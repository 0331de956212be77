#include "editor/app/status_progress.h"

#include "interchange/gbk_qstring.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QToolButton>

namespace brenmark {

namespace {

// Holds back input for anything but the cancel button while a run the user may stop goes on.
class InputGate final : public QObject {
public:
    explicit InputGate(QObject* open) : open_(open) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::Drop:
        case QEvent::Close:
            return watched != open_;
        default:
            return false;
        }
    }

private:
    QObject* open_;
};

}  // namespace

StatusProgress::StatusProgress(QProgressBar* bar) : bar_(bar)
{
    bar_->setRange(0, 10);
    bar_->setValue(0);
    auto* button = new QToolButton(bar_->parentWidget());
    button->setObjectName(u"cancelExport"_qs);
    button->setText(uiQString("取消"));
    button->hide();
    QObject::connect(button, &QToolButton::clicked, [this] { cancelled_ = cancellable_; });
    cancel_ = button;
}

StatusProgress::~StatusProgress()
{
    setCancellable(false);
    if (cancel_ && !cancel_->parent())
        delete cancel_.data();  // a bar without a window: nothing else owns the button
}

void StatusProgress::setRange(int low, int high)
{
    bar_->setRange(low, high);
}

void StatusProgress::setPosition(int position)
{
    bar_->setValue(position);
    // Loads run on the interface thread: paint the bar now, not after the load.
    if (bar_->isVisible())
        bar_->repaint();
    // A run the user may stop hears the button between its steps.
    if (cancellable_ && QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void StatusProgress::setCancellable(bool on)
{
    cancellable_ = on;
    cancelled_ = false;
    if (cancel_)
        cancel_->setVisible(on);
    if (on && !gate_ && QCoreApplication::instance()) {
        gate_ = std::make_unique<InputGate>(cancel_.data());
        QCoreApplication::instance()->installEventFilter(gate_.get());
    } else if (!on && gate_) {
        QCoreApplication::instance()->removeEventFilter(gate_.get());
        gate_.reset();
    }
}

}  // namespace brenmark
