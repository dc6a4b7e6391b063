// CheckBoard: the fault reports, their order and wording, and the status decision table.
#include "test_support.h"

namespace quorix::testing {
namespace {

class CheckBoardTest : public FormTest
{
protected:
    // Places digits (square, digit 1..9) in setup form, as typed.
    void Place(std::initializer_list<std::pair<int, int>> digits)
    {
        for (auto [square, digit] : digits)
            Form.cmdSquare_KeyPress(square, '0' + digit);
    }
    // Runs the check with both frames showing, and checks they end hidden.
    BoardStatus Check()
    {
        Form.Controls.Highlights[0].Visible = true;
        Form.Controls.Highlights[1].Visible = true;
        const BoardStatus status = Form.CheckBoard();
        EXPECT_FALSE(Frame0().Visible);
        EXPECT_FALSE(Frame1().Visible);
        return status;
    }
    void Mark(int square, int unit, int type)
    {
        Form.Board.HighlightSquare = square;
        Form.Board.HighlightUnit = unit;
        Form.Board.HighlightUnitType = type;
        Form.Board.Explanation = "before";
    }
};

TEST_F(CheckBoardTest, DuplicateInRowWordedWithSingleSpaces)
{
    Place({{18, 5}, {26, 5}}); // row 3, groups 1 and 3
    Mark(33, 7, 2);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 5 in row 3");
    EXPECT_EQ(Form.Board.HighlightUnit, 2);
    EXPECT_EQ(Form.Board.HighlightUnitType, 0);
    EXPECT_EQ(Form.Board.HighlightSquare, 33) << "a duplicate does not mark a square";
}

TEST_F(CheckBoardTest, LowestDigitFirstThenRowColumnGroupThenIndex)
{
    Place({{18, 5}, {26, 5}, {0, 2}, {72, 2}});
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 2 in column 1");
    EXPECT_EQ(Form.Board.HighlightUnit, 0);
    EXPECT_EQ(Form.Board.HighlightUnitType, 1);
}

TEST_F(CheckBoardTest, RowBeforeGroupBeforeLaterIndex)
{
    Place({{0, 9}, {1, 9}}); // row 1 and group 1
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 9 in row 1");

    Form.cmdMode_Click(ModeReset);
    Place({{0, 9}, {10, 9}}); // group 1 only
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 9 in group 1");
    EXPECT_EQ(Form.Board.HighlightUnitType, 2);

    Form.cmdMode_Click(ModeReset);
    Place({{0, 4}, {9, 4}}); // column 1 and group 1
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 4 in column 1");

    Form.cmdMode_Click(ModeReset);
    Place({{63, 7}, {71, 7}, {45, 7}, {53, 7}}); // rows 8 and 6
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 7 in row 6");
    EXPECT_EQ(Form.Board.HighlightUnit, 5);

    Form.cmdMode_Click(ModeReset);
    Place({{80, 9}, {79, 9}}); // the last row
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 9 in row 9");
}

TEST_F(CheckBoardTest, DuplicateHidesAnEmptySquareWithNoCandidates)
{
    Enter(EasyPuzzle);
    Click(ModeStart);
    for (int d = 0; d < 9; ++d)
        Form.cmdEle_Click(static_cast<std::int16_t>(2 * 9 + d));
    Form.SetSquare(3, 4, true); // a second 5 in row 1
    Mark(77, 1, 0);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "More than one 5 in row 1");
    EXPECT_EQ(Form.Board.HighlightSquare, 77);
}

TEST_F(CheckBoardTest, NoPossibilitiesNamesTheLastSquare)
{
    EnterAndStart(EasyPuzzle);
    for (int square : {5, 40}) {
        ASSERT_EQ(Form.Board.Grid[square], -1);
        for (int d = 0; d < 9; ++d)
            Form.cmdEle_Click(static_cast<std::int16_t>(square * 9 + d));
    }
    Mark(3, 6, 1);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "No possibilities left for square 41");
    EXPECT_EQ(Form.Board.HighlightSquare, 40);
    EXPECT_EQ(Form.Board.HighlightUnit, 6);
    EXPECT_EQ(Form.Board.HighlightUnitType, 1);
}

TEST_F(CheckBoardTest, ConsistentBoardLeavesTheFindingsAlone)
{
    EnterAndStart(EasyPuzzle);
    Mark(3, 6, 1);
    EXPECT_EQ(Check(), StatusConsistent);
    EXPECT_EQ(Form.Board.Explanation, "before");
    EXPECT_EQ(Form.Board.HighlightSquare, 3);
    EXPECT_EQ(Form.Board.HighlightUnit, 6);
    EXPECT_EQ(Form.Board.HighlightUnitType, 1);
}

TEST_F(CheckBoardTest, TooFewIsTestedBeforeNothingEntered)
{
    Form.LoadGivens();
    EXPECT_EQ(Check(), StatusTooFew);
}

TEST_F(CheckBoardTest, TenSetSquaresAreEnough)
{
    Place({{0, 1}, {10, 2}, {20, 3}, {30, 4}, {40, 5}, {50, 6}, {60, 7}, {70, 8}, {80, 9}});
    EXPECT_EQ(Check(), StatusTooFew);
    Place({{8, 5}});
    EXPECT_EQ(Check(), StatusNotStarted) << "setup mode with an empty square shown";
}

TEST_F(CheckBoardTest, NothingEnteredWhenEveryCandidateShows)
{
    // Only reachable with set values whose candidates were never struck.
    Form.LoadGivens();
    for (int s : {0, 10, 20, 30, 40, 50, 60, 70, 80})
        Form.Board.Grid[s] = static_cast<std::int16_t>(s % 9);
    Form.Board.Grid[8] = 5;
    EXPECT_EQ(Check(), StatusNothingEntered);
}

TEST_F(CheckBoardTest, SolvingModeBeforeAndAfterStriking)
{
    Enter(EasyPuzzle);
    Form.LoadGivens();
    EXPECT_EQ(Check(), StatusNotStarted);
    Form.StrikeSetDigits();
    EXPECT_EQ(Check(), StatusConsistent);
}

TEST_F(CheckBoardTest, FullBoardInSetupModeIsSolved)
{
    Enter(SolvedGrid);
    EXPECT_EQ(Check(), StatusSolved);
}

TEST_F(CheckBoardTest, GridNotTheCaptionTellsAnEmptySquare)
{
    Enter(SolvedGrid);
    Form.Board.Grid[40] = -1; // the button still shows its digit
    ASSERT_EQ(Form.Controls.SquareCaption(40), "5");
    EXPECT_EQ(Check(), StatusNotStarted);
}

TEST_F(CheckBoardTest, SolvedOnlyWhenEverySquareIsShown)
{
    Enter(SolvedGrid);
    Form.Controls.Squares[40].Visible = false; // set, but its button hidden
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Form.Board.Explanation, "No possibilities left for square 41");
}

TEST_F(CheckBoardTest, BlankedSquareInSolvingModeIsNotStarted)
{
    EnterAndStart(EasyPuzzle);
    // The user blanks a given with the square handlers: it stays a visible, empty button.
    Form.cmdSquare_KeyPress(0, '0');
    EXPECT_TRUE(SquareShown(0));
    EXPECT_EQ(Check(), StatusNotStarted);
}

} // namespace
} // namespace quorix::testing
