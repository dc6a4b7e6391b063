// The burst view against fresh builds: after every step of long solves it must hold exactly
// the candidates a view built from the store holds, and FindStep must answer the same through
// it as without it.
#include "deduce/burst_view.h"
#include "test_support.h"

#include <bit>
#include <random>

namespace quorix {
namespace {

using quorix::testing::PuzzleFromFile;

struct Answer
{
    bool Found;
    std::int32_t Kind;
    std::int16_t Target, Digit, Square, Unit, UnitType;
    std::string Explanation;
    friend bool operator==(const Answer &, const Answer &) = default;
};

Answer Ask(Form1 &form, std::int16_t filter)
{
    const bool found = form.FindStep(filter);
    // Through a burst view the text is written only when the burst ends; end it here.
    form.WordPendingStep();
    const BoardState &b = form.Board;
    return {found,           b.StepKind,          b.StepTarget, b.StepDigit, b.HighlightSquare,
            b.HighlightUnit, b.HighlightUnitType, b.Explanation};
}

void Start(Form1 &form, const std::string &puzzle)
{
    form.Form_Load();
    for (int s = 0; s < SquareCount; ++s)
        form.Board.Givens[s] =
            static_cast<std::int16_t>(puzzle[s] >= '1' && puzzle[s] <= '9' ? puzzle[s] - '1' : -1);
    form.LoadGivens();
    form.StrikeSetDigits();
}

// Carries out the step the way a burst does on a struck board, telling the view each square.
void ApplyStruck(Form1 &form, BurstView &view)
{
    const BoardState &b = form.Board;
    if (b.StepKind == StepPlace) {
        form.SetSquare(b.StepTarget, b.StepDigit, true);
        view.Refresh(b.StepTarget);
        for (const int peer : PeersOfSquare[b.StepTarget]) {
            form.Controls.CandidateBits[peer] &= static_cast<std::uint16_t>(~(1U << b.StepDigit));
            view.Refresh(peer);
        }
    } else if (b.StepKind == StepStrike) {
        form.Controls.SetCandidateVisible(b.StepTarget, false);
        view.Refresh(b.StepTarget / 9);
    }
}

// Solves with guesses of the lowest candidate when stuck (right or wrong), comparing FindStep
// with and without the view, with digit filters mixed in, at every step.
TEST(BurstView, FollowsTheStoreThroughWholeSolves)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    std::mt19937 random(2024);
    long long steps = 0;
    for (const char *file : {"hard-95.txt", "hardest-375.txt", "bank-diabolical-500.txt"}) {
        for (int line = 1; line <= 25; ++line) {
            const std::string puzzle = PuzzleFromFile(file, line);
            SCOPED_TRACE(std::string(file) + " line " + std::to_string(line));
            Start(form, puzzle);
            BurstView view(form.Controls.CandidateBits, form.Board.Grid);
            view.Rebuild();
            for (int round = 0; round < 300; ++round) {
                const auto filter =
                    static_cast<std::int16_t>(round % 5 == 4 ? static_cast<int>(random() % 9) : -1);
                const BoardState before = form.Board;
                form.ActiveBurst = nullptr;
                const Answer fresh = Ask(form, filter);
                form.Board = before; // so that a search finding nothing is compared too
                form.ActiveBurst = &view;
                const Answer viaView = Ask(form, filter);
                form.ActiveBurst = nullptr;
                ASSERT_EQ(fresh, viaView) << "round " << round;
                if (fresh.Found) {
                    ++steps;
                    ApplyStruck(form, view);
                    ASSERT_TRUE(view.MatchesStore()) << "round " << round;
                    continue;
                }
                if (filter >= 0)
                    continue;
                if (!testing::GuessFirstOpenSquare(form))
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
    Start(form, PuzzleFromFile("hard-95.txt", 1));
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
