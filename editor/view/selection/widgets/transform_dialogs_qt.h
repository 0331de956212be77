#pragma once
// The dialogs of "绣图缩放" and "修改绣图尺寸".
#include "editor/view/selection/transform_dialogs.h"

class QWidget;

namespace brenmark {

class QtTransformDialogs final : public TransformDialogs {
public:
    explicit QtTransformDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<double> askScaleFactor() override;
    std::optional<Size> askPatternSize(Size current) override;

private:
    QWidget* parent_;
};

}  // namespace brenmark
