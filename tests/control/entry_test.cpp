// Entering the puzzle on the square buttons: the click cycle and typed digits.
#include "test_support.h"

namespace quorix::testing {
namespace {

using SquareClickTest = FormTest;

TEST_F(SquareClickTest, TenClicksCycleThroughTheDigitsAndBack)
{
    for (int click = 1; click <= 10; ++click) {
        SCOPED_TRACE(click);
        Form.cmdSquare_Click(30);
        const int code = click == 10 ? -1 : click - 1;
        EXPECT_EQ(Form.Board().Grid[30], code);
        EXPECT_EQ(Form.Board().Givens[30], code);
        EXPECT_TRUE(SquareShown(30));
        if (code < 0) {
            EXPECT_EQ(Form.Controls().SquareCaption(30), "");
            EXPECT_EQ(Form.Controls().Squares[30].Background, SystemButtonFace);
        } else {
            EXPECT_EQ(Form.Controls().SquareCaption(30), std::string(1, char('1' + code)));
            EXPECT_EQ(Form.Controls().Squares[30].Background, Form.Board().DigitColours[code]);
        }
    }
    Form.cmdSquare_Click(30);
    EXPECT_EQ(Form.Board().Grid[30], 0);
    EXPECT_EQ(Candidates(30), "");
    EXPECT_EQ(Platform.TabsSent, 0);
}

using SquareClickOnAnyBoard = BoardTest;

TEST_F(SquareClickOnAnyBoard, TheCaptionNotTheGridDecides)
{
    // Caption empty, Grid holding a digit: the click starts at 1.
    Board.Grid[5] = 6;
    ClickSquare(Board, Controls, 5);
    EXPECT_EQ(Board.Grid[5], 0);
    // Caption showing a digit, Grid empty: one step on from -1, which is also 1.
    Controls.Squares[6].Caption = '7';
    ClickSquare(Board, Controls, 6);
    EXPECT_EQ(Board.Grid[6], 0);
    EXPECT_EQ(Controls.SquareCaption(6), "1");
}

TEST_F(SquareClickTest, InSolvingModeClicksChangeTheGivens)
{
    Enter(EasyPuzzle);
    Click(ModeAuto);
    ASSERT_EQ(GridText(), EasySolution);
    // A square showing 9 (square 17, solved 8 -> click to 9 first) goes blank and stays visible
    // with no candidates.
    ASSERT_EQ(Form.Board().Grid[17], 7);
    Form.cmdSquare_Click(17);
    Form.cmdSquare_Click(17);
    EXPECT_EQ(Form.Board().Grid[17], -1);
    EXPECT_EQ(Form.Board().Givens[17], -1);
    EXPECT_TRUE(SquareShown(17));
    EXPECT_EQ(Candidates(17), "");
    EXPECT_EQ(Form.CheckBoard(), StatusNotStarted);
    // Square 2 was filled with 4 by the solver.
    ASSERT_EQ(Form.Board().Givens[2], -1);
    Form.cmdSquare_Click(2);
    EXPECT_EQ(Form.Board().Grid[2], 4);
    EXPECT_EQ(Form.Board().Givens[2], 4);
    EXPECT_EQ(Form.Controls().SquareCaption(2), "5");
}

using SquareKeyTest = FormTest;

TEST_F(SquareKeyTest, DigitSetsTheSquareAndMovesOn)
{
    Form.cmdSquare_KeyPress(0, '5');
    EXPECT_EQ(Form.Board().Grid[0], 4);
    EXPECT_EQ(Form.Board().Givens[0], 4);
    EXPECT_EQ(Form.Controls().SquareCaption(0), "5");
    EXPECT_EQ(Form.Controls().Squares[0].Background, Rgb(192, 255, 224));
    EXPECT_EQ(Platform.TabsSent, 1);
}

TEST_F(SquareKeyTest, ZeroBlanksTheSquareAndMovesOn)
{
    Form.cmdSquare_KeyPress(12, '7');
    Form.cmdSquare_KeyPress(12, '0');
    EXPECT_EQ(Form.Board().Grid[12], -1);
    EXPECT_EQ(Form.Board().Givens[12], -1);
    EXPECT_EQ(Form.Controls().SquareCaption(12), "");
    EXPECT_EQ(Form.Controls().Squares[12].Background, SystemButtonFace);
    EXPECT_TRUE(SquareShown(12));
    EXPECT_EQ(Platform.TabsSent, 2);
}

TEST_F(SquareKeyTest, LastSquareKeepsTheFocus)
{
    Form.cmdSquare_KeyPress(79, '1');
    Form.cmdSquare_KeyPress(80, '8');
    EXPECT_EQ(Form.Board().Grid[80], 7);
    EXPECT_EQ(Form.Board().Givens[80], 7);
    EXPECT_EQ(Platform.TabsSent, 1);
    Form.cmdSquare_KeyPress(80, '0');
    EXPECT_EQ(Form.Board().Grid[80], -1);
    EXPECT_EQ(Platform.TabsSent, 1);
}

TEST_F(SquareKeyTest, OtherCharactersChangeNothing)
{
    Form.cmdSquare_KeyPress(3, '4');
    const auto before = Copy();
    const auto givens = Form.Board().Givens;
    for (char key : {'a', '/', ':', ' ', '\t', '.'}) {
        SCOPED_TRACE(static_cast<int>(key));
        Form.cmdSquare_KeyPress(3, key);
        EXPECT_EQ(Copy(), before);
        EXPECT_EQ(Form.Board().Givens, givens);
        EXPECT_EQ(Form.Controls().SquareCaption(3), "4");
    }
    EXPECT_EQ(Platform.TabsSent, 1);
}

TEST_F(SquareKeyTest, TypedDigitsAreNotCheckedAgainstTheirUnits)
{
    Form.cmdSquare_KeyPress(0, '3');
    Form.cmdSquare_KeyPress(1, '3');
    EXPECT_EQ(Form.Board().Grid[1], 2);
    EXPECT_EQ(News(), SetupText);
}

} // namespace
} // namespace quorix::testing
