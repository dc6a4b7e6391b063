// The command buttons: the common prologue, each command's messages and mode changes, and the
// rhythm of Next (explain on one click, carry out on the next).
#include "test_support.h"

namespace quorix::testing {
namespace {

// A board Next cannot get any further with: logic alone stalls on it.
std::string StallingPuzzle()
{
    return PuzzleFromFile("hardest-11.txt", 2);
}

class DispatcherTest : public FormTest
{
protected:
    // Clicks Next until it reports `text` (at most `limit` clicks); returns whether it did.
    bool NextUntil(std::string_view text, int limit = 200)
    {
        for (int i = 0; i < limit; ++i) {
            Click(ModeNext);
            if (News() == text)
                return true;
        }
        return false;
    }
    void ShowWhatThePrologueHides()
    {
        SeedEdited(Form, [](FormState &state) {
            ControlStore &controls = state.Controls;
            controls.Highlights[0].Visible = true;
            controls.Highlights[1].Visible = true;
            controls.Modes[ModeCheckUnique].Visible = true;
            controls.Timer.Enabled = true;
            controls.Timer.PeriodMs = 100;
            controls.SetNews("old");
            state.Dispatch.StopAuto = false;
        });
    }
    // Ten values written without striking, so that every candidate still shows: only reachable
    // by writing the values.
    void WriteTenValuesUnstruck()
    {
        SeedEdited(Form, [](FormState &state) {
            for (int s : {0, 10, 20, 30, 40, 50, 60, 70, 80})
                state.Board.Grid[s] = static_cast<std::int16_t>(s % 9);
            state.Board.Grid[8] = 5;
        });
    }
};

TEST_F(DispatcherTest, PrologueRunsForEveryCommand)
{
    Enter(EasyPuzzle);
    for (ModeIndex index : {ModeSave, ModeRestore, ModeStart, ModeRestart, ModeCheck}) {
        SCOPED_TRACE(index);
        ShowWhatThePrologueHides();
        Click(index);
        EXPECT_FALSE(Frame0().Visible);
        EXPECT_FALSE(Frame1().Visible);
        EXPECT_FALSE(UniqueShown());
        EXPECT_FALSE(Form.Controls().Timer.Enabled);
        EXPECT_EQ(Form.Controls().Timer.PeriodMs, 500);
        EXPECT_TRUE(Form.Dispatch().StopAuto);
        EXPECT_EQ(News(), index == ModeCheck ? "Not started yet" : "");
    }
}

TEST_F(DispatcherTest, StartWithNothingEnteredShowsEveryCandidate)
{
    Click(ModeStart);
    for (int s = 0; s < 81; ++s) {
        EXPECT_FALSE(SquareShown(s));
        EXPECT_EQ(Candidates(s), "123456789");
    }
    EXPECT_EQ(News(), "");
}

TEST_F(DispatcherTest, CheckMessages)
{
    Click(ModeCheck);
    EXPECT_EQ(News(), "Not enough squares set - please set some more");

    Enter(EasyPuzzle);
    Click(ModeCheck);
    EXPECT_EQ(News(), "Not started yet");
    Click(ModeStart);
    Click(ModeCheck);
    EXPECT_EQ(News(), "Seems OK so far");

    Click(ModeReset);
    Enter(SolvedGrid);
    Click(ModeCheck);
    EXPECT_EQ(News(), "Success!");
}

TEST_F(DispatcherTest, CheckWithTooFewGoesBackToSetupModeWithThePuzzle)
{
    std::string puzzle(81, '.');
    puzzle[0] = '1';
    puzzle[8] = '2';
    Enter(puzzle);
    Click(ModeStart);
    Form.SetSquare(40, 4, true); // placed after the start, not part of the puzzle
    Click(ModeCheck);
    EXPECT_EQ(News(), "Not enough squares set - please set some more");
    EXPECT_EQ(Form.Board().Grid[40], -1);
    EXPECT_EQ(Form.Board().Grid[0], 0);
    EXPECT_EQ(Form.Board().Grid[8], 1);
    for (int s = 0; s < 81; ++s) {
        EXPECT_TRUE(SquareShown(s));
        EXPECT_EQ(Candidates(s), "");
    }
}

TEST_F(DispatcherTest, CheckAndNextWithNothingEntered)
{
    Click(ModeStart);
    WriteTenValuesUnstruck();
    Click(ModeCheck);
    EXPECT_EQ(News(), "Nothing entered yet - please set some squares");
    EXPECT_TRUE(SquareShown(40));
    EXPECT_EQ(Form.Board().Grid[40], -1) << "the puzzle as entered is laid out again";

    Click(ModeStart);
    WriteTenValuesUnstruck();
    Click(ModeNext);
    EXPECT_EQ(News(), "Nothing entered yet - please set some squares");
    EXPECT_TRUE(SquareShown(40));
}

TEST_F(DispatcherTest, CheckOnAnImpossibleBoardFramesOnlyTheUnit)
{
    Enter(EasyPuzzle);
    Form.cmdSquare_KeyPress(2, '5'); // a second 5 in row 1
    Click(ModeStart);
    Click(ModeCheck);
    EXPECT_EQ(News(), "Impossible.  More than one 5 in row 1");
    EXPECT_EQ(Form.Board().HighlightSquare, -1);
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_TRUE(Frame1().Visible);
    EXPECT_EQ(Frame1().Geometry, (Rect{420, 420, 6375, 615}));
    EXPECT_FALSE(Form.Controls().Timer.Enabled);

    // A square with nothing left is reported without framing the square.
    Click(ModeReset);
    EnterAndStart(EasyPuzzle);
    for (int d = 0; d < 9; ++d)
        Form.cmdEle_Click(static_cast<std::int16_t>(2 * 9 + d));
    Click(ModeCheck);
    EXPECT_EQ(News(), "Impossible.  No possibilities left for square 3");
    EXPECT_EQ(Form.Board().HighlightSquare, -1);
    EXPECT_FALSE(Frame0().Visible);
}

TEST_F(DispatcherTest, ResetAndRestartMessages)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeRestart);
    EXPECT_EQ(News(), "");
    EXPECT_EQ(GridText(), EasyPuzzle);
    EXPECT_TRUE(SquareShown(2));
    Click(ModeReset);
    EXPECT_EQ(News(), SetupText);
    EXPECT_EQ(GridText(), std::string(81, '.'));
}

