// The chain deductions: X-chains (one digit), XY-chains (squares with two candidates) and
// alternating chains (both mixed, with grouped places), each a search of its own link graph
// with the shared chain search, shortest chain first.
//
// So that the simplest chain comes first, X-chains and XY-chains are searched up to a few
// links only; past that, the alternating chain search, over every kind of link at once, finds
// the shortest chain of any kind, and a longer chain that is all one digit, or all squares of
// two candidates, keeps its plainer name.
#include "hint/chain_search.h"
#include "hint/finders.h"
#include "hint/nine_bits.h"

namespace quorix::hint {

namespace {

// Chains of one kind are searched up to this length before chains of every kind.
constexpr int ShortChain = 9;
// Longer chains are not searched: they are hard to follow, and the search stays quick.
constexpr int LongestChain = 15;

// Whether every strong link is inside a square and every weak link joins two squares on one
// digit, the two ends being the same digit: an XY-chain.
bool ThroughSquares(const ChainGraph &graph, const Chain &chain)
{
    const auto &nodes = chain.Nodes;
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
        const ChainNode &a = graph.Node(nodes[i]), &b = graph.Node(nodes[i + 1]);
        const bool strong = i % 2 == 0;
        if (a.Square < 0 || b.Square < 0 || (strong ? a.Square != b.Square : a.Digit != b.Digit))
            return false;
        if (strong && BitCount9(graph.Board().Candidates(a.Square)) != 2)
            return false;
    }
    return graph.Node(nodes.front()).Digit == graph.Node(nodes.back()).Digit;
}

// The chain's technique and name by what it passes through.
void NameChain(const ChainGraph &graph, const Chain &chain, Technique &kind, std::string &name)
{
    bool oneDigit = true, grouped = false;
    for (std::uint16_t node : chain.Nodes) {
        oneDigit = oneDigit && graph.Node(node).Digit == graph.Node(chain.Nodes[0]).Digit;
        grouped = grouped || graph.Node(node).Square < 0;
    }
    const char *ending = chain.Loop ? "loop" : "chain";
    if (oneDigit && !grouped) {
        kind = Technique::XChain;
        name = std::string("X-") + ending;
    } else if (oneDigit) {
        kind = Technique::AlternatingChain;
        name = std::string("Grouped X-") + ending;
    } else if (ThroughSquares(graph, chain)) {
        kind = Technique::XYChain;
        name = std::string("XY-") + ending;
    } else {
        kind = Technique::AlternatingChain;
        name = std::string("Alternating ") + ending;
    }
}

bool FindWith(const Position &position, const ChainRules &rules, Step &step)
{
    const ChainGraph graph(position, rules.Links);
    Chain chain;
    if (!FindChain(graph, rules, chain))
        return false;
    Technique kind = Technique::AlternatingChain;
    std::string name;
    NameChain(graph, chain, kind, name);
    DescribeChain(graph, chain, kind, name, step);
    return true;
}

} // namespace

bool FindXChain(const Position &position, Step &step)
{
    ChainRules rules;
    rules.Links = {.UnitStrong = true, .SquareStrong = false, .SquareWeak = false, .Groups = false};
    // Three links are a skyscraper, a two-string kite or a turbot fish.
    rules.MinLinks = 5;
    rules.MaxLinks = ShortChain;
    return FindWith(position, rules, step);
}

bool FindXYChain(const Position &position, Step &step)
{
    ChainRules rules;
    rules.Links = {.UnitStrong = false, .SquareStrong = true, .SquareWeak = false, .Groups = false};
    // Through two squares a chain is a naked pair, through three an XY-Wing.
    rules.MinLinks = 7;
    rules.MaxLinks = ShortChain;
    rules.SameDigitEnds = true;
    return FindWith(position, rules, step);
}

bool FindAlternatingChain(const Position &position, Step &step)
{
    ChainRules rules;
    rules.Links = {.UnitStrong = true, .SquareStrong = true, .SquareWeak = true, .Groups = true};
    rules.MinLinks = 3;
    rules.MinOneDigitLinks = 5;
    rules.MaxLinks = LongestChain;
    return FindWith(position, rules, step);
}

} // namespace quorix::hint
