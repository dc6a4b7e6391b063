// The user's steps: each input of the user's taken as one step of the undo history, and Undo
// and Redo, which put a step's board back whole.
#pragma once

#include "core/control/control_state.h"
#include "core/control/undo_history.h"

#include <utility>

namespace quorix {

class UserSteps
{
public:
    // Runs `action`, one input of the user's, as one step of the undo history: what stood
    // before it is kept when it changed the board (values, givens, which squares and candidates
    // show). Input that arrives while Auto runs, or within another input, belongs to that step.
    template <typename Action> void Run(FormState &state, Action &&action);
    // Take back the latest step, or do again the step taken back last; the status line says so
    // when there is none. Neither does anything while Auto runs. Each returns the square whose
    // value the step changed, where it changed exactly one (a square typed, emptied or placed by
    // a deduction), so that the focus can go back to it; -1 otherwise.
    int Undo(FormState &state);
    int Redo(FormState &state);

    [[nodiscard]] const UndoHistory &History() const { return Steps; }
    void ReplaceHistory(std::deque<HistoryEntry> past, std::deque<HistoryEntry> future)
    {
        Steps.Replace(std::move(past), std::move(future));
    }

private:
    static int PutBack(FormState &state, HistoryEntry &&entry);

    UndoHistory Steps;
    bool Open = false; // a step is running
};

template <typename Action> void UserSteps::Run(FormState &state, Action &&action)
{
    if (state.Dispatch.AutoDepth > 0 || Open) {
        std::forward<Action>(action)();
        return;
    }
    Open = true;
    HistoryEntry before{state.Controls, state.Board, state.Hint.Puzzle, state.Collection.Position};
    std::forward<Action>(action)();
    Open = false;
    if (!before.SameBoard(state.Controls, state.Board))
        Steps.Push(std::move(before));
}

} // namespace quorix
