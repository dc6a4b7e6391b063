// ALS-XZ: two almost locked sets that share no square, joined by a restricted common digit x.
// At most one of them holds x, so the other lacks x and holds each of its other digits: every
// further common digit z lies in one of the two, and a square that sees each z of both cannot be
// z. With two restricted commons each set lacks one of them and holds all its other digits.
//
// Search order: pairs of sets by their total number of squares, fewest first; within a total,
// by the first set in catalogue order, then the second.
#include "hint/als.h"
#include "hint/finders.h"
#include "hint/wording.h"

#include <array>
#include <bit>

namespace quorix::hint {

namespace {

// Singly linked, the shared digits besides the link lie in one set or the other; doubly
// linked, the two links do, and every other digit lies in its own set.
DigitMask SharedDigits(const Als &a, const Als &b, DigitMask linked)
{
    return DigitCount[linked] > 1 ? linked : static_cast<DigitMask>(a.Digits & b.Digits & ~linked);
}

// The places of `digit` that see each of its places in `set`.
SquareBits PlacesSeeing(const Position &position, const Als &set, int digit)
{
    return position.Places(digit) & set.Seeing[digit];
}

// Whether the pair strikes anything, before working out what.
bool Strikes(const Position &position, const Als &a, const Als &b, DigitMask linked)
{
    for (DigitMask shared = SharedDigits(a, b, linked); shared; shared &= shared - 1)
        if (PlacesSeeingBoth(position, a, b, std::countr_zero(shared)).Any())
            return true;
    if (DigitCount[linked] == 1)
        return false;
    for (const Als *set : {&a, &b})
        for (DigitMask own = set->Digits & ~linked; own; own &= own - 1)
            if (PlacesSeeing(position, *set, std::countr_zero(own)).Any())
                return true;
    return false;
}

// What the pair strikes, split by the reason the sentence gives.
struct PairStrikes
{
    DigitSquares Both{};   // places that see every place of the digit in both sets
    DigitSquares First{};  // doubly linked: places that see every place in the first set
    DigitSquares Second{}; // ... and in the second set, the first set's strikes left out
};

PairStrikes StrikesOfPair(const Position &position, const Als &a, const Als &b, DigitMask linked)
{
    PairStrikes strikes;
    const DigitMask shared = SharedDigits(a, b, linked);
    const bool doubly = DigitCount[linked] > 1;
    for (int digit = 0; digit < 9; ++digit) {
        const DigitMask bit = DigitBit(digit);
        if (shared & bit)
            strikes.Both[digit] = PlacesSeeingBoth(position, a, b, digit);
        if (!doubly || (linked & bit))
            continue;
        if (a.Digits & bit)
            strikes.First[digit] = PlacesSeeing(position, a, digit);
        if (b.Digits & bit)
            strikes.Second[digit] = PlacesSeeing(position, b, digit) - strikes.First[digit];
    }
    return strikes;
}

std::string PairSentence(const Als &a, const Als &b, DigitMask linked, const PairStrikes &strikes)
{
    const int x = std::countr_zero(linked);
    const std::string text = Capitalised(AlsText(a)) + " and " + AlsText(b)
                             + " each have one candidate more than squares. Every " + DigitName(x)
                             + " of the first sees every " + DigitName(x) + " of the second";
    if (DigitCount[linked] == 1)
        return text + ", so one of them holds no " + DigitName(x)
               + " and must hold each of its other candidates: either way "
               + OneOfEach(DigitsOf(strikes.Both)) + " in one of the two. "
               + LossSentences(strikes.Both, "both sets");
    std::string losses;
    for (const std::string &sentences :
         {LossSentences(strikes.Both, "both sets"), LossSentences(strikes.First, "the first set"),
          LossSentences(strikes.Second, "the second set")}) {
        losses += losses.empty() || sentences.empty() ? "" : " ";
        losses += sentences;
    }
    return text + ", and the same holds for the "
           + DigitList(static_cast<DigitMask>(linked & ~DigitBit(x)))
           + ", so each set lacks one of " + DigitList(linked)
           + " and holds all its other candidates. " + losses;
}

bool TryPair(const Position &position, const Als &a, const Als &b, DigitMask linked, Step &step)
{
    if (!Strikes(position, a, b, linked))
        return false;
    const PairStrikes strikes = StrikesOfPair(position, a, b, linked);
    DigitSquares all{};
    for (int digit = 0; digit < 9; ++digit)
        all[digit] = strikes.Both[digit] | strikes.First[digit] | strikes.Second[digit];
    step = Step{};
    step.Kind = Technique::AlsXZ;
    step.Name =
        DigitCount[linked] > 1 ? "Doubly linked ALS-XZ" : std::string(NameOf(Technique::AlsXZ));
    step.Strikes = CandidatesOf(all);
    step.Pattern = a.Squares | b.Squares;
    step.Units = UnitsOf({&a, &b});
    step.Digit = SingleDigitOf(all);
    step.Sentence = PairSentence(a, b, linked, strikes);
    return true;
}

} // namespace

bool FindAlsXZIn(const Position &position, const AlsCatalogue &catalogue, Step &step)
{
    const std::vector<Als> &sets = catalogue.Sets;
    // The links by their total number of squares, each total in catalogue order.
    std::array<int, 2 * MaxAlsSize + 2> start{};
    auto squaresOf = [&](const AlsLink &link) {
        return sets[link.First].Size + sets[link.Second].Size;
    };
    for (const AlsLink &link : catalogue.Links)
        ++start[squaresOf(link) + 1];
    for (int squares = 0; squares <= 2 * MaxAlsSize; ++squares)
        start[squares + 1] += start[squares];
    std::vector<int> order(catalogue.Links.size());
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        order[start[squaresOf(catalogue.Links[i])]++] = i;
    for (int i : order) {
        const AlsLink &link = catalogue.Links[i];
        if (TryPair(position, sets[link.First], sets[link.Second], link.Digits, step))
            return true;
    }
    return false;
}

bool FindAlsXZ(const Position &position, Step &step)
{
    return FindAlsXZIn(position, CatalogueAlmostLockedSets(position), step);
}

bool FindAlsXZThenXYWing(const Position &position, Step &step)
{
    const AlsCatalogue catalogue = CatalogueAlmostLockedSets(position);
    return FindAlsXZIn(position, catalogue, step) || FindAlsXYWingIn(position, catalogue, step);
}

} // namespace quorix::hint
