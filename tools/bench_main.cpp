// quorix-bench: runs the Auto command on every puzzle of the given files, times it, and checks
// every result against an independent solution count.
//
//   quorix-bench FILE... [--unique]
//
// Each puzzle is typed into a freshly reset board and solved with one Auto click; only that
// click is timed (steady clock around the whole command, prologue included). With --unique a
// solved board is also given a Check Unique click, timed on its own. One table row per file,
// the verification failures under its file with the line number (the first hundred, then a
// count), and one summary line over all files last. Exits 1 when any result fails
// verification, 2 when a file cannot be read or the output cannot be written.
#include "core/form/form1.h"
#include "core/operations/text/puzzle_text.h"
#include "core/operations/verify/solution_count.h"
#include "tools/puzzle_file.h"
#include "tools/tool_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace quorix;

// The board refuses to start below this many givens.
// Enough to tell none, one and several solutions apart.
constexpr int CountLimit = 2;
// Failures listed per file; the rest are only counted.
constexpr std::size_t ListedFailures = 100;

struct Tally
{
    std::string Name;
    int Puzzles = 0;
    int Solved = 0;
    int Impossible = 0;
    int Other = 0;
    std::vector<double> AutoMicros;
    std::vector<double> UniqueMicros;
    long long Cycles = 0;
    long long Guesses = 0;
    long long FailureCount = 0;
    std::vector<std::string> Failures; // the first ListedFailures of them

    void Fail(std::string what)
    {
        if (++FailureCount <= static_cast<long long>(ListedFailures))
            Failures.push_back(std::move(what));
    }
    void Add(const Tally &other)
    {
        Puzzles += other.Puzzles;
        Solved += other.Solved;
        Impossible += other.Impossible;
        Other += other.Other;
        AutoMicros.insert(AutoMicros.end(), other.AutoMicros.begin(), other.AutoMicros.end());
        UniqueMicros.insert(UniqueMicros.end(), other.UniqueMicros.begin(),
                            other.UniqueMicros.end());
        Cycles += other.Cycles;
        Guesses += other.Guesses;
        FailureCount += other.FailureCount;
    }
};

double MicrosSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

