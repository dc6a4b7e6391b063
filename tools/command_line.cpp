#include "tools/command_line.h"

#include "tools/puzzle_file.h"
#include "tools/tool_support.h"
#include "window/puzzle_text.h"

#include <charconv>
#include <filesystem>

namespace quorix {

namespace {

AppRequest Refuse(std::string reason)
{
    return {AppRequest::Kind::Error, std::move(reason)};
}

// The puzzle on line `wanted` of `path` (0: the first puzzle there).
AppRequest FromFile(const std::string &path, int wanted)
{
    PuzzleLineReader reader(path);
    for (PuzzleLine line; reader.Next(line);) {
        if (line.Text.front() == '#' || (wanted != 0 && line.Number != wanted))
            continue;
        PastedPuzzle puzzle;
        std::string error;
        if (!ParsePuzzleText(line.Text, puzzle, error))
            return Refuse(path + ":" + std::to_string(line.Number) + ": " + error);
        return {AppRequest::Kind::Open, line.Text};
    }
    if (wanted == 0)
        return Refuse(path + ": holds no puzzle");
    return Refuse(path + ": has no puzzle on line " + std::to_string(wanted));
}

} // namespace

std::string AppUsage()
{
    return "usage: quorix [PUZZLE | FILE [LINE]]\n"
           "Opens the window; with a puzzle, pasted in ready to start.\n"
           "  PUZZLE   81 squares in reading order: 1-9 a given, . or 0 an empty square\n"
           "  FILE     a file with one puzzle a line; LINE picks one (default: the first)\n"
           "  --help     this text\n"
           "  --version  the program's version\n";
}

AppRequest ReadCommandLine(const std::vector<std::string> &arguments)
{
    if (arguments.size() == 1 && arguments[0] == "--help")
        return {AppRequest::Kind::Help, AppUsage()};
    if (arguments.size() == 1 && arguments[0] == "--version")
        return {AppRequest::Kind::Version, std::string("quorix ") + QUORIX_VERSION + "\n"};
    for (const std::string &argument : arguments)
        if (argument.starts_with("-") && argument.size() > 1)
            return Refuse("unknown option " + QuoteForMessage(argument) + " (see --help)");
    if (arguments.size() > 2)
        return Refuse("too many arguments (see --help)");
    if (arguments.empty())
        return {AppRequest::Kind::Open, {}};

    const std::string &first = arguments[0];
    std::error_code error;
    const bool isFile = std::filesystem::exists(first, error);
    int line = 0;
    if (arguments.size() == 2) {
        const std::string &number = arguments[1];
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), line);
        if (ec != std::errc() || end != number.data() + number.size() || line < 1)
            return Refuse("LINE must be a line number from 1, not " + QuoteForMessage(number));
        if (!isFile)
            return Refuse("no such file: " + QuoteForMessage(first));
    }
    if (isFile) {
        try {
            return FromFile(first, line);
        } catch (const PuzzleFileError &failure) {
            return Refuse(failure.what());
        }
    }
    PastedPuzzle puzzle;
    std::string reason;
    if (!ParsePuzzleText(first, puzzle, reason))
        return Refuse(QuoteForMessage(first) + " is neither a file nor a puzzle: " + reason);
    return {AppRequest::Kind::Open, first};
}

} // namespace quorix
