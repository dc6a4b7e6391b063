// The keyboard on the grid beyond the digits: the arrows, Delete and BackSpace.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"
#include "core/ground/platform.h"

namespace quorix {

// Up, Down, Left and Right move the focus to the nearest visible square that way (rows for Up
// and Down, columns for Left and Right), staying put at the edge; Delete empties the square as
// the 0 key does, and BackSpace also moves back to the previous visible square.
void PressGridKey(BoardState &board, ControlStore &controls, Platform &host, int square,
                  GridKey key);

} // namespace quorix
