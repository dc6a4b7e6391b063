// The command buttons: one click handler, a common prologue and a branch per command; and
// Paste, which lays a puzzle out as Reset and typing would.
#pragma once

#include "core/control/auto_loop.h"
#include "core/control/control_state.h"
#include "core/ground/platform.h"

#include <iosfwd>
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
    // the grid leaves out struck; the status line then names the first square left with no
    // candidate, in the words of the check. Refused text only says why on the status line.
    void Paste(std::string_view text);
    // Pastes the text of a file (a dropped one) read within bounds (see ReadPuzzleFileText); a
    // file that cannot be a puzzle is refused with the reason, like text that is none.
    void PasteFile(std::istream &file);
    // Opens a file named `name`, read as PasteFile reads it: a collection (SplitCollection)
    // shows its puzzle on file line `line` (its first where there is none); a file with one
    // line that is a whole puzzle pastes that line; anything else is pasted whole.
    void OpenFile(std::istream &file, std::string name, int line = 0);
    // Pastes puzzle `index` of the collection; false, changing nothing, where there is none.
    bool ShowPuzzle(int index);
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
