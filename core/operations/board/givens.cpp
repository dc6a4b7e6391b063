// Laying the puzzle as entered out on the board, in solving or in setup form.
#include "core/form/form1.h"

namespace quorix {

void Form1::LoadGivens()
{
    for (int s = 0; s < SquareCount; ++s) {
        Board.Grid[s] = Board.Givens[s];
        SetSquare(s, Board.Grid[s], true);
    }
    Board.ForgetStep();
    Board.Guessed = false;
}

void Form1::EnterSetupMode()
{
    Controls.CandidateBits.fill(0);
    for (auto &square : Controls.Squares) {
        square.Visible = true;
        square.Enabled = true;
    }
    Board.ForgetStep();
    Board.Guessed = false;
}

} // namespace quorix
