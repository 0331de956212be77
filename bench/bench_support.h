#pragma once
// What the benchmarks share.
#include <cstdint>

namespace brenmark::bench {

// A small deterministic mixer, so made-up cells look like a picture rather than a constant.
inline std::uint32_t mix(std::uint32_t v)
{
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

}  // namespace brenmark::bench
