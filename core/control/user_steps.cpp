#include "core/control/user_steps.h"

#include "core/ground/status_texts.h"

namespace quorix {

int UserSteps::Undo(FormState &state)
{
    if (state.Dispatch.AutoDepth > 0)
        return -1;
    if (Steps.UndoSteps() == 0) {
        state.Controls.SetNews(news::NothingToUndo);
        return -1;
    }
    if (auto before = Steps.Undo({state.Controls, state.Board, state.Hint.Puzzle, state.Collection.Position}))
        return PutBack(state, std::move(*before));
    return -1;
}

int UserSteps::Redo(FormState &state)
{
    if (state.Dispatch.AutoDepth > 0)
        return -1;
    if (Steps.RedoSteps() == 0) {
        state.Controls.SetNews(news::NothingToRedo);
        return -1;
    }
    if (auto after = Steps.Redo({state.Controls, state.Board, state.Hint.Puzzle, state.Collection.Position}))
        return PutBack(state, std::move(*after));
    return -1;
}

int UserSteps::PutBack(FormState &state, HistoryEntry &&entry)
{
    // A square changed when its value or the digit its button shows did.
    int changed = -1;
    for (int s = 0; s < SquareCount; ++s) {
        if (entry.Board.Grid[s] == state.Board.Grid[s]
            && entry.Controls.Squares[s].Caption == state.Controls.Squares[s].Caption)
            continue;
        if (changed >= 0) {
            changed = -1;
            break;
        }
        changed = s;
    }
    state.Controls.Restore(std::move(entry.Controls));
    state.Board = std::move(entry.Board);
    state.Hint.Puzzle = std::move(entry.HintPuzzle);
    // A collection opened since holds other puzzles; its place stays within it.
    if (entry.CollectionPosition < state.Collection.Size())
        state.Collection.Position = entry.CollectionPosition;
    return changed;
}

} // namespace quorix
