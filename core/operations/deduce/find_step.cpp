#include "core/operations/deduce/find_step.h"

namespace quorix {

bool FindStep(BoardState &board, const ControlStore &controls, int digitFilter)
{
    FoundStep step;
    if (!FindStepAfresh(controls.CandidateBits, board.Grid, digitFilter, step))
        return false;
    RecordStep(board, step);
    board.Explanation = std::move(step.Explanation);
    return true;
}

bool FindStepAfresh(const std::array<std::uint16_t, SquareCount> &candidateBits,
                    const std::array<std::int16_t, 82> &grid, int digitFilter, FoundStep &step)
{
    const CandidateView view(candidateBits, grid);
    return FindSingleCandidate(view, digitFilter, step) || FindOnlyPlace(view, digitFilter, step)
           || FindGroupToLine(view, digitFilter, step)
           || FindLineToGroup(view, digitFilter, UnitRow, step)
           || FindLineToGroup(view, digitFilter, UnitColumn, step) || FindPairs(view, step)
           || FindTriples(view, step);
}

} // namespace quorix
