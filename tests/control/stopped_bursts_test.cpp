// Bursts stopped at their first dead square: whatever looks at the window, at any yield or
// once the run is over, must find it as a run that finishes every burst leaves it.
#include "test_support.h"

#include <functional>
#include <string>
#include <vector>

namespace quorix::testing {
namespace {

// Everything a yield or the end of a run can show: the trace tool's state block and more.
struct Seen
{
    std::array<std::int16_t, 82> Grid;
    std::array<std::uint16_t, 81> Candidates;
    std::array<bool, 81> Shown;
    PendingStepKind Kind;
    int Target, Digit, Square, Unit, UnitType;
    std::string Explanation, News;
    bool Frame0, Frame1;
    Rect Geometry0, Geometry1;
    int FrontFrame;
    bool Timer;
    long long Cycles, Guesses;
    friend bool operator==(const Seen &, const Seen &) = default;
};

Seen Look(const Form1 &form)
{
    Seen seen{};
    seen.Grid = form.Board().Grid;
    seen.Candidates = form.Controls().CandidateBits;
    for (int s = 0; s < 81; ++s)
        seen.Shown[s] = form.Controls().Squares[s].Visible;
    const BoardState &b = form.Board();
    seen.Kind = b.StepKind;
    seen.Target = b.StepTarget;
    seen.Digit = b.StepDigit;
    seen.Square = b.HighlightSquare;
    seen.Unit = b.HighlightUnit;
    seen.UnitType = b.HighlightUnitType;
    seen.Explanation = b.Explanation;
    seen.News = std::string(form.Controls().News());
    seen.Frame0 = form.Controls().Highlights[0].Visible;
    seen.Frame1 = form.Controls().Highlights[1].Visible;
    seen.Geometry0 = form.Controls().Highlights[0].Geometry;
    seen.Geometry1 = form.Controls().Highlights[1].Geometry;
    seen.FrontFrame = form.Controls().FrontFrame;
    seen.Timer = form.Controls().Timer.Enabled;
    seen.Cycles = form.Stats().Cycles;
    seen.Guesses = form.Stats().Guesses;
    return seen;
}

// One Auto click on `puzzle`, looking at the window at the yields `looks` picks (by number,
// from 1) and at the end.
struct AutoRun
{
    std::vector<Seen> AtYields;
    Seen AtEnd;
    AutoStats Stats;
};

AutoRun RunAuto(std::string_view puzzle, bool stopFailingBursts,
                const std::function<bool(long long)> &looks)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    TypePuzzle(form, puzzle);
    form.StopFailingBursts(stopFailingBursts);
    AutoRun run;
    if (looks) {
        platform.OnDoEvents = [&] {
            if (looks(platform.Yields))
                run.AtYields.push_back(Look(form));
        };
        platform.HookTouchesStateAtNextYield = [&] { return looks(platform.Yields + 1); };
    }
    form.cmdMode_Click(ModeAuto);
    run.AtEnd = Look(form);
    run.Stats = form.Stats();
    return run;
}

TEST(StoppedBursts, LeaveEveryYieldAndTheEndAsFinishedBurstsDo)
{
    long long stopped = 0, finished = 0;
    const auto every = [](long long) { return true; };
    const auto some = [](long long k) { return k % 7 == 3; };
    for (const char *file : {"hard-rated11plus-sample.txt", "hardest-375.txt", "hard-95.txt"}) {
        for (int line = 1; line <= 6; ++line) {
            SCOPED_TRACE(std::string(file) + " line " + std::to_string(line));
            const std::string puzzle = PuzzleFromFile(file, line);
            const AutoRun whole = RunAuto(puzzle, false, every);
            ASSERT_EQ(whole.Stats.StoppedBursts, 0);

            // Looking at every yield, at some, or only at the end.
            const AutoRun always = RunAuto(puzzle, true, every);
            EXPECT_TRUE(always.AtYields == whole.AtYields);
            EXPECT_TRUE(always.AtEnd == whole.AtEnd);

            const AutoRun sometimes = RunAuto(puzzle, true, some);
            std::vector<Seen> expected;
            for (std::size_t k = 1; k <= whole.AtYields.size(); ++k)
                if (some(static_cast<long long>(k)))
                    expected.push_back(whole.AtYields[k - 1]);
            EXPECT_TRUE(sometimes.AtYields == expected);
            EXPECT_TRUE(sometimes.AtEnd == whole.AtEnd);

            const AutoRun never = RunAuto(puzzle, true, nullptr);
            EXPECT_TRUE(never.AtEnd == whole.AtEnd);
            stopped += never.Stats.StoppedBursts;
            finished += never.Stats.StoppedBurstsFinished;
        }
    }
    // The sets are hard enough that most wrong guesses end in a stopped burst, and the rest
    // of only a few of them is ever needed.
    EXPECT_GT(stopped, 1000);
    EXPECT_LT(finished * 4, stopped);
}

// A search that runs out of guesses ends on the check of its last stopped burst.
TEST(StoppedBursts, AnExhaustedSearchEndsAsAFinishedOneDoes)
{
    const std::string puzzle = PuzzleFromFile("edge-invalid-17.txt", 9);
    const AutoRun whole = RunAuto(puzzle, false, nullptr);
    const AutoRun stopped = RunAuto(puzzle, true, nullptr);
    EXPECT_GT(stopped.Stats.StoppedBursts, 0);
    EXPECT_TRUE(stopped.AtEnd == whole.AtEnd);
    EXPECT_EQ(stopped.AtEnd.News, whole.AtEnd.News);
}

} // namespace
} // namespace quorix::testing
