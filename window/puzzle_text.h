// A puzzle as a line of text: 81 characters in reading order, '1'-'9' for a set square and
// '.' for an empty one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorix {

class Form1;

// Types `puzzle` into the squares as the user would, one key press per square in order, with
// '.' pressed as '0'; other characters are pressed as they are. At most 81 are typed.
void TypePuzzle(Form1 &form, std::string_view puzzle);

// `grid` (digit codes, negative = empty) as a line of 81 characters.
[[nodiscard]] std::string GridText(const std::array<std::int16_t, 82> &grid);

} // namespace quorix
