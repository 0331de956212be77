#pragma once
// Qt's keyboard modifiers as the editing logic takes them.
#include "editor/view/tools/tool_types.h"

#include <Qt>

namespace brenmark {

inline Modifiers modifiersOf(Qt::KeyboardModifiers m)
{
    Modifiers out = NoModifier;
    if (m & Qt::ControlModifier)
        out |= CtrlModifier;
    if (m & Qt::ShiftModifier)
        out |= ShiftModifier;
    return out;
}

}  // namespace brenmark
