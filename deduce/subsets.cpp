// Pairs and triples: digits shut into as many squares of one unit.
//
// The step of either rule is the first that a walk over every two- or three-digit mask M in
// ascending order, per unit, meets. Only a mask some square holds exactly can make a naked
// subset, and a hidden pair needs two digits alive in the same two squares, so each unit is
// searched for the lowest M that gives a step (naked before hidden for the same M) instead of
// trying all 36 or 84 masks.
#include "deduce/rules.h"

namespace quorix {

namespace {

constexpr unsigned NoMask = 0x400; // above every nine-bit mask

// The count of digit `d` in unit `u` of type `t`.
unsigned CountIn(const CandidateView &view, int d, int t, int u)
{
    return static_cast<unsigned>(view.Counts[d][t] >> (4 * u)) & 15U;
}

// The lowest mask of n digits that exactly n squares of the unit hold exactly, where another
// square of the unit shares one of its digits (something to strike); NoMask if none. Each
// holder has every digit of the mask, so another square shares one exactly when a digit of
// the mask is alive in more than n squares of the unit.
unsigned LowestNakedMask(const CandidateView &view, int t, int u, int n)
{
    const SquareSet sized = view.BySize[n] & UnitSets[t][u];
    std::array<unsigned, 9> shapes; // the first `count` are written below
    int count = 0;
    for (std::uint64_t w = sized.Low; w != 0; w &= w - 1)
        shapes[count++] = view.Masks[std::countr_zero(w)];
    for (std::uint64_t w = sized.High; w != 0; w &= w - 1)
        shapes[count++] = view.Masks[64 + std::countr_zero(w)];
    unsigned best = NoMask;
    for (int i = 0; i < count; ++i) {
        const unsigned mask = shapes[i];
        if (mask >= best)
            continue;
        int holders = 0;
        for (int j = 0; j < count; ++j)
            holders += shapes[j] == mask ? 1 : 0;
        if (holders != n)
            continue;
        for (unsigned rest = mask; rest != 0; rest &= rest - 1) {
            if (CountIn(view, std::countr_zero(rest), t, u) > static_cast<unsigned>(n)) {
                best = mask;
                break;
            }
        }
    }
    return best;
}

// Whether a set holds at least two squares.
bool AtLeastTwo(SquareSet squares)
{
    return (squares.Low & (squares.Low - 1)) != 0 || (squares.High & (squares.High - 1)) != 0
           || (squares.Low != 0 && squares.High != 0);
}

// Whether a set holds at least three squares.
bool AtLeastThree(SquareSet squares)
{
    // Without the lowest square, at least two are left.
    if (squares.Low != 0)
        squares.Low &= squares.Low - 1;
    else
        squares.High &= squares.High - 1;
    return AtLeastTwo(squares);
}

// The lowest pair of digits both alive in the same two squares of the unit and nowhere else in
// it, where those squares hold some other candidate to strike; NoMask if none.
unsigned LowestHiddenPair(const CandidateView &view, unsigned exactlyTwice, SquareSet unitSquares)
{
    if ((exactlyTwice & (exactlyTwice - 1)) == 0) // fewer than two such digits
        return NoMask;
    unsigned best = NoMask;
    for (unsigned lows = exactlyTwice; lows != 0; lows &= lows - 1) {
        const int low = std::countr_zero(lows);
        const SquareSet places = view.Places[low] & unitSquares;
        for (unsigned highs = lows & (lows - 1); highs != 0; highs &= highs - 1) {
            const int high = std::countr_zero(highs);
            const unsigned pair = (1U << low) | (1U << high);
            if (pair >= best || (view.Places[high] & unitSquares) != places)
                continue;
            const unsigned extras =
                (view.Masks[places.Lowest()] | view.Masks[places.Highest()]) & ~pair;
            if (extras != 0)
                best = pair;
        }
    }
    return best;
}

void RecordStrike(FoundStep &step, int square, int d, int u, int t)
{
    SetStrike(step, square, d, u, t);
    step.Numbers[0] = static_cast<std::uint8_t>(square);
    step.Numbers[1] = static_cast<std::uint8_t>(d);
}

// A naked subset of n squares holding exactly `mask`: the first other square of the unit
// sharing a digit loses the highest digit of the mask it still holds.
void RecordNaked(FoundStep &step, const CandidateView &view, unsigned mask, int n, int u, int t)
{
    const auto &squares = UnitSquares[t][u];
    std::array<int, 3> members{};
    int found = 0;
    int target = -1;
    for (int p = 0; p < 9; ++p) {
        const unsigned held = view.Masks[squares[p]];
        if (held == mask) {
            if (found < n)
                members[found++] = squares[p];
        } else if (target < 0 && (held & mask) != 0) {
            target = squares[p];
        }
    }
    assert(found == n && target >= 0 && "only masks with a step reach here");
    const unsigned shared = view.Masks[target] & mask;
    RecordStrike(step, target, std::bit_width(shared) - 1, u, t);
    step.Wording = n == 3 ? StepWording::NakedTriple : StepWording::NakedPair;
    for (int i = 0; i < n; ++i)
        step.Numbers[2 + i] = static_cast<std::uint8_t>(members[i]);
    FinishWording(step);
}

// A hidden pair: the second square's lowest extra candidate goes first, else the first's.
void RecordHidden(FoundStep &step, const CandidateView &view, SquareSet unitSquares, unsigned pair,
                  int u, int t)
{
    const int low = std::countr_zero(pair);
    const int high = std::bit_width(pair) - 1;
    const SquareSet places = view.Places[low] & unitSquares;
    const int first = places.Lowest();
    const int second = places.Highest();
    const unsigned secondExtras = view.Masks[second] & ~pair;
    const int target = secondExtras != 0 ? second : first;
    RecordStrike(step, target, std::countr_zero(view.Masks[target] & ~pair), u, t);
    step.Wording = StepWording::HiddenPair;
    step.Numbers[2] = static_cast<std::uint8_t>(first);
    step.Numbers[3] = static_cast<std::uint8_t>(second);
    step.Numbers[4] = static_cast<std::uint8_t>(low);
    step.Numbers[5] = static_cast<std::uint8_t>(high);
    FinishWording(step);
}

} // namespace

bool FindPairs(const CandidateView &view, FoundStep &step, std::uint32_t &barren)
{
    for (int t = 0; t < 3; ++t) {
        const unsigned pending = ~(barren >> (9 * t)) & 0x1FFU;
        if (pending == 0)
            continue;
        // Per digit, the units of this type holding it exactly twice, and per unit how many
        // such digits: a hidden pair needs two.
        std::array<UnitCounts, DigitCount> twice;
        UnitCounts twiceDigits = 0;
        for (int d = 0; d < DigitCount; ++d) {
            twice[d] = view.UnitsHolding(d, t, 2);
            twiceDigits += twice[d] >> 3;
        }
        const UnitCounts hiddenHope =
            ~(UnitsCounting(twiceDigits, 0) | UnitsCounting(twiceDigits, 1)) & (OnePerUnit * 8);
        for (unsigned units = pending; units != 0; units &= units - 1) {
            const int u = std::countr_zero(units);
            const SquareSet unitSquares = UnitSets[t][u];
            // A naked pair needs two squares of two candidates.
            const unsigned naked =
                AtLeastTwo(view.BySize[2] & unitSquares) ? LowestNakedMask(view, t, u, 2) : NoMask;
            unsigned hidden = NoMask;
            if ((hiddenHope >> (4 * u + 3)) & 1U) {
                unsigned digits = 0;
                for (int d = 0; d < DigitCount; ++d)
                    digits |= static_cast<unsigned>((twice[d] >> (4 * u + 3)) & 1U) << d;
                hidden = LowestHiddenPair(view, digits, unitSquares);
            }
            if (naked == NoMask && hidden == NoMask) {
                barren |= 1U << (9 * t + u);
                continue;
            }
            if (naked <= hidden)
                RecordNaked(step, view, naked, 2, u, t);
            else
                RecordHidden(step, view, unitSquares, hidden, u, t);
            return true;
        }
    }
    return false;
}

bool FindTriples(const CandidateView &view, FoundStep &step, std::uint32_t &barren)
{
    for (int k = 0; k < 27; ++k) {
        if ((barren >> k) & 1U)
            continue;
        const int t = k / 9;
        const int u = k % 9;
        // A naked triple needs three squares of three candidates.
        const unsigned naked =
            AtLeastThree(view.BySize[3] & UnitSets[t][u]) ? LowestNakedMask(view, t, u, 3) : NoMask;
        if (naked == NoMask) {
            barren |= 1U << k;
            continue;
        }
        RecordNaked(step, view, naked, 3, u, t);
        return true;
    }
    return false;
}

bool FindPairs(const CandidateView &view, FoundStep &step)
{
    std::uint32_t barren = 0;
    return FindPairs(view, step, barren);
}

bool FindTriples(const CandidateView &view, FoundStep &step)
{
    std::uint32_t barren = 0;
    return FindTriples(view, step, barren);
}

} // namespace quorix
