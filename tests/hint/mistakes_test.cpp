// The person's mistakes against the solution: found, named and mended, every other action of
// the person left in place.
#include "hint/mistakes.h"
#include "hint_press_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quorix::hint {
namespace {

using testing::SquareOf;
using testing::Studied;

constexpr const char *Puzzle =
    ".83.2..9....8..1...293....8....987...7.....6...674....3....698...2..5....1..3.54.";

class Mistakes : public ::testing::Test
{
protected:
    PuzzleFacts Facts = Studied(Puzzle);
    Position Board = *Position::FromLine(Puzzle);

    int Truth(int square) const { return Facts.Solution[square] - '1'; }
    // A digit that is not the solution's at `square`.
    int Wrong(int square) const { return (Truth(square) + 1) % 9; }
    // A candidate of `square` that is not the solution's digit.
    int FalseCandidate(int square) const
    {
        for (int digit = 0; digit < 9; ++digit)
            if (digit != Truth(square) && Board.HasCandidate(square, digit))
                return digit;
        return -1;
    }
};

TEST_F(Mistakes, AWrongDigitIsNamedAndEmptiedLeavingTheRest)
{
    // The sound actions are in squares that do not see the mistake's.
    const int r2c8 = SquareOf("r2c8"), r9c9 = SquareOf("r9c9"), r5c1 = SquareOf("r5c1");
    Board.Place(r9c9, Truth(r9c9));
    Board.Place(r5c1, Wrong(r5c1));
    Board.Strike(r2c8, FalseCandidate(r2c8));
    const Position sound = Board;

    ASSERT_EQ(FindMistakes(Facts.Solution, Board),
              (std::vector<Mistake>{{MistakeKind::WrongValue, r5c1, Wrong(r5c1)}}));
    EXPECT_EQ(AnswerHint(Facts, Board, 1).Shown.View.Text,
              "Hint: something on the board does not fit the solution (1 thing)");
    const HintView where = AnswerHint(Facts, Board, 2).Shown.View;
    EXPECT_EQ(where.Text, "Hint: look again at row 5");
    EXPECT_EQ(where.Unit, RowUnit(4));
    const HintView what = AnswerHint(Facts, Board, 3).Shown.View;
    EXPECT_EQ(what.Text, "Hint: row 5, column 1: " + DigitName(Wrong(r5c1)) + " is not right here");
    EXPECT_EQ(what.Square, r5c1);

    const Rung mend = AnswerHint(Facts, Board, 4).Shown;
    EXPECT_EQ(mend.Actions.front(), (BoardAction{ActionKind::Empty, std::int8_t(r5c1), -1}));
    EXPECT_EQ(mend.View.Text.rfind("Hint: emptied row 5, column 1", 0), 0u) << mend.View.Text;
    ApplyActions(Board, mend.Actions);
    EXPECT_TRUE(FindMistakes(Facts.Solution, Board).empty());
    EXPECT_EQ(Board.Value(r9c9), Truth(r9c9));
    EXPECT_EQ(Board.Candidates(r2c8), sound.Candidates(r2c8));
}

TEST_F(Mistakes, AStruckTrueCandidateIsNamedAndGivenBack)
{
    const int r2c8 = SquareOf("r2c8");
    Board.Strike(r2c8, Truth(r2c8));
    const std::vector<Mistake> found = FindMistakes(Facts.Solution, Board);
    ASSERT_EQ(found, (std::vector<Mistake>{{MistakeKind::StruckTrue, r2c8, Truth(r2c8)}}));
    const std::string digit = DigitName(Truth(r2c8));
    EXPECT_EQ(AnswerHint(Facts, Board, 3).Shown.View.Text,
              "Hint: the " + digit + " struck from row 2, column 8 belongs there");
    const Rung mend = AnswerHint(Facts, Board, 4).Shown;
    EXPECT_EQ(mend.View.Text, "Hint: gave the " + digit + " back to row 2, column 8");
    ApplyActions(Board, mend.Actions);
    EXPECT_EQ(Board, *Position::FromLine(Puzzle));
}

TEST_F(Mistakes, AWrongValueTakesTheStrikesItCausedWithIt)
{
    // The solution's 4 of row 1 is struck by a wrong 4 in the same row: one mistake, and
    // emptying the wrong 4 gives the row's true 4 back.
    int truthSquare = -1, wrongSquare = -1;
    for (int square = 0; square < 9; ++square) {
        if (!Board.IsEmpty(square))
            continue;
        if (Truth(square) == 3)
            truthSquare = square;
        else if (Board.HasCandidate(square, 3) && wrongSquare < 0)
            wrongSquare = square;
    }
    ASSERT_GE(truthSquare, 0);
    ASSERT_GE(wrongSquare, 0);
    Board.Place(wrongSquare, 3);
    ASSERT_FALSE(Board.HasCandidate(truthSquare, 3));
    EXPECT_EQ(FindMistakes(Facts.Solution, Board),
              (std::vector<Mistake>{{MistakeKind::WrongValue, wrongSquare, 3}}));
    const Rung mend = AnswerHint(Facts, Board, 4).Shown;
    EXPECT_NE(mend.View.Text.find(" and gave the 4 back to "), std::string::npos) << mend.View.Text;
    ApplyActions(Board, mend.Actions);
    EXPECT_TRUE(Board.HasCandidate(truthSquare, 3));
    EXPECT_TRUE(FindMistakes(Facts.Solution, Board).empty());
}

TEST_F(Mistakes, AGivenTypedOverIsPutBack)
{
    const int r1c2 = SquareOf("r1c2"); // the given 8
    Board.Place(r1c2, 0);
    ASSERT_EQ(FindMistakes(Facts.Solution, Board).size(), 1u);
    const Rung mend = AnswerHint(Facts, Board, 4).Shown;
    EXPECT_EQ(mend.View.Text.rfind("Hint: put the given 8 back in row 1, column 2", 0), 0u)
        << mend.View.Text;
    ApplyActions(Board, mend.Actions);
    EXPECT_EQ(Board.Value(r1c2), 7);
    EXPECT_TRUE(FindMistakes(Facts.Solution, Board).empty());
}

TEST_F(Mistakes, ComeBeforeTheNextStepAndAreCounted)
{
    Board.Strike(SquareOf("r9c9"), Truth(SquareOf("r9c9")));
    Board.Place(SquareOf("r1c1"), Wrong(SquareOf("r1c1")));
    const HintAnswer answer = AnswerHint(Facts, Board, 1);
    EXPECT_EQ(answer.Case, HintCase::Mistake);
    EXPECT_EQ(answer.Shown.View.Text,
              "Hint: something on the board does not fit the solution (2 things)");
    EXPECT_EQ(AnswerHint(Facts, Board, 3).Shown.View.Square, SquareOf("r1c1"))
        << "the first in reading order";
}

// A small deterministic generator, the same on every platform.
struct Draw
{
    std::uint64_t State;
    int Below(int bound)
    {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((State >> 33) % static_cast<std::uint64_t>(bound));
    }
    // A square of `squares` (not empty).
    int From(SquareBits squares)
    {
        int pick = Below(squares.Count());
        for (int square : squares)
            if (pick-- == 0)
                return square;
        return -1;
    }
};

struct MistakeBoard
{
    Position WithMistake, WithoutMistake;
    Mistake Made;
};

// Partway through a logic solve of `puzzle`, one mistake (a wrong digit in an empty square, or
// the true candidate struck), then a few sound actions on both boards.
MistakeBoard MakeBoard(const std::string &puzzle, const std::string &solution, Draw &draw,
                       bool wrongDigit)
{
    Position position = *Position::FromLine(puzzle);
    const int steps = draw.Below(40);
    HintOptions options{true};
    for (Step step; position.EmptySquares().Count() > 8 && FindHint(position, options, step);) {
        if (draw.Below(40) >= steps)
            break;
        ApplyStep(position, step);
    }
    MistakeBoard board{position, position, {}};
    const int square = draw.From(position.EmptySquares());
    const int truth = solution[square] - '1';
    if (wrongDigit) {
        const int digit = (truth + 1 + draw.Below(8)) % 9;
        board.WithMistake.Place(square, digit);
        board.Made = {MistakeKind::WrongValue, square, digit};
    } else {
        board.WithMistake.Strike(square, truth);
        board.Made = {MistakeKind::StruckTrue, square, truth};
    }
    for (int action = 0; action < 4; ++action) {
        const int other = draw.From(board.WithMistake.EmptySquares() - SquareBits::Of(square));
        const int truthThere = solution[other] - '1';
        const int digit = draw.Below(9);
        if (digit == truthThere && board.WithMistake.HasCandidate(other, digit)) {
            board.WithMistake.Place(other, digit);
            board.WithoutMistake.Place(other, digit);
        } else if (digit != truthThere) {
            board.WithMistake.Strike(other, digit);
            board.WithoutMistake.Strike(other, digit);
        }
    }
    return board;
}

// Two hundred boards from the sets: the one mistake is named by rung 3, and rung 4 mends it
// and changes nothing else: a struck true candidate comes back alone; an emptied wrong digit
// leaves every other square as the person had it, but for its own digit in its peers, which
// the wrong value struck and which no solution needs there.
TEST(MistakeProperties, NamedAndMendedLeavingTheOtherActions)
{
    Draw draw{20240611};
    int boards = 0;
    for (const char *file : {"bank-hard-500.txt", "bank-diabolical-500.txt", "hard-1465.txt"})
        for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath(file), 7, 34)) {
            const PuzzleFacts facts = testing::Studied(puzzle);
            for (bool wrongDigit : {true, false}) {
                const MistakeBoard board = MakeBoard(puzzle, facts.Solution, draw, wrongDigit);
                SCOPED_TRACE(puzzle + " " + SquareCode(board.Made.Square));
                ++boards;
                ASSERT_EQ(FindMistakes(facts.Solution, board.WithMistake),
                          std::vector<Mistake>{board.Made});
                EXPECT_NE(AnswerHint(facts, board.WithMistake, 3)
                              .Shown.View.Text.find(SquareName(board.Made.Square)),
                          std::string::npos);
                Position mended = board.WithMistake;
                ApplyActions(mended, AnswerHint(facts, mended, 4).Shown.Actions);
                EXPECT_TRUE(FindMistakes(facts.Solution, mended).empty());
                if (!wrongDigit) {
                    EXPECT_EQ(mended, board.WithoutMistake);
                    continue;
                }
                for (int square = 0; square < 81; ++square) {
                    if (square == board.Made.Square)
                        continue;
                    const int differ =
                        mended.Candidates(square) ^ board.WithoutMistake.Candidates(square);
                    EXPECT_EQ(mended.Value(square), board.WithoutMistake.Value(square));
                    EXPECT_TRUE(differ == 0
                                || (differ == DigitBit(board.Made.Digit)
                                    && facts.Solution[square] - '1' != board.Made.Digit))
                        << SquareCode(square);
                }
                EXPECT_TRUE(mended.IsEmpty(board.Made.Square));
            }
        }
    EXPECT_EQ(boards, 204);
}

} // namespace
} // namespace quorix::hint
