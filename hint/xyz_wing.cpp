// XYZ-Wing: a pivot {x,y,z} seeing two pincers {x,z} and {y,z}; whichever digit the pivot takes,
// one of the three squares is z, so a square that sees all three cannot be z.
//
// Search order: pivots by ascending square; for each, pairs of pincers by ascending squares.
#include "hint/finders.h"
#include "hint/pattern_support.h"
#include "hint/wording.h"

#include <bit>
#include <utility>

namespace quorix::hint {

namespace {

// "if 2, row 5, column 1 (2 or 9) is 9".
std::string Branch(const Position &position, int pivot, int pincer, int z)
{
    const auto x = static_cast<DigitMask>(position.Candidates(pivot) & position.Candidates(pincer)
                                          & ~DigitBit(z));
    return "if " + DigitName(OnlyDigit(x)) + ", " + SquareWithChoices(position, pincer) + " is "
           + DigitName(z);
}

void Fill(const Position &position, int pivot, int first, int second, int z, SquareBits targets,
          Step &step)
{
    // The sentence follows the pivot's digits in order.
    if (position.Candidates(first) > position.Candidates(second))
        std::swap(first, second);
    step = StartStep(Technique::XYZWing,
                     SquareBits::Of(pivot) | SquareBits::Of(first) | SquareBits::Of(second), z);
    StrikeEach(step, targets, z);
    step.Units = {static_cast<std::uint8_t>(SharedUnit(pivot, first)),
                  static_cast<std::uint8_t>(SharedUnit(pivot, second))};
    step.Sentence =
        Capitalised(SquareName(pivot)) + " can only be " + DigitChoices(position.Candidates(pivot))
        + ": " + Branch(position, pivot, first, z) + ", and " + Branch(position, pivot, second, z)
        + ", so one of the three is " + DigitName(z) + " and the " + DigitName(z)
        + " is struck from every square that sees all three: " + SquareList(targets) + ".";
}

} // namespace

bool FindXYZWing(const Position &position, Step &step)
{
    const SquareBits bivalue = position.WithCandidateCount(2);
    for (int pivot : position.WithCandidateCount(3)) {
        const DigitMask pivotMask = position.Candidates(pivot);
        SquareBits pincers;
        for (int square : bivalue &PeerBits[pivot])
            if ((position.Candidates(square) & ~pivotMask) == 0)
                pincers.Add(square);
        for (int first : pincers) {
            const DigitMask firstMask = position.Candidates(first);
            for (int second : pincers) {
                const DigitMask secondMask = position.Candidates(second);
                // Two different pairs within three digits share exactly one: z.
                if (second <= first || secondMask == firstMask)
                    continue;
                const int z = OnlyDigit(firstMask & secondMask);
                const SquareBits targets = SeenByAll(SquareBits::Of(pivot) | SquareBits::Of(first)
                                                     | SquareBits::Of(second))
                                           & position.Places(z);
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
