// The deduction rules behind FindStep, as free functions over a read-only view of the
// board, so they can be run and tested without a window.
//
// Each rule scans in its own fixed order and reports the first step it meets; a rule that
// reports nothing leaves `step` untouched. A digit filter 0..8 narrows the digit-driven rules
// (singles and intersections) to that digit code; a negative filter tries every digit code,
// ascending. Pairs and triples always consider every digit.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/square_set.h"
#include "core/ground/status_texts.h"

#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace quorix {

// The number of squares where a digit is alive in each unit of one type, one four-bit field
// per unit: bits 4u..4u+3 hold the count in unit u (at most nine, so fields never carry into
// each other). A field per unit lets one subtraction take a square out of its unit, and one
// comparison per word find every unit with a given count.
using UnitCounts = std::uint64_t;
constexpr UnitCounts OnePerUnit = 0x111111111;

// The units of `counts` whose count is `n` (0..9), as bit 4u+3 for unit u.
constexpr UnitCounts UnitsCounting(UnitCounts counts, unsigned n)
{
    constexpr UnitCounts lowBits = OnePerUnit * 7;
    const UnitCounts x = counts ^ (OnePerUnit * n); // zero fields where the count is n
    return ~(((x & lowBits) + lowBits) | x) & (OnePerUnit * 8);
}
// The unit of the lowest field flagged in a result of UnitsCounting.
constexpr int FlaggedUnit(UnitCounts flags)
{
    return std::countr_zero(flags) >> 2;
}

// For every square, its field in the counts of its row, column and group: one added there.
constexpr auto UnitFieldsOfSquare = [] {
    std::array<std::array<UnitCounts, 3>, 81> table{};
    for (int s = 0; s < 81; ++s)
        table[s] = {UnitCounts{1} << (4 * (s / 9)), UnitCounts{1} << (4 * (s % 9)),
                    UnitCounts{1} << (4 * GroupOfSquare(s))};
    return table;
}();

// Which entry of CandidateView::BySize holds a square with each nine-bit candidate mask.
constexpr auto SizeClassOfMask = [] {
    std::array<std::uint8_t, 512> table{};
    for (unsigned mask = 0; mask < 512; ++mask) {
        const int size = std::popcount(mask);
        table[mask] = static_cast<std::uint8_t>(size <= 3 ? size : 0);
    }
    return table;
}();

static_assert(UnitsCounting(0x000000921, 1) == 0x8 && UnitsCounting(0x000000921, 2) == 0x80
              && UnitsCounting(0x000000921, 0) == 0x888888000);

// What the rules read: each square's live candidates as nine bits, the same candidates as one
// square set per digit with each digit's count per unit, the squares by their number of
// candidates, and the squares that are empty in the grid.
struct CandidateView
{
    CandidateView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                  const std::array<std::int16_t, 82> &grid);
    // A view of no candidates for `grid`, to be loaded before use.
    explicit CandidateView(const std::array<std::int16_t, 82> &grid) : Grid(&grid) {}
    // Builds the view afresh from `candidateBits`, for the same grid.
    void Load(const std::array<std::uint16_t, SquareCount> &candidateBits);

    std::array<std::uint16_t, SquareCount> Masks{}; // bit d: candidate d alive
    // BySize[n] for n = 1..3: the squares with exactly n live candidates; BySize[0]: the rest.
    std::array<SquareSet, 4> BySize{};
    SquareSet Open;                             // squares empty in the grid
    std::array<SquareSet, DigitCount> Places{}; // Places[d]: squares where d is alive
    // Counts[d][t]: the count of digit d in every unit of type t.
    std::array<std::array<UnitCounts, 3>, DigitCount> Counts{};
    const std::array<std::int16_t, 82> *Grid; // the values: negative = empty

    [[nodiscard]] bool IsOpen(int square) const { return (*Grid)[square] < 0; }
    // The number of squares where digit `d` is alive in unit `u` of type `t`.
    [[nodiscard]] unsigned CountIn(int d, int t, int u) const
    {
        return static_cast<unsigned>(Counts[d][t] >> (4 * u)) & 15U;
    }
    // The units of type `t` where digit `d` is alive in exactly `n` squares (UnitsCounting).
    [[nodiscard]] UnitCounts UnitsHolding(int d, int t, unsigned n) const
    {
        return UnitsCounting(Counts[d][t], n);
    }
    // Whether both views hold the same candidates in every part, and the same squares empty.
    [[nodiscard]] bool SameCandidates(const CandidateView &other) const;
};

