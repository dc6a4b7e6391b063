// quorix-hint-window-bench: the window's Hint command, through Form1 as a person uses it.
//
//   quorix-hint-window-bench --presses FILE...
//     types each puzzle in, clicks Start and presses Hint four times at a time and nothing
//     else, until the status line says the puzzle is solved: a solve fails on a mistake named
//     (Hint's own actions must never make one), on a ladder with no step, on a guess, on a
//     board that is not the puzzle's one solution, or after 400 rounds of four presses.
//   quorix-hint-window-bench --setup FILE...
//     pastes each puzzle into the setup form and presses Hint once: the press that studies
//     the puzzle (its solutions, its slips), the slowest a person can meet.
//
// Prints a line per file with the count, the share solved and the time per press (processor
// time of this thread: median, p99, max); exits 1 when a solve failed, 2 on bad arguments.
#include "bench/thread_clock.h"
#include "core/form/form1.h"
#include "core/operations/verify/solution_count.h"
#include "tools/puzzle_file.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorix;

constexpr std::string_view SolvedText = "Hint: the puzzle is solved";
constexpr int MostRounds = 400;

struct Figures
{
    int Puzzles = 0, Solved = 0;
    std::vector<double> PressMs;
};

void TimedPress(Form1 &form, Figures &figures)
{
    const auto begin = ThreadClock::now();
    form.Hint();
    figures.PressMs.push_back(Micros<ThreadClock>(begin) / 1000);
}

// Why a solve by presses went wrong; empty when it went right.
std::string SolveByPresses(const std::string &puzzle, Figures &figures)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    form.AsUserStep([&] {
        TypePuzzle(form, puzzle);
        form.cmdMode_Click(ModeStart);
    });
    for (int round = 0; round < MostRounds; ++round) {
        for (int press = 0; press < 4; ++press) {
            TimedPress(form, figures);
            const std::string &news = form.Controls().News();
            if (news == SolvedText) {
                if (form.Board().Guessed || !IsValidSolution(puzzle, form.Board().Grid))
                    return "not the solution";
                return {};
            }
            if (news.find("does not fit the solution") != std::string::npos)
                return "a mistake on the board: " + news;
            if (news.find("no step of logic") != std::string::npos)
                return "no step found";
        }
    }
    return "not solved in " + std::to_string(MostRounds) + " rounds";
}

void StudyInSetup(const std::string &puzzle, Figures &figures)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    form.Paste(puzzle);
    TimedPress(form, figures);
}

int RunFile(bool presses, const std::string &path)
{
    Figures figures;
    int failed = 0;
    for (const PuzzleLine &line : ReadPuzzleLines(path)) {
        ++figures.Puzzles;
        if (!presses) {
            StudyInSetup(line.Text, figures);
            continue;
        }
        const std::string why = SolveByPresses(line.Text, figures);
        if (why.empty()) {
            ++figures.Solved;
        } else {
            ++failed;
            std::printf("FAILED line %d %s: %s\n", line.Number, line.Text.c_str(), why.c_str());
        }
    }
    const std::string name = path.substr(path.find_last_of('/') + 1);
    std::printf("%-28s %6d puzzles", name.c_str(), figures.Puzzles);
    if (presses)
        std::printf(" %6.1f%% solved", 100.0 * figures.Solved / std::max(1, figures.Puzzles));
    std::printf(" %8zu presses %8.3fms %8.3fms %8.3fms\n", figures.PressMs.size(),
                Percentile(figures.PressMs, 0.5), Percentile(figures.PressMs, 0.99),
                Percentile(figures.PressMs, 1.0));
    return failed;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (argc < 3 || (mode != "--presses" && mode != "--setup")) {
        std::fprintf(stderr, "usage: quorix-hint-window-bench --presses|--setup FILE...\n");
        return 2;
    }
    std::printf("%-28s %6s %23s %8s %8s %8s\n", "file", "", "", "median", "p99", "max");
    int failed = 0;
    for (int i = 2; i < argc; ++i)
        failed += RunFile(mode == "--presses", argv[i]);
    return failed == 0 ? 0 : 1;
}
