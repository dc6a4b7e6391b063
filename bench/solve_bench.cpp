// The solver behind quorix-solve: puzzles per second over a fixed sample of 2,000 puzzles from
// five sets (Auto, and Check Unique on every solved one), on one and on two worker threads, so
// that the gain from the second core shows.
#include "tools/puzzle_file.h"
#include "tools/solve_runner.h"

#include <benchmark/benchmark.h>
#include <sstream>
#include <streambuf>
#include <string>

namespace quorix {
namespace {

// Takes whatever it is given, so that the reports cost only their making.
class NullBuffer : public std::streambuf
{
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char *, std::streamsize count) override { return count; }
};

struct SampleSet
{
    const char *Name;
    int Stride;
};

constexpr SampleSet SampleSets[] = {
    {"bank-diabolical-500.txt", 1},      {"clue17-sample.txt", 12},      {"hard-1465.txt", 3},
    {"hard-rated11plus-sample.txt", 12}, {"multi-solution-1000.txt", 2},
};
constexpr std::size_t PerSet = 400;

// The sample as one input of 2,000 lines.
const std::string &Sample()
{
    static const std::string text = [] {
        std::string lines;
        for (const SampleSet &set : SampleSets)
            for (const std::string &puzzle :
                 ReadPuzzleSample(PuzzleSetPath(set.Name), set.Stride, PerSet))
                lines += puzzle + '\n';
        return lines;
    }();
    return text;
}

void BM_SolveSample(benchmark::State &state)
{
    NullBuffer nothing;
    std::ostream out(&nothing), err(&nothing);
    SolveOptions options;
    options.Jobs = static_cast<unsigned>(state.range(0));
    // One runner for every iteration: its windows are made once, as in a long run.
    SolveRunner runner(options, out, err);
    const std::string &sample = Sample();
    long long puzzles = 0;
    for (auto _ : state) {
        std::istringstream in(sample);
        const SolveTotals totals = runner.Run({{SolveInput::Kind::Stream, "sample", &in}});
        if (totals.Invalid + totals.Failed != 0 || totals.OutputFailed) {
            state.SkipWithError("a puzzle of the sample was not answered");
            break;
        }
        puzzles = totals.Lines;
    }
    state.counters["puzzles/s"] = benchmark::Counter(static_cast<double>(puzzles),
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
// An iteration takes about a second: a few of them, so that one slow moment does not decide.
BENCHMARK(BM_SolveSample)->Arg(1)->Arg(2)->UseRealTime()->MinTime(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorix
