// The Hint command as one call per press: what the board as it stands needs first (a slip in
// the givens, a mistake, the next deduction) and the rung of that ladder that was asked for.
//
// The facts about a puzzle (its solutions, its slips) cost up to a good part of a second, so
// they are found once per puzzle by StudyPuzzle, off the window's thread, and kept by the
// caller; answering a press is then quick and pure, and any number of threads may answer at
// once.
#pragma once

#include "hint/ladder.h"
#include "hint/slips.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorix::hint {

struct PuzzleFacts
{
    // The puzzle as it stood at the start: 81 characters, '1'..'9' a given, '.' empty.
    std::string Puzzle;
    int Givens = 0;
    // 0, 1, ..., or MostSolutionsCounted + 1 for more than that.
    int Solutions = 0;
    // The one solution, 81 characters '1'..'9', where there is exactly one; else empty.
    std::string Solution;
    // Where there is no solution or several: the slips that would leave exactly one.
    std::vector<Slip> Slips;
};

// Counts the solutions of `puzzle` and finds its solution or its slips. A puzzle that is not 81
// characters of digits and dots has no solution and no slip.
[[nodiscard]] PuzzleFacts StudyPuzzle(std::string_view puzzle, const SolutionCounter &count);

// The one solution of `puzzle`, found square by square with the counter; empty where the puzzle
// has no solution or several.
[[nodiscard]] std::string SolutionOf(std::string_view puzzle, const SolutionCounter &count);

// What the board needs, in the order Hint looks: the first case that holds gives the ladder.
enum class HintCase : std::uint8_t {
    NothingEntered, // setup: no given yet
    TooFewGivens,   // setup: fewer than FewestGivens
    Slip,           // the puzzle has no solution or several
    PressStart,     // setup: the puzzle is sound; solving starts with Start
    Mistake,        // a value or a strike does not fit the solution
    Solved,
    Step,  // the hint engine's next step
    Stuck, // no step the engine knows; Auto can finish
};

struct HintAnswer
{
    HintCase Case = HintCase::Stuck;
    // How many rungs this ladder has (1..4), and the one shown: the one asked for, or the last
    // where the ladder is shorter.
    int Rungs = 1;
    int Number = 1;
    Rung Shown;
    // On the rung that changes a given (a slip's rung 4): the puzzle after the change, which
    // the caller keeps, and studies, in place of the old one. Otherwise empty.
    std::string Puzzle;
};

// A press in the setup form, where only the puzzle as entered counts; `facts` are those of
// that puzzle. `rung` counts from 1.
[[nodiscard]] HintAnswer AnswerSetupHint(const PuzzleFacts &facts, int rung);

// A press while solving: `facts` of the puzzle as it stood at the start, `position` the board
// as it stands (values and the candidates that remain).
[[nodiscard]] HintAnswer AnswerHint(const PuzzleFacts &facts, const Position &position, int rung);

} // namespace quorix::hint
