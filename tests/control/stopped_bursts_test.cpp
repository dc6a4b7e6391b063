// Bursts stopped at their first dead square: whatever looks at the window, at any yield or
// once the run is over, must find it as a run that finishes every burst leaves it.
#include "test_support.h"
#include "tools/script.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace quorix::testing {
namespace {

// Everything a yield or the end of a run can show, as text that a failed comparison prints:
// the trace tool's state block and more.
using Seen = std::string;

Seen Look(const Form1 &form)
{
    const BoardState &b = form.Board();
    const ControlStore &c = form.Controls();
    std::ostringstream out;
    out << FormatState(form) << "explanation [" << b.Explanation << "]\nnews [" << c.News()
        << "]\nfront " << c.FrontFrame << "\ncycles " << form.Stats().Cycles << " guesses "
        << form.Stats().Guesses << '\n';
    return out.str();
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

// The looks at the same yields, one by one: the first that differs is printed whole.
void ExpectSameLooks(const std::vector<Seen> &got, const std::vector<Seen> &want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < got.size(); ++k)
        ASSERT_EQ(got[k], want[k]) << "look " << k + 1;
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
            ExpectSameLooks(always.AtYields, whole.AtYields);
            EXPECT_EQ(always.AtEnd, whole.AtEnd);

            const AutoRun sometimes = RunAuto(puzzle, true, some);
            std::vector<Seen> expected;
            for (std::size_t k = 1; k <= whole.AtYields.size(); ++k)
                if (some(static_cast<long long>(k)))
                    expected.push_back(whole.AtYields[k - 1]);
            ExpectSameLooks(sometimes.AtYields, expected);
            EXPECT_EQ(sometimes.AtEnd, whole.AtEnd);

            const AutoRun never = RunAuto(puzzle, true, nullptr);
            EXPECT_EQ(never.AtEnd, whole.AtEnd);
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
    EXPECT_EQ(stopped.AtEnd, whole.AtEnd);
}

} // namespace
} // namespace quorix::testing
