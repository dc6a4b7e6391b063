// The intersections and subsets a net follows, looked for only in what the assumption changed:
// the digits that lost a place and the units where something was struck.
#include "hint/propagation.h"

#include <bit>

namespace quorix::hint {

namespace {

// The rows and columns (units) that cross group `group`, and the groups a line crosses.
constexpr std::array<int, 3> RowsOfGroup(int group)
{
    const int top = group / 3 * 3;
    return {RowUnit(top), RowUnit(top + 1), RowUnit(top + 2)};
}
constexpr std::array<int, 3> ColumnsOfGroup(int group)
{
    const int left = group % 3 * 3;
    return {ColumnUnit(left), ColumnUnit(left + 1), ColumnUnit(left + 2)};
}
constexpr std::array<int, 3> GroupsOfLine(int line)
{
    const int index = IndexOfUnit(line);
    if (KindOfUnit(line) == UnitKind::Row)
        return {GroupUnit(index / 3 * 3), GroupUnit(index / 3 * 3 + 1),
                GroupUnit(index / 3 * 3 + 2)};
    return {GroupUnit(index / 3), GroupUnit(index / 3 + 3), GroupUnit(index / 3 + 6)};
}
static_assert(GroupsOfLine(ColumnUnit(4))[2] == GroupUnit(7));
static_assert(GroupsOfLine(RowUnit(5))[0] == GroupUnit(3));

// Calls `use(items, together)` for sets of 2..maxSize of the `masks` whose bits together are as
// many as the set's items (a locked set), in ascending order of items, until `use` returns true.
template <class Use>
bool ForEachLockedSet(const std::array<DigitMask, 9> &masks, int count, int maxSize, int from,
                      DigitMask items, DigitMask together, Use &use)
{
    const int size = BitCount9(items);
    if (size >= 2 && BitCount9(together) == size && use(items, together))
        return true;
    if (size == maxSize)
        return false;
    for (int i = from; i < count; ++i) {
        const auto joined = static_cast<DigitMask>(together | masks[i]);
        if (BitCount9(joined) > maxSize)
            continue;
        if (ForEachLockedSet(masks, count, maxSize, i + 1, static_cast<DigitMask>(items | 1u << i),
                             joined, use))
            return true;
    }
    return false;
}

} // namespace

// A group's places can come to lie in one line, or a line's in one group, only where the digit
// lost a place in that group or line.
bool Propagation::StrikeIntersections()
{
    bool struck = false;
    for (int digit = 0; digit < 9; ++digit) {
        std::uint32_t units = IntersectionsDirty[digit];
        IntersectionsDirty[digit] = 0;
        for (; units; units &= units - 1) {
            const int unit = std::countr_zero(units);
            const SquareBits inUnit = Places[digit] & UnitBits[unit];
            if (inUnit.Empty())
                continue;
            if (KindOfUnit(unit) == UnitKind::Group) {
                for (int line : RowsOfGroup(IndexOfUnit(unit)))
                    if (inUnit.Within(UnitBits[line]))
                        struck |= StrikeIntersection(digit, UnitBits[unit], UnitBits[line]);
                for (int line : ColumnsOfGroup(IndexOfUnit(unit)))
                    if (inUnit.Within(UnitBits[line]))
                        struck |= StrikeIntersection(digit, UnitBits[unit], UnitBits[line]);
                continue;
            }
            for (int group : GroupsOfLine(unit))
                if (inUnit.Within(UnitBits[group]))
                    struck |= StrikeIntersection(digit, UnitBits[unit], UnitBits[group]);
        }
    }
    return struck;
}

// The digit's places in `inside` all lie in `across`: it leaves the rest of `across`.
bool Propagation::StrikeIntersection(int digit, SquareBits inside, SquareBits across)
{
    const SquareBits targets = (Places[digit] & across) - inside;
    if (targets.Empty())
        return false;
    const SquareBits basis = UnitStrikesBasis(digit, (Start.Places[digit] & inside) - across);
    const int size = basis.Count();
    if (size > Bound)
        return false;
    for (int square : targets)
        Strike(square, digit, basis, size);
    return true;
}

bool Propagation::StrikeSubsets()
{
    bool struck = false;
    std::uint32_t units = SubsetsDirty;
    SubsetsDirty = 0;
    for (; units; units &= units - 1) {
        const int unit = std::countr_zero(units);
        struck |= StrikeNakedSubsets(unit);
        struck |= StrikeHiddenSubsets(unit);
    }
    return struck;
}

bool Propagation::StrikeNakedSubsets(int unit)
{
    const SquareBits empties = Empties & UnitBits[unit];
    std::array<DigitMask, 9> masks{};
    std::array<std::uint8_t, 9> squares{};
    int count = 0;
    for (int square : empties)
        if (Masks[square] != 0 && BitCount9(Masks[square]) <= PropagationSubsetSize) {
            squares[count] = static_cast<std::uint8_t>(square);
            masks[count++] = Masks[square];
        }
    auto use = [&](DigitMask items, DigitMask digits) {
        SquareBits subset;
        for (int i = 0; i < count; ++i)
            if (items & (1u << i))
                subset.Add(squares[i]);
        SquareBits targets;
        for (int digit = 0; digit < 9; ++digit)
            if (digits & DigitBit(digit))
                targets |= Places[digit] & (empties - subset);
        if (targets.Empty())
            return false;
        SquareBits basis;
        for (int square : subset)
            basis |= SquareStrikesBasis(square, Start.Masks[square] & ~digits);
        const int size = basis.Count();
        if (size > Bound)
            return false;
        for (int square : targets)
            for (int digit = 0; digit < 9; ++digit)
                if (Masks[square] & digits & DigitBit(digit))
                    Strike(square, digit, basis, size);
        return true;
    };
    return ForEachLockedSet(masks, count, PropagationSubsetSize, 0, 0, 0, use);
}

bool Propagation::StrikeHiddenSubsets(int unit)
{
    const std::array<std::uint8_t, 9> &unitSquares = UnitSquares[unit];
    std::array<DigitMask, 9> masks{};
    std::array<std::uint8_t, 9> digits{};
    int count = 0;
    for (int digit = 0; digit < 9; ++digit) {
        if (Counts[digit][unit] > PropagationSubsetSize)
            continue; // too many places, or set in the unit (Settled)
        DigitMask where = 0;
        for (int i = 0; i < 9; ++i)
            if (Places[digit].Has(unitSquares[i]))
                where |= static_cast<DigitMask>(1u << i);
        if (where == 0 || BitCount9(where) > PropagationSubsetSize)
            continue;
        digits[count] = static_cast<std::uint8_t>(digit);
        masks[count++] = where;
    }
    auto use = [&](DigitMask items, DigitMask where) {
        DigitMask kept = 0;
        SquareBits subset;
        for (int i = 0; i < 9; ++i)
            if (where & (1u << i))
                subset.Add(unitSquares[i]);
        for (int i = 0; i < count; ++i)
            if (items & (1u << i))
                kept |= DigitBit(digits[i]);
        bool any = false;
        for (int square : subset)
            any |= (Masks[square] & ~kept) != 0;
        if (!any)
            return false;
        SquareBits basis;
        for (int digit = 0; digit < 9; ++digit)
            if (kept & DigitBit(digit))
                basis |= UnitStrikesBasis(digit, (Start.Places[digit] & UnitBits[unit]) - subset);
        const int size = basis.Count();
        if (size > Bound)
            return false;
        for (int square : subset)
            for (int digit = 0; digit < 9; ++digit)
                if (Masks[square] & ~kept & DigitBit(digit))
                    Strike(square, digit, basis, size);
        return true;
    };
    return ForEachLockedSet(masks, count, PropagationSubsetSize, 0, 0, 0, use);
}

} // namespace quorix::hint
