// The engine's words for squares, units and lists of them, shared by every deduction's
// sentence. Squares are named by row and column, counted from 1.
#pragma once

#include "hint/square_bits.h"
#include "hint/step.h"

#include <string>

namespace quorix::hint {

// "row 3, column 5".
[[nodiscard]] std::string SquareName(int square);
// "r3c5", the short form the batch solver prints.
[[nodiscard]] std::string SquareCode(int square);
// "row 3", "column 5", "group 4".
[[nodiscard]] std::string UnitName(int unit);
// Several squares, grouped where they share a line: "row 2, columns 5 and 8",
// "rows 1 and 4, column 3", or row by row "row 1, column 2; row 4, columns 6 and 7".
[[nodiscard]] std::string SquareList(SquareBits squares);
// "7", "3 and 7", "1, 3 and 7" for a digit mask (bit d = the digit d + 1).
[[nodiscard]] std::string DigitList(unsigned mask);
// Joins items as a person would list them: "a", "a and b", "a, b and c".
[[nodiscard]] std::string JoinAnd(const std::vector<std::string> &items);

// A step's placements as "r3c5=7 r4c1=2" and its strikes as "r4c5-7 r4c6-7", in the step's
// order; empty when there are none.
[[nodiscard]] std::string SetsText(const Step &step);
[[nodiscard]] std::string StrikesText(const Step &step);

// The text with its first letter a capital, for a sentence that starts with a square's name.
[[nodiscard]] std::string Capitalised(std::string text);

// "7" for the digit code 6.
[[nodiscard]] inline std::string DigitName(int digit)
{
    return std::to_string(digit + 1);
}
// "a 7", "an 8".
[[nodiscard]] inline std::string ADigit(int digit)
{
    return (digit == 7 ? "an " : "a ") + DigitName(digit);
}

} // namespace quorix::hint
