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

namespace quorix::hint {

namespace {

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
    const DigitMask common = a.Digits & b.Digits;
    const bool doubly = DigitCount[linked] > 1;
    // Singly linked, the shared digits besides the link lie in one set or the other; doubly
    // linked, the two links do, and every other digit lies in its own set.
    const DigitMask shared = doubly ? linked : static_cast<DigitMask>(common & ~linked);
    for (int digit = 0; digit < 9; ++digit) {
        const DigitMask bit = DigitBit(digit);
        if (shared & bit)
            strikes.Both[digit] = PlacesSeeingAll(position, a.Squares | b.Squares, digit);
        if (!doubly || (linked & bit))
            continue;
        if (a.Digits & bit)
            strikes.First[digit] = PlacesSeeingAll(position, a.Squares, digit);
        if (b.Digits & bit)
            strikes.Second[digit] =
                PlacesSeeingAll(position, b.Squares, digit) - strikes.First[digit];
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
          LossSentences(strikes.Second, "the second set")})
        if (!sentences.empty())
            losses += (losses.empty() ? "" : " ") + sentences;
    return text + ", and the same holds for the "
           + DigitList(static_cast<DigitMask>(linked & ~DigitBit(x)))
           + ", so each set lacks one of " + DigitList(linked)
           + " and holds all its other candidates. " + losses;
}

bool TryPair(const Position &position, const Als &a, const Als &b, DigitMask linked, Step &step)
{
    if ((a.Digits & b.Digits) == linked && DigitCount[linked] == 1)
        return false;
    const PairStrikes strikes = StrikesOfPair(position, a, b, linked);
    DigitSquares all{};
    for (int digit = 0; digit < 9; ++digit)
        all[digit] = strikes.Both[digit] | strikes.First[digit] | strikes.Second[digit];
    if (!AnySquare(all))
        return false;
    step = Step{};
    step.Kind = Technique::AlsXZ;
    step.Name =
        DigitCount[linked] > 1 ? "Doubly linked ALS-XZ" : std::string(NameOf(Technique::AlsXZ));
    step.Strikes = CandidatesOf(all);
    step.Pattern = a.Squares | b.Squares;
    step.Units = UnitsOf({&a, &b});
    step.Digit = OnlyDigit(all);
    step.Sentence = PairSentence(a, b, linked, strikes);
    return true;
}

} // namespace

bool FindAlsXZIn(const Position &position, const AlsCatalogue &catalogue, Step &step)
{
    const std::vector<Als> &sets = catalogue.Sets;
    for (int squares = 2; squares <= 2 * MaxAlsSize; ++squares)
        for (const AlsLink &link : catalogue.Links) {
            const Als &a = sets[link.First], &b = sets[link.Second];
            if (a.Size + b.Size == squares && TryPair(position, a, b, link.Digits, step))
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
