#pragma once
// The tools' "清理单针工具": a stroke over the pattern gathers the cells it passes (a three by
// three brush), and on release those cells are cleaned by the rule of "清理单针" at its last
// chosen strength, as one undo step.
#include "editor/view/tools/tool_host.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <vector>

namespace brenmark {

class PatternView;

class ConfettiBrush final : public ToolDelegate {
public:
    // clean runs the cleanup on the cells the stroke gathered (column, row within the pattern).
    using Clean = std::function<void(const std::function<bool(int column, int row)>& within)>;
    ConfettiBrush(PatternView& view, Clean clean);

    void mouseDown(QPoint client, Modifiers) override;
    void mouseMove(QPoint client, Modifiers, bool buttonHeld) override;
    void mouseUp(QPoint client, Modifiers) override;
    void left() override;

    // Cells on each side of the one under the pointer.
    static constexpr int kReach = 1;

private:
    void brushTo(QPoint cell);
    void brushAt(QPoint cell);

    PatternView& view_;
    Clean clean_;
    bool stroking_ = false;
    QPoint last_;
    int width_ = 0, height_ = 0;
    std::vector<std::uint8_t> brushed_;
};

}  // namespace brenmark
