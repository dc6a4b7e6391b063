// The window object's own members: the state it hands out, and the seed that puts one in place.
#include "test_support.h"

namespace quorix::testing {
namespace {

using SeedTest = FormTest;

// A seed takes the place of every owner, keeps the undo history, and counts the status line
// as changed, so that a view of the store shows the new one whatever it showed before.
TEST_F(SeedTest, PutsTheWholeStateInPlaceAndTheStatusLineAsNew)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeSave);
    const std::size_t steps = Form.History().UndoSteps();
    FormState state = Form.State();
    state.Board.Grid[2] = 3;
    state.Controls.CandidateBits[2] = 0;
    state.Board.Explanation = "seeded";
    state.Snapshots.SaveSlotUsed = false;
    state.Guesses.GuessCount = 7;
    state.Unique.ReverseGuessOrder = true;
    state.Stats.Cycles = 11;
    const std::uint64_t newsChanges = Form.Controls().NewsChanges();

    Form.Seed(state);
    EXPECT_EQ(Form.Board().Grid[2], 3);
    EXPECT_EQ(Candidates(2), "");
    EXPECT_EQ(Form.Board().Explanation, "seeded");
    EXPECT_FALSE(Form.Snapshots().SaveSlotUsed);
    EXPECT_EQ(Form.Guesses().GuessCount, 7);
    EXPECT_TRUE(Form.Unique().ReverseGuessOrder);
    EXPECT_EQ(Form.Stats().Cycles, 11);
    EXPECT_EQ(News(), state.Controls.News());
    EXPECT_GT(Form.Controls().NewsChanges(), newsChanges);
    EXPECT_EQ(Form.History().UndoSteps(), steps);

    // The seeded board is the one the handlers go on from.
    Click(ModeRestore);
    EXPECT_EQ(News(), "Nothing saved yet");
}

} // namespace
} // namespace quorix::testing
