// Naked and hidden subsets of two, three and four within a unit.
//
// Both scan the units groups first, then rows, then columns (as the singles do). A naked subset
// is N empty squares whose candidates together are N digits: those digits go in those squares,
// so every other square of each unit the N squares share loses them. A hidden subset is N
// digits whose places in the unit are the same N squares: those squares hold them, so every
// other candidate of theirs goes. Combinations are tried in ascending order of squares (naked)
// or digits (hidden).
#include "hint/finders.h"
#include "hint/wording.h"

#include <array>
#include <bit>

namespace quorix::hint {

namespace {

struct Search
{
    int Size;
    // The unit's empty squares (naked) or missing digits (hidden) that may take part: at most
    // nine of them, each with its candidate mask (naked) or its places (hidden).
    std::array<int, 9> Items{};
    int Count = 0;
    std::array<int, 4> Chosen{};
};

// Calls `take(chosen)` for every combination of `search.Size` items in ascending order, until
// it returns true.
template <typename Take> bool Combine(Search &search, int from, int depth, Take &take)
{
    if (depth == search.Size)
        return take(search.Chosen);
    if (depth >= static_cast<int>(search.Chosen.size()))
        return false; // never: a subset has at most four members
    for (int i = from; i <= search.Count - (search.Size - depth); ++i) {
        search.Chosen[depth] = search.Items[i];
        if (Combine(search, i + 1, depth + 1, take))
            return true;
    }
    return false;
}

constexpr Technique NakedKinds[] = {Technique::NakedPair, Technique::NakedTriple,
                                    Technique::NakedQuad};
constexpr Technique HiddenKinds[] = {Technique::HiddenPair, Technique::HiddenTriple,
                                     Technique::HiddenQuad};
constexpr const char *SizeWords[] = {"two", "three", "four"};

void StartStep(Technique kind, Step &step)
{
    step = Step{};
    step.Kind = kind;
    step.Name = std::string(NameOf(kind));
}

// Every unit that holds all of `squares`, the searched one first.
std::vector<std::uint8_t> SharedUnits(int searched, SquareBits squares)
{
    std::vector<std::uint8_t> units{static_cast<std::uint8_t>(searched)};
    for (int unit : UnitsOfSquare[squares.First()])
        if (unit != searched && squares.Within(UnitBits[unit]))
            units.push_back(static_cast<std::uint8_t>(unit));
    return units;
}

bool NakedIn(const Position &position, int unit, int size, Step &step)
{
    Search search{size};
    for (int square : position.EmptySquares() & UnitBits[unit])
        if (BitCount9(position.Candidates(square)) <= size)
            search.Items[search.Count++] = square;
    auto take = [&](const std::array<int, 4> &chosen) {
        SquareBits squares;
        DigitMask digits = 0;
        for (int i = 0; i < size; ++i) {
            squares.Add(chosen[i]);
            digits |= position.Candidates(chosen[i]);
        }
        if (BitCount9(digits) != size)
            return false;
        SquareBits reach;
        for (int shared : SharedUnits(unit, squares))
            reach |= UnitBits[shared];
        reach = (reach & position.EmptySquares()) - squares;
        std::vector<Candidate> strikes;
        for (int square : reach)
            for (int digit = 0; digit < 9; ++digit)
                if (position.Candidates(square) & digits & DigitBit(digit))
                    strikes.push_back(
                        {static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
        if (strikes.empty())
            return false;
        StartStep(NakedKinds[size - 2], step);
        step.Strikes = std::move(strikes);
        step.Pattern = squares;
        step.Units = SharedUnits(unit, squares);
        std::vector<std::string> units;
        for (std::uint8_t shared : step.Units)
            units.push_back(UnitName(shared));
        step.Sentence = "The " + std::string(SizeWords[size - 2]) + " squares "
                        + SquareList(squares) + " hold only " + DigitList(digits)
                        + " between them, so these digits go there and nowhere else in "
                        + JoinAnd(units) + ": strike them from " + SquareList(reach) + ".";
        return true;
    };
    return search.Count >= size && Combine(search, 0, 0, take);
}

bool HiddenIn(const Position &position, int unit, int size, Step &step)
{
    Search search{size};
    const SquareBits empties = position.EmptySquares() & UnitBits[unit];
    for (int digit = 0; digit < 9; ++digit) {
        const int places = (position.Places(digit) & UnitBits[unit]).Count();
        if (places >= 1 && places <= size)
            search.Items[search.Count++] = digit;
    }
    auto take = [&](const std::array<int, 4> &chosen) {
        SquareBits squares;
        DigitMask digits = 0;
        for (int i = 0; i < size; ++i) {
            squares |= position.Places(chosen[i]) & UnitBits[unit];
            digits |= DigitBit(chosen[i]);
        }
        if (squares.Count() != size || squares == empties)
            return false;
        std::vector<Candidate> strikes;
        for (int square : squares)
            for (int digit = 0; digit < 9; ++digit)
                if (position.Candidates(square) & ~digits & DigitBit(digit))
                    strikes.push_back(
                        {static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
        if (strikes.empty())
            return false;
        StartStep(HiddenKinds[size - 2], step);
        step.Strikes = std::move(strikes);
        step.Pattern = squares;
        step.Units = {static_cast<std::uint8_t>(unit)};
        step.Sentence = "In " + UnitName(unit) + ", " + DigitList(digits) + " can only go in "
                        + SquareList(squares) + ", so those " + SizeWords[size - 2]
                        + " squares hold them and nothing else: strike their other candidates.";
        return true;
    };
    return search.Count >= size && Combine(search, 0, 0, take);
}

template <typename In> bool FindInUnits(const Position &position, int size, Step &step, In in)
{
    for (int unit : GroupsRowsColumns)
        if (in(position, unit, size, step))
            return true;
    return false;
}

} // namespace

bool FindNakedSubset(const Position &position, int size, Step &step)
{
    return FindInUnits(position, size, step, NakedIn);
}

bool FindHiddenSubset(const Position &position, int size, Step &step)
{
    return FindInUnits(position, size, step, HiddenIn);
}

} // namespace quorix::hint
