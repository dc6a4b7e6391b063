// Counting the bits of nine-bit masks (lines, the positions of a unit) by table.
//
// Without a population count instruction in the target, std::popcount is a library call, and
// the fish and chain searches count such masks at every turn.
#pragma once

#include <array>
#include <cstdint>

namespace quorix::hint {

inline constexpr auto NineBitCounts = [] {
    std::array<std::uint8_t, 512> counts{};
    for (unsigned mask = 1; mask < 512; ++mask)
        counts[mask] = static_cast<std::uint8_t>(counts[mask & (mask - 1)] + 1);
    return counts;
}();

// The number of bits set in the low nine bits of `mask`.
[[nodiscard]] constexpr int BitCount9(unsigned mask)
{
    return NineBitCounts[mask & 511];
}

static_assert(BitCount9(0) == 0 && BitCount9(0x1FF) == 9 && BitCount9(0x101) == 2);

} // namespace quorix::hint
