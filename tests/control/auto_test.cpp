// The auto loop: its finishing messages, its yield, and what clicks inside the yield do.
#include "test_support.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace quorix::testing {
namespace {

// Unique, but logic alone stalls on it: the run has to guess.
std::string GuessingPuzzle()
{
    return PuzzleFromFile("hardest-11.txt", 2);
}
// No solution; logic does not see it, so the search runs until it is exhausted.
std::string UnsolvablePuzzle()
{
    return PuzzleFromFile("edge-invalid-17.txt", 9);
}

// The guess stack as it stands at each yield of one auto run (index 0 = yield 1).
struct StackAtYield
{
    int Depth;
    std::int64_t Count;
};

std::vector<StackAtYield> RecordRun(std::string_view puzzle)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    TypePuzzle(form, puzzle);
    std::vector<StackAtYield> stack;
    platform.OnDoEvents = [&] {
        stack.push_back({form.Guesses().GuessDepth, form.Guesses().GuessCount});
    };
    form.cmdMode_Click(ModeAuto);
    return stack;
}

// The first yield k after which the cycle made a new guess (on an existing stack) or a
// backtrack that did not exhaust the search.
std::optional<long long> FirstYieldBefore(const std::vector<StackAtYield> &stack, bool newGuess)
{
    for (std::size_t k = 0; k + 1 < stack.size(); ++k) {
        if (stack[k].Count == 0)
            continue;
        const bool grew = stack[k + 1].Depth == stack[k].Depth + 1;
        if (grew == newGuess)
            return static_cast<long long>(k + 1);
    }
    return std::nullopt;
}

class AutoTest : public FormTest
{
protected:
    void ExpectFinishedQuietly()
    {
        EXPECT_FALSE(Frame0().Visible);
        EXPECT_FALSE(Frame1().Visible);
        EXPECT_FALSE(Form.Controls().Timer.Enabled);
    }
};

TEST_F(AutoTest, AlreadySolvedEndsAfterOneCycle)
{
    Enter(SolvedGrid);
    Click(ModeAuto);
    EXPECT_EQ(News(), "Success!  Unique solution found");
    EXPECT_EQ(Platform.Yields, 1);
    EXPECT_TRUE(UniqueShown());
}

TEST_F(AutoTest, LogicAloneOnABoardNotStarted)
{
    Enter(EasyPuzzle);
    Click(ModeAuto);
    EXPECT_EQ(News(), "Success!  Unique solution found");
    EXPECT_EQ(GridText(), EasySolution);
    EXPECT_TRUE(UniqueShown());
    EXPECT_FALSE(Form.Board().Guessed);
    ExpectFinishedQuietly();
}

TEST_F(AutoTest, GuessedSolutionMightNotBeUnique)
{
    const std::string puzzle = GuessingPuzzle();
    EnterAndStart(puzzle);
    Click(ModeAuto);
    EXPECT_EQ(News(), "Found a solution - but might not be unique");
    EXPECT_TRUE(SolvesPuzzle(GridText(), puzzle)) << GridText();
    EXPECT_TRUE(UniqueShown());
    EXPECT_TRUE(Form.Board().Guessed);
    EXPECT_GT(Form.Stats().Guesses, 0);
    ExpectFinishedQuietly();
}

TEST_F(AutoTest, NoSolutionExhaustsBackToTheBoardBeforeTheFirstGuess)
{
    const std::string puzzle = UnsolvablePuzzle();
    // The board logic alone reaches, through Next.
    Enter(puzzle);
    for (int i = 0; i < 200 && Form.Board().StepKind != StepNothingFound; ++i)
        Click(ModeNext);
    ASSERT_EQ(Form.Board().StepKind, StepNothingFound);
    const auto stuck = Copy();

    Click(ModeReset);
    Enter(puzzle);
    Click(ModeAuto);
    EXPECT_EQ(News(), "This one seems to be impossible");
    EXPECT_GT(Form.Stats().Guesses, 0);
    EXPECT_FALSE(UniqueShown());
    EXPECT_EQ(Copy(), stuck);
    ExpectFinishedQuietly();
}

TEST_F(AutoTest, TooFewEndsBeforeTheFirstCycle)
{
    Enter("123456789........................................................................");
    Click(ModeAuto);
    EXPECT_EQ(News(), "Not enough squares set");
    EXPECT_EQ(Platform.Yields, 0);
    EXPECT_FALSE(UniqueShown());
}

