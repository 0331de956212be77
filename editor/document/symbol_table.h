#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace brenmark {

struct SymbolEntry {
    std::int32_t color = -1;  // the thread colour this symbol stands for
    std::string symbol;       // one GBK character, at most 2 bytes in files

    bool operator==(const SymbolEntry&) const = default;
};

// 256 slots; slot i belongs to thread i. Slot 0's colour -1 means no symbols are assigned.
using SymbolTable = std::array<SymbolEntry, 256>;

inline bool symbolsAssigned(const SymbolTable& table) { return table[0].color != -1; }

}  // namespace brenmark
