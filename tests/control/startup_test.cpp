// Form_Load and InitialiseWindow: the layout the logic depends on and the starting state.
#include "test_support.h"

namespace quorix::testing {
namespace {

using StartupTest = FormTest;

// Everything the window's starting state promises, after opening and after every Reset.
void ExpectStartingState(const Form1 &form)
{
    for (int s = 0; s < 81; ++s) {
        SCOPED_TRACE(s);
        const auto &square = form.Controls().Squares[s];
        EXPECT_EQ(form.Board().Grid[s], -1);
        EXPECT_EQ(form.Board().Givens[s], -1);
        EXPECT_TRUE(square.Visible);
        EXPECT_TRUE(square.Enabled);
        EXPECT_EQ(square.Caption, 0);
        EXPECT_EQ(square.Background, SystemButtonFace);
        EXPECT_EQ(square.FontTenthPoints, 180);
        EXPECT_EQ(form.Controls().CandidateBits[s], 0);
    }
    EXPECT_EQ(form.Board().StepKind, StepNone);
    EXPECT_EQ(form.Board().StepTarget, -1);
    EXPECT_FALSE(form.Board().Guessed);
    EXPECT_EQ(form.Guesses().GuessCount, 0);
    EXPECT_FALSE(form.Unique().ReverseGuessOrder);
    EXPECT_FALSE(form.Controls().Highlights[0].Visible);
    EXPECT_FALSE(form.Controls().Highlights[1].Visible);
    EXPECT_FALSE(form.Controls().Timer.Enabled);
    EXPECT_EQ(form.Controls().News(), SetupText);
}

TEST_F(StartupTest, OpensInSetupModeWithNothingEntered)
{
    ExpectStartingState(Form);
    EXPECT_EQ(Form.Controls().Timer.PeriodMs, 100);
    EXPECT_EQ(Form.Board().HighlightSquare, 0);
    EXPECT_EQ(Form.Board().HighlightUnit, 0);
    EXPECT_EQ(Form.Board().HighlightUnitType, 0);
    EXPECT_EQ(Form.Board().Explanation, "");
    EXPECT_EQ(Form.CheckBoard(), StatusTooFew);
}

TEST_F(StartupTest, CommandButtons)
{
    struct Expected
    {
        ModeIndex Index;
        const char *Caption;
        Rect Geometry;
    };
    const Expected table[] = {
        {ModeReset, "Reset", {7560, 360, 1335, 495}},
        {ModeRestart, "Restart", {7560, 900, 1335, 495}},
        {ModeStart, "Start", {7560, 1440, 1335, 495}},
        {ModeCheck, "Check", {7560, 1980, 1335, 495}},
        {ModeNext, "Next", {7560, 3060, 1335, 495}},
        {ModeSave, "Save", {7140, 5280, 855, 495}},
        {ModeRestore, "Restore", {8040, 5280, 1215, 495}},
        {ModeAuto, "Auto", {7560, 5820, 1335, 495}},
        {ModeCheckUnique, "Check Unique", {7140, 6360, 2115, 495}},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.Caption);
        const auto &button = Form.Controls().Modes[row.Index];
        EXPECT_EQ(button.Caption, row.Caption);
        EXPECT_EQ(button.Geometry, row.Geometry);
        EXPECT_EQ(button.Visible, row.Index != ModeCheckUnique);
    }
}

TEST_F(StartupTest, DigitColoursOnDigitAndCandidateButtons)
{
    const Colour colours[9] = {
        Rgb(255, 192, 192), Rgb(255, 224, 192), Rgb(224, 255, 192),
        Rgb(192, 255, 192), Rgb(192, 255, 224), Rgb(192, 224, 255),
        Rgb(192, 192, 255), Rgb(224, 192, 255), Rgb(255, 224, 255),
    };
    for (int d = 0; d < 9; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(Form.Board().DigitColours[d], colours[d]);
        EXPECT_EQ(Form.Controls().Numbers[d].Background, colours[d]);
        EXPECT_EQ(Form.Controls().Numbers[d].Caption, std::string(1, char('1' + d)));
    }
    EXPECT_EQ(Form.Board().DigitColours[9], 0U);
    for (int c = 0; c < 729; ++c)
        EXPECT_EQ(Form.Controls().CandidateColours[c], colours[c % 9]) << "candidate " << c;
}

TEST_F(StartupTest, DigitButtonsInKeypadOrder)
{
    EXPECT_EQ(Form.Controls().Numbers[6].Geometry, (Rect{7380, 3600, 555, 555}));
    EXPECT_EQ(Form.Controls().Numbers[8].Geometry, (Rect{8460, 3600, 555, 555}));
    EXPECT_EQ(Form.Controls().Numbers[2].Geometry, (Rect{8460, 4680, 555, 555}));
    EXPECT_EQ(Form.Controls().Numbers[4].Geometry.X, 7920);
    EXPECT_EQ(Form.Controls().Numbers[4].Geometry.Y, 4140);
    EXPECT_EQ(Form.Controls().Numbers[0].Geometry.X, 7380);
    EXPECT_EQ(Form.Controls().Numbers[0].Geometry.Y, 4680);
}

TEST_F(StartupTest, CandidatesInKeypadOrderAroundTheirSquare)
{
    EXPECT_EQ(Form.Controls().Squares[0].Geometry, (Rect{480, 480, 495, 495}));
    EXPECT_EQ(Form.Controls().Squares[40].Geometry, (Rect{3360, 3360, 495, 495}));
    EXPECT_EQ(Form.Controls().Squares[80].Geometry, (Rect{6240, 6240, 495, 495}));
    // The nine candidates of a square tile a 3x3 block of 180 round it, 7 8 9 on top.
    for (const int square : {0, 40, 80}) {
        const Rect &seven = Form.Controls().CandidateGeometry[square * 9 + 6];
        for (int d = 0; d < 9; ++d) {
            SCOPED_TRACE(::testing::Message() << "square " << square << " digit code " << d);
            const Rect &candidate = Form.Controls().CandidateGeometry[square * 9 + d];
            EXPECT_EQ(candidate.X - seven.X, 180 * (d % 3));
            EXPECT_EQ(candidate.Y - seven.Y, 180 * (2 - d / 3));
            EXPECT_EQ(candidate.Width, 180);
            EXPECT_EQ(candidate.Height, 180);
        }
    }
    EXPECT_EQ(Form.Controls().CandidateGeometry[6].X, 450);
    EXPECT_EQ(Form.Controls().CandidateGeometry[6].Y, 450);
    EXPECT_EQ(Form.Controls().CandidateGeometry[2].X, 810);
    EXPECT_EQ(Form.Controls().CandidateGeometry[2].Y, 810);
    EXPECT_EQ(Form.Controls().CandidateGeometry[80 * 9 + 4].X, 6240 + 150);
    EXPECT_EQ(Form.Controls().CandidateGeometry[80 * 9 + 4].Y, 6240 + 150);
    // Blocks of neighbouring squares keep a 180 gap, where the grid line runs.
    const Rect &right = Form.Controls().CandidateGeometry[0 * 9 + 2];
    const Rect &next = Form.Controls().CandidateGeometry[1 * 9 + 0];
    EXPECT_EQ(next.X - (right.X + right.Width), 180);
}

TEST_F(StartupTest, ResetOnASolvedBoardGivesTheStartingState)
{
    Enter(EasyPuzzle);
    Click(ModeAuto);
    ASSERT_EQ(GridText(), EasySolution);
    const int square = Form.Board().HighlightSquare;
    const std::string explanation = Form.Board().Explanation;
    ASSERT_FALSE(explanation.empty());
    Click(ModeReset);
    ExpectStartingState(Form);
    EXPECT_EQ(Form.Board().HighlightSquare, square);
    EXPECT_EQ(Form.Board().Explanation, explanation);
    EXPECT_EQ(Form.Controls().Timer.PeriodMs, 500) << "the command prologue's period stays";
    EXPECT_FALSE(UniqueShown());
}

TEST_F(StartupTest, ResetClearsTheReversedGuessOrder)
{
    Enter(PuzzleFromFile("hardest-11.txt", 2));
    Click(ModeAuto);
    Click(ModeCheckUnique);
    ASSERT_TRUE(Form.Unique().ReverseGuessOrder);
    ASSERT_GT(Form.Guesses().GuessCount, 0);
    Click(ModeReset);
    EXPECT_FALSE(Form.Unique().ReverseGuessOrder);
    EXPECT_EQ(Form.Guesses().GuessCount, 0);
}

} // namespace
} // namespace quorix::testing