// Which sentence explains a step; its numbers are kept in FoundStep::Numbers.
enum class StepWording : std::uint8_t {
    None,
    SingleCandidate, // square, digit
    OnlyPlace,       // unit type, unit, digit
    GroupToColumn,   // digit, group, square struck
    GroupToRow,      // digit, group, square struck
    RowToGroup,      // digit, row, square struck
    ColumnToGroup,   // digit, column, square struck
    NakedPair,       // square struck, digit, the two members
    NakedTriple,     // square struck, digit, the three members
    HiddenPair,      // square struck, digit, the two squares, the two digits
};

// One step as FindStep records it.
struct FoundStep
{
    PendingStepKind Kind = StepNone; // StepPlace or StepStrike
    int Target = 0;                  // square (place) or candidate number (strike)
    int Digit = -1;                  // digit code to place; -1 for a strike
    int Square = 0;                  // square to highlight
    int Unit = -1;                   // unit to highlight, -1 for none
    int UnitType = -1;
    std::string Explanation;
    // The step's sentence as a record: which one, and its numbers zero-based, in the order the
    // sentence names them. Always set; WordStep turns it into the text.
    StepWording Wording = StepWording::None;
    std::array<std::uint8_t, 6> Numbers{};
    // Whether a rule that finds the step also writes Explanation. The auto loop turns it off
    // within a burst, where only the last step's text survives, and words that one at the end.
    bool WordNow = true;
};

// Records a strike of digit code `d` from `square`, framing `square` and the unit the pattern was
// found in; the caller adds the wording.
inline void SetStrike(FoundStep &step, int square, int d, int unit, int unitType)
{
    step.Kind = StepStrike;
    step.Target = square * 9 + d;
    step.Digit = -1;
    step.Square = square;
    step.Unit = unit;
    step.UnitType = unitType;
}

// Writes the explanation of `step`, from its record, into `text` (replacing what was there).
void WordStep(const FoundStep &step, std::string &text);
// Called by a rule once it has recorded a step.
inline void FinishWording(FoundStep &step)
{
    if (step.WordNow)
        WordStep(step, step.Explanation);
}

