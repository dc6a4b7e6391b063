#include "hint/mistakes.h"

#include "hint/wording.h"

#include <cassert>

namespace quorix::hint {

namespace {

int SolutionDigit(std::string_view solution, int square)
{
    return solution[square] - '1';
}

// Whether a set square among the peers of `square`, other than `except`, holds `digit`.
bool PeerHolds(const Position &position, int square, int digit, int except)
{
    for (int peer : PeerBits[square])
        if (peer != except && position.Value(peer) == digit)
            return true;
    return false;
}

// The empty peers of `square` whose solution digit is `digit` and that only the value of
// `square` rules it out of.
SquareBits RuledOutOnlyBy(std::string_view solution, const Position &position, int square,
                          int digit)
{
    SquareBits found;
    for (int peer : PeerBits[square] & position.EmptySquares())
        if (SolutionDigit(solution, peer) == digit && !PeerHolds(position, peer, digit, square))
            found.Add(peer);
    return found;
}

std::string CountText(std::size_t count)
{
    return "(" + std::to_string(count) + (count == 1 ? " thing)" : " things)");
}

std::string WrongText(const Mistake &mistake)
{
    if (mistake.Kind == MistakeKind::WrongValue)
        return "Hint: " + SquareName(mistake.Square) + ": " + DigitName(mistake.Digit)
               + " is not right here";
    return "Hint: the " + DigitName(mistake.Digit) + " struck from " + SquareName(mistake.Square)
           + " belongs there";
}

std::string MendedText(const Mistake &mistake, const std::vector<BoardAction> &actions)
{
    const std::string square = SquareName(mistake.Square);
    if (mistake.Kind == MistakeKind::StruckTrue)
        return "Hint: gave the " + DigitName(mistake.Digit) + " back to " + square;
    std::string text;
    SquareBits givenBack;
    for (BoardAction action : actions) {
        if (action.Kind == ActionKind::Set)
            text = "Hint: put the given " + DigitName(action.Digit) + " back in " + square;
        else if (action.Kind == ActionKind::Empty)
            text = "Hint: emptied " + square;
        else if (action.Kind == ActionKind::GiveBack)
            givenBack.Add(action.Square);
    }
    if (givenBack.Any())
        text += " and gave the " + DigitName(mistake.Digit) + " back to " + SquareList(givenBack);
    return text;
}

} // namespace

std::vector<Mistake> FindMistakes(std::string_view solution, const Position &position)
{
    assert(solution.size() == 81 && "a solution has 81 digits");
    std::vector<Mistake> mistakes;
    for (int square = 0; square < 81; ++square) {
        const int truth = SolutionDigit(solution, square);
        if (!position.IsEmpty(square)) {
            if (position.Value(square) != truth)
                mistakes.push_back({MistakeKind::WrongValue, square, position.Value(square)});
        } else if (!position.HasCandidate(square, truth)
                   && !PeerHolds(position, square, truth, -1)) {
            mistakes.push_back({MistakeKind::StruckTrue, square, truth});
        }
    }
    return mistakes;
}

std::vector<BoardAction> MendActions(std::string_view puzzle, std::string_view solution,
                                     const Position &position, const Mistake &mistake)
{
    const auto square = static_cast<std::int8_t>(mistake.Square);
    if (mistake.Kind == MistakeKind::StruckTrue)
        return {{ActionKind::GiveBack, square, static_cast<std::int8_t>(mistake.Digit)}};
    std::vector<BoardAction> actions;
    const char given = puzzle[mistake.Square];
    if (given >= '1' && given <= '9')
        actions.push_back({ActionKind::Set, square, static_cast<std::int8_t>(given - '1')});
    else
        actions.push_back({ActionKind::Empty, square, -1});
    for (int peer : RuledOutOnlyBy(solution, position, mistake.Square, mistake.Digit))
        actions.push_back({ActionKind::GiveBack, static_cast<std::int8_t>(peer),
                           static_cast<std::int8_t>(mistake.Digit)});
    return actions;
}

Rung MistakeRung(std::string_view puzzle, std::string_view solution, const Position &position,
                 const std::vector<Mistake> &mistakes, int number)
{
    assert(!mistakes.empty() && "a mistake ladder needs a mistake");
    const Mistake &first = mistakes.front();
    Rung rung;
    if (number <= 1) {
        rung.View.Text =
            "Hint: something on the board does not fit the solution " + CountText(mistakes.size());
        return rung;
    }
    rung.View.Unit = RowUnit(RowOf(first.Square));
    if (number == 2) {
        rung.View.Text = "Hint: look again at " + UnitName(rung.View.Unit);
        return rung;
    }
    rung.View.Square = first.Square;
    rung.View.Digit = first.Digit;
    if (number == 3) {
        rung.View.Text = WrongText(first);
        return rung;
    }
    rung.Actions = MendActions(puzzle, solution, position, first);
    rung.View.Text = MendedText(first, rung.Actions);
    return rung;
}

} // namespace quorix::hint
