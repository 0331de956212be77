#pragma once
// The progress bar of a pixel pass, shared by the picture and photo conversions.
#include "editor/document/user_prompts.h"

#include <algorithm>
#include <cstddef>

namespace brenmark {

// Progress in tenths over one pass of count pixels: the position is sent whenever the pixel
// number is a multiple of the step and the quotient is new; the pass ends at 10.
class PassProgress {
public:
    PassProgress(ProgressReport* report, std::size_t count) : report_(report)
    {
        step_ = std::max<std::size_t>(1, static_cast<std::size_t>(static_cast<double>(count) * 0.1));
    }
    // Called with every pixel number; cheap between the steps.
    void at(std::size_t i)
    {
        if (!report_ || i != next_)
            return;
        const int quotient = static_cast<int>(i / step_);
        if (quotient != last_) {
            report_->setPosition(quotient);
            last_ = quotient;
        }
        next_ += step_;
    }
    void finish()
    {
        if (report_)
            report_->setPosition(10);
    }

private:
    ProgressReport* report_;
    std::size_t step_ = 1;
    std::size_t next_ = 0;
    int last_ = -1;
};

}  // namespace brenmark
