// Whole-board snapshots: the single save slot and the depth slots of the guess stack.
//
// Slot -1 is the save slot of Save and Restore; slots 0..81 are the depth slots. A snapshot
// keeps every square's value and every candidate.
#pragma once

#include "core/control/control_state.h"
#include "core/ground/square_set.h"

namespace quorix {

// The board into slot `slot`. A depth slot is stamped with the number of the save.
void SaveSnapshot(FormState &state, int slot);

// The board as slot `slot` holds it, every empty square in solving form; the pending step
// becomes a re-strike, so that the next ApplyStep only strikes the set digits again.
void RestoreSnapshot(FormState &state, int slot);

// The same where every square outside `differing` already holds the slot's value and shows it
// as a restore would, and every square of `differing` is empty in the slot: only those squares
// are written, emptied (the candidates all the same).
void RestoreSnapshot(FormState &state, int slot, SquareSet differing);

} // namespace quorix
