// Laying the puzzle as entered out on the board, in solving or in setup form.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

namespace quorix {

// The givens become the values, each empty square showing its nine candidates; no step is left
// pending and no guess made.
void LoadGivens(BoardState &board, ControlStore &controls);

// Every square shows its button (values and givens as they are) with no candidate; no step is
// left pending and no guess made.
void EnterSetupMode(BoardState &board, ControlStore &controls);

} // namespace quorix
