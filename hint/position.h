// A position as the hint engine reads it: the value of every square and the candidates that
// remain in every empty one, kept both per square (a digit mask) and per digit (a square set).
//
// Digits are codes 0..8 (the digits 1..9), as on the board. A candidate that a set digit in
// the same unit rules out is never kept: building a position strikes it, and so does placing.
#pragma once

#include "hint/square_bits.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorix::hint {

// A set of digit codes: bit d is the digit d + 1.
using DigitMask = std::uint16_t;
constexpr DigitMask AllDigits = 0x1FF;
constexpr DigitMask DigitBit(int digit)
{
    return static_cast<DigitMask>(1u << digit);
}

class Position
{
public:
    // Every square empty, with all nine candidates.
    Position();

    // `values`: -1 for an empty square, 0..8 for a set one. `candidates`: the candidates left in
    // each empty square (entries of set squares are ignored). Candidates that a set digit of a
    // peer rules out are struck.
    [[nodiscard]] static Position FromBoard(std::span<const std::int8_t, 81> values,
                                            std::span<const DigitMask, 81> candidates);
    // An 81-character line: '1'..'9' a set square, '.' or '0' an empty one with every
    // candidate its peers allow. Nothing for any other length or character.
    [[nodiscard]] static std::optional<Position> FromLine(std::string_view line);

    [[nodiscard]] int Value(int square) const { return Values[square]; }
    [[nodiscard]] bool IsEmpty(int square) const { return Values[square] < 0; }
    [[nodiscard]] DigitMask Candidates(int square) const { return Masks[square]; }
    [[nodiscard]] bool HasCandidate(int square, int digit) const
    {
        return (Masks[square] & DigitBit(digit)) != 0;
    }
    // The empty squares where `digit` is still a candidate.
    [[nodiscard]] SquareBits Places(int digit) const { return DigitPlaces[digit]; }
    [[nodiscard]] SquareBits EmptySquares() const { return Empties; }
    // The empty squares with exactly `count` candidates.
    [[nodiscard]] SquareBits WithCandidateCount(int count) const;

    // Sets `square` to `digit` and strikes the digit from the square's peers.
    void Place(int square, int digit);
    void Strike(int square, int digit);

    [[nodiscard]] bool Solved() const { return Empties.Empty(); }
    // Whether the position plainly has no solution: an empty square without a candidate, a
    // digit set twice in a unit, or a unit where a digit is neither set nor possible.
    [[nodiscard]] bool Broken() const;

    // The values as an 81-character line, '.' for an empty square.
    [[nodiscard]] std::string Line() const;

    friend bool operator==(const Position &, const Position &) = default;

private:
    std::array<std::int8_t, 81> Values;
    std::array<DigitMask, 81> Masks;
    std::array<SquareBits, 9> DigitPlaces;
    SquareBits Empties;
};

} // namespace quorix::hint
