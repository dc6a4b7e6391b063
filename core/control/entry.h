// Input on the board: the square buttons by mouse and keyboard, the candidate buttons and the
// digit buttons.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"
#include "core/ground/platform.h"

namespace quorix {

// A click on square `square` (cmdSquare_Click): a blank square becomes a 1, a set one the next
// digit, a 9 blank again; as part of the puzzle.
void ClickSquare(BoardState &board, ControlStore &controls, int square);

// A key pressed on square `square` (cmdSquare_KeyPress): '1'..'9' types that digit, '0'
// empties the square, both as part of the puzzle, and the focus moves on to the next control
// unless the square is the last; any other key does nothing.
void PressKeyOnSquare(BoardState &board, ControlStore &controls, Platform &host, int square,
                      int key);

// A click on digit button `digitCode` (cmdNumber_Click): the next step about that digit,
// found and carried out at once with no status line, highlight or check.
void ClickDigitButton(BoardState &board, ControlStore &controls, int digitCode);

} // namespace quorix
