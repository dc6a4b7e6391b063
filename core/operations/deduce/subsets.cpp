// Pairs and triples: digits shut into as many squares of one unit; the pair rule.
//
// The step of either rule is the first that a walk over every two- or three-digit mask M in
// ascending order, per unit, meets. Only a mask some square holds exactly can make a naked
// subset, and a hidden pair needs two digits alive in the same two squares, so each unit is
// searched for the lowest M that gives a step (naked before hidden for the same M) instead of
// trying all 36 or 84 masks.
#include "core/operations/deduce/subset_masks.h"

namespace quorix {
namespace {

void RecordStrike(FoundStep &step, int square, int d, int u, int t)
{
    SetStrike(step, square, d, u, t);
    step.Numbers[0] = static_cast<std::uint8_t>(square);
    step.Numbers[1] = static_cast<std::uint8_t>(d);
}

} // namespace

// The lowest mask of n digits that exactly n squares of the unit hold exactly, where another
// square of the unit shares one of its digits (something to strike); NoMask if none. Each
// holder has every digit of the mask, so another square shares one exactly when a digit of
// the mask is alive in more than n squares of the unit. `sizedCount` is the number of squares
// of n candidates in the unit where the caller knows it, else 0.
unsigned LowestNakedMask(const CandidateView &view, int t, int u, int n, unsigned sizedCount)
{
    const SquareSet sized = view.BySize[n] & UnitSets[t][u];
    // Just two squares of two candidates (the most common case): a pair when they match.
    if (n == 2 && sizedCount == 2) {
        const unsigned mask = view.Masks[sized.Lowest()];
        if (mask != view.Masks[sized.Highest()])
            return NoMask;
        for (unsigned rest = mask; rest != 0; rest &= rest - 1)
            if (view.CountIn(std::countr_zero(rest), t, u) > 2U)
                return mask;
        return NoMask;
    }
    std::array<unsigned, 9> shapes; // the first `count` are written below
    int count = 0;
    // Whether two of the squares hold the same mask, which any subset needs: mostly they
    // do not, and the unit is done with.
    std::array<std::uint64_t, 2> seen{};
    bool repeated = false;
    const auto take = [&](int square) {
        const unsigned mask = view.Masks[square];
        shapes[count++] = mask;
        const unsigned index = MaskIndexInSize[mask];
        const std::uint64_t bit = std::uint64_t{1} << (index & 63);
        repeated |= (seen[index >> 6] & bit) != 0;
        seen[index >> 6] |= bit;
    };
    for (std::uint64_t w = sized.Low; w != 0; w &= w - 1)
        take(std::countr_zero(w));
    for (std::uint64_t w = sized.High; w != 0; w &= w - 1)
        take(64 + std::countr_zero(w));
    if (!repeated)
        return NoMask;
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
            if (view.CountIn(std::countr_zero(rest), t, u) > static_cast<unsigned>(n)) {
                best = mask;
                break;
            }
        }
    }
    return best;
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

