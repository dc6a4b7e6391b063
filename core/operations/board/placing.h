// Placing values and striking candidates: the operations through which the board changes.
//
// Propagation is explicit: SetSquare changes one square, and the caller follows it with
// StrikeSetDigits.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

#include <cassert>
#include <cstdint>

namespace quorix {

// Square `square` set to digit code `code` (0..8), its value shown in place of the candidates.
inline void SetSquareDigit(BoardState &board, ControlStore &controls, int square, int code)
{
    assert(square >= 0 && square < SquareCount && "square out of range");
    assert(code >= 0 && code < DigitCount && "digit code out of range");
    auto &button = controls.Squares[square];
    controls.CandidateBits[square] = 0;
    board.Grid[square] = static_cast<std::int16_t>(code);
    button.Caption = static_cast<char>('1' + code);
    button.Background = board.DigitColours[code];
    button.Visible = true;
}

// Square `square` set to digit code `code`, or emptied for a negative code: an emptied square
// shows all nine candidates in place of its button with `showCandidates`, and otherwise keeps
// what it shows.
void SetSquare(BoardState &board, ControlStore &controls, int square, int code,
               bool showCandidates);

// Hides, in every unit, the candidates of the digits set in that unit.
void StrikeSetDigits(const BoardState &board, ControlStore &controls);

// Whether StrikeSetDigits would change nothing: no live candidate shares a unit with a set
// square of its digit.
[[nodiscard]] bool SetDigitsStruck(const BoardState &board, const ControlStore &controls);

// Carries out the pending step: a placement or a strike, each followed by StrikeSetDigits, or
// only StrikeSetDigits; any other kind does nothing.
void ApplyStep(BoardState &board, ControlStore &controls);

// A click on candidate `candidate`: it goes, and so do the set digits from their units.
void StrikeCandidate(const BoardState &board, ControlStore &controls, int candidate);

// Square `square` typed as part of the puzzle in setup form: digit code `code` (Empty for
// none) as its value and its given.
void EnterSquare(BoardState &board, ControlStore &controls, int square, int code);

} // namespace quorix
