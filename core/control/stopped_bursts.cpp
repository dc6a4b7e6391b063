// Bursts stopped at their first dead square, and their rest worked out when it could show.
#include "core/control/stopped_bursts.h"

#include "core/control/auto_carry.h"
#include "core/form/form1.h"

#include <algorithm>
#include <memory>

namespace quorix {

void Form1::StopBurst(AutoCarry &carry, int dueUnit, int dueUnitType)
{
    if (StoppedBursts == nullptr) {
        // The run's first stop takes the queue of its nesting depth, made once per window:
        // most runs never stop a burst, and a queue is a few boards and views.
        const auto depth = static_cast<std::size_t>(Dispatch.AutoDepth - 1);
        if (StoppedBurstQueues.size() <= depth)
            StoppedBurstQueues.resize(depth + 1);
        if (!StoppedBurstQueues[depth])
            StoppedBurstQueues[depth] = std::make_unique<TailQueue>();
        StoppedBursts = StoppedBurstQueues[depth].get();
        StoppedBursts->Clear();
    }
    assert(carry.Struck && carry.ViewCurrent && carry.Clean && StoppedBursts->HasRoom()
           && carry.View.AnyDeadSquare());
    DeferredTail &tail = StoppedBursts->Next();
    std::copy(Board.Grid.begin(), Board.Grid.end(), tail.Grid.begin());
    tail.Bits = Controls.CandidateBits;
    tail.View = carry.View;
    tail.View.Repoint(tail.Bits, tail.Grid);
    tail.Kind = Board.StepKind;
    tail.Target = Board.StepTarget;
    tail.Digit = Board.StepDigit;
    tail.Square = Board.HighlightSquare;
    tail.Unit = Board.HighlightUnit;
    tail.UnitType = Board.HighlightUnitType;
    tail.DueUnit = dueUnit;
    tail.DueUnitType = dueUnitType;
    tail.SquareFrameOnDeadSquare = false;
    carry.BurstStopped = true;
    ++Stats.StoppedBursts;
}

void Form1::FinishStoppedBursts()
{
    if (StoppedBursts == nullptr)
        return;
    TailQueue &queue = *StoppedBursts;
    // A field belongs to the latest stopped burst that writes it; one that none of them
    // writes keeps what it holds.
    unsigned open = queue.Empty() ? 0U : queue.Newest().Owns;
    for (int i = queue.Size() - 1; i >= 0 && open != 0; --i) {
        DeferredTail &tail = queue[i];
        if ((tail.Owns & open) != 0)
            open &= ~FinishStoppedBurst(tail, tail.Owns & open);
    }
    queue.Clear();
}

unsigned Form1::FinishStoppedBurst(DeferredTail &tail, unsigned fields)
{
    ++Stats.StoppedBurstsFinished;
    // The rest of the burst, as RunBurst would have run it on the struck board with its view.
    BurstView &view = tail.View;
    PendingStepKind kind = tail.Kind;
    int target = tail.Target, digit = tail.Digit, square = tail.Square;
    int unit = tail.Unit, unitType = tail.UnitType;
    int dueUnit = tail.DueUnit, dueUnitType = tail.DueUnitType;
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
            kind = StepPlace;
            target = square = s;
            digit = d;
            unit = unitType = -1;
        }
        if (!view.FindStep(-1, step))
            break;
        kind = step.Kind;
        target = step.Target;
        digit = step.Digit;
        square = step.Square;
        unit = step.Unit;
        unitType = step.UnitType;
        if (unit >= 0) {
            dueUnit = unit;
            dueUnitType = unitType;
        }
        if (kind == StepPlace) {
            place(target, digit);
        } else if (kind == StepStrike) {
            tail.Bits[target / 9] &= static_cast<std::uint16_t>(~(1U << (target % 9)));
            view.Refresh(target / 9);
        }
    }

    // Then the burst's frames, and the check, which names the last dead square and hides both
    // frames (they are hidden now as well). Every stopped burst had found a step, so it writes
    // every field but maybe the unit frame.
    const SquareSet dead = view.DeadSquares();
    assert(!dead.IsEmpty() && "a stopped burst ends with a dead square");
    unsigned written = TailEveryField & ~TailUnitFrame;
    if ((fields & TailStepKind) != 0)
        Board.StepKind = kind;
    if ((fields & TailStepTarget) != 0) {
        Board.StepTarget = target;
        Board.StepDigit = digit;
    }
    if ((fields & TailUnitMarks) != 0) {
        Board.HighlightUnit = unit;
        Board.HighlightUnitType = unitType;
    }
    if ((fields & TailSquareFrame) != 0) {
        assert(square >= 0);
        const int framedSquare = tail.SquareFrameOnDeadSquare ? dead.Highest() : square;
        Controls.Highlights[0].Geometry = layout::FrameGeometry(framedSquare, 1, 1);
        Controls.BringFrameToFront(0);
        Controls.Timer.Enabled = true;
    }
    const int framed = unit >= 0 ? unit : dueUnit;
    const int framedType = unit >= 0 ? unitType : dueUnitType;
    if (framed >= 0) {
        written |= TailUnitFrame;
        if ((fields & TailUnitFrame) != 0)
            Controls.Highlights[1].Geometry = UnitFrameGeometry(framed, framedType);
    }
    if ((fields & TailSquareMark) != 0)
        Board.HighlightSquare = dead.Highest();
    if ((fields & TailExplanation) != 0)
        WordDeadSquare(dead.Highest(), Board.Explanation);
    return written;
}

} // namespace quorix
