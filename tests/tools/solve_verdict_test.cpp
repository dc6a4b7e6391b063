// The verdicts of quorix-solve: what a line reads as, what Auto and Check Unique say of it
// together, and the path Next walks. Checked against the puzzle sets' known solution counts
// and the independent counter.
#include "core/operations/verify/solution_count.h"
#include "test_support.h"
#include "tools/puzzle_file.h"
#include "tools/solve_verdict.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace quorix {
namespace {

using quorix::testing::GridCodes;

const std::string Easy(quorix::testing::EasyPuzzle);
const std::string EasySolution(quorix::testing::EasySolution);

std::string Read(std::string_view line)
{
    std::string puzzle, reason;
    return ReadPuzzleLine(line, puzzle, reason) ? puzzle : "refused: " + reason;
}

TEST(ReadPuzzleLine, TakesEveryOneLineFormOfPaste)
{
    EXPECT_EQ(Read(Easy), Easy);
    std::string zeros = Easy;
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    EXPECT_EQ(Read(zeros), Easy);
    std::string marks = Easy;
    const std::string emptyMarks = "_*xX.0";
    for (std::size_t i = 0, k = 0; i < marks.size(); ++i)
        if (marks[i] == '.')
            marks[i] = emptyMarks[k++ % emptyMarks.size()];
    EXPECT_EQ(Read(marks), Easy);
    // A grid written out on one line, with box separators and spaces.
    std::string framed;
    for (int s = 0; s < 81; ++s)
        framed += std::string(s % 27 == 0 ? "+" : s % 3 == 0 ? "|" : " ") + Easy[s];
    EXPECT_EQ(Read(framed + " |:\t"), Easy);
}

TEST(ReadPuzzleLine, RefusesACandidateGridAndOverlongLines)
{
    std::string grid;
    for (int s = 0; s < 81; ++s)
        grid += s == 0 ? "12 " : "5 ";
    EXPECT_EQ(Read(grid).substr(0, 50), "refused: malformed: a candidate grid, not a puzzle");
    // Long enough to be refused unread, even though every character could be part of a puzzle.
    const std::string spaced = std::string(5000, ' ') + Easy;
    EXPECT_EQ(Read(spaced),
              "refused: malformed: a line of 5081 characters, too long for a puzzle: '"
                  + std::string(40, ' ') + "'...");
}

class SolverTest : public ::testing::Test
{
protected:
    PuzzleSolver Solver;
};

// Line 16 has no solution either, but takes the search about a second to refute.
TEST_F(SolverTest, BrokenEdgeCasesGetTheirVerdictAndReason)
{
    struct Expected
    {
        int Line;
        Verdict What;
        std::string Reason;
    };
    const Expected expected[] = {
        {1, Verdict::Invalid, "too few givens: 0, at least 10 are needed"},
        {2, Verdict::Invalid, "too few givens: 1, at least 10 are needed"},
        // 16 givens are enough for the board, and they leave several solutions.
        {3, Verdict::Several, ""},
        {4, Verdict::Invalid, "duplicated given: More than one 5 in group 5"},
        {5, Verdict::Invalid, "duplicated given: More than one 1 in column 5"},
        {6, Verdict::Invalid, "duplicated given: More than one 2 in row 5"},
        {7, Verdict::None, ""},
        {8, Verdict::None, ""},
        {9, Verdict::None, ""},
        {10, Verdict::None, ""},
        {11, Verdict::Several, ""},
        {12, Verdict::Several, ""},
        {13, Verdict::Several, ""},
        {14, Verdict::Several, ""},
        {15, Verdict::Several, ""},
        {17, Verdict::Several, ""},
    };
    const std::string path = PuzzleSetPath("edge-invalid-17.txt");
    for (const Expected &want : expected) {
        SCOPED_TRACE(want.Line);
        const std::string puzzle = ReadPuzzle(path, want.Line);
        const PuzzleVerdict verdict = Solver.JudgeLine(puzzle);
        EXPECT_EQ(verdict.What, want.What);
        EXPECT_EQ(verdict.Reason, want.Reason);
        const bool solved = want.What == Verdict::Several;
        EXPECT_EQ(verdict.Solution.empty(), !solved);
        if (solved) {
            EXPECT_TRUE(IsValidSolution(puzzle, GridCodes(verdict.Solution)));
        }
        // Auto is not asked about a duplicated given.
        const bool duplicated = want.Reason.starts_with("duplicated");
        EXPECT_EQ(verdict.Guesses < 0, duplicated);
    }
}

TEST_F(SolverTest, VerdictsAgreeWithTheIndependentCounter)
{
    for (const char *name : {"hard-1465.txt", "multi-solution-1000.txt", "hardest-11.txt"}) {
        for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath(name), 97, 12)) {
            SCOPED_TRACE(puzzle);
            const PuzzleVerdict verdict = Solver.Judge(puzzle);
            const int solutions = CountSolutions(puzzle, 2);
            EXPECT_EQ(verdict.What, solutions == 1 ? Verdict::Unique : Verdict::Several);
            EXPECT_TRUE(IsValidSolution(puzzle, GridCodes(verdict.Solution)));
            EXPECT_GE(verdict.Guesses, 0);
        }
    }
}

// Check Unique turns the guessing order over; a window used for many puzzles must still give
// every one of them what a fresh window gives.
TEST_F(SolverTest, AVerdictDoesNotDependOnThePuzzlesBefore)
{
    const std::string several = ReadPuzzle(PuzzleSetPath("multi-solution-1000.txt"), 1);
    const std::string hard = ReadPuzzle(PuzzleSetPath("hard-95.txt"), 1);
    const std::string duplicated = ReadPuzzle(PuzzleSetPath("edge-invalid-17.txt"), 4);
    const std::string none = ReadPuzzle(PuzzleSetPath("edge-invalid-17.txt"), 9);
    for (const std::string &before : {several, hard, duplicated, none, Easy}) {
        (void)Solver.Judge(before);
        for (const std::string &puzzle : {hard, several}) {
            PuzzleSolver fresh;
            const PuzzleVerdict want = fresh.Judge(puzzle);
            const PuzzleVerdict got = Solver.Judge(puzzle);
            EXPECT_EQ(got.What, want.What);
            EXPECT_EQ(got.Solution, want.Solution);
            EXPECT_EQ(got.Guesses, want.Guesses);
            EXPECT_EQ(got.AutoNews, want.AutoNews);
            EXPECT_EQ(got.UniqueNews, want.UniqueNews);
        }
    }
}

TEST_F(SolverTest, NextWalksToTheSolutionOneExplainedStepAtATime)
{
    const NextPath path = Solver.WalkNext(Easy);
    EXPECT_FALSE(path.GaveUp);
    EXPECT_EQ(path.Stop, "Success!  Found a solution.");
    // Each of the 51 open squares is set by a step of its own.
    ASSERT_GE(path.Steps.size(), 51U);
    for (const std::string &step : path.Steps)
        EXPECT_FALSE(step.empty());
    // The walk starts afresh: a second one is the same.
    EXPECT_EQ(Solver.WalkNext(Easy).Steps, path.Steps);

    const NextPath done = Solver.WalkNext(EasySolution);
    EXPECT_TRUE(done.Steps.empty());
    EXPECT_EQ(done.Stop, "Success!  Found a solution.");
}

} // namespace
} // namespace quorix
