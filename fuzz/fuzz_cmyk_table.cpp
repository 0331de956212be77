// Feeds arbitrary bytes to the CMYK table reader. A refused table must come back empty; an
// accepted one must hold no more records than the bytes can, each value one that a
// percentage 0 … 100 gives, and read the same again from its own bytes.
#include "fuzz/fuzz_support.h"

#include "tiffwriter/cmyk_table.h"

#include <array>
#include <cstring>

using namespace brenmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<bool, 256> reachable = [] {
        std::array<bool, 256> r{};
        for (std::uint8_t p = 0; p <= 100; ++p)
            r[valueFromPercent({p, 0, 0, 0}).c] = true;
        return r;
    }();
    CmykTable table{{"stale", kBlackInk}};  // whatever was there before must go
    if (!decodeCmykTable({data, size}, table)) {
        FUZZ_CHECK(table.empty());
        return 0;
    }
    FUZZ_CHECK(size >= kCmykHeaderSize && std::memcmp(data, kCmykMagic.data(), kCmykMagic.size()) == 0);
    FUZZ_CHECK(kCmykHeaderSize + table.size() * kCmykRecordSize <= size);
    for (const CmykRecord& r : table) {
        FUZZ_CHECK(r.number.size() <= kCmykNumberField);
        FUZZ_CHECK(reachable[r.value.c] && reachable[r.value.m] && reachable[r.value.y] && reachable[r.value.k]);
        FUZZ_CHECK(findCmyk(table, r.number) != nullptr);
    }
    CmykTable again;
    FUZZ_CHECK(decodeCmykTable({data, kCmykHeaderSize + table.size() * kCmykRecordSize}, again));
    FUZZ_CHECK(again.size() == table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        FUZZ_CHECK(again[i].number == table[i].number && again[i].value == table[i].value);
    return 0;
}
