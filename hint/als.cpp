#include "hint/als.h"

#include "hint/wording.h"

#include <algorithm>
#include <bit>

namespace quorix::hint {

namespace {

// UnitMaskOf[s]: the three units of square s, bit u for unit u.
constexpr auto UnitMaskOf = [] {
    std::array<std::uint32_t, 81> masks{};
    for (int square = 0; square < 81; ++square)
        for (int unit : UnitsOfSquare[square])
            masks[square] |= 1u << unit;
    return masks;
}();

// The empty squares of one unit that may join a set: those with at most MaxAlsSize + 1
// candidates.
struct UnitMembers
{
    int Unit = 0;
    int Count = 0;
    std::array<std::uint8_t, 9> Squares{};
    std::array<DigitMask, 9> Masks{};
};

// Lists the set of the unit's members in `subset` (bit i for member i), unless it is listed
// under another unit: a single square under its row, a set in a line and a group under the line.
void Add(const Position &position, const UnitMembers &unit, unsigned subset, DigitMask digits,
         std::vector<Als> &sets)
{
    const UnitKind kind = KindOfUnit(unit.Unit);
    const bool single = (subset & (subset - 1)) == 0;
    if (single && kind != UnitKind::Row)
        return;
    Als set;
    std::uint32_t lines = ~0u;
    for (unsigned rest = subset; rest; rest &= rest - 1) {
        const int square = unit.Squares[std::countr_zero(rest)];
        set.Squares.Add(square);
        lines &= UnitMaskOf[square];
    }
    if (!single && kind == UnitKind::Group && (lines & ((1u << 18) - 1)))
        return;
    set.Digits = digits;
    set.Size = static_cast<std::int8_t>(std::popcount(subset));
    set.Unit = static_cast<std::int8_t>(single ? -1 : unit.Unit);
    for (int digit = 0; digit < 9; ++digit)
        if (digits & DigitBit(digit)) {
            std::uint32_t units = ~0u;
            for (int square : position.Places(digit) & set.Squares)
                units &= UnitMaskOf[square];
            set.Units[digit] = units;
        }
    sets.push_back(set);
}

// Grows sets from `subset` (of `size` members with candidates `digits`) by the members from
// `from` on, depth first, so that sets come in lexicographic order of their members. A subset
// with more than MaxAlsSize + 1 candidates grows into no set the catalogue holds: it is cut.
void Grow(const Position &position, const UnitMembers &unit, int from, unsigned subset,
          DigitMask digits, int size, std::vector<Als> &sets)
{
    for (int i = from; i < unit.Count; ++i) {
        const auto grown = static_cast<DigitMask>(digits | unit.Masks[i]);
        if (DigitCount[grown] > MaxAlsSize + 1)
            continue;
        const unsigned members = subset | (1u << i);
        if (DigitCount[grown] == size + 2)
            Add(position, unit, members, grown, sets);
        if (size + 1 < MaxAlsSize)
            Grow(position, unit, i + 1, members, grown, size + 1, sets);
    }
}

std::vector<Als> FindSets(const Position &position)
{
    std::vector<Als> sets;
    sets.reserve(256);
    for (int unit = 0; unit < UnitCount; ++unit) {
        UnitMembers members;
        members.Unit = unit;
        for (int square : position.EmptySquares() & UnitBits[unit])
            if (DigitCount[position.Candidates(square)] <= MaxAlsSize + 1) {
                members.Squares[members.Count] = static_cast<std::uint8_t>(square);
                members.Masks[members.Count++] = position.Candidates(square);
            }
        Grow(position, members, 0, 0, 0, 0, sets);
    }
    return sets;
}

// The lowest place of the digit in the set, as a key of the index below.
int FirstPlaceKey(const Position &position, const Als &set, int digit)
{
    return digit * 81 + (position.Places(digit) & set.Squares).First();
}

std::vector<AlsLink> LinkSets(const Position &position, const std::vector<Als> &sets)
{
    constexpr int Keys = 9 * 81;
    const int count = static_cast<int>(sets.size());
    std::vector<int> start(Keys + 1, 0);
    for (int i = 0; i < count; ++i)
        for (DigitMask rest = sets[i].Digits; rest; rest &= rest - 1)
            ++start[FirstPlaceKey(position, sets[i], std::countr_zero(rest)) + 1];
    for (int key = 0; key < Keys; ++key)
        start[key + 1] += start[key];
    std::vector<int> listed(start[Keys]), next(start.begin(), start.end() - 1);
    for (int i = 0; i < count; ++i)
        for (DigitMask rest = sets[i].Digits; rest; rest &= rest - 1)
            listed[next[FirstPlaceKey(position, sets[i], std::countr_zero(rest))]++] = i;
    std::vector<AlsLink> links;
    std::vector<DigitMask> linked(count, 0);
    std::vector<int> partners;
    for (int i = 0; i < count; ++i) {
        const Als &a = sets[i];
        for (DigitMask rest = a.Digits; rest; rest &= rest - 1) {
            const int digit = std::countr_zero(rest);
            SquareBits around;
            for (std::uint32_t units = a.Units[digit]; units; units &= units - 1)
                around |= UnitBits[std::countr_zero(units)];
            for (int square : (around & position.Places(digit)) - a.Squares) {
                const int key = digit * 81 + square;
                for (int k = start[key + 1] - 1; k >= start[key]; --k) {
                    const int j = listed[k];
                    if (j <= i)
                        break;
                    if (!(a.Units[digit] & sets[j].Units[digit])
                        || (a.Squares & sets[j].Squares).Any())
                        continue;
                    if (linked[j] == 0)
                        partners.push_back(j);
                    linked[j] |= DigitBit(digit);
                }
            }
        }
        std::sort(partners.begin(), partners.end());
        for (int j : partners) {
            links.push_back(
                {static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j), linked[j]});
            linked[j] = 0;
        }
        partners.clear();
    }
    return links;
}

} // namespace

AlsCatalogue CatalogueAlmostLockedSets(const Position &position)
{
    AlsCatalogue catalogue;
    catalogue.Sets = FindSets(position);
    catalogue.Links = LinkSets(position, catalogue.Sets);
    return catalogue;
}

std::vector<std::uint8_t> UnitsOf(std::initializer_list<const Als *> sets)
{
    std::vector<std::uint8_t> units;
    for (const Als *set : sets) {
        const auto unit = static_cast<std::uint8_t>(set->Unit);
        if (set->Unit >= 0 && std::find(units.begin(), units.end(), unit) == units.end())
            units.push_back(unit);
    }
    return units;
}

std::string AlsText(const Als &set)
{
    return SquareList(set.Squares) + " (candidates " + DigitList(set.Digits) + ")";
}

std::string LossSentences(const DigitSquares &strikes, const std::string &whose)
{
    std::string text;
    for (int digit = 0; digit < 9; ++digit) {
        if (strikes[digit].Empty())
            continue;
        const bool one = strikes[digit].Count() == 1;
        const std::string name = DigitName(digit);
        text += (text.empty() ? "" : " ") + Capitalised(SquareList(strikes[digit]))
                + (one ? " sees" : " see") + " every " + name + " of " + whose + " and cannot be "
                + name + ".";
    }
    return text;
}

std::string OneOfEach(DigitMask digits)
{
    if (DigitCount[digits] == 1)
        return ADigit(std::countr_zero(digits)) + " lies";
    return "each of " + DigitList(digits) + " lies";
}

} // namespace quorix::hint
