// The bivalue grave with one extra square. When every empty square has two candidates and every
// candidate has two places in each unit where it is open, the solutions come in pairs (each
// square taking its other candidate gives another), so there is none or more than one. With one
// square of three candidates whose units hold one digit three times, that square must be the
// digit: anything else leaves such a board. Holds only on a puzzle with a single solution.
//
// There is at most one such square, so there is no search order to speak of.
#include "hint/finders.h"
#include "hint/pattern_support.h"
#include "hint/wording.h"

#include <bit>

namespace quorix::hint {

namespace {

// The digit z of `extra` such that, were z struck there, every digit would have none or two
// places in every unit: the board would be a grave, all pairs. -1 when there is none. Such a z
// has three places in each unit of `extra`, so it is the one with three in its row.
int ExtraDigit(const Position &position, int extra)
{
    const SquareBits row = UnitBits[RowUnit(RowOf(extra))];
    int extraDigit = -1;
    for (int digit = 0; digit < 9; ++digit) {
        if (!position.HasCandidate(extra, digit) || (position.Places(digit) & row).Count() != 3)
            continue;
        if (extraDigit >= 0)
            return -1;
        extraDigit = digit;
    }
    if (extraDigit < 0)
        return -1;
    for (int digit = 0; digit < 9; ++digit) {
        SquareBits places = position.Places(digit);
        if (digit == extraDigit)
            places.Remove(extra);
        for (const SquareBits &unit : UnitBits) {
            const int count = (places & unit).Count();
            if (count != 0 && count != 2)
                return -1;
        }
    }
    return extraDigit;
}

} // namespace

bool FindBivalueGrave(const Position &position, Step &step)
{
    const int extra = (position.EmptySquares() - position.WithCandidateCount(2)).Single();
    if (extra < 0 || BitCount9(position.Candidates(extra)) != 3)
        return false;
    const int digit = ExtraDigit(position, extra);
    if (digit < 0)
        return false;
    step = StartStep(Technique::BivalueGrave, SquareBits::Of(extra), digit);
    step.Sets.push_back({static_cast<std::int8_t>(extra), static_cast<std::int8_t>(digit)});
    for (int unit : UnitsOfSquare[extra])
        step.Units.push_back(static_cast<std::uint8_t>(unit));
    const std::string name = SquareName(extra);
    step.Sentence = "Every empty square but " + name
                    + " can only be one of two digits, and every digit has exactly two places in "
                      "each row, column and group where it is still open, except the "
                    + DigitName(digit) + ", which has three in the row, column and group of " + name
                    + ": were that square anything but " + DigitName(digit)
                    + ", the board would have no solution or more than one, so, as the puzzle "
                      "has a single solution, "
                    + name + " is " + DigitName(digit) + ".";
    return true;
}

} // namespace quorix::hint
