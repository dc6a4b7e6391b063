// The incrementally kept candidate view of a deduction burst.
#include "deduce/burst_view.h"

namespace quorix {

namespace {

// For every square, its position within its row, column and group.
struct SquarePositions
{
    std::uint8_t Row, Column, Group;
};
constexpr auto PositionsOfSquare = [] {
    std::array<SquarePositions, SquareCount> table{};
    for (int s = 0; s < SquareCount; ++s)
        table[s] = {static_cast<std::uint8_t>(s % 9), static_cast<std::uint8_t>(s / 9),
                    static_cast<std::uint8_t>(3 * ((s / 9) % 3) + s % 3)};
    return table;
}();

static_assert(UnitSquares[UnitGroup][UnitsOfSquare[50].Group - 18][PositionsOfSquare[50].Group]
              == 50);

// Each square's three units and its positions in them, with the units as bits, in one entry.
struct SquarePlace
{
    std::uint8_t Row, Column, Group;
    std::uint8_t RowPosition, ColumnPosition, GroupPosition;
    std::uint32_t UnitBits;
};
constexpr auto PlacesOfSquare = [] {
    std::array<SquarePlace, SquareCount> table{};
    for (int s = 0; s < SquareCount; ++s) {
        const SquareUnits u = UnitsOfSquare[s];
        const SquarePositions p = PositionsOfSquare[s];
        table[s] = {u.Row,
                    u.Column,
                    u.Group,
                    p.Row,
                    p.Column,
                    p.Group,
                    (1U << u.Row) | (1U << u.Column) | (1U << u.Group)};
    }
    return table;
}();

// Takes the digits of `removed` out of one unit: their counts go down by one, a ripple-borrow
// subtraction across the count planes.
inline void CountOut(CandidateView::UnitView &unit, int position, unsigned mask, unsigned removed)
{
    unit.Masks[position] = static_cast<std::uint16_t>(mask);
    auto &count = unit.Count;
    unsigned borrow = removed;
    const unsigned c0 = count[0] ^ borrow;
    borrow &= c0; // the bit was 0 before, so the borrow goes on
    const unsigned c1 = count[1] ^ borrow;
    borrow &= c1;
    const unsigned c2 = count[2] ^ borrow;
    borrow &= c2;
    count[0] = c0;
    count[1] = c1;
    count[2] = c2;
    count[3] ^= borrow;
}

// Each square's twenty peers as a set.
constexpr auto PeerSetsOfSquare = [] {
    std::array<SquareSet, SquareCount> table{};
    for (int s = 0; s < SquareCount; ++s)
        for (const int peer : PeersOfSquare[s])
            table[s].Add(peer);
    return table;
}();

} // namespace

BurstView::BurstView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                     const std::array<std::int16_t, 82> &grid)
    : Bits(&candidateBits), Current(candidateBits, grid, CandidateView::Part::Squares)
{
}

void BurstView::Rebuild()
{
    Current.Load(*Bits, CandidateView::Part::Places);
    Open = {};
    for (int s = 0; s < SquareCount; ++s)
        if (Current.IsOpen(s))
            Open.Add(s);
    ChangedUnits = 0;
    NoPairUnits = 0;
    NoTripleUnits = 0;
    ChangedDigits = 0;
    NoGroupToLineDigits = 0;
    NoLineToGroupDigits = {};
}

void BurstView::DeriveUnitSets()
{
    NoPairUnits &= ~ChangedUnits;
    NoTripleUnits &= ~ChangedUnits;
    Current.DeriveUnitSets(ChangedUnits);
    ChangedUnits = 0;
}

namespace {

#ifndef NDEBUG
// Whether a search that skipped units found what a full search finds.
template <typename Search>
bool SameAsFullSearch(const CandidateView &view, Search search, bool found, const FoundStep &step)
{
    // Numbers a sentence does not use keep what an earlier step left there, so the steps are
    // compared by their text, which every rule writes in Debug builds.
    FoundStep full;
    if (search(view, full) != found)
        return false;
    return !found
           || (full.Kind == step.Kind && full.Target == step.Target && full.Digit == step.Digit
               && full.Square == step.Square && full.Unit == step.Unit
               && full.UnitType == step.UnitType && full.Wording == step.Wording
               && !step.Explanation.empty() && full.Explanation == step.Explanation);
}
#endif

} // namespace

bool BurstView::FindPairs(FoundStep &step)
{
    NoPairUnits &= ~ChangedUnits;
    const bool found = quorix::FindPairs(Current, step, NoPairUnits);
    assert(SameAsFullSearch(
        Current, [](const CandidateView &v, FoundStep &s) { return quorix::FindPairs(v, s); },
        found, step));
    return found;
}

