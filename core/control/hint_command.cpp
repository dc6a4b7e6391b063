#include "core/control/hint_command.h"

#include "core/ground/units.h"
#include "core/operations/board/highlight.h"
#include "core/operations/board/placing.h"
#include "core/operations/verify/solution_count.h"

#include <array>
#include <cstdint>

namespace quorix {

namespace {

hint::Position PositionOf(const BoardState &board, const ControlStore &controls)
{
    std::array<std::int8_t, SquareCount> values{};
    std::array<hint::DigitMask, SquareCount> candidates{};
    for (int s = 0; s < SquareCount; ++s) {
        values[s] = static_cast<std::int8_t>(board.Grid[s]);
        candidates[s] = static_cast<hint::DigitMask>(controls.CandidateBits[s] & AllCandidates);
    }
    return hint::Position::FromBoard(values, candidates);
}

int Count(std::string_view puzzle, int limit)
{
    return CountSolutions(puzzle, limit);
}

} // namespace

bool InSetupForm(const BoardState &board, const ControlStore &controls)
{
    for (int s = 0; s < SquareCount; ++s)
        if (board.Grid[s] < 0 && controls.Squares[s].Visible)
            return true;
    return false;
}

const hint::PuzzleFacts &HintCommand::FactsOf(const std::string &puzzle)
{
    if (!Studied || puzzle != StudiedPuzzle) {
        Facts = hint::StudyPuzzle(puzzle, Count);
        StudiedPuzzle = puzzle;
        Studied = true;
    }
    return Facts;
}

hint::HintAnswer HintCommand::Answer(bool setup, int rung)
{
    const BoardState &board = State.Board;
    if (setup)
        return hint::AnswerSetupHint(FactsOf(GivensLine(board)), rung);
    // A board put in place some other way than by Start (none kept yet) is taken as its givens.
    if (State.Hint.Puzzle.size() != SquareCount)
        KeepPuzzle(State.Hint, board);
    return hint::AnswerHint(FactsOf(State.Hint.Puzzle), PositionOf(board, State.Controls), rung);
}

void HintCommand::Press()
{
    if (State.Dispatch.AutoDepth > 0)
        return;
    HintState &ladder = State.Hint;
    const bool setup = InSetupForm(State.Board, State.Controls);
    const bool sameBoard = ladder.LeftOn == BoardPrint::Of(State.Controls, State.Board);
    const int rung = sameBoard && ladder.Shown < ladder.Rungs ? ladder.Shown + 1 : 1;
    const hint::HintAnswer answer = Answer(setup, rung);
    CarryOut(answer.Shown, setup, !answer.Puzzle.empty());
    // A slip mended: the changed puzzle is the one Hint works from now.
    if (!answer.Puzzle.empty())
        ladder.Puzzle = answer.Puzzle;
    Show(answer.Shown.View);
    ladder.Shown = answer.Number;
    ladder.Rungs = answer.Rungs;
    ladder.LeftOn = BoardPrint::Of(State.Controls, State.Board);
}

// Each action goes the way the person's own would: a digit typed into the square (into the
// givens too, as typing does), a candidate clicked away or given back, a square emptied; while
// solving, an emptied square shows the candidates its peers allow, and the set digits are
// struck from their units once all are done. A given changed while solving gives its old digit
// back to its empty peers: only the given had struck it there.
void HintCommand::CarryOut(const hint::Rung &rung, bool setup, bool givenChanged)
{
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    for (const hint::BoardAction &action : rung.Actions) {
        const int square = action.Square;
        const int digit = action.Kind == hint::ActionKind::Empty ? Empty : action.Digit;
        if (givenChanged && !setup && board.Grid[square] >= 0)
            GiveBackToPeers(square, board.Grid[square]);
        switch (action.Kind) {
        case hint::ActionKind::Set:
        case hint::ActionKind::Empty:
            if (setup) {
                EnterSquare(board, controls, square, digit);
            } else {
                SetSquare(board, controls, square, digit, true);
                board.Givens[square] = static_cast<std::int16_t>(digit);
            }
            break;
        case hint::ActionKind::Strike:
        case hint::ActionKind::GiveBack:
            controls.SetCandidateVisible(square * 9 + digit,
                                         action.Kind == hint::ActionKind::GiveBack);
            break;
        }
    }
    if (!setup && !rung.Actions.empty())
        StrikeSetDigits(board, controls);
}

void HintCommand::GiveBackToPeers(int square, int digit)
{
    for (const int peer : PeersOfSquare[square])
        if (State.Board.Grid[peer] < 0 && !State.Controls.Squares[peer].Visible)
            State.Controls.SetCandidateVisible(peer * 9 + digit, true);
}

// As a command button's click does, the frames of the previous finding go and the blink timer
// stops; then the rung's own frames and marks are drawn and its text shown.
void HintCommand::Show(const hint::HintView &view)
{
    ControlStore &controls = State.Controls;
    controls.Timer.Enabled = false;
    controls.Timer.PeriodMs = 500;
    HideHighlights(controls);
    if (view.Square >= 0)
        ShowSquareFrame(controls, view.Square);
    if (view.Unit >= 0)
        ShowUnitFrame(controls, view.Unit % 9, view.Unit / 9);
    for (const int square : view.Marks)
        if (square != view.Square)
            controls.HintMarks.Add(square);
    controls.SetNews(view.Text);
}

} // namespace quorix
