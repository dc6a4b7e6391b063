#include "hint/finders.h"
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::PositionOf;
using testing::StrikeAll;
using testing::Summary;

TEST(HintSingles, AUnitWithOneEmptySquareIsAFullHouseBeforeAnythingElse)
{
    const Position position = PositionOf("12345678." + std::string(72, '.'));
    EXPECT_EQ(FirstStep(position), "Full house | r1c9=9 | ");
    Step step;
    ASSERT_TRUE(FindFullHouse(position, step));
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(0)}));
    EXPECT_EQ(step.Sentence, "Row 1, column 9 is the only empty square left in row 1, so it "
                             "takes the one digit missing there, 9.");
}

TEST(HintSingles, AHiddenSingleIsFoundInGroupsBeforeRowsAndColumns)
{
    // The 7s in rows 2 and 3 and columns 2 and 3 leave group 1 one place; column 1 also has a
    // single place for 7 (row 1, column 1 again) but groups come first.
    const Position position = PositionOf("........."
                                         "....7...."
                                         ".......7."
                                         "........."
                                         ".7......."
                                         "........."
                                         "........."
                                         "..7......"
                                         ".........");
    Step step;
    ASSERT_TRUE(FindHiddenSingle(position, step));
    EXPECT_EQ(Summary(step), "Hidden single | r1c1=7 | ");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{GroupUnit(0)}));
    EXPECT_EQ(step.Digit, 6);
    EXPECT_EQ(step.Sentence, "In group 1, the 7 has only one place left: row 1, column 1.");
    EXPECT_EQ(FirstStep(position), "Hidden single | r1c1=7 | ");
}

TEST(HintSingles, ASquareWithOneCandidateIsANakedSingle)
{
    Position position;
    StrikeAll(position,
              {"r5c5-1", "r5c5-2", "r5c5-3", "r5c5-5", "r5c5-6", "r5c5-7", "r5c5-8", "r5c5-9"});
    Step step;
    EXPECT_FALSE(FindHiddenSingle(position, step));
    ASSERT_TRUE(FindNakedSingle(position, step));
    EXPECT_EQ(Summary(step), "Naked single | r5c5=4 | ");
    EXPECT_EQ(FirstStep(position), "Naked single | r5c5=4 | ");
}

TEST(HintSingles, NothingIsFoundWhereEverySquareAndDigitHasAChoice)
{
    Position position;
    StrikeAll(position, {"r5c5-1", "r5c5-2", "r5c5-3", "r5c5-5", "r5c5-6", "r5c5-7", "r5c5-8"});
    Step step;
    EXPECT_FALSE(FindFullHouse(position, step));
    EXPECT_FALSE(FindHiddenSingle(position, step));
    EXPECT_FALSE(FindNakedSingle(position, step));
}

TEST(HintEngine, GivesNoStepOnABrokenOrSolvedPosition)
{
    EXPECT_EQ(FirstStep(PositionOf("11......." + std::string(72, '.'))), "none");
    const auto solved = Position::FromLine(
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179");
    ASSERT_TRUE(solved);
    EXPECT_EQ(FirstStep(*solved), "none");
}

TEST(HintEngine, SolvesAnEasyPuzzleStepByStepToItsSolution)
{
    const auto start = Position::FromLine(
        "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
    ASSERT_TRUE(start);
    int steps = 0;
    const LogicSolve solve = SolveByLogic(*start, {}, [&](const Step &) { ++steps; });
    EXPECT_TRUE(solve.Solved);
    EXPECT_EQ(solve.Steps, steps);
    EXPECT_EQ(solve.Steps, 51);
    EXPECT_EQ(solve.HardestTier, 1);
    EXPECT_EQ(solve.End.Line(),
              "534678912672195348198342567859761423426853791713924856961537284287419635345286179");
}

} // namespace
} // namespace quorix::hint
