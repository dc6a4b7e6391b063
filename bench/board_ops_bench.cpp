// The board operations every auto cycle repeats, on a board in the middle of a solve: the full
// re-strike after each step, the consistency check after each burst, and the snapshot pair
// behind every guess and backtrack.
#include "core/form/form1.h"
#include "tools/form_setup.h"
#include "tools/puzzle_file.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace quorix {
namespace {

struct MidSolve
{
    HeadlessPlatform Platform;
    Form1 Form{Platform};
};

// The first puzzle of hard-95, started and carried forward by up to `steps` deduction steps:
// some squares set, most of the rest down to a few candidates.
std::unique_ptr<MidSolve> MidSolveBoard(int steps)
{
    auto fixture = std::make_unique<MidSolve>();
    Form1 &form = fixture->Form;
    form.Form_Load();
    StartPuzzle(form, ReadPuzzle(PuzzleSetPath("hard-95.txt"), 1));
    for (int i = 0; i < steps && form.FindStep(-1); ++i)
        form.ApplyStep();
    return fixture;
}

void BM_StrikeSetDigits(benchmark::State &state)
{
    auto fixture = MidSolveBoard(20);
    Form1 &form = fixture->Form;
    for (auto _ : state) {
        form.StrikeSetDigits();
        benchmark::DoNotOptimize(form.Controls().CandidateBits);
    }
}
BENCHMARK(BM_StrikeSetDigits);

void BM_CheckBoard(benchmark::State &state)
{
    auto fixture = MidSolveBoard(20);
    Form1 &form = fixture->Form;
    for (auto _ : state)
        benchmark::DoNotOptimize(form.CheckBoard());
}
BENCHMARK(BM_CheckBoard);

void BM_SaveSnapshot(benchmark::State &state)
{
    auto fixture = MidSolveBoard(20);
    Form1 &form = fixture->Form;
    for (auto _ : state) {
        form.SaveSnapshot(5);
        benchmark::DoNotOptimize(form.Guesses().DepthSlots[5]);
    }
}
BENCHMARK(BM_SaveSnapshot);

void BM_RestoreSnapshot(benchmark::State &state)
{
    auto fixture = MidSolveBoard(20);
    Form1 &form = fixture->Form;
    form.SaveSnapshot(5);
    for (auto _ : state) {
        form.RestoreSnapshot(5);
        benchmark::DoNotOptimize(form.Board().Grid);
    }
}
BENCHMARK(BM_RestoreSnapshot);

// One guess's worth of board copying: save a depth slot, change the board, put it back.
void BM_SaveThenRestoreSnapshot(benchmark::State &state)
{
    auto fixture = MidSolveBoard(20);
    Form1 &form = fixture->Form;
    for (auto _ : state) {
        form.SaveSnapshot(5);
        form.RestoreSnapshot(5);
        benchmark::DoNotOptimize(form.Board().Grid);
    }
}
BENCHMARK(BM_SaveThenRestoreSnapshot);

} // namespace
} // namespace quorix
