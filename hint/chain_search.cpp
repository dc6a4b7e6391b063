#include "hint/chain_search.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quorix::hint {

namespace {

constexpr int MaxPath = 64;

// Candidates as one square set per digit.
using CandidateBits = std::array<SquareBits, 9>;

bool AnyOf(const CandidateBits &bits)
{
    return std::any_of(bits.begin(), bits.end(), [](SquareBits set) { return set.Any(); });
}

// The candidates that can hold together with neither node `a` nor node `b`.
void CommonConflicts(const ChainGraph &graph, int a, int b, CandidateBits &out)
{
    const ChainNode &first = graph.Node(a), &second = graph.Node(b);
    const Position &position = graph.Board();
    if (first.Digit == second.Digit) {
        out[first.Digit] |= position.Places(first.Digit) & first.Seen & second.Seen;
        return;
    }
    if (first.Square >= 0 && first.Square == second.Square) {
        for (int digit = 0; digit < 9; ++digit)
            if (digit != first.Digit && digit != second.Digit
                && position.HasCandidate(first.Square, digit))
                out[digit].Add(first.Square);
        return;
    }
    if (first.Square >= 0 && second.Seen.Has(first.Square)
        && position.HasCandidate(first.Square, second.Digit))
        out[second.Digit].Add(first.Square);
    if (second.Square >= 0 && first.Seen.Has(second.Square)
        && position.HasCandidate(second.Square, first.Digit))
        out[first.Digit].Add(second.Square);
}

// Whether some candidate can hold together with neither node `a` nor node `b`.
bool AnyCommonConflict(const ChainGraph &graph, int a, int b)
{
    const ChainNode &first = graph.Node(a), &second = graph.Node(b);
    const Position &position = graph.Board();
    if (first.Digit == second.Digit)
        return (position.Places(first.Digit) & first.Seen & second.Seen).Any();
    if (first.Square >= 0 && first.Square == second.Square)
        return (position.Candidates(first.Square)
                & ~(DigitBit(first.Digit) | DigitBit(second.Digit)))
               != 0;
    return (first.Square >= 0 && second.Seen.Has(first.Square)
            && position.HasCandidate(first.Square, second.Digit))
           || (second.Square >= 0 && first.Seen.Has(second.Square)
               && position.HasCandidate(second.Square, first.Digit));
}

// Whether nodes `a` and `b` cannot both hold.
bool Exclusive(const ChainGraph &graph, int a, int b)
{
    const ChainNode &first = graph.Node(a), &second = graph.Node(b);
    if (first.Digit == second.Digit)
        return second.Squares.Within(first.Seen);
    return first.Square >= 0 && first.Square == second.Square;
}

class Search
{
public:
    Search(const ChainGraph &graph, const ChainRules &rules) : Graph(graph), Rules(rules)
    {
        const auto words = static_cast<std::size_t>(graph.NodeCount() + 63) / 64;
        for (int truth = 0; truth < 2; ++truth) {
            Reached[truth].assign(words, 0);
            Parent[truth].assign(static_cast<std::size_t>(graph.NodeCount()), -1);
        }
        Queue.reserve(2 * static_cast<std::size_t>(graph.NodeCount()));
    }

    bool Run(Chain &chain);

private:
    int FromStart(int start, int maxLinks);
    bool Accept(int start, int end, int links);
    void TracePath(int end, int links);

    bool Mark(int truth, int node)
    {
        std::uint64_t &word = Reached[truth][static_cast<std::size_t>(node) / 64];
        const std::uint64_t bit = std::uint64_t{1} << (node % 64);
        if (word & bit)
            return false;
        word |= bit;
        return true;
    }

