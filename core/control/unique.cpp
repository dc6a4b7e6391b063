#include "core/control/unique.h"

#include "core/control/snapshots.h"
#include "core/ground/status_texts.h"

#include <algorithm>

namespace quorix {

void PrepareUniqueCheck(FormState &state)
{
    UniqueState &unique = state.Unique;
    std::copy_n(state.Board.Grid.begin(), SquareCount, unique.FirstSolution.begin());
    unique.ReverseGuessOrder = !unique.ReverseGuessOrder;
    unique.LastVerdict = UniqueVerdict::None;
    RestoreSnapshot(state, 0);
    // No status unless the Auto click that follows runs an auto run of its own (it may find too
    // many running already).
    state.Dispatch.LastAutoStatus = {};
}

void JudgeUniqueCheck(FormState &state)
{
    if (state.Dispatch.LastAutoStatus != StatusSolved)
        return;
    UniqueState &unique = state.Unique;
    const bool same =
        std::equal(unique.FirstSolution.begin(), unique.FirstSolution.begin() + SquareCount,
                   state.Board.Grid.begin());
    unique.LastVerdict = same ? UniqueVerdict::Unique : UniqueVerdict::AnotherSolution;
    state.Controls.SetNews(same ? news::Unique : news::NotUnique);
}

} // namespace quorix