void BurstView::SettleChangedDigits()
{
    NoGroupToLineDigits &= ~ChangedDigits;
    NoLineToGroupDigits[0] &= ~ChangedDigits;
    NoLineToGroupDigits[1] &= ~ChangedDigits;
    ChangedDigits = 0;
}

bool BurstView::FindGroupToLine(int digitFilter, FoundStep &step)
{
    SettleChangedDigits();
    const bool found = quorix::FindGroupToLine(Current, digitFilter, step, NoGroupToLineDigits);
    assert(SameAsFullSearch(
        Current,
        [digitFilter](const CandidateView &v, FoundStep &s) {
            return quorix::FindGroupToLine(v, digitFilter, s);
        },
        found, step));
    return found;
}

bool BurstView::FindLineToGroup(int digitFilter, UnitType lineType, FoundStep &step)
{
    assert(lineType == UnitRow || lineType == UnitColumn);
    SettleChangedDigits();
    const bool found = quorix::FindLineToGroup(Current, digitFilter, lineType, step,
                                               NoLineToGroupDigits[lineType]);
    assert(SameAsFullSearch(
        Current,
        [digitFilter, lineType](const CandidateView &v, FoundStep &s) {
            return quorix::FindLineToGroup(v, digitFilter, lineType, s);
        },
        found, step));
    return found;
}

bool BurstView::FindTriples(FoundStep &step)
{
    NoTripleUnits &= ~ChangedUnits;
    const bool found = quorix::FindTriples(Current, step, NoTripleUnits);
    assert(SameAsFullSearch(
        Current, [](const CandidateView &v, FoundStep &s) { return quorix::FindTriples(v, s); },
        found, step));
    return found;
}

void BurstView::Refresh(int square)
{
    TakeSquare(square);
    assert(MatchesStore() && "the burst view must equal a fresh build");
}

void BurstView::Remove(int square, unsigned removed)
{
    ChangedDigits |= removed;
    RemoveOne(square, removed);
    const std::uint64_t bit = std::uint64_t{1} << (square & 63);
    for (unsigned rest = removed; rest != 0; rest &= rest - 1) {
        auto &places = Current.Places[std::countr_zero(rest)];
        (square < 64 ? places.Low : places.High) &= ~bit;
    }
}

void BurstView::RemoveOne(int square, unsigned removed)
{
    auto &view = Current;
    const unsigned mask = view.Masks[square] & ~removed;
    view.Masks[square] = static_cast<std::uint16_t>(mask);
    const std::uint64_t single = (mask != 0) & ((mask & (mask - 1)) == 0);
    std::uint64_t &singles = square < 64 ? view.Singles.Low : view.Singles.High;
    const int shift = square & 63;
    singles = (singles & ~(std::uint64_t{1} << shift)) | (single << shift);
    const SquarePlace &place = PlacesOfSquare[square];
    CountOut(view.Units[place.Row], place.RowPosition, mask, removed);
    CountOut(view.Units[place.Column], place.ColumnPosition, mask, removed);
    CountOut(view.Units[place.Group], place.GroupPosition, mask, removed);
    ChangedUnits |= place.UnitBits;
}

void BurstView::Place(int square, int digit)
{
    if (!TakeSquare(square))
        return;
    Open.Remove(square);
    // The view still has the digit wherever the store had it before the placement, so its
    // places in the peers are the squares it was struck from.
    const SquareSet struck = PeersHolding(square, digit);
    SquareSet &places = Current.Places[digit];
    places = places - struck;
    const unsigned bit = 1U << digit;
    ChangedDigits |= bit;
    for (std::uint64_t w = struck.Low; w != 0; w &= w - 1)
        RemoveOne(std::countr_zero(w), bit);
    for (std::uint64_t w = struck.High; w != 0; w &= w - 1)
        RemoveOne(64 + std::countr_zero(w), bit);
    assert(MatchesStore() && "the burst view must equal a fresh build");
}

SquareSet BurstView::DeadSquares() const
{
    SquareSet alive;
    for (const SquareSet &places : Current.Places)
        alive = alive | places;
    return Open - alive;
}

bool BurstView::EveryOpenSquareFull() const
{
    SquareSet full = Open;
    for (const SquareSet &places : Current.Places)
        full = full & places;
    return full == Open;
}

SquareSet BurstView::PeersHolding(int square, int digit) const
{
    return Current.Places[digit] & PeerSetsOfSquare[square];
}

bool BurstView::MatchesStore() const
{
    const CandidateView fresh(*Bits, *Current.Grid);
    return fresh.SameCandidates(Current, ChangedUnits == 0);
}

} // namespace quorix
