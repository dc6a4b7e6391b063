// Pointing and claiming: where a group and a line cross, a digit whose places in one of them
// all lie in the crossing is struck from the rest of the other.
//
// Pointing scans the groups in order, digits 1..9, the group's row before its column; claiming
// scans rows, then columns, digits 1..9.
#include "hint/finders.h"
#include "hint/wording.h"

namespace quorix::hint {

namespace {

// The row or column unit holding every square of `places`, or -1; rows first.
int LineHolding(SquareBits places)
{
    const int first = places.First();
    if (places.Within(UnitBits[RowUnit(RowOf(first))]))
        return RowUnit(RowOf(first));
    if (places.Within(UnitBits[ColumnUnit(ColumnOf(first))]))
        return ColumnUnit(ColumnOf(first));
    return -1;
}

void Fill(Technique kind, int digit, SquareBits places, SquareBits strikes, int inside, int outside,
          Step &step)
{
    step = Step{};
    step.Kind = kind;
    step.Name = std::string(NameOf(kind));
    for (int square : strikes)
        step.Strikes.push_back({static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
    step.Pattern = places;
    step.Units = {static_cast<std::uint8_t>(inside), static_cast<std::uint8_t>(outside)};
    step.Digit = digit;
    const std::string d = DigitName(digit);
    step.Sentence = "In " + UnitName(inside) + ", every place for " + ADigit(digit) + " is in "
                    + UnitName(outside) + ", so the " + d + " of " + UnitName(outside)
                    + " is one of them: strike " + d + " from " + SquareList(strikes) + ".";
}

} // namespace

bool FindPointing(const Position &position, Step &step)
{
    for (int group = GroupUnit(0); group < UnitCount; ++group)
        for (int digit = 0; digit < 9; ++digit) {
            const SquareBits places = position.Places(digit) & UnitBits[group];
            if (places.Count() < 2)
                continue;
            const int line = LineHolding(places);
            if (line < 0)
                continue;
            const SquareBits strikes = (position.Places(digit) & UnitBits[line]) - places;
            if (strikes.Any()) {
                Fill(Technique::Pointing, digit, places, strikes, group, line, step);
                return true;
            }
        }
    return false;
}

bool FindClaiming(const Position &position, Step &step)
{
    for (int line = 0; line < GroupUnit(0); ++line)
        for (int digit = 0; digit < 9; ++digit) {
            const SquareBits places = position.Places(digit) & UnitBits[line];
            if (places.Count() < 2)
                continue;
            const int group = GroupUnit(GroupOf(places.First()));
            if (!places.Within(UnitBits[group]))
                continue;
            const SquareBits strikes = (position.Places(digit) & UnitBits[group]) - places;
            if (strikes.Any()) {
                Fill(Technique::Claiming, digit, places, strikes, line, group, step);
                return true;
            }
        }
    return false;
}

} // namespace quorix::hint
