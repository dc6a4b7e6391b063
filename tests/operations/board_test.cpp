// The board model: unit indexing, placing and striking, loading the givens, setup display.
#include "test_support.h"

#include <set>

namespace quorix::testing {
namespace {

// Every unit walks nine different squares of its own row, column or group, and the units of
// one type cover the board once.
TEST(UnitSquares, EachUnitWalksItsOwnNineSquares)
{
    for (int t = 0; t < 3; ++t) {
        std::set<int> covered;
        for (int u = 0; u < 9; ++u) {
            for (int p = 0; p < 9; ++p) {
                SCOPED_TRACE(::testing::Message() << "type " << t << " unit " << u << " pos " << p);
                const int square = UnitSquares[t][u][p];
                covered.insert(square);
                const int owner = t == UnitRow      ? square / 9
                                  : t == UnitColumn ? square % 9
                                                    : GroupOfSquare(square);
                EXPECT_EQ(owner, u);
                if (p > 0) {
                    EXPECT_GT(square, UnitSquares[t][u][p - 1]) << "positions run in reading order";
                }
            }
        }
        EXPECT_EQ(covered.size(), 81U) << "type " << t << " must cover every square once";
    }
}

TEST(UnitSquares, KnownSquares)
{
    EXPECT_EQ(UnitSquare(3, 8, UnitRow), 35);
    EXPECT_EQ(UnitSquare(3, 8, UnitColumn), 75);
    EXPECT_EQ(UnitSquare(0, 0, UnitGroup), 0);
    EXPECT_EQ(UnitSquare(5, 0, UnitGroup), 33);
    EXPECT_EQ(UnitSquare(7, 5, UnitGroup), 68);
    EXPECT_EQ(UnitSquare(8, 8, UnitGroup), 80);
    EXPECT_EQ(GroupOfSquare(26), 2);
    EXPECT_EQ(GroupOfSquare(27), 3);
    EXPECT_EQ(GroupOfSquare(40), 4);
    EXPECT_EQ(GroupOfSquare(80), 8);
}

class SetSquareTest : public BoardTest
{
protected:
    // Square 10 in solving form with candidates 2 and 6 struck by hand.
    void SetUp() override
    {
        BoardTest::SetUp();
        Controls.CandidateBits.fill(AllCandidates);
        Controls.Squares[10].Visible = false;
        Controls.SetCandidateVisible(91, false);
        Controls.SetCandidateVisible(95, false);
    }
};

TEST_F(SetSquareTest, DigitHidesCandidatesAndShowsColouredCaption)
{
    SetSquare(Board, Controls, 10, 4, false);
    EXPECT_EQ(Board.Grid[10], 4);
    EXPECT_EQ(Controls.SquareCaption(10), "5");
    EXPECT_EQ(Controls.Squares[10].Background, Rgb(192, 255, 224));
    EXPECT_TRUE(SquareShown(10));
    EXPECT_EQ(Candidates(10), "");
    // Only square 10 changes: the digit is not struck from its units.
    EXPECT_EQ(Candidates(11), "123456789");
    EXPECT_EQ(Candidates(9), "123456789");
}

TEST_F(SetSquareTest, EmptyWithCandidatesShowsAllNineAgain)
{
    SetSquare(Board, Controls, 10, 4, true);
    SetSquare(Board, Controls, 10, -1, true);
    EXPECT_EQ(Board.Grid[10], -1);
    EXPECT_FALSE(SquareShown(10));
    EXPECT_EQ(Candidates(10), "123456789");
    EXPECT_EQ(Controls.SquareCaption(10), "");
    EXPECT_EQ(Controls.Squares[10].Background, SystemButtonFace);
}

TEST_F(SetSquareTest, StruckCandidatesComeBackWhenEmptiedWithCandidates)
{
    SetSquare(Board, Controls, 10, -1, true);
    EXPECT_EQ(Candidates(10), "123456789");
}

TEST_F(SetSquareTest, EmptyWithoutCandidatesLeavesVisibilityAlone)
{
    Controls.Squares[10].Caption = '3';
    Controls.Squares[10].Background = Rgb(1, 2, 3);
    SetSquare(Board, Controls, 10, -1, false);
    EXPECT_EQ(Board.Grid[10], -1);
    EXPECT_FALSE(SquareShown(10));
    EXPECT_EQ(Candidates(10), "1345789");
    EXPECT_EQ(Controls.SquareCaption(10), "");
    EXPECT_EQ(Controls.Squares[10].Background, SystemButtonFace);

    Controls.Squares[20].Visible = true;
    Controls.CandidateBits[20] = 0;
    SetSquare(Board, Controls, 20, -1, false);
    EXPECT_TRUE(SquareShown(20));
    EXPECT_EQ(Candidates(20), "");
}

TEST_F(SetSquareTest, AnyNegativeCodeIsEmpty)
{
    SetSquare(Board, Controls, 10, 2, true);
    SetSquare(Board, Controls, 10, -7, true);
    EXPECT_EQ(Board.Grid[10], -1);
    EXPECT_FALSE(SquareShown(10));
    EXPECT_EQ(Candidates(10), "123456789");

    SetSquare(Board, Controls, 12, 2, true);
    SetSquare(Board, Controls, 12, -7, false);
    EXPECT_EQ(Board.Grid[12], -1);
    EXPECT_TRUE(SquareShown(12));
    EXPECT_EQ(Candidates(12), "");
    EXPECT_EQ(Controls.SquareCaption(12), "");
}

using StrikeSetDigitsTest = BoardTest;

TEST_F(StrikeSetDigitsTest, FiveInSquareZeroClearsItsRowColumnAndGroup)
{
    Controls.CandidateBits.fill(AllCandidates);
    SetSquare(Board, Controls, 0, 4, true);
    StrikeSetDigits(Board, Controls);
    std::set<int> peers;
    for (int k = 0; k < 9; ++k) {
        peers.insert(k);                   // row 0
        peers.insert(k * 9);               // column 0
        peers.insert((k / 3) * 9 + k % 3); // group 0
    }
    ASSERT_EQ(peers.size(), 21U);
    int hidden = 0;
    for (int c = 0; c < 729; ++c) {
        const int s = c / 9, d = c % 9;
        const bool expectHidden = s == 0 || (d == 4 && peers.count(s));
        SCOPED_TRACE(c);
        EXPECT_EQ(Controls.CandidateVisible(c), !expectHidden);
        hidden += !Controls.CandidateVisible(c);
    }
    EXPECT_EQ(hidden, 9 + 20);
    EXPECT_TRUE(SetDigitsStruck(Board, Controls));
}

TEST_F(StrikeSetDigitsTest, IdempotentAndKeepsEarlierStrikes)
{
    Controls.CandidateBits.fill(AllCandidates);
    StrikeSetDigits(Board, Controls);
    EXPECT_EQ(
        std::count(Controls.CandidateBits.begin(), Controls.CandidateBits.end(), AllCandidates),
        81);

    SetSquare(Board, Controls, 40, 0, true);
    SetSquare(Board, Controls, 80, 8, true);
    EXPECT_FALSE(SetDigitsStruck(Board, Controls));
    Controls.SetCandidateVisible(3 * 9 + 5, false); // struck by hand, no peer of a digit
    StrikeSetDigits(Board, Controls);
    const auto once = Controls.CandidateBits;
    StrikeSetDigits(Board, Controls);
    EXPECT_EQ(Controls.CandidateBits, once);
    EXPECT_FALSE(Controls.CandidateVisible(3 * 9 + 5));
    EXPECT_FALSE(Controls.CandidateVisible(4 * 9 + 0));  // column 4 of the 1 in square 40
    EXPECT_FALSE(Controls.CandidateVisible(72 * 9 + 8)); // row 8 of the 9 in square 80
    EXPECT_TRUE(Controls.CandidateVisible(72 * 9 + 0));
}

class ApplyStepTest : public BoardTest
{
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        Controls.CandidateBits.fill(AllCandidates);
        for (auto &square : Controls.Squares)
            square.Visible = false;
        Board.Grid.fill(-1);
        // A 1 set in square 0 but not struck yet: a re-strike removes candidate 1 from square 1.
        SetSquare(Board, Controls, 0, 0, true);
    }
};

TEST_F(ApplyStepTest, PlaceSetsDigitAndStrikes)
{
    Board.StepKind = StepPlace;
    Board.StepTarget = 10;
    Board.StepDigit = 4;
    ApplyStep(Board, Controls);
    EXPECT_EQ(Board.Grid[10], 4);
    EXPECT_TRUE(SquareShown(10));
    EXPECT_EQ(Candidates(10), "");
    EXPECT_EQ(Candidates(11), "2346789"); // a 1 in square 0 and a 5 in square 10
    EXPECT_EQ(Candidates(1), "2346789");
    // The step fields stay: a second application changes nothing.
    const auto before = Copy();
    ApplyStep(Board, Controls);
    EXPECT_EQ(Copy(), before);
    EXPECT_EQ(Board.StepKind, StepPlace);
}

TEST_F(ApplyStepTest, StrikeHidesOneCandidateThenReStrikes)
{
    Board.StepKind = StepStrike;
    Board.StepTarget = 100; // square 11, digit 2
    ApplyStep(Board, Controls);
    EXPECT_EQ(Candidates(11), "3456789");
    EXPECT_EQ(Candidates(12), "123456789");
}

TEST_F(ApplyStepTest, RestrikeOnly)
{
    Board.StepKind = StepRestrike;
    Board.StepTarget = 100;
    ApplyStep(Board, Controls);
    EXPECT_EQ(Candidates(11), "23456789");
    EXPECT_EQ(Candidates(40), "123456789");
}

TEST_F(ApplyStepTest, OtherKindsDoNothing)
{
    for (std::int32_t kind : {0, 7, 4, -1}) {
        SCOPED_TRACE(kind);
        const auto before = Copy();
        Board.StepKind = static_cast<PendingStepKind>(kind);
        Board.StepTarget = 100;
        Board.StepDigit = 4;
        ApplyStep(Board, Controls);
        EXPECT_EQ(Copy(), before);
    }
}

TEST_F(FormTest, CandidateClickStrikesAndNothingElse)
{
    EnterAndStart(EasyPuzzle);
    ASSERT_EQ(Form.Board().StepKind, StepNone);
    const std::string news = News();
    // Square 2 (row 1, column 3) starts with candidates 1, 2 and 4.
    ASSERT_EQ(Candidates(2), "124");
    Form.cmdEle_Click(2 * 9 + 0);
    Form.cmdEle_Click(2 * 9 + 1);
    EXPECT_EQ(Candidates(2), "4");
    EXPECT_EQ(Form.Board().Grid[2], -1) << "a single candidate is not placed";
    Form.cmdEle_Click(2 * 9 + 3);
    EXPECT_EQ(Candidates(2), "");
    EXPECT_EQ(Form.Board().Grid[2], -1);
    EXPECT_FALSE(SquareShown(2));
    EXPECT_EQ(News(), news);
    EXPECT_EQ(Form.Board().StepKind, 0);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(BoardTest, CandidateClickReStrikesSetDigits)
{
    Controls.CandidateBits.fill(AllCandidates);
    SetSquare(Board, Controls, 0, 0, true);
    StrikeCandidate(Board, Controls, 80 * 9 + 8);
    EXPECT_EQ(Candidates(80), "12345678");
    EXPECT_EQ(Candidates(8), "23456789");
}

using LoadGivensTest = FormTest;

TEST_F(LoadGivensTest, NothingEnteredShowsEveryCandidate)
{
    Form.LoadGivens();
    for (int s = 0; s < 81; ++s) {
        EXPECT_FALSE(SquareShown(s));
        EXPECT_EQ(Candidates(s), "123456789");
    }
    EXPECT_EQ(Form.CheckBoard(), StatusTooFew);
}

TEST_F(BoardTest, LoadGivensDiscardsPlacedDigitsAndForgetsTheStep)
{
    Start(EasyPuzzle);
    Board.Givens[2] = -5;                   // any negative given is an empty square
    SetSquare(Board, Controls, 3, 5, true); // placed since
    Board.StepKind = StepPlace;
    Board.StepTarget = 7;
    Board.Guessed = true;
    Board.Explanation = "kept";
    Board.HighlightSquare = 12;
    Controls.Squares[0].Enabled = false;
    LoadGivens(Board, Controls);
    for (int s = 0; s < 81; ++s) {
        SCOPED_TRACE(s);
        const char c = EasyPuzzle[s];
        EXPECT_EQ(Board.Grid[s], c == '.' ? -1 : c - '1');
        EXPECT_EQ(SquareShown(s), c != '.');
        EXPECT_EQ(Candidates(s), c == '.' ? "123456789" : "");
    }
    EXPECT_EQ(Board.StepKind, StepNone);
    EXPECT_EQ(Board.StepTarget, -1);
    EXPECT_FALSE(Board.Guessed);
    EXPECT_EQ(Board.Explanation, "kept");
    EXPECT_EQ(Board.HighlightSquare, 12);
    EXPECT_FALSE(Controls.Squares[0].Enabled);
    EXPECT_EQ(CheckBoard(Board, Controls), StatusNotStarted);
}

TEST_F(LoadGivensTest, ThenStrikeLeavesWhatNoGivenInTheUnitsHolds)
{
    Enter(EasyPuzzle);
    Form.LoadGivens();
    Form.StrikeSetDigits();
    for (int s = 0; s < 81; ++s) {
        if (EasyPuzzle[s] != '.')
            continue;
        std::string expected;
        for (char digit = '1'; digit <= '9'; ++digit) {
            bool taken = false;
            for (int k = 0; k < 9; ++k) {
                taken = taken || EasyPuzzle[UnitSquare(s / 9, k, 0)] == digit
                        || EasyPuzzle[UnitSquare(s % 9, k, 1)] == digit
                        || EasyPuzzle[UnitSquare(GroupOfSquare(s), k, 2)] == digit;
            }
            if (!taken)
                expected += digit;
        }
        SCOPED_TRACE(s);
        EXPECT_EQ(Candidates(s), expected);
    }
    EXPECT_EQ(Form.CheckBoard(), StatusConsistent);
}

TEST_F(BoardTest, EnterSetupModeShowsEverySquareAndNoCandidate)
{
    Start(EasyPuzzle);
    StrikeCandidate(Board, Controls, 2 * 9 + 0);
    for (int s = 0; s < 81; s += 7)
        Controls.Squares[s].Enabled = false;
    Board.StepKind = StepStrike;
    Board.StepTarget = 5;
    Board.Guessed = true;
    const auto grid = Board.Grid;
    const auto givens = Board.Givens;
    const auto squaresBefore = Controls.Squares;

    EnterSetupMode(Board, Controls);
    for (int s = 0; s < 81; ++s) {
        SCOPED_TRACE(s);
        EXPECT_TRUE(SquareShown(s));
        EXPECT_TRUE(Controls.Squares[s].Enabled);
        EXPECT_EQ(Controls.Squares[s].Caption, squaresBefore[s].Caption);
        EXPECT_EQ(Controls.Squares[s].Background, squaresBefore[s].Background);
        EXPECT_EQ(Candidates(s), "");
    }
    EXPECT_EQ(Board.Grid, grid);
    EXPECT_EQ(Board.Givens, givens);
    EXPECT_EQ(Board.StepKind, StepNone);
    EXPECT_EQ(Board.StepTarget, -1);
    EXPECT_FALSE(Board.Guessed);
    EXPECT_EQ(CheckBoard(Board, Controls), StatusNotStarted);

    // The next load shows all nine candidates of every empty square again, the struck one too.
    LoadGivens(Board, Controls);
    EXPECT_EQ(Candidates(2), "123456789");
}

TEST_F(FormTest, RestartShowsThePuzzleAsEnteredInSetupMode)
{
    EnterAndStart(EasyPuzzle);
    Form.SetSquare(2, 3, true);
    Click(ModeRestart);
    EXPECT_EQ(GridText(), EasyPuzzle);
    for (int s = 0; s < 81; ++s) {
        EXPECT_TRUE(SquareShown(s));
        EXPECT_EQ(Candidates(s), "");
    }
    EXPECT_EQ(News(), "");
}

} // namespace
} // namespace quorix::testing
