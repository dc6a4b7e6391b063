// One press of Hint on a whole board: which ladder answers, in the setup form and while solving.
#include "hint_press_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::Studied;

constexpr const char *Unique =
    ".83.2..9....8..1...293....8....987...7.....6...674....3....698...2..5....1..3.54.";

TEST(SetupHint, SaysWhatTheEnteredPuzzleLacks)
{
    const std::string empty(81, '.');
    EXPECT_EQ(AnswerSetupHint(Studied(empty), 1).Shown.View.Text, "Hint: nothing entered yet");
    const HintAnswer few =
        AnswerSetupHint(Studied(ReadPuzzle(PuzzleSetPath("edge-invalid-17.txt"), 3)), 2);
    EXPECT_EQ(few.Case, HintCase::TooFewGivens);
    EXPECT_EQ(few.Rungs, 1);
    EXPECT_EQ(few.Shown.View.Text,
              "Hint: a puzzle needs at least 17 givens to have one solution; this one has 16");
    const HintAnswer ready = AnswerSetupHint(Studied(Unique), 1);
    EXPECT_EQ(ready.Case, HintCase::PressStart);
    EXPECT_EQ(ready.Shown.View.Text, "Hint: this puzzle has one solution; press Start");
}

TEST(SetupHint, ClimbsTheSlipLadderToAPuzzleWithOneSolution)
{
    std::string slipped = Unique;
    slipped[1] = '6'; // the 8 of row 1, column 2 copied as a 6
    const PuzzleFacts facts = Studied(slipped);
    ASSERT_NE(facts.Solutions, 1);
    EXPECT_EQ(AnswerSetupHint(facts, 1).Shown.View.Text, SolutionsText(facts.Solutions));
    const HintAnswer made = AnswerSetupHint(facts, 4);
    EXPECT_EQ(made.Case, HintCase::Slip);
    ASSERT_EQ(made.Shown.Actions.size(), 1u);
    EXPECT_EQ(made.Puzzle, WithSlipMended(slipped, facts.Slips.front()));
    EXPECT_EQ(CountSolutions(made.Puzzle, 2), 1);
    EXPECT_TRUE(AnswerSetupHint(facts, 3).Puzzle.empty()) << "only rung 4 changes the puzzle";
}

TEST(SolvingHint, SaysSolvedOnASolvedBoard)
{
    const PuzzleFacts facts = Studied(Unique);
    const HintAnswer answer = AnswerHint(facts, *Position::FromLine(facts.Solution), 3);
    EXPECT_EQ(answer.Case, HintCase::Solved);
    EXPECT_EQ(answer.Shown.View.Text, "Hint: the puzzle is solved");

    // A puzzle with several solutions, finished into one of them.
    const std::string several = ReadPuzzle(PuzzleSetPath("multi-solution-1000.txt"), 1);
    const PuzzleFacts many = Studied(several);
    std::string finished = several;
    for (char &square : finished)
        for (char digit = '1'; square == '.' && digit <= '9'; ++digit) {
            square = digit;
            if (CountSolutions(finished, 1) == 0)
                square = '.';
        }
    EXPECT_EQ(AnswerHint(many, *Position::FromLine(finished), 1).Case, HintCase::Solved);
    finished[0] = finished[0] == '1' ? '2' : '1';
    EXPECT_EQ(AnswerHint(many, *Position::FromLine(finished), 1).Case, HintCase::Slip)
        << "a board that changes a given is none of its solutions";
    EXPECT_EQ(AnswerHint(many, *Position::FromLine(several), 1).Case, HintCase::Slip);
}

TEST(SolvingHint, SaysAutoCanFinishWhereTheEngineIsStuck)
{
    const std::string hardest = ReadPuzzle(PuzzleSetPath("hardest-11.txt"), 2);
    const PuzzleFacts facts = Studied(hardest);
    const LogicSolve solve = SolveByLogic(*Position::FromLine(hardest), {true});
    ASSERT_FALSE(solve.Solved);
    const HintAnswer answer = AnswerHint(facts, solve.End, 2);
    EXPECT_EQ(answer.Case, HintCase::Stuck);
    EXPECT_EQ(answer.Rungs, 1);
    EXPECT_EQ(answer.Shown.View.Text,
              "Hint: no step of logic found here; Auto can finish the puzzle");
    EXPECT_TRUE(answer.Shown.Actions.empty());
}

TEST(StudyPuzzle, RefusesWhatIsNoPuzzle)
{
    for (const std::string &text : {std::string("12345"), std::string(80, '.') + "x"}) {
        const PuzzleFacts facts = Studied(text);
        EXPECT_EQ(facts.Solutions, 0);
        EXPECT_TRUE(facts.Slips.empty());
        EXPECT_EQ(AnswerHint(facts, Position{}, 4).Rungs, 2);
    }
    EXPECT_EQ(SolutionOf(ReadPuzzle(PuzzleSetPath("multi-solution-1000.txt"), 1), testing::Count),
              "");
}

TEST(StudyPuzzle, FindsTheSolutionTheCounterConfirms)
{
    for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath("clue17-sample.txt"), 613, 8)) {
        const PuzzleFacts facts = Studied(puzzle);
        ASSERT_EQ(facts.Solutions, 1);
        ASSERT_EQ(facts.Solution.size(), 81u);
        EXPECT_EQ(facts.Solution.find('.'), std::string::npos);
        EXPECT_EQ(CountSolutions(facts.Solution, 2), 1);
        for (int square = 0; square < 81; ++square)
            if (puzzle[square] != '.') {
                EXPECT_EQ(facts.Solution[square], puzzle[square]);
            }
    }
}

} // namespace
} // namespace quorix::hint
