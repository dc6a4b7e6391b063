// Trial and error: one guess, or one backtrack to the next untried candidate, per call.
#pragma once

#include "core/control/control_state.h"

namespace quorix {

struct AutoCarry;
class StoppedBursts;

// One guess or one backtrack; `status` in and out; returns true when the search is exhausted.
bool GuessOrBacktrack(FormState &state, BoardStatus &status);
// The same within the auto loop: through what it knows about the board, with what a stopped
// burst decides written through `bursts`.
bool GuessOrBacktrack(FormState &state, BoardStatus &status, AutoCarry &carry,
                      StoppedBursts &bursts);

} // namespace quorix
