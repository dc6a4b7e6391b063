// Pieces shared by the deductions that look at one digit at a time: the step they fill and the
// words for its lines.
#pragma once

#include "hint/position.h"
#include "hint/step.h"

#include <string>

namespace quorix::hint {

// A step of `kind` about `digit` that strikes the digit from every square of `strikes`
// (ascending), with `pattern` as its squares; name, units and sentence are left to the caller.
[[nodiscard]] Step OneDigitStep(Technique kind, int digit, SquareBits strikes, SquareBits pattern);

// "rows 2 and 6" or "column 4": the lines of `mask` (bit i = row or column i).
[[nodiscard]] std::string LinesName(bool rows, unsigned mask);

// `squares` line by line, each line's squares together: "rows 1 and 4, column 3; row 8,
// column 7" by columns (`byRow` false), "row 2, columns 1 and 5; row 6, column 2" by rows.
[[nodiscard]] std::string ByLine(SquareBits squares, bool byRow);

// "two", "three", "four".
[[nodiscard]] std::string CountWord(int count);

// Whether `squares` holds exactly two squares, or at least two: asked inside search loops,
// so found from the lowest squares rather than by counting every bit.
[[nodiscard]] inline bool HasTwo(SquareBits squares)
{
    if (squares.Empty())
        return false;
    squares.Remove(squares.First());
    if (squares.Empty())
        return false;
    squares.Remove(squares.First());
    return squares.Empty();
}
[[nodiscard]] inline bool HasTwoOrMore(SquareBits squares)
{
    return squares.Any() && (squares - SquareBits::Of(squares.First())).Any();
}

// The places of `digit` in `unit` when there are exactly two of them (a strong link: one of
// the two holds the digit), else an empty set.
[[nodiscard]] inline SquareBits LinkIn(const Position &position, int digit, int unit)
{
    const SquareBits places = position.Places(digit) & UnitBits[unit];
    return HasTwo(places) ? places : SquareBits{};
}

// The first unit that `a` and `b` share (row, then column, then group), or -1.
[[nodiscard]] int SharedUnit(int a, int b);

// "in row 1, column 2, in row 4, column 4 and in row 9, column 1": squares on different lines
// without a list inside a list.
[[nodiscard]] std::string InEach(SquareBits squares);

} // namespace quorix::hint