    const ChainGraph &Graph;
    const ChainRules &Rules;
    std::vector<std::uint64_t> Reached[2];
    std::vector<std::int16_t> Parent[2];
    std::vector<std::uint16_t> Queue;
    // The chain being checked, and what it concludes.
    std::array<std::uint16_t, MaxPath> Path{};
    CandidateBits Found{};
    bool Loop = false;
};

// Walks the parents back from `end` (reached as true after `links` links) into Path.
void Search::TracePath(int end, int links)
{
    int node = end, truth = 1;
    Path[static_cast<std::size_t>(links)] = static_cast<std::uint16_t>(end);
    for (int i = links - 1; i >= 0; --i) {
        node = Parent[truth][static_cast<std::size_t>(node)];
        truth ^= 1;
        Path[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(node);
    }
}

bool Search::Accept(int start, int end, int links)
{
    if (links < Rules.MinLinks)
        return false;
    if (Rules.SameDigitEnds && Graph.Node(start).Digit != Graph.Node(end).Digit)
        return false;
    // Most ends strike nothing: test that before tracing the path back. (An end that is the
    // start strikes what conflicts with the start.)
    Loop = end != start && Exclusive(Graph, start, end);
    if (!Loop && !AnyCommonConflict(Graph, start, end))
        return false;
    TracePath(end, links);
    if (links < Rules.MinOneDigitLinks && OneDigitPlain(Graph, Path.data(), links + 1))
        return false;
    Found = {};
    if (!Loop)
        CommonConflicts(Graph, start, end, Found);
    for (int i = 1; Loop && i <= links; i += 2)
        CommonConflicts(Graph, Path[static_cast<std::size_t>(i)],
                        Path[static_cast<std::size_t>((i + 1) % (links + 1))], Found);
    return AnyOf(Found);
}

// A breadth-first search from `start` taken as false; the length of the first productive
// chain (its path in Path), or 0.
int Search::FromStart(int start, int maxLinks)
{
    for (auto &reached : Reached)
        std::fill(reached.begin(), reached.end(), 0);
    Queue.clear();
    Queue.push_back(static_cast<std::uint16_t>(start));
    Mark(0, start);
    std::size_t levelBegin = 0, levelEnd = 1;
    for (int links = 1; links <= maxLinks && levelBegin < levelEnd; ++links) {
        const int truth = links % 2; // a strong link makes the next node true, a weak one false
        for (std::size_t q = levelBegin; q < levelEnd; ++q) {
            const int node = Queue[q];
            for (std::uint16_t next : truth ? Graph.Strong(node) : Graph.Weak(node)) {
                if (!Mark(truth, next))
                    continue;
                Parent[truth][next] = static_cast<std::int16_t>(node);
                Queue.push_back(next);
                if (truth && Accept(start, next, links))
                    return links;
            }
        }
        levelBegin = levelEnd;
        levelEnd = Queue.size();
    }
    return 0;
}

bool Search::Run(Chain &chain)
{
    std::vector<std::uint16_t> starts;
    starts.reserve(static_cast<std::size_t>(Graph.NodeCount()));
    for (int node = 0; node < Graph.NodeCount(); ++node)
        starts.push_back(static_cast<std::uint16_t>(node));
    std::sort(starts.begin(), starts.end(), [this](int a, int b) {
        const ChainNode &first = Graph.Node(a), &second = Graph.Node(b);
        if (first.Digit != second.Digit)
            return first.Digit < second.Digit;
        if (first.Squares.First() != second.Squares.First())
            return first.Squares.First() < second.Squares.First();
        return a < b;
    });
    int best = std::min(Rules.MaxLinks, MaxPath - 1) + 2;
    for (int start : starts) {
        const int links = FromStart(start, best - 2);
        if (links == 0)
            continue;
        best = links;
        chain.Nodes.assign(Path.begin(), Path.begin() + links + 1);
        chain.Loop = Loop;
        chain.Strikes.clear();
        for (int square = 0; square < 81; ++square)
            for (int digit = 0; digit < 9; ++digit)
                if (Found[digit].Has(square))
                    chain.Strikes.push_back(
                        {static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
        if (best <= Rules.MinLinks)
            break;
    }
    return best <= std::min(Rules.MaxLinks, MaxPath - 1);
}

} // namespace

bool OneDigitPlain(const ChainGraph &graph, const std::uint16_t *nodes, int count)
{
    for (int i = 0; i < count; ++i)
        if (graph.Node(nodes[i]).Square < 0
            || graph.Node(nodes[i]).Digit != graph.Node(nodes[0]).Digit)
            return false;
    return true;
}

bool FindChain(const ChainGraph &graph, const ChainRules &rules, Chain &chain)
{
    Search search(graph, rules);
    return search.Run(chain);
}

} // namespace quorix::hint
