// GuessOrBacktrack: one guess or one backtrack per call, over the stack of depth slots.
#include "test_support.h"

namespace quorix::testing {
namespace {

// Row 1 holds 1 3 4 6 8 9 in its last six squares and row 5 starts 3 4 1 2, so squares 0, 1
// and 2 each have candidates 2, 5 and 7, and any of them leaves the board consistent.
constexpr std::string_view ThreeWayPuzzle = "...134689"
                                            "........."
                                            "........."
                                            "........."
                                            "3412....."
                                            "........."
                                            "........."
                                            "........."
                                            ".........";

// The window's whole state as a value, started on ThreeWayPuzzle: the search works on it.
class GuessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HeadlessPlatform platform;
        Form1 form(platform);
        form.Form_Load();
        TypePuzzle(form, ThreeWayPuzzle);
        form.cmdMode_Click(ModeStart);
        State = form.State();
        ASSERT_EQ(Candidates(0), "257");
        ASSERT_EQ(Candidates(1), "257");
        ASSERT_EQ(CheckBoard(State.Board, State.Controls), StatusConsistent);
    }
    // One call; returns the exhausted flag and leaves the status in `Status`.
    bool Call(BoardStatus status)
    {
        Status = status;
        return GuessOrBacktrack(State, Status);
    }
    // Strikes every candidate of `square` but those in `keep`.
    void KeepOnly(int square, std::string_view keep)
    {
        for (int d = 0; d < 9; ++d)
            if (keep.find(char('1' + d)) == std::string_view::npos)
                StrikeCandidate(State.Board, State.Controls, square * 9 + d);
    }
    std::string News() const { return State.Controls.News(); }
    std::string Candidates(int square) const { return CandidatesOf(State.Controls, square); }
    BoardCopy Copy() const { return CopyOf(State.Board, State.Controls); }

    FormState State;
    BoardStatus Status{};
};

TEST_F(GuessTest, NormalOrderTriesLowestFirstThenDropsTheLevel)
{
    const auto before = Copy();
    EXPECT_FALSE(Call(StatusConsistent));
    EXPECT_EQ(News(), "Guessing 2 for square 1");
    EXPECT_EQ(State.Board.Grid[0], 1);
    EXPECT_EQ(State.Guesses.GuessDepth, 0);
    EXPECT_EQ(Candidates(1), "57") << "the guess is struck from its units";

    EXPECT_FALSE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 5 for square 1");
    EXPECT_EQ(State.Board.Grid[0], 4);
    EXPECT_EQ(Status, StatusConsistent) << "the check after a backtrack is the caller's status";
    EXPECT_EQ(Candidates(1), "27");

    EXPECT_FALSE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 7 for square 1");
    EXPECT_EQ(State.Board.Grid[0], 6);

    EXPECT_TRUE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 7 for square 1");
    EXPECT_EQ(State.Guesses.GuessDepth, -1);
    EXPECT_EQ(Copy(), before) << "exhausted at depth 0: the board from before the first guess";
}

TEST_F(GuessTest, ReversedOrderTriesHighestFirst)
{
    State.Unique.ReverseGuessOrder = true;
    const auto before = Copy();
    EXPECT_FALSE(Call(StatusConsistent));
    EXPECT_EQ(News(), "Guessing 7 for square 1");
    EXPECT_FALSE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 5 for square 1");
    EXPECT_FALSE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 2 for square 1");
    EXPECT_TRUE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 2 for square 1");
    EXPECT_EQ(Copy(), before);
}

TEST_F(GuessTest, BacktrackReturnsToTheNextUntriedCandidateOneLevelDown)
{
    EXPECT_FALSE(Call(StatusConsistent)); // square 0: 2
    EXPECT_FALSE(Call(StatusConsistent)); // square 1: 5
    EXPECT_EQ(News(), "Guessing 5 for square 2");
    EXPECT_EQ(State.Guesses.GuessDepth, 1);
    EXPECT_FALSE(Call(StatusImpossible)); // square 1: 7
    EXPECT_EQ(News(), "Guessing 7 for square 2");
    EXPECT_EQ(State.Guesses.GuessDepth, 1);

    EXPECT_FALSE(Call(StatusImpossible)); // square 1 used up: square 0 moves on to 5
    EXPECT_EQ(News(), "Guessing 5 for square 1");
    EXPECT_EQ(State.Guesses.GuessDepth, 0);
    EXPECT_EQ(State.Board.Grid[0], 4);
    EXPECT_EQ(State.Board.Grid[1], -1);
    EXPECT_EQ(Candidates(1), "27");
}