TEST_F(AutoTest, ContradictoryGivensEndBeforeTheFirstCycle)
{
    Enter(EasyPuzzle);
    Form.cmdSquare_KeyPress(2, '5');
    Click(ModeAuto);
    EXPECT_EQ(News(), "This one seems to be impossible");
    EXPECT_EQ(Platform.Yields, 0);
    EXPECT_FALSE(UniqueShown());
}

TEST_F(AutoTest, NothingEnteredFinish)
{
    // Inside the yield the board is made to show every candidate with ten values written but
    // never struck, and a click asks the run to stop.
    EnterAndStart(GuessingPuzzle());
    AtYield(1, [this] {
        Form.LoadGivens();
        SeedEdited(Form, [](FormState &state) {
            state.Board.Grid.fill(-1);
            state.Controls.CandidateBits.fill(AllCandidates);
            for (auto &square : state.Controls.Squares)
                square.Visible = false;
            for (int s : {0, 10, 20, 30, 40, 50, 60, 70, 80})
                state.Board.Grid[s] = static_cast<std::int16_t>(s % 9);
            state.Board.Grid[8] = 5;
        });
        Form.cmdMode_Click(ModeSave);
    });
    Click(ModeAuto);
    EXPECT_EQ(News(), "Nothing to do - please set some squares");
    EXPECT_FALSE(UniqueShown());
}

TEST_F(AutoTest, ProgressGrowsByOneDotPerCycle)
{
    EnterAndStart(GuessingPuzzle());
    std::vector<std::string> seen;
    AtEveryYield([&](long long) { seen.push_back(News()); });
    Click(ModeAuto);
    ASSERT_GE(seen.size(), 3U);
    for (std::size_t k = 0; k < seen.size(); ++k)
        ASSERT_EQ(seen[k], "Thinking.." + std::string(k + 1, '.')) << "yield " << k + 1;
}

TEST_F(AutoTest, SaveDuringTheRunSavesThatBoardAndSuspends)
{
    EnterAndStart(GuessingPuzzle());
    std::optional<BoardCopy> atClick;
    AtYield(2, [&] {
        atClick = Copy();
        Form.cmdMode_Click(ModeSave);
    });
    Click(ModeAuto);
    EXPECT_EQ(News(), "Auto mode suspended");
    EXPECT_EQ(Platform.Yields, 2);
    EXPECT_FALSE(UniqueShown());
    ExpectFinishedQuietly();
    ASSERT_TRUE(atClick);
    Click(ModeRestore);
    EXPECT_EQ(Copy(), *atClick);
}

TEST_F(AutoTest, ResetDuringTheRunEndsWithTooFew)
{
    EnterAndStart(GuessingPuzzle());
    AtYield(1, [this] { Form.cmdMode_Click(ModeReset); });
    Click(ModeAuto);
    EXPECT_EQ(News(), "Not enough squares set");
    EXPECT_EQ(GridText(), std::string(81, '.'));
    EXPECT_EQ(Platform.Yields, 1);
}

TEST_F(AutoTest, AStatusWithoutActionKeepsTheLoopCycling)
{
    EnterAndStart(GuessingPuzzle());
    // Ten clicks leave a square empty in setup form: the board reads as not started.
    const int open = static_cast<int>(GridText().find('.'));
    AtEveryYield([&](long long k) {
        if (k == 1)
            for (int i = 0; i < 10; ++i)
                Form.cmdSquare_Click(static_cast<std::int16_t>(open));
        if (k == 5)
            Form.cmdMode_Click(ModeSave);
    });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, 5);
    EXPECT_EQ(News(), "Auto mode suspended");
    EXPECT_TRUE(SquareShown(open));
}

TEST_F(AutoTest, NestedAutoThatSolvesLetsTheOuterRunGoOn)
{
    const std::string puzzle = GuessingPuzzle();
    EnterAndStart(puzzle);
    AtEveryYield([this](long long k) {
        if (k == 1)
            Form.cmdMode_Click(ModeAuto);
    });
    Click(ModeAuto);
    EXPECT_TRUE(SolvesPuzzle(GridText(), puzzle));
    EXPECT_EQ(News(), "Found a solution - but might not be unique");
    EXPECT_TRUE(UniqueShown());
}

