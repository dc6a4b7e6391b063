#include "tools/window_runs.h"

#include "core/form/form1.h"
#include "core/operations/verify/solution_count.h"
#include "view/main_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

namespace quorix {

namespace {

using Clock = std::chrono::steady_clock;
using quorix::qt::MainWindow;

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

// Types `puzzle` into the window key by key, as a user would, each key's events run.
void TypeOnWindow(MainWindow &window, std::string_view puzzle)
{
    for (int square = 0; square < SquareCount; ++square) {
        QPushButton *button = window.SquareButton(square);
        button->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(button, puzzle[square] == '.' ? '0' : puzzle[square]);
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}

// The moments at which the window system was asked for input during a run, with the number of
// the yield that asked.
struct Polls
{
    std::vector<Clock::time_point> At;
    std::vector<std::size_t> Yield;
};

// The intervals between the click, the polls and the return of the click; and after which
// yield the longest began (0: the click).
void AddGaps(WindowRun &run, Clock::time_point start, const Polls &polls, long long yieldsBefore,
             Clock::time_point returned)
{
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
    for (std::size_t i = 0; i < polls.At.size(); ++i)
        addGap(polls.At[i], polls.Yield[i] - static_cast<std::size_t>(yieldsBefore));
    addGap(returned, 0);
}

// What the window shows once the run is over: its status line, and whether its squares show
// a solution of `puzzle` that the logic holds as well.
void ReadTheEnd(MainWindow &window, std::string_view puzzle, WindowRun &run)
{
    run.News = window.NewsLabel()->text().toStdString();
    run.Status = window.Form().Dispatch().LastAutoStatus;
    run.Valid = IsValidSolution(puzzle, window.Form().Board().Grid);
    for (int square = 0; square < SquareCount && run.Valid; ++square) {
        const QString caption = window.SquareButton(square)->text();
        run.Valid = caption.size() == 1
                    && caption.front().unicode() == u'1' + window.Form().Board().Grid[square];
    }
}

} // namespace

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

WindowRun SolveOnWindow(std::string_view puzzle)
{
    MainWindow window;
    window.Host().OnMessageBox = [](std::string_view) {};
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fputs("quorix-window-bench: the window was never exposed\n", stderr);
    TypeOnWindow(window, puzzle);

    WindowRun run;
    LabelWatch watch(*window.NewsLabel());
    Polls polls;
    polls.At.reserve(1 << 16);
    polls.Yield.reserve(1 << 16);
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
            polls.At.push_back(Clock::now());
            polls.Yield.push_back(static_cast<std::size_t>(host.Yields));
        }
        watch.Look();
    };
    const auto mirrorsBefore = window.Mirrors();
    const long long yieldsBefore = host.Yields, pollsBefore = host.Polls;
    const qint64 yieldNsBefore = host.YieldNs;

    const double cpuStart = ThreadCpuMillis();
    const auto start = Clock::now();
    QTest::mouseClick(window.ModeButton(ModeAuto), Qt::LeftButton);
    const auto returned = Clock::now();
    // The event loop's next turn paints the final state.
    QCoreApplication::processEvents();
    run.Millis = MillisBetween(start, Clock::now());
    run.CpuMillis = ThreadCpuMillis() - cpuStart;

    window.Host().OnDoEvents = nullptr;
    window.Host().HookTouchesStateAtNextYield = nullptr;
    AddGaps(run, start, polls, yieldsBefore, returned);
    run.Yields = host.Yields - yieldsBefore;
    run.Polls = host.Polls - pollsBefore;
    run.YieldMillis = static_cast<double>(host.YieldNs - yieldNsBefore) / 1e6;
    run.Mirrors = window.Mirrors().Calls - mirrorsBefore.Calls;
    run.ChangingMirrors = window.Mirrors().Changed - mirrorsBefore.Changed;
    watch.Look();
    run.HiddenTextLabels = watch.Hidden;
    run.LongestLabelText = watch.Longest;
    ReadTheEnd(window, puzzle, run);
    return run;
}

} // namespace quorix
