// Fish and chains on positions whose struck candidates are arbitrary: puzzles with several
// solutions, one solution kept and a random share of the other candidates struck. Every strike
// must be in no solution of the position as it stands, found by an exhaustive search over its
// candidates.
#include "hint/finders.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace quorix::hint {
namespace {

// A solution of `position` (its values and remaining candidates), or nothing.
std::optional<Position> Solve(const Position &position)
{
    if (position.Broken())
        return std::nullopt;
    if (position.Solved())
        return position;
    int best = -1;
    for (int square : position.EmptySquares())
        if (best < 0
            || std::popcount(position.Candidates(square))
                   < std::popcount(position.Candidates(best)))
            best = square;
    for (int digit = 0; digit < 9; ++digit) {
        if (!position.HasCandidate(best, digit))
            continue;
        Position next = position;
        next.Place(best, digit);
        if (auto solution = Solve(next))
            return solution;
    }
    return std::nullopt;
}

bool SolutionHas(const Position &position, Candidate candidate)
{
    Position with = position;
    with.Place(candidate.Square, candidate.Digit);
    return Solve(with).has_value();
}

TEST(HintArbitraryStrikes, FishAndChainsKeepEverySolution)
{
    using Finder = bool (*)(const Position &, Step &);
    const Finder finders[] = {FindFinnedFish, FindXChain, FindXYChain, FindAlternatingChain};
    std::mt19937 random(20261209);
    int steps = 0;
    for (const std::string &puzzle :
         ReadPuzzleSample(PuzzleSetPath("multi-solution-1000.txt"), 25, 40)) {
        const auto start = Position::FromLine(puzzle);
        ASSERT_TRUE(start) << puzzle;
        const auto solution = Solve(*start);
        ASSERT_TRUE(solution) << puzzle;
        for (int share : {3, 5}) {
            // Strike about one in `share` of the candidates that the kept solution does not use.
            Position position = *start;
            for (int square : start->EmptySquares())
                for (int digit = 0; digit < 9; ++digit)
                    if (digit != solution->Value(square) && position.HasCandidate(square, digit)
                        && random() % share == 0)
                        position.Strike(square, digit);
            for (Finder find : finders) {
                Step step;
                if (!find(position, step))
                    continue;
                ++steps;
                for (Candidate strike : step.Strikes)
                    EXPECT_FALSE(SolutionHas(position, strike))
                        << puzzle << " " << testing::Summary(step) << "\n"
                        << testing::GridOf(position);
            }
        }
    }
    EXPECT_GT(steps, 200) << "the sample should exercise the finders";
}

} // namespace
} // namespace quorix::hint
