// The uniqueness rules over the puzzle sets: they never run on a puzzle with several solutions,
// and where the puzzle has one they never strike its solution's digit nor set another.
#include "core/operations/verify/solution_count.h"
#include "hint/finders.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

bool IsUniquenessRule(const Step &step)
{
    return step.Kind == Technique::UniqueRectangle || step.Kind == Technique::BivalueGrave;
}

std::string With(std::string puzzle, int square, int digit)
{
    puzzle[square] = static_cast<char>('1' + digit);
    return puzzle;
}

// Whether `step` strikes a digit that some solution of `puzzle` has, or sets a square to a digit
// that some solution does not have there.
bool Wrong(const std::string &puzzle, const Position &before, const Step &step)
{
    for (Candidate strike : step.Strikes)
        if (CountSolutions(With(puzzle, strike.Square, strike.Digit), 1) > 0)
            return true;
    for (Candidate set : step.Sets)
        for (int digit = 0; digit < 9; ++digit)
            if (digit != set.Digit && before.HasCandidate(set.Square, digit)
                && CountSolutions(With(puzzle, set.Square, digit), 1) > 0)
                return true;
    return false;
}

TEST(HintUniquenessOnSets, NeverRunsOnAPuzzleWithSeveralSolutions)
{
    int puzzles = 0, wouldMislead = 0;
    for (const PuzzleLine &line : ReadPuzzleLines(PuzzleSetPath("multi-solution-1000.txt"))) {
        SCOPED_TRACE(line.Text);
        ASSERT_EQ(CountSolutions(line.Text, 2), 2);
        ++puzzles;
        const auto start = Position::FromLine(line.Text);
        ASSERT_TRUE(start);
        HintOptions options;
        options.UniqueSolution = false; // as counted
        const LogicSolve solve = SolveByLogic(*start, options, [](const Step &step) {
            EXPECT_FALSE(IsUniquenessRule(step)) << step.Sentence;
        });
        // Where the rules would fire on the stuck position, they would often be wrong: the set
        // does test the gate.
        Step step;
        if (FindUniqueRectangle(solve.End, step) || FindBivalueGrave(solve.End, step))
            wouldMislead += Wrong(line.Text, solve.End, step);
    }
    EXPECT_EQ(puzzles, 1000);
    EXPECT_GT(wouldMislead, 0) << "no puzzle of the set would catch an ungated uniqueness rule";
}

// Every puzzle of the sets where the uniqueness rules can matter (the harder ones), sampled so
// that the suite stays quick; quorix-hint-bench --verify checks every puzzle of every set.
TEST(HintUniquenessOnSets, StaysSoundOnPuzzlesWithOneSolution)
{
    struct Sample
    {
        const char *File;
        int Stride;
    };
    int checked = 0;
    for (const Sample &sample :
         {Sample{"bank-hard-500.txt", 4}, Sample{"bank-diabolical-500.txt", 2},
          Sample{"hard-95.txt", 1}, Sample{"hard-1465.txt", 6}, Sample{"clue17-sample.txt", 20},
          Sample{"hardest-11.txt", 1}})
        for (const std::string &puzzle :
             ReadPuzzleSample(PuzzleSetPath(sample.File), sample.Stride, 100000)) {
            SCOPED_TRACE(std::string(sample.File) + ": " + puzzle);
            ASSERT_EQ(CountSolutions(puzzle, 2), 1);
            HintOptions options;
            options.UniqueSolution = true;
            Position position = *Position::FromLine(puzzle);
            Step step;
            while (FindHint(position, options, step)) {
                if (IsUniquenessRule(step)) {
                    ++checked;
                    ASSERT_FALSE(Wrong(puzzle, position, step)) << step.Sentence;
                }
                ApplyStep(position, step);
            }
        }
    EXPECT_GT(checked, 50) << "too few uniqueness steps to check";
}

} // namespace
} // namespace quorix::hint
