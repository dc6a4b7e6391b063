// Properties of the hint engine over samples of every puzzle set, checked against the
// independent solution counter: every step keeps every solution of its puzzle, the uniqueness
// rules never run on a puzzle with several solutions, and the grades follow the bank's buckets.
#include "core/operations/verify/solution_count.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorix::hint {
namespace {

struct Sample
{
    const char *File;
    int Stride;
    std::size_t Limit;
};

// About two hundred puzzles of every kind; quorix-hint-bench --verify checks the whole sets.
constexpr Sample Samples[] = {
    {"bank-easy-500.txt", 50, 10},  {"bank-medium-500.txt", 50, 10},
    {"bank-hard-500.txt", 20, 25},  {"bank-diabolical-500.txt", 20, 25},
    {"hard-95.txt", 6, 16},         {"hard-1465.txt", 73, 20},
    {"hardest-375.txt", 37, 10},    {"hard-rated11plus-sample.txt", 487, 10},
    {"clue17-sample.txt", 491, 10}, {"multi-solution-1000.txt", 40, 25},
    {"edge-invalid-17.txt", 1, 17}, {"edge-valid-4.txt", 1, 4},
    {"hardest-11.txt", 1, 11},      {"dfs-worst-1.txt", 1, 1},
};

std::string With(std::string puzzle, int square, int digit)
{
    puzzle[square] = static_cast<char>('1' + digit);
    return puzzle;
}

// What is wrong with `step` on `before`, a position of `puzzle` that keeps all its solutions;
// empty when it keeps them all too.
std::string Fault(const std::string &puzzle, const Position &before, const Step &step)
{
    for (Candidate strike : step.Strikes)
        if (CountSolutions(With(puzzle, strike.Square, strike.Digit), 1) > 0)
            return "strikes " + SquareCode(strike.Square) + "-" + DigitName(strike.Digit)
                   + ", which a solution has";
    for (Candidate set : step.Sets)
        for (int digit = 0; digit < 9; ++digit)
            if (digit != set.Digit && before.HasCandidate(set.Square, digit)
                && CountSolutions(With(puzzle, set.Square, digit), 1) > 0)
                return "sets " + SquareCode(set.Square) + "=" + DigitName(set.Digit)
                       + " where a solution has " + DigitName(digit);
    return {};
}

TEST(HintProperties, EveryStepKeepsEverySolutionOfItsPuzzle)
{
    for (const Sample &sample : Samples)
        for (const std::string &puzzle :
             ReadPuzzleSample(PuzzleSetPath(sample.File), sample.Stride, sample.Limit)) {
            SCOPED_TRACE(std::string(sample.File) + ": " + puzzle);
            const int solutions = CountSolutions(puzzle, 2);
            HintOptions options;
            options.UniqueSolution = solutions == 1;
            Position position = *Position::FromLine(puzzle);
            Step step;
            while (FindHint(position, options, step)) {
                ASSERT_EQ(Fault(puzzle, position, step), "") << step.Sentence;
                if (solutions > 1) {
                    ASSERT_TRUE(step.Kind != Technique::UniqueRectangle
                                && step.Kind != Technique::BivalueGrave)
                        << step.Sentence;
                }
                ApplyStep(position, step);
            }
        }
}

TEST(HintProperties, TheSamePositionAlwaysGivesTheSameStep)
{
    for (const std::string &puzzle :
         ReadPuzzleSample(PuzzleSetPath("bank-diabolical-500.txt"), 50, 10)) {
        Position position = *Position::FromLine(puzzle);
        HintOptions options;
        options.UniqueSolution = true;
        Step first, again;
        while (FindHint(position, options, first)) {
            ASSERT_TRUE(FindHint(position, options, again));
            ASSERT_EQ(testing::Summary(first) + first.Sentence,
                      testing::Summary(again) + again.Sentence);
            ApplyStep(position, first);
        }
    }
}

// The median grade (tier 1..5, stuck as 6) of a sample of a bank bucket.
int MedianTier(const char *file)
{
    std::vector<int> tiers;
    for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath(file), 5, 100)) {
        HintOptions options;
        options.UniqueSolution = true;
        const LogicSolve solve = SolveByLogic(*Position::FromLine(puzzle), options);
        tiers.push_back(solve.Solved ? solve.HardestTier : 6);
    }
    std::sort(tiers.begin(), tiers.end());
    return tiers[tiers.size() / 2];
}

TEST(HintProperties, GradesFollowTheBanksBucketsAndEasyIsEasy)
{
    const int easy = MedianTier("bank-easy-500.txt");
    const int medium = MedianTier("bank-medium-500.txt");
    const int hard = MedianTier("bank-hard-500.txt");
    const int diabolical = MedianTier("bank-diabolical-500.txt");
    EXPECT_LE(easy, medium);
    EXPECT_LE(medium, hard);
    EXPECT_LE(hard, diabolical);
    EXPECT_GE(diabolical, 3) << "the diabolical bucket's median is at least hard";
    int graded = 0, easyOnes = 0;
    for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath("bank-easy-500.txt"), 1, 500)) {
        const LogicSolve solve = SolveByLogic(*Position::FromLine(puzzle), {});
        ++graded;
        easyOnes += solve.Solved && solve.HardestTier == 1;
    }
    EXPECT_GE(easyOnes * 100, graded * 95) << "at least 95 % of the easy bucket grades easy";
}

} // namespace
} // namespace quorix::hint
