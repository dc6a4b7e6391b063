// The state block the trace language's `show` prints: what a user can see of the board and the
// controls, and the pending step and marks the next click reads, eleven lines of text. Tests
// compare whole states through it, so that a difference prints as the lines that differ.
#pragma once

#include "core/form/form1.h"

#include <string>

namespace quorix {

// The eleven-line state block printed by `show`.
std::string FormatState(const Form1 &form);

} // namespace quorix
