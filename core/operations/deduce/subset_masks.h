// What the pair and triple rules share: the masks of two and three digits in ascending order,
// and the naked subsets of a unit.
#pragma once

#include "core/operations/deduce/rules.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quorix {

constexpr unsigned NoMask = 0x400; // above every nine-bit mask
constexpr std::uint32_t AllUnits = (1U << 27) - 1;

// Each nine-bit mask's rank among the masks with as many digits, in ascending order (below
// 84 = the most masks of one size that a subset can have, three digits of nine).
constexpr auto MaskIndexInSize = [] {
    std::array<std::uint8_t, 512> table{};
    std::array<std::uint8_t, 10> next{};
    for (unsigned mask = 0; mask < 512; ++mask)
        table[mask] = next[std::popcount(mask)]++;
    return table;
}();

static_assert(MaskIndexInSize[0x3] == 0 && MaskIndexInSize[0x5] == 1 && MaskIndexInSize[0x7] == 0
              && MaskIndexInSize[0x1C0] == 83);

// The other way round: MaskOfIndex[n][i] is the mask of n digits with rank i, for n = 2, 3.
constexpr auto MaskOfIndex = [] {
    std::array<std::array<std::uint16_t, 84>, 4> table{};
    for (unsigned mask = 0; mask < 512; ++mask)
        if (const int n = std::popcount(mask); n == 2 || n == 3)
            table[n][MaskIndexInSize[mask]] = static_cast<std::uint16_t>(mask);
    return table;
}();

static_assert(MaskOfIndex[2][0] == 0x3 && MaskOfIndex[2][35] == 0x180
              && MaskOfIndex[3][83] == 0x1C0);

// The lowest mask of n digits that exactly n squares of unit `u` of type `t` hold exactly,
// where another square of the unit shares one of its digits (something to strike); NoMask if
// none. `sizedCount` is the number of squares of n candidates in the unit where the caller
// knows it, else 0.
[[nodiscard]] unsigned LowestNakedMask(const CandidateView &view, int t, int u, int n,
                                       unsigned sizedCount);
// Records the step of the naked subset of n squares holding exactly `mask` in that unit.
void RecordNaked(FoundStep &step, const CandidateView &view, unsigned mask, int n, int u, int t);

} // namespace quorix
