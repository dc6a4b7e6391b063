// quorix-solve's run over its inputs: rows in input order whatever the threads, line numbers
// and names as documented, input of any shape read with bounded memory, and failures to read
// or write never taken for success.
#include "test_support.h"
#include "tools/puzzle_file.h"
#include "tools/solve_input.h"
#include "tools/solve_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorix {
namespace {

const std::string Easy(quorix::testing::EasyPuzzle);

// The first field of every row.
std::vector<std::string> Wheres(const std::string &output)
{
    std::vector<std::string> wheres;
    std::istringstream in(output);
    for (std::string row; std::getline(in, row);)
        wheres.push_back(row.substr(0, row.find('\t')));
    return wheres;
}

// A mixed input: valid, several, none, duplicated, malformed, blank and comment lines.
std::string MixedInput()
{
    std::string text;
    const std::string edge = PuzzleSetPath("edge-invalid-17.txt");
    for (int i = 0; i < 4; ++i) {
        text += ReadPuzzle(PuzzleSetPath("hard-95.txt"), 1 + i) + '\n';
        text += ReadPuzzle(edge, 11 + i) + "\n\n# a comment\n";
        text += ReadPuzzle(edge, 7 + i) + '\n';
        text += ReadPuzzle(edge, 4 + i % 3) + "\nnot a puzzle\n";
    }
    return text;
}

struct RunResult
{
    std::string Out, Err;
    SolveTotals Totals;
};

RunResult RunOn(const std::vector<SolveInput> &inputs, SolveOptions options = {})
{
    std::ostringstream out, err;
    SolveRunner runner(options, out, err);
    RunResult run;
    run.Totals = runner.Run(inputs);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

RunResult RunOnText(const std::string &text, SolveOptions options = {})
{
    std::istringstream in(text);
    return RunOn({{SolveInput::Kind::Stream, "-", &in}}, options);
}

TEST(SolveRunner, PrintsInInputOrderWhateverTheThreadsAndChunks)
{
    const RunResult alone = RunOnText(MixedInput());
    EXPECT_EQ(alone.Totals.Lines, 20);
    EXPECT_EQ(alone.Totals.Invalid, 8);
    EXPECT_EQ(alone.Totals.Failed, 0);
    for (const std::size_t chunk : {1, 5, 0}) {
        for (const unsigned jobs : {2U, 3U}) {
            SCOPED_TRACE(std::to_string(jobs) + " jobs, chunks of " + std::to_string(chunk));
            const RunResult run = RunOnText(MixedInput(), {.Jobs = jobs, .ChunkLines = chunk});
            EXPECT_EQ(run.Out, alone.Out);
            EXPECT_EQ(run.Totals.Invalid, alone.Totals.Invalid);
        }
    }
    const RunResult explained =
        RunOnText(MixedInput(), {.Explain = true, .Jobs = 2, .ChunkLines = 3});
    EXPECT_EQ(explained.Out, RunOnText(MixedInput(), {.Explain = true}).Out);
}

TEST(SolveRunner, NumbersEveryLineReadAndNamesInputsWhenThereAreSeveral)
{
    const std::string text = "\xEF\xBB\xBF" + Easy + "\r\n\r\n  # comment\n \t\f\n" + Easy + "\n";
    EXPECT_EQ(Wheres(RunOnText(text).Out), (std::vector<std::string>{"1", "5"}));

    std::istringstream in(text);
    const RunResult named = RunOn({{SolveInput::Kind::Puzzle, Easy},
                                   {SolveInput::Kind::Stream, "-", &in},
                                   {SolveInput::Kind::Puzzle, "1"},
                                   {SolveInput::Kind::File, PuzzleSetPath("edge-valid-4.txt")}});
    const std::string file = PuzzleSetPath("edge-valid-4.txt") + ":";
    EXPECT_EQ(Wheres(named.Out),
              (std::vector<std::string>{"arg:1", "-:1", "-:5", "arg:2", file + "1", file + "2",
                                        file + "3", file + "4"}));
    EXPECT_EQ(named.Totals.Invalid, 1);

    // Puzzles on the command line alone are one input.
    const RunResult puzzles =
        RunOn({{SolveInput::Kind::Puzzle, Easy}, {SolveInput::Kind::Puzzle, Easy}});
    EXPECT_EQ(Wheres(puzzles.Out), (std::vector<std::string>{"1", "2"}));
}

TEST(SolveRunner, SaysWhichInputCannotBeReadAndGoesOn)
{
    const auto folder = std::filesystem::temp_directory_path();
    const std::string missing = (folder / "quorix-solve-no-such-file.txt").string();
    const RunResult run = RunOn({{SolveInput::Kind::File, missing},
                                 {SolveInput::Kind::File, folder.string()},
                                 {SolveInput::Kind::Puzzle, Easy}});
    EXPECT_TRUE(run.Totals.Unreadable);
    EXPECT_EQ(run.Err, "quorix-solve: " + missing + ": cannot be read\nquorix-solve: "
                           + folder.string() + ": is a directory, not a puzzle file\n");
    EXPECT_EQ(Wheres(run.Out), std::vector<std::string>{"arg:1"});

    const RunResult empty = RunOnText("");
    EXPECT_EQ(empty.Out, "");
    EXPECT_EQ(empty.Totals.Lines, 0);
    EXPECT_FALSE(empty.Totals.Unreadable);
}

TEST(SolveRunner, StopsWhenTheOutputFails)
{
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    SolveRunner runner({.ChunkLines = 2}, out, err);
    std::istringstream in(MixedInput());
    const SolveTotals totals = runner.Run({{SolveInput::Kind::Stream, "-", &in}});
    EXPECT_TRUE(totals.OutputFailed);
    EXPECT_EQ(totals.Lines, 2);
}

// Whatever the length of a line, only its start is held, and its length is reported exactly.
TEST(PuzzleSource, CutsLongLinesAndKeepsTheirLength)
{
    const std::string text = std::string(100000, 'x') + "\r\n"
                             + std::string(MaxPuzzleLineLength, ' ') + "y\n"
                             + std::string(9000, ' ') + "\n# " + std::string(9000, '#') + "\n"
                             + Easy + "\n" + std::string(MaxPuzzleLineLength, 'z');
    std::istringstream in(text);
    PuzzleSource source(in, "-");
    std::vector<SourceLine> lines;
    for (SourceLine line; source.Next(line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[0].Number, 1);
    EXPECT_EQ(lines[0].Cut, 100000U);
    EXPECT_EQ(lines[0].Text, std::string(MaxPuzzleLineLength + 1, 'x'));
    EXPECT_EQ(lines[1].Number, 2);
    EXPECT_EQ(lines[1].Cut, MaxPuzzleLineLength + 1);
    // The blank and the comment line, both cut, are skipped without a trace.
    EXPECT_EQ(lines[2].Number, 5);
    EXPECT_EQ(lines[2].Text, Easy);
    EXPECT_EQ(lines[2].Cut, 0U);
    // The longest line that is held whole, at the end without a line break.
    EXPECT_EQ(lines[3].Number, 6);
    EXPECT_EQ(lines[3].Cut, 0U);
    EXPECT_EQ(lines[3].Text.size(), MaxPuzzleLineLength);
}

} // namespace
} // namespace quorix
