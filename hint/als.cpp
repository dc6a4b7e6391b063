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
    constexpr std::uint32_t RowsAndColumns = (1u << 18) - 1; // units 0..17
    if (!single && kind == UnitKind::Group && (lines & RowsAndColumns))
        return;
    set.Digits = digits;
    set.Size = static_cast<std::int8_t>(BitCount9(subset));
    set.Unit = static_cast<std::int8_t>(single ? -1 : unit.Unit);
    for (int digit = 0; digit < 9; ++digit)
        if (digits & DigitBit(digit)) {
            const SquareBits places = position.Places(digit) & set.Squares;
            std::uint32_t units = ~0u;
            for (int square : places)
                units &= UnitMaskOf[square];
            set.Units[digit] = units;
            set.Seeing[digit] = SeenByAll(places);
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

// Sets of catalogue indices, one bit per set, `Words` words per set of sets.
class IndexSets
{
public:
    IndexSets(int sets, int count) : Words((count + 63) / 64), Bits(sets * Words, 0) {}
    void Add(int set, int index)
    {
        Bits[set * Words + index / 64] |= std::uint64_t{1} << index % 64;
    }
    const std::uint64_t *Of(int set) const { return &Bits[set * Words]; }
    const int Words;

private:
    std::vector<std::uint64_t> Bits;
};

// Calls `visit` with every index in `bits` (`words` words), ascending.
template <typename Visit> void ForIndices(const std::uint64_t *bits, int words, Visit visit)
{
    for (int w = 0; w < words; ++w)
        for (std::uint64_t rest = bits[w]; rest; rest &= rest - 1)
            visit(w * 64 + std::countr_zero(rest));
}

// Squares that all see each other lie in one unit, so two sets that share no square are linked
// on x exactly when some unit holds all their places of x. The sets are indexed by each unit
// holding a digit's places and by each of their squares; a set's partners on x are then a few
// word operations away.
std::vector<AlsLink> LinkSets(const std::vector<Als> &sets)
{
    const int count = static_cast<int>(sets.size());
    IndexSets byPlaces(UnitCount * 9, count), bySquare(81, count);
    for (int i = 0; i < count; ++i) {
        for (DigitMask digits = sets[i].Digits; digits; digits &= digits - 1) {
            const int digit = std::countr_zero(digits);
            for (std::uint32_t units = sets[i].Units[digit]; units; units &= units - 1)
                byPlaces.Add(std::countr_zero(units) * 9 + digit, i);
        }
        for (int square : sets[i].Squares)
            bySquare.Add(square, i);
    }
    const int words = byPlaces.Words;
    std::vector<std::uint64_t> excluded(words), partners(words), onDigit(words);
    std::vector<DigitMask> linked(count, 0);
    std::vector<AlsLink> links;
    for (int i = 0; i < count; ++i) {
        const Als &a = sets[i];
        // The sets up to this one, which made their links already, and those sharing a square.
        for (int w = 0; w < words; ++w)
            excluded[w] = w < i / 64   ? ~std::uint64_t{0}
                          : w > i / 64 ? 0
                                       : (std::uint64_t{2} << i % 64) - 1;
        for (int square : a.Squares)
            for (int w = 0; w < words; ++w)
                excluded[w] |= bySquare.Of(square)[w];
        std::fill(partners.begin(), partners.end(), 0);
        for (DigitMask digits = a.Digits; digits; digits &= digits - 1) {
            const int digit = std::countr_zero(digits);
            std::fill(onDigit.begin(), onDigit.end(), 0);
            for (std::uint32_t units = a.Units[digit]; units; units &= units - 1)
                for (int w = 0; w < words; ++w)
                    onDigit[w] |= byPlaces.Of(std::countr_zero(units) * 9 + digit)[w];
            for (int w = 0; w < words; ++w) {
                onDigit[w] &= ~excluded[w];
                partners[w] |= onDigit[w];
            }
            ForIndices(onDigit.data(), words, [&](int j) { linked[j] |= DigitBit(digit); });
        }
        ForIndices(partners.data(), words, [&](int j) {
            links.push_back(
                {static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j), linked[j]});
            linked[j] = 0;
        });
    }
    return links;
}

} // namespace

AlsCatalogue CatalogueAlmostLockedSets(const Position &position)
{
    AlsCatalogue catalogue;
    catalogue.Sets = FindSets(position);
    catalogue.Links = LinkSets(catalogue.Sets);
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
    DigitMask told = 0;
    for (int digit = 0; digit < 9; ++digit) {
        if (strikes[digit].Empty() || (told & DigitBit(digit)))
            continue;
        // The digits that leave exactly these squares share one sentence.
        DigitMask digits = 0;
        for (int other = digit; other < 9; ++other)
            if (strikes[other] == strikes[digit])
                digits |= DigitBit(other);
        told |= digits;
        const bool one = strikes[digit].Count() == 1;
        text += text.empty() ? "" : " ";
        text += Capitalised(SquareList(strikes[digit])) + (one ? " sees" : " see") + " every "
                + DigitList(digits) + " of " + whose
                + (DigitCount[digits] == 1 ? " and cannot be " + DigitName(digit)
                                           : " and can be none of them")
                + ".";
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
