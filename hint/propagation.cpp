// Order of work: singles first, in waves (every single present is placed before looking again,
// so facts are reached by the fewest squares set); intersections only when no single is left;
// subsets only when neither is. A contradiction is noticed at the strike that causes it.
#include "hint/propagation.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace quorix::hint {

namespace {

// The units of every square as bits of a unit mask.
constexpr auto UnitMaskOfSquare = [] {
    std::array<std::uint32_t, 81> masks{};
    for (int square = 0; square < 81; ++square)
        for (int unit : UnitsOfSquare[square])
            masks[square] |= 1u << unit;
    return masks;
}();

// The square of a one-square set, or -1, without counting.
int SoleSquare(SquareBits squares)
{
    if (squares.Empty())
        return -1;
    const int first = squares.First();
    return (squares - SquareBits::Of(first)).Empty() ? first : -1;
}

} // namespace

Propagation::Propagation(const Position &position)
{
    Start.Empties = position.EmptySquares();
    for (int square = 0; square < 81; ++square) {
        Start.Masks[square] = position.Candidates(square);
        if (!position.IsEmpty(square))
            Start.SetTo[position.Value(square)].Add(square);
    }
    Start.Bivalue = position.WithCandidateCount(2);
    for (int digit = 0; digit < 9; ++digit) {
        Start.Places[digit] = position.Places(digit);
        for (int unit = 0; unit < UnitCount; ++unit) {
            std::uint8_t count = 0;
            for (int square : UnitSquares[unit])
                count += position.HasCandidate(square, digit) ? 1 : 0;
            const bool set = (Start.SetTo[digit] & UnitBits[unit]).Any();
            Start.Counts[digit][unit] = set ? Settled : count;
        }
    }
}

bool Propagation::Follow(int square, int digit, Inference rules, int bound)
{
    assert(Start.Empties.Has(square) && (Start.Masks[square] & DigitBit(digit)));
    Places = Start.Places;
    Set = Start.SetTo;
    Masks = Start.Masks;
    Empties = Start.Empties;
    Counts = Start.Counts;
    HiddenCount = HiddenDone = 0;
    SetCount = 0;
    Refused = {};
    IntersectionsDirty.fill(0);
    SubsetsDirty = 0;
    Broken = false;
    Failed = {};
    Rules = rules;
    Bound = bound;
    Place(square, digit, {});
    while (!Broken) {
        if (PlaceSingles())
            continue;
        if (rules >= Inference::Intersections && StrikeIntersections())
            continue;
        if (rules >= Inference::Subsets && StrikeSubsets())
            continue;
        break;
    }
    return Broken;
}

bool Propagation::Place(int square, int digit, const SquareBits &basis)
{
    const int size = basis.Count();
    if (size > Bound)
        return false;
    SetBasis[square] = basis;
    SetSize[square] = static_cast<std::uint8_t>(size);
    Order[square] = static_cast<std::uint8_t>(SetCount++);
    Set[digit].Add(square);
    Empties.Remove(square);
    const auto others = static_cast<DigitMask>(Masks[square] & ~DigitBit(digit));
    Masks[square] = 0;
    Places[digit].Remove(square);
    for (int unit : UnitsOfSquare[square])
        Counts[digit][unit] = Settled;
    for (int other = 0; other < 9; ++other)
        if (others & DigitBit(other))
            Strike(square, other, basis, size);
    for (int peer : Places[digit] & PeerBits[square])
        Strike(peer, digit, basis, size);
    return true;
}

// A contradiction is noticed at the strike that makes it; the first one is kept.
void Propagation::Strike(int square, int digit, const SquareBits &basis, int size)
{
    Masks[square] = static_cast<DigitMask>(Masks[square] & ~DigitBit(digit));
    Places[digit].Remove(square);
    StrikeBasis[square][digit] = basis;
    StrikeSize[square][digit] = static_cast<std::uint8_t>(size);
    IntersectionsDirty[digit] |= UnitMaskOfSquare[square];
    SubsetsDirty |= UnitMaskOfSquare[square];
    if (Masks[square] == 0 && Empties.Has(square))
        FailSquare(square);
    for (int unit : UnitsOfSquare[square]) {
        const int left = --Counts[digit][unit];
        if (left == 1)
            HiddenFound[HiddenCount++] = static_cast<std::uint8_t>(unit * 9 + digit);
        else if (left == 0)
            FailUnit(unit, digit);
    }
}

void Propagation::FailSquare(int square)
{
    if (Broken)
        return;
    Broken = true;
    Failed.Square = square;
    Failed.Basis = SquareStrikesBasis(square, Start.Masks[square]);
}

void Propagation::FailUnit(int unit, int digit)
{
    if (Broken)
        return;
    Broken = true;
    Failed.Unit = unit;
    Failed.Digit = digit;
    Failed.Basis = UnitStrikesBasis(digit, Start.Places[digit] & UnitBits[unit]);
}

SquareBits Propagation::UnitStrikesBasis(int digit, SquareBits gone) const
{
    SquareBits basis;
    for (int square : gone)
        basis |= StrikeBasis[square][digit];
    return basis;
}

SquareBits Propagation::SquareStrikesBasis(int square, DigitMask gone) const
{
    SquareBits basis;
    for (int digit = 0; digit < 9; ++digit)
        if (gone & DigitBit(digit))
            basis |= StrikeBasis[square][digit];
    return basis;
}

// One wave: every single present when it starts is placed (those that earlier ones in the wave
// undo are left), so facts are reached by as few squares set as the order allows.
bool Propagation::PlaceSingles()
{
    SquareBits once, twice;
    for (const SquareBits &places : Places) {
        twice |= once & places;
        once |= places;
    }
    SquareBits naked = once - twice - Refused;
    if (Rules == Inference::Chain)
        naked &= Start.Bivalue;
    const int hiddenEnd = HiddenCount;
    bool placed = false;
    for (int square : naked) {
        if (BitCount9(Masks[square]) != 1)
            continue;
        const int digit = std::countr_zero(Masks[square]);
        const auto gone = static_cast<DigitMask>(Start.Masks[square] & ~DigitBit(digit));
        // The basis holds the square and every premise's basis: the largest premise alone may
        // already be over the bound, and then the union need not be made.
        int largest = 0;
        for (DigitMask left = gone; left; left &= static_cast<DigitMask>(left - 1))
            largest = std::max<int>(largest, StrikeSize[square][std::countr_zero(left)]);
        if (largest < Bound
            && Place(square, digit, SquareStrikesBasis(square, gone) | SquareBits::Of(square)))
            placed = true;
        else
            Refused.Add(square); // its basis is fixed: it would be refused again
        if (Broken)
            return true;
    }
    for (; HiddenDone < hiddenEnd; ++HiddenDone) {
        const int unit = HiddenFound[HiddenDone] / 9, digit = HiddenFound[HiddenDone] % 9;
        // A chain follows only a digit that had two places in the unit to start with.
        if (Rules == Inference::Chain && Start.Counts[digit][unit] != 2)
            continue;
        const int square = SoleSquare(Places[digit] & UnitBits[unit]);
        if (square < 0)
            continue;
        const SquareBits gone = (Start.Places[digit] & UnitBits[unit]) - SquareBits::Of(square);
        int largest = 0;
        for (int other : gone)
            largest = std::max<int>(largest, StrikeSize[other][digit]);
        if (largest < Bound)
            placed |= Place(square, digit, UnitStrikesBasis(digit, gone) | SquareBits::Of(square));
        if (Broken)
            return true;
    }
    return placed;
}

} // namespace quorix::hint
