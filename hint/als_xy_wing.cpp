// ALS-XY-Wing: three almost locked sets A, B and C, A joined to B by a restricted common x and
// B to C by a restricted common y (x and y different). B lacks at most one of its digits, so it
// holds x or y: then A holds no x or C no y, and that set holds each of its other digits. So a
// digit z of both A and C (neither x nor y) lies in A or in C, and a square that sees each z of
// both cannot be z.
//
// Search order: the wing with the fewest squares in all; among equals the first found with B in
// catalogue order, then A and C in the order of B's links, then x and y ascending.
#include "hint/als.h"
#include "hint/finders.h"
#include "hint/wording.h"

#include <bit>
#include <climits>

namespace quorix::hint {

namespace {

struct Link
{
    int Other = 0;
    DigitMask Digits = 0;
};

// Every set's restricted commons with the sets it shares no square with, as lists per set:
// the links of set i are Links[Start[i]] .. Links[Start[i + 1] - 1], in catalogue order.
struct LinkTable
{
    std::vector<int> Start;
    std::vector<Link> Links;
};

LinkTable TableOf(const std::vector<AlsLink> &links, int count)
{
    LinkTable table;
    table.Start.assign(count + 1, 0);
    for (const AlsLink &link : links) {
        ++table.Start[link.First + 1];
        ++table.Start[link.Second + 1];
    }
    for (int i = 0; i < count; ++i)
        table.Start[i + 1] += table.Start[i];
    table.Links.resize(links.size() * 2);
    std::vector<int> next(table.Start.begin(), table.Start.end() - 1);
    // Links come ordered by their first set and then their second, so each list ends up in
    // catalogue order.
    for (const AlsLink &link : links)
        table.Links[next[link.Second]++] = {link.First, link.Digits};
    for (const AlsLink &link : links)
        table.Links[next[link.First]++] = {link.Second, link.Digits};
    return table;
}

struct Wing
{
    int A = -1, B = -1, C = -1;
    int X = 0, Y = 0;
    int Squares = INT_MAX;
    DigitSquares Strikes{};
};

// The first x and y (ascending) for which the two outer sets strike something, put into `wing`.
bool TryOuterSets(const Position &position, const Als &a, const Als &c, DigitMask linksA,
                  DigitMask linksC, Wing &wing)
{
    if ((a.Squares & c.Squares).Any())
        return false;
    auto seenByBoth = [&](int z) { return PlacesSeeingBoth(position, a, c, z); };
    DigitMask striking = 0;
    for (DigitMask shared = a.Digits & c.Digits; shared; shared &= shared - 1)
        if (seenByBoth(std::countr_zero(shared)).Any())
            striking |= DigitBit(std::countr_zero(shared));
    if (striking == 0)
        return false;
    for (DigitMask xs = linksA; xs; xs &= xs - 1)
        for (DigitMask ys = linksC & ~(xs & -xs); ys; ys &= ys - 1) {
            const DigitMask pair = static_cast<DigitMask>((xs & -xs) | (ys & -ys));
            if (!(striking & ~pair))
                continue;
            wing.X = std::countr_zero(xs);
            wing.Y = std::countr_zero(ys);
            for (int z = 0; z < 9; ++z)
                wing.Strikes[z] = (striking & ~pair & DigitBit(z)) ? seenByBoth(z) : SquareBits{};
            return true;
        }
    return false;
}

std::string WingSentence(const Wing &wing, const std::vector<Als> &sets)
{
    const DigitMask struck = DigitsOf(wing.Strikes);
    const std::string x = DigitName(wing.X), y = DigitName(wing.Y);
    return "Three sets each have one candidate more than squares: " + AlsText(sets[wing.A]) + ", "
           + AlsText(sets[wing.B]) + " and " + AlsText(sets[wing.C]) + ". Every " + x
           + " of the first sees every " + x + " of the second, and every " + y
           + " of the second sees every " + y
           + " of the third. The second set lacks at most one of its candidates, so it holds "
           + ADigit(wing.X) + " or " + ADigit(wing.Y) + ": then the first set holds no " + x
           + " or the third no " + y + ", and that set must hold each of its other candidates, so "
           + OneOfEach(struck) + " in the first or the third. "
           + LossSentences(wing.Strikes, "the first and third sets");
}

} // namespace

bool FindAlsXYWingIn(const Position &position, const AlsCatalogue &catalogue, Step &step)
{
    const std::vector<Als> &sets = catalogue.Sets;
    const LinkTable table = TableOf(catalogue.Links, static_cast<int>(sets.size()));
    Wing best, found;
    for (int b = 0; b < static_cast<int>(sets.size()) && best.Squares > 3; ++b)
        for (int i = table.Start[b]; i < table.Start[b + 1]; ++i)
            for (int j = i + 1; j < table.Start[b + 1]; ++j) {
                const Link &toA = table.Links[i], &toC = table.Links[j];
                const Als &a = sets[toA.Other], &c = sets[toC.Other];
                const int squares = a.Size + sets[b].Size + c.Size;
                if (squares >= best.Squares || !(a.Digits & c.Digits)
                    || !TryOuterSets(position, a, c, toA.Digits, toC.Digits, found))
                    continue;
                best = found;
                best.A = toA.Other;
                best.B = b;
                best.C = toC.Other;
                best.Squares = squares;
            }
    if (best.B < 0)
        return false;
    step = Step{};
    step.Kind = Technique::AlsXYWing;
    step.Name = std::string(NameOf(step.Kind));
    step.Strikes = CandidatesOf(best.Strikes);
    step.Pattern = sets[best.A].Squares | sets[best.B].Squares | sets[best.C].Squares;
    step.Units = UnitsOf({&sets[best.A], &sets[best.B], &sets[best.C]});
    step.Digit = SingleDigitOf(best.Strikes);
    step.Sentence = WingSentence(best, sets);
    return true;
}

bool FindAlsXYWing(const Position &position, Step &step)
{
    return FindAlsXYWingIn(position, CatalogueAlmostLockedSets(position), step);
}

} // namespace quorix::hint
