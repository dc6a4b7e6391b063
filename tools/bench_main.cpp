// quorix-bench: runs the Auto command on every puzzle of the given files, times it, and checks
// every result against an independent solution count.
//
//   quorix-bench FILE... [--unique]
//
// Each puzzle is typed into a freshly reset board and solved with one Auto click; only that
// click is timed (steady clock around the whole command, prologue included). With --unique a
// solved board is also given a Check Unique click, timed on its own. One table row per file,
// any verification failure under its file with the line number, and one summary line over all
// files last. Exits 1 when any result fails verification, 2 when a file cannot be read.
#include "tools/solution_count.h"
#include "window/form1.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view SolvedUniqueMessage = "Success!  Unique solution found";
constexpr std::string_view SolvedMessage = "Found a solution - but might not be unique";
constexpr std::string_view ImpossibleMessage = "This one seems to be impossible";
constexpr std::string_view TooFewMessage = "Not enough squares set";
constexpr std::string_view UniqueMessage = "Checked out - Solution is unique";
constexpr std::string_view NotUniqueMessage = "Another solution found - solution is not unique";

// The board refuses to start below this many givens.
constexpr int MinimumGivens = 10;
// Enough to tell none, one and several solutions apart.
constexpr int CountLimit = 2;

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
    std::vector<std::string> Failures;

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
        Failures.insert(Failures.end(), other.Failures.begin(), other.Failures.end());
    }
};

double MicrosSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Nearest-rank percentile (0 < fraction <= 1) of ascending `sorted`; 0 when empty.
double Percentile(const std::vector<double> &sorted, double fraction)
{
    if (sorted.empty())
        return 0.0;
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * sorted.size()));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

std::string BaseName(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WellFormed(std::string_view line)
{
    return line.size() == 81 && std::all_of(line.begin(), line.end(), [](char c) {
               return c == '.' || (c >= '0' && c <= '9');
           });
}

class Bench
{
public:
    explicit Bench(bool checkUnique) : CheckUniqueToo(checkUnique), Form(Host) { Form.Form_Load(); }

    // One puzzle: solve, time, verify. Failures are added to `tally` with `where` in front.
    void Run(std::string_view puzzle, const std::string &where, Tally &tally)
    {
        ++tally.Puzzles;
        if (!WellFormed(puzzle)) {
            ++tally.Other;
            tally.Failures.push_back(where + ": not 81 digits and dots");
            return;
        }

        Form.cmdMode_Click(quorix::ModeReset);
        for (int s = 0; s < quorix::SquareCount; ++s) {
            const char c = puzzle[s];
            Form.cmdSquare_KeyPress(static_cast<std::int16_t>(s), c == '.' ? '0' : c);
        }
        const auto start = Clock::now();
        Form.cmdMode_Click(quorix::ModeAuto);
        tally.AutoMicros.push_back(MicrosSince(start));
        tally.Cycles += Form.Stats.Cycles;
        tally.Guesses += Form.Stats.Guesses;

        const std::string news = Form.Controls.News();
        const int solutions = quorix::CountSolutions(puzzle, CountLimit);
        const int givens = quorix::CountGivens(puzzle);
        auto fail = [&](const std::string &what) {
            tally.Failures.push_back(where + ": " + what + " (Auto said \"" + news + "\"; "
                                     + std::to_string(givens) + " givens, "
                                     + SolutionWords(solutions) + ")");
        };

        const bool solved = news == SolvedUniqueMessage || news == SolvedMessage;
        if (solved) {
            ++tally.Solved;
            if (!quorix::IsValidSolution(puzzle, Form.Board.Grid))
                fail("the solved board is not a valid solution keeping the givens");
            else if (news == SolvedUniqueMessage && solutions != 1)
                fail("solved without a guess, yet the solution is not unique");
        } else if (news == ImpossibleMessage) {
            ++tally.Impossible;
            if (solutions != 0)
                fail("called impossible, yet it has a solution");
        } else {
            ++tally.Other;
            if (news != TooFewMessage)
                fail("unexpected final message");
            else if (givens >= MinimumGivens)
                fail("called too few, yet enough squares are given");
        }

        if (CheckUniqueToo && solved)
            RunCheckUnique(puzzle, solutions, where, tally);
    }

private:
    void RunCheckUnique(std::string_view puzzle, int solutions, const std::string &where,
                        Tally &tally)
    {
        const auto first = Form.Board.Grid;
        const auto start = Clock::now();
        Form.cmdMode_Click(quorix::ModeCheckUnique);
        tally.UniqueMicros.push_back(MicrosSince(start));

        const std::string news = Form.Controls.News();
        auto fail = [&](const std::string &what) {
            tally.Failures.push_back(where + ": Check Unique " + what + " (it said \"" + news
                                     + "\"; " + SolutionWords(solutions) + ")");
        };
        if (news == UniqueMessage) {
            if (solutions != 1)
                fail("called the solution unique");
            else if (Form.Board.Grid != first)
                fail("called the solution unique but left another board");
        } else if (news == NotUniqueMessage) {
            if (solutions < 2)
                fail("reported a second solution of a unique puzzle");
            else if (!quorix::IsValidSolution(puzzle, Form.Board.Grid))
                fail("left a second solution that is not valid");
            else if (Form.Board.Grid == first)
                fail("left the first solution as the second");
        } else {
            fail("gave an unexpected message");
        }
    }

    static std::string SolutionWords(int solutions)
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

    bool CheckUniqueToo;
    quorix::HeadlessPlatform Host;
    quorix::Form1 Form;
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
    std::fflush(stdout);
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
        std::ifstream in(path);
        if (!in) {
            std::fprintf(stderr, "quorix-bench: cannot read %s\n", path.c_str());
            unreadable = true;
            continue;
        }
        Tally tally;
        tally.Name = BaseName(path);
        std::string line;
        for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty())
                continue;
            bench->Run(line, tally.Name + ":" + std::to_string(lineNumber), tally);
        }
        all.Add(tally);
        PrintRow(tally, checkUnique);
    }

    // The last line sums up every file; the failures are already listed under their files.
    const auto failureCount = all.Failures.size();
    all.Failures.clear();
    char suffix[96];
    std::snprintf(suffix, sizeof suffix, "  wall %.1f s  failures %zu",
                  MicrosSince(wallStart) / 1e6, failureCount);
    PrintRow(all, checkUnique, suffix);
    if (unreadable)
        return 2;
    return failureCount == 0 ? 0 : 1;
}
