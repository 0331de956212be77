#pragma once
// The one bridge between the pattern's stored colours (0x00BBGGRR) and Qt's colours.
#include "editor/document/color_ref.h"

#include <QColor>

namespace brenmark {

inline QColor qColour(ColorRef c)
{
    return QColor(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)), static_cast<int>(blueOf(c)));
}

}  // namespace brenmark
