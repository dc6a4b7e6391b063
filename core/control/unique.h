// Check Unique: solve again from before the first guess with the guesses taken in the opposite
// order, and compare the two solutions.
#pragma once

#include "core/control/control_state.h"

namespace quorix {

// Before the second solve: the solution kept, the guess order reversed, the verdict cleared,
// the board of depth slot 0 put back and no auto status yet.
void PrepareUniqueCheck(FormState &state);

// After it: when the run ended solved, whether it found the same solution, on the status line.
// A run that ended otherwise (stopped, or no solution) keeps its own message.
void JudgeUniqueCheck(FormState &state);

} // namespace quorix
