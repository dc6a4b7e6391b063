#include "hint/chain_graph.h"

#include "hint/nine_bits.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <utility>

namespace quorix::hint {

namespace {

// The line of a group's squares (0..2 its rows, 3..5 its columns) that holds all of `squares`,
// or -1.
int LineInGroup(SquareBits squares)
{
    const int first = squares.First();
    if (squares.Within(UnitBits[RowUnit(RowOf(first))]))
        return RowOf(first) % 3;
    if (squares.Within(UnitBits[ColumnUnit(ColumnOf(first))]))
        return 3 + ColumnOf(first) % 3;
    return -1;
}

} // namespace

ChainGraph::ChainGraph(const Position &position, LinkKinds kinds) : Start(position)
{
    SingleIndex.fill(-1);
    GroupIndex.fill(-1);
    GroupedCount.fill(0);
    Nodes.reserve(256);
    StrongLinks.reserve(256);
    StrongCount.reserve(256);
    AddStrongLinks(kinds);
    AddWeakLinks(kinds);
}

int ChainGraph::NodeOf(SquareBits squares, int digit)
{
    if (squares.Empty())
        return -1;
    std::int16_t *slot = nullptr;
    const int first = squares.First();
    const int square = (squares - SquareBits::Of(first)).Empty() ? first : -1;
    if (square >= 0) {
        slot = &SingleIndex[square * 9 + digit];
    } else {
        // A grouped node is all of a digit's places where a line crosses a group, so that one
        // number names it.
        const int line = LineInGroup(squares);
        const int group = GroupOf(first);
        const int lineUnit = line < 3 ? RowUnit(RowOf(first)) : ColumnUnit(ColumnOf(first));
        if (line < 0
            || squares != (Start.Places(digit) & UnitBits[GroupUnit(group)] & UnitBits[lineUnit]))
            return -1;
        slot = &GroupIndex[(digit * 9 + group) * 6 + line];
    }
    if (*slot < 0) {
        *slot = static_cast<std::int16_t>(Nodes.size());
        const SquareBits seen = square >= 0 ? PeerBits[square] : SeenByAll(squares);
        Nodes.push_back(
            {squares, seen, static_cast<std::int8_t>(digit), static_cast<std::int8_t>(square)});
        if (square < 0)
            Grouped[digit][GroupedCount[digit]++] = *slot;
        StrongLinks.push_back({});
        StrongCount.push_back(0);
    }
    return *slot;
}

void ChainGraph::AddStrong(int a, int b)
{
    if (a < 0 || b < 0)
        return;
    for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
        const auto links = Strong(from);
        if (std::find(links.begin(), links.end(), to) != links.end())
            continue;
        // A node has at most one strong link per unit it lies in and one inside its square.
        assert(StrongCount[from] < 4 && "a node has at most four strong links");
        StrongLinks[from][StrongCount[from]++] = static_cast<std::uint16_t>(to);
    }
}

void ChainGraph::AddUnitLinks(int digit, int unit, unsigned mask, bool groups)
{
    const auto squaresAt = [unit](unsigned positions) {
        SquareBits squares;
        for (; positions; positions &= positions - 1)
            squares.Add(UnitSquares[unit][std::countr_zero(positions)]);
        return squares;
    };
    const int count = BitCount9(mask);
    if (count == 2) {
        AddStrong(NodeOf(squaresAt(mask & (0u - mask)), digit),
                  NodeOf(squaresAt(mask & (mask - 1)), digit));
        return;
    }
    if (!groups || count < 3)
        return;
    if (KindOfUnit(unit) != UnitKind::Group) {
        // The places split by group (three positions each): two parts make a strong link.
        unsigned parts[2] = {};
        int found = 0;
        for (unsigned part : {mask & 7u, mask & 070u, mask & 0700u})
            if (part && found++ < 2)
                parts[found - 1] = part;
        if (found == 2)
            AddStrong(NodeOf(squaresAt(parts[0]), digit), NodeOf(squaresAt(parts[1]), digit));
        return;
    }
    // A group's places split into those of one line and the rest, when the rest is a node.
    // Positions run row by row, so a row is three bits and a column every third bit.
    static constexpr unsigned Lines[6] = {7u, 070u, 0700u, 0111u, 0222u, 0444u};
    const auto inOneLine = [](unsigned positions) {
        for (unsigned line : Lines)
            if (!(positions & ~line))
                return true;
        return false;
    };
    for (unsigned line : Lines) {
        const unsigned part = mask & line, rest = mask & ~line;
        if (part && rest && inOneLine(rest))
            AddStrong(NodeOf(squaresAt(part), digit), NodeOf(squaresAt(rest), digit));
    }
}

