#include "editor/view/backstitch/widgets/backstitch_view_binding.h"

#include "editor/view/gbk_qstring.h"

#include <QEvent>
#include <QPainter>

namespace brenmark {

// Painted after the view in the same backing store, so the NOT-mode band inverts the chart
// beneath it; repainting puts the chart back where the band was.
class BackstitchOverlay : public QWidget {
public:
    BackstitchOverlay(QWidget* parent, BackstitchEditor& editor) : QWidget(parent), editor_(editor)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(parent->rect());
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        // The band stays off the rulers, as all pattern drawing does.
        p.setClipRect(QRect(kLeftRuler, kTopRuler, width() - kLeftRuler, height() - kTopRuler));
        editor_.paintRubberBand(p);
    }

private:
    BackstitchEditor& editor_;
};

BackstitchViewBinding::BackstitchViewBinding(QWidget* viewWidget, BackstitchEditor& editor)
    : QObject(viewWidget), widget_(viewWidget), editor_(editor), overlay_(new BackstitchOverlay(viewWidget, editor))
{
    widget_->setMouseTracking(true);  // the rubber band follows the pointer without a button
    widget_->installEventFilter(this);
    editor_.setHost(this);
}

BackstitchViewBinding::~BackstitchViewBinding()
{
    editor_.setHost(nullptr);
}

void BackstitchViewBinding::repaintView()
{
    widget_->update();
    overlay_->update();
}

void BackstitchViewBinding::overlayChanged()
{
    overlay_->raise();
    overlay_->update();
}

void BackstitchViewBinding::showLineStatus(const BackstitchLine&, const std::string& text)
{
    emit lineStatus(fromGbk(text));
}

void BackstitchViewBinding::lineMenu(QPoint client)
{
    emit lineMenuRequested(widget_->mapToGlobal(client));
}

bool BackstitchViewBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget_ && event->type() == QEvent::Resize)
        overlay_->setGeometry(widget_->rect());
    return false;
}

}  // namespace brenmark
