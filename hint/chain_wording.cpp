// The step and the sentence of a chain: the chain walked node by node as "if ... then ... so
// ...", its conclusion, and the candidates it strikes.
#include "hint/chain_search.h"
#include "hint/wording.h"

#include <algorithm>

namespace quorix::hint {

namespace {

// Chains with more nodes than this are told by their first links and their end.
constexpr int NodesToName = 8;

// "row 2, column 3 is 7", "the 7 is not in row 2, columns 1 and 2".
std::string Statement(const ChainNode &node, bool holds)
{
    const std::string digit = DigitName(node.Digit);
    if (node.Square >= 0)
        return SquareName(node.Square) + (holds ? " is " : " is not ") + digit;
    return "the " + digit + (holds ? " is in " : " is not in ") + SquareList(node.Squares);
}

std::string Walk(const ChainGraph &graph, const Chain &chain)
{
    const auto count = static_cast<int>(chain.Nodes.size());
    const bool summarise = count > NodesToName;
    std::string text = "If " + Statement(graph.Node(chain.Nodes[0]), false) + ", then "
                       + Statement(graph.Node(chain.Nodes[1]), true);
    if (summarise)
        return text + ", and following the chain on through " + std::to_string(count - 2)
               + " more links (the marked squares), "
               + Statement(graph.Node(chain.Nodes.back()), true) + ".";
    for (int i = 2; i < count; ++i)
        text += ", so " + Statement(graph.Node(chain.Nodes[i]), i % 2 == 1);
    return text + ".";
}

// "strike 7 from row 4, column 3", "strike 1 and 9 from row 2, column 3" when the strikes are
// all in one square, or one sentence per digit: "strike 4 from row 7, column 8. Strike 8 from
// row 4, column 9".
std::string StrikesPhrase(const std::vector<Candidate> &strikes)
{
    const bool oneSquare = std::all_of(strikes.begin(), strikes.end(), [&](Candidate strike) {
        return strike.Square == strikes.front().Square;
    });
    if (oneSquare) {
        unsigned digits = 0;
        for (Candidate strike : strikes)
            digits |= 1u << strike.Digit;
        return "strike " + DigitList(digits) + " from " + SquareName(strikes.front().Square);
    }
    std::string text;
    for (int digit = 0; digit < 9; ++digit) {
        SquareBits squares;
        for (Candidate strike : strikes)
            if (strike.Digit == digit)
                squares.Add(strike.Square);
        if (squares.Any())
            text += std::string(text.empty() ? "strike " : ". Strike ") + DigitName(digit)
                    + " from " + SquareList(squares);
    }
    return text;
}

std::string Conclusion(const ChainGraph &graph, const Chain &chain)
{
    const ChainNode &start = graph.Node(chain.Nodes.front());
    const ChainNode &end = graph.Node(chain.Nodes.back());
    if (chain.Nodes.front() == chain.Nodes.back())
        return " That contradicts the start, so " + Statement(start, true) + ": "
               + StrikesPhrase(chain.Strikes) + ".";
    if (chain.Loop)
        return " The two ends cannot both hold, so the chain closes into a loop in which every "
               "link holds both ways: "
               + StrikesPhrase(chain.Strikes) + ".";
    if (start.Digit == end.Digit) {
        SquareBits targets;
        for (Candidate strike : chain.Strikes)
            targets.Add(strike.Square);
        return " So one of the two ends holds the " + DigitName(start.Digit) + ": "
               + StrikesPhrase(chain.Strikes)
               + (targets.Count() == 1 ? ", which sees both." : ", which see both.");
    }
    return " So " + Statement(start, true) + " or " + Statement(end, true) + ": "
           + StrikesPhrase(chain.Strikes) + ".";
}

} // namespace

void DescribeChain(const ChainGraph &graph, const Chain &chain, Technique kind,
                   const std::string &name, Step &step)
{
    step = Step{};
    step.Kind = kind;
    step.Name = name;
    step.Strikes = chain.Strikes;
    step.Digit = graph.Node(chain.Nodes.front()).Digit;
    for (std::size_t i = 0; i < chain.Nodes.size(); ++i) {
        const ChainNode &node = graph.Node(chain.Nodes[i]);
        step.Pattern |= node.Squares;
        if (node.Digit != step.Digit)
            step.Digit = -1;
        if (i + 1 == chain.Nodes.size())
            break;
        // Strong links are looked at through their unit; weak ones through a unit both share.
        const int next = chain.Nodes[i + 1];
        int unit = i % 2 == 0 ? graph.StrongUnit(chain.Nodes[i], next) : -1;
        if (i % 2 == 1 && node.Digit == graph.Node(next).Digit)
            unit = ChainGraph::SharedUnit(node.Squares | graph.Node(next).Squares);
        if (unit >= 0 && std::find(step.Units.begin(), step.Units.end(), unit) == step.Units.end())
            step.Units.push_back(static_cast<std::uint8_t>(unit));
    }
    step.Sentence = Walk(graph, chain) + Conclusion(graph, chain);
}

} // namespace quorix::hint
