// W-Wing: two squares {x,y} that do not see each other, and a unit where x has only two places,
// one seeing each square. Were both squares x, that unit would have no place left for x, so one
// of them is y, and a square that sees both cannot be y.
//
// Search order: pairs of squares by ascending first, then second square; the digit of the link
// (x) ascending; the units of the link rows, columns, groups.
#include "hint/finders.h"
#include "hint/pattern_support.h"
#include "hint/wording.h"

#include <array>
#include <bit>

namespace quorix::hint {

namespace {

struct Link
{
    int Unit = -1;
    int NearFirst = -1;  // the end that sees the first square
    int NearSecond = -1; // the end that sees the second square
};

// A unit where `x` has exactly two places, neither of them `first` or `second`, one seeing
// `first` and the other `second`; `units` holds the units where x has exactly two places.
Link FindLink(const Position &position, std::uint32_t units, int x, int first, int second)
{
    for (; units != 0; units &= units - 1) {
        const int unit = std::countr_zero(units);
        const SquareBits ends = position.Places(x) & UnitBits[unit];
        const int a = ends.First();
        const int b = (ends - SquareBits::Of(a)).First();
        if (a == first || a == second || b == first || b == second)
            continue;
        if (PeerBits[first].Has(a) && PeerBits[second].Has(b))
            return {unit, a, b};
        if (PeerBits[first].Has(b) && PeerBits[second].Has(a))
            return {unit, b, a};
    }
    return {};
}

void Fill(int first, int second, int x, int y, const Link &link, SquareBits targets, Step &step)
{
    step = StartStep(Technique::WWing,
                     SquareBits::Of(first) | SquareBits::Of(second) | SquareBits::Of(link.NearFirst)
                         | SquareBits::Of(link.NearSecond),
                     y);
    StrikeEach(step, targets, y);
    step.Units = {static_cast<std::uint8_t>(link.Unit),
                  static_cast<std::uint8_t>(SharedUnit(link.NearFirst, first)),
                  static_cast<std::uint8_t>(SharedUnit(link.NearSecond, second))};
    const std::string unit = UnitName(link.Unit);
    step.Sentence =
        Capitalised(SquareName(first)) + " and " + SquareName(second) + " can both only be "
        + DigitChoices(DigitBit(x) | DigitBit(y)) + ", and in " + unit + " the " + DigitName(x)
        + " can only go in " + SquareName(link.NearFirst) + ", which sees the first, or "
        + SquareName(link.NearSecond) + ", which sees the second: were both squares " + DigitName(x)
        + ", " + unit + " would have no place left for the " + DigitName(x) + ", so one of them is "
        + DigitName(y) + " and the " + DigitName(y)
        + " is struck from every square that sees both: " + SquareList(targets) + ".";
}

} // namespace

bool FindWWing(const Position &position, Step &step)
{
    // Per digit, the units where it has exactly two places (bit per unit), worked out on demand.
    std::array<std::uint32_t, 9> links{};
    std::uint32_t linksKnown = 0;
    auto linksOf = [&](int digit) {
        if (!(linksKnown & (1u << digit))) {
            for (int unit = 0; unit < UnitCount; ++unit)
                if ((position.Places(digit) & UnitBits[unit]).Count() == 2)
                    links[digit] |= 1u << unit;
            linksKnown |= 1u << digit;
        }
        return links[digit];
    };
    const SquareBits bivalue = position.WithCandidateCount(2);
    for (int first : bivalue) {
        const DigitMask mask = position.Candidates(first);
        for (int second : bivalue - PeerBits[first]) {
            if (second <= first || position.Candidates(second) != mask)
                continue;
            const SquareBits seen = SeenByAll(SquareBits::Of(first) | SquareBits::Of(second));
            for (int x = 0; x < 9; ++x) {
                if (!(mask & DigitBit(x)))
                    continue;
                const int y = OnlyDigit(static_cast<DigitMask>(mask & ~DigitBit(x)));
                const SquareBits targets = seen & position.Places(y);
                if (targets.Empty())
                    continue;
                const Link link = FindLink(position, linksOf(x), x, first, second);
                if (link.Unit < 0)
                    continue;
                Fill(first, second, x, y, link, targets, step);
                return true;
            }
        }
    }
    return false;
}

} // namespace quorix::hint
