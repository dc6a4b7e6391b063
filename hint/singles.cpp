// Full house, hidden single and naked single.
#include "hint/finders.h"
#include "hint/wording.h"

#include <bit>

namespace quorix::hint {

namespace {

void SetOne(Technique kind, int square, int digit, int unit, Step &step)
{
    step = Step{};
    step.Kind = kind;
    step.Name = std::string(NameOf(kind));
    step.Sets.push_back({static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
    step.Pattern = SquareBits::Of(square);
    if (unit >= 0)
        step.Units.push_back(static_cast<std::uint8_t>(unit));
    step.Digit = digit;
}

} // namespace

bool FindFullHouse(const Position &position, Step &step)
{
    for (int unit : GroupsRowsColumns) {
        const int square = (position.EmptySquares() & UnitBits[unit]).Single();
        if (square < 0 || BitCount9(position.Candidates(square)) != 1)
            continue;
        const int digit = std::countr_zero(position.Candidates(square));
        SetOne(Technique::FullHouse, square, digit, unit, step);
        step.Sentence = Capitalised(SquareName(square)) + " is the only empty square left in "
                        + UnitName(unit) + ", so it takes the one digit missing there, "
                        + DigitName(digit) + ".";
        return true;
    }
    return false;
}

bool FindHiddenSingle(const Position &position, Step &step)
{
    for (int unit : GroupsRowsColumns)
        for (int digit = 0; digit < 9; ++digit) {
            const int square = (position.Places(digit) & UnitBits[unit]).Single();
            if (square < 0)
                continue;
            SetOne(Technique::HiddenSingle, square, digit, unit, step);
            step.Sentence = "In " + UnitName(unit) + ", the " + DigitName(digit)
                            + " has only one place left: " + SquareName(square) + ".";
            return true;
        }
    return false;
}

bool FindNakedSingle(const Position &position, Step &step)
{
    for (int square : position.WithCandidateCount(1)) {
        const int digit = std::countr_zero(position.Candidates(square));
        SetOne(Technique::NakedSingle, square, digit, -1, step);
        step.Sentence = Capitalised(SquareName(square)) + " has only one candidate left, so it is "
                        + DigitName(digit) + ".";
        return true;
    }
    return false;
}

} // namespace quorix::hint
