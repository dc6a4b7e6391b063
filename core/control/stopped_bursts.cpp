#include "core/control/stopped_bursts.h"

#include "core/control/snapshots.h"
#include "core/operations/board/consistency.h"
#include "core/operations/board/highlight.h"
#include "core/operations/deduce/find_step.h"

#include <algorithm>

namespace quorix {

namespace {

// A burst stopped at its first dead square: its board and view as they were, and the record
// its last step left.
struct Tail
{
    Tail() : View(Bits, Grid) {}
    Tail(const Tail &) = delete;
    Tail &operator=(const Tail &) = delete;

    std::array<std::int16_t, 82> Grid{};
    std::array<std::uint16_t, SquareCount> Bits{};
    BurstView View; // over Grid and Bits
    PendingStepKind Kind = StepNone;
    int Target = 0, Digit = -1, Square = -1, Unit = -1, UnitType = -1;
    // The latest unit framed by a step of the burst so far, -1 for none.
    int DueUnit = -1, DueUnitType = -1;
    unsigned Owns = 0; // the fields nothing has written since
    // Frame 0 was drawn since, round the square marked then: the dead square the check of
    // the burst's rest names, instead of its last step's square.
    bool SquareFrameOnDeadSquare = false;
};

} // namespace

// The stopped bursts of one run, oldest first, in a ring. A later one owns every field an
// earlier one does (each starts owning them all, and a write takes a field from all at once),
// so the ones that own nothing are the oldest, and leave the queue. A burst that frames a unit
// takes every field from all of them, so the queue stays short.
struct StoppedBursts::Shelf::Queue
{
    std::array<Tail, StoppedBursts::Capacity> Tails;
    int First = 0;

    Tail &At(int i) { return Tails[(First + i) % StoppedBursts::Capacity]; }
    const Tail &At(int i) const { return Tails[(First + i) % StoppedBursts::Capacity]; }
};

StoppedBursts::Shelf::Shelf() = default;
StoppedBursts::Shelf::~Shelf() = default;

// What the rest of a stopped burst leaves in the record: its last step, the latest unit a step
// of the burst framed, and the dead square the check after it names.
struct StoppedBursts::Rest
{
    PendingStepKind Kind;
    int Target, Digit, Square, Unit, UnitType;
    int DueUnit, DueUnitType;
    int DeadSquare = -1;

