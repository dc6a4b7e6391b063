// The command buttons: one click handler, a common prologue and a branch per command; and
// Paste, which lays a puzzle out as Reset and typing would.
#pragma once

#include "core/control/auto_loop.h"
#include "core/control/control_state.h"
#include "core/ground/platform.h"

#include <string_view>

namespace quorix {

class Dispatcher
{
public:
    Dispatcher(FormState &state, Platform &host, AutoLoop &autoLoop)
        : State(state), Host(host), Auto(autoLoop)
    {
    }
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    // A click on command button `index` (cmdMode_Click). Every click, nested ones included,
    // stops a running auto loop.
    void Click(int index);
    // The Check Unique command after the prologue: Auto again in the opposite guess order.
    void CheckUnique();
    // Reads `text` as a puzzle (see ParsePuzzleText) and lays it out as if the user had clicked
    // Reset and typed it: in setup form, or, for a candidate grid, started with every candidate
    // the grid leaves out struck. Refused text only says why on the status line.
    void Paste(std::string_view text);
    // Ends every running auto loop at its next cycle; used when the window closes.
    void RequestShutdown();

private:
    void RunPrologue();
    // Check and Next with too little entered: says so, lays the puzzle out in setup form again
    // and returns true; false for any other status.
    bool SendBackToSetup(BoardStatus status);
    void ClickCheck();
    void ClickNext();
    // Next once the pending step is carried out: the next step found and explained, or what
    // the check says when there is none.
    void ExplainNext();
    void ClickRestore();
    void ClickReset();
    void ClickRestart();

    FormState &State;
    Platform &Host;
    AutoLoop &Auto;
};

} // namespace quorix
