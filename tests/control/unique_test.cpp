// Check Unique: solve again from before the first guess in the opposite order and compare.
#include "test_support.h"

namespace quorix::testing {
namespace {

std::string GuessingPuzzle()
{
    return PuzzleFromFile("hardest-11.txt", 2);
}
std::string TwoSolutionPuzzle()
{
    return PuzzleFromFile("multi-solution-1000.txt", 1);
}

using CheckUniqueTest = FormTest;

TEST_F(CheckUniqueTest, UniquePuzzleThatNeededGuesses)
{
    const std::string puzzle = GuessingPuzzle();
    Enter(puzzle);
    Click(ModeAuto);
    ASSERT_EQ(News(), "Found a solution - but might not be unique");
    const std::string first = GridText();

    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "Checked out - Solution is unique");
    EXPECT_EQ(GridText(), first);
    EXPECT_TRUE(Form.Unique().ReverseGuessOrder) << "the reversed order stays in force";
    EXPECT_TRUE(UniqueShown());

    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "Checked out - Solution is unique");
    EXPECT_FALSE(Form.Unique().ReverseGuessOrder);
    EXPECT_EQ(GridText(), first);
}

TEST_F(CheckUniqueTest, PuzzleWithTwoSolutions)
{
    const std::string puzzle = TwoSolutionPuzzle();
    Enter(puzzle);
    Click(ModeAuto);
    ASSERT_EQ(News(), "Found a solution - but might not be unique");
    const std::string first = GridText();
    ASSERT_TRUE(SolvesPuzzle(first, puzzle));

    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "Another solution found - solution is not unique");
    EXPECT_NE(GridText(), first);
    EXPECT_TRUE(SolvesPuzzle(GridText(), puzzle)) << "the board shows the second solution";
}

TEST_F(CheckUniqueTest, SolvedByLogicAloneAfterAnotherPuzzleGuessed)
{
    Enter(GuessingPuzzle());
    Click(ModeAuto);
    ASSERT_EQ(News(), "Found a solution - but might not be unique");
    Click(ModeReset);

    Enter(EasyPuzzle);
    Click(ModeAuto);
    ASSERT_EQ(News(), "Success!  Unique solution found");
    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "Checked out - Solution is unique");
    EXPECT_EQ(GridText(), EasySolution);
}

TEST_F(CheckUniqueTest, InterruptedRunKeepsItsOwnMessage)
{
    const std::string puzzle = GuessingPuzzle();
    // The board logic alone reaches, through Next: the board from before the first guess.
    Enter(puzzle);
    for (int i = 0; i < 200 && Form.Board().StepKind != StepNothingFound; ++i)
        Click(ModeNext);
    ASSERT_EQ(Form.Board().StepKind, StepNothingFound);
    const auto stuck = Copy();

    Click(ModeAuto);
    ASSERT_EQ(News(), "Found a solution - but might not be unique");

    std::optional<BoardCopy> atFirstYield;
    AtYield(1, [&] {
        atFirstYield = Copy();
        Form.cmdMode_Click(ModeSave);
    });
    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "Auto mode suspended");
    EXPECT_FALSE(UniqueShown());
    ASSERT_TRUE(atFirstYield);
    EXPECT_EQ(*atFirstYield, stuck);
}

TEST_F(CheckUniqueTest, NestedRunWithoutSolutionKeepsItsMessage)
{
    Enter(PuzzleFromFile("edge-invalid-17.txt", 9));
    Click(ModeAuto);
    ASSERT_EQ(News(), "This one seems to be impossible");
    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "This one seems to be impossible");
    EXPECT_FALSE(UniqueShown());
}

} // namespace
} // namespace quorix::testing
