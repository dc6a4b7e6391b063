// FindStep on three kinds of board: a step the first rule finds, a step only the last rule
// finds, and a board where every rule runs and finds nothing (the end of every auto burst).
#include "core/form/form1.h"
#include "tools/form_setup.h"
#include "tools/puzzle_file.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace quorix {
namespace {

struct Fixture
{
    HeadlessPlatform Platform;
    Form1 Form{Platform};
};

std::unique_ptr<Fixture> Started(const std::string &puzzle)
{
    auto fixture = std::make_unique<Fixture>();
    Form1 &form = fixture->Form;
    form.Form_Load();
    StartPuzzle(form, puzzle);
    return fixture;
}

// Carries out steps until FindStep finds none or `stop` says the step just found is the one
// wanted; returns whether it stopped there.
template <typename Stop> bool RunUntil(Form1 &form, Stop stop)
{
    while (form.FindStep(-1)) {
        if (stop(form))
            return true;
        form.ApplyStep();
    }
    return false;
}

// A board where every rule runs and finds nothing: the second of the hardest puzzles after the
// rules have done what they can (56 squares open, 204 candidates alive).
std::unique_ptr<Fixture> Stuck()
{
    auto fixture = Started(ReadPuzzle(PuzzleSetPath("hardest-11.txt"), 2));
    RunUntil(fixture->Form, [](const Form1 &) { return false; });
    return fixture;
}

void Measure(benchmark::State &state, Form1 &form, bool expected)
{
    for (auto _ : state) {
        const bool found = form.FindStep(-1);
        benchmark::DoNotOptimize(found);
        if (found != expected) {
            state.SkipWithError("the board changed character");
            break;
        }
    }
}

void BM_FindStepFirstRule(benchmark::State &state)
{
    auto fixture = Started(
        "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
    Measure(state, fixture->Form, true);
}
BENCHMARK(BM_FindStepFirstRule);

// A board from a hard puzzle where only a naked triple is left to find: played through the
// earlier rules, guessing the lowest candidate of the first open square when they run dry.
void BM_FindStepOnlyTriples(benchmark::State &state)
{
    for (const PuzzleLine &line : ReadPuzzleLines(PuzzleSetPath("hardest-375.txt"))) {
        auto fixture = Started(line.Text);
        Form1 &form = fixture->Form;
        const auto isTriple = [](const Form1 &f) {
            return f.Board().Explanation.find(',') != std::string::npos;
        };
        for (int guesses = 0; guesses < 20; ++guesses) {
            if (RunUntil(form, isTriple)) {
                Measure(state, form, true);
                return;
            }
            if (!GuessFirstOpenSquare(form))
                break;
        }
    }
    state.SkipWithError("no board that only a triple solves");
}
BENCHMARK(BM_FindStepOnlyTriples);

void BM_FindStepNothing(benchmark::State &state)
{
    auto fixture = Stuck();
    Measure(state, fixture->Form, false);
}
BENCHMARK(BM_FindStepNothing);

// The same stuck board, but for the digit buttons: a filtered call that finds nothing.
void BM_FindStepNothingForDigit(benchmark::State &state)
{
    auto fixture = Stuck();
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture->Form.FindStep(4));
}
BENCHMARK(BM_FindStepNothingForDigit);

} // namespace
} // namespace quorix
