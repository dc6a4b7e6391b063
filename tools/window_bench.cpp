// quorix-window-bench: times the Auto command on the real window and on the headless logic.
//
//   quorix-window-bench [--runs N] [FILE [LINE]]
//   quorix-window-bench --scan FILE...
//
// The first form types one puzzle (by default the one that Auto takes longest on, headless,
// among the hard puzzle sets) into a fresh window under the offscreen platform, clicks Auto
// with a real mouse click and measures, N times (default 7):
//   - the wall time from the click until the final message is on the status line and painted;
//   - every interval during the run in which the window processed no events: from the click
//     to the first yield, between two yields, and from the last yield to the final message;
//   - how often the widgets were mirrored from the store, and how often that changed any;
//   - that the status label never held characters beyond its right edge.
// The same puzzle is solved as often on a headless Form1, and the medians are compared.
// Exits 1 when a target is missed or a result is wrong, 2 on bad arguments.
//
// The second form times one headless Auto click per puzzle of the files and lists the slowest,
// each re-timed a few times: how the default puzzle was chosen.
#include "tools/puzzle_file.h"
#include "tools/tool_support.h"
#include "tools/window_runs.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorix;

// The slowest puzzle of the puzzle sets for a headless Auto click (found with --scan): a
// puzzle without solution that the search needs some 169,000 cycles to refute.
constexpr std::string_view DefaultFile = "edge-invalid-17.txt";
constexpr int DefaultLine = 16;
constexpr double FinalMessageBudgetMs = 50.0; // over the headless time
constexpr double EventGapBudgetMs = 16.0;     // one frame at 60 Hz

// --scan: the slowest puzzles for a headless Auto click.
int Scan(const std::vector<std::string> &files)
{
    struct Entry
    {
        double Millis;
        std::string File;
        int Line;
        std::string Puzzle;
    };
    std::vector<Entry> entries;
    for (const auto &file : files) {
        for (const PuzzleLine &line : ReadPuzzleLines(file)) {
            if (IsPuzzleText(line.Text))
                entries.push_back({SolveHeadless(line.Text).Millis, file, line.Number, line.Text});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.Millis > b.Millis; });
    entries.resize(std::min<std::size_t>(entries.size(), 10));
    // One timing is noisy on a shared machine: re-time the leaders and rank by median.
    for (auto &entry : entries) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run)
            times.push_back(SolveHeadless(entry.Puzzle).Millis);
        entry.Millis = Median(times);
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.Millis > b.Millis; });
    std::printf("%10s %7s  %s\n", "median ms", "cycles", "file:line");
    for (const auto &entry : entries) {
        std::printf("%10.2f %7lld  %s:%d\n", entry.Millis, SolveHeadless(entry.Puzzle).Cycles,
                    entry.File.c_str(), entry.Line);
    }
    return 0;
}

int Usage()
{
    std::fputs("usage: quorix-window-bench [--runs N] [FILE [LINE]]\n"
               "       quorix-window-bench --scan FILE...\n",
               stderr);
    return 2;
}

// What `runs` runs on the window and as many headless ones measured.
struct Figures
{
    std::vector<double> Headless, Windowed, HeadlessCpu, WindowedCpu, WorstGaps, P99Gaps, InYields;
    std::vector<double> Mirrors, Changing;
    bool Correct = true;
    long long HiddenText = 0;
};

Figures RunBoth(std::string_view puzzle, int runs)
{
    Figures f;
    std::printf("%3s %10s %10s %9s %9s %8s %8s %9s %7s %6s %7s %8s  %s\n", "run", "bare ms",
                "window ms", "bare cpu", "win cpu", "max gap", "p99 gap", "in yields", "yields",
                "polls", "mirrors", "changing", "worst gap after yield");
    for (int run = 1; run <= runs; ++run) {
        const HeadlessRun bare = SolveHeadless(puzzle);
        WindowRun shown = SolveOnWindow(puzzle);
        const std::size_t worstAt = shown.WorstGapAt;
        std::sort(shown.Gaps.begin(), shown.Gaps.end());
        f.Headless.push_back(bare.Millis);
        f.Windowed.push_back(shown.Millis);
        f.HeadlessCpu.push_back(bare.CpuMillis);
        f.WindowedCpu.push_back(shown.CpuMillis);
        f.WorstGaps.push_back(shown.Gaps.back());
        f.P99Gaps.push_back(Percentile(shown.Gaps, 0.99));
        f.Mirrors.push_back(static_cast<double>(shown.Mirrors));
        f.Changing.push_back(static_cast<double>(shown.ChangingMirrors));
        f.InYields.push_back(shown.YieldMillis);
        f.HiddenText += shown.HiddenTextLabels;
        // The window must end where the logic alone ends, cycle for cycle.
        const bool solved = shown.Status == StatusSolved;
        f.Correct = f.Correct && bare.News == shown.News && bare.Cycles == shown.Yields
                    && (!solved || (shown.Valid && bare.Valid));
        std::printf(
            "%3d %10.2f %10.2f %9.2f %9.2f %8.2f %8.2f %9.2f %7lld %6lld %7lld %8lld  %zu\n", run,
            bare.Millis, shown.Millis, bare.CpuMillis, shown.CpuMillis, shown.Gaps.back(),
            Percentile(shown.Gaps, 0.99), shown.YieldMillis, shown.Yields, shown.Polls,
            shown.Mirrors, shown.ChangingMirrors, worstAt);
        if (run == runs)
            std::printf("final message \"%s\"; the label held %d characters at most\n",
                        shown.News.c_str(), shown.LongestLabelText);
    }
    return f;
}

