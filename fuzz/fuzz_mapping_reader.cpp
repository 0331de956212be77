// Feeds arbitrary bytes to the ".x2x" mapping reader. It may read no more pairs than the
// file holds whole; what it read must be written back and read again as the same pairs, and
// fill the grid with ceil(N / 3) rows.
#include "fuzz/fuzz_support.h"

#include "plugins/threadmap/thread_mapping_file.h"

using namespace brenmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<MappingRead> read = decodeMapping(bytes);
    if (!read) {
        FUZZ_CHECK(size < 4);
        return 0;
    }
    FUZZ_CHECK(read->pairs.size() <= (size - 4) / kMappingPairBytes);
    for (const MappingPair& p : read->pairs)
        FUZZ_CHECK(p.number.size() <= kMappingTextBytes && p.dmc.size() <= kMappingTextBytes);
    const std::vector<std::uint8_t> again = encodeMapping(read->pairs);
    const std::optional<MappingRead> back = decodeMapping(again);
    FUZZ_CHECK(back && !back->cutShort && back->pairs == read->pairs);
    MappingGrid grid;
    grid.appendPairs(read->pairs);
    FUZZ_CHECK(static_cast<std::size_t>(grid.rowCount()) == (read->pairs.size() + 2) / 3);
    return 0;
}
