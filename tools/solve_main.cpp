// quorix-solve: the program's verdict on every puzzle of files, the standard input or the
// command line, one line a puzzle (see Usage below for the command line and what it prints).
#include "tools/solve_runner.h"
#include "tools/solve_verdict.h"
#include "tools/tool_support.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace quorix;

constexpr unsigned MaxJobs = 1024;

unsigned AllCores()
{
    return std::max(std::thread::hardware_concurrency(), 1U);
}

std::string Usage()
{
    std::string text =
        "usage: quorix-solve [--explain | --logic [--steps] | --grade] [--jobs N]\n"
        "                    [FILE | PUZZLE | --puzzle TEXT]...\n"
        "Solves each puzzle with the program's Auto, asks Check Unique whether the solution is\n"
        "the only one, and prints the verdict; one puzzle a line. With --logic or --grade, solves\n"
        "it by the hint engine's deductions alone instead, never guessing.\n"
        "  FILE            a file of puzzles, one a line; blank lines and lines starting with\n"
        "                  '#' (after any blanks) are skipped. '-', or no input at all: the\n"
        "                  standard input\n"
        "  PUZZLE          an argument that names no file but reads as a puzzle: 81 squares,\n"
        "                  1-9 a given, . 0 _ * x X an empty square; spaces | + : skipped\n"
        "  --puzzle TEXT   TEXT is a puzzle, whatever it reads as\n"
        "  --explain       every step Next takes, then what Auto and Check Unique said\n"
        "  --logic         LINE  BOARD  STATUS  STEPS  TIER  HARDEST: the board the hint\n"
        "                  engine reaches ('.' where it stopped), solved or stuck (none or\n"
        "                  several when the givens have no or several solutions), how many\n"
        "                  steps, the hardest step's tier (1-5, 0 for none) and name\n"
        "  --steps         with --logic: after each row, a line per step: an empty field,\n"
        "                  NUMBER  TIER  NAME  SETS (r3c5=7 ...)  STRIKES (r4c5-7 ...)  SENTENCE\n"
        "  --grade         LINE  GRADE: easy, medium, hard, fiendish or extreme (the hardest\n"
        "                  tier the logic needs), or stuck, none, several\n"
        "  -j, --jobs N    solve on N threads (default: one per core, here ";
    text += std::to_string(AllCores());
    text += ")\n"
            "  --help          this text\n"
            "  --version       the program's version\n"
            "A line per puzzle, its fields split by tabs:\n"
            "  LINE  SOLUTION  VERDICT  GUESSES  [REASON]\n"
            "LINE is the line number, NAME:LINE when there are several inputs ('arg' for the\n"
            "puzzles on the command line); SOLUTION is Auto's, or '-'; VERDICT is unique,\n"
            "several, none, invalid (the REASON follows) or failed (the program gave no answer);\n"
            "GUESSES is how many guesses Auto needed, '-' when it did not run.\n"
            "A line longer than ";
    text += std::to_string(MaxPuzzleLineLength);
    text += " characters is invalid; input with no line break within 1 MiB stops\n"
            "the reading.\n"
            "Exit status: 0 when every puzzle was answered, 1 when a line was invalid or not\n"
            "answered, 2 for a usage error, an input that cannot be read or stops the reading,\n"
            "or an output that cannot be written.\n";
    return text;
}

int Refuse(const std::string &reason)
{
    std::cerr << "quorix-solve: " << reason << '\n';
    return 2;
}

std::optional<unsigned> ReadJobs(std::string_view text)
{
    unsigned jobs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > MaxJobs)
        return std::nullopt;
    return jobs;
}

// A progress line helps someone watching a terminal while the rows go to a file; nobody sees
// it when the output is the terminal or a pipe.
bool WantsProgress()
{
    struct stat output
    {
    };
    return isatty(STDERR_FILENO) && !isatty(STDOUT_FILENO)
           && !(fstat(STDOUT_FILENO, &output) == 0 && S_ISFIFO(output.st_mode));
}

// An argument that is no option: a file when one is there, else a puzzle when it reads as one.
std::optional<SolveInput> ReadOperand(const std::string &argument)
{
    if (argument == "-")
        return SolveInput{SolveInput::Kind::Stream, "-", &std::cin};
    std::error_code error;
    if (std::filesystem::exists(argument, error))
        return SolveInput{SolveInput::Kind::File, argument};
    std::string puzzle, reason;
    if (ReadPuzzleLine(argument, puzzle, reason))
        return SolveInput{SolveInput::Kind::Puzzle, argument};
    return std::nullopt;
}

struct Request
{
    SolveOptions Options;
    std::vector<SolveInput> Inputs;
};

