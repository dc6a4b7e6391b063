// The one-digit finders called directly on positions no solve would reach: puzzle positions
// with candidates struck at random (never those of one solution kept), singles and subsets
// left in place. Every strike a finder makes must be in no solution of the position, which a
// plain search over the position checks.
#include "hint/finders.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <optional>
#include <random>

namespace quorix::hint {
namespace {

// A solution of `position`, found by trying the candidates of the emptiest square in turn.
std::optional<Position> SolutionOf(const Position &position)
{
    if (position.Broken())
        return std::nullopt;
    if (position.Solved())
        return position;
    int square = -1;
    for (int s : position.EmptySquares())
        if (square < 0
            || std::popcount(position.Candidates(s)) < std::popcount(position.Candidates(square)))
            square = s;
    for (int digit = 0; digit < 9; ++digit) {
        if (!position.HasCandidate(square, digit))
            continue;
        Position next = position;
        next.Place(square, digit);
        if (auto solution = SolutionOf(next))
            return solution;
    }
    return std::nullopt;
}

// `position` with about a third of the candidates struck that `keep` does not hold, so that
// `keep` stays a solution of it.
Position StrikeSome(Position position, const Position &keep, std::mt19937 &random)
{
    for (int square : position.EmptySquares())
        for (int digit = 0; digit < 9; ++digit)
            if (digit != keep.Value(square) && position.HasCandidate(square, digit)
                && random() % 3 == 0)
                position.Strike(square, digit);
    return position;
}

TEST(HintOneDigitSoundness, NoFinderStrikesADigitThatASolutionOfThePositionHas)
{
    using Finder = bool (*)(const Position &, Step &);
    const Finder finders[] = {FindXWing,          FindSwordfish,      FindJellyfish,
                              FindSkyscraper,     FindTwoStringKite,  FindTurbotFish,
                              FindEmptyRectangle, FindSimpleColouring};
    std::mt19937 random(20261209);
    int steps = 0;
    for (const char *file : {"multi-solution-1000.txt", "bank-diabolical-500.txt"})
        for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath(file), 25, 40))
            for (int variant = 0; variant < 3; ++variant) {
                const Position start = *Position::FromLine(puzzle);
                const Position position = StrikeSome(start, *SolutionOf(start), random);
                for (Finder find : finders) {
                    Step step;
                    if (!find(position, step))
                        continue;
                    ++steps;
                    for (Candidate strike : step.Strikes) {
                        Position with = position;
                        with.Place(strike.Square, strike.Digit);
                        ASSERT_FALSE(SolutionOf(with))
                            << puzzle << "\n"
                            << testing::GridOf(position) << step.Name << ": " << step.Sentence;
                    }
                }
            }
    EXPECT_GT(steps, 100) << "the finders should have had plenty to say";
}

} // namespace
} // namespace quorix::hint
