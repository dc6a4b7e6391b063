#include "fuzz/window_invariants.h"

#include "core/ground/units.h"
#include "core/operations/board/consistency.h"
#include "fuzz/event_codec.h"

namespace quorix::fuzz {

BoardImage TakeImage(const FormState &form)
{
    return {form.Board.Grid, form.Board.Givens, form.Controls.CandidateBits, form.Controls.Squares};
}

bool SameButton(const ControlStore::SquareButton &a, const ControlStore::SquareButton &b)
{
    return a.Caption == b.Caption && a.Background == b.Background && a.Visible == b.Visible
           && a.Enabled == b.Enabled;
}

void CheckSquares(const FormState &form,
                  const std::array<std::int16_t, SquareCount> &expectedGivens, const Failure &fail)
{
    const auto &board = form.Board;
    const auto &controls = form.Controls;
    for (int s = 0; s < SquareCount; ++s) {
        const std::int16_t value = board.Grid[s];
        const std::string at = " at square " + std::to_string(s);
        if (value < -1 || value > 8)
            fail("Grid holds " + std::to_string(value) + at);
        if (board.Givens[s] < -1 || board.Givens[s] > 8)
            fail("Givens holds " + std::to_string(board.Givens[s]) + at);
        if (board.Givens[s] != expectedGivens[s])
            fail("the puzzle as entered changed without being typed" + at);
        const auto &button = controls.Squares[s];
        const std::uint16_t bits = controls.CandidateBits[s];
        if (bits & ~AllCandidates)
            fail("candidate bits beyond the nine digits" + at);
        if (value >= 0) {
            if (bits != 0)
                fail("a set square shows candidates" + at);
            if (!button.Visible)
                fail("a set square's button is hidden" + at);
            if (button.Caption != '1' + value || button.Background != board.DigitColours[value])
                fail("a set square does not show its digit" + at);
        } else {
            if (button.Caption != 0 || button.Background != SystemButtonFace)
                fail("an empty square shows a digit" + at);
            if (button.Visible && bits != 0)
                fail("an empty square in setup form shows candidates" + at);
        }
    }
}

void CheckButtonsAndMarks(const FormState &form, const Failure &fail)
{
    const auto &board = form.Board;
    const auto &controls = form.Controls;
    for (const std::int16_t index : CommandIndexes)
        if (index != ModeCheckUnique && !controls.Modes[index].Visible)
            fail("command button " + std::string(CommandNames[index]) + " is hidden");
    if (controls.Modes[2].Visible)
        fail("the command button that does not exist is shown");

    const auto kind = board.StepKind;
    if (kind != StepNone && kind != StepPlace && kind != StepStrike && kind != StepRestrike
        && kind != StepNothingFound)
        fail("unknown pending step kind " + std::to_string(kind));
    if (kind == StepPlace
        && (board.StepTarget < 0 || board.StepTarget >= SquareCount || board.StepDigit < 0
            || board.StepDigit > 8))
        fail("a pending placement outside the board");
    if (kind == StepStrike && (board.StepTarget < 0 || board.StepTarget >= CandidateCount))
        fail("a pending strike outside the candidates");
    if (board.HighlightSquare < -1 || board.HighlightSquare >= SquareCount
        || board.HighlightUnit < -1 || board.HighlightUnit > 8 || board.HighlightUnitType < -1
        || board.HighlightUnitType > 2)
        fail("a highlight mark outside the board");
    if (form.Guesses.GuessDepth < -1 || form.Guesses.GuessDepth >= DepthSlotCount)
        fail("the guess stack depth is out of range");
    if (form.Dispatch.AutoDepth < 0 || form.Dispatch.AutoDepth > MaxAutoRuns)
        fail("more auto runs in progress than may be, or fewer than none");
}

BoardStatus ProbeCheckBoard(const FormState &form, const Failure &fail)
{
    BoardState board = form.Board;
    ControlStore controls = form.Controls;
    const BoardStatus status = CheckBoard(board, controls);
    if (board.Grid != form.Board.Grid || controls.CandidateBits != form.Controls.CandidateBits)
        fail("CheckBoard changed the board");
    return status;
}

void CheckSolvedGrid(const FormState &form, const Failure &fail)
{
    const auto &grid = form.Board.Grid;
    for (int t = 0; t < 3; ++t)
        for (int u = 0; u < 9; ++u) {
            unsigned seen = 0;
            for (int p = 0; p < 9; ++p) {
                const int d = grid[UnitSquare(u, p, t)];
                if (d >= 0)
                    seen |= 1U << d;
            }
            if (seen != AllCandidates)
                fail("CheckBoard calls a board solved that is not a valid full grid");
        }
}

} // namespace quorix::fuzz