// Single candidate: an empty square with exactly one live candidate. Lowest digit first, then
// lowest square.
bool FindSingleCandidate(const CandidateView &view, int digitFilter, FoundStep &step);
// What that rule finds, with the digit codes `allowed` (bit d: digit code d): whether there
// is a step, and its digit and square.
inline bool LowestSingleCandidate(const CandidateView &view, unsigned allowed, int &digit,
                                  int &square)
{
    const SquareSet lone = view.BySize[1] & view.Open;
    if (lone.IsEmpty())
        return false;
    // Which digits have such a square, found for all nine at once: where a walk up the digits
    // stops cannot be predicted, and the wrong guess costs more than the few extra tests.
    unsigned digits = 0;
    for (int d = 0; d < DigitCount; ++d)
        digits |= static_cast<unsigned>(!(lone & view.Places[d]).IsEmpty()) << d;
    digits &= allowed;
    if (digits == 0)
        return false;
    digit = std::countr_zero(digits);
    square = (lone & view.Places[digit]).Lowest();
    return true;
}
// Records the step of single candidate that places `digit` in `square`.
inline void RecordSingleCandidate(FoundStep &step, int square, int digit)
{
    step.Kind = StepPlace;
    step.Target = square;
    step.Digit = digit;
    step.Square = square;
    step.Unit = -1;
    step.UnitType = -1;
    step.Wording = StepWording::SingleCandidate;
    step.Numbers[0] = static_cast<std::uint8_t>(square);
    step.Numbers[1] = static_cast<std::uint8_t>(digit);
    FinishWording(step);
}
// Only place: a unit in which a digit is alive in exactly one square, which is empty. Per
// digit, rows, then columns, then groups.
bool FindOnlyPlace(const CandidateView &view, int digitFilter, FoundStep &step);
// The same skipping the digit codes in `barren` (bit d: digit code d), which the caller knows
// to give no step; the digits searched in vain are added to it. The rule reads, per digit,
// nothing but the places of that digit and whether they are empty.
bool FindOnlyPlace(const CandidateView &view, int digitFilter, FoundStep &step, unsigned &barren);
// Group to line: a digit alive in exactly two squares of a group that share a column (or else
// a row); strikes it from the square of that line at the highest position.
bool FindGroupToLine(const CandidateView &view, int digitFilter, FoundStep &step);
// Line to group: a digit alive in exactly two squares of a row (lineType UnitRow) or column
// (UnitColumn) that share a group; strikes it from the square of that group at the highest
// position.
bool FindLineToGroup(const CandidateView &view, int digitFilter, UnitType lineType,
                     FoundStep &step);
// What a caller of an intersection rule knows to give it no step, kept while candidates are
// only removed. Digits (bit d: digit code d) were searched in vain and have lost no candidate
// since. Twice[d] flags (as UnitsCounting does) the confining units, groups or lines, that held
// d exactly twice when d was last searched in vain: such a unit that still holds d exactly
// twice holds it in the same two squares, and the unit crossing it there has only lost
// candidates since, so it still gives no step. A search adds what it finds in vain.
struct IntersectionMemo
{
    unsigned Digits = 0;
    std::array<UnitCounts, DigitCount> Twice{};
};
// The same intersection rules passing over what `memo` says gives nothing. Each rule reads,
// per digit, nothing but the places of that digit.
bool FindGroupToLine(const CandidateView &view, int digitFilter, FoundStep &step,
                     IntersectionMemo &memo);
bool FindLineToGroup(const CandidateView &view, int digitFilter, UnitType lineType, FoundStep &step,
                     IntersectionMemo &memo);
// Pairs: a naked, then a hidden pair per two-digit mask in ascending order, per unit.
bool FindPairs(const CandidateView &view, FoundStep &step);
// Triples: three squares of a unit with the same three-digit mask.
bool FindTriples(const CandidateView &view, FoundStep &step);
// The same two rules skipping the units in `barren` (bit k: unit k), which the caller knows
// to give that rule no step; the units searched in vain are added to it. Both rules read
// nothing but the squares of the unit at hand, so the answer is the one a full search gives.
bool FindPairs(const CandidateView &view, FoundStep &step, std::uint32_t &barren);
bool FindTriples(const CandidateView &view, FoundStep &step, std::uint32_t &barren);

// All the rules in their fixed order, the first step found winning, on a view built from the
// store for this one search, part by part as the rules need.
bool FindStepAfresh(const std::array<std::uint16_t, SquareCount> &candidateBits,
                    const std::array<std::int16_t, 82> &grid, int digitFilter, FoundStep &step);

// The digit codes a digit filter allows: all of 0..8, or the one it names.
struct DigitRange
{
    int First;
    int Last;

    // The digit codes as bits (bit d: digit code d).
    [[nodiscard]] constexpr unsigned Mask() const { return (2U << Last) - (1U << First); }
};
constexpr DigitRange AllowedDigits(int digitFilter)
{
    return digitFilter < 0 ? DigitRange{0, DigitCount - 1} : DigitRange{digitFilter, digitFilter};
}

static_assert(AllowedDigits(-1).Mask() == 0x1FF && AllowedDigits(4).Mask() == 0x10);

} // namespace quorix
