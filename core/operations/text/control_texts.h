// What each control is and does, in words: the tooltips of the window's buttons, and the names
// and descriptions that assistive technology reads out.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

#include <string>

namespace quorix {

// "Square 23: row 3, column 5".
[[nodiscard]] std::string SquareToolTip(int square);
// "Strike candidate 7 from square 23".
[[nodiscard]] std::string CandidateToolTip(int candidate);
// "Carry out the next deduction about 4".
[[nodiscard]] std::string NumberToolTip(int digitCode);
// What a click on command button `index` (cmdMode) does; empty for index 2, which is no button.
[[nodiscard]] std::string ModeToolTip(int index);
// The Hint button's tooltip, which names its key too.
[[nodiscard]] std::string HintToolTip();
// The Hint button's tooltip, which names its key too.
[[nodiscard]] std::string HintToolTip();

// Accessible names. A square: "Square 22: row 3, column 4, 5, given", "Square 22: row 3,
// column 4, 5" (placed), "Square 22: row 3, column 4, empty". A candidate: "Row 3, column 4:
// candidate 7". A digit button: "Digit 4". A command button is named by its caption.
[[nodiscard]] std::string SquareAccessibleName(const BoardState &board, int square);
// All that SquareAccessibleName reads of the board, as one small number: the square's name
// changes exactly when this does.
[[nodiscard]] int SquareNameKey(const BoardState &board, int square);
[[nodiscard]] std::string CandidateAccessibleName(int candidate);
[[nodiscard]] std::string NumberAccessibleName(int digitCode);
// What typing on or clicking a square does.
[[nodiscard]] std::string SquareAccessibleDescription();
// The status line as read out: "Status: " and its text.
[[nodiscard]] std::string NewsAccessibleName(const ControlStore &controls);

} // namespace quorix
