// The incrementally kept candidate view of a deduction burst.
#include "core/operations/deduce/burst_view.h"

namespace quorix {

BurstView::BurstView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                     const std::array<std::int16_t, 82> &grid)
    : Bits(&candidateBits), Current(grid)
{
}

void BurstView::Rebuild()
{
    Current.Load(*Bits);
    Dead = !DeadSquares().IsEmpty();
    ChangedUnits = 0;
    NoPairUnits = 0;
    NoTripleUnits = 0;
    ChangedDigits = 0;
    NoOnlyPlaceDigits = 0;
    GroupToLineMemo = {};
    LineToGroupMemos = {};
}

void BurstView::SettleChangedUnits()
{
    NoPairUnits &= ~ChangedUnits;
    NoTripleUnits &= ~ChangedUnits;
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

template <typename Skipping, typename Whole>
bool BurstView::Checked(FoundStep &step, Skipping skipping, [[maybe_unused]] Whole whole) const
{
    const bool found = skipping(step);
    assert(SameAsFullSearch(Current, whole, found, step));
    return found;
}

bool BurstView::FindPairs(FoundStep &step)
{
    SettleChangedUnits();
    return Checked(
        step, [this](FoundStep &s) { return quorix::FindPairs(Current, s, NoPairUnits); },
        [](const CandidateView &v, FoundStep &s) { return quorix::FindPairs(v, s); });
}

bool BurstView::FindTriples(FoundStep &step)
{
    SettleChangedUnits();
    return Checked(
        step, [this](FoundStep &s) { return quorix::FindTriples(Current, s, NoTripleUnits); },
        [](const CandidateView &v, FoundStep &s) { return quorix::FindTriples(v, s); });
}

void BurstView::SettleChangedDigits()
{
    NoOnlyPlaceDigits &= ~ChangedDigits;
    GroupToLineMemo.Digits &= ~ChangedDigits;
    LineToGroupMemos[0].Digits &= ~ChangedDigits;
    LineToGroupMemos[1].Digits &= ~ChangedDigits;
    ChangedDigits = 0;
}

bool BurstView::FindOnlyPlace(int digitFilter, FoundStep &step)
{
    SettleChangedDigits();
    return Checked(
        step,
        [&](FoundStep &s) {
            return quorix::FindOnlyPlace(Current, digitFilter, s, NoOnlyPlaceDigits);
        },
        [digitFilter](const CandidateView &v, FoundStep &s) {
            return quorix::FindOnlyPlace(v, digitFilter, s);
        });
}

bool BurstView::FindGroupToLine(int digitFilter, FoundStep &step)
{
    SettleChangedDigits();
    return Checked(
        step,
        [&](FoundStep &s) {
            return quorix::FindGroupToLine(Current, digitFilter, s, GroupToLineMemo);
        },
        [digitFilter](const CandidateView &v, FoundStep &s) {
            return quorix::FindGroupToLine(v, digitFilter, s);
        });
}

bool BurstView::FindLineToGroup(int digitFilter, UnitType lineType, FoundStep &step)
{
    assert(lineType == UnitRow || lineType == UnitColumn);
    SettleChangedDigits();
    return Checked(
        step,
        [&](FoundStep &s) {
            return quorix::FindLineToGroup(Current, digitFilter, lineType, s,
                                           LineToGroupMemos[lineType]);
        },
        [digitFilter, lineType](const CandidateView &v, FoundStep &s) {
            return quorix::FindLineToGroup(v, digitFilter, lineType, s);
        });
}

void BurstView::Refresh(int square)
{
    if (!TakeSquare(square))
        return;
    // The square may have been set or emptied as well; only-place reads that of the squares
    // holding its digits.
    auto &view = Current;
    const bool open = view.IsOpen(square);
    const std::uint64_t bit = std::uint64_t{1} << (square & 63);
    std::uint64_t &word = square < 64 ? view.Open.Low : view.Open.High;
    if (((word & bit) != 0) != open) {
        word ^= bit;
        ChangedDigits |= view.Masks[square];
        Dead = !DeadSquares().IsEmpty();
    }
    assert(MatchesStore() && "the burst view must equal a fresh build");
}

namespace {

// Moves `square` from the size entry of candidates `before` to that of candidates `now`.
inline void Resize(CandidateView &view, int square, unsigned before, unsigned now)
{
    const std::uint64_t bit = std::uint64_t{1} << (square & 63);
    SquareSet &from = view.BySize[SizeClassOfMask[before]];
    SquareSet &to = view.BySize[SizeClassOfMask[now]];
    (square < 64 ? from.Low : from.High) &= ~bit;
    (square < 64 ? to.Low : to.High) |= bit;
}

} // namespace

void BurstView::Remove(int square, unsigned removed)
{
    auto &view = Current;
    ChangedDigits |= removed;
    ChangedUnits |= UnitBitsOfSquare[square];
    const unsigned before = view.Masks[square];
    const unsigned now = before & ~removed;
    view.Masks[square] = static_cast<std::uint16_t>(now);
    Dead |= now == 0 && view.IsOpen(square);
    Resize(view, square, before, now);
    const auto &fields = UnitFieldsOfSquare[square];
    const std::uint64_t bit = std::uint64_t{1} << (square & 63);
    for (unsigned rest = removed; rest != 0; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        auto &places = view.Places[d];
        (square < 64 ? places.Low : places.High) &= ~bit;
        auto &counts = view.Counts[d];
        counts[0] -= fields[0];
        counts[1] -= fields[1];
        counts[2] -= fields[2];
    }
}

// Inlined into both placements: a set passed in registers to a call is spilled as two words
// and read back as one, which stalls.
//
// Every struck square loses one candidate, so it moves down one size: the sizes follow from
// the size sets as they were, except for a square of four going to three, which only its mask
// tells. That, the unit counts and the changed units are gathered in registers and written
// once. Updating the same few words in memory square after square would make every square
// wait for the store of the one before.
inline void BurstView::Strike(int square, int digit, SquareSet struck, std::uint16_t *storeBits)
{
    auto &view = Current;
    view.Open.Remove(square);
    SquareSet &places = view.Places[digit];
    places = places - struck;
    const unsigned bit = 1U << digit;
    ChangedDigits |= bit;
    UnitCounts rows = 0, columns = 0, groups = 0;
    std::uint32_t units = 0;
    const auto strike = [&](int peer) {
        const unsigned now = view.Masks[peer] & ~bit;
        view.Masks[peer] = static_cast<std::uint16_t>(now);
        if (storeBits != nullptr)
            storeBits[peer] &= static_cast<std::uint16_t>(~bit);
        const auto &fields = UnitFieldsOfSquare[peer];
        rows += fields[0];
        columns += fields[1];
        groups += fields[2];
        units |= UnitBitsOfSquare[peer];
        return static_cast<std::uint64_t>(SizeClassOfMask[now] == 3);
    };
    SquareSet toThree;
    for (std::uint64_t w = struck.Low; w != 0; w &= w - 1)
        toThree.Low |= strike(std::countr_zero(w)) << std::countr_zero(w);
    for (std::uint64_t w = struck.High; w != 0; w &= w - 1)
        toThree.High |= strike(64 + std::countr_zero(w)) << std::countr_zero(w);
    auto &counts = view.Counts[digit];
    counts[0] -= rows;
    counts[1] -= columns;
    counts[2] -= groups;
    ChangedUnits |= units;
    auto &sizes = view.BySize;
    const SquareSet one = sizes[1], two = sizes[2], three = sizes[3];
    // An open square struck with one candidate left has none now. A square placed with none
    // left (a guess on a dead square) is dead no more, and only a look at all of them tells
    // whether another still is; that happens on failing boards alone.
    Dead = Dead ? !DeadSquares().IsEmpty() : !(one & struck & view.Open).IsEmpty();
    sizes[0] = (sizes[0] - toThree) | (one & struck);
    sizes[1] = (one - struck) | (two & struck);
    sizes[2] = (two - struck) | (three & struck);
    sizes[3] = (three - struck) | toThree;
    assert(MatchesStore() && "the burst view must equal a fresh build");
}

void BurstView::Place(int square, int digit)
{
    if (!TakeSquare(square))
        return;
    Strike(square, digit, PeersHolding(square, digit), nullptr);
}

void BurstView::PlaceInStore(int square, int digit, std::array<std::uint16_t, SquareCount> &bits)
{
    assert(&bits == Bits && bits[square] == 0);
    SquareSet struck = PeersHolding(square, digit);
    // The store has emptied the square of candidates, so none can have come back. A square
    // whose last candidate was the digit placed loses it as the peers do.
    if (const unsigned before = Current.Masks[square]; before == 1U << digit)
        struck.Add(square);
    else if (before != 0)
        Remove(square, before);
    Strike(square, digit, struck, bits.data());
}

SquareSet BurstView::DeadSquares() const
{
    SquareSet alive;
    for (const SquareSet &places : Current.Places)
        alive = alive | places;
    return Current.Open - alive;
}

bool BurstView::EveryOpenSquareFull() const
{
    SquareSet full = Current.Open;
    for (const SquareSet &places : Current.Places)
        full = full & places;
    return full == Current.Open;
}

bool BurstView::MatchesStore() const
{
    const CandidateView fresh(*Bits, *Current.Grid);
    return fresh.SameCandidates(Current) && Dead == !DeadSquares().IsEmpty();
}

bool BurstView::FindStep(int digitFilter, FoundStep &step)
{
    assert(MatchesStore() && "the burst view must follow the store");
    return quorix::FindSingleCandidate(Current, digitFilter, step)
           || FindOnlyPlace(digitFilter, step) || FindGroupToLine(digitFilter, step)
           || FindLineToGroup(digitFilter, UnitRow, step)
           || FindLineToGroup(digitFilter, UnitColumn, step) || FindPairs(step)
           || FindTriples(step);
}

bool BurstView::FindSingleCandidate(FoundStep &step) const
{
    assert(MatchesStore() && "the burst view must follow the store");
    return quorix::FindSingleCandidate(Current, -1, step);
}

} // namespace quorix
