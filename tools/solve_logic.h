// What quorix-solve prints for one input line in its logic modes: the hint engine's solve of
// the puzzle by deductions alone, never guessing.
//
// --logic, one row, fields split by tabs:
//   LINE  BOARD  STATUS  STEPS  TIER  HARDEST
// BOARD is the board reached (81 characters, '.' where the engine stopped); STATUS is solved or
// stuck, or none / several when the givens have no or several solutions (the engine still runs,
// without the rules that need a single solution); STEPS the number of steps; TIER the hardest
// step's tier, 1 to 5 (0 when there was no step); HARDEST its name ('-' when none). A line that
// is no puzzle gives LINE  -  invalid  -  -  REASON.
// --steps follows each row with a line per step: an empty field, the step's number, its tier,
// its name, the squares it sets ("r3c5=7 ..."), the candidates it strikes ("r4c5-7 ..."), and
// its sentence.
// --grade, one row: LINE  GRADE, the grade being the hardest tier's name (easy, medium, hard,
// fiendish, extreme) or stuck, none or several as above; invalid lines as LINE  invalid  REASON.
#pragma once

#include "tools/solve_report.h"

#include <string_view>

namespace quorix {

enum class LogicMode { Off, Rows, Steps, Grade };

[[nodiscard]] LineReport ReportLogicLine(std::string_view where, std::string_view line,
                                         LogicMode mode);

// The report of a line refused before it was read, for `reason`.
[[nodiscard]] LineReport ReportRefusedLogicLine(std::string_view where, std::string_view reason,
                                                LogicMode mode);

} // namespace quorix
