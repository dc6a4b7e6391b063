// quorix-solve's run: reads the inputs a chunk of lines at a time, solves the chunk on every
// worker thread (each with a window of its own), and prints the reports in input order before
// it reads on, so that memory stays bounded whatever the length of the input.
#pragma once

#include "tools/solve_logic.h"
#include "tools/solve_report.h"

#include <atomic>
#include <cstddef>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quorix {

class PuzzleSource;

struct SolveOptions
{
    bool Explain = false;
    // The hint engine's solve by logic alone instead of the verdict (solve_logic.h).
    LogicMode Logic = LogicMode::Off;
    unsigned Jobs = 1;
    // Show how many puzzles are done on the error stream, once there are many, and take the
    // line away at the end.
    bool Progress = false;
    // Lines solved between two prints; 0 for the default of the mode.
    std::size_t ChunkLines = 0;
};

// One input, in command-line order.
struct SolveInput
{
    enum class Kind { File, Stream, Puzzle };
    Kind What = Kind::File;
    std::string Name;           // the file's name, "-" for a stream, the text of a puzzle
    std::istream *In = nullptr; // the stream, for Kind::Stream
};

struct SolveTotals
{
    long long Lines = 0;   // puzzle lines reported
    long long Invalid = 0; // reported invalid
    long long Failed = 0;  // reported failed: the program gave no answer
    bool Unreadable = false;
    bool OutputFailed = false;
};

class SolveRunner
{
public:
    SolveRunner(const SolveOptions &options, std::ostream &out, std::ostream &err);
    ~SolveRunner();

    // Reports every line of every input, in order. Each row starts with the line's number,
    // after "NAME:" when there are several inputs ("arg" for the puzzles given on the command
    // line, numbered among themselves). An input that cannot be read is said so on `err`, and
    // the run goes on; it stops when `out` fails. Returns the totals of this run alone.
    SolveTotals Run(const std::vector<SolveInput> &inputs);

private:
    struct Item
    {
        std::string Where;
        std::string Text;
        bool Refused = false; // Text is already the reason
        LineReport Report;
    };

    void ReadSource(PuzzleSource &source, const std::string &prefix);
    void Add(std::string where, std::string text, bool refused);
    void Flush();
    void Work(PuzzleSolver &solver, std::atomic<std::size_t> &next, bool showProgress);
    void ShowProgress();
    void ClearProgress();

    SolveOptions Options;
    std::ostream &Out;
    std::ostream &Err;
    std::vector<std::unique_ptr<PuzzleSolver>> Solvers; // one per worker, kept between chunks
    std::vector<Item> Pending;
    SolveTotals Totals;
    std::atomic<long long> Done{0};
    long long Shown = 0; // the count on the progress line; 0 while there is none
};

} // namespace quorix
