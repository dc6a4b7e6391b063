#include "tools/form_setup.h"

#include <bit>
#include <string>

namespace quorix {

void StartPuzzle(Form1 &form, std::string_view puzzle)
{
    // Typed as keys: a digit, or 0 for every other square.
    std::string keys(SquareCount, '0');
    for (std::size_t s = 0; s < keys.size() && s < puzzle.size(); ++s)
        if (puzzle[s] >= '1' && puzzle[s] <= '9')
            keys[s] = puzzle[s];
    TypePuzzle(form, keys);
    form.LoadGivens();
    form.StrikeSetDigits();
}

namespace {

// The first empty square with a candidate, and its lowest candidate; false when there is none.
bool FirstOpenSquare(const BoardState &board, const ControlStore &controls, int &square, int &digit)
{
    square = 0;
    while (square < SquareCount && (board.Grid[square] >= 0 || controls.CandidateBits[square] == 0))
        ++square;
    if (square == SquareCount)
        return false;
    digit = std::countr_zero(controls.CandidateBits[square]);
    return true;
}

} // namespace

bool GuessFirstOpenSquare(Form1 &form)
{
    int square, digit;
    if (!FirstOpenSquare(form.Board(), form.Controls(), square, digit))
        return false;
    form.SetSquare(square, digit, true);
    form.StrikeSetDigits();
    return true;
}

bool GuessFirstOpenSquare(BoardState &board, ControlStore &controls)
{
    int square, digit;
    if (!FirstOpenSquare(board, controls, square, digit))
        return false;
    SetSquare(board, controls, square, digit, true);
    StrikeSetDigits(board, controls);
    return true;
}

} // namespace quorix