    void Take(const FoundStep &step)
    {
        Kind = step.Kind;
        Target = step.Target;
        Digit = step.Digit;
        Square = step.Square;
        Unit = step.Unit;
        UnitType = step.UnitType;
        if (Unit >= 0) {
            DueUnit = Unit;
            DueUnitType = UnitType;
        }
    }
};

StoppedBursts::StoppedBursts(FormState &state, Shelf &shelf, int depth)
    : State(state), Stock(shelf), Depth(depth)
{
    assert(depth >= 1);
}

void StoppedBursts::WordStep(const FoundStep &step)
{
    BeforeWrite();
#ifdef NDEBUG
    quorix::WordStep(step, State.Board.Explanation);
#else
    std::string late;
    quorix::WordStep(step, late);
    assert(late == State.Board.Explanation && "a step worded late must read as it would at once");
#endif
    Disown(ExplanationField);
}

bool StoppedBursts::FindStep(int digitFilter)
{
    BeforeWrite();
    if (!quorix::FindStep(State.Board, State.Controls, digitFilter))
        return false;
    Disown(StepKindField | StepTargetField | SquareMarkField | UnitMarksField | ExplanationField);
    return true;
}

void StoppedBursts::ShowHighlight()
{
    BeforeWrite();
    quorix::ShowHighlight(State.Board, State.Controls);
    const BoardState &board = State.Board;
    Disown((board.HighlightSquare >= 0 ? SquareFrameField : 0U)
           | (board.HighlightUnit >= 0 ? UnitFrameField : 0U));
}

void StoppedBursts::ShowUnitFrame(int unit, int unitType)
{
    BeforeWrite();
    quorix::ShowUnitFrame(State.Controls, unit, unitType);
    Disown(UnitFrameField);
}

BoardStatus StoppedBursts::CheckBoard()
{
    BeforeWrite();
    const CheckResult result = CheckBoardFaults(State.Board, State.Controls);
    if (result.Fault == CheckFault::DigitTwice)
        Disown(ExplanationField | UnitMarksField);
    else if (result.Fault == CheckFault::DeadSquare)
        Disown(ExplanationField | SquareMarkField);
    return result.Status;
}

void StoppedBursts::ReportDead(int square)
{
    BeforeWrite();
    quorix::ReportDead(State.Board, square);
    Disown(ExplanationField | SquareMarkField);
}

void StoppedBursts::RestoreSnapshot(int slot)
{
    BeforeWrite();
    quorix::RestoreSnapshot(State, slot);
    Disown(StepKindField);
}

void StoppedBursts::RestoreSnapshot(int slot, SquareSet differing)
{
    BeforeWrite();
    quorix::RestoreSnapshot(State, slot, differing);
    Disown(StepKindField);
}

void StoppedBursts::Stop(const BurstView &view, int dueUnit, int dueUnitType)
{
    BeforeWrite();
    if (Queue == nullptr) {
        // The run's first stop takes the queue of its nesting depth.
        auto &queues = Stock.Queues;
        const auto depth = static_cast<std::size_t>(Depth - 1);
        if (queues.size() <= depth)
            queues.resize(depth + 1);
        if (!queues[depth])
            queues[depth] = std::make_unique<Shelf::Queue>();
        Queue = queues[depth].get();
        Queue->First = 0;
    }
    assert(HasRoom() && !JustStopped);
    const BoardState &board = State.Board;
    Tail &tail = Queue->At(Live);
    std::copy(board.Grid.begin(), board.Grid.end(), tail.Grid.begin());
    tail.Bits = State.Controls.CandidateBits;
    tail.View = view;
    tail.View.Repoint(tail.Bits, tail.Grid);
    tail.Kind = board.StepKind;
    tail.Target = board.StepTarget;
    tail.Digit = board.StepDigit;
    tail.Square = board.HighlightSquare;
    tail.Unit = board.HighlightUnit;
    tail.UnitType = board.HighlightUnitType;
    tail.DueUnit = dueUnit;
    tail.DueUnitType = dueUnitType;
    tail.SquareFrameOnDeadSquare = false;
    JustStopped = true;
    ++State.Stats.StoppedBursts;
}

void StoppedBursts::CheckStopped()
{
    assert(JustStopped);
    HideHighlights(State.Controls);
    // The check's words and mark belong to the rest: they are taken from the earlier bursts,
    // and the new one joins owning every field.
    Disown(ExplanationField | SquareMarkField);
    Queue->At(Live).Owns = EveryField;
    ++Live;
    JustStopped = false;
#ifndef NDEBUG
    NoteOwnedFields();
#endif
}

void StoppedBursts::DisownStopped(unsigned fields)
{
    for (int i = 0; i < Live; ++i)
        Queue->At(i).Owns &= ~fields;
    while (Live > 0 && Queue->At(0).Owns == 0) {
        Queue->First = (Queue->First + 1) % Capacity;
        --Live;
    }
}

unsigned StoppedBursts::NewestOwns() const
{
    return Live == 0 ? 0U : Queue->At(Live - 1).Owns;
}

void StoppedBursts::FinishAll()
{
    BeforeWrite();
    // A field belongs to the latest stopped burst that writes it; one that none of them
    // writes keeps what it holds.
    unsigned open = NewestOwns();
    for (int i = Live - 1; i >= 0 && open != 0; --i) {
        const unsigned owned = Queue->At(i).Owns & open;
        if (owned == 0)
            continue;
        ++State.Stats.StoppedBurstsFinished;
        open &= ~WriteRest(WorkOutRest(i), i, owned);
    }
    Live = 0;
    if (Queue != nullptr)
        Queue->First = 0;
}

// The rest of the burst, as the loop would have run it on the struck board with its view.
StoppedBursts::Rest StoppedBursts::WorkOutRest(int i)
{
    Tail &tail = Queue->At(i);
    Rest rest{tail.Kind, tail.Target,   tail.Digit,   tail.Square,
              tail.Unit, tail.UnitType, tail.DueUnit, tail.DueUnitType};
    BurstView &view = tail.View;
    const auto place = [&](int s, int d) {
        tail.Grid[s] = static_cast<std::int16_t>(d);
        tail.Bits[s] = 0;
        view.PlaceInStore(s, d, tail.Bits);
    };
    FoundStep step;
    WordWithinBurst(step);
    for (;;) {
        for (int d, s; LowestSingleCandidate(view.View(), AllowedDigits(-1).Mask(), d, s);) {
            place(s, d);
            RecordSingleCandidate(step, s, d);
            rest.Take(step);
        }
        if (!view.FindStep(-1, step))
            break;
        rest.Take(step);
        if (step.Kind == StepPlace) {
            place(step.Target, step.Digit);
        } else if (step.Kind == StepStrike) {
            tail.Bits[step.Target / 9] &= static_cast<std::uint16_t>(~(1U << (step.Target % 9)));
            view.Refresh(step.Target / 9);
        }
    }
    const SquareSet dead = view.DeadSquares();
    assert(!dead.IsEmpty() && "a stopped burst ends with a dead square");
    rest.DeadSquare = dead.Highest();
    return rest;
}

// Then the burst's frames, and the check, which names the last dead square and hides both
// frames (they are hidden now as well). Every stopped burst had found a step, so it writes
// every field but maybe the unit frame; returns the fields it writes.
unsigned StoppedBursts::WriteRest(const Rest &rest, int i, unsigned fields)
{
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    unsigned written = EveryField & ~UnitFrameField;
    if ((fields & StepKindField) != 0)
        board.StepKind = rest.Kind;
    if ((fields & StepTargetField) != 0) {
        board.StepTarget = rest.Target;
        board.StepDigit = rest.Digit;
    }
    if ((fields & UnitMarksField) != 0) {
        board.HighlightUnit = rest.Unit;
        board.HighlightUnitType = rest.UnitType;
    }
    if ((fields & SquareFrameField) != 0) {
        assert(rest.Square >= 0);
        const bool onDead = Queue->At(i).SquareFrameOnDeadSquare;
        const int framed = onDead ? rest.DeadSquare : rest.Square;
        controls.Highlights[0].Geometry = layout::FrameGeometry(framed, 1, 1);
        controls.BringFrameToFront(0);
        controls.Timer.Enabled = true;
    }
    const int framed = rest.Unit >= 0 ? rest.Unit : rest.DueUnit;
    const int framedType = rest.Unit >= 0 ? rest.UnitType : rest.DueUnitType;
    if (framed >= 0) {
        written |= UnitFrameField;
        if ((fields & UnitFrameField) != 0)
            controls.Highlights[1].Geometry = UnitFrameGeometry(framed, framedType);
    }
    if ((fields & SquareMarkField) != 0)
        board.HighlightSquare = rest.DeadSquare;
    if ((fields & ExplanationField) != 0)
        WordDeadSquare(rest.DeadSquare, board.Explanation);
    return written;
}

void StoppedBursts::ShowHighlightAfterNoStep()
{
    // The marks drawn are those from before the burst, which the latest stopped burst may
    // still own: its rest decides them. The frames drawn from them follow from what that rest
    // leaves, though: frame 0 goes round the square it marks, its dead square, and frame 1 ends
    // as the rest leaves it either way (round its last step's unit, or else as its own frames
    // left it). So the frames are drawn as the marks stand and stay the stopped burst's; only
    // when frame 1 had already been drawn since the stop is the rest worked out first.
    const unsigned owned = NewestOwns();
    if ((owned & UnitMarksField) != 0 && (owned & UnitFrameField) == 0) {
        FinishAll();
        ShowHighlight();
        return;
    }
    ShowHighlight();
    if ((owned & (SquareMarkField | UnitMarksField)) == 0)
        return;
    // Drawing wrote no mark, so the latest stopped burst still owns some and is still there.
    Tail &newest = Queue->At(Live - 1);
    if ((owned & SquareMarkField) != 0) {
        newest.Owns |= SquareFrameField;
        newest.SquareFrameOnDeadSquare = true;
    }
    if ((owned & UnitMarksField) != 0)
        newest.Owns |= owned & UnitFrameField;
}

#ifndef NDEBUG
void StoppedBursts::NoteOwnedFields()
{
    const BoardState &board = State.Board;
    const ControlStore &controls = State.Controls;
    Seen = {board.StepKind,
            board.StepTarget,
            board.StepDigit,
            board.HighlightSquare,
            board.HighlightUnit,
            board.HighlightUnitType,
            board.Explanation,
            controls.Highlights[0].Geometry,
            controls.Highlights[1].Geometry,
            controls.FrontFrame,
            controls.Timer.Enabled};
}

bool StoppedBursts::OwnedFieldsUntouched() const
{
    const BoardState &board = State.Board;
    const ControlStore &controls = State.Controls;
    const unsigned owned = NewestOwns();
    const auto same = [owned](unsigned field, bool unchanged) {
        return (owned & field) == 0 || unchanged;
    };
    return same(StepKindField, board.StepKind == Seen.StepKind)
           && same(StepTargetField,
                   board.StepTarget == Seen.StepTarget && board.StepDigit == Seen.StepDigit)
           && same(UnitMarksField,
                   board.HighlightUnit == Seen.Unit && board.HighlightUnitType == Seen.UnitType)
           && same(SquareMarkField, board.HighlightSquare == Seen.Square)
           && same(ExplanationField, board.Explanation == Seen.Explanation)
           && same(SquareFrameField, controls.Highlights[0].Geometry == Seen.SquareFrame
                                         && controls.FrontFrame == Seen.FrontFrame
                                         && controls.Timer.Enabled == Seen.TimerEnabled)
           && same(UnitFrameField, controls.Highlights[1].Geometry == Seen.UnitFrame);
}
#endif

} // namespace quorix
