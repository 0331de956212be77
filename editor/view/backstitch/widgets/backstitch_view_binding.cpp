#include "editor/view/backstitch/widgets/backstitch_view_binding.h"

#include "editor/view/widgets/view_overlay.h"
#include "interchange/gbk_qstring.h"

#include <QPainter>

namespace brenmark {

BackstitchViewBinding::BackstitchViewBinding(QWidget* viewWidget, BackstitchEditor& editor)
    : QObject(viewWidget), widget_(viewWidget), editor_(editor),
      overlay_(new ViewOverlay(viewWidget, [viewWidget, &editor](QPainter& p) {
          // The band stays off the rulers, as all pattern drawing does.
          p.setClipRect(viewWidget->rect().adjusted(kLeftRuler, kTopRuler, 0, 0));
          editor.paintRubberBand(p);
      }))
{
    widget_->setMouseTracking(true);  // the rubber band follows the pointer without a button
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

}  // namespace brenmark