TEST_F(AutoTest, NestedAutoStoppedByAClickStopsBothRuns)
{
    EnterAndStart(GuessingPuzzle());
    AtEveryYield([this](long long k) {
        if (k == 1)
            Form.cmdMode_Click(ModeAuto); // yields 2.. belong to the nested run
        if (k == 3)
            Form.cmdMode_Click(ModeSave);
    });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, 3);
    EXPECT_EQ(News(), "Auto mode suspended");
}

// The guess stack and its depth slots as text, a line per depth, for before/after comparisons
// that print where they differ.
std::string SearchText(const GuessStack &g)
{
    std::ostringstream out;
    out << "count " << g.GuessCount << " depth " << g.GuessDepth << "\ndigits";
    for (const std::int16_t digit : g.GuessDigit)
        out << ' ' << digit;
    for (int slot = 0; slot < DepthSlotCount; ++slot) {
        const Snapshot &board = g.DepthSlots[slot];
        out << "\nslot " << slot << " square " << g.GuessSquare[slot] << " options "
            << g.GuessOptions[slot] << " grid " << GridText(board.Grid) << " candidates";
        for (int s = 0; s < SquareCount; ++s)
            out << ' ' << board.Candidates[s];
    }
    return out.str() + '\n';
}

TEST_F(AutoTest, NestedRunLeavesTheOuterRunsSearchAsItFoundIt)
{
    const std::string puzzle = GuessingPuzzle();
    EnterAndStart(puzzle);
    std::optional<std::string> before;
    std::optional<std::string> after;
    bool guessedBefore = false;
    bool nestedGuessed = false;
    int depthBefore = -1;
    AtEveryYield([&](long long k) {
        if (k != 3) // the outer run has guessed twice by now
            return;
        before = SearchText(Form.Guesses());
        depthBefore = Form.Guesses().GuessDepth;
        guessedBefore = Form.Board().Guessed;
        Form.cmdMode_Click(ModeAuto);
        after = SearchText(Form.Guesses());
        nestedGuessed = Form.Stats().Guesses > 0;
        EXPECT_TRUE(Form.Board().Guessed) << "either run guessed";
    });
    Click(ModeAuto);
    ASSERT_TRUE(before && after);
    EXPECT_GT(depthBefore, 0);
    EXPECT_TRUE(guessedBefore);
    EXPECT_TRUE(nestedGuessed);
    EXPECT_EQ(*before, *after) << "the outer run's stack and slots came back unchanged";
    EXPECT_EQ(News(), "Found a solution - but might not be unique");
    EXPECT_TRUE(SolvesPuzzle(GridText(), puzzle));
}

// One solution, and the nested run starts on the outer run's wrong guess: before the nested
// run had a search of its own, both ended "impossible".
TEST_F(AutoTest, SecondAutoClickAfterAGuessStillFindsTheSolution)
{
    const std::string puzzle =
        "21.95...4.9..6..37...7...........3.892.....158.5...........2...68..1..4.1...47.96";
    Enter(puzzle);
    std::string nested;
    AtYield(2, [&] {
        Form.cmdMode_Click(ModeAuto);
        nested = News();
    });
    Click(ModeAuto);
    EXPECT_EQ(nested, "This one seems to be impossible");
    EXPECT_EQ(News(), "Found a solution - but might not be unique");
    EXPECT_TRUE(SolvesPuzzle(GridText(), puzzle));
    EXPECT_EQ(CountSolutions(puzzle, 2), 1);
}

TEST_F(AutoTest, AtMostSixteenRunsAtOnce)
{
    EnterAndStart(GuessingPuzzle());
    int deepest = 0;
    std::string afterRefusedClick = "unset";
    AtEveryYield([&](long long k) {
        deepest = std::max(deepest, Form.Dispatch().AutoDepth);
        ASSERT_EQ(Form.Dispatch().AutoDepth, k) << "every run nests in the first yield of the last";
        const long long yields = Platform.Yields;
        Form.cmdMode_Click(ModeAuto);
        if (k == MaxAutoRuns) {
            afterRefusedClick = News();
            EXPECT_EQ(Platform.Yields, yields) << "the seventeenth click runs no cycle";
            EXPECT_TRUE(Form.Dispatch().StopAuto);
        }
    });
    Click(ModeAuto);
    EXPECT_EQ(deepest, 16);
    EXPECT_EQ(Platform.Yields, 16);
    EXPECT_EQ(afterRefusedClick, "") << "the prologue only";
    EXPECT_EQ(Form.Dispatch().AutoDepth, 0);
    EXPECT_EQ(News(), "Auto mode suspended");
}

