// The consistency check: the one judge of whether the board is solved, stuck or wrong.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

#include <string>

namespace quorix {

// What the check names when it calls the board impossible.
enum class CheckFault {
    None,
    DigitTwice, // a digit set twice in a unit: the explanation and the unit marks
    DeadSquare, // an empty square with no candidate: the explanation and the square mark
};

struct CheckResult
{
    BoardStatus Status;
    CheckFault Fault = CheckFault::None;
};

// Decides the board's status and hides both highlight frames. A board found impossible gets its
// fault in words in Explanation, and its place in the marks: the lowest digit set twice in a
// unit (rows before columns before groups, then the lowest unit) by its unit, or else the last
// empty square with no candidate by its square.
[[nodiscard]] CheckResult CheckBoardFaults(BoardState &board, ControlStore &controls);
[[nodiscard]] inline BoardStatus CheckBoard(BoardState &board, ControlStore &controls)
{
    return CheckBoardFaults(board, controls).Status;
}

// Whether no digit is set twice in a unit and the board is in solving form: every set square
// shown without candidates, every empty one hidden.
[[nodiscard]] bool CleanSolvingForm(const BoardState &board, const ControlStore &controls);

// The check's words for square `square` left with no candidate, into `text`.
void WordDeadSquare(int square, std::string &text);
// The check's report of that square: the explanation and the square mark.
void ReportDead(BoardState &board, int square);

} // namespace quorix
