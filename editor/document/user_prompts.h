#pragma once
// What the document code needs of the user interface. The editor implements these with
// real windows, the command line with standard error, tests with scripts.

#include "interchange/ui_text.h"

#include <string>

namespace brenmark {

enum class MessageIcon { Information, Warning, Stop, Question };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

class ProgressReport {
public:
    virtual ~ProgressReport() = default;
    virtual void setRange(int low, int high) = 0;
    virtual void setPosition(int position) = 0;
    // Whether the user asked to stop; long runs look between their steps.
    virtual bool cancelled() const { return false; }
};

// For callers that want neither.
class SilentMessages final : public MessageBoxes {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
};

inline constexpr const char* kTitleInfo = UI_TEXT_NOOP("提示");
inline constexpr const char* kTitleWarning = UI_TEXT_NOOP("警告");

}  // namespace brenmark
