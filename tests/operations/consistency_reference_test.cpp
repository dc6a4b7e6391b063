// CheckBoard against its three passes written out plainly, digit by digit and square by square,
// on random boards: few or many squares set, duplicates rare or common, squares shown or not,
// candidates alive or struck.
#include "test_support.h"

#include <random>

namespace quorix::testing {
namespace {

struct Verdict
{
    std::int32_t Status;
    std::string Explanation;
    int Square, Unit, UnitType;
    friend bool operator==(const Verdict &, const Verdict &) = default;
};

Verdict PlainCheck(const BoardState &board, const ControlStore &controls)
{
    Verdict v{0, board.Explanation, board.HighlightSquare, board.HighlightUnit,
              board.HighlightUnitType};
    const char *words[3] = {" in row", " in column", " in group"};
    bool consistent = true;
    for (int d = 0; d < 9 && consistent; ++d)
        for (int t = 0; t < 3 && consistent; ++t)
            for (int u = 0; u < 9 && consistent; ++u) {
                int count = 0;
                for (int p = 0; p < 9; ++p)
                    count += board.Grid[UnitSquare(u, p, t)] == d;
                if (count >= 2) {
                    consistent = false;
                    v.Explanation = "More than one " + std::to_string(d + 1) + words[t] + " "
                                    + std::to_string(u + 1);
                    v.Unit = static_cast<std::int16_t>(u);
                    v.UnitType = static_cast<std::int16_t>(t);
                }
            }
    int shownSquares = 0, setSquares = 0, candidates = 0;
    bool full = true, emptyShown = false;
    if (consistent) {
        for (int s = 0; s < 81; ++s) {
            const bool shown = controls.Squares[s].Visible;
            const bool set = board.Grid[s] > -1;
            full = full && shown && set;
            shownSquares += shown;
            setSquares += set;
            emptyShown = emptyShown || (!set && shown);
        }
        for (int s = 0; s < 81; ++s) {
            int count = 0;
            for (int k = 0; k < 9; ++k)
                count += controls.CandidateVisible(s * 9 + k);
            if (!controls.Squares[s].Visible && count == 0) {
                consistent = false;
                v.Explanation = "No possibilities left for square " + std::to_string(s + 1);
                v.Square = static_cast<std::int16_t>(s);
            }
            candidates += count;
        }
    }
    if (!consistent)
        v.Status = StatusImpossible;
    else if (setSquares < 10)
        v.Status = StatusTooFew;
    else if (candidates == 729)
        v.Status = StatusNothingEntered;
    else if ((9 * shownSquares + candidates == 729 && shownSquares < 81) || emptyShown)
        v.Status = StatusNotStarted;
    else if (full)
        v.Status = StatusSolved;
    else
        v.Status = StatusConsistent;
    return v;
}

TEST_F(BoardTest, CheckBoardAgreesWithThePlainPassesOnRandomBoards)
{
    BoardState &board = Board;
    ControlStore &controls = Controls;
    std::mt19937 random(7);
    const std::string solution(EasySolution);
    std::array<int, 7> statuses{};
    for (int round = 0; round < 20000; ++round) {
        // From a solution with some squares emptied and a few digits changed, so that
        // duplicates come in every unit type and at every place, rarely or often.
        const unsigned emptied = random() % 100, changed = random() % 40 == 0 ? 0 : random() % 6;
        const unsigned hidden = random() % 100, struck = random() % 100;
        // Or, every third round, digits scattered at random, where a duplicate is as likely
        // in a group alone as in a row or a column.
        const bool scattered = round % 3 == 0;
        for (int s = 0; s < 81; ++s) {
            int d = random() % 100 < emptied ? -1 : solution[s] - '1';
            if (d >= 0 && random() % 100 < changed)
                d = static_cast<int>(random() % 9);
            if (scattered)
                d = random() % 81 < 14 ? static_cast<int>(random() % 9) : -1;
            board.Grid[s] = static_cast<std::int16_t>(d);
            controls.Squares[s].Visible = random() % 100 >= hidden;
            std::uint16_t bits = 0;
            for (int k = 0; k < 9; ++k)
                if (random() % 100 >= struck)
                    bits = static_cast<std::uint16_t>(bits | (1U << k));
            controls.CandidateBits[s] = bits;
        }
        board.Explanation = "before";
        board.HighlightSquare = 11;
        board.HighlightUnit = 12;
        board.HighlightUnitType = 13;
        const Verdict expected = PlainCheck(board, controls);
        const BoardStatus status = CheckBoard(board, controls);
        const Verdict actual{status, board.Explanation, board.HighlightSquare, board.HighlightUnit,
                             board.HighlightUnitType};
        ASSERT_EQ(expected, actual) << "round " << round;
        ++statuses[status - StatusImpossible];
    }
    EXPECT_GT(statuses[StatusImpossible - StatusImpossible], 1000);
    EXPECT_GT(statuses[StatusConsistent - StatusImpossible], 50);
    EXPECT_GT(statuses[StatusNotStarted - StatusImpossible], 50);
}

} // namespace
} // namespace quorix::testing