TEST_F(AutoTest, CheckUniqueInsideTheSixteenthRunGivesNoVerdict)
{
    EnterAndStart(GuessingPuzzle());
    AtEveryYield([&](long long k) {
        Form.cmdMode_Click(k < MaxAutoRuns ? ModeAuto : ModeCheckUnique);
        if (k == MaxAutoRuns) {
            EXPECT_EQ(News(), "");
            EXPECT_EQ(Form.Unique().LastVerdict, UniqueVerdict::None);
        }
    });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, 16);
    EXPECT_EQ(News(), "Auto mode suspended");
}

TEST_F(AutoTest, ProgressLineStopsGrowingAt255Characters)
{
    EnterAndStart(EasyPuzzle);
    std::size_t longest = 0;
    std::uint64_t changes = 0;
    AtEveryYield([&](long long k) {
        if (k == 1)
            Form.cmdSquare_KeyPress(0, '0'); // a blanked given: the run cycles until a click
        longest = std::max(longest, News().size());
        if (k == 300) {
            EXPECT_EQ(News(), "Thinking" + std::string(247, '.'));
            changes = Form.Controls().NewsChanges();
        }
        if (k == 301) {
            EXPECT_GT(Form.Controls().NewsChanges(), changes) << "still written every cycle";
            Form.cmdMode_Click(ModeCheck);
        }
    });
    Click(ModeAuto);
    EXPECT_EQ(longest, 255U);
    EXPECT_EQ(Platform.Yields, 301);
}

TEST_F(AutoTest, ClosingTheWindowEndsEveryRun)
{
    EnterAndStart(GuessingPuzzle());
    AtEveryYield([this](long long k) {
        if (k == 2) {
            Form.RequestShutdown();
            Form.cmdMode_Click(ModeAuto); // clears StopAuto, but the window is closing
        }
    });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, 2);
    EXPECT_NE(News(), "Found a solution - but might not be unique");
}

TEST_F(AutoTest, DepthOverflowMakesNoGuessAndEndsTheRun)
{
    const std::string puzzle = GuessingPuzzle();
    const auto stack = RecordRun(puzzle);
    const auto k = FirstYieldBefore(stack, true);
    ASSERT_TRUE(k) << "the run never guesses on an existing stack";

    EnterAndStart(puzzle);
    long long triesAtClick = -1;
    AtYield(*k, [&] {
        SeedEdited(Form, [](FormState &state) { state.Guesses.GuessDepth = 81; });
        triesAtClick = Form.Stats().Guesses;
    });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, *k);
    EXPECT_EQ(Form.Guesses().GuessDepth, 81);
    EXPECT_EQ(Form.Stats().Guesses, triesAtClick) << "no guess was made";
    EXPECT_EQ(News(), "Auto mode suspended");
    EXPECT_EQ(Form.CheckBoard(), StatusConsistent);
}

TEST_F(AutoTest, EmptyStackBacktrackEndsImpossible)
{
    const std::string puzzle = GuessingPuzzle();
    EnterAndStart(puzzle);
    AtYield(2, [this] {
        ASSERT_GT(Form.Guesses().GuessCount, 0);
        SeedEdited(Form, [](FormState &state) { state.Guesses.GuessDepth = -1; });
        const int open = static_cast<int>(GridText().find('.'));
        for (int d = 0; d < 9; ++d)
            Form.cmdEle_Click(static_cast<std::int16_t>(open * 9 + d));
    });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, 2);
    EXPECT_EQ(News(), "This one seems to be impossible");
    EXPECT_EQ(Form.Guesses().GuessDepth, -1);
}

TEST_F(AutoTest, StoppedRightAfterABacktrackReportsTheBoardItLeft)
{
    const std::string puzzle = GuessingPuzzle();
    const auto k = FirstYieldBefore(RecordRun(puzzle), false);
    ASSERT_TRUE(k) << "the run never backtracks";

    EnterAndStart(puzzle);
    AtYield(*k, [this] { Form.cmdMode_Click(ModeSave); });
    Click(ModeAuto);
    EXPECT_EQ(Platform.Yields, *k);
    EXPECT_EQ(News(), "Auto mode suspended");
}

} // namespace
} // namespace quorix::testing
