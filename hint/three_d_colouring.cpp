// 3D colouring: candidates joined by strong links (the only two candidates of a square, the only
// two places of a digit in a unit) are coloured in turn with two colours. Each such link holds
// exactly one true candidate, so in every solution one colour is all true and the other all
// false. A colour that would break the board is false, and its candidates go; a candidate that
// is false whichever colour is true goes.
//
// Search order: clusters of linked candidates by their lowest candidate (square, then digit).
// Within a cluster the contradictions come first, each rule for colour A, then colour B: two
// candidates of one colour in a square, a digit twice in a unit in one colour, a square that one
// colour would leave without a candidate. Then the eliminations: squares holding both colours,
// candidates seeing their digit in both colours, candidates whose square holds one colour and
// which see their digit in the other.
#include "hint/digit_squares.h"
#include "hint/finders.h"
#include "hint/wording.h"

#include <bit>
#include <string>
#include <vector>

namespace quorix::hint {

namespace {

constexpr int NodeCount = 81 * 9;

constexpr int NodeOf(int square, int digit)
{
    return square * 9 + digit;
}

struct Cluster
{
    // Colours[c][d]: the squares whose candidate d has colour c.
    std::array<DigitSquares, 2> Colours{};
    // The squares holding a candidate of colour c.
    std::array<SquareBits, 2> Holding{};
    // Seen[c][d]: the squares that see a candidate d of colour c.
    std::array<DigitSquares, 2> Seen{};
};

// Calls `visit` with every candidate that a strong link joins to `digit` in `square`.
template <typename Visit>
void ForStrongLinks(const Position &position, int square, int digit, Visit visit)
{
    const auto others = static_cast<DigitMask>(position.Candidates(square) & ~DigitBit(digit));
    if (others != 0 && (others & (others - 1)) == 0)
        visit(NodeOf(square, std::countr_zero(others)));
    for (int unit : UnitsOfSquare[square]) {
        const SquareBits rest = (position.Places(digit) & UnitBits[unit]) - SquareBits::Of(square);
        if (rest.Any() && (rest - SquareBits::Of(rest.First())).Empty())
            visit(NodeOf(rest.First(), digit));
    }
}

// Colours every candidate linked to `start`, breadth first from it with colour A; `colour`
// marks each candidate reached, so that no cluster is grown twice.
Cluster GrowCluster(const Position &position, int start, std::array<std::int8_t, NodeCount> &colour)
{
    Cluster cluster;
    std::array<std::int16_t, NodeCount> queue;
    int head = 0, tail = 0;
    colour[start] = 0;
    queue[tail++] = static_cast<std::int16_t>(start);
    while (head < tail) {
        const int node = queue[head++];
        const int square = node / 9, digit = node % 9, own = colour[node];
        cluster.Colours[own][digit].Add(square);
        cluster.Holding[own].Add(square);
        cluster.Seen[own][digit] |= PeerBits[square];
        ForStrongLinks(position, square, digit, [&](int next) {
            if (colour[next] >= 0)
                return;
            colour[next] = static_cast<std::int8_t>(1 - own);
            queue[tail++] = static_cast<std::int16_t>(next);
        });
    }
    return cluster;
}

bool HasStrongLink(const Position &position, int square, int digit)
{
    bool linked = false;
    ForStrongLinks(position, square, digit, [&](int) { linked = true; });
    return linked;
}

const char *ColourName(int colour)
{
    return colour == 0 ? "colour A" : "colour B";
}

// The digits of colour `colour` in `square`.
DigitMask DigitsAt(const Cluster &cluster, int colour, int square)
{
    DigitMask digits = 0;
    for (int digit = 0; digit < 9; ++digit)
        if (cluster.Colours[colour][digit].Has(square))
            digits |= DigitBit(digit);
    return digits;
}

// "Colour the candidates ... Colour A: 3 (row 1, column 2; row 4, column 5) and 7 (...). Colour
// B: ...."
std::string ClusterText(const Cluster &cluster)
{
    std::string text = "Colour the candidates joined by strong links (the only two candidates of "
                       "a square, the only two places of a digit in a unit) in turn, so that one "
                       "colour is all true and the other all false.";
    for (int colour = 0; colour < 2; ++colour) {
        std::vector<std::string> items;
        for (int digit = 0; digit < 9; ++digit)
            if (cluster.Colours[colour][digit].Any())
                items.push_back(DigitName(digit) + " (" + SquareList(cluster.Colours[colour][digit])
                                + ")");
        text += " ";
        text += Capitalised(ColourName(colour)) + ": " + JoinAnd(items) + ".";
    }
    return text;
}

// Fills `step` with the cluster, its strikes and the sentence's ending.
void Fill(const Cluster &cluster, const DigitSquares &strikes, const std::string &reason,
          Step &step)
{
    step = Step{};
    step.Kind = Technique::ThreeDColouring;
    step.Name = std::string(NameOf(step.Kind));
    step.Strikes = CandidatesOf(strikes);
    step.Pattern = cluster.Holding[0] | cluster.Holding[1];
    step.Sentence = ClusterText(cluster) + " " + reason;
}

// A colour that puts two of its candidates in one square.
bool TwoInOneSquare(const Cluster &cluster, int colour, std::string &reason)
{
    SquareBits once, twice;
    for (SquareBits squares : cluster.Colours[colour]) {
        twice |= once & squares;
        once |= squares;
    }
    if (twice.Empty())
        return false;
    const int square = twice.First();
    reason = Capitalised(ColourName(colour)) + " holds both "
             + DigitList(DigitsAt(cluster, colour, square)) + " in " + SquareName(square)
             + ", but a square takes one digit";
    return true;
}

// A colour that puts one digit twice in a unit.
bool TwiceInOneUnit(const Cluster &cluster, int colour, std::string &reason, int &unit)
{
    for (int digit = 0; digit < 9; ++digit) {
        const SquareBits squares = cluster.Colours[colour][digit];
        if (squares.Count() < 2)
            continue;
        for (unit = 0; unit < UnitCount; ++unit) {
            const SquareBits inUnit = squares & UnitBits[unit];
            if (inUnit.Count() < 2)
                continue;
            reason = Capitalised(ColourName(colour)) + " holds the " + DigitName(digit)
                     + " twice in " + UnitName(unit) + " (" + SquareList(inUnit)
                     + "), but a unit takes each digit once";
            return true;
        }
    }
    return false;
}

// A colour that would leave a square outside the cluster without a candidate.
bool EmptiesASquare(const Position &position, const Cluster &cluster, int colour,
                    std::string &reason)
{
    SquareBits emptied = position.EmptySquares() - cluster.Holding[0] - cluster.Holding[1];
    for (int digit = 0; digit < 9; ++digit)
        emptied -= position.Places(digit) - cluster.Seen[colour][digit];
    if (emptied.Empty())
        return false;
    const int square = emptied.First();
    reason = "If " + std::string(ColourName(colour)) + " were true, " + SquareName(square)
             + " would have no candidate left, since each of its candidates ("
             + DigitList(position.Candidates(square)) + ") sees one of " + ColourName(colour)
             + ", but every square takes a digit";
    return true;
}

bool FindContradiction(const Position &position, const Cluster &cluster, Step &step)
{
    std::string reason;
    int unit = -1;
    for (int rule = 0; rule < 3; ++rule)
        for (int colour = 0; colour < 2; ++colour) {
            const bool found = rule == 0   ? TwoInOneSquare(cluster, colour, reason)
                               : rule == 1 ? TwiceInOneUnit(cluster, colour, reason, unit)
                                           : EmptiesASquare(position, cluster, colour, reason);
            if (!found)
                continue;
            Fill(cluster, cluster.Colours[colour],
                 reason + ". So " + ColourName(colour) + " is false, and all its candidates go.",
                 step);
            if (rule == 1)
                step.Units.push_back(static_cast<std::uint8_t>(unit));
            return true;
        }
    return false;
}

// "row 3, column 3 holds" or "rows 3 and 4, column 3 hold".
std::string Subject(SquareBits squares, const char *one, const char *several)
{
    return SquareList(squares) + (squares.Count() == 1 ? one : several);
}

// A square holding a candidate of each colour is one of those two: its other candidates go.
bool BothColoursInASquare(const Position &position, const Cluster &cluster, Step &step)
{
    DigitSquares strikes{};
    SquareBits losing;
    for (int square : cluster.Holding[0] & cluster.Holding[1]) {
        const DigitMask coloured = DigitsAt(cluster, 0, square) | DigitsAt(cluster, 1, square);
        for (int digit = 0; digit < 9; ++digit)
            if (position.HasCandidate(square, digit) && !(coloured & DigitBit(digit))) {
                strikes[digit].Add(square);
                losing.Add(square);
            }
    }
    if (losing.Empty())
        return false;
    const bool one = losing.Count() == 1;
    Fill(cluster, strikes,
         Capitalised(Subject(losing, " holds", " each hold")) + " a candidate of each colour, so "
             + (one ? "it is" : "each is")
             + " one of those two whichever colour is true, and the other candidates there go.",
         step);
    return true;
}

// A candidate that sees its digit in both colours is false whichever colour is true.
bool SeesBothColours(const Position &position, const Cluster &cluster, Step &step)
{
    DigitSquares strikes{};
    std::string reasons;
    for (int digit = 0; digit < 9; ++digit) {
        strikes[digit] = (position.Places(digit) & cluster.Seen[0][digit] & cluster.Seen[1][digit])
                         - cluster.Colours[0][digit] - cluster.Colours[1][digit];
        if (strikes[digit].Empty())
            continue;
        reasons += reasons.empty() ? "" : " ";
        reasons += Capitalised(Subject(strikes[digit], " sees", " see")) + " " + ADigit(digit)
                   + " of each colour, so whichever colour is true, "
                   + (strikes[digit].Count() == 1 ? "it" : "they") + " cannot be "
                   + DigitName(digit) + ".";
    }
    if (reasons.empty())
        return false;
    Fill(cluster, strikes, reasons, step);
    return true;
}

// A candidate whose square holds one colour and which sees its digit in the other: if the
// first colour is true the square is that colour's digit, if the other is, the digit is seen.
bool HoldsOneSeesOther(const Position &position, const Cluster &cluster, Step &step)
{
    DigitSquares strikes{};
    std::string reasons;
    for (int own = 0; own < 2; ++own)
        for (int digit = 0; digit < 9; ++digit) {
            const SquareBits losing =
                (position.Places(digit) & cluster.Holding[own] & cluster.Seen[1 - own][digit])
                - cluster.Colours[0][digit] - cluster.Colours[1][digit] - strikes[digit];
            if (losing.Empty())
                continue;
            strikes[digit] |= losing;
            const bool one = losing.Count() == 1;
            reasons += reasons.empty() ? "" : " ";
            reasons += Capitalised(Subject(losing, " holds", " each hold")) + " a candidate of "
                       + ColourName(own) + " and " + (one ? "sees " : "see ") + ADigit(digit)
                       + " of " + ColourName(1 - own) + ", so whichever colour is true, "
                       + (one ? "it" : "they") + " cannot be " + DigitName(digit) + ".";
        }
    if (reasons.empty())
        return false;
    Fill(cluster, strikes, reasons, step);
    return true;
}

} // namespace

bool FindThreeDColouring(const Position &position, Step &step)
{
    std::array<std::int8_t, NodeCount> colour;
    colour.fill(-1);
    for (int square : position.EmptySquares())
        for (int digit = 0; digit < 9; ++digit) {
            if (!position.HasCandidate(square, digit) || colour[NodeOf(square, digit)] >= 0
                || !HasStrongLink(position, square, digit))
                continue;
            const Cluster cluster = GrowCluster(position, NodeOf(square, digit), colour);
            if (FindContradiction(position, cluster, step)
                || BothColoursInASquare(position, cluster, step)
                || SeesBothColours(position, cluster, step)
                || HoldsOneSeesOther(position, cluster, step))
                return true;
        }
    return false;
}

} // namespace quorix::hint
