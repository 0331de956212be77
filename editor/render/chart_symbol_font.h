#pragma once
#include <QString>

namespace brenmark {

// The family of the chart symbol font, empty when it is not installed.
QString chartSymbolFontFamily();

}  // namespace brenmark
