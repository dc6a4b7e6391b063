// The consistency check: the one judge of whether the board is solved, stuck or wrong.
#include "window/form1.h"

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
    // Groups: three words of three squares each (the fourth lane masked off).
    constexpr std::uint64_t ThreeLanes = 0x0000FFFFFFFFFFFFULL;
    for (int band = 0; band < 3; ++band) {
        for (int stack = 0; stack < 3; ++stack) {
            const int origin = band * 27 + stack * 3;
            const std::uint64_t a = word(origin) & ThreeLanes;
            const std::uint64_t b = word(origin + 9) & ThreeLanes;
            const std::uint64_t c = word(origin + 18) & ThreeLanes;
            any |= fold(a | b | c, (a & b) | (c & (a | b)));
        }
    }
    return any != 0;
}

} // namespace

std::int32_t Form1::CheckBoard()
{
    bool consistent = true;

    // One digit bit per square, and in the same sweep the counts of passes 2 and 3 (used only
    // when pass 1 finds no duplicate): set squares, shown squares and candidates, shown squares
    // that are set, and the last empty square in solving form with nothing left.
    std::array<std::uint16_t, 88> digitBits{};
    int setSquares = 0;
    int visibleSquares = 0, visibleCandidates = 0, shownAndSet = 0, lastDead = -1;
    for (int s = 0; s < SquareCount; ++s) {
        const int d = Board.Grid[s];
        const int set = d >= 0 ? 1 : 0;
        digitBits[s] = static_cast<std::uint16_t>(set != 0 ? 1U << (d & 15) : 0U);
        setSquares += set;
        const int shown = Controls.Squares[s].Visible ? 1 : 0;
        visibleSquares += shown;
        shownAndSet += shown & set;
        const int count = Controls.VisibleCandidateCount(s);
        lastDead = (shown == 0 && count == 0) ? s : lastDead;
        visibleCandidates += count;
    }

    // Pass 1: a digit twice in a unit. The report names the lowest such digit, then rows
    // before columns before groups, then the lowest unit index.
    if (AnyDuplicate(digitBits)) {
        std::array<std::uint16_t, 27> duplicated{};
        std::uint16_t anyDuplicate = 0;
        for (int t = 0; t < 3; ++t) {
            for (int u = 0; u < 9; ++u) {
                std::uint16_t seen = 0, twice = 0;
                for (int p = 0; p < 9; ++p) {
                    const std::uint16_t bit = digitBits[UnitSquares[t][u][p]];
                    twice |= seen & bit;
                    seen |= bit;
                }
                duplicated[t * 9 + u] = twice;
                anyDuplicate |= twice;
            }
        }
        const int d = std::countr_zero(anyDuplicate);
        for (int unit = 0; unit < 27; ++unit) {
            if ((duplicated[unit] >> d) & 1U) {
                const int t = unit / 9, u = unit % 9;
                consistent = false;
                Board.Explanation = "More than one " + std::to_string(d + 1) + UnitWords[t] + " "
                                    + std::to_string(u + 1);
                Board.HighlightUnit = static_cast<std::int16_t>(u);
                Board.HighlightUnitType = static_cast<std::int16_t>(t);
                break;
            }
        }
    }

    bool full = true, emptySquareShown = false;
    if (consistent) {
        // Passes 2 and 3, from the counts of the sweep.
        full = shownAndSet == SquareCount;
        // An empty square shown: fewer shown squares are set than are shown.
        emptySquareShown = shownAndSet != visibleSquares;
        if (lastDead >= 0) {
            consistent = false;
            Board.Explanation = "No possibilities left for square " + std::to_string(lastDead + 1);
            Board.HighlightSquare = static_cast<std::int16_t>(lastDead);
        }
    } else {
        // The counts stay 0 when a duplicate is found.
        setSquares = 0;
        visibleSquares = 0;
        visibleCandidates = 0;
    }

    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;

    if (!consistent)
        return StatusImpossible;
    if (setSquares < 10)
        return StatusTooFew;
    if (visibleCandidates == CandidateCount)
        return StatusNothingEntered;
    if ((9 * visibleSquares + visibleCandidates == CandidateCount && visibleSquares < SquareCount)
        || emptySquareShown)
        return StatusNotStarted;
    if (full)
        return StatusSolved;
    return StatusConsistent;
}

} // namespace quorix