namespace {

// The units of `counts` whose count is at least `n` (1..3), flagged as by UnitsCounting.
UnitCounts UnitsCountingAtLeast(UnitCounts counts, unsigned n)
{
    UnitCounts fewer = 0;
    for (unsigned c = 0; c < n; ++c)
        fewer |= UnitsCounting(counts, c);
    return ~fewer & (OnePerUnit * 8);
}

// The units flagged in a result of UnitsCounting, as bits 0..8: the flags, four bits apart,
// are drawn together in four steps, each closing the gaps by half.
constexpr unsigned FlaggedUnits(UnitCounts flags)
{
    std::uint64_t x = (flags >> 3) & OnePerUnit; // unit u at bit 4u
    x = (x | (x >> 3)) & 0x0303030303;           // units 2j, 2j + 1 at bits 8j, 8j + 1
    x = (x | (x >> 6)) & 0x000F000F000F;         // units 4i..4i + 3 at bits 16i..
    x = (x | (x >> 12)) & 0x00000001000000FF;    // units 0..7 at 0..7, unit 8 at 32
    return static_cast<unsigned>((x | (x >> 24)) & 0x1FF);
}

static_assert(FlaggedUnits(0x800000008) == 0x101 && FlaggedUnits(0x888888888) == 0x1FF
              && FlaggedUnits(0x080808080) == 0xAA && FlaggedUnits(0x008000000) == 0x40);

// Per nine-bit row of squares: one in the field of each column it holds, and of each group
// of the top band it meets.
constexpr auto ColumnFieldsOfRow = [] {
    std::array<UnitCounts, 512> table{};
    for (unsigned row = 0; row < 512; ++row)
        for (int c = 0; c < 9; ++c)
            table[row] += ((row >> c) & 1U) * (UnitCounts{1} << (4 * c));
    return table;
}();
constexpr auto GroupFieldsOfRow = [] {
    std::array<UnitCounts, 512> table{};
    for (unsigned row = 0; row < 512; ++row)
        for (int c = 0; c < 9; ++c)
            table[row] += ((row >> c) & 1U) * (UnitCounts{1} << (4 * (c / 3)));
    return table;
}();

// How many squares of `squares` every row, column and group holds, row by row.
std::array<UnitCounts, 3> CountPerUnit(SquareSet squares)
{
    std::array<UnitCounts, 3> counts{};
    for (int r = 0; r < 9; ++r) {
        // Rows 0..6 lie in the low word, row 8 in the high one, row 7 across both.
        const std::uint64_t bits = r < 7    ? squares.Low >> (9 * r)
                                   : r == 7 ? (squares.Low >> 63) | (squares.High << 1)
                                            : squares.High >> 8;
        const unsigned row = static_cast<unsigned>(bits) & 0x1FFU;
        counts[UnitRow] += UnitCounts{CandidateCounts[row]} << (4 * r);
        counts[UnitColumn] += ColumnFieldsOfRow[row];
        counts[UnitGroup] += GroupFieldsOfRow[row] << (12 * (r / 3));
    }
    return counts;
}

// Per nine-bit mask, every pair of its digits as a bit: the pair's rank among the masks of two
// digits (MaskIndexInSize, below 36), so that lower bits are lower pairs.
constexpr auto PairsOfMask = [] {
    std::array<std::uint64_t, 512> table{};
    for (unsigned mask = 0; mask < 512; ++mask)
        for (unsigned low = 0; low < 9; ++low)
            for (unsigned high = low + 1; high < 9; ++high)
                if (((mask >> low) & 1U) != 0 && ((mask >> high) & 1U) != 0)
                    table[mask] |= std::uint64_t{1} << MaskIndexInSize[(1U << low) | (1U << high)];
    return table;
}();

static_assert(PairsOfMask[0x7] == 0x7 && PairsOfMask[0x180] == std::uint64_t{1} << 35);

// The lowest pair of digits both alive in the same two squares of unit `u` of type `t` and
// nowhere else in it, where those squares hold some other candidate to strike; NoMask if none.
// `exactlyTwice` holds the digits alive in exactly two squares of the unit. Two such digits
// share their squares exactly when both are candidates of two squares of the unit, so the
// pairs are found by marking, square by square, the pairs of such digits each square holds,
// and keeping those marked twice: nine steps, the same for every unit.
unsigned LowestHiddenPair(const CandidateView &view, unsigned exactlyTwice, int t, int u)
{
    if ((exactlyTwice & (exactlyTwice - 1)) == 0) // fewer than two such digits
        return NoMask;
    std::uint64_t once = 0, twice = 0;
    for (const int square : UnitSquares[t][u]) {
        const std::uint64_t pairs = PairsOfMask[view.Masks[square] & exactlyTwice];
        twice |= once & pairs;
        once |= pairs;
    }
    for (; twice != 0; twice &= twice - 1) {
        const unsigned pair = MaskOfIndex[2][std::countr_zero(twice)];
        const SquareSet places = view.Places[std::countr_zero(pair)] & UnitSets[t][u];
        const unsigned extras =
            (view.Masks[places.Lowest()] | view.Masks[places.Highest()]) & ~pair;
        if (extras != 0)
            return pair;
    }
    return NoMask;
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
    if ((~barren & AllUnits) == 0)
        return false;
    // A naked pair needs two squares of two candidates in the unit, a hidden pair two digits
    // alive there exactly twice: the other units are passed over.
    const std::array<UnitCounts, 3> pairSquares = CountPerUnit(view.BySize[2]);
    for (int t = 0; t < 3; ++t) {
        const unsigned pending = ~(barren >> (9 * t)) & 0x1FFU;
        if (pending == 0)
            continue;
        // Per unit u, in four-bit fields: the digits alive exactly twice there, 0..3 in one
        // word and 4..7 in another (bit d - 4), and whether 8 is; and how many such digits.
        UnitCounts lowDigits = 0, highDigits = 0, twiceDigits = 0;
        for (int d = 0; d < 4; ++d) {
            const UnitCounts twice = view.UnitsHolding(d, t, 2) >> 3;
            lowDigits |= twice << d;
            twiceDigits += twice;
        }
        for (int d = 4; d < 8; ++d) {
            const UnitCounts twice = view.UnitsHolding(d, t, 2) >> 3;
            highDigits |= twice << (d - 4);
            twiceDigits += twice;
        }
        const UnitCounts eightTwice = view.UnitsHolding(8, t, 2) >> 3;
        twiceDigits += eightTwice;
        const unsigned nakedHope = FlaggedUnits(UnitsCountingAtLeast(pairSquares[t], 2));
        const unsigned hiddenHope = FlaggedUnits(UnitsCountingAtLeast(twiceDigits, 2));
        const unsigned hopeful = pending & (nakedHope | hiddenHope);
        barren |= (pending & ~hopeful) << (9 * t);
        for (unsigned units = hopeful; units != 0; units &= units - 1) {
            const int u = std::countr_zero(units);
            const SquareSet unitSquares = UnitSets[t][u];
            const unsigned naked =
                (nakedHope >> u) & 1U ? LowestNakedMask(
                    view, t, u, 2, static_cast<unsigned>(pairSquares[t] >> (4 * u)) & 15U)
                                      : NoMask;
            unsigned hidden = NoMask;
            if ((hiddenHope >> u) & 1U) {
                const auto field = [u](UnitCounts word) {
                    return static_cast<unsigned>(word >> (4 * u)) & 15U;
                };
                const unsigned digits =
                    field(lowDigits) | (field(highDigits) << 4) | (field(eightTwice) << 8);
                hidden = LowestHiddenPair(view, digits, t, u);
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

bool FindPairs(const CandidateView &view, FoundStep &step)
{
    std::uint32_t barren = 0;
    return FindPairs(view, step, barren);
}

} // namespace quorix
