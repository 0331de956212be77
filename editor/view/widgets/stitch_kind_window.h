#pragma once
// The stitch-kind window "针法": fourteen buttons, kinds 0 (plain, no mark) to 13; a click
// tells the view which mark the point tool places.
#include "editor/view/pattern_view.h"

#include <QWidget>

class QButtonGroup;

namespace brenmark {

class StitchKindWindow : public QWidget {
    Q_OBJECT
public:
    explicit StitchKindWindow(PatternView& view, QWidget* parent = nullptr);
    int kind() const;

private:
    PatternView& view_;
    QButtonGroup* group_ = nullptr;
};

}  // namespace brenmark
