// The rest of a burst that is bound to fail, left for later.
//
// Once an empty square has no candidate left, a burst's verdict is settled: candidates only go
// within a burst, so the check will call the board impossible, and the loop goes back to its
// latest guess, putting back every value and candidate. All the rest of the burst could still
// leave behind is what it records of its steps and the check of the square it names: the
// pending step and the highlight marks, the explanation, where the two hidden frames stand,
// which frame is in front and whether the blink timer runs. The next burst overwrites nearly
// all of that before anything can look at it.
//
// So the loop stops such a burst at its first dead square, once it has found a step, and keeps
// a copy of its board and view. Each field the rest would write stays owned by the copy until
// the loop writes it itself. The rest is worked out on the copy only when something could see
// an owned field: at a yield where the platform may look at the state, when the run ends, or
// when a burst that finds no step would have to draw a frame from what the rest leaves. It
// then finds exactly the steps the burst would have gone on to, so every field ends as if the
// burst had run to its end.
#pragma once

#include "core/operations/deduce/burst_view.h"

#include <array>
#include <cstdint>

namespace quorix {

// The fields the rest of a burst writes, as bits.
enum TailField : unsigned {
    TailStepKind = 1U << 0,    // Board.StepKind
    TailStepTarget = 1U << 1,  // Board.StepTarget and StepDigit
    TailUnitMarks = 1U << 2,   // Board.HighlightUnit and HighlightUnitType
    TailSquareMark = 1U << 3,  // Board.HighlightSquare
    TailExplanation = 1U << 4, // Board.Explanation
    TailSquareFrame = 1U << 5, // frame 0's geometry, the frame in front, the blink timer
    TailUnitFrame = 1U << 6,   // frame 1's geometry
    TailEveryField = (1U << 7) - 1,
};

// A burst stopped at its first dead square: its board and view as they were, and the marks
// its last step left.
struct DeferredTail
{
    DeferredTail() : View(Bits, Grid) {}
    DeferredTail(const DeferredTail &) = delete;
    DeferredTail &operator=(const DeferredTail &) = delete;

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

// The stopped bursts of one auto run, oldest first. A later one owns every field an earlier one
// does (each starts owning them all, and a write takes a field from all at once), so the ones
// that own nothing are the oldest, and leave the queue. A burst that frames a unit takes every
// field from all of them, so the queue stays short.
class TailQueue
{
public:
    static constexpr int Capacity = 4;

    [[nodiscard]] bool Empty() const { return Count == 0; }
    [[nodiscard]] bool HasRoom() const { return Count < Capacity; }
    [[nodiscard]] int Size() const { return Count; }
    // The i-th oldest.
    [[nodiscard]] DeferredTail &operator[](int i) { return Tails[(First + i) % Capacity]; }
    [[nodiscard]] DeferredTail &Newest() { return (*this)[Count - 1]; }
    // The slot the next stopped burst is copied into; it joins the queue, owning every field,
    // with Push.
    [[nodiscard]] DeferredTail &Next() { return (*this)[Count]; }
    void Push()
    {
        Next().Owns = TailEveryField;
        ++Count;
    }
    // Something else has written `fields`: no stopped burst owns them any longer.
    void Disown(unsigned fields)
    {
        for (int i = 0; i < Count; ++i)
            (*this)[i].Owns &= ~fields;
        while (Count > 0 && Tails[First].Owns == 0) {
            First = (First + 1) % Capacity;
            --Count;
        }
    }
    void Clear() { Count = 0; }

private:
    std::array<DeferredTail, Capacity> Tails;
    int First = 0;
    int Count = 0;
};

} // namespace quorix
