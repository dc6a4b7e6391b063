// The Hint ladder for engine steps: the words and marks of every rung, and rung 4 doing exactly
// what the step does.
#include "hint/ladder.h"
#include "hint_press_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::Studied;

constexpr const char *Diabolical =
    ".83.2..9....8..1...293....8....987...7.....6...674....3....698...2..5....1..3.54.";

// The position of `puzzle` after the engine's steps up to its first one of `tier` or harder.
Position UpToTier(const std::string &puzzle, int tier)
{
    Position position = *Position::FromLine(puzzle);
    HintOptions options;
    options.UniqueSolution = true;
    for (Step step; FindHint(position, options, step) && step.Tier() < tier;)
        ApplyStep(position, step);
    return position;
}

TEST(HintLadder, ClimbsADiabolicalStepRungByRung)
{
    const PuzzleFacts facts = Studied(Diabolical);
    const Position position = UpToTier(Diabolical, 3);
    Step step;
    ASSERT_TRUE(FindHint(position, {true}, step));
    ASSERT_EQ(step.Name, "XY-Wing");

    const HintAnswer first = AnswerHint(facts, position, 1);
    EXPECT_EQ(first.Case, HintCase::Step);
    EXPECT_EQ(first.Rungs, 4);
    EXPECT_EQ(first.Shown.View,
              (testing::View("Hint: look for a square with two candidates that sees "
                             "two others sharing one of its digits each (XY-Wing, "
                             "hard)")));

    const HintAnswer second = AnswerHint(facts, position, 2);
    EXPECT_EQ(second.Shown.View.Text, "Hint: look at the 1s in column 6 and group 8");
    EXPECT_EQ(second.Shown.View.Unit, ColumnUnit(5));
    EXPECT_EQ(second.Shown.View.Square, -1);
    EXPECT_EQ(second.Shown.View.Digit, 0);
    EXPECT_EQ(second.Shown.View.Marks, step.Pattern);

    const HintAnswer third = AnswerHint(facts, position, 3);
    EXPECT_EQ(third.Shown.View.Text, step.Sentence);
    EXPECT_EQ(third.Shown.View.Square, testing::SquareOf("r5c5"));
    EXPECT_EQ(third.Shown.View.Unit, ColumnUnit(5));
    EXPECT_EQ(third.Shown.View.Marks, step.Pattern - SquareBits::Of(third.Shown.View.Square));
    for (const HintAnswer *looking : {&first, &second, &third})
        EXPECT_TRUE(looking->Shown.Actions.empty()) << looking->Shown.View.Text;

    const HintAnswer fourth = AnswerHint(facts, position, 4);
    EXPECT_EQ(fourth.Shown.View.Text, "Hint: struck 1 from row 5, column 5");
    EXPECT_EQ(fourth.Shown.Actions, (std::vector<BoardAction>{{ActionKind::Strike, 40, 0}}));
    Position done = position, stepped = position;
    ApplyActions(done, fourth.Shown.Actions);
    ApplyStep(stepped, step);
    EXPECT_EQ(done, stepped);

    // Pressing on past the last rung shows the last again.
    EXPECT_EQ(AnswerHint(facts, position, 7).Number, 4);
}

TEST(HintLadder, RungOneOnTheStartIsTheFirstSimpleStep)
{
    const HintAnswer answer = AnswerHint(Studied(Diabolical), *Position::FromLine(Diabolical), 1);
    EXPECT_EQ(answer.Case, HintCase::Step);
    EXPECT_EQ(answer.Shown.View.Text,
              "Hint: look for a digit with only one place in a unit (Hidden single, easy)");
}

Step HandStep(Technique kind, std::vector<std::uint8_t> units, SquareBits pattern, int digit)
{
    Step step;
    step.Kind = kind;
    step.Name = std::string(NameOf(kind));
    step.Units = std::move(units);
    step.Pattern = pattern;
    step.Digit = digit;
    step.Sentence = "The sentence.";
    return step;
}

