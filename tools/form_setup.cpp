#include "tools/form_setup.h"

#include <bit>

namespace quorix {

void StartPuzzle(Form1 &form, std::string_view puzzle)
{
    for (int s = 0; s < SquareCount; ++s) {
        const char c = s < static_cast<int>(puzzle.size()) ? puzzle[s] : '.';
        form.Board.Givens[s] = static_cast<std::int16_t>(c >= '1' && c <= '9' ? c - '1' : Empty);
    }
    form.LoadGivens();
    form.StrikeSetDigits();
}

bool GuessFirstOpenSquare(Form1 &form)
{
    int open = 0;
    while (open < SquareCount
           && (form.Board.Grid[open] >= 0 || form.Controls.CandidateBits[open] == 0))
        ++open;
    if (open == SquareCount)
        return false;
    form.SetSquare(open, std::countr_zero(form.Controls.CandidateBits[open]), true);
    form.StrikeSetDigits();
    return true;
}

} // namespace quorix
