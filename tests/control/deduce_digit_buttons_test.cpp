// The digit buttons: one step about the button's digit, carried out at once and silently.
#include "test_support.h"

namespace quorix::testing {
namespace {

class DigitButtons : public BoardTest
{
protected:
    void Click(int digitCode) { ClickDigitButton(Board, Controls, digitCode); }
    bool Alive(int square, int digit) const
    {
        return Controls.CandidateVisible(square * 9 + digit - 1);
    }
};

TEST_F(DigitButtons, PlacesASingleWithItsColourAndStrikesItFromItsUnits)
{
    Start(std::string(81, '.'));
    Controls.CandidateBits[40] = 1U << 3; // only a 4 left in the centre square
    Click(3);
    EXPECT_EQ(Board.Grid[40], 3);
    EXPECT_EQ(Controls.SquareCaption(40), "4");
    EXPECT_EQ(Controls.Squares[40].Background, Rgb(192, 255, 192));
    EXPECT_TRUE(Controls.Squares[40].Visible);
    for (int s = 0; s < SquareCount; ++s) {
        SCOPED_TRACE(s);
        const bool shares = s / 9 == 4 || s % 9 == 4 || GroupOfSquare(s) == 4;
        EXPECT_EQ(Alive(s, 4), !shares);
        if (s != 40) {
            EXPECT_TRUE(Alive(s, 5)); // other digits untouched
        }
    }
}

TEST_F(DigitButtons, LeaveStatusLineHighlightAndBlinkAsTheyWere)
{
    Start(EasyPuzzle);
    Controls.SetNews("Tricky");
    Controls.Timer.Enabled = true;
    Controls.Highlights[0].Visible = true;
    Controls.Highlights[1].Visible = false;
    const auto newsChanges = Controls.NewsChanges();
    Click(0);
    EXPECT_EQ(Board.Grid[7], 0); // column 8 had only one place for the 1
    EXPECT_EQ(Controls.NewsChanges(), newsChanges);
    EXPECT_EQ(Controls.News(), "Tricky");
    EXPECT_TRUE(Controls.Timer.Enabled);
    EXPECT_TRUE(Controls.Highlights[0].Visible);
    EXPECT_FALSE(Controls.Highlights[1].Visible);
}

TEST_F(DigitButtons, AClickThatFindsNothingDoesNothing)
{
    Start(std::string(81, '.'));
    // A step recorded earlier, now stale: it must not be carried out by the click.
    Board.StepKind = StepPlace;
    Board.StepTarget = 0;
    Board.StepDigit = 0;
    Board.Explanation = "Square 1 can only be a 1";
    const auto bits = Controls.CandidateBits;
    Click(0);
    EXPECT_EQ(Board.Grid[0], Empty);
    EXPECT_EQ(Controls.CandidateBits, bits);
    EXPECT_EQ(Board.Explanation, "Square 1 can only be a 1");

    Board.StepKind = StepStrike;
    Board.StepTarget = 5;
    Click(8);
    EXPECT_EQ(Controls.CandidateBits, bits);
}

TEST_F(DigitButtons, MayStrikeAnotherDigitThroughAPair)
{
    Start(std::string(81, '.'));
    Controls.CandidateBits[0] = 0b11; // a naked pair {1,2} in row 1
    Controls.CandidateBits[1] = 0b11;
    Click(8); // nothing for the 9
    EXPECT_FALSE(Alive(2, 2));
    EXPECT_TRUE(Alive(2, 1));
    EXPECT_TRUE(Alive(2, 9));
}

class DigitButtonClicks : public FormTest
{
protected:
    bool Alive(int square, int digit) const
    {
        return Form.Controls().CandidateVisible(square * 9 + digit - 1);
    }
};

TEST_F(DigitButtonClicks, RoundTheNineSolveAPuzzle)
{
    StartPuzzle(Form, EasyPuzzle);
    // First clicks, worked out by hand: 1 is only possible at the top of column 8; in group 6
    // the 2 is confined to column 8, which takes it from square 17; square 71 is left with 3.
    Form.cmdNumber_Click(0);
    EXPECT_EQ(Form.Board().Grid[7], 0);
    EXPECT_FALSE(Alive(7, 2));
    Form.cmdNumber_Click(1);
    EXPECT_FALSE(Alive(16, 2));
    EXPECT_EQ(Form.Board().Explanation,
              "Only 2s in group 6 in same column, so square 17 can't be a 2");
    EXPECT_EQ(Form.Board().Grid[16], Empty);
    Form.cmdNumber_Click(2);
    EXPECT_EQ(Form.Board().Grid[70], 2);
    EXPECT_EQ(Form.Board().Explanation, "Square 71 can only be a 3");

    // Then round and round until a whole round changes nothing.
    int clicks = 3;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::int16_t digit = 0; digit < 9; ++digit) {
            const auto bits = Form.Controls().CandidateBits;
            Form.cmdNumber_Click(digit);
            ++clicks;
            changed = changed || bits != Form.Controls().CandidateBits;
        }
        ASSERT_LT(clicks, 2000);
    }
    EXPECT_EQ(GridText(), EasySolution);
    EXPECT_EQ(Form.CheckBoard(), StatusSolved);
}

} // namespace
} // namespace quorix::testing
