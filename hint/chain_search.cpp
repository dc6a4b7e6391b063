#include "hint/chain_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

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

// The breadth-first search works on sets of nodes, a word per 64 nodes: a level's weak links
// are the union of its nodes' weak sets, and each level is kept so that an accepted end's path
// can be traced back through it.
class Search
{
public:
    Search(const ChainGraph &graph, const ChainRules &rules)
        : Graph(graph), Rules(rules), Words(graph.Words()),
          MaxLinks(std::min(rules.MaxLinks, MaxPath - 1))
    {
        Levels.assign(static_cast<std::size_t>(MaxLinks + 1) * Words, 0);
        for (auto &reached : Reached)
            reached.assign(Words, 0);
    }

    bool Run(Chain &chain);

private:
    int FromStart(int start, int maxLinks);
    bool Accept(int start, int end, int links);
    int LinkedFrom(int next, int links);
    void TracePath(int end, int links);

    [[nodiscard]] std::uint64_t *Level(int links)
    {
        return Levels.data() + static_cast<std::size_t>(links) * Words;
    }
    [[nodiscard]] static bool Has(const std::uint64_t *set, int node)
    {
        return (set[node / 64] >> (node % 64)) & 1;
    }
    // Whether a link of the kind that leads to level `links` joins `from` to `to`.
    [[nodiscard]] bool Linked(int from, int to, int links) const
    {
        if (links % 2 == 0)
            return Has(Graph.Weak(from).data(), to);
        const auto strong = Graph.Strong(from);
        return std::find(strong.begin(), strong.end(), to) != strong.end();
    }

    const ChainGraph &Graph;
    const ChainRules &Rules;
    std::size_t Words;
    int MaxLinks;
    // Level k: the nodes first reached after k links (true after an odd number, false after an
    // even one); Reached: every node reached so far as false, and as true.
    std::vector<std::uint64_t> Levels;
    std::vector<std::uint64_t> Reached[2];
    // The chain being checked, and what it concludes.
    std::array<std::uint16_t, MaxPath> Path{};
    CandidateBits Found{};
    bool Loop = false;
};

// The lowest-numbered node of level `links` - 1 that links on to `next`, or -1.
int Search::LinkedFrom(int next, int links)
{
    const std::uint64_t *level = Level(links - 1);
    for (std::size_t w = 0; w < Words; ++w)
        for (std::uint64_t bits = level[w]; bits; bits &= bits - 1) {
            const int node = static_cast<int>(w * 64) + std::countr_zero(bits);
            if (Linked(node, next, links))
                return node;
        }
    return -1;
}

// Traces a path back from `end` (reached after `links` links) through the levels into Path.
void Search::TracePath(int end, int links)
{
    Path[static_cast<std::size_t>(links)] = static_cast<std::uint16_t>(end);
    for (int i = links; i > 0; --i) {
        const int node = LinkedFrom(Path[static_cast<std::size_t>(i)], i);
        assert(node >= 0 && "a node reached after i links links on from a node reached before");
        Path[static_cast<std::size_t>(i - 1)] = static_cast<std::uint16_t>(node);
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
    std::fill(Level(0), Level(0) + Words, 0);
    Level(0)[start / 64] |= std::uint64_t{1} << (start % 64);
    Reached[0][start / 64] |= std::uint64_t{1} << (start % 64);
    for (int links = 1; links <= maxLinks; ++links) {
        const int truth = links % 2; // a strong link makes the next node true, a weak one false
        const std::uint64_t *from = Level(links - 1);
        std::uint64_t *next = Level(links);
        std::fill(next, next + Words, 0);
        for (std::size_t w = 0; w < Words; ++w)
            for (std::uint64_t bits = from[w]; bits; bits &= bits - 1) {
                const int node = static_cast<int>(w * 64) + std::countr_zero(bits);
                if (truth) {
                    for (std::uint16_t to : Graph.Strong(node))
                        next[to / 64] |= std::uint64_t{1} << (to % 64);
                } else {
                    const std::uint64_t *weak = Graph.Weak(node).data();
                    for (std::size_t v = 0; v < Words; ++v)
                        next[v] |= weak[v];
                }
            }
        std::uint64_t any = 0;
        for (std::size_t w = 0; w < Words; ++w) {
            next[w] &= ~Reached[truth][w];
            Reached[truth][w] |= next[w];
            any |= next[w];
        }
        if (!any)
            return 0;
        for (std::size_t w = 0; truth && links >= Rules.MinLinks && w < Words; ++w)
            for (std::uint64_t bits = next[w]; bits; bits &= bits - 1)
                if (Accept(start, static_cast<int>(w * 64) + std::countr_zero(bits), links))
                    return links;
    }
    return 0;
}

bool Search::Run(Chain &chain)
{
    // Starts in order of digit, then first square: keys sort as plain numbers.
    std::vector<std::uint32_t> starts;
    starts.reserve(static_cast<std::size_t>(Graph.NodeCount()));
    for (int node = 0; node < Graph.NodeCount(); ++node) {
        const ChainNode &n = Graph.Node(node);
        const auto key = static_cast<std::uint32_t>(n.Digit * 81 + n.Squares.First());
        starts.push_back(key << 16 | static_cast<std::uint32_t>(node));
    }
    std::sort(starts.begin(), starts.end());
    int best = MaxLinks + 2;
    for (std::uint32_t key : starts) {
        const int links = FromStart(static_cast<int>(key & 0xFFFF), best - 2);
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
    return best <= MaxLinks;
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
