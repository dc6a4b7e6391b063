#include "core/control/user_steps.h"

#include "core/ground/status_texts.h"

namespace quorix {

void UserSteps::Undo(FormState &state)
{
    if (state.Dispatch.AutoDepth > 0)
        return;
    if (Steps.UndoSteps() == 0) {
        state.Controls.SetNews(news::NothingToUndo);
        return;
    }
    if (auto before = Steps.Undo({state.Controls, state.Board, state.Hint.Puzzle}))
        PutBack(state, std::move(*before));
}

void UserSteps::Redo(FormState &state)
{
    if (state.Dispatch.AutoDepth > 0)
        return;
    if (Steps.RedoSteps() == 0) {
        state.Controls.SetNews(news::NothingToRedo);
        return;
    }
    if (auto after = Steps.Redo({state.Controls, state.Board, state.Hint.Puzzle}))
        PutBack(state, std::move(*after));
}

void UserSteps::PutBack(FormState &state, HistoryEntry &&entry)
{
    state.Controls.Restore(std::move(entry.Controls));
    state.Board = std::move(entry.Board);
    state.Hint.Puzzle = std::move(entry.HintPuzzle);
}

} // namespace quorix
