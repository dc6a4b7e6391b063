// FindStep: the rules in their fixed order over one view of the board.
#include "deduce/burst_view.h"
#include "deduce/rules.h"
#include "window/form1.h"

namespace quorix {

CandidateView::CandidateView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                             const std::array<std::int16_t, 82> &grid, Part upTo)
    : Grid(&grid)
{
    Load(candidateBits, upTo);
}

void CandidateView::Load(const std::array<std::uint16_t, SquareCount> &candidateBits, Part upTo)
{
    UnitsBuilt = false;
    PlacesBuilt = false;
    // Only the nine candidate buttons of a square exist; anything above bit 8 is not a
    // candidate.
    for (int s = 0; s < SquareCount; ++s)
        Masks[s] = static_cast<std::uint16_t>(candidateBits[s] & AllCandidates);
    // Singles flagged branch-free, the 64 squares of the low word and then the rest.
    const auto single = [this](int s) -> std::uint64_t {
        const unsigned mask = Masks[s];
        return (mask != 0) & ((mask & (mask - 1)) == 0);
    };
    Singles = {};
    for (int s = 0; s < 64; ++s)
        Singles.Low |= single(s) << s;
    for (int s = 64; s < SquareCount; ++s)
        Singles.High |= single(s) << (s - 64);
    Build(upTo);
}

void CandidateView::Build(Part upTo)
{
    if (upTo >= Part::Units && !UnitsBuilt) {
        UnitsBuilt = true;
        for (int k = 0; k < 27; ++k) {
            // Counted in locals: stores to the unit's masks could alias them. Each square adds
            // one to the count of each of its digits, a ripple-carry add across the planes.
            unsigned c0 = 0, c1 = 0, c2 = 0, c3 = 0;
            const auto &squares = UnitSquares[k / 9][k % 9];
            for (int p = 0; p < 9; ++p) {
                unsigned carry = Masks[squares[p]];
                Units[k].Masks[p] = static_cast<std::uint16_t>(carry);
                c0 ^= carry;
                carry &= ~c0;
                c1 ^= carry;
                carry &= ~c1;
                c2 ^= carry;
                carry &= ~c2;
                c3 ^= carry;
            }
            auto &unit = Units[k];
            unit.Count = {c0, c1, c2, c3};
        }
        DeriveUnitSets();
    }
    if (upTo >= Part::Places && !PlacesBuilt) {
        PlacesBuilt = true;
        Places = {};
        // Visit live candidates only: mid-solve most of the 729 are gone.
        for (int s = 0; s < SquareCount; ++s)
            for (unsigned rest = Masks[s]; rest != 0; rest &= rest - 1)
                Places[std::countr_zero(rest)].Add(s);
    }
}

void CandidateView::DeriveUnitSets(std::uint32_t units)
{
    for (int d = 0; d < DigitCount; ++d) {
        OnceIn[d] &= ~units;
        TwiceIn[d] &= ~units;
    }
    for (; units != 0; units &= units - 1) {
        const int k = std::countr_zero(units);
        // Exactly once: count 1; exactly twice: count 2.
        const auto &count = Units[k].Count;
        const unsigned fewerThanTwo = ~(count[1] | count[2] | count[3]);
        for (unsigned once = count[0] & fewerThanTwo; once != 0; once &= once - 1)
            OnceIn[std::countr_zero(once)] |= 1U << k;
        for (unsigned twice = count[1] & ~(count[0] | count[2] | count[3]); twice != 0;
             twice &= twice - 1)
            TwiceIn[std::countr_zero(twice)] |= 1U << k;
    }
}

bool CandidateView::SameCandidates(const CandidateView &other, bool unitSets) const
{
    return Masks == other.Masks && Singles == other.Singles && Places == other.Places
           && Units == other.Units
           && (!unitSets || (OnceIn == other.OnceIn && TwiceIn == other.TwiceIn));
}

bool Form1::FindStep(int digitFilter)
{
    FoundStep step;
    if (!FindStepAfresh(Controls.CandidateBits, Board.Grid, digitFilter, step))
        return false;
    RecordStep(step);
    Board.Explanation = std::move(step.Explanation);
    return true;
}

bool BurstView::FindStep(int digitFilter, FoundStep &step)
{
    assert(MatchesStore() && "the burst view must follow the store");
    if (FindSingleCandidate(Current, digitFilter, step))
        return true;
    DeriveUnitSets();
    assert(MatchesStore());
    return FindOnlyPlace(Current, digitFilter, step) || FindGroupToLine(digitFilter, step)
           || FindLineToGroup(digitFilter, UnitRow, step)
           || FindLineToGroup(digitFilter, UnitColumn, step) || FindPairs(step)
           || FindTriples(step);
}

bool Form1::FindStep(int digitFilter, BurstView &view, FoundStep &step)
{
    // Debug builds word every step as well, so that the auto loop can check that a step worded
    // late reads as it would at once.
#ifdef NDEBUG
    step.WordNow = false;
#else
    step.WordNow = true;
#endif
    if (!view.FindStep(digitFilter, step))
        return false;
    RecordStep(step);
#ifndef NDEBUG
    Board.Explanation = step.Explanation;
#endif
    return true;
}

void Form1::RecordStep(const FoundStep &step)
{
    Board.StepKind = step.Kind;
    Board.StepTarget = step.Target;
    Board.StepDigit = step.Digit;
    Board.HighlightSquare = step.Square;
    Board.HighlightUnit = step.Unit;
    Board.HighlightUnitType = step.UnitType;
}

bool FindStepAfresh(const std::array<std::uint16_t, SquareCount> &candidateBits,
                    const std::array<std::int16_t, 82> &grid, int digitFilter, FoundStep &step)
{
    // Most steps are singles: build the rest of the view only when they are not found.
    CandidateView view(candidateBits, grid, CandidateView::Part::Squares);
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
    return found;
}

} // namespace quorix
