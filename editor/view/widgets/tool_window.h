#pragma once
// The tool window "工具窗": sixteen tool buttons and the view switches. It only turns clicks
// into the view's private messages; the tools themselves are the ToolController.
#include "editor/view/pattern_view.h"
#include "editor/view/tools/tool_controller.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QToolButton;

namespace brenmark {

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(PatternView& view, ToolController& tools, QWidget* parent = nullptr);

    // Shows a tool as chosen without sending anything (the controller chose it itself).
    void showTool(Tool tool);
    QToolButton* toolButtonFor(Tool tool) const { return buttons_[static_cast<std::size_t>(tool)]; }
    // The controls by their dialog ids (1019 font, 1052 font name, 1053 base image,
    // 1069 grid, 1079 flashing, 1080 / 1081 / 1082 mirrors).
    QWidget* control(int id) const;

    // Another pattern replaced the open one: "不显网线" and "显示底图" are unchecked and
    // "显示底图" is hidden. Nothing is sent to the view.
    void patternOpened();
    // A base picture was loaded for tracing: "不显网线" is unchecked and "显示底图" is shown
    // and checked. Nothing is sent; the caller sets the view's flags itself.
    void baseImageLoaded();

private:
    void toolClicked(int tool);
    void chooseFont();
    void send(int message, std::intptr_t wParam, std::intptr_t lParam);
    // A box that only works with a pattern open goes back to unchecked otherwise.
    bool needsPattern(QCheckBox* box);

    PatternView& view_;
    ToolController& tools_;
    QButtonGroup* group_ = nullptr;
    std::array<QToolButton*, kToolCount> buttons_{};
    QLineEdit* fontName_ = nullptr;
    QCheckBox* baseImage_ = nullptr;
    QCheckBox* noGrid_ = nullptr;
    QCheckBox* flash_ = nullptr;
    QCheckBox* mirrorH_ = nullptr;
    QCheckBox* mirrorV_ = nullptr;
    QCheckBox* mirrorAny_ = nullptr;
    QWidget* fontButton_ = nullptr;
};

}  // namespace brenmark
