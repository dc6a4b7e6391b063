#include "hint/ladder.h"

#include "hint/wording.h"

#include <array>

namespace quorix::hint {

namespace {

// A rung-2 "where" names at most this many units; a pattern over more is shown by its marks.
constexpr std::size_t MostUnitsNamed = 4;

// "rows 2 and 5 and column 3": the units grouped by kind, rows first.
std::string UnitsText(const std::vector<std::uint8_t> &units)
{
    static constexpr std::array<const char *, 3> Kinds{"row", "column", "group"};
    std::vector<std::string> phrases;
    for (int kind = 0; kind < 3; ++kind) {
        unsigned indices = 0;
        for (std::uint8_t unit : units)
            if (unit / 9 == kind)
                indices |= 1u << IndexOfUnit(unit);
        std::vector<std::string> numbers;
        for (int index = 0; index < 9; ++index)
            if (indices & (1u << index))
                numbers.push_back(std::to_string(index + 1));
        if (!numbers.empty())
            phrases.push_back(std::string(Kinds[kind]) + (numbers.size() > 1 ? "s " : " ")
                              + JoinAnd(numbers));
    }
    return JoinAnd(phrases);
}

// The square a step changes first: its first placement, else its first strike.
int ChangedSquare(const Step &step)
{
    if (!step.Sets.empty())
        return step.Sets.front().Square;
    if (!step.Strikes.empty())
        return step.Strikes.front().Square;
    return -1;
}

// The unit framed from rung 2 on: the step's first unit, or for a step about one square (a
// naked single names no unit) that square's group, which points the eye without giving the
// square away.
int FramedUnit(const Step &step)
{
    if (!step.Units.empty())
        return step.Units.front();
    const int square = step.Pattern.Any() ? step.Pattern.First() : ChangedSquare(step);
    return square < 0 ? -1 : GroupUnit(GroupOf(square));
}

// Whether rung 2 names the step's digit: a full house and a naked single are found by looking
// at a unit or a square, not at one digit's places.
bool NamesDigit(const Step &step)
{
    return step.Digit >= 0 && step.Kind != Technique::FullHouse
           && step.Kind != Technique::NakedSingle;
}

HintView WhereView(const Step &step)
{
    HintView view;
    view.Unit = FramedUnit(step);
    const bool oneUnit = view.Unit < 0 || step.Pattern.Within(UnitBits[view.Unit]);
    std::string where;
    if (oneUnit) {
        where = view.Unit < 0 ? "the whole board" : UnitName(view.Unit);
    } else {
        view.Marks = step.Pattern;
        where = step.Units.size() <= MostUnitsNamed ? UnitsText(step.Units) : "the marked squares";
    }
    if (NamesDigit(step)) {
        view.Digit = step.Digit;
        view.Text = "Hint: look at the " + DigitName(step.Digit) + "s in " + where;
    } else {
        view.Text = "Hint: look at " + where;
    }
    return view;
}

// "7 in row 3, column 5" or "2 and 6 from row 4, columns 5 and 6": the changes by digit,
// digits that change the same squares named together.
std::vector<std::string> ByDigit(const std::vector<Candidate> &changes, const char *verb,
                                 const char *preposition)
{
    std::array<SquareBits, 9> squaresOf{};
    for (Candidate change : changes)
        squaresOf[change.Digit].Add(change.Square);
    std::vector<std::string> phrases;
    unsigned named = 0;
    for (int digit = 0; digit < 9; ++digit) {
        if (squaresOf[digit].Empty() || (named & (1u << digit)))
            continue;
        unsigned digits = 0;
        for (int other = digit; other < 9; ++other)
            if (squaresOf[other] == squaresOf[digit])
                digits |= 1u << other;
        named |= digits;
        phrases.push_back(std::string(verb) + ' ' + DigitList(digits) + ' ' + preposition + ' '
                          + SquareList(squaresOf[digit]));
    }
    return phrases;
}

} // namespace

std::string DoneText(const std::vector<Candidate> &sets, const std::vector<Candidate> &strikes)
{
    std::vector<std::string> phrases = ByDigit(sets, "placed", "in");
    for (std::string &phrase : ByDigit(strikes, "struck", "from"))
        phrases.push_back(std::move(phrase));
    std::string text;
    for (const std::string &phrase : phrases)
        text += (text.empty() ? "" : "; ") + phrase;
    return text;
}

Rung StepRung(const Step &step, int number)
{
    Rung rung;
    if (number <= 1) {
        rung.View.Text = "Hint: look for " + std::string(LookFor(step.Kind)) + " ("
                         + std::string(NameOf(step.Kind)) + ", " + std::string(GradeOf(step.Tier()))
                         + ")";
        return rung;
    }
    rung.View = WhereView(step);
    if (number == 2)
        return rung;
    rung.View.Square = ChangedSquare(step);
    rung.View.Digit = step.Digit;
    rung.View.Marks = step.Pattern;
    if (rung.View.Square >= 0)
        rung.View.Marks.Remove(rung.View.Square);
    if (number == 3) {
        rung.View.Text = step.Sentence;
        return rung;
    }
    rung.View.Marks = {};
    rung.View.Text = "Hint: " + DoneText(step.Sets, step.Strikes);
    for (Candidate set : step.Sets)
        rung.Actions.push_back({ActionKind::Set, set.Square, set.Digit});
    for (Candidate strike : step.Strikes)
        rung.Actions.push_back({ActionKind::Strike, strike.Square, strike.Digit});
    return rung;
}

void ApplyActions(Position &position, const std::vector<BoardAction> &actions)
{
    std::array<std::int8_t, 81> values{};
    std::array<DigitMask, 81> masks{};
    for (int square = 0; square < 81; ++square) {
        values[square] = static_cast<std::int8_t>(position.Value(square));
        masks[square] = position.Candidates(square);
    }
    for (BoardAction action : actions) {
        const int square = action.Square;
        switch (action.Kind) {
        case ActionKind::Set:
            values[square] = action.Digit;
            break;
        case ActionKind::Strike:
            masks[square] = static_cast<DigitMask>(masks[square] & ~DigitBit(action.Digit));
            break;
        case ActionKind::Empty:
            values[square] = -1;
            masks[square] = AllDigits;
            break;
        case ActionKind::GiveBack:
            masks[square] = static_cast<DigitMask>(masks[square] | DigitBit(action.Digit));
            break;
        }
    }
    // Building the position again strikes what the set squares rule out, as the window's
    // strike of set digits does after every command.
    position = Position::FromBoard(values, masks);
}

} // namespace quorix::hint
