// An independent solution counter for the 9x9 board, used only to verify the solver's results
// (benchmarks, fuzz and property tests). It shares no code with the logic it checks.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorix {

// Number of solutions of `puzzle81` (81 characters, row-major; '1'..'9' a given, '.' or '0'
// an empty square), counting no further than `limit`: 0 none, otherwise 1..limit. A digit given
// twice in a row, column or group means no solution. A malformed puzzle (wrong length or an
// unknown character) also counts as 0. A limit below 1 is taken as 1.
[[nodiscard]] int CountSolutions(std::string_view puzzle81, int limit);

// Whether `grid` (digit codes 0..8 in squares 0..80, as in the board's Grid) is a complete
// board with every digit once per row, column and group, and keeps every given of `puzzle81`.
[[nodiscard]] bool IsValidSolution(std::string_view puzzle81,
                                   const std::array<std::int16_t, 82> &grid);

// Number of givens in `puzzle81` ('1'..'9' characters).
[[nodiscard]] int CountGivens(std::string_view puzzle81);

} // namespace quorix
