#include "core/control/auto_carry.h"

#include "core/control/stopped_bursts.h"
#include "core/operations/board/consistency.h"
#include "core/operations/board/highlight.h"

namespace quorix {

void AutoCarry::Remember(const GuessStack &guesses, int slot)
{
    SlotKnowledge &known = Slots[slot];
    known.Stamp = guesses.DepthStamps[slot];
    known.Struck = Struck;
    known.HasView = Struck && ViewCurrent;
    known.Clean = known.HasView && Clean;
    known.Forgets = Forgets;
    if (known.HasView) {
        while (SlotViews.size() <= static_cast<std::size_t>(slot))
            SlotViews.push_back(View);
        SlotViews[slot] = View;
    }
}

void AutoCarry::Recall(const GuessStack &guesses, int slot)
{
    const SlotKnowledge &known = Slots[slot];
    if (known.Stamp == 0 || known.Stamp != guesses.DepthStamps[slot]) {
        Forget();
        return;
    }
    Struck = known.Struck;
    ViewCurrent = known.HasView;
    Clean = known.Clean;
    if (ViewCurrent)
        View = SlotViews[slot];
    assert(!Struck || SetDigitsStruck(Board, Controls));
    assert(!ViewCurrent || View.MatchesStore());
}

bool AutoCarry::SetSinceSaved(const GuessStack &guesses, int slot, SquareSet &squares) const
{
    const SlotKnowledge &known = Slots[slot];
    // Since the save only the loop has changed the board, and it only sets squares (never
    // empties one, nor sets one twice), so the squares set since are those the slot had open.
    if (known.Stamp == 0 || known.Stamp != guesses.DepthStamps[slot] || known.Forgets != Forgets
        || !known.Clean || !Clean)
        return false;
    const SquareSet before = SlotViews[slot].OpenSquares();
    const SquareSet now = View.OpenSquares();
    assert((now - before).IsEmpty() && "no square is emptied within a run");
    squares = before - now;
    return true;
}

void AutoCarry::ApplyStepOnStruckBoard()
{
    assert(Struck && ViewCurrent);
    switch (Board.StepKind) {
    case StepPlace:
        if (Board.StepDigit >= 0 && Board.StepDigit < DigitCount) {
            PlaceOnStruckBoard(Board.StepTarget, Board.StepDigit);
        } else {
            // Not a step FindStep records; carried out as written, and the view built again.
            ApplyStep(Board, Controls);
            View.Rebuild();
        }
        break;
    case StepStrike:
        Controls.SetCandidateVisible(Board.StepTarget, false);
        View.Refresh(Board.StepTarget / 9);
        break;
    default:
        break;
    }
}

BoardStatus AutoCarry::CheckBoard(StoppedBursts &bursts)
{
    if (!Clean) {
        const BoardStatus status = bursts.CheckBoard();
        Clean = Struck && ViewCurrent && CleanSolvingForm(Board, Controls);
        return status;
    }
#ifndef NDEBUG
    const BoardStatus full = bursts.CheckBoard();
    const std::string explanation = Board.Explanation;
    const int highlightSquare = Board.HighlightSquare;
#endif
    // With no digit twice in a unit and every square in solving form, the check's decision
    // comes down to the count of set squares and the dead and full open squares. Set squares
    // hold no candidate, so all 729 show only with none set, which is too few already.
    HideHighlights(Controls);
    const int setSquares = SquareCount - View.OpenSquares().Count();
    BoardStatus status = StatusConsistent;
    if (const SquareSet dead = View.DeadSquares(); !dead.IsEmpty()) {
        bursts.ReportDead(dead.Highest());
        status = StatusImpossible;
    } else if (setSquares < MinimumGivens) {
        status = StatusTooFew;
    } else if (setSquares < SquareCount && View.EveryOpenSquareFull()) {
        status = StatusNotStarted;
    } else if (setSquares == SquareCount) {
        status = StatusSolved;
    }
    assert(status == full && Board.Explanation == explanation
           && Board.HighlightSquare == highlightSquare && "read off the view as checked in full");
    return status;
}

} // namespace quorix
