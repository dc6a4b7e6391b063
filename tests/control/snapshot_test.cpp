// Snapshots: the single save slot behind Save and Restore, and the depth slots.
#include "core/control/auto_carry.h"
#include "test_support.h"

namespace quorix::testing {
namespace {

using SnapshotTest = FormTest;

TEST_F(SnapshotTest, SaveRestoreRoundTripKeepsHandStruckCandidates)
{
    EnterAndStart(EasyPuzzle);
    Form.cmdEle_Click(2 * 9 + 0); // square 2 keeps 2 and 4
    Form.cmdEle_Click(80 * 9 + 8);
    Click(ModeSave);
    EXPECT_EQ(News(), "");
    const auto saved = Copy();

    Form.SetSquare(2, 3, true);
    Form.StrikeSetDigits();
    Form.cmdEle_Click(40 * 9 + 4);
    Form.SetSquare(0, -1, true);
    ASSERT_NE(Copy(), saved);

    Click(ModeRestore);
    EXPECT_EQ(News(), "");
    EXPECT_EQ(Copy(), saved);
    EXPECT_EQ(Candidates(2), "24");
    EXPECT_EQ(Form.Controls().SquareCaption(0), "5");
    EXPECT_EQ(Form.Controls().Squares[0].Background, Form.Board().DigitColours[4]);
    EXPECT_EQ(Form.Controls().SquareCaption(2), "");
    EXPECT_EQ(Form.Board().StepKind, StepRestrike);
}

TEST_F(SnapshotTest, RestoreBeforeAnySaveChangesNothing)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeNext);
    const auto board = Copy();
    const auto kind = Form.Board().StepKind;
    const auto target = Form.Board().StepTarget;
    const auto digit = Form.Board().StepDigit;
    Click(ModeRestore);
    EXPECT_EQ(News(), "Nothing saved yet");
    EXPECT_EQ(Copy(), board);
    EXPECT_EQ(Form.Board().StepKind, kind);
    EXPECT_EQ(Form.Board().StepTarget, target);
    EXPECT_EQ(Form.Board().StepDigit, digit);
    EXPECT_FALSE(Frame0().Visible) << "the prologue still ran";
}

TEST_F(SnapshotTest, TheSavedBoardOutlivesReset)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeSave);
    const auto saved = Copy();
    Click(ModeReset);
    Click(ModeRestore);
    EXPECT_EQ(News(), "");
    EXPECT_EQ(Copy(), saved);
}

TEST_F(SnapshotTest, SecondSaveOverwritesTheFirst)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeSave);
    Form.cmdEle_Click(2 * 9 + 1);
    Click(ModeSave);
    const auto second = Copy();
    Form.cmdEle_Click(2 * 9 + 0);
    Click(ModeRestore);
    EXPECT_EQ(Copy(), second);
    EXPECT_EQ(Candidates(2), "14");
}

TEST_F(SnapshotTest, SetupModeSnapshotRestoresEmptySquaresHiddenWithoutCandidates)
{
    Enter(EasyPuzzle);
    Click(ModeSave);
    Click(ModeStart);
    Click(ModeRestore);
    for (int s = 0; s < 81; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(SquareShown(s), EasyPuzzle[s] != '.');
        EXPECT_EQ(Candidates(s), "");
    }
    EXPECT_EQ(Form.CheckBoard(), StatusImpossible);
}

TEST_F(SnapshotTest, SaveSlotAndDepthSlotsAreSeparate)
{
    EnterAndStart(EasyPuzzle);
    Form.SaveSnapshot(-1);
    const auto first = Copy();
    Form.SetSquare(2, 3, true);
    Form.StrikeSetDigits();
    Form.SaveSnapshot(0);
    const auto second = Copy();
    Form.cmdEle_Click(80 * 9 + 0);
    Form.SaveSnapshot(81);
    const auto last = Copy();

    Form.RestoreSnapshot(-1);
    EXPECT_EQ(Copy(), first);
    Form.RestoreSnapshot(0);
    EXPECT_EQ(Copy(), second);
    Form.RestoreSnapshot(81);
    EXPECT_EQ(Copy(), last);
    Form.RestoreSnapshot(-1);
    EXPECT_EQ(Copy(), first);
}

// A backtrack of the auto loop rewrites only the squares set since its slot was saved, while
// the loop alone has changed the board; once anything else may have, it rewrites them all.
TEST_F(SnapshotTest, ThePartialRestoreOfABacktrackLeavesWhatAWholeOneDoes)
{
    EnterAndStart(EasyPuzzle);
    FormState state = Form.State();
    const auto copy = [&state] { return CopyOf(state.Board, state.Controls); };
    AutoCarry carry(state.Board, state.Controls);
    carry.Struck = true;
    carry.BringViewUpToDate();
    carry.Clean = true; // as Start leaves it: every set square shown, every empty one hidden
    SaveSnapshot(state, 3);
    carry.Remember(state.Guesses, 3);
    const auto saved = copy();
    const auto buttons = state.Controls.Squares;

    // Three placements as the loop makes them: square 2 takes its candidate 4 (code 3).
    carry.PlaceOnStruckBoard(2, 3);
    carry.PlaceOnStruckBoard(3, 5);
    carry.PlaceOnStruckBoard(78, 0);
    SquareSet placed;
    placed.Add(2);
    placed.Add(3);
    placed.Add(78);
    SquareSet since;
    ASSERT_TRUE(carry.SetSinceSaved(state.Guesses, 3, since));
    EXPECT_EQ(since, placed);

    RestoreSnapshot(state, 3, since);
    EXPECT_EQ(copy(), saved);
    for (int s = 0; s < 81; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(state.Controls.Squares[s].Caption, buttons[s].Caption);
        EXPECT_EQ(state.Controls.Squares[s].Background, buttons[s].Background);
        EXPECT_EQ(state.Controls.Squares[s].Visible, buttons[s].Visible);
    }
    EXPECT_EQ(state.Board.StepKind, StepRestrike);

    // Forgotten knowledge, a slot saved again, or a board not in clean solving form: no
    // partial restore.
    carry.Recall(state.Guesses, 3);
    carry.PlaceOnStruckBoard(2, 3);
    carry.Forget();
    EXPECT_FALSE(carry.SetSinceSaved(state.Guesses, 3, since));
    carry.Struck = true;
    carry.BringViewUpToDate();
    carry.Clean = true;
    EXPECT_FALSE(carry.SetSinceSaved(state.Guesses, 3, since)) << "forgotten since the save";
    SaveSnapshot(state, 3);
    EXPECT_FALSE(carry.SetSinceSaved(state.Guesses, 3, since)) << "the slot was saved again";
}

} // namespace
} // namespace quorix::testing
