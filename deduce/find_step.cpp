// FindStep: the seven rules in their fixed order over one view of the board.
#include "deduce/rules.h"
#include "window/form1.h"

namespace quorix {

CandidateView::CandidateView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                             const std::array<std::int16_t, 82> &grid)
{
    // Only the nine candidate buttons of a square exist; anything above bit 8 is not a
    // candidate.
    for (int s = 0; s < SquareCount; ++s) {
        const auto mask = static_cast<std::uint16_t>(candidateBits[s] & AllCandidates);
        Masks[s] = mask;
        if (grid[s] < 0)
            Open.Add(s);
        // Visit live candidates only: mid-solve most of the 729 are gone.
        for (unsigned rest = mask; rest != 0; rest &= rest - 1)
            Places[std::countr_zero(rest)].Add(s);
    }
}

bool FindFirstStep(const CandidateView &view, std::int16_t digitFilter, FoundStep &step)
{
    return FindSingleCandidate(view, digitFilter, step) || FindOnlyPlace(view, digitFilter, step)
           || FindGroupToLine(view, digitFilter, step)
           || FindLineToGroup(view, digitFilter, UnitRow, step)
           || FindLineToGroup(view, digitFilter, UnitColumn, step) || FindPairs(view, step)
           || FindTriples(view, step);
}

bool Form1::FindStep(std::int16_t digitFilter)
{
    const CandidateView view(Controls.CandidateBits, Board.Grid);
    FoundStep step;
    if (!FindFirstStep(view, digitFilter, step))
        return false;
    Board.StepKind = step.Kind;
    Board.StepTarget = step.Target;
    Board.StepDigit = step.Digit;
    Board.HighlightSquare = step.Square;
    Board.HighlightUnit = step.Unit;
    Board.HighlightUnitType = step.UnitType;
    Board.Explanation = std::move(step.Explanation);
    return true;
}

} // namespace quorix
