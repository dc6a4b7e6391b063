// What a paste must do, whatever the text and whatever the board: a refused paste changes
// nothing and adds no undo step; an accepted one puts exactly the values it read on the board
// (a candidate grid with the candidates it lists, less those its set squares strike) and says
// which square has none left; undo takes the board back to what stood before it; and the copy of
// any board reads back as that board.
#pragma once

#include "core/form/form1.h"
#include "fuzz/window_invariants.h"

#include <string>
#include <string_view>

namespace quorix::fuzz {

// Pastes `text` into `form` as one step of the user's and checks the paste. At the top level
// (no auto run in progress) it also takes the step back with Undo and does it again with Redo,
// checking both; inside an auto run's yield the paste belongs to the run's step. Returns
// whether the paste was accepted.
bool CheckedPaste(Form1 &form, std::string_view text, const Failure &fail);

// The copy of the board, its line or its candidate grid, checked to read back as the board:
// accepted, with the board's values, and for the grid each empty square's candidates (all nine
// for one in setup form, which shows none).
[[nodiscard]] std::string CheckedCopy(const Form1 &form, bool candidates, const Failure &fail);

} // namespace quorix::fuzz
