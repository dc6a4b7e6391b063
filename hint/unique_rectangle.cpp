// Unique rectangles: four empty squares in two rows, two columns and two groups that could all
// be a or b. Were all four a or b, their as and bs could swap and the puzzle would have a second
// solution; on a puzzle known to have a single solution, something must keep that from
// happening. The four squares are empty, so none of them is a given and the swap keeps every
// given.
//
// Search order: type 1 over every rectangle, then type 2, then type 4 (in one pass); rectangles
// in the order ForEachRectangle gives them.
#include "hint/finders.h"
#include "hint/pattern_support.h"
#include "hint/wording.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

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
void FillType1(const Rectangle &rectangle, Step &step)
{
    const int other =
        rectangle.Corners[std::countr_zero(static_cast<unsigned>(~rectangle.Bivalue & 0xF))];
    step = StartRectangle(rectangle, "1", -1, RowUnit(RowOf(other)));
    for (int digit = 0; digit < 9; ++digit)
        if (rectangle.Pair & DigitBit(digit))
            StrikeEach(step, SquareBits::Of(other), digit);
    step.Sentence = Opening(rectangle) + ", three of them nothing else: were " + SquareName(other)
                    + " also " + DigitChoices(rectangle.Pair) + ", " + Swap(rectangle) + " "
                    + DigitList(rectangle.Pair) + " are struck from " + SquareName(other) + ".";
}

// The two corners that hold more than {a,b} when they are the only two and lie on one side;
// nothing otherwise.
SquareBits ExtraSide(const Rectangle &rectangle)
{
    const int extras = ~rectangle.Bivalue & 0xF;
    if (BitCount9(extras) != 2 || !Side(extras))
        return {};
    return CornerBits(rectangle, extras);
}

// Type 2: the extra corners hold {a,b,c} with the same c, so one of them is c and a square that
// sees both cannot be c. The digit c, or -1 when the rectangle is no type 2 that strikes.
int Type2Digit(const Position &position, const Rectangle &rectangle)
{
    const SquareBits extras = ExtraSide(rectangle);
    if (extras.Empty())
        return -1;
    const int c0 = extras.First();
    const DigitMask mask = position.Candidates(c0);
    if (mask != position.Candidates((extras - SquareBits::Of(c0)).First()) || BitCount9(mask) != 3)
        return -1;
    const int c = OnlyDigit(static_cast<DigitMask>(mask & ~rectangle.Pair));
    return (SeenByAll(extras) & position.Places(c)).Any() ? c : -1;
}

void FillType2(const Position &position, const Rectangle &rectangle, int c, Step &step)
{
    const SquareBits extras = ExtraSide(rectangle);
    const SquareBits targets = SeenByAll(extras) & position.Places(c);
    const int c0 = extras.First();
    step = StartRectangle(rectangle, "2", c, SharedUnit(c0, (extras - SquareBits::Of(c0)).First()));
    StrikeEach(step, targets, c);
    step.Sentence = Opening(rectangle) + ", two of them nothing else and the other two, "
                    + SquareList(extras) + ", only " + DigitName(c)
                    + " besides: were neither of these " + DigitName(c) + ", " + Swap(rectangle)
                    + " one of them is " + DigitName(c) + " and the " + DigitName(c)
                    + " is struck from every square that sees both: " + SquareList(targets) + ".";
}

// Type 4: within a unit the extra corners share, a has no place but those two, so one of them
// is a and neither can be b. The unit (line before group) and a, or a unit of -1.
std::pair<int, int> Type4Link(const Position &position, const Rectangle &rectangle)
{
    const SquareBits extras = ExtraSide(rectangle);
    if (extras.Empty())
        return {-1, -1};
    const int c0 = extras.First();
    const int c1 = (extras - SquareBits::Of(c0)).First();
    const int group = GroupOf(c0) == GroupOf(c1) ? GroupUnit(GroupOf(c0)) : -1;
    for (int unit : {SharedUnit(c0, c1), group}) {
        if (unit < 0)
            continue;
        for (int a = 0; a < 9; ++a)
            if ((rectangle.Pair & DigitBit(a)) && (position.Places(a) & UnitBits[unit]) == extras)
                return {unit, a};
    }
    return {-1, -1};
}

void FillType4(const Rectangle &rectangle, int unit, int a, Step &step)
{
    const SquareBits extras = ExtraSide(rectangle);
    const int b = OnlyDigit(static_cast<DigitMask>(rectangle.Pair & ~DigitBit(a)));
    step = StartRectangle(rectangle, "4", b, unit);
    StrikeEach(step, extras, b);
    step.Sentence = Opening(rectangle) + ", two of them nothing else; in " + UnitName(unit)
                    + " the " + DigitName(a) + " can only go in " + SquareList(extras)
                    + ", so one of them is " + DigitName(a) + ", and were the other " + DigitName(b)
                    + ", " + Swap(rectangle) + " the " + DigitName(b) + " is struck from both.";
}

} // namespace

bool FindUniqueRectangle(const Position &position, Step &step)
{
    // One pass: a type 1 anywhere comes first, then the first type 2, then the first type 4.
    Rectangle second{}, fourth{};
    int secondDigit = -1;
    std::pair<int, int> fourthLink{-1, -1};
    const bool first =
        ForEachRectangle(position, position.WithCandidateCount(2), [&](const Rectangle &rectangle) {
            if (BitCount9(rectangle.Bivalue) == 3) {
                FillType1(rectangle, step);
                return true;
            }
            if (secondDigit < 0 && (secondDigit = Type2Digit(position, rectangle)) >= 0)
                second = rectangle;
            if (secondDigit < 0 && fourthLink.first < 0
                && (fourthLink = Type4Link(position, rectangle)).first >= 0)
                fourth = rectangle;
            return false;
        });
    if (first)
        return true;
    if (secondDigit >= 0)
        FillType2(position, second, secondDigit, step);
    else if (fourthLink.first >= 0)
        FillType4(fourth, fourthLink.first, fourthLink.second, step);
    return secondDigit >= 0 || fourthLink.first >= 0;
}

} // namespace quorix::hint
