#include "core/operations/board/givens.h"

#include "core/operations/board/placing.h"

namespace quorix {

void LoadGivens(BoardState &board, ControlStore &controls)
{
    for (int s = 0; s < SquareCount; ++s) {
        board.Grid[s] = board.Givens[s];
        SetSquare(board, controls, s, board.Grid[s], true);
    }
    board.ForgetStep();
    board.Guessed = false;
}

void EnterSetupMode(BoardState &board, ControlStore &controls)
{
    controls.CandidateBits.fill(0);
    for (auto &square : controls.Squares) {
        square.Visible = true;
        square.Enabled = true;
    }
    board.ForgetStep();
    board.Guessed = false;
}

} // namespace quorix
