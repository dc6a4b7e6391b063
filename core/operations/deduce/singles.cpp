// Singles: the two rules that place a digit, a square with one candidate and a digit with one
// place in a unit.
#include "core/operations/deduce/rules.h"

namespace quorix {

bool FindSingleCandidate(const CandidateView &view, int digitFilter, FoundStep &step)
{
    // Digit outranks square: the lowest digit that is the last candidate of an empty square,
    // and for it the lowest such square.
    int digit, square;
    if (!LowestSingleCandidate(view, AllowedDigits(digitFilter).Mask(), digit, square))
        return false;
    RecordSingleCandidate(step, square, digit);
    return true;
}

bool FindOnlyPlace(const CandidateView &view, int digitFilter, FoundStep &step, unsigned &barren)
{
    const DigitRange digits = AllowedDigits(digitFilter);
    for (unsigned todo = digits.Mask() & ~barren; todo != 0; todo &= todo - 1) {
        const int d = std::countr_zero(todo);
        // The units holding d exactly once, rows, then columns, then groups. A lone live place
        // counts even in a set square, but only an empty one is placed; set squares normally
        // hold no live candidate anyway.
        for (int t = 0; t < 3; ++t) {
            for (UnitCounts units = view.UnitsHolding(d, t, 1); units != 0; units &= units - 1) {
                const int u = FlaggedUnit(units);
                const int s = (view.Places[d] & UnitSets[t][u]).Lowest();
                if (!view.IsOpen(s))
                    continue;

                step.Kind = StepPlace;
                step.Target = s;
                step.Digit = d;
                step.Square = s;
                step.Unit = u;
                step.UnitType = t;
                step.Wording = StepWording::OnlyPlace;
                step.Numbers[0] = static_cast<std::uint8_t>(t);
                step.Numbers[1] = static_cast<std::uint8_t>(u);
                step.Numbers[2] = static_cast<std::uint8_t>(d);
                FinishWording(step);
                return true;
            }
        }
        barren |= 1U << d;
    }
    return false;
}

bool FindOnlyPlace(const CandidateView &view, int digitFilter, FoundStep &step)
{
    unsigned barren = 0;
    return FindOnlyPlace(view, digitFilter, step, barren);
}

} // namespace quorix
