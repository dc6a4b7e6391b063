// CheckBoard: the fault reports, their order and wording, and the status decision table.
#include "test_support.h"

namespace quorix::testing {
namespace {

class CheckBoardTest : public BoardTest
{
protected:
    // Places digits (square, digit 1..9) in setup form, as typed.
    void Place(std::initializer_list<std::pair<int, int>> digits)
    {
        for (auto [square, digit] : digits)
            EnterSquare(Board, Controls, square, digit - 1);
    }
    // Types a whole puzzle in setup form ('1'-'9' a digit, anything else empty).
    void Type(std::string_view puzzle)
    {
        for (int s = 0; s < 81; ++s)
            EnterSquare(Board, Controls, s,
                        puzzle[s] >= '1' && puzzle[s] <= '9' ? puzzle[s] - '1' : Empty);
    }
    // Empties the board, as a fresh window has it.
    void Reset() { BoardTest::SetUp(); }
    // Runs the check with both frames showing, and checks they end hidden.
    BoardStatus Check()
    {
        Controls.Highlights[0].Visible = true;
        Controls.Highlights[1].Visible = true;
        const BoardStatus status = CheckBoard(Board, Controls);
        EXPECT_FALSE(Controls.Highlights[0].Visible);
        EXPECT_FALSE(Controls.Highlights[1].Visible);
        return status;
    }
    void Mark(int square, int unit, int type)
    {
        Board.HighlightSquare = square;
        Board.HighlightUnit = unit;
        Board.HighlightUnitType = type;
        Board.Explanation = "before";
    }
};

TEST_F(CheckBoardTest, DuplicateInRowWordedWithSingleSpaces)
{
    Place({{18, 5}, {26, 5}}); // row 3, groups 1 and 3
    Mark(33, 7, 2);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 5 in row 3");
    EXPECT_EQ(Board.HighlightUnit, 2);
    EXPECT_EQ(Board.HighlightUnitType, 0);
    EXPECT_EQ(Board.HighlightSquare, 33) << "a duplicate does not mark a square";
}

// Two of a digit in one group, in different rows and different columns: no row or column holds
// it twice, so only the group can tell. Every such pair of every group, the pairs that reach
// into a group's third row among them.
TEST_F(CheckBoardTest, DuplicateOnlyInAGroupAcrossItsRows)
{
    Place({{0, 5}, {20, 5}}); // rows 1 and 3, columns 1 and 3
    Mark(33, 7, 2);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 5 in group 1");
    EXPECT_EQ(Board.HighlightUnit, 0);
    EXPECT_EQ(Board.HighlightUnitType, 2);
    EXPECT_EQ(Board.HighlightSquare, 33);

    for (int g = 0; g < 9; ++g) {
        for (int p = 0; p < 9; ++p) {
            for (int q = p + 1; q < 9; ++q) {
                if (p / 3 == q / 3 || p % 3 == q % 3)
                    continue;
                Reset();
                const int first = UnitSquare(g, p, UnitGroup), second = UnitSquare(g, q, UnitGroup);
                SCOPED_TRACE(::testing::Message() << "squares " << first << " and " << second);
                Place({{first, 7}, {second, 7}});
                EXPECT_EQ(Check(), StatusImpossible);
                EXPECT_EQ(Board.Explanation, "More than one 7 in group " + std::to_string(g + 1));
            }
        }
    }
}

TEST_F(CheckBoardTest, LowestDigitFirstThenRowColumnGroupThenIndex)
{
    Place({{18, 5}, {26, 5}, {0, 2}, {72, 2}});
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 2 in column 1");
    EXPECT_EQ(Board.HighlightUnit, 0);
    EXPECT_EQ(Board.HighlightUnitType, 1);
}

TEST_F(CheckBoardTest, RowBeforeGroupBeforeLaterIndex)
{
    Place({{0, 9}, {1, 9}}); // row 1 and group 1
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 9 in row 1");

    Reset();
    Place({{0, 9}, {10, 9}}); // group 1 only
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 9 in group 1");
    EXPECT_EQ(Board.HighlightUnitType, 2);

    Reset();
    Place({{0, 4}, {9, 4}}); // column 1 and group 1
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 4 in column 1");

    Reset();
    Place({{63, 7}, {71, 7}, {45, 7}, {53, 7}}); // rows 8 and 6
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 7 in row 6");
    EXPECT_EQ(Board.HighlightUnit, 5);

    Reset();
    Place({{80, 9}, {79, 9}}); // the last row
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 9 in row 9");
}

TEST_F(CheckBoardTest, DuplicateHidesAnEmptySquareWithNoCandidates)
{
    Start(EasyPuzzle);
    for (int d = 0; d < 9; ++d)
        StrikeCandidate(Board, Controls, 2 * 9 + d);
    SetSquare(Board, Controls, 3, 4, true); // a second 5 in row 1
    Mark(77, 1, 0);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "More than one 5 in row 1");
    EXPECT_EQ(Board.HighlightSquare, 77);
}

TEST_F(CheckBoardTest, NoPossibilitiesNamesTheLastSquare)
{
    Start(EasyPuzzle);
    for (int square : {5, 40}) {
        ASSERT_EQ(Board.Grid[square], -1);
        for (int d = 0; d < 9; ++d)
            StrikeCandidate(Board, Controls, square * 9 + d);
    }
    Mark(3, 6, 1);
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "No possibilities left for square 41");
    EXPECT_EQ(Board.HighlightSquare, 40);
    EXPECT_EQ(Board.HighlightUnit, 6);
    EXPECT_EQ(Board.HighlightUnitType, 1);
}

