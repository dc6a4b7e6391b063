// Following one assumption through a position: the square is set, then singles (and, for nets,
// the intersections and subsets a person knows) are applied until nothing follows or two facts
// contradict each other.
//
// It works on the per-digit square sets alone and records, for every candidate it strikes and
// every square it sets, the squares set on the way that the fact rests on (its basis). The
// assumed square itself is never part of a basis, so a basis counts the squares a person sets
// while following the assumption.
#pragma once

#include "hint/position.h"
#include "hint/step.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quorix::hint {

// Which rules a propagation may use, each level including the ones before it.
enum class Inference : std::uint8_t {
    // Singles that follow from one fact alone: a square with two candidates loses one, or a digit
    // with two places in a unit loses one (counted on the position the propagation starts
    // from). Every fact then rests on exactly one earlier fact: the implications form chains.
    Chain,
    // Every naked and hidden single.
    Singles,
    // Also pointing and claiming.
    Intersections,
    // Also naked and hidden pairs, triples and quads.
    Subsets,
};

// The largest naked or hidden subset a propagation looks for.
constexpr int PropagationSubsetSize = 4;

// What went wrong when an assumption failed: a square left without a candidate (Square >= 0) or
// a digit left without a place in a unit (Unit >= 0, Digit).
struct Contradiction
{
    int Square = -1;
    int Unit = -1;
    int Digit = -1;
    SquareBits Basis;
};

class Propagation
{
public:
    // `position` is where every assumption starts.
    explicit Propagation(const Position &position);

    // Sets `square` (empty) to `digit` (one of its candidates) in a fresh copy of the start
    // position and follows it with `rules`, taking no fact whose basis would have more than
    // `bound` squares. True when it leads to a contradiction. Hidden singles, intersections and
    // subsets are looked for only where the assumption changed something: one that the start
    // position already holds and the assumption does not touch is not taken (the engine's
    // simpler rules take it first).
    bool Follow(int square, int digit, Inference rules, int bound = 81);

    // After Follow: what failed (only when it returned true).
    [[nodiscard]] const Contradiction &Failure() const { return Failed; }
    // The empty squares of the start position that the assumption sets to `digit` (the assumed
    // square included).
    [[nodiscard]] SquareBits SetTo(int digit) const { return Set[digit] - Start.SetTo[digit]; }
    // The candidates of `digit` in the start position that the assumption removes, by striking
    // them or by setting their square to another digit.
    [[nodiscard]] SquareBits Struck(int digit) const
    {
        return Start.Places[digit] - Places[digit] - Set[digit];
    }
    // The basis of a square set on the way (SetTo) and of a candidate removed (Struck).
    [[nodiscard]] SquareBits BasisOfSet(int square) const { return SetBasis[square]; }
    [[nodiscard]] SquareBits BasisOfStrike(int square, int digit) const
    {
        return StrikeBasis[square][digit];
    }
    // For a square set on the way: how many squares were set before it (the assumed one first).
    [[nodiscard]] int SetOrder(int square) const { return Order[square]; }
    // The sizes of those bases, per square set and per [square][digit] removed.
    using SetSizes = std::array<std::uint8_t, 81>;
    using StrikeSizes = std::array<std::array<std::uint8_t, 9>, 81>;
    [[nodiscard]] const SetSizes &SizesOfSets() const { return SetSize; }
    [[nodiscard]] const StrikeSizes &SizesOfStrikes() const { return StrikeSize; }

private:
    // Places of a digit per unit: [digit][unit]. A unit where the digit is set counts as
    // Settled, which strikes never bring down to one or none.
    using UnitCounts = std::array<std::array<std::uint8_t, UnitCount>, 9>;
    static constexpr std::uint8_t Settled = 100;

    struct Origin
    {
        std::array<SquareBits, 9> Places;
        std::array<SquareBits, 9> SetTo;
        std::array<DigitMask, 81> Masks;
        SquareBits Empties;
        UnitCounts Counts;
        // For chains: the squares with two candidates.
        SquareBits Bivalue;
    };

    // False, doing nothing, when the basis is larger than the bound.
    bool Place(int square, int digit, const SquareBits &basis);
    void Strike(int square, int digit, const SquareBits &basis, int size);
    void FailSquare(int square);
    void FailUnit(int unit, int digit);
    [[nodiscard]] SquareBits UnitStrikesBasis(int digit, SquareBits gone) const;
    [[nodiscard]] SquareBits SquareStrikesBasis(int square, DigitMask gone) const;
    bool PlaceSingles();
    bool StrikeIntersections();
    bool StrikeIntersection(int digit, SquareBits inside, SquareBits across);
    bool StrikeSubsets();
    bool StrikeNakedSubsets(int unit);
    bool StrikeHiddenSubsets(int unit);

    Origin Start;
    Inference Rules = Inference::Singles;
    int Bound = 81;
    std::array<SquareBits, 9> Places;
    std::array<SquareBits, 9> Set;
    std::array<DigitMask, 81> Masks;
    SquareBits Empties;
    UnitCounts Counts;
    // The units where a digit came down to one place, as unit * 9 + digit, in the order it
    // happened; each at most once, as counts only fall. Those before HiddenDone were looked at.
    std::array<std::uint8_t, UnitCount * 9> HiddenFound;
    int HiddenCount = 0;
    int HiddenDone = 0;
    // Naked singles whose basis is over the bound.
    SquareBits Refused;
    // What changed since the rules last looked: per digit the units (bit u) where it lost a
    // place, and the units where anything was struck.
    std::array<std::uint32_t, 9> IntersectionsDirty;
    std::uint32_t SubsetsDirty = 0;
    bool Broken = false;
    Contradiction Failed;
    // Read only for squares and candidates that a propagation set or removed, so never cleared
    // between propagations.
    std::array<SquareBits, 81> SetBasis;
    std::array<std::uint8_t, 81> Order;
    int SetCount = 0;
    std::array<std::array<SquareBits, 9>, 81> StrikeBasis;
    SetSizes SetSize;
    StrikeSizes StrikeSize;
};

} // namespace quorix::hint
