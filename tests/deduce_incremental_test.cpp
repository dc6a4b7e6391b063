// The burst view against fresh builds: after every step of long solves it must hold exactly
// the candidates a view built from the store holds, and a search through it must answer what a
// search of a fresh view answers.
#include "deduce/burst_view.h"
#include "test_support.h"

#include <bit>
#include <random>
#include <string>
#include <vector>

namespace quorix {
namespace {

using quorix::testing::LoadAndStart;
using quorix::testing::PuzzleFromFile;

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
void ApplyStruck(Form1 &form, BurstView &view, const FoundStep &step)
{
    if (step.Kind == StepPlace) {
        form.SetSquare(step.Target, step.Digit, true);
        view.Refresh(step.Target);
        for (const int peer : PeersOfSquare[step.Target]) {
            form.Controls.CandidateBits[peer] &= static_cast<std::uint16_t>(~(1U << step.Digit));
            view.Refresh(peer);
        }
    } else if (step.Kind == StepStrike) {
        form.Controls.SetCandidateVisible(step.Target, false);
        view.Refresh(step.Target / 9);
    }
}

// Solves with guesses of the lowest candidate when stuck (right or wrong), comparing a search
// through the view with one of a fresh view, with digit filters mixed in, at every step.
TEST(BurstView, FollowsTheStoreThroughWholeSolves)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    std::mt19937 random(2024);
    long long steps = 0;
    for (const char *file : {"hard-95.txt", "hardest-375.txt", "bank-diabolical-500.txt"}) {
        const std::vector<std::string> puzzles = ReadPuzzleSample(PuzzleSetPath(file), 1, 25);
        ASSERT_EQ(puzzles.size(), 25U) << file;
        for (int line = 1; line <= 25; ++line) {
            const std::string &puzzle = puzzles[line - 1];
            SCOPED_TRACE(std::string(file) + " line " + std::to_string(line));
            LoadAndStart(form, puzzle);
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
                if (!GuessFirstOpenSquare(form))
                    break;
                // A guess changes many squares at once: the view is built again, as each
                // burst's is.
                view.Rebuild();
                ASSERT_TRUE(view.MatchesStore());
            }
        }
    }
    EXPECT_GT(steps, 3000);
}

// A candidate that comes back cannot be counted out; the view rebuilds rather than drift.
TEST(BurstView, RebuildsWhenACandidateReturns)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    LoadAndStart(form, PuzzleFromFile("hard-95.txt", 1));
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

} // namespace
} // namespace quorix
