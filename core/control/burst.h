// One burst of the auto loop: steps found and carried out one after another, with nothing else
// running between them, until no rule finds one.
#pragma once

#include "core/control/auto_carry.h"
#include "core/control/control_state.h"
#include "core/control/stopped_bursts.h"

namespace quorix {

class Burst
{
public:
    Burst(FormState &state, AutoCarry &carry, StoppedBursts &bursts)
        : State(state), Carry(carry), Bursts(bursts)
    {
    }

    // Runs the burst to its end, or stops it at its first dead square (see StoppedBursts).
    void Run();

private:
    // Single candidates, by far the most frequent steps, placed one after another as FindStep
    // would find them, the last one recorded; whether there was one. Needs the view current.
    bool PlaceSingles();
    // The next step, found through the view when it is current, recorded on the board.
    bool FindNext(bool throughView);
    // The frames the step leaves, or the burst's last frames once it has found nothing.
    void Frame(bool found, bool throughView);
    void CarryOut(bool found);
    // Stops the burst here if it may and a square is left with no candidate.
    bool StopHere();
    // The explanation of the burst's last step, if it was found through the view.
    void WordLastStep();

    FormState &State;
    AutoCarry &Carry;
    StoppedBursts &Bursts;
    // The burst may stop at a dead square (StoppedBursts): the carry knows the board, there is a
    // guess to go back to, and the queue has room.
    bool MayStop = false;
    bool AnyStep = false;
    // The last step found has its sentence still to be written.
    bool WordingDeferred = false;
    // The latest unit framed by a step found through the view, not yet drawn: a step found
    // through the view leaves the frames to the end of the burst, when only the latest unit
    // frame of the steps before can still show (every step frames a square).
    int DueUnit = -1;
    int DueUnitType = -1;
};

} // namespace quorix
