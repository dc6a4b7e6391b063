#include "core/control/burst.h"

#include "core/operations/board/placing.h"

namespace quorix {

void Burst::Run()
{
    // Once the board is struck, each step keeps it struck cheaply, and FindStep reads the view
    // that the steps keep up to date instead of building one from the store every time.
    Carry.BringViewUpToDate();
    const GuessStack &guesses = State.Guesses;
    MayStop = State.Dispatch.StopFailingBursts && Carry.Struck && Carry.ViewCurrent && Carry.Clean
              && guesses.GuessCount > 0 && guesses.GuessDepth >= 0 && Bursts.HasRoom();
    bool found;
    do {
        const bool throughView = Carry.Struck && Carry.ViewCurrent;
        if (throughView && PlaceSingles() && StopHere())
            return;
        found = FindNext(throughView);
        Frame(found, throughView);
        CarryOut(found);
        if (found && StopHere())
            return;
    } while (found);
    WordLastStep();
}

bool Burst::PlaceSingles()
{
    assert(Carry.Struck && Carry.ViewCurrent);
    constexpr unsigned everyDigit = AllowedDigits(-1).Mask();
    int digit = -1, square = -1;
    bool placed = false;
    for (int d, s; LowestSingleCandidate(Carry.View.View(), everyDigit, d, s);) {
#ifndef NDEBUG
        FoundStep rule;
        assert(Carry.View.FindSingleCandidate(rule) && rule.Target == s && rule.Digit == d
               && "the loop places what the rule finds");
#endif
        Carry.PlaceOnStruckBoard(s, d);
        digit = d;
        square = s;
        placed = true;
        if (MayStop && Carry.View.AnyDeadSquare())
            break;
    }
    if (!placed)
        return false;
    // Only the last single is recorded: the record of each one before would be overwritten by
    // the next, unread.
    WordWithinBurst(Carry.LastStep);
    RecordSingleCandidate(Carry.LastStep, square, digit);
    Bursts.RecordBurstStep(Carry.LastStep);
    WordingDeferred = true;
    AnyStep = true;
    return true;
}

bool Burst::FindNext(bool throughView)
{
    if (!throughView) {
        const bool found = Bursts.FindStep(-1);
        if (found)
            WordingDeferred = false;
        return found;
    }
    FoundStep &step = Carry.LastStep;
    WordWithinBurst(step);
    if (!Carry.View.FindStep(-1, step))
        return false;
    Bursts.RecordBurstStep(step);
    WordingDeferred = true;
    return true;
}

void Burst::Frame(bool found, bool throughView)
{
    if (found && throughView) {
        const BoardState &board = State.Board;
        if (board.HighlightUnit >= 0) {
            DueUnit = board.HighlightUnit;
            DueUnitType = board.HighlightUnitType;
        }
    } else {
        if (DueUnit >= 0)
            Bursts.ShowUnitFrame(DueUnit, DueUnitType);
        DueUnit = -1;
        if (!AnyStep && !found)
            Bursts.ShowHighlightAfterNoStep();
        else
            Bursts.ShowHighlight();
    }
    AnyStep = AnyStep || found;
}

void Burst::CarryOut(bool found)
{
    if (Carry.Struck) {
        Carry.ApplyStepOnStruckBoard();
        return;
    }
    BoardState &board = State.Board;
    ApplyStep(board, State.Controls);
    Carry.Struck = board.StepKind == StepPlace || board.StepKind == StepStrike
                   || board.StepKind == StepRestrike;
    if (found)
        Carry.BringViewUpToDate();
}

bool Burst::StopHere()
{
    // Once a step has left a dead square, the check will find the board impossible, and the
    // backtrack after it puts back every value and candidate.
    if (!MayStop || !Carry.Clean || !Carry.View.AnyDeadSquare())
        return false;
    assert(Carry.Struck && Carry.ViewCurrent && Bursts.HasRoom());
    Bursts.Stop(Carry.View, DueUnit, DueUnitType);
    return true;
}

void Burst::WordLastStep()
{
    if (WordingDeferred)
        Bursts.WordStep(Carry.LastStep);
}

} // namespace quorix
