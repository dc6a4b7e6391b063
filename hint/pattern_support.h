// Small helpers shared by the wing and uniqueness finders: which unit two squares share, and
// the pieces of a step that strikes candidates.
#pragma once

#include "hint/position.h"
#include "hint/step.h"
#include "hint/wording.h"

#include <bit>
#include <string>

namespace quorix::hint {

// The first unit both squares lie in, looking at the row, then the column, then the group;
// -1 when they do not see each other.
[[nodiscard]] constexpr int SharedUnit(int a, int b)
{
    if (RowOf(a) == RowOf(b))
        return RowUnit(RowOf(a));
    if (ColumnOf(a) == ColumnOf(b))
        return ColumnUnit(ColumnOf(a));
    if (GroupOf(a) == GroupOf(b))
        return GroupUnit(GroupOf(a));
    return -1;
}

// A fresh step of `kind` named as the technique, for the pattern `pattern`.
[[nodiscard]] inline Step StartStep(Technique kind, SquareBits pattern, int digit)
{
    Step step;
    step.Kind = kind;
    step.Name = std::string(NameOf(kind));
    step.Pattern = pattern;
    step.Digit = digit;
    return step;
}

// Adds a strike of `digit` on every square of `squares`, ascending.
inline void StrikeEach(Step &step, SquareBits squares, int digit)
{
    for (int square : squares)
        step.Strikes.push_back({static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
}

// The digit code of a one-digit mask.
[[nodiscard]] inline int OnlyDigit(DigitMask mask)
{
    return std::countr_zero(static_cast<unsigned>(mask));
}

// The digits of a mask as a choice: "3 or 7", "2, 3 or 9".
[[nodiscard]] inline std::string DigitChoices(DigitMask mask)
{
    std::string text;
    const int count = BitCount9(mask);
    int written = 0;
    for (int digit = 0; digit < 9; ++digit) {
        if (!(mask & DigitBit(digit)))
            continue;
        if (written > 0)
            text += written + 1 == count ? " or " : ", ";
        text += std::to_string(digit + 1);
        ++written;
    }
    return text;
}

// "row 5, column 1 (3 or 9)": a square with the candidates it still has.
[[nodiscard]] inline std::string SquareWithChoices(const Position &position, int square)
{
    return SquareName(square) + " (" + DigitChoices(position.Candidates(square)) + ")";
}

} // namespace quorix::hint