// The first two steps of the easy puzzle are single candidates: square 71 can only be a 3,
// then square 64 only a 2.
TEST_F(DispatcherTest, NextExplainsOnOneClickAndCarriesOutOnTheNext)
{
    EnterAndStart(EasyPuzzle);
    const auto before = Copy();
    Click(ModeNext);
    EXPECT_EQ(News(), "Square 71 can only be a 3");
    EXPECT_EQ(Form.Board().Explanation, News());
    EXPECT_EQ(Copy(), before) << "the step is only shown";
    EXPECT_EQ(Form.Board().StepKind, StepPlace);
    EXPECT_EQ(Form.Board().StepTarget, 70);
    EXPECT_EQ(Form.Board().StepDigit, 2);
    EXPECT_EQ(Form.Board().HighlightSquare, 70);
    EXPECT_EQ(Form.Board().HighlightUnit, -1);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_EQ(Frame0().Geometry, (Rect{5460, 5460, 615, 615}));
    EXPECT_FALSE(Frame1().Visible);
    EXPECT_TRUE(Form.Controls().Timer.Enabled);

    Click(ModeNext);
    EXPECT_EQ(Form.Board().Grid[70], 2) << "the step explained before is carried out";
    EXPECT_EQ(Candidates(70), "");
    EXPECT_EQ(News(), "Square 64 can only be a 2");
    EXPECT_EQ(Form.Board().StepTarget, 63);
    EXPECT_EQ(Form.Board().Grid[63], Empty) << "and the next one only shown";
}

TEST_F(DispatcherTest, NextOnABoardNotStartedStartsItAndShowsTheFirstStep)
{
    Enter(EasyPuzzle);
    Click(ModeNext);
    EXPECT_EQ(GridText(), EasyPuzzle);
    EXPECT_FALSE(SquareShown(2));
    EXPECT_EQ(Candidates(2), "124");
    EXPECT_EQ(News(), Form.Board().Explanation);
    EXPECT_FALSE(News().empty());
    EXPECT_EQ(Form.CheckBoard(), StatusConsistent);
}

TEST_F(DispatcherTest, NextWithTooFew)
{
    Enter("12...............................................................................");
    Click(ModeNext);
    EXPECT_EQ(News(), "Not enough squares set - please set some more");
    EXPECT_TRUE(SquareShown(5));
    EXPECT_EQ(Candidates(5), "");
}

