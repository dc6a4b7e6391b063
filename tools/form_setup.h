// Setting up a headless window for tests and benchmarks.
#pragma once

#include "core/form/form1.h"

#include <string_view>

namespace quorix {

// Lays `puzzle` (81 characters, '1'-'9' a given, anything else empty) out as entered and
// started: the givens typed, then LoadGivens and StrikeSetDigits, without a click's prologue.
void StartPuzzle(Form1 &form, std::string_view puzzle);

// Guesses the lowest candidate of the first empty square that has one, re-striking after it, as
// a search stuck on logic would; false when there is no such square.
bool GuessFirstOpenSquare(Form1 &form);
bool GuessFirstOpenSquare(BoardState &board, ControlStore &controls);

} // namespace quorix
