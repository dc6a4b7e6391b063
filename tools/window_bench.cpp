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
#include "core/operations/text/puzzle_text.h"
#include "core/operations/verify/solution_count.h"
#include "tools/puzzle_file.h"
#include "tools/tool_support.h"
#include "view/main_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace quorix;
using quorix::qt::MainWindow;

// The slowest puzzle of the puzzle sets for a headless Auto click (found with --scan): a
// puzzle without solution that the search needs some 169,000 cycles to refute.
constexpr std::string_view DefaultFile = "edge-invalid-17.txt";
constexpr int DefaultLine = 16;
constexpr double FinalMessageBudgetMs = 50.0; // over the headless time
constexpr double EventGapBudgetMs = 16.0;     // one frame at 60 Hz

double MillisBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Processor time of this thread: unlike wall time, untouched by other processes that take
// the processor away on a shared machine.
double ThreadCpuMillis()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct HeadlessRun
{
    double Millis = 0;
    double CpuMillis = 0;
    std::string News;
    BoardStatus Status{};
    long long Cycles = 0;
    bool Valid = false;
};

// One Auto click on a fresh headless Form1 with `puzzle` typed in.
HeadlessRun SolveHeadless(std::string_view puzzle)
{
    // On the heap, like the window's, so that both runs see the same memory layout.
    HeadlessPlatform host;
    const auto owner = std::make_unique<Form1>(host);
    Form1 &form = *owner;
    form.Form_Load();
    TypePuzzle(form, puzzle);
    const double cpuStart = ThreadCpuMillis();
    const auto start = Clock::now();
    form.cmdMode_Click(ModeAuto);
    HeadlessRun run;
    run.Millis = MillisBetween(start, Clock::now());
    run.CpuMillis = ThreadCpuMillis() - cpuStart;
    run.News = form.Controls().News();
    run.Status = form.Dispatch().LastAutoStatus;
    run.Cycles = form.Stats().Cycles;
    run.Valid = IsValidSolution(puzzle, form.Board().Grid);
    return run;
}

struct WindowRun
{
    double Millis = 0;          // click to final message painted
    double CpuMillis = 0;       // the same in processor time
    std::vector<double> Gaps;   // intervals in which the window system was not asked for input
    std::size_t WorstGapAt = 0; // the yield after which the longest gap began (0: the click)
    long long Yields = 0;
    long long Polls = 0;
    double YieldMillis = 0; // inside the window's yields
    long long Mirrors = 0;
    long long ChangingMirrors = 0;
    long long HiddenTextLabels = 0; // label texts with characters beyond the right edge
    int LongestLabelText = 0;
    std::string News;
    BoardStatus Status{};
    bool Valid = false;
};

// Checks every text the status label is given for characters that start at or beyond its
// right edge. Measuring is dear, so a text is measured once, when it is new.
class LabelWatch
{
public:
    explicit LabelWatch(const QLabel &label) : Label(label) {}

    void Look()
    {
        const QString text = Label.text();
        if (text.constData() == Last.constData() && text.size() == Last.size())
            return;
        Last = text;
        Longest = std::max(Longest, static_cast<int>(text.size()));
        if (text.size() >= 2
            && Label.fontMetrics().horizontalAdvance(text.left(text.size() - 1))
                   >= Label.contentsRect().width())
            ++Hidden;
    }

    long long Hidden = 0;
    int Longest = 0;

private:
    const QLabel &Label;
    QString Last;
};

WindowRun SolveOnWindow(std::string_view puzzle)
{
    MainWindow window;
    window.Host().OnMessageBox = [](std::string_view) {};
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fputs("quorix-window-bench: the window was never exposed\n", stderr);
    for (int square = 0; square < SquareCount; ++square) {
        QPushButton *button = window.SquareButton(square);
        button->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(button, puzzle[square] == '.' ? '0' : puzzle[square]);
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();

    WindowRun run;
    const QLabel &label = *window.NewsLabel();
    LabelWatch watch(label);
    std::vector<Clock::time_point> yields;
    yields.reserve(1 << 16);
    std::vector<std::size_t> yieldNumbers;
    yieldNumbers.reserve(1 << 16);
    const qt::QtPlatform &host = window.Host();
    long long polled = host.Polls;
    // Runs right after the yield has let the window's events run, before anything is mirrored:
    // the label still holds what the previous mirror put there. A moment counts when the
    // window system was asked for input in it, not only posted events run.
    // The hook reads the label and the platform's counters, never the store: yields that do
    // nothing else may skip it.
    window.Host().HookTouchesStateAtNextYield = [] { return false; };
    window.Host().OnDoEvents = [&] {
        if (host.Polls != polled) {
            polled = host.Polls;
            yields.push_back(Clock::now());
            yieldNumbers.push_back(static_cast<std::size_t>(host.Yields));
        }
        watch.Look();
    };
    const auto mirrorsBefore = window.Mirrors();
    const long long yieldsBefore = host.Yields;
    const long long pollsBefore = host.Polls;
    const qint64 yieldNsBefore = host.YieldNs;

    const double cpuStart = ThreadCpuMillis();
    const auto start = Clock::now();
    QTest::mouseClick(window.ModeButton(ModeAuto), Qt::LeftButton);
    const auto returned = Clock::now();
    // The event loop's next turn paints the final state.
    QCoreApplication::processEvents();
    const auto painted = Clock::now();
    run.CpuMillis = ThreadCpuMillis() - cpuStart;

    window.Host().OnDoEvents = nullptr;
    window.Host().HookTouchesStateAtNextYield = nullptr;
    run.Millis = MillisBetween(start, painted);
    Clock::time_point previous = start;
    std::size_t previousYield = 0;
    double worst = -1;
    const auto addGap = [&](Clock::time_point at, std::size_t yield) {
        const double gap = MillisBetween(previous, at);
        if (gap > worst) {
            worst = gap;
            run.WorstGapAt = previousYield;
        }
        run.Gaps.push_back(gap);
        previous = at;
        previousYield = yield;
    };
    for (std::size_t i = 0; i < yields.size(); ++i)
        addGap(yields[i], yieldNumbers[i] - static_cast<std::size_t>(yieldsBefore));
    addGap(returned, 0);
    run.Yields = host.Yields - yieldsBefore;
    run.Polls = host.Polls - pollsBefore;
    run.YieldMillis = static_cast<double>(host.YieldNs - yieldNsBefore) / 1e6;
    run.Mirrors = window.Mirrors().Calls - mirrorsBefore.Calls;
    run.ChangingMirrors = window.Mirrors().Changed - mirrorsBefore.Changed;
    watch.Look();
    run.HiddenTextLabels = watch.Hidden;
    run.LongestLabelText = watch.Longest;
    run.News = label.text().toStdString();
    run.Status = window.Form().Dispatch().LastAutoStatus;
    run.Valid = IsValidSolution(puzzle, window.Form().Board().Grid);
    for (int square = 0; square < SquareCount && run.Valid; ++square) {
        const QString caption = window.SquareButton(square)->text();
        run.Valid = caption.size() == 1
                    && caption.front().unicode() == u'1' + window.Form().Board().Grid[square];
    }
    return run;
}

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
