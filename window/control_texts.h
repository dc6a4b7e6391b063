// What each control does, in words: the tooltips of the window's buttons.
#pragma once

#include <string>

namespace quorix {

// "Square 23: row 3, column 5".
[[nodiscard]] std::string SquareToolTip(int square);
// "Strike candidate 7 from square 23".
[[nodiscard]] std::string CandidateToolTip(int candidate);
// "Carry out the next deduction about 4".
[[nodiscard]] std::string NumberToolTip(int digitCode);
// What a click on command button `index` (cmdMode) does; empty for index 2, which is no button.
[[nodiscard]] std::string ModeToolTip(int index);

} // namespace quorix
