// The rest of a burst that is bound to fail, left for later, and the one way to write what it
// still decides.
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
//
// That holds only if every write of an owned field takes it from the stopped bursts. Within a
// run the loop writes those fields through the members below and nowhere else, and nothing
// outside the loop runs while a burst is stopped: every yield that may touch the state first
// works out the rest of them all. Debug builds check, at every such write and before working
// out a rest, that no owned field has changed behind this object's back.
#pragma once

#include "core/control/control_state.h"
#include "core/operations/deduce/burst_view.h"
#include "core/operations/deduce/find_step.h"
#include "core/operations/deduce/rules.h"

#include <cassert>
#include <memory>
#include <string>
#include <vector>

namespace quorix {

class StoppedBursts
{
public:
    // The queues of stopped bursts, one per nesting depth of runs, kept from run to run: most
    // runs never stop a burst, and a queue holds a few boards and views.
    class Shelf
    {
    public:
        Shelf();
        Shelf(const Shelf &) = delete;
        Shelf &operator=(const Shelf &) = delete;
        ~Shelf();

    private:
        friend class StoppedBursts;
        struct Queue;
        std::vector<std::unique_ptr<Queue>> Queues;
    };

    // The stopped bursts of the run at nesting depth `depth` (1 for the outermost).
    StoppedBursts(FormState &state, Shelf &shelf, int depth);
    StoppedBursts(const StoppedBursts &) = delete;
    StoppedBursts &operator=(const StoppedBursts &) = delete;

    // --- The writes of what a stopped burst's rest decides. Each takes what it writes from
    // every stopped burst, whose rest no longer decides it.

    // The pending step and the highlight marks of `step`, found within a burst (and in Debug
    // builds its explanation, which Release builds word only for the burst's last step).
    // Inline: a burst records most of its steps through it.
    void RecordBurstStep([[maybe_unused]] const FoundStep &step)
    {
        BeforeWrite();
        RecordStep(State.Board, step);
        unsigned written = StepKindField | StepTargetField | SquareMarkField | UnitMarksField;
#ifndef NDEBUG
        State.Board.Explanation = step.Explanation;
        written |= ExplanationField;
#endif
        Disown(written);
    }
    // The explanation of `step`, the last of its burst, worded once the burst has ended.
    void WordStep(const FoundStep &step);
    // FindStep over a view built afresh from the store: the step, the marks, the explanation.
    bool FindStep(int digitFilter);
    void ShowHighlight();
    void ShowUnitFrame(int unit, int unitType);
    // The full consistency check: the explanation and the marks of the fault it names.
    [[nodiscard]] BoardStatus CheckBoard();
    // The check's report of square `square` left with no candidate.
    void ReportDead(int square);
    // RestoreSnapshot, whose pending step becomes a re-strike.
    void RestoreSnapshot(int slot);
    void RestoreSnapshot(int slot, SquareSet differing);

    // --- The bursts stopped so far, oldest first.

    // Whether a burst may be stopped now: the queue has room.
    [[nodiscard]] bool HasRoom() const
    {
        return Live < Capacity;
    }
    // Stops the burst that has just left a dead square on the board, after a step: keeps a copy
    // of the board through `view` (which follows the store), of what the burst has recorded,
    // and of the latest unit its steps framed (-1 for none).
    void Stop(const BurstView &view, int dueUnit, int dueUnitType);
    // Whether the latest burst was stopped, and not yet checked.
    [[nodiscard]] bool Stopped() const
    {
        return JustStopped;
    }
    // The check of the burst just stopped: it hides the frames, and what it says of the dead
    // square is the burst's rest's to write. The burst joins the queue.
    void CheckStopped();
    // Works out the rest of every stopped burst and writes what it still decides, as running
    // each to its end would have; the queue is then empty, and anything may look.
    void FinishAll();
    // ShowHighlight at the end of a burst that found no step: the frames drawn from the marks,
    // which the latest stopped burst may still decide.
    void ShowHighlightAfterNoStep();

private:
    // The fields a burst's rest writes, as bits.
    enum Field : unsigned {
        StepKindField = 1U << 0,    // Board.StepKind
        StepTargetField = 1U << 1,  // Board.StepTarget and StepDigit
        UnitMarksField = 1U << 2,   // Board.HighlightUnit and HighlightUnitType
        SquareMarkField = 1U << 3,  // Board.HighlightSquare
        ExplanationField = 1U << 4, // Board.Explanation
        SquareFrameField = 1U << 5, // frame 0's geometry, the frame in front, the blink timer
        UnitFrameField = 1U << 6,   // frame 1's geometry
        EveryField = (1U << 7) - 1,
    };
    static constexpr int Capacity = 4;
    struct Rest;

    // Before a write of owned fields: in Debug builds, that none has changed behind this
    // object's back while a burst is stopped.
    void BeforeWrite() const
    {
#ifndef NDEBUG
        assert((Live == 0 || OwnedFieldsUntouched()) && "an owned field written past the seal");
#endif
    }
    // `fields` were just written: no stopped burst owns them any longer.
    void Disown(unsigned fields)
    {
        if (Live != 0)
            DisownStopped(fields);
#ifndef NDEBUG
        NoteOwnedFields();
#endif
    }
    void DisownStopped(unsigned fields);
    [[nodiscard]] unsigned NewestOwns() const;
    [[nodiscard]] Rest WorkOutRest(int tail);
    unsigned WriteRest(const Rest &rest, int tail, unsigned fields);
#ifndef NDEBUG
    // The owned fields as this object last wrote or saw them.
    struct OwnedFields
    {
        PendingStepKind StepKind;
        int StepTarget, StepDigit, Square, Unit, UnitType;
        std::string Explanation;
        Rect SquareFrame, UnitFrame;
        int FrontFrame;
        bool TimerEnabled;
    };
    OwnedFields Seen{};
    void NoteOwnedFields();
    [[nodiscard]] bool OwnedFieldsUntouched() const;
#endif

    FormState &State;
    Shelf &Stock;
    int Depth;
    Shelf::Queue *Queue = nullptr; // taken from the shelf at the run's first stop
    int Live = 0;                  // stopped bursts in the queue
    bool JustStopped = false;
};

} // namespace quorix
