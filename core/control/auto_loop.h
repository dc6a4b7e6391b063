// The auto loop: deduce, check, guess or backtrack, until solved, exhausted or stopped.
#pragma once

#include "core/control/control_state.h"
#include "core/control/stopped_bursts.h"
#include "core/ground/platform.h"

namespace quorix {

struct AutoCarry;

class AutoLoop
{
public:
    AutoLoop(FormState &state, Platform &host) : State(state), Host(host) {}
    AutoLoop(const AutoLoop &) = delete;
    AutoLoop &operator=(const AutoLoop &) = delete;

    // One auto run (RunAuto). A run started inside another run's yield searches on a stack of
    // its own and gives the outer run its guesses back unchanged.
    void Run();

private:
    [[nodiscard]] BoardStatus StartRun();
    [[nodiscard]] BoardStatus RunCycles(BoardStatus status);
    // The check after a burst, and with it the status the cycle ends with.
    [[nodiscard]] BoardStatus CheckAfterBurst(AutoCarry &carry, StoppedBursts &bursts);
    // Lets pending window events run; what the loop knows of the board survives it when the
    // board comes back unchanged.
    void YieldToWindow(AutoCarry &carry, StoppedBursts &bursts);
    void FinishRun(BoardStatus status);

    FormState &State;
    Platform &Host;
    StoppedBursts::Shelf Stopped;
};

} // namespace quorix
