// The link graph that the chain deductions search, built afresh for each position.
//
// A node is a digit in one square, or a grouped node: a digit in two or three squares of one
// group that share a line, true when one of them holds it. A strong link joins two nodes of
// which at least one holds (a digit's only two places, or groups of places, in a unit; the
// only two candidates of a square); a weak link joins two nodes of which at most one holds
// (the same digit in squares that all see each other; two candidates of one square).
//
// Only nodes with a strong link are kept: a chain alternates strong and weak links and starts
// and ends with a strong one, so every node it passes has one.
#pragma once

#include "hint/position.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quorix::hint {

// Which links a chain deduction may use.
struct LinkKinds
{
    bool UnitStrong = true;    // a digit's only two places (or grouped places) in a unit
    bool SquareStrong = false; // the only two candidates of a square
    bool SquareWeak = false;   // any two candidates of one square
    bool Groups = false;       // grouped nodes
};

struct ChainNode
{
    SquareBits Squares;
    // The squares that see every square of the node (none of its own).
    SquareBits Seen;
    std::int8_t Digit = 0;
    // The node's square, or -1 for a grouped node.
    std::int8_t Square = -1;
};

class ChainGraph
{
public:
    ChainGraph(const Position &position, LinkKinds kinds);

    [[nodiscard]] const Position &Board() const { return Start; }
    [[nodiscard]] int NodeCount() const { return static_cast<int>(Nodes.size()); }
    [[nodiscard]] const ChainNode &Node(int node) const { return Nodes[node]; }
    [[nodiscard]] std::span<const std::uint16_t> Strong(int node) const
    {
        return {StrongLinks[node].data(), StrongCount[node]};
    }
    // The nodes weakly linked to `node`, as a set of node numbers in Words() words.
    [[nodiscard]] std::span<const std::uint64_t> Weak(int node) const
    {
        return {WeakBits.data() + static_cast<std::size_t>(node) * WordCount, WordCount};
    }
    // The words of a set of nodes.
    [[nodiscard]] std::size_t Words() const { return WordCount; }
    // Whether the candidate `digit` of `square` cannot hold together with `node`.
    [[nodiscard]] bool Conflicts(int square, int digit, int node) const;
    // The unit in which `a` and `b` are the digit's only places, or -1 (a link inside a square,
    // or no strong link).
    [[nodiscard]] int StrongUnit(int a, int b) const;
    // A unit holding every square of both nodes, or -1.
    [[nodiscard]] static int SharedUnit(SquareBits squares);

private:
    // The node for `digit` in `squares` (made when new), or -1 when they make no node.
    int NodeOf(SquareBits squares, int digit);
    void AddStrong(int a, int b);
    void AddStrongLinks(const LinkKinds &kinds);
    // `mask`: the digit's places in the unit as its positions 0..8.
    void AddUnitLinks(int digit, int unit, unsigned mask, bool groups);
    void AddWeakLinks(const LinkKinds &kinds);

    const Position &Start;
    std::vector<ChainNode> Nodes;
    std::vector<std::array<std::uint16_t, 4>> StrongLinks;
    std::vector<std::uint8_t> StrongCount;
    std::size_t WordCount = 0;
    std::vector<std::uint64_t> WeakBits;
    // Node numbers by square * 9 + digit, and by (digit * 9 + group) * 6 + line within the
    // group (rows 0..2, columns 3..5); -1 where there is none.
    std::array<std::int16_t, 81 * 9> SingleIndex;
    std::array<std::int16_t, 9 * 9 * 6> GroupIndex;
    // The grouped nodes of each digit.
    std::array<std::array<std::int16_t, 9 * 6>, 9> Grouped;
    std::array<int, 9> GroupedCount;
};

} // namespace quorix::hint
