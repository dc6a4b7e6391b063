#include "core/operations/board/consistency.h"

#include "core/ground/status_texts.h"
#include "core/ground/units.h"
#include "core/operations/board/highlight.h"

#include <array>
#include <bit>
#include <cstring>

namespace quorix {

namespace {

const char *const UnitWords[3] = {" in row", " in column", " in group"};

// Whether any digit is set twice in a unit, from one digit bit per square (0 when empty; at
// least four spare zero entries after square 80). Four squares are read as one word of four
// 16-bit lanes: the lanes of a row of words are four columns side by side, so the columns
// need no gathering, and the lanes of a row or group are folded into one at the end.
bool AnyDuplicate(const std::array<std::uint16_t, 88> &bits)
{
    const auto word = [&bits](int s) {
        std::uint64_t w;
        std::memcpy(&w, &bits[s], sizeof w);
        return w;
    };
    // Folds four lanes of `seen` and `twice` into one: a digit is twice in the whole when it
    // is twice in a lane or seen in two lanes.
    const auto fold = [](std::uint64_t seen, std::uint64_t twice) {
        twice |= (twice >> 32) | (seen & (seen >> 32));
        seen |= seen >> 32;
        twice |= (twice >> 16) | (seen & (seen >> 16));
        return static_cast<std::uint16_t>(twice);
    };
    const auto foldSeen = [](std::uint64_t seen) {
        seen |= seen >> 32;
        return static_cast<std::uint16_t>(seen | (seen >> 16));
    };
    std::uint64_t twiceInColumns = 0;
    std::uint64_t seenColumns0 = 0, seenColumns4 = 0;
    std::uint16_t seenColumn8 = 0;
    std::uint16_t any = 0;
    for (int r = 0; r < 9; ++r) {
        const std::uint64_t left = word(r * 9), right = word(r * 9 + 4);
        const std::uint16_t last = bits[r * 9 + 8];
        twiceInColumns |= (seenColumns0 & left) | (seenColumns4 & right);
        seenColumns0 |= left;
        seenColumns4 |= right;
        any |= seenColumn8 & last;
        seenColumn8 |= last;
        // The row: two words and one square.
        const std::uint64_t seen = left | right;
        any |= fold(seen, left & right) | (foldSeen(seen) & last);
    }
    any |= static_cast<std::uint16_t>(twiceInColumns | (twiceInColumns >> 16)
                                      | (twiceInColumns >> 32) | (twiceInColumns >> 48));
    // Groups: three words of three squares each (the fourth lane masked off). A digit twice in
    // one lane is twice in a column, which the columns have found already: only a digit seen
    // in two lanes is left to find.
    constexpr std::uint64_t ThreeLanes = 0x0000FFFFFFFFFFFFULL;
    for (int band = 0; band < 3; ++band) {
        for (int stack = 0; stack < 3; ++stack) {
            const int origin = band * 27 + stack * 3;
            const std::uint64_t a = word(origin) & ThreeLanes;
            const std::uint64_t b = word(origin + 9) & ThreeLanes;
            const std::uint64_t c = word(origin + 18) & ThreeLanes;
            any |= fold(a | b | c, 0);
        }
    }
    return any != 0;
}

// What one sweep over the squares gathers: a digit bit per square (0 when empty), and the
// counts the check decides by once it has found no duplicate.
struct BoardCounts
{
    std::array<std::uint16_t, 88> DigitBits{};
    int SetSquares = 0;
    int VisibleSquares = 0;
    int VisibleCandidates = 0;
    int ShownAndSet = 0;
    int LastDead = -1; // the last empty square in solving form with nothing left, if any
};

BoardCounts CountBoard(const BoardState &board, const ControlStore &controls)
{
    BoardCounts counts;
    for (int s = 0; s < SquareCount; ++s) {
        const int d = board.Grid[s];
        const int set = d >= 0 ? 1 : 0;
        counts.DigitBits[s] = static_cast<std::uint16_t>(set != 0 ? 1U << (d & 15) : 0U);
        counts.SetSquares += set;
        const int shown = controls.Squares[s].Visible ? 1 : 0;
        counts.VisibleSquares += shown;
        counts.ShownAndSet += shown & set;
        const int candidates = controls.VisibleCandidateCount(s);
        counts.LastDead = (shown == 0 && candidates == 0) ? s : counts.LastDead;
        counts.VisibleCandidates += candidates;
    }
    return counts;
}

// Words the duplicate the check reports: the lowest digit set twice in a unit, then rows
// before columns before groups, then the lowest unit index.
void ReportDuplicate(const std::array<std::uint16_t, 88> &digitBits, BoardState &board)
{
    std::array<std::uint16_t, 27> duplicated{};
    std::uint16_t anyDuplicate = 0;
    for (int unit = 0; unit < 27; ++unit) {
        std::uint16_t seen = 0, twice = 0;
        for (const int square : UnitSquares[unit / 9][unit % 9]) {
            twice |= seen & digitBits[square];
            seen |= digitBits[square];
        }
        duplicated[unit] = twice;
        anyDuplicate |= twice;
    }
    const int d = std::countr_zero(anyDuplicate);
    for (int unit = 0; unit < 27; ++unit) {
        if (((duplicated[unit] >> d) & 1U) == 0)
            continue;
        const int t = unit / 9, u = unit % 9;
        board.Explanation =
            "More than one " + std::to_string(d + 1) + UnitWords[t] + " " + std::to_string(u + 1);
        board.HighlightUnit = u;
        board.HighlightUnitType = t;
        return;
    }
}

} // namespace

void WordDeadSquare(int square, std::string &text)
{
    text.assign("No possibilities left for square");
    AppendNumber(text, square + 1);
}

void ReportDead(BoardState &board, int square)
{
    WordDeadSquare(square, board.Explanation);
    board.HighlightSquare = square;
}

CheckResult CheckBoardFaults(BoardState &board, ControlStore &controls)
{
    // The counts stay 0 when a duplicate is found, which decides first anyway.
    const BoardCounts counts = CountBoard(board, controls);
    HideHighlights(controls);
    if (AnyDuplicate(counts.DigitBits)) {
        ReportDuplicate(counts.DigitBits, board);
        return {StatusImpossible, CheckFault::DigitTwice};
    }
    if (counts.LastDead >= 0) {
        ReportDead(board, counts.LastDead);
        return {StatusImpossible, CheckFault::DeadSquare};
    }
    if (counts.SetSquares < MinimumGivens)
        return {StatusTooFew};
    if (counts.VisibleCandidates == CandidateCount)
        return {StatusNothingEntered};
    // An empty square is shown (in setup form) when fewer shown squares are set than are shown;
    // solving has not begun either while every hidden square still shows all nine candidates.
    const bool emptySquareShown = counts.ShownAndSet != counts.VisibleSquares;
    if ((9 * counts.VisibleSquares + counts.VisibleCandidates == CandidateCount
         && counts.VisibleSquares < SquareCount)
        || emptySquareShown)
        return {StatusNotStarted};
    if (counts.ShownAndSet == SquareCount)
        return {StatusSolved};
    return {StatusConsistent};
}

bool CleanSolvingForm(const BoardState &board, const ControlStore &controls)
{
    std::array<std::uint16_t, 88> digitBits{};
    for (int s = 0; s < SquareCount; ++s) {
        const int d = board.Grid[s];
        const bool set = d >= 0;
        if (controls.Squares[s].Visible != set || (set && controls.CandidateBits[s] != 0))
            return false;
        digitBits[s] = static_cast<std::uint16_t>(set ? 1U << (d & 15) : 0U);
    }
    return !AnyDuplicate(digitBits);
}

} // namespace quorix
