#pragma once
#include "editor/document/symbol_table.h"
#include "editor/document/thread_table.h"

#include <string>
#include <vector>

namespace brenmark {

// The 235 chart symbols, in order: 73 single-byte characters, then 162 GBK characters.
const std::vector<std::string>& symbolCharacterSet();

// A symbol for thread i when the set has run out (i >= 235): the symbol of an earlier thread
// of the same colour when there is one, otherwise a two-character code unique to i.
std::string overflowSymbol(const ThreadTable& threads, const SymbolTable& symbols, std::size_t i);

}  // namespace brenmark
