// Sets of the 81 squares as two machine words, and the board's geometry as precomputed sets.
//
// The hint engine keeps one such set per digit (the squares where the digit may still go), so
// the questions its deductions ask ("where can the 7 go in row 3?", "which squares see both
// ends?") are a few word operations each.
//
// Numbering: squares 0..80 row by row; units 0..26 are rows 0..8, columns 9..17 and groups
// (the 3x3 boxes) 18..26, each group numbered row by row.
#pragma once

#include "hint/nine_bits.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>

namespace quorix::hint {

class SquareBits
{
public:
    constexpr SquareBits() = default;
    constexpr SquareBits(std::uint64_t low, std::uint64_t high) : Low(low), High(high) {}

    [[nodiscard]] static constexpr SquareBits Of(int square)
    {
        assert(square >= 0 && square < 81 && "square out of range");
        return square < 64 ? SquareBits{std::uint64_t{1} << square, 0}
                           : SquareBits{0, std::uint64_t{1} << (square - 64)};
    }
    [[nodiscard]] static constexpr SquareBits All() { return {~std::uint64_t{0}, 0x1FFFF}; }

    constexpr void Add(int square) { *this |= Of(square); }
    constexpr void Remove(int square) { *this = *this - Of(square); }
    [[nodiscard]] constexpr bool Has(int square) const { return !(*this & Of(square)).Empty(); }
    [[nodiscard]] constexpr bool Empty() const { return (Low | High) == 0; }
    [[nodiscard]] constexpr bool Any() const { return !Empty(); }
    [[nodiscard]] constexpr int Count() const { return BitCount64(Low) + BitCount64(High); }
    // Lowest square; only for a set that is not empty.
    [[nodiscard]] constexpr int First() const
    {
        assert(!Empty());
        return Low ? std::countr_zero(Low) : 64 + std::countr_zero(High);
    }
    // The square of a one-square set, or -1.
    [[nodiscard]] constexpr int Single() const { return Count() == 1 ? First() : -1; }
    [[nodiscard]] constexpr bool Within(SquareBits other) const { return (*this - other).Empty(); }

    friend constexpr SquareBits operator&(SquareBits a, SquareBits b)
    {
        return {a.Low & b.Low, a.High & b.High};
    }
    friend constexpr SquareBits operator|(SquareBits a, SquareBits b)
    {
        return {a.Low | b.Low, a.High | b.High};
    }
    friend constexpr SquareBits operator^(SquareBits a, SquareBits b)
    {
        return {a.Low ^ b.Low, a.High ^ b.High};
    }
    // The squares of a that are not in b.
    friend constexpr SquareBits operator-(SquareBits a, SquareBits b)
    {
        return {a.Low & ~b.Low, a.High & ~b.High};
    }
    constexpr SquareBits &operator&=(SquareBits b) { return *this = *this & b; }
    constexpr SquareBits &operator|=(SquareBits b) { return *this = *this | b; }
    constexpr SquareBits &operator-=(SquareBits b) { return *this = *this - b; }
    friend constexpr bool operator==(SquareBits, SquareBits) = default;

    // Ascending squares: `for (int square : set)`.
    class Iterator
    {
    public:
        constexpr Iterator(std::uint64_t low, std::uint64_t high) : Low(low), High(high) {}
        constexpr int operator*() const
        {
            return Low ? std::countr_zero(Low) : 64 + std::countr_zero(High);
        }
        constexpr Iterator &operator++()
        {
            if (Low)
                Low &= Low - 1;
            else
                High &= High - 1;
            return *this;
        }
        constexpr bool operator!=(const Iterator &other) const
        {
            return Low != other.Low || High != other.High;
        }

    private:
        std::uint64_t Low, High;
    };
    [[nodiscard]] constexpr Iterator begin() const { return {Low, High}; }
    [[nodiscard]] constexpr Iterator end() const { return {0, 0}; }

private:
    std::uint64_t Low = 0;  // squares 0..63
    std::uint64_t High = 0; // squares 64..80 in bits 0..16
};

constexpr int RowOf(int square)
{
    return square / 9;
}
constexpr int ColumnOf(int square)
{
    return square % 9;
}
constexpr int GroupOf(int square)
{
    return square / 27 * 3 + square % 9 / 3;
}

enum class UnitKind : std::uint8_t { Row, Column, Group };
constexpr int UnitCount = 27;
constexpr int RowUnit(int row)
{
    return row;
}
constexpr int ColumnUnit(int column)
{
    return 9 + column;
}
constexpr int GroupUnit(int group)
{
    return 18 + group;
}
constexpr UnitKind KindOfUnit(int unit)
{
    return static_cast<UnitKind>(unit / 9);
}
// The unit's row, column or group number 0..8.
constexpr int IndexOfUnit(int unit)
{
    return unit % 9;
}

// The units as a person scans them for singles: groups, then rows, then columns.
constexpr auto GroupsRowsColumns = [] {
    std::array<std::uint8_t, UnitCount> order{};
    for (int i = 0; i < UnitCount; ++i)
        order[i] = static_cast<std::uint8_t>((i + 18) % UnitCount);
    return order;
}();

// UnitSquares[unit][position]: rows left to right, columns top to bottom, groups row by row;
// in every unit ascending position is ascending square.
constexpr auto UnitSquares = [] {
    std::array<std::array<std::uint8_t, 9>, UnitCount> table{};
    for (int i = 0; i < 9; ++i)
        for (int p = 0; p < 9; ++p) {
            table[RowUnit(i)][p] = static_cast<std::uint8_t>(i * 9 + p);
            table[ColumnUnit(i)][p] = static_cast<std::uint8_t>(p * 9 + i);
            table[GroupUnit(i)][p] =
                static_cast<std::uint8_t>(i / 3 * 27 + i % 3 * 3 + p / 3 * 9 + p % 3);
        }
    return table;
}();

constexpr auto UnitBits = [] {
    std::array<SquareBits, UnitCount> sets{};
    for (int u = 0; u < UnitCount; ++u)
        for (int square : UnitSquares[u])
            sets[u].Add(square);
    return sets;
}();

// The three units of every square: row, column, group.
constexpr auto UnitsOfSquare = [] {
    std::array<std::array<std::uint8_t, 3>, 81> table{};
    for (int s = 0; s < 81; ++s)
        table[s] = {static_cast<std::uint8_t>(RowUnit(RowOf(s))),
                    static_cast<std::uint8_t>(ColumnUnit(ColumnOf(s))),
                    static_cast<std::uint8_t>(GroupUnit(GroupOf(s)))};
    return table;
}();

// The 20 squares that share a unit with each square (the square itself left out).
constexpr auto PeerBits = [] {
    std::array<SquareBits, 81> sets{};
    for (int s = 0; s < 81; ++s) {
        for (int unit : UnitsOfSquare[s])
            sets[s] |= UnitBits[unit];
        sets[s].Remove(s);
    }
    return sets;
}();

// The squares that see every square of `squares` (none of them included).
constexpr SquareBits SeenByAll(SquareBits squares)
{
    SquareBits seen = SquareBits::All();
    for (int square : squares)
        seen &= PeerBits[square];
    return seen;
}

static_assert(UnitBits[RowUnit(8)].First() == 72 && UnitBits[ColumnUnit(8)].First() == 8);
static_assert(UnitSquares[GroupUnit(4)][0] == 30 && UnitSquares[GroupUnit(8)][8] == 80);
static_assert(PeerBits[0].Count() == 20 && PeerBits[80].Count() == 20 && !PeerBits[40].Has(40));
static_assert(SquareBits::All().Count() == 81);

} // namespace quorix::hint
