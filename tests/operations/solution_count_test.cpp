// The independent solution counter that benchmarks and property tests judge the solver by.
#include "core/operations/verify/solution_count.h"
#include "test_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorix {
namespace {

std::vector<std::string> PuzzleLines(const char *file)
{
    std::vector<std::string> lines;
    for (PuzzleLine &line : ReadPuzzleLines(PuzzleSetPath(file)))
        lines.push_back(std::move(line.Text));
    return lines;
}

TEST(CountSolutions, FindsOneForEachValidEdgeCase)
{
    const auto lines = PuzzleLines("edge-valid-4.txt");
    ASSERT_EQ(lines.size(), 4U);
    for (const auto &line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(CountSolutions(line, 2), 1);
    }
}

TEST(CountSolutions, CountsExactlyUpToTheLimit)
{
    // Lines 11 to 15 have exactly 2, 3, 4, 10 and 125 solutions.
    const auto lines = PuzzleLines("edge-invalid-17.txt");
    ASSERT_EQ(lines.size(), 17U);
    const int expected[] = {2, 3, 4, 10, 125};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("line " + std::to_string(11 + i));
        const std::string &line = lines[10 + i];
        EXPECT_EQ(CountSolutions(line, 1000), expected[i]);
        EXPECT_EQ(CountSolutions(line, expected[i]), expected[i]);
        EXPECT_EQ(CountSolutions(line, expected[i] - 1), expected[i] - 1);
        EXPECT_EQ(CountSolutions(line, 1), 1);
    }
}

TEST(CountSolutions, FindsNoneWithoutASolution)
{
    // Lines 4 to 10: a digit repeated in a group, column or row; a square, or a digit in a
    // group, column or row, with no place left. Line 16 has no solution but resists search.
    const auto lines = PuzzleLines("edge-invalid-17.txt");
    ASSERT_EQ(lines.size(), 17U);
    for (const int n : {4, 5, 6, 7, 8, 9, 10, 16}) {
        SCOPED_TRACE("line " + std::to_string(n));
        EXPECT_EQ(CountSolutions(lines[n - 1], 2), 0);
    }
}

TEST(CountSolutions, StopsAtTheLimitOnOpenBoards)
{
    const std::string empty(81, '.');
    EXPECT_EQ(CountSolutions(empty, 2), 2);
    EXPECT_EQ(CountSolutions(empty, 50), 50);
    EXPECT_EQ(CountSolutions(empty, 0), 1); // a limit below 1 counts to 1
}

TEST(CountSolutions, TreatsADuplicatedGivenAsNoSolution)
{
    // A full valid grid with the second square changed to repeat the first.
    const auto lines = PuzzleLines("edge-valid-4.txt");
    std::string solved = lines[0];
    ASSERT_EQ(CountSolutions(solved, 2), 1);
    std::string twice(81, '.');
    twice[0] = '5';
    twice[80] = '5'; // different row, column and group: fine
    EXPECT_EQ(CountSolutions(twice, 1), 1);
    twice[8] = '5'; // same row as square 0
    EXPECT_EQ(CountSolutions(twice, 2), 0);
    solved[1] = solved[0];
    EXPECT_EQ(CountSolutions(solved, 2), 0);
}

TEST(CountSolutions, RejectsMalformedInput)
{
    EXPECT_EQ(CountSolutions(std::string(80, '.'), 2), 0);
    EXPECT_EQ(CountSolutions(std::string(80, '.') + "x", 2), 0);
    EXPECT_EQ(CountSolutions(std::string(81, '0'), 2), 2); // '0' is an empty square too
}

TEST(IsValidSolution, AcceptsOnlyAFullValidGridKeepingTheGivens)
{
    const auto lines = PuzzleLines("edge-valid-4.txt");
    const std::string solved = lines[0]; // the already completed grid
    ASSERT_EQ(solved.find('.'), std::string::npos);
    const auto grid = quorix::testing::GridCodes(solved);
    EXPECT_TRUE(IsValidSolution(solved, grid));
    EXPECT_TRUE(IsValidSolution(std::string(81, '.'), grid));

    std::string otherGiven = solved;
    otherGiven[40] = solved[40] == '9' ? '1' : static_cast<char>(solved[40] + 1);
    EXPECT_FALSE(IsValidSolution(otherGiven, grid));

    auto unfinished = grid;
    unfinished[80] = -1;
    EXPECT_FALSE(IsValidSolution(std::string(81, '.'), unfinished));

    // Swapping two squares of a row keeps the rows full but breaks two columns.
    auto swapped = grid;
    std::swap(swapped[0], swapped[1]);
    EXPECT_FALSE(IsValidSolution(std::string(81, '.'), swapped));
}

} // namespace
} // namespace quorix
