#pragma once
// The status bar's progress bar (0..10) as the ProgressReport of loads and image rebuilds,
// and of exports, which the user may stop with the "取消" button beside it.
#include "editor/document/user_prompts.h"

#include <QAbstractButton>
#include <QPointer>

#include <memory>

class QObject;
class QProgressBar;

namespace brenmark {

class StatusProgress final : public ProgressReport {
public:
    // The cancel button is made here, hidden, with the bar's parent; the window places it.
    explicit StatusProgress(QProgressBar* bar);
    ~StatusProgress() override;
    void setRange(int low, int high) override;
    void setPosition(int position) override;
    bool cancelled() const override { return cancelled_; }

    // A run the user may stop begins (true) or ends (false). While it runs the button shows,
    // and each step lets the button be pressed; other input to the window waits, so nothing
    // else starts in the middle of the run.
    void setCancellable(bool on);
    QAbstractButton* cancelButton() const { return cancel_; }

private:
    QProgressBar* bar_;
    QPointer<QAbstractButton> cancel_;  // the window may go first
    std::unique_ptr<QObject> gate_;
    bool cancellable_ = false;
    bool cancelled_ = false;
};

}  // namespace brenmark
