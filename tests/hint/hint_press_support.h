// Helpers for the Hint command's tests: the independent counter in the form the library takes,
// puzzles studied through it, and board changes written as short codes.
#pragma once

#include "core/operations/verify/solution_count.h"
#include "hint/answer.h"
#include "hint_support.h"

#include <string>
#include <string_view>

namespace quorix::hint::testing {

inline int Count(std::string_view puzzle, int limit)
{
    return CountSolutions(puzzle, limit);
}

inline PuzzleFacts Studied(std::string_view puzzle)
{
    return StudyPuzzle(puzzle, Count);
}

// The puzzle with the square of "r3c5" set to `digit` (a character '1'..'9' or '.').
inline std::string Changed(std::string puzzle, std::string_view code, char digit)
{
    puzzle[static_cast<std::size_t>((code[1] - '1') * 9 + (code[3] - '1'))] = digit;
    return puzzle;
}

// What a rung shows, written in one call.
inline HintView View(std::string text, int square = -1, int unit = -1, SquareBits marks = {},
                     int digit = -1)
{
    HintView view;
    view.Text = std::move(text);
    view.Square = square;
    view.Unit = unit;
    view.Marks = marks;
    view.Digit = digit;
    return view;
}

inline int SquareOf(std::string_view code)
{
    return (code[1] - '1') * 9 + (code[3] - '1');
}

} // namespace quorix::hint::testing
