#pragma once
// The tool's message boxes and About box as real windows.
#include "editor/document/user_prompts.h"

class QWidget;

namespace brenmark::glimbert {

class QtMessages final : public MessageBoxes {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;

private:
    QWidget* parent_;
};

// The program name and version 1.0.
void showAbout(QWidget* parent);

}  // namespace brenmark::glimbert
