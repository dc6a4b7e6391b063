// Intersections: a digit confined to two squares of one unit that also share a second unit can
// go from every other square of that second unit.
#include "deduce/rules.h"

namespace quorix {

namespace {

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

bool FindGroupToLine(const CandidateView &view, int digitFilter, FoundStep &step, unsigned &barren)
{
    const DigitRange digits = AllowedDigits(digitFilter);
    for (unsigned todo = digits.Mask() & ~barren; todo != 0; todo &= todo - 1) {
        const int d = std::countr_zero(todo);
        // Groups holding d exactly twice.
        for (UnitCounts groups = view.UnitsHolding(d, UnitGroup, 2); groups != 0;
             groups &= groups - 1) {
            const int g = FlaggedUnit(groups);
            const SquareSet pair = view.Places[d] & UnitSets[UnitGroup][g];
            const int first = pair.Lowest();
            const int second = pair.Highest();
            if (first % 9 == second % 9) {
                const int s = StrikeSquare(view, d, UnitSets[UnitColumn][first % 9], pair);
                if (s >= 0) {
                    RecordStrike(step, s, d, g, UnitGroup, StepWording::GroupToColumn);
                    return true;
                }
            } else if (first / 9 == second / 9) {
                const int s = StrikeSquare(view, d, UnitSets[UnitRow][first / 9], pair);
                if (s >= 0) {
                    RecordStrike(step, s, d, g, UnitGroup, StepWording::GroupToRow);
                    return true;
                }
            }
        }
        barren |= 1U << d;
    }
    return false;
}

bool FindLineToGroup(const CandidateView &view, int digitFilter, UnitType lineType, FoundStep &step,
                     unsigned &barren)
{
    assert((lineType == UnitRow || lineType == UnitColumn) && "lines are rows or columns");
    // Two squares of a row share a group when they share a band of three columns; two squares
    // of a column, when they share a band of three rows.
    const int band = lineType == UnitRow ? 3 : 27;
    const StepWording wording =
        lineType == UnitRow ? StepWording::RowToGroup : StepWording::ColumnToGroup;
    const DigitRange digits = AllowedDigits(digitFilter);
    for (unsigned todo = digits.Mask() & ~barren; todo != 0; todo &= todo - 1) {
        const int d = std::countr_zero(todo);
        for (UnitCounts lines = view.UnitsHolding(d, lineType, 2); lines != 0; lines &= lines - 1) {
            const int line = FlaggedUnit(lines);
            const SquareSet pair = view.Places[d] & UnitSets[lineType][line];
            const int first = pair.Lowest();
            if (first / band != pair.Highest() / band)
                continue;
            const int s = StrikeSquare(view, d, UnitSets[UnitGroup][GroupOfSquare(first)], pair);
            if (s >= 0) {
                RecordStrike(step, s, d, line, lineType, wording);
                return true;
            }
        }
        barren |= 1U << d;
    }
    return false;
}

bool FindGroupToLine(const CandidateView &view, int digitFilter, FoundStep &step)
{
    unsigned barren = 0;
    return FindGroupToLine(view, digitFilter, step, barren);
}

bool FindLineToGroup(const CandidateView &view, int digitFilter, UnitType lineType, FoundStep &step)
{
    unsigned barren = 0;
    return FindLineToGroup(view, digitFilter, lineType, step, barren);
}

} // namespace quorix
