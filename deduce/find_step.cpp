// FindStep: the seven rules in their fixed order over one view of the board.
#include "deduce/rules.h"
#include "window/form1.h"

namespace quorix {

CandidateView::CandidateView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                             const std::array<std::int16_t, 82> &grid, Part upTo)
    : Grid(&grid)
{
    // Only the nine candidate buttons of a square exist; anything above bit 8 is not a
    // candidate.
    for (int s = 0; s < SquareCount; ++s)
        Masks[s] = static_cast<std::uint16_t>(candidateBits[s] & AllCandidates);
    Build(upTo);
}

void CandidateView::Build(Part upTo)
{
    if (upTo >= Part::Units && !UnitsBuilt) {
        UnitsBuilt = true;
        for (int k = 0; k < 27; ++k) {
            // Counted in locals: stores to the unit's masks could alias them.
            unsigned a0 = 0, a1 = 0, a2 = 0, a3 = 0;
            const auto &squares = UnitSquares[k / 9][k % 9];
            for (int p = 0; p < 9; ++p) {
                const unsigned mask = Masks[squares[p]];
                Units[k].Masks[p] = static_cast<std::uint16_t>(mask);
                a3 |= a2 & mask;
                a2 |= a1 & mask;
                a1 |= a0 & mask;
                a0 |= mask;
            }
            Units[k].AtLeast = {static_cast<std::uint16_t>(a0), static_cast<std::uint16_t>(a1),
                                static_cast<std::uint16_t>(a2), static_cast<std::uint16_t>(a3)};
            for (unsigned once = a0 & ~a1; once != 0; once &= once - 1)
                OnceIn[std::countr_zero(once)] |= 1U << k;
            for (unsigned twice = a1 & ~a2; twice != 0; twice &= twice - 1)
                TwiceIn[std::countr_zero(twice)] |= 1U << k;
        }
    }
    if (upTo >= Part::Places && !PlacesBuilt) {
        PlacesBuilt = true;
        // Visit live candidates only: mid-solve most of the 729 are gone.
        for (int s = 0; s < SquareCount; ++s)
            for (unsigned rest = Masks[s]; rest != 0; rest &= rest - 1)
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
    // Most steps are singles: build the rest of the view only when they are not found.
    CandidateView view(Controls.CandidateBits, Board.Grid, CandidateView::Part::Squares);
    // Kept between calls so that wording a step reuses the text's storage.
    static thread_local FoundStep step;
    bool found = FindSingleCandidate(view, digitFilter, step);
    if (!found) {
        view.Build(CandidateView::Part::Units);
        found = FindOnlyPlace(view, digitFilter, step);
    }
    if (!found) {
        view.Build(CandidateView::Part::Places);
        found = FindGroupToLine(view, digitFilter, step)
                || FindLineToGroup(view, digitFilter, UnitRow, step)
                || FindLineToGroup(view, digitFilter, UnitColumn, step) || FindPairs(view, step)
                || FindTriples(view, step);
    }
    if (!found)
        return false;
    Board.StepKind = step.Kind;
    Board.StepTarget = step.Target;
    Board.StepDigit = step.Digit;
    Board.HighlightSquare = step.Square;
    Board.HighlightUnit = step.Unit;
    Board.HighlightUnitType = step.UnitType;
    Board.Explanation.assign(step.Explanation);
    return true;
}

} // namespace quorix
