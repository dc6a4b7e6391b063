// XY-Wing: a pivot {x,y} seeing two pincers {x,z} and {y,z}; whichever digit the pivot takes,
// one pincer is z, so a square that sees both pincers cannot be z.
//
// Search order: pivots by ascending square; for each, the pincer holding the pivot's shared
// digit by ascending square, then its partner by ascending square.
#include "hint/finders.h"
#include "hint/pattern_support.h"
#include "hint/wording.h"

#include <bit>
#include <utility>

namespace quorix::hint {

namespace {

// "if 3, row 5, column 1 (3 or 9) is 9": the pincer that the pivot's digit `x` forces to z.
std::string Branch(const Position &position, int x, int pincer, int z)
{
    return "if " + DigitName(x) + ", " + SquareWithChoices(position, pincer) + " is "
           + DigitName(z);
}

void Fill(const Position &position, int pivot, int first, int second, int z, SquareBits targets,
          Step &step)
{
    const DigitMask pivotMask = position.Candidates(pivot);
    int x = OnlyDigit(pivotMask & position.Candidates(first));
    int y = OnlyDigit(pivotMask & position.Candidates(second));
    // The sentence follows the pivot's digits in order.
    if (x > y) {
        std::swap(first, second);
        std::swap(x, y);
    }
    step = StartStep(Technique::XYWing,
                     SquareBits::Of(pivot) | SquareBits::Of(first) | SquareBits::Of(second), z);
    StrikeEach(step, targets, z);
    step.Units = {static_cast<std::uint8_t>(SharedUnit(pivot, first)),
                  static_cast<std::uint8_t>(SharedUnit(pivot, second))};
    step.Sentence = Capitalised(SquareName(pivot)) + " can only be " + DigitChoices(pivotMask)
                    + ": " + Branch(position, x, first, z) + ", and "
                    + Branch(position, y, second, z) + ", so the " + DigitName(z)
                    + " is struck from every square that sees both: " + SquareList(targets) + ".";
}

} // namespace

bool FindXYWing(const Position &position, Step &step)
{
    const SquareBits bivalue = position.WithCandidateCount(2);
    for (int pivot : bivalue) {
        const DigitMask pivotMask = position.Candidates(pivot);
        const SquareBits pincers = bivalue & PeerBits[pivot];
        for (int first : pincers) {
            const DigitMask firstMask = position.Candidates(first);
            const auto x = static_cast<DigitMask>(pivotMask & firstMask);
            if (BitCount9(x) != 1)
                continue;
            // The first pincer is {x,z}; its partner must be {y,z} with y the pivot's other digit.
            const int z = OnlyDigit(static_cast<DigitMask>(firstMask & ~x));
            const auto secondMask = static_cast<DigitMask>((pivotMask & ~x) | DigitBit(z));
            for (int second : pincers) {
                if (position.Candidates(second) != secondMask)
                    continue;
                const SquareBits targets =
                    SeenByAll(SquareBits::Of(first) | SquareBits::Of(second)) & position.Places(z);
                if (targets.Empty())
                    continue;
                Fill(position, pivot, first, second, z, targets, step);
                return true;
            }
        }
    }
    return false;
}

} // namespace quorix::hint