TEST_F(CheckBoardTest, ConsistentBoardLeavesTheFindingsAlone)
{
    Start(EasyPuzzle);
    Mark(3, 6, 1);
    EXPECT_EQ(Check(), StatusConsistent);
    EXPECT_EQ(Board.Explanation, "before");
    EXPECT_EQ(Board.HighlightSquare, 3);
    EXPECT_EQ(Board.HighlightUnit, 6);
    EXPECT_EQ(Board.HighlightUnitType, 1);
}

TEST_F(CheckBoardTest, TooFewIsTestedBeforeNothingEntered)
{
    LoadGivens(Board, Controls);
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
    LoadGivens(Board, Controls);
    for (int s : {0, 10, 20, 30, 40, 50, 60, 70, 80})
        Board.Grid[s] = static_cast<std::int16_t>(s % 9);
    Board.Grid[8] = 5;
    EXPECT_EQ(Check(), StatusNothingEntered);
}

TEST_F(CheckBoardTest, SolvingModeBeforeAndAfterStriking)
{
    Type(EasyPuzzle);
    LoadGivens(Board, Controls);
    EXPECT_EQ(Check(), StatusNotStarted);
    StrikeSetDigits(Board, Controls);
    EXPECT_EQ(Check(), StatusConsistent);
}

TEST_F(CheckBoardTest, FullBoardInSetupModeIsSolved)
{
    Type(SolvedGrid);
    EXPECT_EQ(Check(), StatusSolved);
}

TEST_F(CheckBoardTest, GridNotTheCaptionTellsAnEmptySquare)
{
    Type(SolvedGrid);
    Board.Grid[40] = -1; // the button still shows its digit
    ASSERT_EQ(Controls.SquareCaption(40), "5");
    EXPECT_EQ(Check(), StatusNotStarted);
}

TEST_F(CheckBoardTest, SolvedOnlyWhenEverySquareIsShown)
{
    Type(SolvedGrid);
    Controls.Squares[40].Visible = false; // set, but its button hidden
    EXPECT_EQ(Check(), StatusImpossible);
    EXPECT_EQ(Board.Explanation, "No possibilities left for square 41");
}

TEST_F(CheckBoardTest, BlankedSquareInSolvingModeIsNotStarted)
{
    Start(EasyPuzzle);
    // The user blanks a given with the square handlers: it stays a visible, empty button.
    EnterSquare(Board, Controls, 0, Empty);
    EXPECT_TRUE(SquareShown(0));
    EXPECT_EQ(Check(), StatusNotStarted);
}

} // namespace
} // namespace quorix::testing
