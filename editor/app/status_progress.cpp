#include "editor/app/status_progress.h"

#include <QProgressBar>

namespace brenmark {

StatusProgress::StatusProgress(QProgressBar* bar) : bar_(bar)
{
    bar_->setRange(0, 10);
    bar_->setValue(0);
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
}

}  // namespace brenmark