TEST(HintLadder, WhereFramesTheFirstUnitAndMarksPatternsBeyondIt)
{
    Step naked = HandStep(Technique::NakedSingle, {}, SquareBits::Of(40), 2);
    naked.Sets.push_back({40, 2});
    // A single square's rung 2 frames its group and leaves the square and digit to rung 3.
    EXPECT_EQ(StepRung(naked, 2).View, (testing::View("Hint: look at group 5", -1, GroupUnit(4))));
    EXPECT_EQ(StepRung(naked, 3).View, (testing::View("The sentence.", 40, GroupUnit(4), {}, 2)));
    EXPECT_EQ(StepRung(naked, 4).View.Text, "Hint: placed 3 in row 5, column 5");

    Step full = HandStep(Technique::FullHouse, {RowUnit(2)}, SquareBits::Of(20), 6);
    EXPECT_EQ(StepRung(full, 2).View.Text, "Hint: look at row 3");

    const SquareBits corners =
        SquareBits::Of(10) | SquareBits::Of(14) | SquareBits::Of(46) | SquareBits::Of(50);
    Step wing = HandStep(Technique::XWing, {RowUnit(5), RowUnit(1), ColumnUnit(5), ColumnUnit(1)},
                         corners, 6);
    const HintView where = StepRung(wing, 2).View;
    EXPECT_EQ(where.Text, "Hint: look at the 7s in rows 2 and 6 and columns 2 and 6");
    EXPECT_EQ(where.Unit, RowUnit(5));
    EXPECT_EQ(where.Marks, corners);

    Step net = HandStep(Technique::ForcingNet, {0, 1, 2, 9, 10}, corners, -1);
    EXPECT_EQ(StepRung(net, 2).View.Text, "Hint: look at the marked squares");
}

TEST(HintLadder, DoneTextNamesDigitsThatChangeTheSameSquaresTogether)
{
    EXPECT_EQ(DoneText({{0, 6}}, {{30, 6}, {31, 6}, {2, 2}, {2, 5}}),
              "placed 7 in row 1, column 1; struck 3 and 6 from row 1, column 3; struck 7 from "
              "row 4, columns 4 and 5");
    EXPECT_EQ(DoneText({}, {{9, 0}, {18, 0}}), "struck 1 from rows 2 and 3, column 1");
}

TEST(HintLadder, ActionsActAsAPersonWould)
{
    Position position = testing::PositionOf(Diabolical);
    // r1c1 is empty; its row holds 8, 3, 2 and 9.
    ApplyActions(position, {{ActionKind::Set, 0, 4}, {ActionKind::Strike, 9, 6}});
    EXPECT_EQ(position.Value(0), 4);
    EXPECT_FALSE(position.HasCandidate(1 * 9 + 0, 4)) << "a set digit strikes its peers";
    EXPECT_FALSE(position.HasCandidate(9, 6));

    ApplyActions(position, {{ActionKind::Empty, 0, -1}, {ActionKind::GiveBack, 9, 6}});
    EXPECT_TRUE(position.IsEmpty(0));
    EXPECT_EQ(position.Candidates(0),
              DigitBit(0) | DigitBit(3) | DigitBit(4) | DigitBit(5) | DigitBit(6))
        << "an emptied square gets what its peers allow";
    EXPECT_TRUE(position.HasCandidate(9, 6));
    // r2c4 holds the 8: giving an 8 back to its row comes to nothing.
    ApplyActions(position, {{ActionKind::GiveBack, 9, 7}});
    EXPECT_FALSE(position.HasCandidate(9, 7));
}

// Pressing Hint four times at a time, and nothing else, on a sample of the diabolical bucket;
// the benchmark does both hard buckets whole.
TEST(HintLadder, FourPressesAtATimeSolveWithoutAMistake)
{
    for (const std::string &puzzle :
         ReadPuzzleSample(PuzzleSetPath("bank-diabolical-500.txt"), 50, 10)) {
        SCOPED_TRACE(puzzle);
        const PuzzleFacts facts = Studied(puzzle);
        ASSERT_EQ(facts.Solution.size(), 81u);
        Position position = *Position::FromLine(puzzle);
        int presses = 0;
        for (; AnswerHint(facts, position, 1).Case == HintCase::Step && presses < 400; ++presses)
            ApplyActions(position, AnswerHint(facts, position, 4).Shown.Actions);
        EXPECT_EQ(AnswerHint(facts, position, 1).Case, HintCase::Solved);
        EXPECT_EQ(position.Line(), facts.Solution);
    }
}

} // namespace
} // namespace quorix::hint
