// Almost locked sets: N empty squares of one unit whose candidates together are N + 1 digits
// (a single square with two candidates is the smallest). In any solution such a set holds N
// different digits out of its N + 1, so it lacks at most one of them: once one of its digits is
// ruled out of it, it holds every other one. The deductions built on them (ALS-XZ and the
// ALS-XY-Wing) share the catalogue of sets, their links and the words here.
#pragma once

#include "hint/digit_squares.h"
#include "hint/position.h"
#include "hint/step.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quorix::hint {

// The largest set the catalogue holds: larger sets are rare and cost more than they find
// (measured on the repository's puzzle sets).
constexpr int MaxAlsSize = 5;

// DigitCount[mask]: how many digits a mask holds, a table rather than a call per count, as the
// build does not assume a processor that counts bits in one instruction.
inline constexpr auto DigitCount = [] {
    std::array<std::int8_t, 512> counts{};
    for (int mask = 1; mask < 512; ++mask)
        counts[mask] = static_cast<std::int8_t>(counts[mask & (mask - 1)] + 1);
    return counts;
}();

struct Als
{
    SquareBits Squares;
    DigitMask Digits = 0;
    std::int8_t Size = 0;
    // The unit the squares lie in; -1 for a single square, which lies in three.
    std::int8_t Unit = -1;
    // Units[d], for every digit d of the set: the units (bit u for unit u) that hold all its
    // places of d. Squares that all see each other lie in one unit, so d is a restricted common
    // of two sets that share no square (every d of one sees every d of the other) exactly when
    // their Units[d] meet.
    std::array<std::uint32_t, 9> Units{};
    // Seeing[d], for every digit d of the set: the squares that see each of its places of d
    // (none of the set's places of d among them).
    DigitSquares Seeing{};
};

// Two sets of the catalogue that share no square, joined by restricted commons: at most one
// of the two holds each of these digits.
struct AlsLink
{
    std::uint16_t First = 0, Second = 0; // catalogue indices, First < Second
    DigitMask Digits = 0;                // the restricted commons
};

// The almost locked sets of a position, worked out once for the deductions that use them.
struct AlsCatalogue
{
    // Every set of up to MaxAlsSize squares, each once (a single square is listed under its
    // row, a set in one line and one group under the line): by unit (rows, columns, groups),
    // then in lexicographic order of the unit's squares.
    std::vector<Als> Sets;
    // Every linked pair, ordered by First, then Second.
    std::vector<AlsLink> Links;
};
[[nodiscard]] AlsCatalogue CatalogueAlmostLockedSets(const Position &position);

// ALS-XZ and the ALS-XY-Wing on a catalogue of the position (als_xz.cpp, als_xy_wing.cpp).
bool FindAlsXZIn(const Position &position, const AlsCatalogue &catalogue, Step &step);
bool FindAlsXYWingIn(const Position &position, const AlsCatalogue &catalogue, Step &step);

// The places of `digit` that see each of its places in both sets: where the digit cannot go
// once it is known to lie in one of them.
[[nodiscard]] inline SquareBits PlacesSeeingBoth(const Position &position, const Als &a,
                                                 const Als &b, int digit)
{
    return position.Places(digit) & a.Seeing[digit] & b.Seeing[digit];
}

// The units of the sets, each once, in the order given; single squares add none.
[[nodiscard]] std::vector<std::uint8_t> UnitsOf(std::initializer_list<const Als *> sets);

// "row 3, columns 2 and 5 (candidates 1, 4 and 7)".
[[nodiscard]] std::string AlsText(const Als &set);

// One sentence per set of squares that loses digits: "Row 5, column 2 sees every 7 of <whose>
// and cannot be 7." or "... every 4 and 9 of <whose> and can be none of them.", joined by
// blanks.
[[nodiscard]] std::string LossSentences(const DigitSquares &strikes, const std::string &whose);

// "a 7 lies" for one digit, "each of 5 and 7 lies" for several.
[[nodiscard]] std::string OneOfEach(DigitMask digits);

} // namespace quorix::hint
