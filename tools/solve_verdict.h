// The verdict on one puzzle, from the program's own commands on a headless window: Auto for
// the solution and the guesses it needed, then Check Unique for whether it is the only one;
// and the solving path as the Next button walks it.
#pragma once

#include "core/operations/text/puzzle_lines.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

class Form1;
class HeadlessPlatform;

enum class Verdict {
    Unique,  // solved, and Check Unique found no other solution
    Several, // solved, and Check Unique found another solution
    None,    // Auto proved there is no solution
    Invalid, // not a puzzle to solve: malformed, a given twice in a unit, too few givens
    Failed,  // the program gave no answer; never a success
};

// "unique", "several", "none", "invalid", "failed".
[[nodiscard]] std::string_view VerdictName(Verdict verdict);

// Reads one line as a puzzle in any one-line form Paste takes (a line longer than
// MaxPuzzleLineLength is refused before it is read): 81 squares, '1'-'9' a given and
// '.', '0', '_', '*', 'x' or 'X' an empty square, with whitespace, '|', '+' and ':' skipped.
// On success `puzzle` holds 81 characters, '1'-'9' and '.'; otherwise `reason` says what is
// wrong with the line and quotes it short.
[[nodiscard]] bool ReadPuzzleLine(std::string_view line, std::string &puzzle, std::string &reason);

// The reason for refusing a line of `length` characters that starts with `start`.
[[nodiscard]] std::string TooLongReason(std::string_view start, std::uint64_t length);

struct PuzzleVerdict
{
    Verdict What = Verdict::Failed;
    std::string Solution;   // the board Auto solved, 81 digits; empty when it solved none
    long long Guesses = -1; // the guesses Auto needed; -1 when it did not run
    std::string Reason;     // why Invalid or Failed
    std::string AutoNews;   // the status line after Auto; empty when it did not run
    std::string UniqueNews; // the status line after Check Unique; empty when it did not run
};

// The verdict on what is not a puzzle to solve, saying why.
[[nodiscard]] PuzzleVerdict InvalidVerdict(std::string reason);

// What the Next button explains, click after click, on a freshly typed puzzle.
struct NextPath
{
    std::vector<std::string> Steps; // every step's explanation, in order
    std::string Stop;               // what Next said when it found no step
    bool GaveUp = false;            // it still found steps after more clicks than can be
};

// The program's verdicts, one puzzle after another on one headless window. Not thread-safe:
// one solver per thread.
class PuzzleSolver
{
public:
    PuzzleSolver();
    ~PuzzleSolver();
    PuzzleSolver(const PuzzleSolver &) = delete;
    PuzzleSolver &operator=(const PuzzleSolver &) = delete;

    // The verdict on one input line (see ReadPuzzleLine).
    [[nodiscard]] PuzzleVerdict JudgeLine(std::string_view line);
    // The verdict on a puzzle of 81 characters, '1'-'9' and '.'.
    [[nodiscard]] PuzzleVerdict Judge(std::string_view puzzle);
    // The steps Next takes on the puzzle until it is solved or logic is stuck.
    [[nodiscard]] NextPath WalkNext(std::string_view puzzle);

private:
    void Enter(std::string_view puzzle);
    void CheckUnique(PuzzleVerdict &verdict);

    std::unique_ptr<HeadlessPlatform> Host;
    std::unique_ptr<Form1> Form;
};

} // namespace quorix
