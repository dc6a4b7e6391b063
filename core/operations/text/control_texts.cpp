#include "core/operations/text/control_texts.h"

namespace quorix {

std::string SquareToolTip(int square)
{
    return "Square " + std::to_string(square + 1) + ": row " + std::to_string(square / 9 + 1)
           + ", column " + std::to_string(square % 9 + 1);
}

std::string CandidateToolTip(int candidate)
{
    return "Strike candidate " + std::to_string(candidate % 9 + 1) + " from square "
           + std::to_string(candidate / 9 + 1);
}

std::string NumberToolTip(int digitCode)
{
    return "Carry out the next deduction about " + std::to_string(digitCode + 1);
}

std::string ModeToolTip(int index)
{
    switch (index) {
    case ModeStart:
        return "Lay the puzzle out with its candidates";
    case ModeCheck:
        return "Say whether the board is consistent, solved, or what is wrong";
    case ModeReset:
        return "Empty the board to enter a new puzzle";
    case ModeAuto:
        return "Solve on its own; any command click stops it";
    case ModeRestart:
        return "Go back to the puzzle as entered";
    case ModeNext:
        return "Explain the next deduction; the next click carries it out";
    case ModeCheckUnique:
        return "Tell whether the solution is the only one";
    case ModeSave:
        return "Keep this board, to come back to after a guess";
    case ModeRestore:
        return "Bring back the board kept by Save";
    default:
        return {};
    }
}

std::string HintToolTip()
{
    return "Hint (Ctrl+H): each press tells a little more of the next step (what to look for, "
           "where, the step, then does it); mistakes and slips in the givens come first";
}

namespace {

std::string RowAndColumn(int square)
{
    return "Row " + std::to_string(square / 9 + 1) + ", column " + std::to_string(square % 9 + 1);
}

} // namespace

std::string SquareAccessibleName(const BoardState &board, int square)
{
    // The number first, as the status line names squares by it.
    const int value = board.Grid[square];
    if (value < 0)
        return SquareToolTip(square) + ", empty";
    const bool given = board.Givens[square] == value;
    return SquareToolTip(square) + ", " + std::to_string(value + 1) + (given ? ", given" : "");
}

int SquareNameKey(const BoardState &board, int square)
{
    const int value = board.Grid[square];
    if (value < 0)
        return -1;
    return value * 2 + (board.Givens[square] == value ? 1 : 0);
}

std::string CandidateAccessibleName(int candidate)
{
    return RowAndColumn(candidate / 9) + ": candidate " + std::to_string(candidate % 9 + 1);
}

std::string NumberAccessibleName(int digitCode)
{
    return "Digit " + std::to_string(digitCode + 1);
}

std::string SquareAccessibleDescription()
{
    return "Type a digit, or click to step through 1 to 9; 0, Delete or BackSpace empties it";
}

std::string NewsAccessibleName(const ControlStore &controls)
{
    return "Status: " + controls.News();
}

} // namespace quorix