enum class Match { No, Yes, Missing };

// Whether argument `i` is the option `name` (or its short form `letter`, "" for none), with its
// value in `value`: "--name=VALUE", "-lVALUE", or the next argument, which `i` then moves to.
Match TakeValue(const std::vector<std::string> &arguments, std::size_t &i, std::string_view name,
                std::string_view letter, std::string &value)
{
    const std::string &argument = arguments[i];
    if (argument.starts_with(name) && argument.size() > name.size()
        && argument[name.size()] == '=') {
        value = argument.substr(name.size() + 1);
        return Match::Yes;
    }
    if (!letter.empty() && argument.starts_with(letter) && argument.size() > letter.size()) {
        value = argument.substr(letter.size());
        return Match::Yes;
    }
    if (argument != name && (letter.empty() || argument != letter))
        return Match::No;
    if (i + 1 == arguments.size())
        return Match::Missing;
    value = arguments[++i];
    return Match::Yes;
}

int PrintAndExit(std::string_view text)
{
    std::cout << text;
    return FinishStandardOutput("quorix-solve") ? 0 : 2;
}

// Which report the options ask for; an exit status when they contradict one another.
std::optional<int> ChooseMode(bool logic, bool steps, bool grade, SolveOptions &options)
{
    if (grade && (logic || steps))
        return Refuse("--grade takes neither --logic nor --steps");
    if (options.Explain && (logic || steps || grade))
        return Refuse("--explain walks Next; --logic, --steps and --grade use the hint engine");
    if (grade)
        options.Logic = LogicMode::Grade;
    else if (steps)
        options.Logic = LogicMode::Steps;
    else if (logic)
        options.Logic = LogicMode::Rows;
    return std::nullopt;
}

// Reads the command line into `request`; an exit status when there is nothing to solve.
std::optional<int> ReadArguments(const std::vector<std::string> &arguments, Request &request)
{
    request.Options.Jobs = AllCores();
    bool optionsEnd = false, logic = false, steps = false, grade = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        std::string value;
        Match match = Match::No;
        if (optionsEnd || argument == "-" || !argument.starts_with("-")) {
            const auto input = ReadOperand(argument);
            if (!input)
                return Refuse(QuoteForMessage(argument) + " is neither a file nor a puzzle");
            request.Inputs.push_back(*input);
        } else if (argument == "--") {
            optionsEnd = true;
        } else if (argument == "--help") {
            return PrintAndExit(Usage());
        } else if (argument == "--version") {
            return PrintAndExit("quorix-solve " QUORIX_VERSION "\n");
        } else if (argument == "--explain") {
            request.Options.Explain = true;
        } else if (argument == "--logic") {
            logic = true;
        } else if (argument == "--steps") {
            steps = true;
        } else if (argument == "--grade") {
            grade = true;
        } else if ((match = TakeValue(arguments, i, "--jobs", "-j", value)) != Match::No) {
            const auto jobs = ReadJobs(value);
            if (match == Match::Missing || !jobs)
                return Refuse("--jobs needs a number from 1 to " + std::to_string(MaxJobs));
            request.Options.Jobs = *jobs;
        } else if ((match = TakeValue(arguments, i, "--puzzle", "", value)) != Match::No) {
            if (match == Match::Missing)
                return Refuse("--puzzle needs a puzzle");
            request.Inputs.push_back({SolveInput::Kind::Puzzle, value});
        } else {
            return Refuse("unknown option " + QuoteForMessage(argument) + " (see --help)");
        }
    }
    return ChooseMode(logic, steps, grade, request.Options);
}

} // namespace

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    Request request;
    if (const auto exit = ReadArguments({argv + 1, argv + argc}, request))
        return *exit;
    if (request.Inputs.empty())
        request.Inputs.push_back({SolveInput::Kind::Stream, "-", &std::cin});
    const bool readsStandardInput =
        std::any_of(request.Inputs.begin(), request.Inputs.end(),
                    [](const SolveInput &input) { return input.What == SolveInput::Kind::Stream; });
    if (readsStandardInput && StandardInputIsDirectory())
        return Refuse("the standard input is a directory, not a puzzle file");
    // Someone typing puzzles wants each answered as soon as its line is complete.
    if (readsStandardInput && isatty(STDIN_FILENO))
        request.Options.ChunkLines = 1;
    request.Options.Progress = WantsProgress();

    SolveRunner runner(request.Options, std::cout, std::cerr);
    const SolveTotals totals = runner.Run(request.Inputs);
    if (!FinishStandardOutput("quorix-solve") || totals.Unreadable)
        return 2;
    return totals.Invalid + totals.Failed == 0 ? 0 : 1;
}
