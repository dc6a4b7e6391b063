// The burst view against fresh builds: after every step of long solves it must hold exactly
// the candidates a view built from the store holds, and a search through it must answer what a
// search of a fresh view answers.
#include "core/operations/deduce/burst_view.h"
#include "test_support.h"

#include <algorithm>
#include <bit>
#include <random>
#include <string>
#include <vector>

namespace quorix {
namespace {

using quorix::testing::BoardValues;
using quorix::testing::LoadedBoard;
using quorix::testing::PuzzleFromFile;
using quorix::testing::StartOn;

struct Answer
{
    bool Found;
    PendingStepKind Kind;
    int Target, Digit, Square, Unit, UnitType;
    std::string Explanation;
    friend bool operator==(const Answer &, const Answer &) = default;
};

Answer AnswerOf(bool found, const FoundStep &step)
{
    if (!found)
        return {};
    return {found,       step.Kind, step.Target,   step.Digit,
            step.Square, step.Unit, step.UnitType, step.Explanation};
}

// Carries out the step the way a burst does on a struck board, telling the view each square.
void ApplyStruck(BoardValues &board, BurstView &view, const FoundStep &step)
{
    if (step.Kind == StepPlace) {
        SetSquare(board.Board, board.Controls, step.Target, step.Digit, true);
        view.Refresh(step.Target);
        for (const int peer : PeersOfSquare[step.Target]) {
            board.Controls.CandidateBits[peer] &= static_cast<std::uint16_t>(~(1U << step.Digit));
            view.Refresh(peer);
        }
    } else if (step.Kind == StepStrike) {
        board.Controls.SetCandidateVisible(step.Target, false);
        view.Refresh(step.Target / 9);
    }
}

// Solves with guesses of the lowest candidate when stuck (right or wrong), comparing a search
// through the view with one of a fresh view, with digit filters mixed in, at every step.
TEST(BurstView, FollowsTheStoreThroughWholeSolves)
{
    std::mt19937 random(2024);
    long long steps = 0;
    for (const char *file : {"hard-95.txt", "hardest-375.txt", "bank-diabolical-500.txt"}) {
        const std::vector<std::string> puzzles = ReadPuzzleSample(PuzzleSetPath(file), 1, 25);
        ASSERT_EQ(puzzles.size(), 25U) << file;
        for (int line = 1; line <= 25; ++line) {
            const std::string &puzzle = puzzles[line - 1];
            SCOPED_TRACE(std::string(file) + " line " + std::to_string(line));
            BoardValues form = LoadedBoard();
            StartOn(form.Board, form.Controls, puzzle);
            BurstView view(form.Controls.CandidateBits, form.Board.Grid);
            view.Rebuild();
            for (int round = 0; round < 300; ++round) {
                const int filter = round % 5 == 4 ? static_cast<int>(random() % 9) : -1;
                FoundStep freshStep, viewStep;
                const Answer fresh = AnswerOf(
                    FindStepAfresh(form.Controls.CandidateBits, form.Board.Grid, filter, freshStep),
                    freshStep);
                const Answer viaView = AnswerOf(view.FindStep(filter, viewStep), viewStep);
                ASSERT_EQ(fresh, viaView) << "round " << round;
                if (fresh.Found) {
                    ++steps;
                    ApplyStruck(form, view, freshStep);
                    ASSERT_TRUE(view.MatchesStore()) << "round " << round;
                    continue;
                }
                if (filter >= 0)
                    continue;
                int guessed = 0;
                while (
                    guessed < SquareCount
                    && (form.Board.Grid[guessed] >= 0 || form.Controls.CandidateBits[guessed] == 0))
                    ++guessed;
                if (!GuessFirstOpenSquare(form.Board, form.Controls))
                    break;
                // A guess on a struck board is a placement: the view takes it in without a
                // rebuild, so that what its searches found in vain is carried over the guess,
                // as the auto loop carries it.
                view.Place(guessed, form.Board.Grid[guessed]);
                ASSERT_TRUE(view.MatchesStore());
            }
        }
    }
    EXPECT_GT(steps, 3000);
}

// A candidate that comes back cannot be counted out; the view rebuilds rather than drift.
TEST(BurstView, RebuildsWhenACandidateReturns)
{
    BoardValues form = LoadedBoard();
    StartOn(form.Board, form.Controls, PuzzleFromFile("hard-95.txt", 1));
    BurstView view(form.Controls.CandidateBits, form.Board.Grid);
    view.Rebuild();
    int square = 0;
    while (form.Board.Grid[square] >= 0)
        ++square;
    const std::uint16_t before = form.Controls.CandidateBits[square];
    form.Controls.CandidateBits[square] = 0;
    view.Refresh(square);
    EXPECT_TRUE(view.MatchesStore());
    form.Controls.CandidateBits[square] = before;
    view.Refresh(square);
    EXPECT_TRUE(view.MatchesStore());
    EXPECT_EQ(view.View().Masks[square], before);
}

// A guess on a square with no candidate left, the way the auto loop places one: the square is
// set, and the view no longer counts it dead, as a fresh build would not. With another dead
// square left, the view still counts that one.
TEST(BurstView, APlacementOnADeadSquareLeavesItDeadNoMore)
{
    for (const bool anotherDead : {false, true}) {
        BoardValues form = LoadedBoard();
        StartOn(form.Board, form.Controls, PuzzleFromFile("hard-95.txt", 1));
        BurstView view(form.Controls.CandidateBits, form.Board.Grid);
        std::vector<int> open;
        for (int s = 0; s < SquareCount; ++s)
            if (form.Board.Grid[s] < 0)
                open.push_back(s);
        form.Controls.CandidateBits[open[0]] = 0;
        if (anotherDead)
            form.Controls.CandidateBits[open.back()] = 0;
        view.Rebuild();
        ASSERT_TRUE(view.AnyDeadSquare());
        SetSquareDigit(form.Board, form.Controls, open[0], 0);
        view.PlaceInStore(open[0], 0, form.Controls.CandidateBits);
        EXPECT_TRUE(view.MatchesStore()) << anotherDead;
        EXPECT_EQ(view.AnyDeadSquare(), anotherDead);
    }
}

// The counts and sets every rule reads, against counting square by square: per digit and
// unit the live places, per square its size, on random boards with stray bits above the nine
// candidates and set squares that still show some.
TEST(CandidateView, CountsEachDigitPerUnitAndSortsSquaresBySize)
{
    std::mt19937 random(99);
    std::array<std::uint16_t, SquareCount> bits{};
    std::array<std::int16_t, 82> grid{};
    for (int board = 0; board < 200; ++board) {
        for (int s = 0; s < SquareCount; ++s) {
            bits[s] = static_cast<std::uint16_t>(random() % (board % 2 ? 0x10000 : 0x200));
            if (board % 3 == 0)
                bits[s] &= static_cast<std::uint16_t>(random()); // sparser
            grid[s] = static_cast<std::int16_t>(random() % 4 == 0 ? random() % 9 : -1);
        }
        const CandidateView view(bits, grid);
        for (int d = 0; d < DigitCount; ++d) {
            for (int t = 0; t < 3; ++t) {
                for (int u = 0; u < 9; ++u) {
                    unsigned places = 0;
                    for (const int s : UnitSquares[t][u])
                        places += (bits[s] >> d) & 1U;
                    ASSERT_EQ((view.Counts[d][t] >> (4 * u)) & 15U, places)
                        << "board " << board << " digit " << d << " unit " << t << "," << u;
                    for (unsigned n = 0; n < 8; ++n)
                        ASSERT_EQ(((view.UnitsHolding(d, t, n) >> (4 * u + 3)) & 1U) != 0,
                                  places == n);
                }
            }
        }
        for (int s = 0; s < SquareCount; ++s) {
            const int size = std::popcount(static_cast<unsigned>(bits[s] & AllCandidates));
            for (int n = 0; n < 4; ++n) {
                const SquareSet sized = view.BySize[n];
                const bool in = ((s < 64 ? sized.Low >> s : sized.High >> (s - 64)) & 1U) != 0;
                ASSERT_EQ(in, n == (size <= 3 ? size : 0)) << "board " << board << " square " << s;
            }
        }
        ASSERT_EQ(view.Open.Count(),
                  static_cast<int>(
                      std::count(grid.begin(), grid.begin() + SquareCount, std::int16_t{-1})));
    }
}

} // namespace
} // namespace quorix
