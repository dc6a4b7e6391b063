// The candidate view kept up to date across the steps of one deduction burst.
//
// Within a burst nothing but the burst's own steps touches the board, and on a struck board a
// step only removes candidates: a placement empties its square and takes its digit from the
// square's peers, a strike takes one candidate. So instead of building a CandidateView from all
// 81 squares for every search, the auto loop builds one once per burst and re-reads only the
// squares a step may have changed. Every part of the view (masks, squares by size, open squares,
// places and unit counts) is then exactly what a fresh build would give; Debug builds check
// that after every update.
#pragma once

#include "core/operations/deduce/rules.h"

#include <array>
#include <cstdint>

namespace quorix {

// Each square's twenty peers as a set.
constexpr auto PeerSetsOfSquare = [] {
    std::array<SquareSet, SquareCount> table{};
    for (int s = 0; s < SquareCount; ++s)
        for (const int peer : PeersOfSquare[s])
            table[s].Add(peer);
    return table;
}();

// Within a burst a step's sentence is left unwritten, since only the last one is ever read.
// Debug builds word every step all the same, so that the auto loop can check that a step
// worded late reads as it would at once.
inline void WordWithinBurst(FoundStep &step)
{
#ifdef NDEBUG
    step.WordNow = false;
#else
    step.WordNow = true;
#endif
}

class BurstView
{
public:
    // Reads the store only from Rebuild on, which must come before any other use.
    BurstView(const std::array<std::uint16_t, SquareCount> &candidateBits,
              const std::array<std::int16_t, 82> &grid);

    // Builds every part afresh from the store.
    void Rebuild();
    // Reads `candidateBits` and `grid` from now on: a copy of a view, moved onto copies of the
    // store and grid it follows.
    void Repoint(const std::array<std::uint16_t, SquareCount> &candidateBits,
                 const std::array<std::int16_t, 82> &grid)
    {
        Bits = &candidateBits;
        Current.Grid = &grid;
    }
    // Takes in the store's current candidates of `square`, and whether the grid has it empty.
    // Removals are applied in place; a candidate that came back (nothing in a burst does that)
    // makes the whole view rebuilt.
    void Refresh(int square);
    // Takes in a placement of `digit` in `square` on a struck board, once the store holds it:
    // the square's own candidates as Refresh does, and the digit gone from every peer.
    void Place(int square, int digit);
    // The same when the store has the square set but not yet the digit struck from the peers:
    // strikes it there too (`bits` is the store's candidates).
    void PlaceInStore(int square, int digit, std::array<std::uint16_t, SquareCount> &bits);
    // The peers of `square` where the view has `digit` alive (all of them where the store has
    // it, while the view follows the store).
    [[nodiscard]] SquareSet PeersHolding(int square, int digit) const
    {
        return Current.Places[digit] & PeerSetsOfSquare[square];
    }
    // The squares empty in the grid, and those of them with no candidate left.
    [[nodiscard]] SquareSet OpenSquares() const { return Current.Open; }
    [[nodiscard]] SquareSet DeadSquares() const;
    [[nodiscard]] bool AnyDeadSquare() const
    {
        assert(Dead == !DeadSquares().IsEmpty());
        return Dead;
    }
    // Whether every open square still holds all nine candidates.
    [[nodiscard]] bool EveryOpenSquareFull() const;

    [[nodiscard]] const CandidateView &View() const { return Current; }
    // Whether the view equals one freshly built from the store (for assertions).
    [[nodiscard]] bool MatchesStore() const;

    // Every rule in its fixed order over the view, the first step found winning: what a search
    // of a view built afresh from the store finds (FindStepAfresh).
    bool FindStep(int digitFilter, FoundStep &step);
    // The first of those rules alone, single candidate, with every digit allowed.
    bool FindSingleCandidate(FoundStep &step) const;

    // The pair and triple rules over the view. A unit searched in vain is skipped by the next
    // searches until one of its squares changes: the rules read nothing else. Debug builds check
    // each answer against a full search.
    bool FindPairs(FoundStep &step);
    bool FindTriples(FoundStep &step);
    // The only-place and intersection rules likewise, per digit: a digit searched in vain is
    // skipped until one of its candidates goes, since those rules read nothing but the digit's
    // places; the intersection rules then search only the units newly holding it twice.
    bool FindOnlyPlace(int digitFilter, FoundStep &step);
    bool FindGroupToLine(int digitFilter, FoundStep &step);
    bool FindLineToGroup(int digitFilter, UnitType lineType, FoundStep &step);

private:
    // Takes in the store's candidates of `square`: removals in place, and a rebuild of the
    // whole view (returning false) when a candidate came back.
    bool TakeSquare(int square)
    {
        const unsigned now = (*Bits)[square] & AllCandidates;
        const unsigned before = Current.Masks[square];
        if ((now & ~before) != 0) {
            Rebuild();
            return false;
        }
        if (now != before)
            Remove(square, before & ~now);
        return true;
    }
    // Takes the candidates `removed` out of every part of the view for `square`.
    void Remove(int square, unsigned removed);
    // The rest of a placement once the square's own candidates are out: the square set, and
    // the digit gone from `struck` (which may hold the square itself), in the store's
    // candidates too when given.
    void Strike(int square, int digit, SquareSet struck, std::uint16_t *storeBits);

    const std::array<std::uint16_t, SquareCount> *Bits;
    CandidateView Current;
    bool Dead = false;              // some open square has no candidate left
    std::uint32_t ChangedUnits = 0; // units changed since the unit caches below were settled
    // Units searched in vain by the pair (triple) rule: bit k set and not in ChangedUnits means
    // unit k gives that rule no step on the view as it is.
    std::uint32_t NoPairUnits = 0;
    std::uint32_t NoTripleUnits = 0;
    // Digits that lost a candidate since the digit caches below were last brought up to date.
    unsigned ChangedDigits = 0;
    // Digits searched in vain by the only-place rule: bit d set and not in ChangedDigits means
    // digit d gives that rule no step on the view as it is.
    unsigned NoOnlyPlaceDigits = 0;
    // The same for the group-to-line and line-to-group rules, with the confining units known
    // to give nothing while they hold the digit exactly twice.
    IntersectionMemo GroupToLineMemo;
    std::array<IntersectionMemo, 2> LineToGroupMemos; // rows, columns
    // A search that skips what the caches say gives nothing, checked in Debug builds against
    // the whole search of the same rule.
    template <typename Skipping, typename Whole>
    bool Checked(FoundStep &step, Skipping skipping, [[maybe_unused]] Whole whole) const;
    // Drop the changed units (digits) from the unit (digit) caches.
    void SettleChangedUnits();
    void SettleChangedDigits();
};

} // namespace quorix
