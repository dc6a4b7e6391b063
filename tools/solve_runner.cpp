#include "tools/solve_runner.h"

#include "tools/solve_input.h"

#include <algorithm>
#include <thread>

namespace quorix {

namespace {

// Enough lines that the workers rarely wait for the slowest puzzle of a chunk; an explained
// path can run to tens of kilobytes, so fewer of those.
constexpr std::size_t TableChunkLines = 4096;
constexpr std::size_t ExplainChunkLines = 256;

// The progress line appears once this many puzzles are done, and moves on in these steps.
constexpr long long ProgressFrom = 2000;
constexpr long long ProgressStep = 500;

} // namespace

SolveRunner::SolveRunner(const SolveOptions &options, std::ostream &out, std::ostream &err)
    : Options(options), Out(out), Err(err)
{
    Options.Jobs = std::max(Options.Jobs, 1U);
    if (Options.ChunkLines == 0)
        Options.ChunkLines = Options.Explain || Options.Logic == LogicMode::Steps
                                 ? ExplainChunkLines
                                 : TableChunkLines;
}

SolveRunner::~SolveRunner() = default;

SolveTotals SolveRunner::Run(const std::vector<SolveInput> &inputs)
{
    Totals = {};
    const bool anyPuzzle = std::any_of(inputs.begin(), inputs.end(), [](const SolveInput &input) {
        return input.What == SolveInput::Kind::Puzzle;
    });
    const auto sources = std::count_if(inputs.begin(), inputs.end(), [](const SolveInput &input) {
        return input.What != SolveInput::Kind::Puzzle;
    });
    const bool named = sources + (anyPuzzle ? 1 : 0) > 1;
    int puzzles = 0;
    for (const SolveInput &input : inputs) {
        if (Totals.OutputFailed)
            break;
        const std::string prefix =
            !named ? "" : (input.What == SolveInput::Kind::Puzzle ? "arg" : input.Name) + ":";
        if (input.What == SolveInput::Kind::Puzzle) {
            Add(prefix + std::to_string(++puzzles), input.Name, false);
            continue;
        }
        try {
            if (input.What == SolveInput::Kind::Stream) {
                PuzzleSource source(*input.In, input.Name);
                ReadSource(source, prefix);
            } else {
                PuzzleSource source(input.Name);
                ReadSource(source, prefix);
            }
        } catch (const PuzzleFileError &error) {
            // What was read before the failure is reported first, so the message follows it.
            Flush();
            ClearProgress();
            Err << "quorix-solve: " << error.what() << '\n';
            Totals.Unreadable = true;
        }
    }
    Flush();
    ClearProgress();
    return Totals;
}

void SolveRunner::ReadSource(PuzzleSource &source, const std::string &prefix)
{
    for (SourceLine line; !Totals.OutputFailed && source.Next(line);) {
        std::string where = prefix + std::to_string(line.Number);
        if (line.Cut != 0)
            Add(std::move(where), TooLongReason(line.Text, line.Cut), true);
        else
            Add(std::move(where), std::move(line.Text), false);
    }
}

void SolveRunner::Add(std::string where, std::string text, bool refused)
{
    Item &item = Pending.emplace_back();
    item.Where = std::move(where);
    item.Text = std::move(text);
    item.Refused = refused;
    if (Pending.size() >= Options.ChunkLines)
        Flush();
}

void SolveRunner::Flush()
{
    if (Pending.empty() || Totals.OutputFailed)
        return;
    const auto workers = static_cast<unsigned>(std::min<std::size_t>(Options.Jobs, Pending.size()));
    while (Solvers.size() < workers)
        Solvers.push_back(std::make_unique<PuzzleSolver>());
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::jthread> helpers;
        for (unsigned w = 1; w < workers; ++w)
            helpers.emplace_back([this, &next, w] { Work(*Solvers[w], next, false); });
        // Only this thread writes the progress line.
        Work(*Solvers[0], next, Options.Progress);
    }
    for (const Item &item : Pending) {
        Out << item.Report.Text;
        ++Totals.Lines;
        Totals.Invalid += item.Report.What == Verdict::Invalid ? 1 : 0;
        Totals.Failed += item.Report.What == Verdict::Failed ? 1 : 0;
    }
    Pending.clear();
    Out.flush();
    if (!Out)
        Totals.OutputFailed = true;
}

void SolveRunner::Work(PuzzleSolver &solver, std::atomic<std::size_t> &next, bool showProgress)
{
    for (std::size_t i = next++; i < Pending.size(); i = next++) {
        Item &item = Pending[i];
        if (Options.Logic != LogicMode::Off)
            item.Report = item.Refused
                              ? ReportRefusedLogicLine(item.Where, item.Text, Options.Logic)
                              : ReportLogicLine(item.Where, item.Text, Options.Logic);
        else
            item.Report = item.Refused
                              ? ReportRefusedLine(item.Where, item.Text, Options.Explain)
                              : ReportLine(solver, item.Where, item.Text, Options.Explain);
        ++Done;
        if (showProgress)
            ShowProgress();
    }
}

void SolveRunner::ShowProgress()
{
    const long long done = Done.load();
    if (done < ProgressFrom || done - Shown < ProgressStep)
        return;
    Err << "\rquorix-solve: " << done << " puzzles" << std::flush;
    Shown = done;
}

void SolveRunner::ClearProgress()
{
    if (Shown == 0)
        return;
    Err << '\r' << std::string(40, ' ') << '\r' << std::flush;
    Shown = 0;
}

} // namespace quorix
