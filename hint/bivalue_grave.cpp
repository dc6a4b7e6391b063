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

// The digit that has three places in every unit of `extra`, when every other count in every
// unit is none or two; -1 when the board is no such grave.
int ExtraDigit(const Position &position, int extra)
{
    int extraDigit = -1;
    for (int unit = 0; unit < UnitCount; ++unit) {
        const bool ofExtra = UnitBits[unit].Has(extra);
        bool three = false;
        for (int digit = 0; digit < 9; ++digit) {
            const int count = (position.Places(digit) & UnitBits[unit]).Count();
            if (count == 0 || count == 2)
                continue;
            if (!ofExtra || count != 3 || three || (extraDigit >= 0 && digit != extraDigit))
                return -1;
            three = true;
            extraDigit = digit;
        }
        if (ofExtra && !three)
            return -1;
    }
    return extraDigit >= 0 && position.HasCandidate(extra, extraDigit) ? extraDigit : -1;
}

} // namespace

bool FindBivalueGrave(const Position &position, Step &step)
{
    const int extra = (position.EmptySquares() - position.WithCandidateCount(2)).Single();
    if (extra < 0 || std::popcount(static_cast<unsigned>(position.Candidates(extra))) != 3)
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
