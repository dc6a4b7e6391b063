// What the status line may show: the program's fixed texts, the progress and guessing lines,
// and the explanations of the consistency check and of the deduction steps, with squares,
// digits and units in range. Anything else there is a fault.
#pragma once

#include <string_view>

namespace quorix::fuzz {

// Whether `text` is one of the texts the program writes on the status line.
[[nodiscard]] bool IsSystemText(std::string_view text);

// What CheckBoard writes into Explanation when it finds the board impossible.
[[nodiscard]] bool IsCheckExplanation(std::string_view text);

// What the deduction rules write into Explanation for a step.
[[nodiscard]] bool IsStepExplanation(std::string_view text);

} // namespace quorix::fuzz
