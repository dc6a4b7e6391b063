// quorix-hint-bench FILE...: the hint engine's whole logic solve on every puzzle of the files,
// on one thread, timed by the processor time of that thread (steadier than the wall clock on a
// shared machine), and every step on its own. Per file: how many it solves without a guess, the
// time per whole solve (median, p90) and per step (median, p99, max), and the grades; with
// --verify, every step is also checked against the puzzle's solutions by the independent counter,
// and any unsound step is printed and fails the run.
//
// quorix-hint-bench --slips|--mistakes|--presses FILE...: the Hint command instead (see
// hint_press_bench.h).
#include "bench/hint_press_bench.h"
#include "bench/thread_clock.h"
#include "core/operations/verify/solution_count.h"
#include "hint/engine.h"
#include "tools/puzzle_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace quorix {
namespace {

// The puzzle with one more given.
std::string With(const std::string &puzzle, int square, int digit)
{
    std::string line = puzzle;
    line[square] = static_cast<char>('1' + digit);
    return line;
}

// Whether the step keeps every solution of `puzzle`: a placement holds in each, a strike is in
// none.
bool Sound(const std::string &puzzle, const hint::Position &before, const hint::Step &step)
{
    for (hint::Candidate strike : step.Strikes)
        if (CountSolutions(With(puzzle, strike.Square, strike.Digit), 1) > 0)
            return false;
    for (hint::Candidate set : step.Sets)
        for (int digit = 0; digit < 9; ++digit)
            if (digit != set.Digit && before.HasCandidate(set.Square, digit)
                && CountSolutions(With(puzzle, set.Square, digit), 1) > 0)
                return false;
    return true;
}

struct FileFigures
{
    int Puzzles = 0, Solved = 0, Unsound = 0;
    std::vector<double> SolveMs, StepUs;
    std::map<std::string, int> Grades;
};

// The puzzle solved twice: once whole, timed as the processor time of the whole solve, and
// once step by step, each step timed by the steady clock (whose reading costs far less than
// the thread's processor time, which would swamp a step of a microsecond) and, with `verify`,
// checked.
void RunPuzzle(const std::string &puzzle, bool verify, FileFigures &figures)
{
    const auto start = hint::Position::FromLine(puzzle);
    if (!start)
        return;
    hint::HintOptions options;
    options.UniqueSolution = CountSolutions(puzzle, 2) == 1;
    ++figures.Puzzles;
    const auto begin = ThreadClock::now();
    const hint::LogicSolve solve = hint::SolveByLogic(*start, options);
    figures.SolveMs.push_back(Micros<ThreadClock>(begin) / 1000);
    hint::Position position = *start;
    for (hint::Step step;;) {
        const auto stepBegin = std::chrono::steady_clock::now();
        const bool found = hint::FindHint(position, options, step);
        figures.StepUs.push_back(Micros<std::chrono::steady_clock>(stepBegin));
        if (!found)
            break;
        if (verify && !Sound(puzzle, position, step)) {
            ++figures.Unsound;
            std::printf("UNSOUND %s %s: %s\n", puzzle.c_str(), step.Name.c_str(),
                        step.Sentence.c_str());
            break;
        }
        hint::ApplyStep(position, step);
    }
    if (solve.Solved)
        ++figures
              .Grades[std::string(solve.HardestTier ? hint::GradeOf(solve.HardestTier) : "given")];
    else
        ++figures.Grades["stuck"];
    figures.Solved += solve.Solved ? 1 : 0;
}

// The mode a flag names, if it names one of the Hint command's.
bool PressModeOf(const std::string &arg, PressMode &mode)
{
    if (arg == "--slips")
        mode = PressMode::Slips;
    else if (arg == "--mistakes")
        mode = PressMode::Mistakes;
    else if (arg == "--presses")
        mode = PressMode::Presses;
    else
        return false;
    return true;
}

int Run(int argc, char **argv)
{
    PressMode mode{};
    bool pressMode = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (PressModeOf(argv[i], mode))
            pressMode = true;
        else
            files.emplace_back(argv[i]);
    }
    if (pressMode)
        return RunPressBench(mode, files);
    bool verify = false;
    std::printf("%-30s %7s %8s %9s %9s %9s %9s %9s  %s\n", "file", "puzzles", "solved", "solve-med",
                "solve-p90", "step-med", "step-p99", "step-max", "grades");
    int unsound = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--verify") {
            verify = true;
            continue;
        }
        FileFigures figures;
        for (const PuzzleLine &line : ReadPuzzleLines(arg))
            RunPuzzle(line.Text, verify, figures);
        std::string grades;
        for (const auto &[grade, count] : figures.Grades)
            grades += grade + "=" + std::to_string(count) + " ";
        const std::string name = arg.substr(arg.find_last_of('/') + 1);
        std::printf("%-30s %7d %7.1f%% %7.3fms %7.3fms %7.1fus %7.1fus %7.1fus  %s\n", name.c_str(),
                    figures.Puzzles, 100.0 * figures.Solved / std::max(1, figures.Puzzles),
                    Percentile(figures.SolveMs, 0.5), Percentile(figures.SolveMs, 0.9),
                    Percentile(figures.StepUs, 0.5), Percentile(figures.StepUs, 0.99),
                    Percentile(figures.StepUs, 1.0), grades.c_str());
        unsound += figures.Unsound;
    }
    return unsound == 0 ? 0 : 1;
}

} // namespace
} // namespace quorix

int main(int argc, char **argv)
{
    try {
        return quorix::Run(argc, argv);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "quorix-hint-bench: %s\n", error.what());
        return 2;
    }
}
