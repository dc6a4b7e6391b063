// Square, group and unit numbering.
//
// Squares are 0..80 row-major; groups are the nine 3x3 boxes 0..8 row-major; a unit is a row
// (type 0), column (type 1) or group (type 2) with an index 0..8, and position 0..8 names one
// of its squares (left to right, top to bottom, or row by row within a group).
#pragma once

#include <array>
#include <cstdint>

namespace quorix {

enum UnitType : std::int16_t { UnitRow = 0, UnitColumn = 1, UnitGroup = 2 };

// The square at `position` of unit `unit` of type `type` (0..2). The logic reads the table
// UnitSquares below, built from it.
constexpr std::int16_t UnitSquare(int unit, int position, int type)
{
    switch (type) {
    case UnitRow:
        return static_cast<std::int16_t>(unit * 9 + position);
    case UnitColumn:
        return static_cast<std::int16_t>(position * 9 + unit);
    default: {
        int origin = unit * 3;
        if (origin > 6)
            origin += 18;
        if (origin > 33)
            origin += 18;
        int offset = position;
        if (offset > 2)
            offset += 6;
        if (offset > 11)
            offset += 6;
        return static_cast<std::int16_t>(origin + offset);
    }
    }
}

constexpr std::int16_t GroupOfSquare(int square)
{
    return static_cast<std::int16_t>((square / 27) * 3 + (square % 9) / 3);
}

// Every unit's squares in position order: UnitSquares[type][unit][position].
constexpr auto UnitSquares = [] {
    std::array<std::array<std::array<std::uint8_t, 9>, 9>, 3> table{};
    for (int t = 0; t < 3; ++t)
        for (int u = 0; u < 9; ++u)
            for (int p = 0; p < 9; ++p)
                table[t][u][p] = static_cast<std::uint8_t>(UnitSquare(u, p, t));
    return table;
}();

// For every square, its row, column and group as indexes 0..26 into a list of all units
// (rows 0..8, columns 9..17, groups 18..26).
struct SquareUnits
{
    std::uint8_t Row, Column, Group;
};
constexpr auto UnitsOfSquare = [] {
    std::array<SquareUnits, 81> table{};
    for (int s = 0; s < 81; ++s)
        table[s] = {static_cast<std::uint8_t>(s / 9), static_cast<std::uint8_t>(9 + s % 9),
                    static_cast<std::uint8_t>(18 + GroupOfSquare(s))};
    return table;
}();

// Each square's three units as bits of that list.
constexpr auto UnitBitsOfSquare = [] {
    std::array<std::uint32_t, 81> table{};
    for (int s = 0; s < 81; ++s) {
        const SquareUnits u = UnitsOfSquare[s];
        table[s] = (1U << u.Row) | (1U << u.Column) | (1U << u.Group);
    }
    return table;
}();

// For every square, the 20 other squares that share a row, column or group with it.
constexpr auto PeersOfSquare = [] {
    std::array<std::array<std::uint8_t, 20>, 81> table{};
    for (int s = 0; s < 81; ++s) {
        int count = 0;
        for (int other = 0; other < 81; ++other)
            if (other != s
                && (other / 9 == s / 9 || other % 9 == s % 9
                    || GroupOfSquare(other) == GroupOfSquare(s)))
                table[s][count++] = static_cast<std::uint8_t>(other);
    }
    return table;
}();

static_assert(UnitSquare(3, 8, 0) == 35 && UnitSquare(3, 8, 1) == 75);
static_assert(UnitSquare(5, 0, 2) == 33 && UnitSquare(7, 5, 2) == 68 && UnitSquare(8, 8, 2) == 80);
static_assert(GroupOfSquare(26) == 2 && GroupOfSquare(27) == 3 && GroupOfSquare(80) == 8);

} // namespace quorix
