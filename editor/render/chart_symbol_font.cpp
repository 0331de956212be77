#include "editor/render/chart_symbol_font.h"

namespace brenmark {

QString chartSymbolFontFamily()
{
    return {};
}

}  // namespace brenmark
