// Slips in the givens: on a puzzle with no solution or several, the givens that, changed to
// another digit or removed, leave exactly one solution (a typing slip while copying a puzzle
// is the usual cause).
//
// The solutions are counted by a counter the caller passes in, so that the hint engine never
// judges its own puzzles.
#pragma once

#include "hint/ladder.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::hint {

// The number of solutions of an 81-character puzzle ('1'..'9' givens, '.' empty), counting no
// further than `limit`: 0 none, otherwise 1..limit.
using SolutionCounter = std::function<int(std::string_view puzzle, int limit)>;

// Solutions are counted up to this many; one more stands for "more than this many".
constexpr int MostSolutionsCounted = 100;
// No puzzle with fewer givens has exactly one solution (settled by exhaustive search), so a
// puzzle with fewer cannot be mended by changing or removing a given, and a person entering
// one is told it is too short.
constexpr int FewestGivens = 17;
// A slip ladder names at most this many slips.
constexpr std::size_t MostSlips = 3;

struct Slip
{
    int Square = 0;
    int From = 0; // the given's digit
    int To = -1;  // the digit it becomes, or -1 for removing the given
    friend bool operator==(Slip, Slip) = default;
};

// The number of givens of an 81-character puzzle.
[[nodiscard]] int GivensOf(std::string_view puzzle);

// The puzzle with `slip` made.
[[nodiscard]] std::string WithSlipMended(std::string_view puzzle, const Slip &slip);

// Up to MostSlips slips of `puzzle`, which has `solutions` solutions (0, or 2 or more, as the
// counter gives them with the limit MostSolutionsCounted + 1): in reading order of their
// squares, then by digit, a removal after the changes of its square. Changes that repeat a
// digit of a peer given are never counted, and neither is a removal from a puzzle that already
// has several solutions (removing a given never takes a solution away).
[[nodiscard]] std::vector<Slip> FindSlips(std::string_view puzzle, int solutions,
                                          const SolutionCounter &count);

// "Hint: this puzzle has no solution", "... has 2 solutions", "... has more than 100
// solutions".
[[nodiscard]] std::string SolutionsText(int solutions);

// Rung `number` of the slip ladder: 1 how many solutions, 2 the unit of the first slip's given,
// 3 the slips in words, 4 makes the first. Where no slip was found, rung 2 says so and is the
// last.
[[nodiscard]] Rung SlipRung(std::string_view puzzle, int solutions, const std::vector<Slip> &slips,
                            int number);
// How many rungs the slip ladder has: 4, or 2 where no slip was found.
[[nodiscard]] int SlipRungs(const std::vector<Slip> &slips);

} // namespace quorix::hint
