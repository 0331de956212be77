#pragma once
#include "editor/document/symbol_table.h"
#include "editor/document/thread_table.h"

#include <string>
#include <utility>
#include <vector>

namespace brenmark {

// The 235 chart symbols, in order: 73 single-byte characters, then 162 GBK characters.
const std::vector<std::string>& symbolCharacterSet();

// The symbols of the chart symbol font ("清晰符号"), in the order threads take them: each one
// a two-byte GBK character, the first ones apart from each other even at screen size.
const std::vector<std::string>& clearSymbolSet();
// The Unicode code point of each symbol of clearSymbolSet(), index for index.
const std::vector<char32_t>& clearSymbolCodePoints();
// The glyph name of each, index for index ("square/half-left").
const std::vector<std::string>& clearSymbolNames();
// The pairs of positions in clearSymbolSet() whose glyphs look alike at chart size, each pair
// once with the smaller position first.
const std::vector<std::pair<int, int>>& clearSymbolLookAlikePairs();
// How many symbols at the start of clearSymbolSet() stand apart from each other even as
// 10-pixel symbols on screen.
std::size_t clearSymbolsApartOnScreen();
// Whether two symbols are two glyphs of the font that look alike (never for equal symbols or
// for symbols outside the font).
bool symbolsLookAlike(const std::string& a, const std::string& b);

// The set a pattern's symbols come from: the font's with clear symbols, else the characters.
const std::vector<std::string>& symbolSetFor(bool clearSymbols);

// The threads (indices, each pair once, smaller first) among the first threadCount whose
// symbols look alike.
std::vector<std::pair<int, int>> lookAlikeThreads(const SymbolTable& symbols, std::size_t threadCount);

// Whether patterns made from now on (new ones and converted pictures) take clear symbols: the
// editor's "清晰符号" setting. Off until a program turns it on.
void setClearSymbolsForNewPatterns(bool on);
bool clearSymbolsForNewPatterns();

// A symbol for thread i when the set has run out (i >= 235): the symbol of an earlier thread
// of the same colour when there is one, otherwise a two-character code unique to i.
std::string overflowSymbol(const ThreadTable& threads, const SymbolTable& symbols, std::size_t i);

}  // namespace brenmark
