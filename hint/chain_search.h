// The chain search the chain deductions share: a breadth-first search of a position's link
// graph from every node in turn, which gives the shortest chain that strikes a candidate or
// sets a square.
//
// A chain starts at a node taken as false and follows, alternately, a strong link (so the next
// node holds) and a weak one (so the next node does not), ending on a strong link. Its two
// ends are then never both false, and any candidate that can hold together with neither end is
// struck. When the end cannot hold together with the start, the chain closes into a loop in
// which every link holds both ways (exactly one end of each link holds), and a candidate that
// conflicts with both ends of any weak link is struck. When the end is the start itself, the
// start holds, and what conflicts with it is struck.
#pragma once

#include "hint/chain_graph.h"
#include "hint/step.h"

#include <string>
#include <vector>

namespace quorix::hint {

struct ChainRules
{
    LinkKinds Links;
    // Chains shorter than MinLinks belong to simpler deductions; longer than MaxLinks are not
    // searched, which bounds the search and keeps a chain one can follow.
    int MinLinks = 3;
    int MaxLinks = 15;
    // Chains of one digit through single squares shorter than this are skyscrapers, kites and
    // turbot fish, found earlier.
    int MinOneDigitLinks = 0;
    // Only chains whose two ends are the same digit.
    bool SameDigitEnds = false;
};

struct Chain
{
    // The nodes in order, the start (taken as false) first; always an even count.
    std::vector<std::uint16_t> Nodes;
    // The end cannot hold together with the start.
    bool Loop = false;
    std::vector<Candidate> Strikes; // ascending by square, then digit
    [[nodiscard]] int Links() const { return static_cast<int>(Nodes.size()) - 1; }
};

// The shortest chain under `rules` that strikes a candidate; among chains of one length, the
// one from the first start in order of digit, then square. False when there is none within
// the length limit.
[[nodiscard]] bool FindChain(const ChainGraph &graph, const ChainRules &rules, Chain &chain);

// Whether every node of the chain is one digit in one square each.
[[nodiscard]] bool OneDigitPlain(const ChainGraph &graph, const std::uint16_t *nodes, int count);

// Fills `step` with the chain's strikes, its squares, its units and a sentence that walks the
// chain (summarised past a handful of nodes).
void DescribeChain(const ChainGraph &graph, const Chain &chain, Technique kind,
                   const std::string &name, Step &step);

} // namespace quorix::hint
