// The window's controls, its load event and its starting state.
#pragma once

#include "core/control/control_state.h"

namespace quorix {

// The controls as the window is made: every button's place, caption and visibility, the
// frames' colours, the timer's period, no candidate shown.
void LayOutWindow(ControlStore &controls);

// The load event (Form_Load): the digit colours, the digit buttons' faces, then
// InitialiseWindow.
void LoadForm(FormState &state);

// An empty board in setup form, nothing pending, no frame, the guesses forgotten and the first
// guess order back, and the set-up message.
void InitialiseWindow(FormState &state);

} // namespace quorix
