// The consistency check: the one judge of whether the board is solved, stuck or wrong.
#include "window/form1.h"

#include <bit>

namespace quorix {

namespace {

const char *const UnitWords[3] = {" in row", " in column", " in group"};

} // namespace

std::int32_t Form1::CheckBoard()
{
    bool consistent = true;

    // Pass 1: a digit twice in a unit. The report names the lowest such digit, then rows
    // before columns before groups, then the lowest unit index.
    std::array<std::uint16_t, 27> duplicated{};
    std::uint16_t anyDuplicate = 0;
    for (int t = 0; t < 3; ++t) {
        for (int u = 0; u < 9; ++u) {
            std::uint16_t seen = 0, twice = 0;
            for (int p = 0; p < 9; ++p) {
                const int d = Board.Grid[UnitSquares[t][u][p]];
                if (d < 0)
                    continue;
                const auto bit = static_cast<std::uint16_t>(1U << d);
                twice |= seen & bit;
                seen |= bit;
            }
            duplicated[t * 9 + u] = twice;
            anyDuplicate |= twice;
        }
    }
    if (anyDuplicate != 0) {
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

    int visibleSquares = 0, setSquares = 0, visibleCandidates = 0;
    bool full = true, emptySquareShown = false;
    if (consistent) {
        // Passes 2 and 3: counts, and empty squares in solving form with nothing left.
        int lastDead = -1;
        for (int s = 0; s < SquareCount; ++s) {
            const bool shown = Controls.Squares[s].Visible;
            const bool set = Board.Grid[s] >= 0;
            full = full && shown && set;
            visibleSquares += shown;
            setSquares += set;
            emptySquareShown = emptySquareShown || (!set && shown);
            const int count = Controls.VisibleCandidateCount(s);
            if (!shown && count == 0)
                lastDead = s;
            visibleCandidates += count;
        }
        if (lastDead >= 0) {
            consistent = false;
            Board.Explanation = "No possibilities left for square " + std::to_string(lastDead + 1);
            Board.HighlightSquare = static_cast<std::int16_t>(lastDead);
        }
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
