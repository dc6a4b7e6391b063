// Singles: the two rules that place a digit, a square with one candidate and a digit with one
// place in a unit.
#include "deduce/rules.h"

namespace quorix {

bool FindSingleCandidate(const CandidateView &view, int digitFilter, FoundStep &step)
{
    // Digit outranks square: keep the lowest digit seen, and for it the first square. Only the
    // squares with one live candidate are visited, in ascending order.
    const DigitRange digits = AllowedDigits(digitFilter);
    int bestDigit = DigitCount;
    int bestSquare = -1;
    const auto visit = [&](std::uint64_t flags, int base) {
        for (; flags != 0; flags &= flags - 1) {
            const int s = base + std::countr_zero(flags);
            const int d = std::countr_zero(static_cast<unsigned>(view.Masks[s]));
            if (d >= digits.First && d <= digits.Last && d < bestDigit && view.IsOpen(s)) {
                bestDigit = d;
                bestSquare = s;
                if (d == digits.First)
                    return true;
            }
        }
        return false;
    };
    if (!visit(view.Singles.Low, 0))
        visit(view.Singles.High, 64);
    if (bestSquare < 0)
        return false;

    step.Kind = StepPlace;
    step.Target = bestSquare;
    step.Digit = bestDigit;
    step.Square = bestSquare;
    step.Unit = -1;
    step.UnitType = -1;
    step.Wording = StepWording::SingleCandidate;
    step.Numbers[0] = static_cast<std::uint8_t>(bestSquare);
    step.Numbers[1] = static_cast<std::uint8_t>(bestDigit);
    FinishWording(step);
    return true;
}

bool FindOnlyPlace(const CandidateView &view, int digitFilter, FoundStep &step)
{
    const DigitRange digits = AllowedDigits(digitFilter);
    for (int d = digits.First; d <= digits.Last; ++d) {
        // The units holding d exactly once, rows, then columns, then groups. A lone live place
        // counts even in a set square, but only an empty one is placed; set squares normally
        // hold no live candidate anyway.
        for (std::uint32_t units = view.OnceIn[d]; units != 0; units &= units - 1) {
            const int t = std::countr_zero(units) / 9;
            const int u = std::countr_zero(units) % 9;
            const auto &masks = view.Units[t * 9 + u].Masks;
            int p = 0;
            while (((masks[p] >> d) & 1U) == 0)
                ++p;
            const int s = UnitSquares[t][u][p];
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
    return false;
}

} // namespace quorix
