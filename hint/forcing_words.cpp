// A forcing step as a step: its result, the squares a person sets following it (found again by
// following its branches with the bounds they were found with) and the sentence.
#include "hint/forcing.h"
#include "hint/wording.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorix::hint {

namespace {

// "a, b or c".
std::string JoinOr(const std::vector<std::string> &items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " or " : ", ";
        text += items[i];
    }
    return text;
}

std::string HowFollowed(Inference rules)
{
    switch (rules) {
    case Inference::Chain:
        return "following squares with two candidates and digits with two places in a unit";
    case Inference::Singles:
        return "by singles";
    case Inference::Intersections:
        return "by singles, pointing and claiming";
    case Inference::Subsets:
        break;
    }
    return "by singles, pointing, claiming and naked and hidden subsets";
}

std::string SizeText(const ForcingFind &found)
{
    const std::string what = found.Rules == Inference::Chain ? "the chain" : "the net";
    if (found.Size == 0)
        return what + " sets no square on its way.";
    return what + " sets " + std::to_string(found.Size) + (found.Size == 1 ? " square" : " squares")
           + " on its way.";
}

// The squares of `basis` in the order the propagation set them: "row 2, column 6 is 5, then
// row 3, column 6 is 1"; `verb` is "is" or "would be".
std::string PathText(const Propagation &propagation, SquareBits basis, const std::string &verb)
{
    std::vector<int> squares;
    for (int square : basis)
        squares.push_back(square);
    std::sort(squares.begin(), squares.end(),
              [&](int a, int b) { return propagation.SetOrder(a) < propagation.SetOrder(b); });
    std::string text;
    for (int square : squares) {
        int digit = 0;
        while (!propagation.SetTo(digit).Has(square))
            ++digit;
        text += (text.empty() ? "" : ", then ") + SquareName(square) + " " + verb + " "
                + DigitName(digit);
    }
    return text;
}

std::string FailureText(const Contradiction &failure)
{
    if (failure.Square >= 0)
        return SquareName(failure.Square) + " would have no candidate left";
    return "the " + DigitName(failure.Digit) + " would have no place left in "
           + UnitName(failure.Unit);
}

void DescribeContradiction(const Position &position, const ForcingFind &found, Step &step)
{
    Propagation propagation(position);
    propagation.Follow(found.Square, found.Digit, found.Rules, found.Bounds[0]);
    const Contradiction &failure = propagation.Failure();
    step.Pattern = failure.Basis | SquareBits::Of(found.Square);
    if (failure.Square >= 0)
        step.Pattern.Add(failure.Square);
    if (failure.Unit >= 0)
        step.Units.push_back(static_cast<std::uint8_t>(failure.Unit));
    const std::string square = SquareName(found.Square);
    const std::string digit = DigitName(found.Digit);
    std::string sentence = "If " + square + " were " + digit + ", ";
    if (failure.Basis.Empty())
        sentence += "then, " + HowFollowed(found.Rules) + ", without another square set, "
                    + FailureText(failure);
    else if (found.Size <= forcing::MaxNamedSquares)
        sentence += "then, " + HowFollowed(found.Rules) + ", "
                    + PathText(propagation, failure.Basis, "would be") + ", and "
                    + FailureText(failure);
    else
        sentence += "then, " + HowFollowed(found.Rules) + ", in the end " + FailureText(failure);
    step.Sentence =
        sentence + "; so " + square + " cannot be " + digit + ", and " + SizeText(found);
}

std::string ResultText(const ForcingFind &found)
{
    const std::string square = SquareName(found.Result.Square);
    if (found.Places)
        return square + " ends up " + DigitName(found.Result.Digit);
    return square + " loses its " + DigitName(found.Result.Digit);
}

std::string ConclusionText(const ForcingFind &found)
{
    const std::string square = SquareName(found.Result.Square);
    const std::string digit = DigitName(found.Result.Digit);
    return found.Places ? square + " is " + digit : square + " cannot be " + digit;
}

// The choices of the start: the square's candidates or the digit's places in the unit, each as
// (square, digit) and named as the sentence lists them.
struct Choice
{
    int Square;
    int Digit;
    std::string Name;
};

std::vector<Choice> ChoicesOf(const Position &position, const ForcingFind &found)
{
    std::vector<Choice> choices;
    if (found.Form == ForcingForm::Square) {
        for (int digit = 0; digit < 9; ++digit)
            if (position.HasCandidate(found.Square, digit))
                choices.push_back({found.Square, digit, DigitName(digit)});
        return choices;
    }
    for (int square : position.Places(found.Digit) & UnitBits[found.Unit]) {
        std::string name = SquareName(square);
        if (KindOfUnit(found.Unit) == UnitKind::Row)
            name = "column " + std::to_string(ColumnOf(square) + 1);
        else if (KindOfUnit(found.Unit) == UnitKind::Column)
            name = "row " + std::to_string(RowOf(square) + 1);
        choices.push_back({square, found.Digit, name});
    }
    return choices;
}

void DescribeCommon(const Position &position, const ForcingFind &found, Step &step)
{
    const std::vector<Choice> choices = ChoicesOf(position, found);
    std::vector<std::string> names, paths;
    Propagation propagation(position);
    step.Pattern = SquareBits::Of(found.Result.Square);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const Choice &choice = choices[i];
        propagation.Follow(choice.Square, choice.Digit, found.Rules, found.Bounds[i]);
        const SquareBits basis =
            found.Places ? propagation.BasisOfSet(found.Result.Square)
                         : propagation.BasisOfStrike(found.Result.Square, found.Result.Digit);
        step.Pattern |= basis | SquareBits::Of(choice.Square);
        names.push_back(choice.Name);
        const std::string label = found.Form == ForcingForm::Square ? "with " : "at ";
        paths.push_back(label + choice.Name + ": "
                        + (basis.Empty() ? "no square set" : PathText(propagation, basis, "is")));
    }
    std::string sentence;
    if (found.Form == ForcingForm::Square) {
        sentence = "Whether " + SquareName(found.Square) + " is " + JoinOr(names);
    } else {
        step.Units.push_back(static_cast<std::uint8_t>(found.Unit));
        // A group's places are listed row by row, the way a person finds them.
        const bool group = KindOfUnit(found.Unit) == UnitKind::Group;
        const SquareBits places = position.Places(found.Digit) & UnitBits[found.Unit];
        sentence = "Wherever the " + DigitName(found.Digit) + " goes in " + UnitName(found.Unit)
                   + " (" + (group ? SquareList(places) : JoinOr(names)) + ")";
    }
    sentence += ", " + ResultText(found) + " " + HowFollowed(found.Rules);
    if (found.Size <= forcing::MaxNamedSquares) {
        sentence += " (" + paths.front();
        for (std::size_t i = 1; i < paths.size(); ++i)
            sentence += "; " + paths[i];
        sentence += ")";
    }
    step.Sentence = sentence + "; so " + ConclusionText(found) + ", and " + SizeText(found);
}

} // namespace

void DescribeForcing(const Position &position, const ForcingFind &found, Step &step)
{
    step = Step{};
    step.Kind = found.Rules == Inference::Chain ? Technique::ForcingChain : Technique::ForcingNet;
    step.Name = std::string(NameOf(step.Kind));
    (found.Places ? step.Sets : step.Strikes).push_back(found.Result);
    step.Size = found.Size;
    step.Digit = found.Form == ForcingForm::Square ? -1 : found.Digit;
    if (found.Form == ForcingForm::Contradiction)
        DescribeContradiction(position, found, step);
    else
        DescribeCommon(position, found, step);
}

} // namespace quorix::hint
