// The board operations every auto cycle repeats, on a board in the middle of a solve: the full
// re-strike after each step, the consistency check after each burst, and the snapshot pair
// behind every guess and backtrack.
#include "window/form1.h"

#include <benchmark/benchmark.h>
#include <fstream>
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
    std::ifstream in(std::string(QUORIX_PUZZLE_DIR) + "/hard-95.txt");
    std::string puzzle;
    std::getline(in, puzzle);
    auto fixture = std::make_unique<MidSolve>();
    Form1 &form = fixture->Form;
    form.Form_Load();
    for (int s = 0; s < SquareCount && s < static_cast<int>(puzzle.size()); ++s) {
        const char c = puzzle[s];
        form.Board.Givens[s] = static_cast<std::int16_t>(c >= '1' && c <= '9' ? c - '1' : Empty);
    }
    form.LoadGivens();
    form.StrikeSetDigits();
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
        benchmark::DoNotOptimize(form.Controls.CandidateBits);
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
        benchmark::DoNotOptimize(form.Snapshots.DepthSlots[5]);
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
        benchmark::DoNotOptimize(form.Board.Grid);
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
        benchmark::DoNotOptimize(form.Board.Grid);
    }
}
BENCHMARK(BM_SaveThenRestoreSnapshot);

} // namespace
} // namespace quorix
