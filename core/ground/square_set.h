// A set of squares as an 81-bit board (bit s = square s), and the squares of every unit as such
// sets.
//
// Within a row, column or group, ascending position is ascending square number, so the first
// live square of a unit is the lowest set bit and the one at the highest position is the
// highest set bit.
#pragma once

#include "core/ground/units.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>

namespace quorix {

// The number of bits set in a word, added up in parallel: without a population-count
// instruction in the target, std::popcount is a library call.
constexpr int BitCount(std::uint64_t word)
{
    word -= (word >> 1) & 0x5555555555555555;
    word = (word & 0x3333333333333333) + ((word >> 2) & 0x3333333333333333);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int>((word * 0x0101010101010101) >> 56);
}

static_assert(BitCount(0) == 0 && BitCount(~std::uint64_t{0}) == 64
              && BitCount(0x8000000000000101) == 3);

struct SquareSet
{
    std::uint64_t Low = 0;  // squares 0..63
    std::uint64_t High = 0; // squares 64..80 in bits 0..16

    constexpr void Add(int square)
    {
        if (square < 64)
            Low |= std::uint64_t{1} << square;
        else
            High |= std::uint64_t{1} << (square - 64);
    }
    constexpr void Remove(int square)
    {
        if (square < 64)
            Low &= ~(std::uint64_t{1} << square);
        else
            High &= ~(std::uint64_t{1} << (square - 64));
    }
    [[nodiscard]] constexpr bool IsEmpty() const { return (Low | High) == 0; }
    [[nodiscard]] constexpr bool Contains(int square) const
    {
        return ((square < 64 ? Low >> square : High >> (square - 64)) & 1U) != 0;
    }
    [[nodiscard]] constexpr int Count() const { return BitCount(Low) + BitCount(High); }
    // Lowest and highest squares; only for a set that is not empty.
    [[nodiscard]] constexpr int Lowest() const
    {
        assert(!IsEmpty());
        return Low ? std::countr_zero(Low) : 64 + std::countr_zero(High);
    }
    [[nodiscard]] constexpr int Highest() const
    {
        assert(!IsEmpty());
        return High ? 127 - std::countl_zero(High) : 63 - std::countl_zero(Low);
    }

    friend constexpr SquareSet operator&(SquareSet a, SquareSet b)
    {
        return {a.Low & b.Low, a.High & b.High};
    }
    friend constexpr SquareSet operator|(SquareSet a, SquareSet b)
    {
        return {a.Low | b.Low, a.High | b.High};
    }
    // Set difference: the squares of a that are not in b.
    friend constexpr SquareSet operator-(SquareSet a, SquareSet b)
    {
        return {a.Low & ~b.Low, a.High & ~b.High};
    }
    friend constexpr bool operator==(SquareSet, SquareSet) = default;
};

// UnitSets[type][unit]: the nine squares of that unit.
constexpr auto UnitSets = [] {
    std::array<std::array<SquareSet, 9>, 3> sets{};
    for (int t = 0; t < 3; ++t)
        for (int u = 0; u < 9; ++u)
            for (int p = 0; p < 9; ++p)
                sets[t][u].Add(UnitSquares[t][u][p]);
    return sets;
}();

static_assert(UnitSets[UnitRow][8].Lowest() == 72 && UnitSets[UnitRow][8].Highest() == 80);
static_assert(UnitSets[UnitColumn][8].Lowest() == 8 && UnitSets[UnitColumn][8].Highest() == 80);
static_assert(UnitSets[UnitGroup][4].Lowest() == 30 && UnitSets[UnitGroup][4].Highest() == 50);

} // namespace quorix