void ChainGraph::AddStrongLinks(const LinkKinds &kinds)
{
    for (int digit = 0; digit < 9 && kinds.UnitStrong; ++digit) {
        // The digit's places in every unit as positions 0..8 of the unit.
        std::array<unsigned, UnitCount> masks{};
        for (int square : Start.Places(digit)) {
            const int row = RowOf(square), column = ColumnOf(square);
            masks[RowUnit(row)] |= 1u << column;
            masks[ColumnUnit(column)] |= 1u << row;
            masks[GroupUnit(GroupOf(square))] |= 1u << (row % 3 * 3 + column % 3);
        }
        for (int unit = 0; unit < UnitCount; ++unit)
            AddUnitLinks(digit, unit, masks[unit], kinds.Groups);
    }
    if (!kinds.SquareStrong)
        return;
    for (int square : Start.EmptySquares()) {
        const DigitMask mask = Start.Candidates(square);
        const int low = std::countr_zero(mask), high = 15 - std::countl_zero(mask);
        if (BitCount9(mask) == 2)
            AddStrong(NodeOf(SquareBits::Of(square), low), NodeOf(SquareBits::Of(square), high));
    }
}

void ChainGraph::AddWeakLinks(const LinkKinds &kinds)
{
    WordCount = (Nodes.size() + 63) / 64;
    WeakBits.assign(Nodes.size() * WordCount, 0);
    for (std::size_t index = 0; index < Nodes.size(); ++index) {
        const ChainNode &node = Nodes[index];
        std::uint64_t *links = WeakBits.data() + index * WordCount;
        const auto link = [links](int other) {
            links[other / 64] |= std::uint64_t{1} << (other % 64);
        };
        const int digit = node.Digit;
        for (int square : node.Seen &Start.Places(digit))
            if (const int other = SingleIndex[square * 9 + digit]; other >= 0)
                link(other);
        for (int i = 0; i < GroupedCount[digit]; ++i)
            if (const int other = Grouped[digit][i]; Nodes[other].Squares.Within(node.Seen))
                link(other);
        if (!kinds.SquareWeak || node.Square < 0)
            continue;
        for (int other = 0; other < 9; ++other)
            if (other != digit && SingleIndex[node.Square * 9 + other] >= 0)
                link(SingleIndex[node.Square * 9 + other]);
    }
}

bool ChainGraph::Conflicts(int square, int digit, int node) const
{
    const ChainNode &n = Nodes[node];
    return digit == n.Digit ? n.Seen.Has(square) : n.Square == square;
}

int ChainGraph::StrongUnit(int a, int b) const
{
    const ChainNode &first = Nodes[a], &second = Nodes[b];
    if (first.Digit != second.Digit)
        return -1;
    const SquareBits both = first.Squares | second.Squares;
    for (int unit = 0; unit < UnitCount; ++unit)
        if (both.Within(UnitBits[unit]) && (Start.Places(first.Digit) & UnitBits[unit]) == both)
            return unit;
    return -1;
}

int ChainGraph::SharedUnit(SquareBits squares)
{
    const int first = squares.First();
    for (int unit : UnitsOfSquare[first])
        if (squares.Within(UnitBits[unit]))
            return unit;
    return -1;
}

} // namespace quorix::hint
