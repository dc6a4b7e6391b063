// FindStep over the board: the rules in their fixed order, the step found recorded on the board.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"
#include "core/operations/deduce/rules.h"

namespace quorix {

// Records `step` as the pending step and the highlight marks; its explanation is left as it is.
inline void RecordStep(BoardState &board, const FoundStep &step)
{
    board.StepKind = step.Kind;
    board.StepTarget = step.Target;
    board.StepDigit = step.Digit;
    board.HighlightSquare = step.Square;
    board.HighlightUnit = step.Unit;
    board.HighlightUnitType = step.UnitType;
}

// Finds one step on the board as the store shows it and records it (RecordStep) with its
// explanation; touches nothing when it finds none. A digit filter 0..8 narrows the digit-driven
// rules.
bool FindStep(BoardState &board, const ControlStore &controls, int digitFilter);

} // namespace quorix
