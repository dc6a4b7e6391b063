// The search goes through the givens in reading order and, for each, through the digits in
// order and then the removal. It counts only what can help: a puzzle with a given twice in a
// unit is mended only through a given of every such pair; on a puzzle without a solution, a
// given whose removal still leaves none is passed over, and one whose removal leaves exactly
// one solution is mended by that removal and by the one digit that solution has there.
#include "hint/slips.h"

#include "hint/wording.h"

#include <algorithm>

namespace quorix::hint {

namespace {

int DigitAt(std::string_view puzzle, int square)
{
    const char c = puzzle[square];
    return c >= '1' && c <= '9' ? c - '1' : -1;
}

// The digits of the givens among the peers of `square`.
DigitMask PeerGivens(std::string_view puzzle, int square)
{
    DigitMask digits = 0;
    for (int peer : PeerBits[square])
        if (DigitAt(puzzle, peer) >= 0)
            digits |= DigitBit(DigitAt(puzzle, peer));
    return digits;
}

// A unit of `square` where another given repeats its digit, or -1.
int ClashUnit(std::string_view puzzle, int square)
{
    const int digit = DigitAt(puzzle, square);
    for (int unit : UnitsOfSquare[square])
        for (int other : UnitSquares[unit])
            if (other != square && digit >= 0 && DigitAt(puzzle, other) == digit)
                return unit;
    return -1;
}

// The givens that may be at fault: where a digit is given twice in a unit, only a given that
// takes part in every such repetition; otherwise every given.
SquareBits Suspects(std::string_view puzzle)
{
    SquareBits givens, suspects = SquareBits::All();
    bool clash = false;
    for (int square = 0; square < 81; ++square) {
        if (DigitAt(puzzle, square) < 0)
            continue;
        givens.Add(square);
        for (int peer : PeerBits[square])
            if (peer > square && DigitAt(puzzle, peer) == DigitAt(puzzle, square)) {
                suspects &= SquareBits::Of(square) | SquareBits::Of(peer);
                clash = true;
            }
    }
    return clash ? suspects : givens;
}

// The slips of the given at `square`, whose digit is `from`; `line` is the puzzle with that
// square emptied, and is left so.
void SlipsOfGiven(std::string &line, int square, int from, int solutions, int givens,
                  const SolutionCounter &count, std::vector<Slip> &slips)
{
    int without = 2; // the solutions once the given is gone: never fewer than with it
    if (solutions == 0) {
        without = count(line, 2);
        if (without == 0)
            return;
    }
    const auto allowed = static_cast<DigitMask>(AllDigits & ~PeerGivens(line, square));
    for (int digit = 0; digit < 9; ++digit) {
        if (digit == from || !(allowed & DigitBit(digit)))
            continue;
        line[square] = static_cast<char>('1' + digit);
        // With one solution left without the given, a digit either carries it or has none.
        const int found = count(line, without == 1 ? 1 : 2);
        line[square] = '.';
        if (found == 1)
            slips.push_back({square, from, digit});
        if (found == 1 && without == 1)
            break;
    }
    if (without == 1 && givens - 1 >= FewestGivens)
        slips.push_back({square, from, -1});
}

std::string SlipText(const Slip &slip)
{
    const std::string given = "the " + DigitName(slip.From) + " in " + SquareName(slip.Square);
    if (slip.To < 0)
        return "removing " + given;
    return "changing " + given + " to " + ADigit(slip.To);
}

// The unit framed for a slip: where its given repeats a digit, that unit, otherwise its row.
int SlipUnit(std::string_view puzzle, const Slip &slip)
{
    const int clash = ClashUnit(puzzle, slip.Square);
    return clash >= 0 ? clash : RowUnit(RowOf(slip.Square));
}

std::string NoSlipText(int solutions)
{
    std::string text = "Hint: no one given, changed or removed, gives exactly one solution";
    if (solutions == 0)
        return text + "; check the givens against where the puzzle came from";
    return text + "; a given may be missing";
}

} // namespace

int GivensOf(std::string_view puzzle)
{
    return static_cast<int>(
        std::count_if(puzzle.begin(), puzzle.end(), [](char c) { return c >= '1' && c <= '9'; }));
}

std::string WithSlipMended(std::string_view puzzle, const Slip &slip)
{
    std::string line(puzzle);
    line[slip.Square] = slip.To < 0 ? '.' : static_cast<char>('1' + slip.To);
    return line;
}

std::vector<Slip> FindSlips(std::string_view puzzle, int solutions, const SolutionCounter &count)
{
    std::vector<Slip> slips;
    const int givens = GivensOf(puzzle);
    if (puzzle.size() != 81 || solutions == 1 || givens < FewestGivens)
        return slips;
    std::string line(puzzle);
    for (int square : Suspects(puzzle)) {
        const int from = DigitAt(line, square);
        line[square] = '.';
        SlipsOfGiven(line, square, from, solutions, givens, count, slips);
        line[square] = static_cast<char>('1' + from);
        if (slips.size() >= MostSlips)
            break;
    }
    if (slips.size() > MostSlips)
        slips.resize(MostSlips);
    return slips;
}

std::string SolutionsText(int solutions)
{
    if (solutions <= 0)
        return "Hint: this puzzle has no solution";
    if (solutions > MostSolutionsCounted)
        return "Hint: this puzzle has more than " + std::to_string(MostSolutionsCounted)
               + " solutions";
    if (solutions == 1)
        return "Hint: this puzzle has one solution";
    return "Hint: this puzzle has " + std::to_string(solutions) + " solutions";
}

int SlipRungs(const std::vector<Slip> &slips)
{
    return slips.empty() ? 2 : 4;
}

Rung SlipRung(std::string_view puzzle, int solutions, const std::vector<Slip> &slips, int number)
{
    Rung rung;
    if (number <= 1) {
        rung.View.Text = SolutionsText(solutions);
        return rung;
    }
    if (slips.empty()) {
        rung.View.Text = NoSlipText(solutions);
        return rung;
    }
    const Slip &first = slips.front();
    rung.View.Unit = SlipUnit(puzzle, first);
    if (number == 2) {
        rung.View.Text = "Hint: look at the givens in " + UnitName(rung.View.Unit);
        return rung;
    }
    rung.View.Square = first.Square;
    rung.View.Digit = first.From;
    if (number == 3) {
        std::vector<std::string> others;
        for (std::size_t i = 1; i < slips.size(); ++i) {
            others.push_back(SlipText(slips[i]));
            rung.View.Marks.Add(slips[i].Square);
        }
        rung.View.Marks.Remove(first.Square);
        rung.View.Text = "Hint: " + SlipText(first) + " gives exactly one solution";
        if (!others.empty())
            rung.View.Text += (others.size() == 1 ? "; so does " : "; so do ") + JoinAnd(others);
        return rung;
    }
    const auto square = static_cast<std::int8_t>(first.Square);
    if (first.To < 0)
        rung.Actions.push_back({ActionKind::Empty, square, -1});
    else
        rung.Actions.push_back({ActionKind::Set, square, static_cast<std::int8_t>(first.To)});
    const std::string given = "the " + DigitName(first.From) + " in " + SquareName(first.Square);
    rung.View.Text = first.To < 0 ? "Hint: removed " + given
                                  : "Hint: changed " + given + " to " + ADigit(first.To);
    return rung;
}

} // namespace quorix::hint
