// Intersections: a digit confined to two squares of one unit that also share a second unit can
// go from every other square of that second unit.
#include "core/operations/deduce/rules.h"

namespace quorix {

namespace {

// Each square's row, column and group (each 0..8), with room for every bit index of a square
// set, so that a lookup needs no bounds check: the squares of a confinement are never missing,
// but the compiler cannot know.
struct UnitIndexes
{
    std::uint8_t Row, Column, Group;
};
constexpr auto UnitIndexesOfBit = [] {
    std::array<UnitIndexes, 128> table{};
    for (int s = 0; s < SquareCount; ++s)
        table[s] = {static_cast<std::uint8_t>(s / 9), static_cast<std::uint8_t>(s % 9),
                    static_cast<std::uint8_t>(GroupOfSquare(s))};
    return table;
}();

UnitIndexes UnitsOf(int square)
{
    return UnitIndexesOfBit[static_cast<unsigned>(square) & 127U];
}

// The strike of a confinement: the square of `target` at the highest position where d is
// alive, other than the two confining squares; -1 when there is none.
int StrikeSquare(const CandidateView &view, int d, SquareSet target, SquareSet pair)
{
    const SquareSet rest = (view.Places[d] & target) - pair;
    return rest.IsEmpty() ? -1 : rest.Highest();
}

void RecordStrike(FoundStep &step, int square, int d, int unit, int unitType, StepWording wording)
{
    SetStrike(step, square, d, unit, unitType);
    step.Wording = wording;
    step.Numbers[0] = static_cast<std::uint8_t>(d);
    step.Numbers[1] = static_cast<std::uint8_t>(unit);
    step.Numbers[2] = static_cast<std::uint8_t>(square);
    FinishWording(step);
}

} // namespace

// Whether the two squares of a confinement lead to a strike varies from unit to unit without a
// pattern that branch prediction could learn, so each unit's answer is put together without a
// branch, as a bit of `hits`, and only the first unit with a step is looked at again to record
// it. That costs more instructions than stopping early, and saves more time.

bool FindGroupToLine(const CandidateView &view, int digitFilter, FoundStep &step,
                     IntersectionMemo &memo)
{
    const DigitRange digits = AllowedDigits(digitFilter);
    for (unsigned todo = digits.Mask() & ~memo.Digits; todo != 0; todo &= todo - 1) {
        const int d = std::countr_zero(todo);
        const SquareSet places = view.Places[d];
        // Groups holding d exactly twice, in the same column or else in the same row, with d
        // alive elsewhere in that line; those searched in vain before are passed over.
        const UnitCounts twice = view.UnitsHolding(d, UnitGroup, 2);
        unsigned hits = 0;
        for (UnitCounts groups = twice & ~memo.Twice[d]; groups != 0; groups &= groups - 1) {
            const int g = FlaggedUnit(groups);
            const SquareSet pair = places & UnitSets[UnitGroup][g];
            const UnitIndexes first = UnitsOf(pair.Lowest());
            const UnitIndexes second = UnitsOf(pair.Highest());
            const bool column = first.Column == second.Column;
            const bool row = first.Row == second.Row;
            // The line holds both squares, so d is alive elsewhere in it when it counts more.
            const bool columnRest = view.CountIn(d, UnitColumn, first.Column) > 2;
            const bool rowRest = view.CountIn(d, UnitRow, first.Row) > 2;
            hits |= static_cast<unsigned>((column & columnRest) | (row & rowRest)) << g;
        }
        if (hits != 0) {
            const int g = std::countr_zero(hits);
            const SquareSet pair = places & UnitSets[UnitGroup][g];
            const UnitIndexes first = UnitsOf(pair.Lowest());
            if (first.Column == UnitsOf(pair.Highest()).Column) {
                const int s = StrikeSquare(view, d, UnitSets[UnitColumn][first.Column], pair);
                RecordStrike(step, s, d, g, UnitGroup, StepWording::GroupToColumn);
            } else {
                const int s = StrikeSquare(view, d, UnitSets[UnitRow][first.Row], pair);
                RecordStrike(step, s, d, g, UnitGroup, StepWording::GroupToRow);
            }
            return true;
        }
        memo.Digits |= 1U << d;
        memo.Twice[d] = twice;
    }
    return false;
}

bool FindLineToGroup(const CandidateView &view, int digitFilter, UnitType lineType, FoundStep &step,
                     IntersectionMemo &memo)
{
    assert((lineType == UnitRow || lineType == UnitColumn) && "lines are rows or columns");
    const StepWording wording =
        lineType == UnitRow ? StepWording::RowToGroup : StepWording::ColumnToGroup;
    const DigitRange digits = AllowedDigits(digitFilter);
    for (unsigned todo = digits.Mask() & ~memo.Digits; todo != 0; todo &= todo - 1) {
        const int d = std::countr_zero(todo);
        const SquareSet places = view.Places[d];
        // Lines holding d exactly twice, in one group, with d alive elsewhere in that group;
        // those searched in vain before are passed over.
        const UnitCounts twice = view.UnitsHolding(d, lineType, 2);
        unsigned hits = 0;
        for (UnitCounts lines = twice & ~memo.Twice[d]; lines != 0; lines &= lines - 1) {
            const int line = FlaggedUnit(lines);
            const SquareSet pair = places & UnitSets[lineType][line];
            const int group = UnitsOf(pair.Lowest()).Group;
            const bool shared = group == UnitsOf(pair.Highest()).Group;
            const bool rest = view.CountIn(d, UnitGroup, group) > 2;
            hits |= static_cast<unsigned>(shared & rest) << line;
        }
        if (hits != 0) {
            const int line = std::countr_zero(hits);
            const SquareSet pair = places & UnitSets[lineType][line];
            const int s =
                StrikeSquare(view, d, UnitSets[UnitGroup][UnitsOf(pair.Lowest()).Group], pair);
            RecordStrike(step, s, d, line, lineType, wording);
            return true;
        }
        memo.Digits |= 1U << d;
        memo.Twice[d] = twice;
    }
    return false;
}

bool FindGroupToLine(const CandidateView &view, int digitFilter, FoundStep &step)
{
    IntersectionMemo memo;
    return FindGroupToLine(view, digitFilter, step, memo);
}

bool FindLineToGroup(const CandidateView &view, int digitFilter, UnitType lineType, FoundStep &step)
{
    IntersectionMemo memo;
    return FindLineToGroup(view, digitFilter, lineType, step, memo);
}

} // namespace quorix
