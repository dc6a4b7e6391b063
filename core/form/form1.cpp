#include "core/form/form1.h"

#include <cassert>

namespace quorix {

Form1::Form1(Platform &platform) : PlatformRef(platform)
{
    platform.Attach(Owned.Controls);
    LayOutWindow(Owned.Controls);
}

void Form1::Seed(FormState state)
{
    assert(state.Dispatch.AutoDepth == Owned.Dispatch.AutoDepth
           && "the auto runs in progress are the window's, not the seed's");
    Owned.Controls.Restore(std::move(state.Controls));
    Owned.Board = std::move(state.Board);
    Owned.Snapshots = state.Snapshots;
    Owned.Guesses = state.Guesses;
    Owned.Dispatch = state.Dispatch;
    Owned.Unique = state.Unique;
    Owned.Stats = state.Stats;
    Owned.Hint = std::move(state.Hint);
    Owned.Collection = std::move(state.Collection);
}

void Form1::Resume(SavedGame game)
{
    assert(Owned.Dispatch.AutoDepth == 0 && "a saved game is put back between runs");
    Seed(std::move(game.State));
    Steps.ReplaceHistory(std::move(game.Past), std::move(game.Future));
}

void TypePuzzle(Form1 &form, std::string_view puzzle)
{
    for (int s = 0; s < SquareCount && s < static_cast<int>(puzzle.size()); ++s) {
        const char c = puzzle[s] == '.' ? '0' : puzzle[s];
        form.cmdSquare_KeyPress(s, static_cast<unsigned char>(c));
    }
}

} // namespace quorix
