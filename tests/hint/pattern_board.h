// Boards that hold nothing but one pattern: every square keeps all nine candidates except those
// a test takes away, so no deduction but the one under test can apply.
#pragma once

#include "hint/position.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace quorix::hint::testing {

// The square of "r5c5".
inline int SquareAt(std::string_view code)
{
    return (code[1] - '1') * 9 + (code[3] - '1');
}

// Strikes every digit of `digits` ("12") from `square`.
inline void StrikeDigits(Position &position, int square, std::string_view digits)
{
    for (char digit : digits)
        position.Strike(square, digit - '1');
}

// Strikes `digits` from every square of `unit` but those of `keep`.
inline void StrikeInUnit(Position &position, int unit, std::string_view digits,
                         std::initializer_list<std::string_view> keep)
{
    for (int square : UnitBits[unit]) {
        bool kept = false;
        for (std::string_view code : keep)
            kept = kept || SquareAt(code) == square;
        if (!kept)
            StrikeDigits(position, square, digits);
    }
}

// An empty board where each named square ("r5c5") keeps only the given digits ("12").
inline Position
Keeping(std::initializer_list<std::pair<std::string_view, std::string_view>> squares)
{
    Position position;
    for (auto [code, digits] : squares)
        for (int digit = 0; digit < 9; ++digit)
            if (digits.find(static_cast<char>('1' + digit)) == std::string_view::npos)
                position.Strike(SquareAt(code), digit);
    return position;
}

} // namespace quorix::hint::testing
