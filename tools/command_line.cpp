#include "tools/command_line.h"

#include "core/operations/text/puzzle_text.h"
#include "tools/puzzle_file.h"
#include "tools/tool_support.h"

#include <charconv>
#include <filesystem>

namespace quorix {

namespace {

AppRequest Answer(AppRequest::Kind kind, std::string text)
{
    AppRequest request;
    request.What = kind;
    request.Text = std::move(text);
    return request;
}

AppRequest Refuse(std::string reason)
{
    return Answer(AppRequest::Kind::Error, std::move(reason));
}

// A puzzle, file or line that cannot be opened.
AppRequest CannotOpen(std::string reason)
{
    AppRequest request = Refuse(std::move(reason));
    request.OpenEmpty = true;
    return request;
}

// The puzzle on line `wanted` of `path` (0: the first puzzle there), numbered as quorix-solve
// numbers its rows: every line counts, and blank and comment lines hold no puzzle.
AppRequest FromFile(const std::string &path, int wanted)
{
    PuzzleLineReader reader(path);
    for (PuzzleLine line; reader.Next(line);) {
        if (wanted != 0 && line.Number > wanted)
            break;
        if (wanted != 0 && line.Number != wanted)
            continue;
        if (line.TooLong())
            return CannotOpen(path + ": line " + std::to_string(line.Number)
                              + " is too long: " + std::to_string(line.Length) + " characters");
        PastedPuzzle puzzle;
        std::string error;
        if (!ParsePuzzleText(line.Text, puzzle, error))
            return CannotOpen(path + ":" + std::to_string(line.Number) + ": " + error);
        return Answer(AppRequest::Kind::Open, line.Text);
    }
    if (wanted == 0)
        return CannotOpen(path + ": holds no puzzle");
    return CannotOpen(path + ": has no puzzle on line " + std::to_string(wanted));
}

// The puzzle to open, from the arguments that are no options.
AppRequest OpenRequest(const std::vector<std::string> &arguments);

} // namespace

std::string AppUsage()
{
    return "usage: quorix [--digits | --no-digits] [PUZZLE | FILE [LINE]]\n"
           "Opens the window; with a puzzle, pasted in ready to start.\n"
           "  PUZZLE       81 squares in reading order: 1-9 a given, . or 0 an empty square\n"
           "  FILE         a file with one puzzle a line (blank lines and lines starting\n"
           "               with '#' skipped); LINE picks one by its line number in the file,\n"
           "               the number quorix-solve gives it (default: the first puzzle)\n"
           "  --digits     draw each candidate's digit on it (Ctrl+D in the window), and\n"
           "  --no-digits  do not; the choice is kept for the next time\n"
           "  --help       this text\n"
           "  --version    the program's version\n";
}

AppRequest ReadCommandLine(const std::vector<std::string> &all)
{
    if (all.size() == 1 && all[0] == "--help")
        return Answer(AppRequest::Kind::Help, AppUsage());
    if (all.size() == 1 && all[0] == "--version")
        return Answer(AppRequest::Kind::Version, std::string("quorix ") + QUORIX_VERSION + "\n");
    std::optional<bool> digits;
    std::vector<std::string> arguments;
    for (const std::string &argument : all) {
        if (argument == "--digits" || argument == "--no-digits")
            digits = argument == "--digits";
        else if (argument.starts_with("-") && argument.size() > 1)
            return Refuse("unknown option " + QuoteForMessage(argument) + " (see --help)");
        else
            arguments.push_back(argument);
    }
    AppRequest request = OpenRequest(arguments);
    request.CandidateDigits = digits;
    return request;
}

namespace {

AppRequest OpenRequest(const std::vector<std::string> &arguments)
{
    if (arguments.size() > 2)
        return Refuse("too many arguments (see --help)");
    if (arguments.empty())
        return Answer(AppRequest::Kind::Open, {});

    const std::string &first = arguments[0];
    std::error_code error;
    const bool isFile = std::filesystem::exists(first, error);
    int line = 0;
    if (arguments.size() == 2) {
        const std::string &number = arguments[1];
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), line);
        if (ec != std::errc() || end != number.data() + number.size() || line < 1)
            return CannotOpen("LINE must be a line number from 1, not " + QuoteForMessage(number));
        if (!isFile)
            return CannotOpen("no such file: " + QuoteForMessage(first));
    }
    if (isFile) {
        try {
            return FromFile(first, line);
        } catch (const PuzzleFileError &failure) {
            return CannotOpen(failure.what());
        }
    }
    PastedPuzzle puzzle;
    std::string reason;
    if (!ParsePuzzleText(first, puzzle, reason))
        return CannotOpen(QuoteForMessage(first) + " is neither a file nor a puzzle: " + reason);
    return Answer(AppRequest::Kind::Open, first);
}

} // namespace

} // namespace quorix
