#pragma once
// The status bar's progress bar (0..10) as the ProgressReport of loads and image rebuilds.
#include "editor/document/user_prompts.h"

class QProgressBar;

namespace brenmark {

class StatusProgress final : public ProgressReport {
public:
    explicit StatusProgress(QProgressBar* bar);
    void setRange(int low, int high) override;
    void setPosition(int position) override;

private:
    QProgressBar* bar_;
};

}  // namespace brenmark
