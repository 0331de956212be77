#pragma once
// The questions the whole-pattern transforms ask the user. The editor answers them with
// dialogs (widgets/transform_dialogs_qt.h), tests with scripts.
#include <optional>

namespace brenmark {

class TransformDialogs {
public:
    virtual ~TransformDialogs() = default;
    // "绣图缩放": the factor, or nothing when cancelled.
    virtual std::optional<double> askScaleFactor() = 0;
    // "修改绣图尺寸": the new width and height, starting from the current ones.
    struct Size {
        int width = 0;
        int height = 0;
    };
    virtual std::optional<Size> askPatternSize(Size current) = 0;
};

}  // namespace brenmark
