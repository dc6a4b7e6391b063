// What quorix-solve prints for one input line: a row of the table, or with --explain the
// solving path. Either ends with a line break; texts of the program keep their exact wording.
//
// Table row, fields split by tabs:
//   WHERE  SOLUTION  VERDICT  GUESSES  [REASON]
// SOLUTION is Auto's solved board (81 digits) or '-'; VERDICT is unique, several, none,
// invalid or failed; GUESSES is how many guesses Auto needed, '-' when it did not run; REASON
// follows invalid and failed only.
//
// Explained path: a header line, the steps of Next numbered from 1, what stopped Next, what
// Auto and Check Unique said, the solution and the verdict, then an empty line:
//   puzzle WHERE: PUZZLE
//     1. <step>
//     next: <what Next said when it found no step>
//     auto: <Auto's message> (N guesses)
//     solution: <81 digits>
//     unique: <Check Unique's message>
//     verdict: VERDICT[: REASON]
// A line that is no puzzle to solve gets the header (without PUZZLE when it could not be read)
// and the verdict only.
#pragma once

#include "tools/solve_verdict.h"

#include <string>
#include <string_view>

namespace quorix {

struct LineReport
{
    std::string Text;
    Verdict What = Verdict::Failed;
};

[[nodiscard]] std::string TableRow(std::string_view where, const PuzzleVerdict &verdict);

// `puzzle` is empty when the line could not be read; `path` null when Next was not walked.
[[nodiscard]] std::string ExplainedPath(std::string_view where, std::string_view puzzle,
                                        const PuzzleVerdict &verdict, const NextPath *path);

// Reads `line`, judges it with `solver` and reports it, as a table row or explained.
[[nodiscard]] LineReport ReportLine(PuzzleSolver &solver, std::string_view where,
                                    std::string_view line, bool explain);

// The report of a line refused before it reached the solver, for `reason`.
[[nodiscard]] LineReport ReportRefusedLine(std::string_view where, std::string reason,
                                           bool explain);

} // namespace quorix
