// Two strong links of one digit joined end to end: skyscraper, two-string kite, turbot fish.
//
// A link is a unit where the digit has exactly two places, so one of the two holds it. When an
// end B of the first link and an end C of the second share a unit, they cannot both hold the
// digit: if the first link's other end A does not hold it, B does, C does not, and the second
// link's other end E does. So A or E holds the digit, and every place that sees both loses it.
//
// The three names are shapes of that one pattern, each instance under the most specific one:
// a skyscraper joins links in two rows through a column (or in two columns through a row), a
// two-string kite joins a row link and a column link inside a group, and a turbot fish is any
// other pair (a link in a group, or two rows joined inside a group).
//
// Search order: digits 1 to 9; for each, pairs of links in ascending order of their units
// (rows, columns, groups; a group's two places that are also a line's count as the line's
// link), and for each pair the joins of first end to first end, first to second, second to
// first, second to second.
#include "hint/finders.h"
#include "hint/one_digit.h"
#include "hint/wording.h"

#include <algorithm>
#include <array>

namespace quorix::hint {

namespace {

enum class Shape : std::uint8_t { Skyscraper, Kite, Turbot };

struct Link
{
    int Unit = 0;
    std::array<int, 2> Ends{};
    // The two ends, and every square either of them sees: a pair of links is worth joining
    // only where one's ends meet the other's sight.
    SquareBits EndBits, Seen;
};

struct Chain
{
    int A, B, C, E;
    int FirstUnit, SecondUnit;
};

// Whether x and y are the only two places of the digit in their row (or column).
bool LineLink(const Position &position, int digit, int x, int y, bool rows)
{
    if (rows ? RowOf(x) != RowOf(y) : ColumnOf(x) != ColumnOf(y))
        return false;
    const int unit = rows ? RowUnit(RowOf(x)) : ColumnUnit(ColumnOf(x));
    return LinkIn(position, digit, unit).Any();
}

Shape ShapeOf(const Position &position, int digit, const Chain &chain)
{
    for (const bool rows : {true, false}) {
        const bool parallel = LineLink(position, digit, chain.A, chain.B, rows)
                              && LineLink(position, digit, chain.C, chain.E, rows);
        const bool aligned =
            rows ? ColumnOf(chain.B) == ColumnOf(chain.C) : RowOf(chain.B) == RowOf(chain.C);
        if (parallel && aligned)
            return Shape::Skyscraper;
    }
    if (GroupOf(chain.B) == GroupOf(chain.C))
        for (const bool rows : {true, false})
            if (LineLink(position, digit, chain.A, chain.B, rows)
                && LineLink(position, digit, chain.C, chain.E, !rows))
                return Shape::Kite;
    return Shape::Turbot;
}

// The links of the digit in units below `unitLimit`, each pair of squares once.
int LinksOf(const Position &position, int digit, int unitLimit, std::array<Link, 27> &links)
{
    int count = 0;
    for (int unit = 0; unit < unitLimit; ++unit) {
        const SquareBits ends = LinkIn(position, digit, unit);
        if (ends.Empty())
            continue;
        const int first = ends.First();
        const int second = (ends - SquareBits::Of(first)).First();
        // A group's pair that is also a line's only two places is that line's link, listed
        // already.
        const int line = SharedUnit(first, second);
        if (line != unit && LinkIn(position, digit, line) == ends)
            continue;
        links[count++] = Link{unit, {first, second}, ends, PeerBits[first] | PeerBits[second]};
    }
    return count;
}

// The places that see both free ends, or nothing where the join does not make a chain of
// `shape`. The shape is asked last: it is the dearest question, and most joins strike nothing.
SquareBits Strikes(const Position &position, int digit, const Chain &chain, Shape shape)
{
    const bool distinct =
        chain.A != chain.C && chain.A != chain.E && chain.B != chain.C && chain.B != chain.E;
    if (!distinct || !PeerBits[chain.B].Has(chain.C))
        return {};
    // The joined ends are left alone: one of them seeing both free ends happens only where a
    // pair of places inside a group lies in one line, which is a simpler deduction.
    const SquareBits seesBoth = position.Places(digit) & PeerBits[chain.A] & PeerBits[chain.E];
    const SquareBits strikes = seesBoth - SquareBits::Of(chain.B) - SquareBits::Of(chain.C);
    if (strikes.Empty() || ShapeOf(position, digit, chain) != shape)
        return {};
    return strikes;
}

void Describe(const Chain &chain, Technique kind, int digit, SquareBits strikes, Step &step)
{
    const SquareBits pattern = SquareBits::Of(chain.A) | SquareBits::Of(chain.B)
                               | SquareBits::Of(chain.C) | SquareBits::Of(chain.E);
    step = OneDigitStep(kind, digit, strikes, pattern);
    const int weak = SharedUnit(chain.B, chain.C);
    step.Units = {static_cast<std::uint8_t>(chain.FirstUnit),
                  static_cast<std::uint8_t>(chain.SecondUnit), static_cast<std::uint8_t>(weak)};
    const std::string d = DigitName(digit);
    auto either = [](int x, int y) {
        return SquareName(std::min(x, y)) + " or " + SquareName(std::max(x, y));
    };
    step.Sentence = "In " + UnitName(chain.FirstUnit) + " the " + d + " can go only in "
                    + either(chain.A, chain.B) + ", and in " + UnitName(chain.SecondUnit)
                    + " only in " + either(chain.C, chain.E) + "; as " + SquareName(chain.B)
                    + " and " + SquareName(chain.C) + " share " + UnitName(weak)
                    + ", at most one of them is " + d + ", so " + SquareName(chain.A) + " or "
                    + SquareName(chain.E) + " is " + d + ", and a square that sees both cannot be "
                    + d + ": " + SquareList(strikes) + ".";
}

bool FindChain(const Position &position, Technique kind, Shape shape, int unitLimit, Step &step)
{
    std::array<Link, 27> links;
    for (int digit = 0; digit < 9; ++digit) {
        const int count = LinksOf(position, digit, unitLimit, links);
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j) {
                if ((links[i].Seen & links[j].EndBits).Empty())
                    continue;
                for (int join = 0; join < 4; ++join) {
                    const int b = join / 2, c = join % 2;
                    const Chain chain{links[i].Ends[1 - b], links[i].Ends[b], links[j].Ends[c],
                                      links[j].Ends[1 - c], links[i].Unit,    links[j].Unit};
                    const SquareBits strikes = Strikes(position, digit, chain, shape);
                    if (strikes.Empty())
                        continue;
                    Describe(chain, kind, digit, strikes, step);
                    return true;
                }
            }
    }
    return false;
}

} // namespace

bool FindSkyscraper(const Position &position, Step &step)
{
    return FindChain(position, Technique::Skyscraper, Shape::Skyscraper, 18, step);
}

bool FindTwoStringKite(const Position &position, Step &step)
{
    return FindChain(position, Technique::TwoStringKite, Shape::Kite, 18, step);
}

bool FindTurbotFish(const Position &position, Step &step)
{
    return FindChain(position, Technique::TurbotFish, Shape::Turbot, UnitCount, step);
}

} // namespace quorix::hint
