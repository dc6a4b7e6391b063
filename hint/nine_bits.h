// Counting bits without a library call: nine-bit masks (digits of a square, lines, the positions
// of a unit) by table, and words in parallel.
//
// The baseline instruction set of the target has no population count, so std::popcount is a
// library call, and every search of the engine counts at every turn.
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

// The number of bits set in `word`, added up in parallel.
[[nodiscard]] constexpr int BitCount64(std::uint64_t word)
{
    word -= (word >> 1) & 0x5555555555555555;
    word = (word & 0x3333333333333333) + ((word >> 2) & 0x3333333333333333);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int>((word * 0x0101010101010101) >> 56);
}

static_assert(BitCount64(0) == 0 && BitCount64(~std::uint64_t{0}) == 64);
static_assert(BitCount9(0) == 0 && BitCount9(0x1FF) == 9 && BitCount9(0x101) == 2);

} // namespace quorix::hint
