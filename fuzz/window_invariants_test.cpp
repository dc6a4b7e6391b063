// The invariant checks themselves: a check that stops firing leaves the fuzzer blind, so each
// one is made to fail on a window doctored to break it, and a sound window must pass them all.
#include "core/form/form1.h"
#include "core/operations/text/puzzle_text.h"
#include "fuzz/event_codec.h"
#include "fuzz/window_invariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace quorix::fuzz {
namespace {

struct Broken
{
    std::string What;
};
const Failure Throw = [](const std::string &what) { throw Broken{what}; };

using Givens = std::array<std::int16_t, SquareCount>;
using Doctor = std::function<void(FormState &, Givens &)>;

// The easy puzzle, typed and started: square 2 holds the given 3, square 0 is empty.
struct StartedWindow
{
    StartedWindow()
    {
        Form.Form_Load();
        TypePuzzle(Form, BuiltInPuzzles[Easy]);
        Form.cmdMode_Click(ModeStart);
    }

    // The first failure of the square and control checks on the window's state after
    // `doctor`, or "".
    std::string FirstFailure(const Doctor &doctor)
    {
        Givens givens;
        std::copy_n(Form.Board().Givens.begin(), SquareCount, givens.begin());
        FormState state = Form.State();
        doctor(state, givens);
        try {
            CheckSquares(state, givens, Throw);
            CheckButtonsAndMarks(state, Throw);
        } catch (const Broken &broken) {
            return broken.What;
        }
        return "";
    }

    HeadlessPlatform Host;
    Form1 Form{Host};
};

TEST(WindowInvariants, AStartedWindowPasses)
{
    EXPECT_EQ(StartedWindow().FirstFailure([](FormState &, Givens &) {}), "");
}

TEST(WindowInvariants, EachBrokenRuleIsReported)
{
    const std::pair<std::string, Doctor> cases[] = {
        {"Grid holds 9 at square 0", [](FormState &f, Givens &) { f.Board.Grid[0] = 9; }},
        {"Givens holds -2 at square 0", [](FormState &f, Givens &) { f.Board.Givens[0] = -2; }},
        {"the puzzle as entered changed without being typed at square 0",
         [](FormState &, Givens &g) { g[0] = 4; }},
        {"candidate bits beyond the nine digits at square 0",
         [](FormState &f, Givens &) { f.Controls.CandidateBits[0] |= 0x200; }},
        {"a set square shows candidates at square 2",
         [](FormState &f, Givens &) { f.Controls.CandidateBits[2] = 1; }},
        {"a set square's button is hidden at square 2",
         [](FormState &f, Givens &) { f.Controls.Squares[2].Visible = false; }},
        {"a set square does not show its digit at square 2",
         [](FormState &f, Givens &) { f.Controls.Squares[2].Caption = '4'; }},
        {"an empty square shows a digit at square 0",
         [](FormState &f, Givens &) { f.Controls.Squares[0].Caption = '1'; }},
        {"an empty square in setup form shows candidates at square 0",
         [](FormState &f, Givens &) { f.Controls.Squares[0].Visible = true; }},
        {"command button Restore is hidden",
         [](FormState &f, Givens &) { f.Controls.Modes[ModeRestore].Visible = false; }},
        {"the command button that does not exist is shown",
         [](FormState &f, Givens &) { f.Controls.Modes[2].Visible = true; }},
        {"unknown pending step kind 9",
         [](FormState &f, Givens &) { f.Board.StepKind = static_cast<PendingStepKind>(9); }},
        {"a pending placement outside the board",
         [](FormState &f, Givens &) {
             f.Board.StepKind = StepPlace;
             f.Board.StepTarget = 81;
         }},
        {"a pending strike outside the candidates",
         [](FormState &f, Givens &) {
             f.Board.StepKind = StepStrike;
             f.Board.StepTarget = CandidateCount;
         }},
        {"a highlight mark outside the board",
         [](FormState &f, Givens &) { f.Board.HighlightUnitType = 3; }},
        {"the guess stack depth is out of range",
         [](FormState &f, Givens &) { f.Guesses.GuessDepth = DepthSlotCount; }},
        {"more auto runs in progress than may be, or fewer than none",
         [](FormState &f, Givens &) { f.Dispatch.AutoDepth = MaxAutoRuns + 1; }},
    };
    for (const auto &[message, doctor] : cases)
        EXPECT_EQ(StartedWindow().FirstFailure(doctor), message);
}

TEST(WindowInvariants, ProbingCheckBoardLeavesNoTrace)
{
    StartedWindow window;
    Form1 &form = window.Form;
    form.cmdMode_Click(ModeNext);
    const std::string explanation = form.Board().Explanation;
    const int square = form.Board().HighlightSquare;
    ASSERT_FALSE(explanation.empty());
    form.SetSquare(0, 2, false); // a second 3 beside square 2
    EXPECT_EQ(ProbeCheckBoard(form.State(), Throw), StatusImpossible);
    EXPECT_EQ(form.Board().Explanation, explanation);
    EXPECT_EQ(form.Board().HighlightSquare, square);
}

TEST(WindowInvariants, ASolvedGridHoldsEveryDigitInEveryUnit)
{
    StartedWindow window;
    Form1 &form = window.Form;
    form.cmdMode_Click(ModeAuto);
    ASSERT_EQ(form.CheckBoard(), StatusSolved);
    EXPECT_NO_THROW(CheckSolvedGrid(form.State(), Throw));
    // Row and group stay whole, two columns do not.
    FormState swapped = form.State();
    std::swap(swapped.Board.Grid[0], swapped.Board.Grid[1]);
    EXPECT_THROW(CheckSolvedGrid(swapped, Throw), Broken);
}

} // namespace
} // namespace quorix::fuzz