std::string BaseName(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SolutionWords(int solutions)
{
    switch (solutions) {
    case 0:
        return "no solution";
    case 1:
        return "one solution";
    default:
        return "several solutions";
    }
}

class Bench
{
public:
    explicit Bench(bool checkUnique) : CheckUniqueToo(checkUnique), Form(Host) { Form.Form_Load(); }

    // One puzzle: solve, time, verify. Failures are added to `tally` with `where` in front.
    void Run(std::string_view puzzle, const std::string &where, Tally &tally)
    {
        ++tally.Puzzles;
        if (!IsPuzzleText(puzzle)) {
            ++tally.Other;
            tally.Fail(where + ": not 81 digits and dots: " + QuoteForMessage(puzzle));
            return;
        }
        Form.cmdMode_Click(ModeReset);
        TypePuzzle(Form, puzzle);
        const auto start = Clock::now();
        Form.cmdMode_Click(ModeAuto);
        tally.AutoMicros.push_back(MicrosSince(start));
        tally.Cycles += Form.Stats().Cycles;
        tally.Guesses += Form.Stats().Guesses;

        const BoardStatus status = Form.Dispatch().LastAutoStatus;
        const int solutions = CountSolutions(puzzle, CountLimit);
        const int givens = CountGivens(puzzle);
        auto fail = [&](const std::string &what) {
            tally.Fail(where + ": " + what + " (Auto said \"" + Form.Controls().News() + "\"; "
                       + std::to_string(givens) + " givens, " + SolutionWords(solutions) + ")");
        };
        if (status == StatusSolved) {
            ++tally.Solved;
            if (!IsValidSolution(puzzle, Form.Board().Grid))
                fail("the solved board is not a valid solution keeping the givens");
            else if (!Form.Board().Guessed && solutions != 1)
                fail("solved without a guess, yet the solution is not unique");
        } else if (status == StatusImpossible) {
            ++tally.Impossible;
            if (solutions != 0)
                fail("called impossible, yet it has a solution");
        } else {
            ++tally.Other;
            if (status != StatusTooFew)
                fail("unexpected final message");
            else if (givens >= MinimumGivens)
                fail("called too few, yet enough squares are given");
        }
        if (CheckUniqueToo && status == StatusSolved)
            RunCheckUnique(puzzle, solutions, where, tally);
    }

private:
    void RunCheckUnique(std::string_view puzzle, int solutions, const std::string &where,
                        Tally &tally)
    {
        const auto first = Form.Board().Grid;
        const auto start = Clock::now();
        Form.cmdMode_Click(ModeCheckUnique);
        tally.UniqueMicros.push_back(MicrosSince(start));

        auto fail = [&](const std::string &what) {
            tally.Fail(where + ": Check Unique " + what + " (it said \"" + Form.Controls().News()
                       + "\"; " + SolutionWords(solutions) + ")");
        };
        switch (Form.Unique().LastVerdict) {
        case UniqueVerdict::Unique:
            if (solutions != 1)
                fail("called the solution unique");
            else if (Form.Board().Grid != first)
                fail("called the solution unique but left another board");
            break;
        case UniqueVerdict::AnotherSolution:
            if (solutions < 2)
                fail("reported a second solution of a unique puzzle");
            else if (!IsValidSolution(puzzle, Form.Board().Grid))
                fail("left a second solution that is not valid");
            else if (Form.Board().Grid == first)
                fail("left the first solution as the second");
            break;
        case UniqueVerdict::None:
            fail("gave no verdict");
            break;
        }
    }

    bool CheckUniqueToo;
    HeadlessPlatform Host;
    Form1 Form;
};

void PrintHeader(bool checkUnique)
{
    std::printf("%-28s %7s %7s %6s %6s %9s %9s %9s %10s %9s %8s %8s", "file", "puzzles", "solved",
                "impos", "other", "med_us", "p90_us", "p99_us", "max_us", "puz/s", "cycles",
                "guesses");
    if (checkUnique)
        std::printf(" %9s %9s %10s", "uniq_med", "uniq_p90", "uniq_max");
    std::printf("\n");
}

void PrintRow(Tally &tally, bool checkUnique, const char *suffix = "")
{
    std::sort(tally.AutoMicros.begin(), tally.AutoMicros.end());
    std::sort(tally.UniqueMicros.begin(), tally.UniqueMicros.end());
    double totalMicros = 0;
    for (const double us : tally.AutoMicros)
        totalMicros += us;
    const double perSecond = totalMicros > 0 ? tally.AutoMicros.size() * 1e6 / totalMicros : 0.0;
    const double n = std::max<std::size_t>(tally.AutoMicros.size(), 1);
    std::printf("%-28s %7d %7d %6d %6d %9.1f %9.1f %9.1f %10.1f %9.0f %8.2f %8.2f",
                tally.Name.c_str(), tally.Puzzles, tally.Solved, tally.Impossible, tally.Other,
                Percentile(tally.AutoMicros, 0.5), Percentile(tally.AutoMicros, 0.9),
                Percentile(tally.AutoMicros, 0.99), Percentile(tally.AutoMicros, 1.0), perSecond,
                tally.Cycles / n, tally.Guesses / n);
    if (checkUnique)
        std::printf(" %9.1f %9.1f %10.1f", Percentile(tally.UniqueMicros, 0.5),
                    Percentile(tally.UniqueMicros, 0.9), Percentile(tally.UniqueMicros, 1.0));
    std::printf("%s\n", suffix);
    for (const auto &failure : tally.Failures)
        std::printf("  FAIL %s\n", failure.c_str());
    const auto unlisted = tally.FailureCount - static_cast<long long>(tally.Failures.size());
    if (unlisted > 0)
        std::printf("  FAIL ... and %lld more\n", unlisted);
    std::fflush(stdout);
}

// Runs every puzzle of `path` into a tally of its own. Throws PuzzleFileError.
Tally RunFile(Bench &bench, const std::string &path)
{
    PuzzleLineReader reader(path);
    Tally tally;
    tally.Name = BaseName(path);
    for (PuzzleLine line; reader.Next(line);)
        bench.Run(line.Text, tally.Name + ":" + std::to_string(line.Number), tally);
    return tally;
}

int Usage()
{
    std::fprintf(stderr, "usage: quorix-bench FILE... [--unique]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    bool checkUnique = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--unique")
            checkUnique = true;
        else if (arg.starts_with("--"))
            return Usage();
        else
            files.emplace_back(arg);
    }
    if (files.empty())
        return Usage();

    const auto wallStart = Clock::now();
    // The form is large (82 depth slots); keep it off the stack.
    auto bench = std::make_unique<Bench>(checkUnique);
    Tally all;
    all.Name = "all";
    bool unreadable = false;
    PrintHeader(checkUnique);
    for (const auto &path : files) {
        try {
            Tally tally = RunFile(*bench, path);
            all.Add(tally);
            PrintRow(tally, checkUnique);
        } catch (const PuzzleFileError &error) {
            std::fprintf(stderr, "quorix-bench: %s\n", error.what());
            unreadable = true;
        }
    }

    // The last line sums up every file; the failures are already listed under their files.
    const long long failures = all.FailureCount;
    char suffix[96];
    std::snprintf(suffix, sizeof suffix, "  wall %.1f s  failures %lld",
                  MicrosSince(wallStart) / 1e6, failures);
    all.FailureCount = 0;
    PrintRow(all, checkUnique, suffix);
    if (!FinishStandardOutput("quorix-bench") || unreadable)
        return 2;
    return failures == 0 ? 0 : 1;
}