TEST_F(DispatcherTest, NextSolvesAnEasyPuzzleStepByStep)
{
    Enter(EasyPuzzle);
    ASSERT_TRUE(NextUntil("Success!  Found a solution."));
    EXPECT_EQ(GridText(), EasySolution);
    EXPECT_EQ(Form.Board().StepKind, StepNothingFound);
    EXPECT_FALSE(Form.Board().Guessed);
}

TEST_F(DispatcherTest, NextOnASolvedBoard)
{
    Enter(SolvedGrid);
    Click(ModeNext);
    EXPECT_EQ(News(), "Success!  Found a solution.");
}

TEST_F(DispatcherTest, NextOnAContradictionLeavesThePendingStep)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeNext);
    ASSERT_EQ(Form.Board().StepKind, StepPlace);
    ASSERT_EQ(Form.Board().HighlightSquare, 70);
    ASSERT_EQ(EasyPuzzle[78], '.');
    for (int d = 0; d < 9; ++d)
        Form.cmdEle_Click(static_cast<std::int16_t>(78 * 9 + d));
    const auto before = Copy();
    Click(ModeNext);
    EXPECT_EQ(News(), "Hang on, this is impossible!  No possibilities left for square 79");
    EXPECT_EQ(Copy(), before) << "the pending step is not carried out";
    EXPECT_EQ(Form.Board().StepKind, StepRestrike);
    EXPECT_EQ(Form.Board().HighlightSquare, 78);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_EQ(Frame0().Geometry, (Rect{4740, 6180, 615, 615}));
}

TEST_F(DispatcherTest, TrickyThenAContradictionStillSaysHangOnAtTheFirstCheck)
{
    EnterAndStart(StallingPuzzle());
    ASSERT_TRUE(NextUntil("Tricky... save this, then have a guess and carry on"));
    EXPECT_TRUE(Form.Board().Guessed);
    EXPECT_EQ(Form.Board().StepKind, StepNothingFound);
    Click(ModeNext);
    EXPECT_EQ(News(), "Tricky... save this, then have a guess and carry on");

    const int open = static_cast<int>(GridText().find('.'));
    for (int d = 0; d < 9; ++d)
        Form.cmdEle_Click(static_cast<std::int16_t>(open * 9 + d));
    Click(ModeNext);
    EXPECT_EQ(News(), "Hang on, this is impossible!  No possibilities left for square "
                          + std::to_string(open + 1));
}

class NextFindsNothingOnAContradiction : public DispatcherTest
{
protected:
    // Squares 0 and 1 open with one candidate each, and a pending step that puts the wrong
    // digit in square 0: carrying it out leaves square 1 with nothing and a 3 twice in
    // column 1, after which no step can be found.
    void SetUp() override
    {
        DispatcherTest::SetUp();
        std::string puzzle(SolvedGrid);
        puzzle[0] = puzzle[1] = '.';
        EnterAndStart(puzzle);
        ASSERT_EQ(Candidates(0), "5");
        ASSERT_EQ(Candidates(1), "3");
        SeedEdited(Form, [](FormState &state) {
            state.Board.StepKind = StepPlace;
            state.Board.StepTarget = 0;
            state.Board.StepDigit = 2;
        });
    }
};

TEST_F(NextFindsNothingOnAContradiction, AfterAGuessSaysTheGuessWasWrong)
{
    SeedEdited(Form, [](FormState &state) { state.Board.Guessed = true; });
    Click(ModeNext);
    EXPECT_EQ(News(), "Guess was wrong.  Oh well, try again.");
    EXPECT_EQ(Form.Board().StepKind, StepNothingFound);
}

TEST_F(NextFindsNothingOnAContradiction, WithoutAGuessExplainsWithoutFraming)
{
    Click(ModeNext);
    EXPECT_EQ(News(), "Hang on, this is impossible!  More than one 3 in column 1");
    EXPECT_EQ(Form.Board().StepKind, StepNothingFound);
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_FALSE(Frame1().Visible);
}

TEST_F(DispatcherTest, AutoAndCheckUniqueAreDispatched)
{
    Enter(EasyPuzzle);
    Click(ModeAuto);
    EXPECT_EQ(News(), "Success!  Unique solution found");
    Click(ModeCheckUnique);
    EXPECT_EQ(News(), "Checked out - Solution is unique");
}

} // namespace
} // namespace quorix::testing
