// Squares per digit: the form in which the deductions that strike several digits at once
// gather their strikes before writing them into a step.
#pragma once

#include "hint/position.h"
#include "hint/square_bits.h"
#include "hint/step.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace quorix::hint {

// DigitSquares[d]: a set of squares for the digit code d.
using DigitSquares = std::array<SquareBits, 9>;

[[nodiscard]] inline bool AnySquare(const DigitSquares &sets)
{
    for (SquareBits set : sets)
        if (set.Any())
            return true;
    return false;
}

// The digits whose sets are not empty.
[[nodiscard]] inline DigitMask DigitsOf(const DigitSquares &sets)
{
    DigitMask digits = 0;
    for (int digit = 0; digit < 9; ++digit)
        if (sets[digit].Any())
            digits |= DigitBit(digit);
    return digits;
}

// The one digit with a set that is not empty, or -1 when there are none or several.
[[nodiscard]] inline int SingleDigitOf(const DigitSquares &sets)
{
    const DigitMask digits = DigitsOf(sets);
    return BitCount9(digits) == 1 ? std::countr_zero(digits) : -1;
}

// The candidates of `sets`, ascending by square and then by digit, the order a step lists
// its strikes in.
[[nodiscard]] inline std::vector<Candidate> CandidatesOf(const DigitSquares &sets)
{
    SquareBits squares;
    for (SquareBits set : sets)
        squares |= set;
    std::vector<Candidate> candidates;
    for (int square : squares)
        for (int digit = 0; digit < 9; ++digit)
            if (sets[digit].Has(square))
                candidates.push_back(
                    {static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
    return candidates;
}

} // namespace quorix::hint
