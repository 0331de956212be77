#pragma once
// The chart symbol font that ships with the program (fonts/BrenmarkChartSymbols.ttf, drawn at
// build time by data/fonts/make_symbol_font.py).
#include <QString>

namespace brenmark {

// Registers the font with Qt's font database on the first call (from the shipped data folder,
// else the program's own folder) and returns its family name; empty when the font is missing.
QString chartSymbolFontFamily();

}  // namespace brenmark
