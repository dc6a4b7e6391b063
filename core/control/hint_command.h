// The Hint command: each press goes one rung further up the ladder of what the board needs
// first (a slip in the givens, a mistake, the next deduction), drawn with the window's own frames.
#pragma once

#include "core/control/control_state.h"
#include "hint/answer.h"

#include <string>

namespace quorix {

class HintCommand
{
public:
    explicit HintCommand(FormState &state) : State(state) {}
    HintCommand(const HintCommand &) = delete;
    HintCommand &operator=(const HintCommand &) = delete;

    // One press. Rungs 1 to 3 only show (status line, frames, marks); the last rung of a ladder
    // that acts carries its actions out the way a person's own entries go. A press on the board
    // the previous press left goes one rung further, any other starts at rung 1; after the last
    // rung the ladder starts again. While Auto runs it does nothing.
    void Press();

private:
    // The facts of `puzzle`, studied once and kept until another puzzle is asked about.
    const hint::PuzzleFacts &FactsOf(const std::string &puzzle);
    [[nodiscard]] hint::HintAnswer Answer(bool setup, int rung);
    void CarryOut(const hint::Rung &rung, bool setup, bool givenChanged);
    void GiveBackToPeers(int square, int digit);
    void Show(const hint::HintView &view);

    FormState &State;
    bool Studied = false;
    std::string StudiedPuzzle;
    hint::PuzzleFacts Facts;
};

// Whether the board is in setup form: some empty square shows its button (the puzzle is being
// entered), or no square is set and shown yet.
[[nodiscard]] bool InSetupForm(const BoardState &board, const ControlStore &controls);

} // namespace quorix
