// Unique rectangles: four empty squares in two rows, two columns and two groups that could all
// be a or b. Were all four a or b, their as and bs could swap and the puzzle would have a second
// solution; on a puzzle known to have a single solution, something must keep that from
// happening. The four squares are empty, so none of them is a given and the swap keeps every
// given.
//
// Search order: type 1 over every rectangle, then type 2, then type 4; rectangles in the order
// ForEachRectangle gives them.
#include "hint/finders.h"
#include "hint/pattern_support.h"
#include "hint/wording.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quorix::hint {

namespace {

struct Rectangle
{
    int Rows[2];
    int Columns[2];
    // Corners: row 0 column 0, row 0 column 1, row 1 column 0, row 1 column 1.
    std::array<int, 4> Corners;
    DigitMask Pair; // the two digits every corner holds, and the only two they all hold
    int Bivalue;    // bit i: corner i holds only the pair
};

// The rectangle over rows `r0`, `r1` and columns `c0`, `c1` (in any order) whose corners are all
// empty and all hold the two digits of `pair`; false when there is none.
bool MakeRectangle(const Position &position, int r0, int r1, int c0, int c1, DigitMask pair,
                   Rectangle &rectangle)
{
    rectangle = {
        {std::min(r0, r1), std::max(r0, r1)}, {std::min(c0, c1), std::max(c0, c1)}, {}, pair, 0};
    for (int i = 0; i < 4; ++i) {
        const int square = rectangle.Rows[i / 2] * 9 + rectangle.Columns[i % 2];
        if (!position.IsEmpty(square) || (position.Candidates(square) & pair) != pair)
            return false;
        rectangle.Corners[i] = square;
        if (position.Candidates(square) == pair)
            rectangle.Bivalue |= 1 << i;
    }
    return true;
}

// Calls `found`, until it returns true, with every rectangle of empty squares over exactly two
// groups that all hold two digits and where two corners in one row or column hold nothing else
// (every type has such a side); `bivalue` holds the empty squares with two candidates. Rectangles
// come by that side's first corner, then its second, then the opposite line, ascending; one with
// two such sides comes twice.
template <typename Found>
bool ForEachRectangle(const Position &position, SquareBits bivalue, Found found)
{
    for (int a : bivalue) {
        const DigitMask pair = position.Candidates(a);
        const SquareBits partners =
            bivalue & (UnitBits[RowUnit(RowOf(a))] | UnitBits[ColumnUnit(ColumnOf(a))]);
        for (int b : partners) {
            if (b <= a || position.Candidates(b) != pair)
                continue;
            const bool alongRow = RowOf(a) == RowOf(b);
            const int line = alongRow ? RowOf(a) : ColumnOf(a);
            const int first = alongRow ? ColumnOf(a) : RowOf(a);
            const int second = alongRow ? ColumnOf(b) : RowOf(b);
            for (int other = 0; other < 9; ++other) {
                // Two groups: the two lines share a band (or stack), or the side does, not both.
                if (other == line || (other / 3 == line / 3) == (first / 3 == second / 3))
                    continue;
                Rectangle rectangle;
                const bool made =
                    alongRow ? MakeRectangle(position, line, other, first, second, pair, rectangle)
                             : MakeRectangle(position, first, second, line, other, pair, rectangle);
                if (made && found(rectangle))
                    return true;
            }
        }
    }
    return false;
}

SquareBits CornerBits(const Rectangle &rectangle, int corners)
{
    SquareBits squares;
    for (int i = 0; i < 4; ++i)
        if (corners & (1 << i))
            squares.Add(rectangle.Corners[i]);
    return squares;
}

// Whether the two corners of `corners` (a two-bit mask) share a row or a column.
bool Side(int corners)
{
    return corners == 0b0011 || corners == 0b1100 || corners == 0b0101 || corners == 0b1010;
}

// The first unit, then the rectangle's rows and columns that are not it.
std::vector<std::uint8_t> UnitsFrom(const Rectangle &rectangle, int first)
{
    std::vector<std::uint8_t> units;
    if (first >= 0)
        units.push_back(static_cast<std::uint8_t>(first));
    for (int unit : {RowUnit(rectangle.Rows[0]), RowUnit(rectangle.Rows[1]),
                     ColumnUnit(rectangle.Columns[0]), ColumnUnit(rectangle.Columns[1])})
        if (unit != first)
            units.push_back(static_cast<std::uint8_t>(unit));
    return units;
}

// "The squares where rows 1 and 4 meet columns 2 and 5 lie in two groups and can all be 3 or 8".
std::string Opening(const Rectangle &rectangle)
{
    return "The squares where rows " + std::to_string(rectangle.Rows[0] + 1) + " and "
           + std::to_string(rectangle.Rows[1] + 1) + " meet columns "
           + std::to_string(rectangle.Columns[0] + 1) + " and "
           + std::to_string(rectangle.Columns[1] + 1) + " lie in two groups and can all be "
           + DigitChoices(rectangle.Pair);
}

// "the four could swap their 3s and 8s and the puzzle would have two solutions, so, as it has a
// single solution,".
std::string Swap(const Rectangle &rectangle)
{
    const int a = OnlyDigit(rectangle.Pair);
    const int b = OnlyDigit(rectangle.Pair & ~DigitBit(a));
    return "the four could swap their " + DigitName(a) + "s and " + DigitName(b)
           + "s and the puzzle would have two solutions, so, as it has a single solution,";
}

Step StartRectangle(const Rectangle &rectangle, const char *type, int digit, int firstUnit)
{
    Step step = StartStep(Technique::UniqueRectangle, CornerBits(rectangle, 0b1111), digit);
    step.Name = std::string("Unique rectangle type ") + type;
    step.Units = UnitsFrom(rectangle, firstUnit);
    return step;
}

// Three corners hold only {a,b}: the fourth cannot be a or b.
bool FindType1(const Position &position, SquareBits bivalue, Step &step)
{
    return ForEachRectangle(position, bivalue, [&](const Rectangle &rectangle) {
        if (std::popcount(static_cast<unsigned>(rectangle.Bivalue)) != 3)
            return false;
        const int other =
            rectangle.Corners[std::countr_zero(static_cast<unsigned>(~rectangle.Bivalue & 0xF))];
        step = StartRectangle(rectangle, "1", -1, RowUnit(RowOf(other)));
        for (int digit = 0; digit < 9; ++digit)
            if (rectangle.Pair & DigitBit(digit))
                StrikeEach(step, SquareBits::Of(other), digit);
        step.Sentence = Opening(rectangle) + ", three of them nothing else: were "
                        + SquareName(other) + " also " + DigitChoices(rectangle.Pair) + ", "
                        + Swap(rectangle) + " " + DigitList(rectangle.Pair) + " are struck from "
                        + SquareName(other) + ".";
        return true;
    });
}

// Two corners on one side hold only {a,b}; the other two hold {a,b,c} with the same c: one of
// them is c, so a square that sees both cannot be c.
bool FindType2(const Position &position, SquareBits bivalue, Step &step)
{
    return ForEachRectangle(position, bivalue, [&](const Rectangle &rectangle) {
        const int extras = ~rectangle.Bivalue & 0xF;
        if (std::popcount(static_cast<unsigned>(extras)) != 2 || !Side(extras))
            return false;
        const SquareBits extraSquares = CornerBits(rectangle, extras);
        const int c0 = extraSquares.First();
        const int c1 = (extraSquares - SquareBits::Of(c0)).First();
        const DigitMask mask = position.Candidates(c0);
        if (mask != position.Candidates(c1) || std::popcount(static_cast<unsigned>(mask)) != 3)
            return false;
        const int c = OnlyDigit(static_cast<DigitMask>(mask & ~rectangle.Pair));
        const SquareBits targets = SeenByAll(extraSquares) & position.Places(c);
        if (targets.Empty())
            return false;
        step = StartRectangle(rectangle, "2", c, SharedUnit(c0, c1));
        StrikeEach(step, targets, c);
        step.Sentence = Opening(rectangle) + ", two of them nothing else and the other two, "
                        + SquareList(extraSquares) + ", only " + DigitName(c)
                        + " besides: were neither of these " + DigitName(c) + ", " + Swap(rectangle)
                        + " one of them is " + DigitName(c) + " and the " + DigitName(c)
                        + " is struck from every square that sees both: " + SquareList(targets)
                        + ".";
        return true;
    });
}

// Two corners on one side hold only {a,b}; within a unit the other two share, a has no place
// but those two: one of them is a, so neither can be b.
bool FindType4(const Position &position, SquareBits bivalue, Step &step)
{
    return ForEachRectangle(position, bivalue, [&](const Rectangle &rectangle) {
        const int extras = ~rectangle.Bivalue & 0xF;
        if (std::popcount(static_cast<unsigned>(extras)) != 2 || !Side(extras))
            return false;
        const SquareBits extraSquares = CornerBits(rectangle, extras);
        const int c0 = extraSquares.First();
        const int c1 = (extraSquares - SquareBits::Of(c0)).First();
        const int line = SharedUnit(c0, c1);
        const int group = GroupOf(c0) == GroupOf(c1) ? GroupUnit(GroupOf(c0)) : -1;
        for (int unit : {line, group}) {
            if (unit < 0)
                continue;
            for (int a = 0; a < 9; ++a) {
                if (!(rectangle.Pair & DigitBit(a))
                    || (position.Places(a) & UnitBits[unit]) != extraSquares)
                    continue;
                const int b = OnlyDigit(static_cast<DigitMask>(rectangle.Pair & ~DigitBit(a)));
                step = StartRectangle(rectangle, "4", b, unit);
                StrikeEach(step, extraSquares, b);
                step.Sentence = Opening(rectangle) + ", two of them nothing else; in "
                                + UnitName(unit) + " the " + DigitName(a) + " can only go in "
                                + SquareList(extraSquares) + ", so one of them is " + DigitName(a)
                                + ", and were the other " + DigitName(b) + ", " + Swap(rectangle)
                                + " the " + DigitName(b) + " is struck from both.";
                return true;
            }
        }
        return false;
    });
}

} // namespace

bool FindUniqueRectangle(const Position &position, Step &step)
{
    const SquareBits bivalue = position.WithCandidateCount(2);
    return FindType1(position, bivalue, step) || FindType2(position, bivalue, step)
           || FindType4(position, bivalue, step);
}

} // namespace quorix::hint