TEST_F(GuessTest, BacktrackMovesPastAnImpossibleCandidateInOneCall)
{
    KeepOnly(10, "5"); // a 5 in square 0 leaves square 10 with nothing
    EXPECT_FALSE(Call(StatusConsistent));
    EXPECT_FALSE(Call(StatusImpossible));
    EXPECT_EQ(News(), "Guessing 7 for square 1");
    EXPECT_EQ(State.Board.Grid[0], 6);
    EXPECT_EQ(Candidates(10), "5");
    EXPECT_EQ(Status, StatusConsistent);
}

TEST_F(GuessTest, FirstCallGuessesEvenOnAContradictionThenExhausts)
{
    KeepOnly(10, "");
    const auto before = Copy();
    EXPECT_FALSE(Call(StatusImpossible));
    EXPECT_EQ(Status, StatusConsistent);
    EXPECT_EQ(News(), "Guessing 2 for square 1");
    EXPECT_TRUE(Call(StatusImpossible)) << "5 and 7 both fail within the same call";
    EXPECT_EQ(News(), "Guessing 7 for square 1");
    EXPECT_EQ(Status, StatusImpossible);
    EXPECT_EQ(Copy(), before);
}

TEST_F(GuessTest, OtherStatusesNeitherGuessNorBacktrack)
{
    EXPECT_FALSE(Call(StatusConsistent));
    const auto board = Copy();
    State.Controls.SetNews("unchanged");
    for (const BoardStatus status : {StatusSolved, StatusNotStarted, StatusTooFew}) {
        EXPECT_FALSE(Call(status));
        EXPECT_EQ(Copy(), board);
        EXPECT_EQ(News(), "unchanged");
    }
}

TEST_F(GuessTest, DeepestDepthSlotIsUsedThenNoFurther)
{
    EXPECT_FALSE(Call(StatusConsistent));
    State.Guesses.GuessDepth = 80;
    EXPECT_FALSE(Call(StatusConsistent)); // needs depth slot 81: allowed
    EXPECT_EQ(State.Guesses.GuessDepth, 81);
    EXPECT_EQ(State.Guesses.GuessSquare[81], 1);
    EXPECT_EQ(State.Board.Grid[1], 4);

    const auto board = Copy();
    State.Controls.SetNews("unchanged");
    State.Dispatch.StopAuto = false;
    EXPECT_FALSE(Call(StatusConsistent)); // would need slot 82
    EXPECT_EQ(Copy(), board);
    EXPECT_EQ(News(), "unchanged");
    EXPECT_EQ(State.Guesses.GuessDepth, 81);
    EXPECT_TRUE(State.Dispatch.StopAuto);
}

TEST_F(GuessTest, CountNeverWrapsBackToAFreshStack)
{
    EXPECT_FALSE(Call(StatusConsistent));
    for (std::int64_t count : {std::int64_t{32767}, std::int64_t{65535}}) {
        State.Guesses.GuessCount = count;
        State.Guesses.GuessDepth = 0;
        State.Guesses.GuessDigit[0] = 1;
        EXPECT_FALSE(Call(StatusImpossible));
        EXPECT_EQ(News(), "Guessing 5 for square 1") << "a backtrack, not a new stack";
        EXPECT_EQ(State.Guesses.GuessCount, count + 1);
    }
}

TEST_F(GuessTest, BacktrackWithAnEmptyStackIsExhausted)
{
    EXPECT_FALSE(Call(StatusConsistent));
    State.Guesses.GuessDepth = -1;
    const auto board = Copy();
    State.Controls.SetNews("unchanged");
    EXPECT_TRUE(Call(StatusImpossible));
    EXPECT_EQ(Status, StatusImpossible);
    EXPECT_EQ(Copy(), board);
    EXPECT_EQ(News(), "unchanged");
}

TEST_F(FormTest, GuessOnAFullBoardTakesSquareZero)
{
    Enter(SolvedGrid);
    BoardStatus status = StatusConsistent;
    EXPECT_FALSE(Form.GuessOrBacktrack(status));
    EXPECT_EQ(News(), "Guessing 1 for square 1");
    EXPECT_EQ(Form.Board().Grid[0], 0);
}

TEST_F(FormTest, GuessMessageCountsFromOne)
{
    std::string puzzle(SolvedGrid);
    puzzle[80] = '.';
    EnterAndStart(puzzle);
    ASSERT_EQ(Candidates(80), "9");
    BoardStatus status = StatusConsistent;
    EXPECT_FALSE(Form.GuessOrBacktrack(status));
    EXPECT_EQ(News(), "Guessing 9 for square 81");
    EXPECT_EQ(Form.CheckBoard(), StatusSolved);
}

} // namespace
} // namespace quorix::testing