// Prints the medians of the runs and whether each target is met.
bool Report(const Figures &f, int runs)
{
    const double headlessMs = Median(f.Headless);
    const double windowMs = Median(f.Windowed);
    const double worstGap = Median(f.WorstGaps);
    std::printf("\nmedians over %d runs\n", runs);
    std::printf("  headless Auto             %9.2f ms  (processor %.2f ms)\n", headlessMs,
                Median(f.HeadlessCpu));
    std::printf("  window Auto               %9.2f ms  (processor %.2f ms)\n", windowMs,
                Median(f.WindowedCpu));
    std::printf("  window over headless      %+9.2f ms  (processor %+.2f ms; budget +%.0f)\n",
                windowMs - headlessMs, Median(f.WindowedCpu) - Median(f.HeadlessCpu),
                FinalMessageBudgetMs);
    std::printf("  inside the window's yields %8.2f ms  (events, mirrors and repaints)\n",
                Median(f.InYields));
    std::printf("  longest gap in events     %9.2f ms  (budget %.0f; worst run %.2f)\n", worstGap,
                EventGapBudgetMs, *std::max_element(f.WorstGaps.begin(), f.WorstGaps.end()));
    std::printf("  p99 gap in events         %9.2f ms\n", Median(f.P99Gaps));
    std::printf("  mirrors                   %9.0f     (%.0f changed a widget)\n",
                Median(f.Mirrors), Median(f.Changing));
    std::printf("  label texts past the edge %9lld\n", f.HiddenText);

    bool met = true;
    const auto miss = [&met](const char *what) {
        std::puts(what);
        met = false;
    };
    if (!f.Correct)
        miss("FAIL: the window ended otherwise than the headless run, or showed an invalid "
             "solution");
    if (windowMs - headlessMs > FinalMessageBudgetMs)
        miss("MISS: the window takes more than its budget over the headless time");
    if (worstGap > EventGapBudgetMs)
        miss("MISS: the window went longer than a frame without processing its events");
    if (f.HiddenText != 0)
        miss("FAIL: the status label held text beyond its right edge");
    return met;
}

} // namespace

int main(int argc, char *argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int runs = 7;
    if (args.size() >= 2 && args.front() == "--runs") {
        runs = std::atoi(args[1].c_str());
        if (runs < 1)
            return Usage();
        args.erase(args.begin(), args.begin() + 2);
    }
    const bool scan = !args.empty() && args.front() == "--scan";
    if ((scan && args.size() < 2) || (!scan && args.size() > 2))
        return Usage();
    const std::string file = args.empty() ? PuzzleSetPath(DefaultFile) : args[0];
    const int lineNumber = args.size() == 2 ? std::atoi(args[1].c_str())
                           : args.empty()   ? DefaultLine
                                            : 1;
    try {
        if (scan)
            return Scan({args.begin() + 1, args.end()});
        const std::string puzzle = ReadPuzzle(file, lineNumber);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        std::printf("puzzle %s line %d\n%s\n", file.c_str(), lineNumber, puzzle.c_str());
        const bool met = Report(RunBoth(puzzle, runs), runs);
        if (!FinishStandardOutput("quorix-window-bench"))
            return 2;
        return met ? 0 : 1;
    } catch (const PuzzleFileError &error) {
        std::fprintf(stderr, "quorix-window-bench: %s\n", error.what());
        return 2;
    }
}
